#include "vxCliParse.h"

#include "vxASTSelect.h"
#include "vxCliDiagnostic.h"
#include "vxSQL92SyntaxProvider.h"

#include <ostream>

std::unique_ptr<TSQLSelectStatement> ParseSelectOrReport(TastSyntaxProvider& SyntaxProvider, const TvxCliInput& Input,
                                                         std::ostream& Report) {
  try {
    return SyntaxProvider.ParseSelect(Input.GetText());
  } catch (const EvxSQLError& Error) {
    TvxSourceDiagnostic Diagnostic(Error.GetMessage(), Error.TokenLine, Error.TokenCol, Error.TokenText);
    Report << Diagnostic.Render(Input.GetName(), Input.GetText());
  } catch (const EvxException& Error) {
    // Not a syntax error (the library refused the statement for another reason): there is no
    // position to show.
    Report << Input.GetName() << ": " << Error.GetMessage() << "\n";
  }
  return nullptr;
}
