// The demo's result pane: the first rows a query returns, how many and how long it took, or
// the database's message when the query fails.
#pragma once

#include <QWidget>

class QLabel;
class QSqlDatabase;
class QStandardItemModel;
class QTableView;

class TvxDemoResults : public QWidget {
  Q_OBJECT

public:
  // More rows than this are neither fetched nor counted: a query over a large table stays quick.
  static constexpr int MaxRows = 1000;

  explicit TvxDemoResults(QWidget* Parent = nullptr);

  // Runs SQL on Db and shows up to MaxRows rows with their count and the time taken. False when
  // the database refuses it: the rows go and the database's message is shown instead.
  bool Execute(const QSqlDatabase& Db, const QString& SQL);
  // Forgets the rows (as when the database changes) and shows Hint in their place.
  void Clear(const QString& Hint);
  // The line above the rows: "96 rows in 3.1 ms", the first rows of more, or the error.
  QString GetSummary() const;
  bool HasError() const { return FError; }
  QStandardItemModel* GetModel() const { return FModel; }
  QTableView* GetView() const { return vRows; }

private:
  void ShowSummary(const QString& Text, bool Error);

  QLabel* lSummary = nullptr;
  QTableView* vRows = nullptr;
  QStandardItemModel* FModel = nullptr;
  bool FError = false;
};
