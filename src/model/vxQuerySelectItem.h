// One row of a union operand's select list: an expression with its alias, output flag, sort
// type and position, grouping type and any number of criteria cells. The criteria cells hold
// conditions whose left operand has been taken out (it stands for the row's expression); each
// cell index is a criteria column, and the columns are alternatives of the WHERE or HAVING
// condition (see TvxSelectList).
//
// Ownership: a row is a QObject owned by its select list. It owns its expression, its alias
// node and its criteria conditions. The datasource node is a link into the FROM clause.
#pragma once

#include "vxASTSelect.h"
#include "vxQBControlOwner.h"
#include "vxQBTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EvxSQLError;
class TvxBaseSyntaxProvider;
class TvxDatasource;
class TvxSelectList;

// How a sort key names its row. A SELECT sorts by the row's expression; the ORDER BY of a union
// sorts a result whose columns belong to no table, so there a key names the row's result column.
enum class TvxSortKeyForm : std::uint8_t { skExpression, skResultName };

class TvxSelectItem : public TvxQueryBuilderControlOwner {
  Q_OBJECT

public:
  // The row is owned by SelectList; the list places it in its row list (AddEmptyRow,
  // InsertEmptyRow), not the constructor. A new row is empty: no expression, no output,
  // stNone, gtExpression, no criteria.
  explicit TvxSelectItem(TvxSelectList* SelectList);
  // Unless the list is going too, the row leaves the row list and the sort order and the list
  // is told of the change.
  ~TvxSelectItem() override;

  TvxSelectList* GetSelectList() const { return FSelectList; }

  // --- loading and building ---
  // Takes Node over: a TSQLSelectItemExpression gives up its expression and alias (the shell is
  // freed) and sets output; another TSQLSelectItem (*, t.*) is kept itself and sets output; a
  // TSQLExpressionItem (a criteria, GROUP BY or ORDER BY column) is kept as it is, output
  // unchanged. The previous expression and alias are freed. Then the grouping type, field name
  // and datasource node are computed and nested SELECTs in the expression become sub-queries.
  void LoadFromAST(std::unique_ptr<TastNode> Node);
  // The row's select item, owned by the caller: a clone of a select-item expression, or a new
  // TSQLSelectItemExpression holding clones of the expression and alias; null without expression.
  std::unique_ptr<TSQLSelectItem> GetSelectItemTree() const;
  std::unique_ptr<TastNode> GetASTTree() const override { return GetSelectItemTree(); }
  // A new ORDER BY entry for the row, descending for stDesc; null for a row without an
  // expression that is a TSQLExpressionItem. Its key is a clone of the expression, or for
  // skResultName the bare name of the row's result column: the alias of an output row, else the
  // column's own name for a column reference (other expressions have no name and stay as they are).
  std::unique_ptr<TSQLOrderByItem> GetOrderByItem(TvxSortKeyForm Form) const;
  void GetASTChildren(TastChildren& List) const override;

  // --- the expression ---
  // The expression (owned): a TSQLExpressionItem or a TSQLSelectItem; null for an empty row.
  TastNode* GetExpressionNode() const { return FExpression.get(); }
  bool HasExpression() const { return FExpression != nullptr; }
  // True when the expression is a TSQLExpressionItem (not a select item such as t.*).
  bool IsExpressionOnly() const;
  // The expression as a TSQLExpressionItem, or null.
  TSQLExpressionItem* ExpressionOnly() const;
  // True when the expression is a TSQLExpressionItem writing the same text as Expression,
  // ignoring case outside literals and delimited names.
  bool IsEqualExpression(const TSQLExpressionItem& Expression) const;
  // What expressions are compared by: the one-line text, upper-cased outside literals and
  // delimited names. Empty for a row whose expression is not a TSQLExpressionItem.
  std::string GetComparisonText() const;
  static std::string ComparisonText(const TSQLExpressionItem& Expression);
  // The grid text: empty for an empty row; an aggregate whose computed grouping type is the
  // row's shows its argument (or "*"); otherwise the expression's one-line text.
  std::string GetExpression() const;
  // Parses Text as a select item, else as a logical expression, and makes it the row's
  // expression (an alias typed with it is dropped); empty text clears the row. Text that reads
  // as neither is refused with EvxSQLError, whose message says where the text goes wrong, and
  // the row stays as it was. Raises "No syntax provider specified!" without a syntax provider.
  // Nothing while the grid is filled or when the trimmed text equals GetExpression().
  void SetExpression(const std::string& Text);
  // A column reference to Field bound to Datasource's node (all its columns when Field is empty),
  // loaded as a select item, so output is set.
  void SetFieldExpression(TvxDatasource* Datasource, const std::string& Field);
  // For a plain column reference: its name as the database calls it (delimiters off),
  // upper-cased; empty otherwise.
  const std::string& GetFieldName() const { return FFieldName; }
  // For a column reference or t.*: the FROM source it belongs to (a link); null otherwise.
  TSQLFromSource* GetDatasourceNode() const { return FDatasourceNode; }
  void CalcColumnAndDatasource();

  // --- alias ---
  // The alias node (owned); null without alias.
  TSQLAlias* GetAliasNode() const { return FAlias.get(); }
  // The alias as the user reads and types it (a delimited alias without its delimiters).
  std::string GetAlias() const;
  // Trimmed and quoted as it needs; empty text or a row that takes no alias drops it. Nothing
  // while filling.
  void SetAlias(const std::string& Text);

  // --- output ---
  bool GetSelect() const { return FSelect; }
  // Raises "Can't select this expression" when setting true on a row that cannot be output.
  void SetSelect(bool Value);
  // A select item, or an expression that is not logical (or any, when the dialect accepts
  // logical expressions everywhere).
  bool IsCanSelect() const;
  bool IsCanSort() const;
  bool IsSupportsAlias() const;
  // Drops what the current expression does not allow: alias, output, sorting, criteria.
  void CheckItemProperties();

  // --- sorting ---
  TvxQueryBuilderItemSortType GetSortType() const { return FSortType; }
  // stNone takes the row out of the sort order; another type appends it when it is not there.
  void SetSortType(TvxQueryBuilderItemSortType Value);
  // "", "Ascending" or "Descending".
  std::string GetSortTypeName() const;
  // Empty gives stNone; otherwise the first name that begins with the text (ignoring case).
  void SetSortTypeName(const std::string& Text);
  // Position in the list's sort order (0-based); -1 for an unsorted row.
  int GetSortOrder() const;
  // Moves a sorted row to Index of the sort order, without notification.
  void SetSortOrder(int Index);
  // The position plus 1 as text, or empty for an unsorted row.
  std::string GetSortOrderName() const;
  // Empty unsorts; otherwise the row is sorted (stAsc when it was not) and moved to the 1-based
  // position the text gives, limited to the sort order.
  void SetSortOrderName(const std::string& Text);

  // --- grouping ---
  TvxQueryBuilderGroupByType GetGroupByType() const { return FGroupByType; }
  // Sets the type alone (the expression stays as it is); used while loading.
  void SetGroupByType(TvxQueryBuilderGroupByType Value) { FGroupByType = Value; }
  // gtAggregate or gtAggregateStar when the expression is an aggregate the dialect lists,
  // else gtExpression.
  TvxQueryBuilderGroupByType CalcGroupByType() const;
  // "Expression", "GroupBy", "Having", "Where"; for aggregates the aggregate's name as the
  // dialect spells it, with " Distinct" for a distinct one.
  std::string GetGroupByTypeName() const;
  // Changes the grouping type by name, wrapping or unwrapping the expression in an aggregate.
  void SetGroupByTypeName(const std::string& Text);
  // The grouping choices offered for this row (replaces the list's content).
  void GetGroupByNames(TvxStringList& Strings) const;

  // --- criteria ---
  int GetConditionsCount() const { return static_cast<int>(FCriteria.size()); }
  // The condition of cell Column (owned by the row, left operand missing); null for an empty
  // cell or a column past the end.
  TSQLExpressionItem* GetConditionNode(int Column) const;
  // The one-line text of cell Column, or empty.
  std::string GetCondition(int Column) const;
  // Edits cell Column from text: empty clears it, an integer n gives "= n", anything else is
  // parsed as a condition. Text that does not parse is refused with EvxSQLError, whose message
  // says where the text goes wrong; a criterion a logical row cannot be written with leaves the
  // cell as it was. Either way nothing changes. Nothing while filling.
  void SetCondition(int Column, const std::string& Text);
  // Takes Condition over and adds it to cell Column: into an empty cell, into the cell's AND
  // list, or together with the cell's condition (an OR list included) into a new AND list. Its
  // left operand is dropped when it equals the row's expression.
  void AddCondition(int Column, std::unique_ptr<TSQLExpressionItem> Condition);
  // Drops trailing empty cells.
  void ShrinkConditionsList();
  // Frees every cell.
  void ClearConditions();
  // Cell Column as it goes into the WHERE or HAVING condition, owned by the caller: a clone
  // with the row's expression as the left operand where it is missing, and every comparison
  // of a logical expression with TRUE or FALSE written as that expression (or its negation).
  // Null for an empty cell.
  std::unique_ptr<TSQLExpressionItem> GetConditionTree(int Column) const;

  // --- the row as a whole ---
  // Empties the row: expression, alias, criteria, output, sorting and grouping.
  void Clear();
  // Refreshes the row's grid line and announces the change.
  void ItemChanged();
  // "Remove Row" and "Insert Empty Row"; null for the last row and without a query builder.
  QMenu* GetPopupMenu() override;
  // Menu handler: an empty row at this row's position.
  void InsertEmptyEvent(QObject* Sender);
  // Silent while the row goes (its nodes' sub-queries go with it).
  void DoSQLUpdated() override;

protected:
  // A row whose expression, or all of whose criteria, lived on Datasource only loses them; a
  // row left without expression answers true (it must go).
  bool NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) override;

private:
  friend class TvxSelectList;

  // The dialect object new nodes are made with; may be null.
  TastSyntaxProvider* GetDialect() const;
  // The component's syntax provider; may be null.
  TvxBaseSyntaxProvider* GetSyntaxProviderComponent() const;
  // True while the list fills its grid (text edits are ignored then).
  bool IsFilling() const;
  // Applies a new grouping type to the expression (aggregate wrapping and unwrapping).
  void ChangeGroupByType(TvxQueryBuilderGroupByType NewType, const std::string& AggregateName, bool Distinct);
  // Text typed as an expression: a select item, else a condition or value (the caller's).
  static std::unique_ptr<TastNode> ParseExpressionText(TastSyntaxProvider& Dialect, const std::string& Text);
  // Error, which Text raised, with where Text goes wrong in its message: the column and token,
  // or the end of the text.
  static EvxSQLError RefusedText(const EvxSQLError& Error, const std::string& Text);
  // Binds the column references of Node to the datasources visible from the operand.
  void FixupNode(TastNode& Node) const;
  // Whether Condition (left operand missing or equal to the expression) can be written for
  // this row: a logical row takes only comparisons with TRUE or FALSE.
  bool IsConditionAllowed(const TSQLExpressionItem& Condition) const;
  void SetCell(int Column, std::unique_ptr<TSQLExpressionItem> Condition);

  TvxSelectList* FSelectList;
  bool FSelect = false;
  TvxQueryBuilderItemSortType FSortType = stNone;
  TvxQueryBuilderGroupByType FGroupByType = gtExpression;
  std::string FFieldName;
  TSQLFromSource* FDatasourceNode = nullptr;
  std::unique_ptr<TastNode> FExpression;
  std::unique_ptr<TSQLAlias> FAlias;
  std::vector<std::unique_ptr<TSQLExpressionItem>> FCriteria;
};
