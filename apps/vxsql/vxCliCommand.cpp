#include "vxCliCommand.h"

#include "vxCliCoreCommands.h"
#ifdef VX_CLI_WITH_MODEL
#include "RoundTripCommand.h"
#endif

#include <algorithm>

namespace {

constexpr std::string_view FormatHelp =
    "Parses one SELECT statement of the SQL-92 dialect from FILE, or from standard input when\n"
    "FILE is absent or \"-\", and writes it back the way the library writes SQL: one clause per\n"
    "line by default, on one line with --one-line, as HTML (keywords bold, names italic) with\n"
    "--html. Line breaks are the library's CR LF, also after the last line; --lf writes LF\n"
    "instead. A statement that does not parse is reported on standard error as by check.";

constexpr std::string_view CheckHelp =
    "Parses each FILE (\"-\" reads standard input) as one SELECT statement of the SQL-92\n"
    "dialect. Every failure is reported on standard output as\n"
    "  FILE:LINE:COL: MESSAGE near 'TOKEN'\n"
    "followed by the source line and a caret under the token where parsing stopped (\"at end\n"
    "of input\" when the text ended too early). Files that parse print nothing.";

}  // namespace

const std::vector<TvxCliCommand>& GetCliCommands() {
  // A mode that needs the Qt query model joins this table under #ifdef VX_CLI_WITH_MODEL, with
  // its sources and that definition added in CMakeLists.txt only where Qt is built.
  static const std::vector<TvxCliCommand> Commands = {
      {"format", "format [--one-line | --html] [--lf] [FILE]", FormatHelp, RunFormatCommand},
      {"check", "check FILE...", CheckHelp, RunCheckCommand},
#ifdef VX_CLI_WITH_MODEL
      {"roundtrip", RoundTripUsage, RoundTripHelp, RunRoundTripCommand},
#endif
  };
  return Commands;
}

const TvxCliCommand* FindCliCommand(std::string_view Name) {
  const auto& Commands = GetCliCommands();
  auto It = std::find_if(Commands.begin(), Commands.end(), [Name](const auto& C) { return C.GetName() == Name; });
  return It == Commands.end() ? nullptr : &*It;
}

TvxCliArguments::TvxCliArguments(const TvxCliArgs& Args, std::initializer_list<std::string_view> KnownFlags) {
  bool FlagsEnded = false;
  for (const std::string& Arg : Args) {
    if (FlagsEnded || Arg == "-" || Arg.empty() || Arg[0] != '-') {
      FOperands.push_back(Arg);
    } else if (Arg == "--") {
      FlagsEnded = true;
    } else if (std::find(KnownFlags.begin(), KnownFlags.end(), Arg) != KnownFlags.end()) {
      FFlags.push_back(Arg);
    } else {
      throw EvxCliUsageError("unknown option '" + Arg + "'");
    }
  }
}

bool TvxCliArguments::HasFlag(std::string_view Flag) const {
  return std::find(FFlags.begin(), FFlags.end(), Flag) != FFlags.end();
}
