// The parse entry points of the syntax provider: the dialect's scanner tokenises the text, the
// dialect's parser finds a path through it (the way calculation) and builds the tree of that
// path (the replay). On return, also when the text does not parse, nothing of the parse is
// left but the tree and the scanner that the thread keeps for its next parse.
#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxScannerBase.h"
#include "vxSyntaxProvider.h"

#include <optional>

namespace {

// A scanner lent to one parse. The scanner a parse gives back is kept for the next parse of
// the same dialect on the same thread: its copy of the text and its token array keep their
// capacity, so parsing statement after statement allocates neither. That also spares the
// allocator the blocks of a kilobyte and more that make it first sort every small block freed
// since (the nodes of the last tree dropped), at the start of each parse. A scanner that has
// read a long text is not kept, so that no thread holds on to large arrays (nor to more than
// a short copy of the last text it parsed). A parse started while another runs on the thread
// (from an action, say) finds no spare and creates one.
class TScannerLease {
public:
  explicit TScannerLease(const TvxScannerClass& Class) : FClass(&Class) {
    TSpare* Spare = GetSpare();
    if (Spare != nullptr && Spare->Class == FClass && Spare->Scanner != nullptr)
      FScanner = std::move(Spare->Scanner);
    else
      FScanner = Class.Create();
  }
  ~TScannerLease() {
    TSpare* Spare = GetSpare();
    if (Spare == nullptr || FScanner->GetText().size() > MaxKeptText) return;
    if (Spare->Scanner != nullptr && Spare->Class == FClass) return;
    Spare->Class = FClass;
    Spare->Scanner = std::move(FScanner);
  }
  TScannerLease(const TScannerLease&) = delete;
  TScannerLease& operator=(const TScannerLease&) = delete;

  TvxBaseScanner& Get() const { return *FScanner; }

private:
  static constexpr size_t MaxKeptText = 64 * 1024;  // bytes
  struct TSpare {
    const TvxScannerClass* Class = nullptr;
    std::unique_ptr<TvxBaseScanner> Scanner;
    ~TSpare() { Gone = true; }
  };
  // The thread's spare; nullptr once the thread has destroyed it, so that a parse run by the
  // destructor of a static object still works, without a spare.
  static TSpare* GetSpare() {
    thread_local TSpare Spare;
    return Gone ? nullptr : &Spare;
  }
  static thread_local inline bool Gone = false;  // trivially destructible: readable to the end

  const TvxScannerClass* FClass;
  std::unique_ptr<TvxBaseScanner> FScanner;
};

template <class TResult>
using TReplay = std::unique_ptr<TResult> (TvxBaseParser::*)();
using TWayCalc = void (TvxBaseParser::*)(TvxWays&);

template <class TResult>
std::unique_ptr<TResult> Parse(TastSyntaxProvider& Provider, const std::string& Text, const char* Message,
                               TWayCalc WayCalc, TReplay<TResult> Replay,
                               std::optional<bool> RequireLeftOperand = std::nullopt) {
  const TScannerLease Scanner(Provider.GetScannerClass());
  Scanner.Get().Init(Text);
  const std::unique_ptr<TvxBaseParser> Parser = Provider.GetParserClass().Create(&Scanner.Get(), &Provider);
  if (RequireLeftOperand) Parser->SetRequireLeftOperand(*RequireLeftOperand);
  TvxBaseParser& P = *Parser;
  // Most statements never leave the fast look-ahead more than one alternative: then the replay
  // alone builds the tree. Otherwise the two passes run.
  std::unique_ptr<TResult> Tree;
  if (P.ReplayDirectly([&] { Tree = (P.*Replay)(); })) return Tree;
  Tree.reset();
  if (!P.CalculateWay([&](TvxWays& Ways) { (P.*WayCalc)(Ways); })) {
    const TvxToken Error = P.GetErrorToken();
    throw EvxSQLError(Message, &Error);
  }
  return (P.*Replay)();
}

}  // namespace

std::unique_ptr<TSQLSelectStatement> TastSyntaxProvider::ParseSelect(const std::string& Text) {
  return Parse(*this, Text, "Bad SELECT statement", &TvxBaseParser::ParseSelectWayCalc, &TvxBaseParser::ParseSelect);
}

std::unique_ptr<TSQLDatabaseObject> TastSyntaxProvider::ParseObjectName(const std::string& Text) {
  return Parse(*this, Text, "Bad object name", &TvxBaseParser::ParseObjectNameWayCalc, &TvxBaseParser::ParseObjectName);
}

std::unique_ptr<TSQLExpressionItem> TastSyntaxProvider::ParseExpression(const std::string& Text, TvxStringList*) {
  return Parse(*this, Text, "Bad expression", &TvxBaseParser::ParseExpressionWayCalc, &TvxBaseParser::ParseExpression);
}

std::unique_ptr<TSQLSelectItem> TastSyntaxProvider::ParseSelectItem(const std::string& Text) {
  return Parse(*this, Text, "Bad select item", &TvxBaseParser::ParseSelectItemWayCalc, &TvxBaseParser::ParseSelectItem);
}

std::unique_ptr<TSQLExpressionItem> TastSyntaxProvider::ParseLogicalExpression(const std::string& Text,
                                                                               bool RequireLeftOperand) {
  return Parse(*this, Text, "Bad logical expression", &TvxBaseParser::ParseLogicalExpressionWayCalc,
               &TvxBaseParser::ParseLogicalExpression, RequireLeftOperand);
}
