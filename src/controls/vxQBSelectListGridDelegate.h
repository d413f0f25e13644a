// How the select-list grid draws its cells: the row indicator column as a header section with a
// mark at the current row, the output column as a check box ("1" checked, "0" unchecked, "-1"
// unchecked and disabled, anything else no box), and every other cell as its text.
#pragma once

#include <QStyledItemDelegate>

class TvxQueryBuilderSelectListControl;

class TvxSelectListGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit TvxSelectListGridDelegate(TvxQueryBuilderSelectListControl* Grid);

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
  // The check box of a cell at Cell: the style's indicator size, centred (integer halves).
  static QRect CheckRect(const QWidget* Widget, const QRect& Cell);

private:
  void PaintIndicator(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const;
  void PaintCheck(QPainter* Painter, const QStyleOptionViewItem& Option, const QString& State) const;

  TvxQueryBuilderSelectListControl* FGrid;
};
