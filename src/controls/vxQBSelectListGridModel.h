// The cells of the select-list grid as a Qt table model: the texts the select list writes, one
// line per row, with the row each line shows. Read-only for views: edits go to the select list,
// which writes the texts back. The horizontal header holds the column titles: none over the row
// indicator, "Output", "Expression", "Alias", "Sort Type", "Sort Order", "Group By", "Criteria",
// then "Or..." over every further criteria column.
#pragma once

#include "vxQBControlViews.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

class TvxSelectListGridModel : public QAbstractTableModel {
  Q_OBJECT

public:
  explicit TvxSelectListGridModel(QObject* Parent = nullptr);

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
  // The display and edit roles give the cell's text, the tool tip role too (past the output
  // column); the output column answers the check state role ("1" checked, "0" and "-1"
  // unchecked, "-2" none).
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;

  // Replaces every line and the column count. Lines that stay keep their place, so that a view's
  // current cell stays where it was.
  void SetLines(std::vector<TvxSelectListGridLine> Lines, int ColumnCount);
  // Line Row (0-based; Row == rowCount() appends) shows Line.
  void SetLine(int Row, TvxSelectListGridLine Line);
  void SetColumnCount(int Count);
  // The row line Row shows; null for a free line or outside the lines.
  TvxSelectItem* GetItem(int Row) const;
  QString GetText(int Row, int Column) const;

private:
  struct TLine {
    TvxSelectItem* Item = nullptr;
    QStringList Texts;
  };
  static TLine ToLine(TvxSelectListGridLine Line);

  std::vector<TLine> FLines;
  int FColumnCount = 0;
};
