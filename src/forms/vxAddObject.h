// The add-object dialog: the metadata provider's tables and views, each list with a filter box
// above it, and "Add Object", which adds the chosen one to the active union operand -- a table
// with the links its foreign keys give when "Create Links From Foreign Keys" is ticked. The
// dialog stays open, so that several objects are added in a row; a double click, or Return in
// the list or the filter box, adds as the button does. Close (or Escape) hides it; the query
// builder keeps it for the next time.
//
// Its size, position, list style and pictures are the query builder's AddObjectFormOptions: the
// dialog takes them when they change and writes its size back when the user resizes it. A
// failure (the catalog cannot be read, a table cannot be described) shows under the lists and
// goes to the host through the component's actionFailed; the query stays as it was.
#pragma once

#include "vxQBControlViews.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QTabWidget;
class TvxObjectNamesModel;
class TvxQueryBuilder;

class TvxAddObjectForm : public QDialog, public TvxAddObjectFormView {
  Q_OBJECT

public:
  // A window over QueryBuilder's, owned by it; takes the options at once (LoadOptions).
  explicit TvxAddObjectForm(TvxQueryBuilder* QueryBuilder);

  void ShowModal() override;
  void NotifyOptionsChanged() override { LoadOptions(); }
  // Position, size, list style and pictures from the query builder's options.
  void LoadOptions();
  // The tables and views of the metadata provider, afresh; the Views tab only where the
  // dialect has views. What ShowModal does before it shows the dialog.
  void FillLists();

  // "Add Object": the current name of the active list is added to the active union operand.
  void bAddClick();
  // A double click on a name adds it.
  void lTablesDblClick(const QModelIndex& Index);
  void bCloseClick() { reject(); }

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

private:
  QWidget* CreatePage(QWidget* Parent, const char* Name, const char* FilterName, const char* ListName,
                      TvxObjectNamesModel* Model, QLineEdit*& Filter, QListView*& List);
  // The list of the tab that is shown, its model and filter box.
  QListView* ActiveList() const;
  TvxObjectNamesModel* ModelOf(const QListView* List) const;
  // Narrows List to Text; its current name stays current while shown, else the first match.
  void ApplyFilter(QListView* List, const QString& Text);
  void FormResize();
  void UpdateButtons();
  // Shows Text under the lists, in red when it reports a failure; empty Text hides the line.
  void ShowMessage(const QString& Text, bool Failure);
  // Shows Message as a failure and reports it through the component's actionFailed.
  void ReportFailure(const QString& Message);

  QPointer<TvxQueryBuilder> FQueryBuilder;
  TvxObjectNamesModel* FTables = nullptr;
  TvxObjectNamesModel* FViews = nullptr;
  QLabel* Label1 = nullptr;
  QTabWidget* pcObjects = nullptr;
  QWidget* tsTables = nullptr;
  QWidget* tsViews = nullptr;
  QLineEdit* eTablesFilter = nullptr;
  QLineEdit* eViewsFilter = nullptr;
  QListView* lTables = nullptr;
  QListView* lViews = nullptr;
  QCheckBox* cbAddFK = nullptr;
  QLabel* lMessage = nullptr;
  QPushButton* bAdd = nullptr;
  QPushButton* bClose = nullptr;
};
