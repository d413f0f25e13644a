// The union operand's FROM clause operations: adding tables and derived tables, linking two
// fields as a dragged line does, and the links that foreign keys imply.
#include "vxBaseMetadataProvider.h"
#include "vxBaseSyntaxProvider.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQueryUnionSubQuery.h"

#include <algorithm>

namespace {

// The groups above Item, from the outermost (the FROM clause) down to Item's own group.
std::vector<TvxDatasourceGroup*> ParentChain(const TvxDatasourceBase* Item) {
  std::vector<TvxDatasourceGroup*> Chain;
  for (TvxDatasourceGroup* Group = Item->GetParentGroup(); Group != nullptr; Group = Group->GetParentGroup())
    Chain.insert(Chain.begin(), Group);
  return Chain;
}

// "Field" of Datasource (a name from its field list) as a column reference bound to the
// datasource's node.
std::unique_ptr<TSQLExpressionColumn> ColumnOf(TastSyntaxProvider* Dialect, TvxDatasource* Datasource,
                                               const std::string& Field, TvxNameFolding Folding) {
  auto Column = NewNode<TSQLObjectColumn>(Dialect);
  Column->AddName(Dialect != nullptr ? Dialect->QuoteName(Field, Folding) : Field);
  Column->SetFromSource(Datasource->GetNode());
  return NewNode<TSQLExpressionColumn>(Dialect, std::move(Column));
}

// Frees Datasource, just added to From and refused, and leaves From as it was: the last item
// going takes the FROM clause's node along, which a parsed "FROM" without sources (HadNode)
// still had before.
void DropRefusedDatasource(TvxFromClause* From, TvxDatasource* Datasource, bool HadNode) {
  delete Datasource;
  if (!HadNode || From->GetNode() != nullptr) return;
  From->EnsureNode();
  From->NotifySQLUpdated();
}

// Loads Node into a new item of From and shows it at Position. Prepare gets the loaded item
// before it shows; when loading or Prepare raises, the item goes again and the error passes on.
template <class TItem, class TPrepare>
TItem* AddLoadedDatasource(TvxFromClause* From, std::unique_ptr<TSQLFromSource> Node, const QPoint& Position,
                           TPrepare Prepare) {
  const bool HadNode = From->GetNode() != nullptr;
  From->EnsureNode();
  auto* Datasource = new TItem(From);
  try {
    Datasource->LoadFromAST(std::move(Node));
    Prepare(Datasource);
  } catch (...) {
    DropRefusedDatasource(From, Datasource, HadNode);
    throw;
  }
  Datasource->SetLeft(Position.x());
  Datasource->SetTop(Position.y());
  if (Datasource->CanCreateControls()) Datasource->CreateControl();
  return Datasource;
}

}  // namespace

TvxDataSourceObject* TvxUnionSubQuery::AddObject(const std::string& Name, const std::string& Alias) {
  return AddObjectAt(Name, QPoint(0, 0), Alias);
}

TvxDataSourceObject* TvxUnionSubQuery::AddObjectAt(const std::string& Name, const QPoint& Position,
                                                   const std::string& Alias) {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr || QueryBuilder->GetSyntaxProvider() == nullptr) return nullptr;
  TvxUpdateScope Update(this);
  // Name is the catalog's (a list entry is one name, even with a dot in it): quoted as it
  // needs, and qualified with the schema of the provider's lists when that is not the default.
  const TvxNameFolding Folding = QueryBuilder->GetNameFolding();
  std::unique_ptr<TSQLFromSource> Node = QueryBuilder->GetSyntaxProvider()->CreateSQLFromObject(Name, Alias, Folding);
  if (TvxBaseMetadataProvider* Metadata = QueryBuilder->GetMetadataProvider())
    if (const std::string Schema = Metadata->GetObjectsSchema(); !Schema.empty())
      if (auto* Table = dynamic_cast<TSQLFromObject*>(Node.get()); Table != nullptr && Table->GetObject() != nullptr)
        Table->GetObject()->AddPrefix(Node->GetSyntaxProvider()->QuoteName(Schema, Folding));
  Node->SetJoinKind(nullptr);
  // A table the database cannot describe is not added at all.
  return AddLoadedDatasource<TvxDataSourceObject>(FFromClause, std::move(Node), Position,
                                                  [](TvxDataSourceObject* Item) { Item->RefreshMetadata(); });
}

TvxDataSourceObject* TvxUnionSubQuery::AddObjectWithFK(const std::string& Name, const std::string& Alias) {
  return AddObjectWithFKAt(Name, QPoint(0, 0), Alias);
}

TvxDataSourceObject* TvxUnionSubQuery::AddObjectWithFKAt(const std::string& Name, const QPoint& Position,
                                                         const std::string& Alias) {
  TvxUpdateScope Update(this);
  const bool HadNode = FFromClause->GetNode() != nullptr;
  TvxDataSourceObject* Datasource = AddObjectAt(Name, Position, Alias);
  if (Datasource == nullptr) return nullptr;
  // A table whose keys cannot be read goes again: the user asked for both or neither.
  try {
    AddFKLinksForObject(Datasource);
  } catch (...) {
    DropRefusedDatasource(FFromClause, Datasource, HadNode);
    throw;
  }
  return Datasource;
}

TvxDataSourceQuery* TvxUnionSubQuery::AddSubQuery() {
  TastSyntaxProvider* Dialect = GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr;
  TvxUpdateScope Update(FFromClause);
  // "(SELECT) AS Query1": an empty query the user fills in on its own tab. Like any new
  // operand it has no FROM until its first datasource arrives.
  auto Select = NewNode<TSQLSubQuerySelectExpression>(Dialect);
  Select->SetSelectItems(NewNode<TSQLSelectItems>(Dialect));
  auto Statement = NewNode<TSQLSubSelectStatement>(Dialect);
  Statement->Add(std::move(Select));
  auto Node = NewNode<TSQLFromQuery>(Dialect);
  Node->SetAlias(NewNode<TSQLAliasObjectAsAlias>(Dialect, "Query1"));
  Node->SetSubSelect(std::move(Statement));
  FFromClause->EnsureNode();
  auto* Datasource = new TvxDataSourceQuery(FFromClause);
  Datasource->LoadFromAST(std::move(Node));
  if (Datasource->CanCreateControls()) Datasource->CreateControl();
  return Datasource;
}

TvxLink* TvxUnionSubQuery::AddLink(TvxDatasource* LeftDatasource, const std::string& LeftField,
                                   TvxDatasource* RightDatasource, const std::string& RightField) {
  if (LeftDatasource == nullptr || RightDatasource == nullptr ||
      !FFromClause->ContainsDatasource(LeftDatasource, true) || !FFromClause->ContainsDatasource(RightDatasource, true))
    throw EvxException("Can't link datasources outside the FROM clause of this query");
  // The link belongs to the later of the two items that hold the ends in their lowest common
  // group: its ON condition is the first place where both ends are known.
  const std::vector<TvxDatasourceGroup*> LeftChain = ParentChain(LeftDatasource);
  const std::vector<TvxDatasourceGroup*> RightChain = ParentChain(RightDatasource);
  size_t Common = 0;
  while (Common + 1 < LeftChain.size() && Common + 1 < RightChain.size() &&
         LeftChain[Common + 1] == RightChain[Common + 1])
    ++Common;
  TvxDatasourceGroup* Group = LeftChain[Common];
  TvxDatasourceBase* LeftItem = LeftDatasource;
  if (Common + 1 < LeftChain.size()) LeftItem = LeftChain[Common + 1];
  TvxDatasourceBase* RightItem = RightDatasource;
  if (Common + 1 < RightChain.size()) RightItem = RightChain[Common + 1];
  TvxDatasourceBase* Receiver = Group->IndexOf(LeftItem) >= Group->IndexOf(RightItem) ? LeftItem : RightItem;
  // Two fields of one datasource can only be joined by an ON condition when something joins
  // before it; the first item of a join has no ON to write the condition in.
  if (Group->IndexOf(Receiver) == 0)
    throw EvxException("Can't link a datasource to itself where nothing joins before it");

  TastSyntaxProvider* Dialect =
      GetNode() != nullptr && GetNode()->GetSyntaxProvider() != nullptr
          ? GetNode()->GetSyntaxProvider()
          : (GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr);
  const TvxNameFolding Folding =
      GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetNameFolding() : TvxNameFolding::nfNone;
  auto Expression =
      NewNode<TSQLExpressionOperatorBinary>(Dialect, ColumnOf(Dialect, LeftDatasource, LeftField, Folding), "=",
                                            ColumnOf(Dialect, RightDatasource, RightField, Folding));
  TvxUpdateScope Update(Receiver);
  TvxLink* Link =
      Receiver->CreateDatasourceLink(LeftDatasource, LeftField, RightDatasource, RightField, std::move(Expression));
  const TSQLJoinKind* Kind = Receiver->GetJoinKind();
  if (Kind == nullptr || dynamic_cast<const TSQLJoinKindCross*>(Kind) != nullptr)
    Receiver->SetJoinKind(
        NewNode<TSQLJoinKindInner>(GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetASTSyntaxProvider() : Dialect));
  Receiver->NotifySQLUpdated();
  Link->Repaint();
  return Link;
}

TvxLink* TvxUnionSubQuery::FindLink(const TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                                    const TvxDatasourceBase* RightDatasource, const std::string& RightField) const {
  return FFromClause->FindLink(LeftDatasource, LeftField, RightDatasource, RightField);
}

void TvxUnionSubQuery::FindTablesByDBName(const TSQLDatabaseObject& Name,
                                          std::vector<TvxDataSourceObject*>& List) const {
  FFromClause->FindTablesByDBName(Name, List);
}

void TvxUnionSubQuery::AddFKLinksForObject(TvxDataSourceObject* DataSourceObject) {
  TvxBaseMetadataProvider* Provider = GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetMetadataProvider() : nullptr;
  if (Provider == nullptr) throw EvxException("No metadata provider!");
  const TSQLDatabaseObject* Table = DataSourceObject != nullptr ? DataSourceObject->GetObjectName() : nullptr;
  if (Table == nullptr) return;
  TSQLMetadataRelationList Relations;
  Provider->GetTableRelations(*Table, Relations);
  const TastSyntaxProvider* Dialect = Table->GetSyntaxProvider();
  TvxUpdateScope Update(this);
  for (const auto& Relation : Relations) {
    if (!Relation || Relation->GetReferencedObject() == nullptr || Relation->GetReferencingObject() == nullptr)
      continue;
    const bool IsReferenced = Dialect != nullptr
                                  ? Dialect->IsDBObjectNamesEqual(*Relation->GetReferencedObject(), *Table)
                                  : vx::SameText(Relation->GetReferencedObject()->GetObjName(), Table->GetObjName());
    std::vector<TvxDataSourceObject*> Others;
    FindTablesByDBName(IsReferenced ? *Relation->GetReferencingObject() : *Relation->GetReferencedObject(), Others);
    const TvxStringList& Referenced = Relation->GetReferencedFields();
    const TvxStringList& Referencing = Relation->GetReferencingFields();
    const int Pairs = std::min(Referenced.Count(), Referencing.Count());
    for (TvxDataSourceObject* Other : Others) {
      if (Other == DataSourceObject) continue;
      // The referenced table is always the left end.
      TvxDataSourceObject* Left = IsReferenced ? DataSourceObject : Other;
      TvxDataSourceObject* Right = IsReferenced ? Other : DataSourceObject;
      for (int K = 0; K < Pairs; ++K)
        if (FindLink(Left, Referenced[K], Right, Referencing[K]) == nullptr)
          AddLink(Left, Referenced[K], Right, Referencing[K]);
    }
  }
}

// --- derived tables from a host's query --------------------------------------------------------

TvxDataSourceQuery* TvxUnionSubQuery::AddQuery(const std::string& SQL, const std::string& Alias) {
  return AddQueryAt(SQL, QPoint(0, 0), Alias);
}

TvxDataSourceQuery* TvxUnionSubQuery::AddQueryAt(const std::string& SQL, const QPoint& Position,
                                                 const std::string& Alias) {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr || QueryBuilder->GetSyntaxProvider() == nullptr) return nullptr;
  std::unique_ptr<TSQLSelectStatement> Statement = QueryBuilder->GetSyntaxProvider()->ParseSelect(SQL);
  // Prepared as the component prepares assigned text, but in a scope of its own.
  Statement->SimplifyTree();
  if (TvxBaseMetadataProvider* Metadata = QueryBuilder->GetMetadataProvider())
    Statement->RefreshFieldsListRecursive(Metadata);
  TSQLFromSourceList Sources;
  Statement->FixupObjects(Sources);
  // A derived table holds a sub-select, not a root statement: the chain moves over.
  TastSyntaxProvider* Dialect = QueryBuilder->GetASTSyntaxProvider();
  auto SubSelect = NewNode<TSQLSubSelectStatement>(Dialect);
  while (Statement->GetCount() > 0) SubSelect->Add(Statement->Extract(0));
  SubSelect->SetOrderBy(Statement->ExtractOrderBy());
  return AddQueryAt(std::move(SubSelect), Position, Alias);
}

TvxDataSourceQuery* TvxUnionSubQuery::AddQueryAt(std::unique_ptr<TSQLSubSelectStatement> Statement,
                                                 const QPoint& Position, const std::string& Alias) {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr || QueryBuilder->GetSyntaxProvider() == nullptr || !Statement) return nullptr;
  TastSyntaxProvider* Dialect = QueryBuilder->GetASTSyntaxProvider();
  TvxUpdateScope Update(this);
  auto Node = NewNode<TSQLFromQuery>(Dialect);
  Node->SetAlias(
      NewNode<TSQLAliasObjectAsAlias>(Dialect, Alias.empty() ? std::string("Query1") : Dialect->QuoteName(Alias)));
  Node->SetSubSelect(std::move(Statement));
  // Outside loading the box learns the columns of the derived table's SELECT.
  return AddLoadedDatasource<TvxDataSourceQuery>(FFromClause, std::move(Node), Position,
                                                 [](TvxDataSourceQuery* Item) { Item->NotifySQLUpdated(); });
}
