// SQL text into the model and back, update brackets, SQL builders and the sub-query list.
#include "vxASTSelect.h"
#include "vxBaseMetadataProvider.h"
#include "vxBaseSQLBuilder.h"
#include "vxBaseSyntaxProvider.h"
#include "vxParserBase.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQueryHistory.h"
#include "vxQueryLayout.h"
#include "vxQuerySubQuery.h"

#include <QCoreApplication>
#include <QTabWidget>

#include <algorithm>

namespace {

// SELECT with an empty select list and no FROM (the FROM clause makes one with its first
// datasource): what empty text loads as.
std::unique_ptr<TSQLSelectStatement> NewEmptyStatement(TastSyntaxProvider* Dialect) {
  auto Select = NewNode<TSQLSubQuerySelectExpression>(Dialect);
  Select->SetSelectItems(NewNode<TSQLSelectItems>(Dialect));
  auto Statement = NewNode<TSQLSelectStatement>(Dialect);
  Statement->Add(std::move(Select));
  return Statement;
}

// Runs EndUpdate when the scope ends, also by an exception.
class TUpdateScope {
public:
  explicit TUpdateScope(TvxQueryBuilder& QueryBuilder) : FQueryBuilder(QueryBuilder) { FQueryBuilder.BeginUpdate(); }
  ~TUpdateScope() { FQueryBuilder.EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
  TvxQueryBuilder& FQueryBuilder;
};

}  // namespace

// --- SQL text ----------------------------------------------------------------------------------

std::string TvxQueryBuilder::GetSQL() const { return FRootQuery != nullptr ? FRootQuery->GetSQL() : std::string(); }

QString TvxQueryBuilder::GetSQLString() const { return vx::ToQString(GetSQL()); }

void TvxQueryBuilder::SetSQL(const std::string& Text) {
  FPendingSQL = Text;
  FSQLPending = true;
  QCoreApplication::postEvent(this, new QEvent(SetSQLEventType()));
}

void TvxQueryBuilder::SetSQLString(const QString& Text) { SetSQL(vx::FromQString(Text)); }

QEvent::Type TvxQueryBuilder::SetSQLEventType() {
  static const auto Type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return Type;
}

bool TvxQueryBuilder::event(QEvent* Event) {
  if (Event->type() != SetSQLEventType()) return QWidget::event(Event);
  SetSQLMsg();
  return true;
}

void TvxQueryBuilder::SetSQLMsg() {
  // One event is posted per assignment; the first one handled loads the last text, and those
  // that follow find nothing pending and leave the model alone.
  if (!FSQLPending) return;
  // Nothing may leave an event handler: what the caller of the synchronous loader would get
  // is reported instead.
  try {
    ProcessPendingSQL();
  } catch (const std::exception& Error) {
    emit sqlError(vx::ToQString(FLoadingSQL), QString::fromUtf8(Error.what()));
  } catch (...) {
    emit sqlError(vx::ToQString(FLoadingSQL), QStringLiteral("Unknown error"));
  }
}

void TvxQueryBuilder::ProcessPendingSQL() {
  if (!FSQLPending) return;
  FLoadingSQL = FPendingSQL;
  if (!FSyntaxProvider || !FMetadataProvider) throw EvxException("No syntax provider!");
  // The text is taken before anything can fail, so a failed text is never retried; so is the
  // layout a host gave for it.
  FPendingSQL.clear();
  FSQLPending = false;
  const std::unique_ptr<TvxQueryLayout> Layout = FHistory->TakePendingLayout(FLoadingSQL);
  if (LoadSQL(FLoadingSQL)) FHistory->SQLAssigned(Layout.get());
}

void TvxQueryBuilder::ReloadSQL(const std::string& Text) {
  if (!FSyntaxProvider || !FMetadataProvider) throw EvxException("No syntax provider!");
  // A step of the history may differ from the query now in letter case alone, and must load.
  LoadTree(ParseSQL(Text), true);
}

bool TvxQueryBuilder::ReportSQLError(const std::string& Text, const std::string& Message) {
  if (!OnSQLError) return false;
  OnSQLError(this, Text, Message);
  emit sqlError(vx::ToQString(Text), vx::ToQString(Message));
  return true;
}

std::unique_ptr<TSQLSelectStatement> TvxQueryBuilder::ParseSQL(const std::string& Text) const {
  return vx::Trim(Text).empty() ? NewEmptyStatement(FSyntaxProvider->GetASTSyntaxProvider())
                                : FSyntaxProvider->ParseSelect(Text);
}

bool TvxQueryBuilder::LoadSQL(const std::string& Text) {
  std::unique_ptr<TSQLSelectStatement> Tree;
  try {
    Tree = ParseSQL(Text);
  } catch (const std::exception& Error) {
    if (ReportSQLError(Text, Error.what())) return false;
    throw;
  }
  try {
    LoadTree(std::move(Tree), false);
  } catch (const EvxSQLError& Error) {
    if (ReportSQLError(Text, Error.GetMessage())) return false;
    throw;
  }
  return true;
}

void TvxQueryBuilder::LoadTree(std::unique_ptr<TSQLSelectStatement> Tree, bool MatchCase) {
  Tree->SimplifyTree();
  Tree->RefreshFieldsListRecursive(FMetadataProvider.data());
  TSQLFromSourceList FromSources;
  Tree->FixupObjects(FromSources);
  // Text that differs only in what the writer normalises, or (unless MatchCase) in letter case
  // outside string literals and delimited names, is the query already loaded: nothing is
  // rebuilt. A change of case inside quotes ('x' to 'X') is a different query and loads.
  const auto Comparable = [MatchCase](const std::string& Text) {
    return MatchCase ? Text : vx::UpperCaseOutsideQuotes(Text);
  };
  if (Comparable(FRootQuery->GetASTQuery()->GetSimpleSQL()) == Comparable(Tree->GetSimpleSQL())) return;
  TUpdateScope Update(*this);
  Clear();
  FRootQuery->LoadFromAST(std::move(Tree));
}

// --- updates -----------------------------------------------------------------------------------

void TvxQueryBuilder::BeginUpdate() {
  if (++FUpdateCount == 1) FRootQuery->BeginUpdate();
}

void TvxQueryBuilder::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) FRootQuery->EndUpdate();
}

void TvxQueryBuilder::Clear() { FRootQuery->Clear(); }

void TvxQueryBuilder::SQLUpdated() {
  if (FDestroying) return;
  if (FHistory != nullptr) FHistory->NoteChange();
  // A copy: a builder's handler may attach or detach builders.
  const std::vector<TvxBaseSQLBuilder*> Builders = FSQLBuilders;
  for (TvxBaseSQLBuilder* Builder : Builders)
    if (std::find(FSQLBuilders.begin(), FSQLBuilders.end(), Builder) != FSQLBuilders.end()) Builder->SQLUpdated();
}

// --- SQL builders ------------------------------------------------------------------------------

void TvxQueryBuilder::AddSQLBuilder(TvxBaseSQLBuilder* Builder) {
  if (std::find(FSQLBuilders.begin(), FSQLBuilders.end(), Builder) == FSQLBuilders.end())
    FSQLBuilders.push_back(Builder);
}

void TvxQueryBuilder::RemoveSQLBuilder(TvxBaseSQLBuilder* Builder) {
  FSQLBuilders.erase(std::remove(FSQLBuilders.begin(), FSQLBuilders.end(), Builder), FSQLBuilders.end());
}

// --- sub-queries -------------------------------------------------------------------------------

TvxSubQuery* TvxQueryBuilder::GetSubQueries(int Index) const {
  if (Index < 0 || Index >= GetSubQueriesCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FSubQueries[static_cast<size_t>(Index)];
}

int TvxQueryBuilder::GetSubQueriesCount() const {
  CompactSubQueries();
  return static_cast<int>(FSubQueries.size());
}

void TvxQueryBuilder::RegisterSubQuery(TvxSubQuery* SubQuery) {
  FSubQueryPlaces[SubQuery] = FSubQueries.size();
  FSubQueries.push_back(SubQuery);
}

void TvxQueryBuilder::UnregisterSubQuery(TvxSubQuery* SubQuery) {
  const auto Place = FSubQueryPlaces.find(SubQuery);
  if (Place != FSubQueryPlaces.end()) {
    FSubQueries[Place->second] = nullptr;
    ++FGoneSubQueries;
    FSubQueryPlaces.erase(Place);
    while (!FSubQueries.empty() && FSubQueries.back() == nullptr) {
      FSubQueries.pop_back();
      --FGoneSubQueries;
    }
    if (FGoneSubQueries > 64 && FGoneSubQueries * 2 > FSubQueries.size()) CompactSubQueries();
  }
  // The guarded pointer would clear only once the QObject part goes; the sub-query is already
  // half gone here.
  if (FActiveSubQuery == SubQuery) FActiveSubQuery = nullptr;
}

void TvxQueryBuilder::RotateSubQueries(int First, int Middle) {
  // First and Middle count the sub-queries there are: the list is closed up before it moves.
  CompactSubQueries();
  if (First == Middle || Middle == static_cast<int>(FSubQueries.size())) return;
  std::rotate(FSubQueries.begin() + First, FSubQueries.begin() + Middle, FSubQueries.end());
  for (size_t Index = static_cast<size_t>(First); Index < FSubQueries.size(); ++Index)
    FSubQueryPlaces[FSubQueries[Index]] = Index;
}

void TvxQueryBuilder::CompactSubQueries() const {
  if (FGoneSubQueries == 0) return;
  std::erase(FSubQueries, nullptr);
  for (size_t Index = 0; Index < FSubQueries.size(); ++Index) FSubQueryPlaces[FSubQueries[Index]] = Index;
  FGoneSubQueries = 0;
}

TvxSubQuery* TvxQueryBuilder::GetActiveSubquery() const {
  if (FActiveSubQuery) return FActiveSubQuery;
  return FRootQuery;
}

void TvxQueryBuilder::SetActiveSubquery(TvxSubQuery* SubQuery) {
  if (SubQuery == GetActiveSubquery()) return;
  FActiveSubQuery = SubQuery == FRootQuery ? nullptr : SubQuery;
  if (!FControlsCreated || SubQuery == nullptr) return;
  if (QWidget* Page = SubQuery->GetQueryPage()) FPageControl->setCurrentWidget(Page);
}
