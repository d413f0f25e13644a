// The command table of the vxsql tool. Each mode is one entry: its name, usage line, help text
// and entry function. The modes here need only the core library; modes that need the Qt query
// model live in files of their own and join the table only in builds with Qt.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using TvxCliArgs = std::vector<std::string>;

// Exit statuses shared by every mode.
enum TvxCliExitCode { ecOk = 0, ecFailed = 1, ecUsage = 2 };

// The streams a mode reads and writes (not owned). main hands in the process's own; keeping
// them explicit keeps the modes free of global state.
class TvxCliStreams {
public:
  TvxCliStreams(std::istream& In, std::ostream& Out, std::ostream& Err) : FIn(&In), FOut(&Out), FErr(&Err) {}
  std::istream& GetIn() const { return *FIn; }
  std::ostream& GetOut() const { return *FOut; }
  std::ostream& GetErr() const { return *FErr; }

private:
  std::istream* FIn;
  std::ostream* FOut;
  std::ostream* FErr;
};

// Wrong use of the command line. main prints the message and the mode's usage and exits with
// ecUsage.
class EvxCliUsageError : public std::runtime_error {
public:
  explicit EvxCliUsageError(const std::string& Message) : std::runtime_error(Message) {}
};

class TvxCliCommand {
public:
  // Args are the arguments after the mode's name. Returns the exit status; raises
  // EvxCliUsageError for arguments the mode does not accept.
  using TRunFunction = int (*)(const TvxCliArgs& Args, const TvxCliStreams& Streams);

  // Usage is the synopsis after "vxsql "; Help is a paragraph, lines indented by the caller.
  TvxCliCommand(std::string_view Name, std::string_view Usage, std::string_view Help, TRunFunction Run)
      : FName(Name), FUsage(Usage), FHelp(Help), FRun(Run) {}

  std::string_view GetName() const { return FName; }
  std::string_view GetUsage() const { return FUsage; }
  std::string_view GetHelp() const { return FHelp; }
  int Run(const TvxCliArgs& Args, const TvxCliStreams& Streams) const { return FRun(Args, Streams); }

private:
  std::string_view FName;
  std::string_view FUsage;
  std::string_view FHelp;
  TRunFunction FRun;
};

// Every mode of this build, in the order the help lists them.
const std::vector<TvxCliCommand>& GetCliCommands();
// The mode called Name, or null.
const TvxCliCommand* FindCliCommand(std::string_view Name);

// Splits a mode's arguments into flags and operands. "-" is an operand (standard input) and
// "--" ends the flags, so a file called "--x" can still be named.
class TvxCliArguments {
public:
  // Raises EvxCliUsageError for a flag that is not in KnownFlags.
  TvxCliArguments(const TvxCliArgs& Args, std::initializer_list<std::string_view> KnownFlags);

  bool HasFlag(std::string_view Flag) const;
  const std::vector<std::string>& GetOperands() const { return FOperands; }

private:
  std::vector<std::string> FFlags;
  std::vector<std::string> FOperands;
};
