// The select list of one union operand: the rows of the grid under its diagram. Besides the
// SELECT clause it holds the WHERE and HAVING conditions (split into per-row criteria cells,
// one criteria column per OR alternative), the GROUP BY list (a grouping type per row) and the
// ORDER BY list (a sort order over the rows).
//
// Ownership: the list is a QObject owned by its operand; the rows are QObjects owned by the
// list, which orders them in its row list. The sort order only orders rows. The list owns the
// emptied SELECT-list and GROUP BY nodes it was loaded from (kept for the fields the model does
// not edit, cloned when building).
#pragma once

#include "vxASTSelect.h"
#include "vxQBControlOwner.h"
#include "vxQBTypes.h"
#include "vxQuerySelectItem.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QPoint;
class TvxDatasource;
class TvxSelectListGridView;
class TvxSubSelectStatementProxy;
class TvxUnionSubQuery;

// The columns of the select-list grid; criteria column c is slcCriteria + c.
enum TvxSelectListColumn {
  slcIndicator,
  slcOutput,
  slcExpression,
  slcAlias,
  slcSortType,
  slcSortOrder,
  slcGroupBy,
  slcCriteria
};

// How a grid cell is edited: typed text, typed text with a "..." button, or a pick list.
enum TvxGridEditStyle { esSimple, esEllipsis, esPickList };

class TvxSelectList : public TvxQueryBuilderControlOwner {
  Q_OBJECT

public:
  // Grid columns before the criteria: row indicator, output, expression, alias, sort type,
  // sort order, grouping. Criteria column c is grid column FixedGridColumns + c.
  static constexpr int FixedGridColumns = slcCriteria;
  // Criteria columns shown at least, also when no row has that many cells.
  static constexpr int MinCriteriaColumns = 4;

  // Owned by Operand; starts with one empty row.
  explicit TvxSelectList(TvxUnionSubQuery* Operand);
  ~TvxSelectList() override;

  // --- rows ---
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TvxSelectItem* GetItems(int Index) const;  // EvxListError when out of range
  int IndexOf(const TvxSelectItem* Row) const;
  TvxSelectItem* AddEmptyRow();
  // Index 0..count; EvxListError outside.
  TvxSelectItem* InsertEmptyRow(int Index);
  void RemoveLastRow();
  // Moves a row within the list; EvxListError for an index out of range.
  void Move(int From, int To);
  // Clears every row, last first, inside one update (the rows stay, emptied).
  void Clear();
  // A new row (appended, or inserted at Index) whose expression is Text (see
  // TvxSelectItem::SetExpression).
  TvxSelectItem* AddExpression(const std::string& Text);
  TvxSelectItem* InsertExpression(int Index, const std::string& Text);

  // --- fields ticked in a datasource box ---
  // A new output row for Field of Datasource (all its columns for an empty Field).
  TvxSelectItem* AddField(TvxDatasource* Datasource, const std::string& Field);
  TvxSelectItem* InsertField(int Index, TvxDatasource* Datasource, const std::string& Field);
  // The first row for Field of Datasource (empty Field: the row of all its columns); null if none.
  TvxSelectItem* FindField(const TvxDatasource* Datasource, const std::string& Field) const;
  // Rows for Field lose their output; those without alias are emptied and moved after the last
  // row that still has an expression.
  void RemoveFields(TvxDatasource* Datasource, const std::string& Field);

  // The first row whose grouping type is in Allowed and whose expression equals Expression (its
  // type becomes Type when it was gtExpression); else the first empty row or a new one, loaded
  // with a clone of Expression (not output), of type Type when it computes as gtExpression.
  TvxSelectItem* FindOrAddSelectItem(const TSQLExpressionItem& Expression, TvxQueryBuilderGroupByTypes Allowed,
                                     TvxQueryBuilderGroupByType Type);

  // --- loading (each takes its node over) ---
  // Rows for the SELECT clause; null makes an empty list node. The node is kept, emptied.
  void LoadSelectListFromAST(std::unique_ptr<TSQLSelectItems> SelectItems);
  // Spreads a WHERE (Type gtWhere) or HAVING (gtHaving) condition over criteria cells: an OR
  // gives one criteria column per alternative, the items of an AND one condition each.
  void LoadConditionFromAST(std::unique_ptr<TSQLExpressionItem> Condition, TvxQueryBuilderGroupByType Type);
  // ANDs Condition (taken over) to the WHERE clause without changing what the clause says so far:
  // the criteria columns are alternatives, so each column that holds a WHERE condition gets a
  // copy (the first column when none does).
  void AddWhereCondition(std::unique_ptr<TSQLExpressionItem> Condition);
  // Grouping types from a GROUP BY list; null makes an empty list node. The node is kept, emptied.
  void LoadGroupByListFromAST(std::unique_ptr<TSQLGroupByList> GroupByList);
  // The sort order from the ORDER BY of the statement whose first operand this list belongs to;
  // Form is how the clause is built back. A key that is the bare name of an output alias sorts
  // that row. A key that builds back as an earlier key cannot change the order and is dropped:
  // the first keeps its place and direction.
  void LoadOrderByListFromAST(std::unique_ptr<TSQLOrderByClause> OrderByClause, TvxSortKeyForm Form);

  // --- building (every result is owned by the caller) ---
  // The SELECT list: every output row with an expression, in row order.
  std::unique_ptr<TSQLSelectItems> GetASTSelectItems() const;
  std::unique_ptr<TastNode> GetASTTree() const override { return GetASTSelectItems(); }
  // The condition of the rows whose grouping type is in Types: the OR over criteria columns of
  // the AND over the rows' cells in each column; null when there is none. The operand asks with
  // {gtWhere} for WHERE and {gtGroupBy, gtHaving, gtAggregateStar, gtAggregate} for HAVING.
  std::unique_ptr<TSQLExpressionItem> GetConditionTree(TvxQueryBuilderGroupByTypes Types) const;
  // The expressions of the gtGroupBy rows; null when there is none.
  std::unique_ptr<TSQLGroupByList> GetGroupByTree() const;
  // The sorted rows in sort order, each key in Form; null when nothing is sorted.
  std::unique_ptr<TSQLOrderByClause> GetOrderByClause(TvxSortKeyForm Form) const;
  void GetASTChildren(TastChildren& List) const override;

  // --- sort order ---
  int GetSortOrderCount() const { return static_cast<int>(FSortOrder.size()); }
  TvxSelectItem* GetSortOrderItems(int Index) const;  // EvxListError when out of range
  int SortOrderIndexOf(const TvxSelectItem* Row) const;

  // --- grid content ---
  // The grid (control 0) and what the list fills it through; null while it does not exist.
  QWidget* GetSelectListControl() const { return GetControls(0); }
  TvxSelectListGridView* GetGridView() const;
  // True while FillList runs; the text edits of the rows do nothing meanwhile.
  bool GetIsFilling() const { return FFilling; }
  // Columns of the grid: the fixed ones plus max(4, largest criteria count + 1) criteria columns.
  int GetGridColumnCount() const;
  // The text of Row in grid column Column: output state ("-2" no expression, "-1" cannot be
  // output, "1", "0"), expression, alias, sort type name, sort order name, grouping name, then
  // the criteria cells; empty for the row indicator and past the criteria.
  std::string GetCellText(const TvxSelectItem& Row, int Column) const;
  // The texts of Row's grid line, one per grid column.
  std::vector<std::string> GetRowTexts(const TvxSelectItem& Row) const;
  // Refills the whole grid: one line per row under the title row.
  void FillList();
  // Writes Row's texts into grid line GridRow (1-based) and keeps Row with the line.
  void FillRow(TvxSelectItem* Row, int GridRow);
  // The grid line that shows Row; -1 when none does.
  int FindItemRow(const TvxSelectItem* Row) const;
  // Refills Row's grid line, adding a line when it has none.
  void Update(TvxSelectItem* Row);

  // --- editing in the grid (Row null: a line that shows no row) ---
  // Whether column Column of Row takes typed text: the expression always, the alias, sort type
  // and order when the row takes them, the grouping when there is an expression, the criteria
  // when the expression is a value or condition. Never the indicator or the output column.
  bool CanEditCell(int Column, const TvxSelectItem* Row) const;
  // A "..." button where the cell's expression or criterion holds nested SELECTs; a pick list
  // for the expression, sorting, grouping and the criteria of a logical row; else plain text.
  TvxGridEditStyle GetEditStyle(int Column, const TvxSelectItem* Row) const;
  // The choices of Column's pick list for Row (replaces the content of Strings).
  void GetPickList(int Column, const TvxSelectItem& Row, TvxStringList& Strings) const;
  // Text typed into Column of Row goes to the row (SetExpression, SetAlias, SetSortTypeName,
  // SetSortOrderName, SetGroupByTypeName, SetCondition) when it differs from the cell's text;
  // what the row refuses is raised and changes nothing.
  void SetEditText(int Column, TvxSelectItem* Row, const std::string& Text);
  // The proxies of the nested SELECTs in Row's cell: the expression's (column 2) or the
  // criterion's (criteria columns), in registration order.
  void GetCellSubQueries(int Column, const TvxSelectItem& Row, std::vector<TvxSubSelectStatementProxy*>& List) const;
  // The cell's "..." button: one nested SELECT becomes the active sub-query (its tab shows);
  // several are offered in the sub-query menu at ScreenPoint; none does nothing.
  void EditCellSubQueries(int Column, TvxSelectItem& Row, const QPoint& ScreenPoint);
  // A field of Datasource dropped on the grid goes in as a new output row: in front of Before,
  // or, dropped on the title or below the rows (Before null), in front of the trailing empty row
  // (appended when the last row is not empty).
  TvxSelectItem* DropField(TvxDatasource* Datasource, const std::string& Field, const TvxSelectItem* Before);

  // --- pick lists of the grid (each replaces the content of Strings) ---
  // "" , "Ascending", "Descending".
  static void GetSortTypeNames(TvxStringList& Strings);
  // "1" .. N for the N sorted rows, and N + 1 when Row is not sorted yet.
  void GetSortOrderNames(const TvxSelectItem& Row, TvxStringList& Strings) const;
  // "=TRUE", "=FALSE".
  static void GetCriteriaNames(TvxStringList& Strings);
  // For each named datasource of the operand: "name.*" and "name.field" for every field.
  void GetExpressionNames(TvxStringList& Strings) const;

  // Keeps one empty row at the end, refills the grid, updates the datasource check marks and
  // passes the notification on.
  void DoSQLUpdated() override;

protected:
  int GetControlsCount() const override { return 1; }
  QWidget* CreateControlInternal(int Index) override;
  // A new grid shows the rows at once.
  void RestoreControlParams(int Index) override { FillList(); }

private:
  friend class TvxSelectItem;

  TastSyntaxProvider* GetDialect() const;
  TvxSelectItem* NewRow(int Index);
  // Called by a row that goes.
  void RowDestroying(TvxSelectItem* Row);
  void AddToSortOrder(TvxSelectItem* Row);
  void RemoveFromSortOrder(TvxSelectItem* Row);
  void MoveInSortOrder(TvxSelectItem* Row, int Index);
  // Places one condition of a WHERE or HAVING in criteria column Column.
  void PlaceCondition(std::unique_ptr<TSQLExpressionItem> Condition, int Column, TvxQueryBuilderGroupByType Type);
  // Keeps exactly one empty row at the end.
  void TidyRows();
  // The first row whose grouping type is in Allowed and whose expression equals Expression.
  TvxSelectItem* FindSelectItem(const TSQLExpressionItem& Expression, TvxQueryBuilderGroupByTypes Allowed) const;

  // Row Expression is loaded into (a clone, not output): the first empty row, or a new one.
  TvxSelectItem* LoadIntoFreeRow(const TSQLExpressionItem& Expression);

  // The result columns a bare sort key can name, by name upper-cased: output rows by their
  // alias and, where keys name result columns (TvxSortKeyForm::skResultName), output column
  // references without alias by their column's name. Of two rows of one name the first counts.
  using TResultColumns = std::unordered_map<std::string, TvxSelectItem*>;
  TResultColumns GetResultColumns(TvxSortKeyForm Form) const;
  // The row a sort key sorts: the result column a bare name names; for a position a row of its
  // own, since the number is built back as it stands and keeps meaning the column at that place
  // (an output row whose expression is that number may be sorted by its alias); otherwise the
  // row of the key's expression.
  TvxSelectItem* FindOrAddSortedRow(const TSQLOrderByItem& Item, const TResultColumns& Columns);
  // Row's ORDER BY entry in Form. An expression that would read back as another column (a
  // number is a position; a bare name may be another row's alias) gives way to the row's own
  // alias where the alias names this row.
  std::unique_ptr<TSQLOrderByItem> GetSortKey(const TvxSelectItem& Row, TvxSortKeyForm Form,
                                              const TResultColumns& Columns) const;

  // Rows by the comparison text of their expression, kept only while conditions and grouping
  // lists load: finding each condition's row by writing every row's expression again would make
  // loading quadratic in the size of the query.
  struct TExpressionIndex {
    std::unordered_map<std::string, std::vector<TvxSelectItem*>> Rows;  // each in list order
    std::unordered_map<const TvxSelectItem*, std::string> Texts;
    // A number per row that grows with the row's place in the list: rows sharing a text are
    // kept in list order by it, without looking their places up in the list.
    std::unordered_map<const TvxSelectItem*, size_t> Order;
    size_t NextOrder = 0;
    // The index is filled when a load first looks a row up: a load with nothing to look up
    // (no GROUP BY, say) costs nothing.
    bool Built = false;
    // Rows before this place hold expressions; a free row for a new expression is looked for
    // from here on.
    size_t FilledBefore = 0;
  };
  class TIndexedLoading;
  // Files Row under the present text of its expression (nothing without an index).
  void IndexRow(TvxSelectItem* Row);
  void UnindexRow(const TvxSelectItem* Row);
  // Numbers the rows afresh in list order (after a row came in other than at the end).
  void NumberRows();
  // Files every row afresh (after rows changed places).
  void ReindexRows();
  // Fills the index of the running load when it is still empty.
  void EnsureIndex();

  std::vector<TvxSelectItem*> FItems;
  std::vector<TvxSelectItem*> FSortOrder;
  bool FFilling = false;
  bool FTidying = false;  // rows dropped by the tidy-up do not announce themselves
  std::unique_ptr<TSQLSelectItems> FSelectItemsNode;
  std::unique_ptr<TSQLGroupByList> FGroupByNode;
  std::unique_ptr<TExpressionIndex> FExpressionIndex;  // null when no load is running
};
