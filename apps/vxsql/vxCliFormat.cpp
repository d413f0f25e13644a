// vxsql format: parse one SELECT and write it back through the library's writers.
#include "vxCliCoreCommands.h"
#include "vxCliInput.h"
#include "vxCliParse.h"

#include "vxASTSelect.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilder.h"

#include <memory>
#include <ostream>

namespace {

// The plain-text writer with LF line breaks, for --lf. Only the writer's own breaks change; a
// line break inside a string literal stays as written.
class TvxPlainTextLFBuilder : public TSQLBuilderPlainText {
public:
  using TSQLBuilderPlainText::TSQLBuilderPlainText;

protected:
  void NewLineInternal() override { WriteSymbol("\n"); }
};

}  // namespace

int RunFormatCommand(const TvxCliArgs& Args, const TvxCliStreams& Streams) {
  TvxCliArguments Arguments(Args, {"--one-line", "--html", "--lf"});
  const bool OneLine = Arguments.HasFlag("--one-line");
  const bool Html = Arguments.HasFlag("--html");
  const bool Lf = Arguments.HasFlag("--lf");
  if (OneLine && Html) throw EvxCliUsageError("--one-line and --html exclude each other");
  if (Arguments.GetOperands().size() > 1) throw EvxCliUsageError("format reads one FILE");

  TvxCliInput Input =
      TvxCliInput::Read(Arguments.GetOperands().empty() ? "-" : Arguments.GetOperands()[0], Streams.GetIn());
  TastSQL92SyntaxProvider SyntaxProvider;
  std::unique_ptr<TSQLSelectStatement> Statement = ParseSelectOrReport(SyntaxProvider, Input, Streams.GetErr());
  if (!Statement) return ecFailed;

  std::string Text;
  std::unique_ptr<TSQLBuilder> Builder;
  if (Html)
    Builder = std::make_unique<TSQLBuilderHTML>(Text);
  else if (Lf)
    Builder = std::make_unique<TvxPlainTextLFBuilder>(Text);
  else
    Builder = std::make_unique<TSQLBuilderPlainText>(Text);
  Builder->ResetBuilder();
  Statement->BuildSQL(*Builder, !OneLine);
  Streams.GetOut() << Text << (Lf ? "\n" : "\r\n");
  return ecOk;
}
