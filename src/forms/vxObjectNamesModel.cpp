#include "vxObjectNamesModel.h"

#include "vxQBStrings.h"

#include <numeric>

TvxObjectNamesModel::TvxObjectNamesModel(QObject* Parent) : QAbstractListModel(Parent) {}

void TvxObjectNamesModel::SetNames(const TvxStringList& Names) {
  beginResetModel();
  FNames = Names;
  FShown.clear();
  FFolded.clear();
  FShown.reserve(FNames.Items().size());
  FFolded.reserve(FNames.Items().size());
  for (const std::string& Name : FNames) {
    FShown.push_back(vx::ToQString(Name));
    FFolded.push_back(FShown.back().toCaseFolded());
  }
  FRows = Matches(FFoldedFilter, nullptr);
  endResetModel();
}

std::vector<int> TvxObjectNamesModel::Matches(const QString& Folded, const std::vector<int>* Candidates) const {
  std::vector<int> Result;
  if (Candidates == nullptr && Folded.isEmpty()) {
    Result.resize(FFolded.size());
    std::iota(Result.begin(), Result.end(), 0);
    return Result;
  }
  auto Consider = [&](int Index) {
    if (FFolded[static_cast<size_t>(Index)].contains(Folded)) Result.push_back(Index);
  };
  if (Candidates != nullptr) {
    for (int Index : *Candidates) Consider(Index);
  } else {
    for (int Index = 0; Index < static_cast<int>(FFolded.size()); ++Index) Consider(Index);
  }
  return Result;
}

void TvxObjectNamesModel::SetFilter(const QString& Filter) {
  if (Filter == FFilter) return;
  const QString Folded = Filter.toCaseFolded();
  // Every name that contains the longer text also contained the shorter one.
  const bool Narrower = Folded.contains(FFoldedFilter);
  beginResetModel();
  FRows = Matches(Folded, Narrower ? &FRows : nullptr);
  FFilter = Filter;
  FFoldedFilter = Folded;
  endResetModel();
}

const std::string& TvxObjectNamesModel::GetCatalogName(int Row) const {
  return FNames[FRows.at(static_cast<size_t>(Row))];
}

int TvxObjectNamesModel::FindRow(const QString& Name) const {
  for (size_t Row = 0; Row < FRows.size(); ++Row)
    if (FShown[static_cast<size_t>(FRows[Row])] == Name) return static_cast<int>(Row);
  return -1;
}

void TvxObjectNamesModel::SetIcon(const QIcon& Icon) {
  FIcon = Icon;
  if (!FRows.empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole});
}

int TvxObjectNamesModel::rowCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

QVariant TvxObjectNamesModel::data(const QModelIndex& Index, int Role) const {
  if (!Index.isValid() || Index.model() != this || Index.row() >= rowCount() || Index.column() != 0) return QVariant();
  const QString& Name = FShown[static_cast<size_t>(FRows[static_cast<size_t>(Index.row())])];
  switch (Role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
      return Name;
    case Qt::DecorationRole:
      return FIcon.isNull() ? QVariant() : QVariant(FIcon);
    default:
      return QVariant();
  }
}
