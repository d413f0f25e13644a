// The modes of vxsql that need nothing but the core library, so the tool builds without Qt.
#pragma once

#include "vxCliCommand.h"

// format [--one-line | --html] [--lf] [FILE]: parses one SELECT and writes it back.
int RunFormatCommand(const TvxCliArgs& Args, const TvxCliStreams& Streams);
// check FILE...: parses every file and reports each failure with its position.
int RunCheckCommand(const TvxCliArgs& Args, const TvxCliStreams& Streams);
