// vxsql roundtrip: a statement through the Qt query model and back. Built only with Qt.
#pragma once

#include "vxCliCommand.h"

// roundtrip [--db FILE] [--multi-line] [FILE]: loads one SELECT into the query model, with the
// fields and relations of a SQLite database, and prints the model's SQL.
int RunRoundTripCommand(const TvxCliArgs& Args, const TvxCliStreams& Streams);

extern const std::string_view RoundTripUsage;
extern const std::string_view RoundTripHelp;
