#include "vxQuerySubQuery.h"

#include "vxASTExpressions.h"
#include "vxASTNames.h"
#include "vxQBControlFactory.h"
#include "vxQueryBuilder.h"
#include "vxQuerySelectItem.h"
#include "vxQueryUnionSubQuery.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <algorithm>
#include <utility>

namespace {

// True when Statement's result is that of a union or of a bracketed group rather than of one
// plain SELECT.
bool IsUnion(const TSQLSubSelectStatement& Statement) {
  return Statement.GetCount() > 1 ||
         (Statement.GetCount() == 1 && dynamic_cast<const TSQLSubQueryExpressions*>(Statement.GetItems(0)) != nullptr);
}

// The ORDER BY of a union sorts the union's result, whose columns belong to no table: there a
// key names a result column. Written through the tables the first operand's rows are bound to
// ("Customers.City"), it is refused by the engines.
TvxSortKeyForm SortKeyFormOf(const TSQLSubSelectStatement& Statement) {
  return IsUnion(Statement) ? TvxSortKeyForm::skResultName : TvxSortKeyForm::skExpression;
}

}  // namespace

// --- TvxSubQuery -------------------------------------------------------------------------------

TvxSubQuery::TvxSubQuery(QObject* Owner) : TvxUnionGroup(Owner) {
  SetRootQuery(this);
  // Until a statement is loaded the sub-query stands for an empty one.
  FNode = NewNode<TSQLSubSelectStatement>(GetQueryBuilder() ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr);
  if (GetQueryBuilder() != nullptr) GetQueryBuilder()->RegisterSubQuery(this);
}

TvxSubQuery::~TvxSubQuery() {
  MarkDestroying();
  // The user sees "Main" again rather than whichever tab the page control would pass to.
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder != nullptr && !QueryBuilder->IsDestroying() && QueryBuilder->GetActiveSubquery() == this)
    QueryBuilder->SetActiveSubquery(QueryBuilder->GetRootQuery());
  DestroyControl();
  // The operands unregister from this object as they go, so they go while it is still whole.
  DestroyComponents();
  if (GetQueryBuilder() != nullptr) GetQueryBuilder()->UnregisterSubQuery(this);
}

void TvxSubQuery::LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) {
  std::unique_ptr<TSQLSubSelectStatement> Statement = vx::CastNode<TSQLSubSelectStatement>(std::move(Node));
  BeginUpdate();
  struct TEnd {
    TvxSubQuery* SubQuery;
    ~TEnd() { SubQuery->EndUpdate(); }
  } End{this};
  // The ORDER BY sorts the whole statement; the first operand keeps it and builds it back.
  std::unique_ptr<TSQLOrderByClause> OrderBy = Statement->ExtractOrderBy();
  const TvxSortKeyForm Form = SortKeyFormOf(*Statement);
  TvxUnionGroup::LoadFromAST(std::move(Statement));
  if (OrderBy)
    if (TvxUnionSubQuery* First = FirstSelect()) First->LoadOrderByFromAST(std::move(OrderBy), Form);
}

std::unique_ptr<TSQLSubQueryExpression> TvxSubQuery::GetASTExpression() const {
  std::unique_ptr<TSQLSubSelectStatement> Tree =
      vx::CastNode<TSQLSubSelectStatement>(TvxUnionGroup::GetASTExpression());
  if (TvxUnionSubQuery* First = FirstSelect()) Tree->SetOrderBy(First->GetOrderByClause(SortKeyFormOf(*Tree)));
  return Tree;
}

std::unique_ptr<TSQLSubSelectStatement> TvxSubQuery::GetASTSubQuery() const {
  return vx::CastNode<TSQLSubSelectStatement>(GetASTExpression());
}

std::string TvxSubQuery::GetSQL() const { return GetASTSubQuery()->GetSimpleSQL(); }

TvxUnionSubQuery* TvxSubQuery::FirstSelect() const {
  const TvxUnionGroup* Group = this;
  while (Group != nullptr && Group->GetCount() > 0) {
    TvxQueryBase* First = Group->GetItems(0);
    if (auto* Operand = qobject_cast<TvxUnionSubQuery*>(First)) return Operand;
    Group = qobject_cast<TvxUnionGroup*>(First);
  }
  return nullptr;
}

TvxUnionSubQuery* TvxSubQuery::GetUnionSubQueries(int Index) const {
  if (Index < 0 || Index >= GetUnionSubQueriesCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FUnionSubQueries[static_cast<size_t>(Index)];
}

TvxUnionSubQuery* TvxSubQuery::GetActiveUnionSubquery() const { return FActiveUnionSubQuery; }

void TvxSubQuery::SetActiveUnionSubquery(TvxUnionSubQuery* Operand) {
  if (Operand == FActiveUnionSubQuery) return;
  // The page of the new operand is shown before the old one is hidden, so the sheet never
  // flashes empty.
  if (Operand != nullptr && Operand->GetControlsCreated())
    if (QWidget* Page = Operand->GetUnionPage()) Page->show();
  if (FActiveUnionSubQuery && FActiveUnionSubQuery->GetControlsCreated())
    if (QWidget* Page = FActiveUnionSubQuery->GetUnionPage()) Page->hide();
  FActiveUnionSubQuery = Operand;
  if (Operand != nullptr)
    if (auto* Button = qobject_cast<QAbstractButton*>(Operand->GetUnionButton())) Button->setChecked(true);
  RequestAlignUnionNavbar();
}

void TvxSubQuery::RegisterUnionSubQuery(TvxUnionSubQuery* Operand) {
  FUnionSubQueries.push_back(Operand);
  if (!FActiveUnionSubQuery) SetActiveUnionSubquery(Operand);
}

void TvxSubQuery::UnregisterUnionSubQuery(TvxUnionSubQuery* Operand) {
  FUnionSubQueries.erase(std::remove(FUnionSubQueries.begin(), FUnionSubQueries.end(), Operand),
                         FUnionSubQueries.end());
  if (FActiveUnionSubQuery == Operand) FActiveUnionSubQuery = nullptr;
}

void TvxSubQuery::UpdateUnionSubQueriesOrder() {
  int Counter = 0;
  CollectOperands(*this, Counter);
}

void TvxSubQuery::CollectOperands(const TvxUnionGroup& Group, int& Counter) {
  for (int I = 0; I < Group.GetCount(); ++I) {
    TvxQueryBase* Item = Group.GetItems(I);
    if (auto* Nested = qobject_cast<TvxUnionGroup*>(Item)) {
      CollectOperands(*Nested, Counter);
      continue;
    }
    auto Found = std::find(FUnionSubQueries.begin(), FUnionSubQueries.end(), Item);
    if (Found == FUnionSubQueries.end()) continue;
    vx::MoveElement(FUnionSubQueries, Found - FUnionSubQueries.begin(), Counter);
    ++Counter;
  }
}

void TvxSubQuery::UpdateCaption() {
  QWidget* Page = GetQueryPage();
  if (GetQueryBuilder() == nullptr || Page == nullptr) return;
  std::string Caption;
  GetQueryBuilder()->GetTabHeaderText(this, Caption);
  QTabWidget* PageControl = GetQueryBuilder()->GetPageControl();
  const int Index = PageControl->indexOf(Page);
  if (Index >= 0) PageControl->setTabText(Index, QString::fromStdString(Caption));
}

void TvxSubQuery::NoteEmptiedGroup(TvxUnionGroup* Group) {
  if (Group != nullptr && !IsDestroying()) FEmptiedGroups.emplace_back(Group);
}

void TvxSubQuery::FreeEmptiedGroups() {
  while (!FEmptiedGroups.empty()) {
    // Freeing a group may note its own group: the list is taken first.
    const std::vector<QPointer<TvxUnionGroup>> Groups = std::exchange(FEmptiedGroups, {});
    for (const QPointer<TvxUnionGroup>& Group : Groups)
      if (Group && Group->GetCount() == 0 && Group->GetParentQuery() != nullptr && !Group->IsDestroying())
        delete Group.data();
  }
}

TvxUnionEditScope::TvxUnionEditScope(TvxSubQuery* Root) : FRoot(Root) {
  if (!FRoot || FRoot->IsDestroying()) return;
  FRoot->BeginUpdate();
  ++FRoot->FUnionEditDepth;
}

TvxUnionEditScope::~TvxUnionEditScope() {
  if (!FRoot || FRoot->IsDestroying()) return;
  if (--FRoot->FUnionEditDepth == 0) FRoot->FreeEmptiedGroups();
  FRoot->EndUpdate();
}

QWidget* TvxSubQuery::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  return Factory != nullptr && Index == 0 ? Factory->CreateQueryTabSheet(this) : nullptr;
}

bool TvxSubQuery::CanCreateControls() const {
  if (GetQueryBuilder() != nullptr && parent() == GetQueryBuilder() && GetQueryBuilder()->GetControlsCreated())
    return true;
  return TvxUnionGroup::CanCreateControls();
}

void TvxSubQuery::DoSQLUpdated() {
  TvxUnionGroup::DoSQLUpdated();
  if (GetControlsCreated()) UpdateCaption();
}

// --- TvxQuery ----------------------------------------------------------------------------------

TvxQuery::TvxQuery(TvxQueryBuilder* Owner) : TvxSubQuery(Owner) { LoadFromAST(NewNode<TSQLSelectStatement>(nullptr)); }

TvxQuery::~TvxQuery() { MarkDestroying(); }

void TvxQuery::LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) {
  TvxSubQuery::LoadFromAST(vx::CastNode<TSQLSelectStatement>(std::move(Node)));
}

void TvxQuery::LoadFromAST(std::unique_ptr<TSQLSelectStatement> Statement) {
  TvxSubQuery::LoadFromAST(std::move(Statement));
}

std::unique_ptr<TSQLSelectStatement> TvxQuery::GetASTQuery() const {
  return vx::CastNode<TSQLSelectStatement>(GetASTExpression());
}

void TvxQuery::DoSQLUpdated() {
  TvxSubQuery::DoSQLUpdated();
  if (GetQueryBuilder() != nullptr && !IsDestroying()) GetQueryBuilder()->SQLUpdated();
}

// --- TvxSubSelectStatementProxy ----------------------------------------------------------------

VX_CLASS_IMPL(TvxSubSelectStatementProxy, TSQLSubSelectStatementProxy)

namespace {
TvxQueryBuilderControlOwner* LoaderOwner(TvxObject* Loader) {
  auto* Context = dynamic_cast<TvxSubQueryLoader*>(Loader);
  return Context != nullptr ? Context->GetOwner() : nullptr;
}
}  // namespace

TvxSubSelectStatementProxy::TvxSubSelectStatementProxy(TastSyntaxProvider* SyntaxProvider, TvxObject* Loader,
                                                       std::unique_ptr<TSQLSubSelectStatement> SubSelect)
    : TSQLSubSelectStatementProxy(SyntaxProvider, LoaderOwner(Loader), std::move(SubSelect)) {
  auto* Context = dynamic_cast<TvxSubQueryLoader*>(Loader);
  if (Context == nullptr) return;
  FControlOwner = Context->GetOwner();
  FRootNode = Context->GetRootNode();
  FControlOwner->AddProxy(this);
  try {
    std::unique_ptr<TSQLSubSelectStatement> Statement = ExtractSubSelect();
    if (!Statement) Statement = NewNode<TSQLSubSelectStatement>(SyntaxProvider);
    FSubQuery = new TvxSubQuery(FControlOwner);
    FSubQuery->LoadFromAST(std::move(Statement));
  } catch (...) {
    // No destructor runs for a constructor that throws: undo the registration here.
    delete FSubQuery.data();
    FControlOwner->RemoveProxy(this);
    throw;
  }
  if (FControlOwner->GetControlsCreated() && FSubQuery->CanCreateControls()) FSubQuery->CreateControl();
}

TvxSubSelectStatementProxy::~TvxSubSelectStatementProxy() {
  delete FSubQuery.data();
  if (FControlOwner != nullptr) FControlOwner->RemoveProxy(this);
}

std::unique_ptr<TSQLSubSelectStatementProxy> TvxSubSelectStatementProxy::Create(
    TastSyntaxProvider* SyntaxProvider, TvxObject* Loader, std::unique_ptr<TSQLSubSelectStatement> SubSelect) {
  return NewNode<TvxSubSelectStatementProxy>(SyntaxProvider, Loader, std::move(SubSelect));
}

std::unique_ptr<TSQLSubSelectStatement> TvxSubSelectStatementProxy::GetASTTree() const {
  if (FSubQuery) return FSubQuery->GetASTSubQuery();
  if (GetSubSelect() != nullptr) return CloneNode(*GetSubSelect());
  return nullptr;
}
