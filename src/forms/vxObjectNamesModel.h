// The names of one list of the add-object dialog, narrowed by a filter: the rows are the names
// that contain the filter text, ignoring case, in the metadata provider's order.
//
// Made for catalogs of many thousands of tables: each name is case-folded once, a filter that
// extends the previous one searches only the previous matches, and a change of filter resets
// the model in one step (a view lays out a reset at once, where removing rows range by range
// would cost it a pass per range).
#pragma once

#include "vxCommon.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QString>

#include <string>
#include <vector>

class TvxObjectNamesModel : public QAbstractListModel {
  Q_OBJECT

public:
  explicit TvxObjectNamesModel(QObject* Parent = nullptr);

  // Replaces every name; the filter stays.
  void SetNames(const TvxStringList& Names);
  int GetNamesCount() const { return FNames.Count(); }
  // Shows only the names that contain Filter, ignoring case; an empty Filter shows them all.
  void SetFilter(const QString& Filter);
  const QString& GetFilter() const { return FFilter; }
  // The name of the shown row Row exactly as the provider listed it.
  const std::string& GetCatalogName(int Row) const;
  // The shown row of the name Name (compared exactly); -1 when it is not shown.
  int FindRow(const QString& Name) const;
  // The picture of every row; rows already shown are repainted with it.
  void SetIcon(const QIcon& Icon);

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  // The name (display, edit and tool tip) and the picture.
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;

private:
  // The indexes into FNames of the names that contain Folded, searched among Candidates.
  std::vector<int> Matches(const QString& Folded, const std::vector<int>* Candidates) const;

  TvxStringList FNames;
  std::vector<QString> FShown;   // the names as the view shows them
  std::vector<QString> FFolded;  // the same, case-folded for the filter
  std::vector<int> FRows;        // shown row -> index into FNames
  QString FFilter;
  QString FFoldedFilter;
  QIcon FIcon;
};
