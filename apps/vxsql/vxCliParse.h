// Parsing a command-line input, with failures reported in the tool's diagnostic format.
#pragma once

#include "vxCliInput.h"

#include <iosfwd>
#include <memory>

class TastSyntaxProvider;
class TSQLSelectStatement;

// Parses Input as one SELECT statement. On failure writes the diagnostic (location, source line,
// caret) to Report and returns null; the caller owns the returned tree.
std::unique_ptr<TSQLSelectStatement> ParseSelectOrReport(TastSyntaxProvider& SyntaxProvider, const TvxCliInput& Input,
                                                         std::ostream& Report);
