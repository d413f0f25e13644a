#include "vxDemoResults.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QStandardItem* MakeCell(const QVariant& Value) {
  auto* Cell = new QStandardItem;
  Cell->setEditable(false);
  if (Value.isNull()) {
    Cell->setText(QStringLiteral("NULL"));
    Cell->setForeground(Qt::gray);
    QFont Font;
    Font.setItalic(true);
    Cell->setFont(Font);
    return Cell;
  }
  // Sorting reads the value itself, so that numbers sort as numbers. Sums of floating-point
  // values carry noise in their last digits, which twelve significant digits leave out.
  Cell->setData(Value, Qt::UserRole);
  const int Type = Value.metaType().id();
  QLocale Locale;
  Locale.setNumberOptions(QLocale::OmitGroupSeparator);
  Cell->setText(Type == QMetaType::Double ? Locale.toString(Value.toDouble(), 'g', 12) : Value.toString());
  if (Type == QMetaType::Int || Type == QMetaType::LongLong || Type == QMetaType::Double || Type == QMetaType::UInt ||
      Type == QMetaType::ULongLong)
    Cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return Cell;
}

QString Duration(qint64 Nanoseconds) { return QStringLiteral("%1 ms").arg(Nanoseconds / 1e6, 0, 'f', 1); }

QString RowCount(int Rows) {
  return Rows == 1 ? TvxDemoResults::tr("1 row") : TvxDemoResults::tr("%L1 rows").arg(Rows);
}

}  // namespace

TvxDemoResults::TvxDemoResults(QWidget* Parent) : QWidget(Parent) {
  auto* Title = new QLabel(tr("<b>Results</b>"), this);
  lSummary = new QLabel(this);
  lSummary->setObjectName(QStringLiteral("lSummary"));
  lSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lSummary->setWordWrap(true);
  FModel = new QStandardItemModel(this);
  FModel->setSortRole(Qt::UserRole);
  vRows = new QTableView(this);
  vRows->setObjectName(QStringLiteral("vRows"));
  vRows->setModel(FModel);
  vRows->setAlternatingRowColors(true);
  vRows->setSortingEnabled(true);
  vRows->verticalHeader()->setDefaultSectionSize(vRows->fontMetrics().height() + 6);
  vRows->horizontalHeader()->setHighlightSections(false);

  auto* Header = new QHBoxLayout;
  Header->addWidget(Title);
  Header->addSpacing(8);
  Header->addWidget(lSummary, 1);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(6, 4, 6, 6);
  Layout->setSpacing(4);
  Layout->addLayout(Header);
  Layout->addWidget(vRows, 1);
  Clear(tr("Press F5 to run the query on the database."));
}

bool TvxDemoResults::Execute(const QSqlDatabase& Db, const QString& SQL) {
  FModel->clear();
  vRows->sortByColumn(-1, Qt::AscendingOrder);
  QElapsedTimer Timer;
  Timer.start();
  QSqlQuery Query(Db);
  Query.setForwardOnly(true);
  if (!Query.exec(SQL)) {
    const QString Message = Query.lastError().databaseText().trimmed();
    ShowSummary(
        tr("The database refused the query: %1").arg(Message.isEmpty() ? Query.lastError().text().trimmed() : Message),
        true);
    return false;
  }
  const QSqlRecord Record = Query.record();
  QStringList Headers;
  for (int I = 0; I < Record.count(); ++I) Headers << Record.fieldName(I);
  FModel->setHorizontalHeaderLabels(Headers);
  int Rows = 0;
  bool More = false;
  while (Query.next()) {
    if (Rows == MaxRows) {
      More = true;
      break;
    }
    QList<QStandardItem*> Cells;
    for (int I = 0; I < Record.count(); ++I) Cells << MakeCell(Query.value(I));
    FModel->appendRow(Cells);
    ++Rows;
  }
  const qint64 Elapsed = Timer.nsecsElapsed();
  if (More)
    ShowSummary(tr("The first %1 (the query returns more) in %2").arg(RowCount(Rows), Duration(Elapsed)), false);
  else
    ShowSummary(tr("%1 in %2").arg(RowCount(Rows), Duration(Elapsed)), false);
  vRows->resizeColumnsToContents();
  return true;
}

void TvxDemoResults::Clear(const QString& Hint) {
  FModel->clear();
  ShowSummary(Hint, false);
}

QString TvxDemoResults::GetSummary() const { return lSummary->text(); }

void TvxDemoResults::ShowSummary(const QString& Text, bool Error) {
  FError = Error;
  lSummary->setText(Text);
  lSummary->setStyleSheet(Error ? QStringLiteral("QLabel { color: #8a1c12; }") : QString());
}
