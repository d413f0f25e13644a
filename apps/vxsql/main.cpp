// vxsql: checks and formats SQL SELECT statements from files or standard input with the
// library's SQL-92 parser and writers. The modes are entries of the command table.
#include "vxCliCommand.h"
#include "vxCliInput.h"

#include <iostream>

namespace {

void PrintUsage(std::ostream& Out) {
  Out << "usage:\n";
  for (const TvxCliCommand& Command : GetCliCommands()) Out << "  vxsql " << Command.GetUsage() << "\n";
  Out << "  vxsql --help | --version\n";
}

void PrintIndented(std::ostream& Out, std::string_view Text) {
  while (!Text.empty()) {
    size_t End = Text.find('\n');
    Out << "    " << Text.substr(0, End) << "\n";
    Text = End == std::string_view::npos ? std::string_view() : Text.substr(End + 1);
  }
}

void PrintHelp(std::ostream& Out) {
  Out << "vxsql - check and format SQL SELECT statements (SQL-92)\n\n";
  PrintUsage(Out);
  for (const TvxCliCommand& Command : GetCliCommands()) {
    Out << "\n  " << Command.GetUsage() << "\n";
    PrintIndented(Out, Command.GetHelp());
  }
  Out << "\nExit status: 0 when every statement parsed, 1 when one did not or a file could not be\n"
         "read, 2 for wrong usage. \"vxsql COMMAND --help\" shows one command's help.\n";
}

int RunCli(const TvxCliArgs& Args, const TvxCliStreams& Streams) {
  if (Args.empty()) {
    Streams.GetErr() << "vxsql: no command given\n";
    PrintUsage(Streams.GetErr());
    return ecUsage;
  }
  const std::string& Name = Args[0];
  if (Name == "--help" || Name == "-h" || Name == "help") {
    PrintHelp(Streams.GetOut());
    return ecOk;
  }
  if (Name == "--version") {
    Streams.GetOut() << "vxsql " << VX_VERSION << "\n";
    return ecOk;
  }
  const TvxCliCommand* Command = FindCliCommand(Name);
  if (Command == nullptr) {
    Streams.GetErr() << "vxsql: unknown " << (Name.starts_with("-") ? "option" : "command") << " '" << Name << "'\n";
    PrintUsage(Streams.GetErr());
    return ecUsage;
  }

  TvxCliArgs CommandArgs(Args.begin() + 1, Args.end());
  for (const std::string& Arg : CommandArgs) {
    if (Arg == "--") break;
    if (Arg == "--help" || Arg == "-h") {
      Streams.GetOut() << "usage: vxsql " << Command->GetUsage() << "\n\n";
      PrintIndented(Streams.GetOut(), Command->GetHelp());
      return ecOk;
    }
  }
  try {
    return Command->Run(CommandArgs, Streams);
  } catch (const EvxCliUsageError& Error) {
    Streams.GetErr() << "vxsql " << Name << ": " << Error.what() << "\n"
                     << "usage: vxsql " << Command->GetUsage() << "\n";
    return ecUsage;
  } catch (const EvxCliInputError& Error) {
    Streams.GetErr() << "vxsql: " << Error.what() << "\n";
    return ecFailed;
  }
}

}  // namespace

int main(int argc, char** argv) {
  TvxCliStreams Streams(std::cin, std::cout, std::cerr);
  int Status;
  try {
    Status = RunCli(TvxCliArgs(argv + 1, argv + argc), Streams);
  } catch (const std::exception& Error) {
    std::cerr << "vxsql: " << Error.what() << "\n";
    return ecFailed;
  }
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "vxsql: cannot write standard output\n";
    return ecFailed;
  }
  return Status;
}
