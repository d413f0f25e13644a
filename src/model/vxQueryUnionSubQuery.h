// One union operand: a SELECT with its select list and FROM clause.
#pragma once

#include "vxQueryBase.h"

#include <QPoint>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TvxSortKeyForm : std::uint8_t;
class TvxDatasource;
class TvxDatasourceBase;
class TvxDataSourceObject;
class TvxDataSourceQuery;
class TvxFromClause;
class TvxLink;
class TvxSelectList;
class TvxWorkAreaView;
class QAction;

class TvxUnionSubQuery : public TvxQueryBase {
  Q_OBJECT

public:
  // Owner is the root sub-query, with which the operand registers (becoming its active operand
  // when it has none).
  explicit TvxUnionSubQuery(QObject* Owner);
  // Outside the destruction of the root sub-query the root's active operand becomes the operand
  // after this one in text order (the one before, for the last; none, for the only one); then
  // the operand leaves its group and unregisters.
  ~TvxUnionSubQuery() override;

  // Takes over a TSQLSubQuerySelectExpression.
  void LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) override;
  std::unique_ptr<TSQLSubQueryExpression> GetASTExpression() const override;
  // A fresh tree of the SELECT, owned by the caller.
  std::unique_ptr<TSQLSubQuerySelectExpression> GetASTSelect() const;
  // The operand's SELECT node (owned); null before loading.
  TSQLSubQuerySelectExpression* GetSelectNode() const;

  // --- the select list: select items, WHERE, GROUP BY, HAVING, ORDER BY (vxQueryUnionSubQuerySelect.cpp) ---
  // The operand's select list (owned, made in the constructor).
  TvxSelectList* GetSelectList() const { return FSelectList; }
  // The ORDER BY of the statement whose first operand this is (not of this SELECT alone): it
  // becomes the sort order of the select list's rows. Form is how the statement writes its keys.
  void LoadOrderByFromAST(std::unique_ptr<TSQLOrderByClause> OrderBy, TvxSortKeyForm Form);
  // The ORDER BY built from the select list, keys in Form, owned by the caller; null when nothing
  // is sorted.
  std::unique_ptr<TSQLOrderByClause> GetOrderByClause(TvxSortKeyForm Form) const;

  // The operand's controls once the page control's sheets and the navigation bar exist: the
  // union page (work area and select-list grid), the navigation-bar button, the operator.
  QWidget* GetUnionPage() const { return GetControls(0); }
  QWidget* GetUnionButton() const { return GetControls(1); }
  QWidget* GetUnionOperator() const override { return GetControls(2); }
  // The diagram area on the union page; null until the union page exists.
  QWidget* GetWorkArea() const;
  TvxWorkAreaView* GetWorkAreaView() const;

  // This operand's FROM sources in front of List, and in front of them those of the operands
  // that enclose its sub-query.
  void GetDatasourcesBottomUp(TSQLFromSourceList& List) const override;

  // --- union edits, as the menus make them ---
  // A new empty operand at the end of this operand's group, made the active one. Raises the
  // dialect's refusal ("This server don't support unions!" ...); null without a group.
  TvxUnionSubQuery* NewUnionSubQuery();
  // Puts this operand into a new bracketed group at its place; the group takes over the union
  // operator that joined the operand to the item before it. Raises the dialect's refusal
  // ("This server don't support brackets in unions!" ...); null without a group.
  TvxUnionGroup* EncloseWithBrackets();
  // The menus (in the component's shared menu, which is returned; null without a component).
  // The navigation-bar button's menu: the union items.
  QMenu* GetPopupMenu() override;
  // The work area's menu: "Add Table", "Add Subquery", "Union" (the union items), "Edit...".
  QMenu* GetPopupMenuWA();
  // Adds the union items ("New Union SubQuery", "Enclose With Brackets", "Remove") under
  // Parent, or at the menu's top level for null. They are disabled where the dialect forbids
  // them, and all of them without a syntax provider.
  void CreateUnionPopupMenu(QAction* Parent);
  // Menu handlers.
  void NewEvent(QObject* Sender) { NewUnionSubQuery(); }
  void BracketsEvent(QObject* Sender) { EncloseWithBrackets(); }
  void AddTableEvent(QObject* Sender);

  // --- the FROM clause: datasources and links (vxQueryUnionSubQueryFrom.cpp) ---
  // The operand's FROM clause (owned, made in the constructor).
  TvxFromClause* GetFromClause() const { return FFromClause; }
  // A table or view Name joined by a comma at the end of the FROM clause, its box at Position;
  // an empty Alias gives none. Name is an entry of the metadata provider's lists, a name of the
  // database, not SQL text: it is one name part (a dot inside belongs to the name), quoted as it
  // needs, also when the provider's server would fold it to another name, and qualified with the
  // provider's schema when that is not the connection's default (GetObjectsSchema). Alias is
  // the user's and quoted as it needs. Null without a component or syntax provider.
  TvxDataSourceObject* AddObject(const std::string& Name, const std::string& Alias = std::string());
  TvxDataSourceObject* AddObjectAt(const std::string& Name, const QPoint& Position,
                                   const std::string& Alias = std::string());
  // The same, then the links the foreign keys of the new table give ("No metadata provider!"
  // without a metadata provider; the table stays added).
  TvxDataSourceObject* AddObjectWithFK(const std::string& Name, const std::string& Alias = std::string());
  TvxDataSourceObject* AddObjectWithFKAt(const std::string& Name, const QPoint& Position,
                                         const std::string& Alias = std::string());
  // A new derived table "(SELECT) AS Query1" at the end of the FROM clause.
  TvxDataSourceQuery* AddSubQuery();
  void AddSubQueryEvent(QObject* Sender) { AddSubQuery(); }
  // A derived table holding a query the host has at hand (a stored query dropped on the work
  // area, say): SQL is parsed with the component's syntax provider and bound to the metadata on
  // its own (a derived table sees none of its neighbours); Statement is taken over as it is.
  // It joins by a comma at the end of the FROM clause, aliased Alias ("Query1" when empty), its
  // box at Position. Null, with nothing added, without a component or syntax provider; a parse
  // error (EvxSQLError) or a refusal of the metadata provider leaves nothing added either.
  TvxDataSourceQuery* AddQuery(const std::string& SQL, const std::string& Alias = std::string());
  TvxDataSourceQuery* AddQueryAt(const std::string& SQL, const QPoint& Position,
                                 const std::string& Alias = std::string());
  TvxDataSourceQuery* AddQueryAt(std::unique_ptr<TSQLSubSelectStatement> Statement, const QPoint& Position,
                                 const std::string& Alias = std::string());
  // A link from (LeftDatasource, LeftField) to (RightDatasource, RightField) with the condition
  // "left = right" (the fields are names from the datasources' field lists, quoted as they
  // need), owned by whichever of the two comes later in the FROM clause, which then
  // joins by an inner join when it joined by a comma or a cross join.
  TvxLink* AddLink(TvxDatasource* LeftDatasource, const std::string& LeftField, TvxDatasource* RightDatasource,
                   const std::string& RightField);
  // The first link from (Left, LeftField) to (Right, RightField) anywhere in the FROM clause
  // (field names ignoring case; the direction matters); null when there is none.
  TvxLink* FindLink(const TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                    const TvxDatasourceBase* RightDatasource, const std::string& RightField) const;
  // Adds the missing links of every foreign key between DataSourceObject's table and the other
  // tables of the FROM clause, one per field pair, the referenced table at the left end.
  void AddFKLinksForObject(TvxDataSourceObject* DataSourceObject);
  // Appends every table datasource whose table is Name for the dialect.
  void FindTablesByDBName(const TSQLDatabaseObject& Name, std::vector<TvxDataSourceObject*>& List) const;

protected:
  int GetControlsCount() const override { return 3; }
  QWidget* CreateControlInternal(int Index) override;
  // Of the union pages only the active operand's is seen.
  bool MakeVisible(int Index) override;

private:
  // The parts of the SELECT that other model objects edit: the select list (select items,
  // WHERE, GROUP BY, HAVING) and the FROM clause (datasources and links) take their clauses out
  // of the node here and give their trees back in SetClausesOnTree. What stays in the node (the
  // select mode, the union operator) is written back as it is.
  void LoadClausesFromAST(TSQLSubQuerySelectExpression& Node);
  void SetClausesOnTree(TSQLSubQuerySelectExpression& Tree) const;
  // The select list's share of the two: it takes the select items, WHERE, GROUP BY and HAVING
  // out of Node, and sets them on Tree.
  void LoadSelectListClauses(TSQLSubQuerySelectExpression& Node);
  void SetSelectListClauses(TSQLSubQuerySelectExpression& Tree) const;

  TvxSelectList* FSelectList = nullptr;  // owned (QObject child)
  TvxFromClause* FFromClause = nullptr;  // owned (QObject child)
};
