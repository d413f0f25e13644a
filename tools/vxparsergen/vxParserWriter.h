// Writes the C++ of a generated parser: a header with the class and a source file with the
// look-ahead tables, the way calculation of every production (a template instantiated with the
// fast and with the exact tables) and its replay, which runs the grammar's actions.
#pragma once

#include "vxGrammar.h"
#include "vxGrammarAnalysis.h"

#include <string>

namespace vxgen {

struct TWriterOptions {
  std::string GrammarPath;  // the grammar as the compiler should name it in #line directives
  std::string HeaderName;   // file name of the generated header (included by the source)
  std::string SourcePath;   // the generated source as #line directives name it
  std::string Regenerate;   // the command that regenerates the files, for the banner
};

struct TGeneratedParser {
  std::string Header;
  std::string Source;
};

TGeneratedParser WriteParser(const TGrammar& Grammar, const TAnalysis& Analysis, const TWriterOptions& Options);

}  // namespace vxgen
