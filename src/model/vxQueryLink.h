// One join condition of a FROM clause, drawn as a line between two datasource boxes. Most links
// join a field of one datasource to a field of another; a field-less link carries any other
// condition. The owner item (the datasource whose ON condition the link is part of) writes the
// AND of its links' expressions; a link's ends and fields only place the line and its
// cardinality marks.
//
// Ownership: a link is a QObject owned by its owner item and listed in the item's joins. It owns
// its expression. Its two ends are guarded links (they may be any items of the same FROM
// clause); when an end goes, the owner frees the link.
#pragma once

#include "vxQBControlOwner.h"
#include "vxQBTypes.h"
#include "vxQueryDatasource.h"

#include <QPointer>

#include <memory>
#include <string>

// A link as its properties dialog shows and edits it. Left and right are those of the dialog:
// in simple mode the condition reads LeftObject.LeftColumn Operator RightObject.RightColumn,
// otherwise they are the link's ends.
struct TvxLinkProps {
  // What names each side: its alias, else its source's text.
  std::string LeftObject, RightObject;
  // Whether every row of that side is kept (an outer join towards it); both: a full join.
  bool AllFromLeft = false, AllFromRight = false;
  // True when the condition compares a column with a column (brackets around it or not): the
  // dialog then offers the operator alone.
  bool Simple = false;
  std::string LeftColumn, Operator, RightColumn;  // simple mode; columns without qualifier
  std::string Expression;                         // the condition's text otherwise
};

class TvxLink : public TvxQueryBuilderControlOwner {
  Q_OBJECT

public:
  // Owner must be a datasource item (EvxConvertError otherwise); the link joins its joins.
  explicit TvxLink(QObject* Owner);
  // Outside the destruction of its owner: leaves the owner's joins, and an owner left without
  // links joins by CROSS JOIN from then on.
  ~TvxLink() override;

  TvxDatasourceBase* GetOwnerItem() const { return FOwnerItem; }

  // The ends; the left one may be a group for a field-less link. Null once an end is gone.
  TvxDatasourceBase* GetLeftDatasource() const { return FLeftDatasource.data(); }
  void SetLeftDatasource(TvxDatasourceBase* Datasource);
  TvxDatasourceBase* GetRightDatasource() const { return FRightDatasource.data(); }
  void SetRightDatasource(TvxDatasourceBase* Datasource);
  // Field names at the ends; empty for a field-less link.
  const std::string& GetLeftField() const { return FLeftField; }
  void SetLeftField(const std::string& Field);
  const std::string& GetRightField() const { return FRightField; }
  // Repaints without announcing a change: the text is the expression's, not the fields'.
  void SetRightField(const std::string& Field);

  TvxQueryBuilderLinkCardinality GetLeftCardinality() const { return FLeftCardinality; }
  TvxQueryBuilderLinkCardinality GetRightCardinality() const { return FRightCardinality; }

  // The condition written into the owner's ON clause (owned); may be null.
  TSQLExpressionItem* GetLinkExpression() const { return FLinkExpression.get(); }
  // Takes ownership of Expression. One that writes the same text as the current expression is
  // freed and the current one kept; otherwise its nested SELECTs become sub-queries and the
  // cardinality is computed again.
  void SetLinkExpression(std::unique_ptr<TSQLExpressionItem> Expression);

  // Whether the owner joins by a left (right, full) outer join; false without a join kind.
  bool GetLeftType() const;
  bool GetRightType() const;

  // The datasource a line end attaches to: Datasource itself, or for a group its first item
  // (repeatedly), null at an empty group.
  static TvxDatasource* CalcDatasource(TvxDatasourceBase* Datasource);
  // From the foreign-key relations of the two tables: one-to-many in either direction, else
  // unknown at both ends. Only single-field relations between two tables count.
  void CalcCardinality();

  // --- properties (vxQueryLinkProps.cpp) ---
  TvxLinkProps GetProps() const;
  // Applies what the dialog edited, as one change: in simple mode Props.Operator replaces the
  // comparison's operator, otherwise Props.Expression is parsed and becomes the condition; then
  // the owner joins by the join kind the two AllFrom flags give (a new node, even of the same
  // kind). Text the dialect cannot read raises EvxSQLError (with the position in Expression, or
  // in the condition with the new operator) before anything changes.
  void SetProps(const TvxLinkProps& Props);

  QWidget* GetLinkControl() const { return GetControls(0); }
  // Lays the line out again and repaints it (TvxLinkView::UpdateLine).
  void Repaint();
  // The line's menu: "Remove" (frees the link) and "Edit..." (its properties, the default item).
  QMenu* GetPopupMenu() override;
  void GetASTChildren(TastChildren& List) const override;

protected:
  int GetControlsCount() const override { return 1; }
  QWidget* CreateControlInternal(int Index) override;

private:
  static QObject* CheckOwner(QObject* Owner);

  QPointer<TvxDatasourceBase> FLeftDatasource;
  std::string FLeftField;
  QPointer<TvxDatasourceBase> FRightDatasource;
  std::string FRightField;
  TvxDatasourceBase* FOwnerItem;
  TvxQueryBuilderLinkCardinality FRightCardinality = qblcUnknown;
  TvxQueryBuilderLinkCardinality FLeftCardinality = qblcUnknown;
  std::unique_ptr<TSQLExpressionItem> FLinkExpression;
};
