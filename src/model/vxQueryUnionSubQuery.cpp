#include "vxQueryUnionSubQuery.h"

#include "vxBaseSyntaxProvider.h"
#include "vxQBControlFactory.h"
#include "vxQBControlViews.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"

#include <QAction>

#include <algorithm>

TvxUnionSubQuery::TvxUnionSubQuery(QObject* Owner) : TvxQueryBase(Owner) {
  if (GetRootQuery() != nullptr) GetRootQuery()->RegisterUnionSubQuery(this);
  FFromClause = new TvxFromClause(this);
  FSelectList = new TvxSelectList(this);
}

TvxUnionSubQuery::~TvxUnionSubQuery() {
  MarkDestroying();
  DestroyControl();
  // The datasources and links ask the operand about itself while they go: they must go while
  // it is still an operand.
  delete FFromClause;
  FFromClause = nullptr;
  delete FSelectList;
  FSelectList = nullptr;
  TvxSubQuery* Root = GetRootQuery();
  if (Root == nullptr) return;
  // A group the operand leaves empty goes with it.
  TvxUnionEditScope Edit(Root);
  if (!Root->IsDestroying()) {
    // Whichever operand was active, the one next to the freed one is shown: the user looked at
    // this part of the union last.
    TvxUnionSubQuery* Next = nullptr;
    const int Count = Root->GetUnionSubQueriesCount();
    for (int I = 0; I < Count; ++I) {
      if (Root->GetUnionSubQueries(I) != this) continue;
      if (I + 1 < Count)
        Next = Root->GetUnionSubQueries(I + 1);
      else if (I > 0)
        Next = Root->GetUnionSubQueries(I - 1);
      break;
    }
    Root->SetActiveUnionSubquery(Next);
  }
  if (TvxUnionGroup* Old = GetParentQuery()) {
    LeaveParent();
    if (!Old->IsDestroying()) Old->NotifySQLUpdated();
  }
  Root->UnregisterUnionSubQuery(this);
}

TSQLSubQuerySelectExpression* TvxUnionSubQuery::GetSelectNode() const {
  return static_cast<TSQLSubQuerySelectExpression*>(FNode.get());
}

void TvxUnionSubQuery::LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) {
  TvxQueryBase::LoadFromAST(vx::CastNode<TSQLSubQuerySelectExpression>(std::move(Node)));
  BeginUpdate();
  struct TEnd {
    TvxUnionSubQuery* Operand;
    ~TEnd() { Operand->EndUpdate(); }
  } End{this};
  LoadClausesFromAST(*GetSelectNode());
  NotifySQLUpdated();
}

void TvxUnionSubQuery::LoadClausesFromAST(TSQLSubQuerySelectExpression& Node) {
  // An empty GROUP BY list would still write its keywords; the select list drops it too.
  if (Node.GetGroupBy() != nullptr && Node.GetGroupBy()->GetCount() == 0) Node.SetGroupBy(nullptr);
  // The FROM clause takes its sources out first, so that the nested SELECTs of derived tables and
  // ON conditions become sub-queries of the datasources and links that hold them.
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  const int First = QueryBuilder != nullptr ? QueryBuilder->GetSubQueriesCount() : 0;
  FFromClause->LoadFromClause(Node.ExtractFrom());
  const int AfterFrom = QueryBuilder != nullptr ? QueryBuilder->GetSubQueriesCount() : 0;
  LoadSelectListClauses(Node);
  // While the node keeps all its clauses, the nested SELECTs anywhere in it become sub-queries
  // of this operand; the select list and the FROM clause do this for their own parts later.
  LoadSubQueries(&Node);
  // The tabs follow the text a reader scans: the select list, WHERE, GROUP BY and HAVING, then
  // FROM, whatever the order of loading.
  if (QueryBuilder != nullptr) QueryBuilder->RotateSubQueries(First, AfterFrom);
}

void TvxUnionSubQuery::SetClausesOnTree(TSQLSubQuerySelectExpression& Tree) const {
  SetSelectListClauses(Tree);
  TastNodeMap FromCopies;
  Tree.SetFrom(FFromClause->GetASTFromClause(&FromCopies));
  // The other clauses were copied with their columns bound to the model's FROM sources; the
  // tree is the caller's and must not point into the model.
  vx::ReplaceLinksInTree(Tree, FromCopies);
}

std::unique_ptr<TSQLSubQuerySelectExpression> TvxUnionSubQuery::GetASTSelect() const {
  std::unique_ptr<TSQLSubQuerySelectExpression> Tree;
  if (GetSelectNode() != nullptr)
    Tree = CloneNode(*GetSelectNode());
  else
    Tree =
        NewNode<TSQLSubQuerySelectExpression>(GetQueryBuilder() ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr);
  SetClausesOnTree(*Tree);
  return Tree;
}

std::unique_ptr<TSQLSubQueryExpression> TvxUnionSubQuery::GetASTExpression() const { return GetASTSelect(); }

void TvxUnionSubQuery::GetDatasourcesBottomUp(TSQLFromSourceList& List) const {
  FFromClause->GetDatasourcesBottomUp(List);
  if (GetRootQuery() != nullptr)
    if (TvxUnionSubQuery* Outer = GetRootQuery()->GetUnionSubQuery()) Outer->GetDatasourcesBottomUp(List);
}

// --- controls ----------------------------------------------------------------------------------

QWidget* TvxUnionSubQuery::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  if (Factory == nullptr) return nullptr;
  switch (Index) {
    case 0:
      return Factory->CreateUnionPage(this);
    case 1:
      return Factory->CreateUnionButton(this);
    default:
      return Factory->CreateUnionOperator(this);
  }
}

bool TvxUnionSubQuery::MakeVisible(int Index) {
  return Index != 0 || (GetRootQuery() != nullptr && GetRootQuery()->GetActiveUnionSubquery() == this);
}

QWidget* TvxUnionSubQuery::GetWorkArea() const {
  auto* Page = dynamic_cast<TvxUnionPageView*>(GetUnionPage());
  return Page != nullptr ? Page->GetWorkArea() : nullptr;
}

TvxWorkAreaView* TvxUnionSubQuery::GetWorkAreaView() const { return dynamic_cast<TvxWorkAreaView*>(GetWorkArea()); }

// --- union edits and menus ---------------------------------------------------------------------

TvxUnionSubQuery* TvxUnionSubQuery::NewUnionSubQuery() {
  TvxUnionGroup* Parent = GetParentQuery();
  if (Parent == nullptr) return nullptr;
  TvxUnionSubQuery* Operand = Parent->Add();
  if (Operand != nullptr) GetRootQuery()->SetActiveUnionSubquery(Operand);
  return Operand;
}

TvxUnionGroup* TvxUnionSubQuery::EncloseWithBrackets() {
  TvxUnionGroup* Parent = GetParentQuery();
  if (Parent == nullptr) return nullptr;
  TvxUnionEditScope Edit(GetRootQuery());
  const int Index = Parent->IndexOf(this);
  TvxUnionGroup* Group = Parent->AddGroup();
  if (Group == nullptr) return nullptr;
  Parent->Move(Parent->GetCount() - 1, Index);
  // The brackets must not change what the union means: the group joins the item before it as
  // the operand did.
  Group->GetNode()->SetUnionOperator(GetNode()->GetUnionOperator());
  Group->GetNode()->SetUnionAll(GetNode()->GetUnionAll());
  SetParentQuery(Group);
  Group->UpdateUnionOperator();
  return Group;
}

void TvxUnionSubQuery::CreateUnionPopupMenu(QAction* Parent) {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr) return;
  const bool HasSyntaxProvider = QueryBuilder->GetSyntaxProvider() != nullptr;
  QueryBuilder->PopupMenuAddItem(Parent, QStringLiteral("New Union SubQuery"),
                                 vx::BindEvent(this, &TvxUnionSubQuery::NewEvent), false, false, CanAddUnions(),
                                 nullptr);
  QueryBuilder->PopupMenuAddItem(Parent, QStringLiteral("Enclose With Brackets"),
                                 vx::BindEvent(this, &TvxUnionSubQuery::BracketsEvent), false, false, CanAddBrackets(),
                                 nullptr);
  QueryBuilder->PopupMenuAddItem(
      Parent, QStringLiteral("Remove"), vx::BindEvent(this, &TvxQueryBuilderControlOwner::RemoveEvent), false, false,
      HasSyntaxProvider && GetRootQuery() != nullptr && GetRootQuery()->GetUnionSubQueriesCount() >= 2, nullptr);
}

QMenu* TvxUnionSubQuery::GetPopupMenu() {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr) return nullptr;
  QueryBuilder->PopupMenuClear();
  CreateUnionPopupMenu(nullptr);
  QueryBuilder->PopupMenuCompleted();
  return QueryBuilder->GetPopupMenu();
}

QMenu* TvxUnionSubQuery::GetPopupMenuWA() {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr) return nullptr;
  QueryBuilder->PopupMenuClear();
  QueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Add Table"),
                                 vx::BindEvent(this, &TvxUnionSubQuery::AddTableEvent), false, false, true, nullptr);
  QueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Add Subquery"),
                                 vx::BindEvent(this, &TvxUnionSubQuery::AddSubQueryEvent), false, false, true, nullptr);
  QAction* Union =
      QueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Union"), nullptr, false, false, true, nullptr);
  CreateUnionPopupMenu(Union);
  QueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Edit..."),
                                 vx::BindEvent(this, &TvxQueryBuilderControlOwner::EditPropsEvent), true, false,
                                 QueryBuilder->GetSyntaxProvider() != nullptr, nullptr);
  QueryBuilder->PopupMenuCompleted();
  return QueryBuilder->GetPopupMenu();
}

void TvxUnionSubQuery::AddTableEvent(QObject*) {
  if (GetQueryBuilder() != nullptr) GetQueryBuilder()->ShowAddObjectForm();
}
