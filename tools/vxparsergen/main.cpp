// vxparsergen: turns one attributed EBNF grammar into a two-pass parser (way calculation and
// replay), written as <ClassName>.h and <ClassName>.cpp into an output folder.
//
//   vxparsergen GRAMMAR OUTPUT_DIR
//
// The tokens header named by the grammar is read relative to the grammar's folder. Files whose
// contents would not change are left alone, so an unchanged grammar rebuilds nothing.
#include "vxGrammarAnalysis.h"
#include "vxGrammarReader.h"
#include "vxParserWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error(Path.string() + ": cannot be read");
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

void WriteIfChanged(const fs::path& Path, const std::string& Text) {
  std::error_code Error;
  if (fs::exists(Path, Error)) {
    std::ifstream In(Path, std::ios::binary);
    std::ostringstream Old;
    Old << In.rdbuf();
    if (Old.str() == Text) return;
  }
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out << Text;
  if (!Out) throw std::runtime_error(Path.string() + ": cannot be written");
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 3) {
    std::cerr << "usage: vxparsergen GRAMMAR OUTPUT_DIR\n";
    return 2;
  }
  try {
    const fs::path GrammarPath = Argv[1], OutputDir = Argv[2];
    vxgen::TGrammar Grammar = vxgen::ReadGrammar(GrammarPath.string(), ReadFile(GrammarPath));
    const fs::path TokensPath = GrammarPath.parent_path() / Grammar.TokensHeader;
    vxgen::ReadTokensHeader(Grammar, TokensPath.string(), ReadFile(TokensPath));
    const vxgen::TAnalysis Analysis = vxgen::AnalyseGrammar(Grammar);

    fs::create_directories(OutputDir);
    const fs::path HeaderPath = OutputDir / (Grammar.ClassName + ".h");
    const fs::path SourcePath = OutputDir / (Grammar.ClassName + ".cpp");
    vxgen::TWriterOptions Options;
    Options.GrammarPath = fs::absolute(GrammarPath).generic_string();
    Options.HeaderName = HeaderPath.filename().string();
    Options.SourcePath = fs::absolute(SourcePath).generic_string();
    Options.Regenerate =
        "vxparsergen " + GrammarPath.filename().string() + " OUTPUT_DIR (the build does this when the grammar changes)";
    const vxgen::TGeneratedParser Parser = vxgen::WriteParser(Grammar, Analysis, Options);
    WriteIfChanged(HeaderPath, Parser.Header);
    WriteIfChanged(SourcePath, Parser.Source);
    return 0;
  } catch (const std::exception& Error) {
    std::cerr << Error.what() << "\n";
    return 1;
  }
}
