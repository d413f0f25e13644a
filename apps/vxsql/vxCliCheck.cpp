// vxsql check: parse every file named and report each failure.
#include "vxCliCoreCommands.h"
#include "vxCliInput.h"
#include "vxCliParse.h"

#include "vxASTSelect.h"
#include "vxSQL92SyntaxProvider.h"

#include <ostream>

int RunCheckCommand(const TvxCliArgs& Args, const TvxCliStreams& Streams) {
  TvxCliArguments Arguments(Args, {});
  if (Arguments.GetOperands().empty()) throw EvxCliUsageError("check needs at least one FILE");

  TastSQL92SyntaxProvider SyntaxProvider;
  int Status = ecOk;
  for (const std::string& FileName : Arguments.GetOperands()) {
    // One unreadable or broken file does not stop the others from being checked.
    try {
      TvxCliInput Input = TvxCliInput::Read(FileName, Streams.GetIn());
      if (!ParseSelectOrReport(SyntaxProvider, Input, Streams.GetOut())) Status = ecFailed;
    } catch (const EvxCliInputError& Error) {
      Streams.GetErr() << "vxsql: " << Error.what() << "\n";
      Status = ecFailed;
    }
  }
  return Status;
}
