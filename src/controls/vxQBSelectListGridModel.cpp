#include "vxQBSelectListGridModel.h"

#include "vxQBStrings.h"
#include "vxQuerySelectList.h"

TvxSelectListGridModel::TvxSelectListGridModel(QObject* Parent) : QAbstractTableModel(Parent) {}

int TvxSelectListGridModel::rowCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : static_cast<int>(FLines.size());
}

int TvxSelectListGridModel::columnCount(const QModelIndex& Parent) const { return Parent.isValid() ? 0 : FColumnCount; }

QVariant TvxSelectListGridModel::data(const QModelIndex& Index, int Role) const {
  if (!checkIndex(Index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const QString Text = GetText(Index.row(), Index.column());
  switch (Role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text;
    case Qt::ToolTipRole:
      // Texts are often wider than their column.
      return Index.column() > slcOutput && !Text.isEmpty() ? QVariant(Text) : QVariant();
    case Qt::CheckStateRole:
      if (Index.column() != slcOutput || Text == QLatin1String("-2") || Text.isEmpty()) return {};
      return Text == QLatin1String("1") ? Qt::Checked : Qt::Unchecked;
    default:
      return {};
  }
}

QVariant TvxSelectListGridModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
  if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole || Section < 0 || Section >= FColumnCount) return {};
  static const char* const Titles[] = {"", "Output", "Expression", "Alias", "Sort Type", "Sort Order", "Group By"};
  if (Section < slcCriteria) return QString::fromLatin1(Titles[Section]);
  return Section == slcCriteria ? QStringLiteral("Criteria") : QStringLiteral("Or...");
}

TvxSelectListGridModel::TLine TvxSelectListGridModel::ToLine(TvxSelectListGridLine Line) {
  TLine Result;
  Result.Item = Line.Item;
  Result.Texts.reserve(static_cast<qsizetype>(Line.Texts.size()));
  for (const std::string& Text : Line.Texts) Result.Texts.append(vx::ToQString(Text));
  return Result;
}

void TvxSelectListGridModel::SetColumnCount(int Count) {
  if (Count == FColumnCount) return;
  if (Count > FColumnCount) {
    beginInsertColumns(QModelIndex(), FColumnCount, Count - 1);
    FColumnCount = Count;
    endInsertColumns();
  } else {
    beginRemoveColumns(QModelIndex(), Count, FColumnCount - 1);
    FColumnCount = Count;
    endRemoveColumns();
  }
}

void TvxSelectListGridModel::SetLines(std::vector<TvxSelectListGridLine> Lines, int ColumnCount) {
  SetColumnCount(ColumnCount);
  const int Old = rowCount();
  const int New = static_cast<int>(Lines.size());
  if (New < Old) {
    beginRemoveRows(QModelIndex(), New, Old - 1);
    FLines.resize(static_cast<size_t>(New));
    endRemoveRows();
  }
  for (int Row = 0; Row < std::min(Old, New); ++Row)
    FLines[static_cast<size_t>(Row)] = ToLine(std::move(Lines[static_cast<size_t>(Row)]));
  if (New > Old) {
    beginInsertRows(QModelIndex(), Old, New - 1);
    for (int Row = Old; Row < New; ++Row) FLines.push_back(ToLine(std::move(Lines[static_cast<size_t>(Row)])));
    endInsertRows();
  }
  if (std::min(Old, New) > 0 && FColumnCount > 0)
    emit dataChanged(index(0, 0), index(std::min(Old, New) - 1, FColumnCount - 1));
}

void TvxSelectListGridModel::SetLine(int Row, TvxSelectListGridLine Line) {
  if (Row < 0 || Row > rowCount()) return;
  if (Row == rowCount()) {
    beginInsertRows(QModelIndex(), Row, Row);
    FLines.push_back(ToLine(std::move(Line)));
    endInsertRows();
    return;
  }
  FLines[static_cast<size_t>(Row)] = ToLine(std::move(Line));
  if (FColumnCount > 0) emit dataChanged(index(Row, 0), index(Row, FColumnCount - 1));
}

TvxSelectItem* TvxSelectListGridModel::GetItem(int Row) const {
  return Row >= 0 && Row < rowCount() ? FLines[static_cast<size_t>(Row)].Item : nullptr;
}

QString TvxSelectListGridModel::GetText(int Row, int Column) const {
  if (Row < 0 || Row >= rowCount()) return {};
  const QStringList& Texts = FLines[static_cast<size_t>(Row)].Texts;
  return Column >= 0 && Column < Texts.size() ? Texts[Column] : QString();
}
