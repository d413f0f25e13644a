// The menu shared by all model objects, tab captions, the about box and drops from the host.
#include "vxQBAboutBox.h"
#include "vxQBControlOwner.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QAction>
#include <QMenu>

// --- the shared popup menu ---------------------------------------------------------------------

void TvxQueryBuilder::PopupMenuClear() {
  const QList<QAction*> Items = FPopupMenu->actions();
  for (auto It = Items.rbegin(); It != Items.rend(); ++It) {
    // Submenus were made for their items and go with them.
    if (QMenu* SubMenu = (*It)->menu()) SubMenu->deleteLater();
    FPopupMenu->removeAction(*It);
    (*It)->deleteLater();
  }
  FPopupMenu->setDefaultAction(nullptr);
}

QAction* TvxQueryBuilder::PopupMenuAddItem(QAction* Parent, const QString& Caption, TvxNotifyEvent OnClick,
                                           bool Default, bool Checked, bool Enabled, TvxObject* Tag) {
  QMenu* Menu = FPopupMenu;
  if (Parent != nullptr) {
    Menu = Parent->menu();
    if (Menu == nullptr) {
      Menu = new QMenu(Parent->text(), FPopupMenu);
      Parent->setMenu(Menu);
    }
  }
  auto* Item = new QAction(Caption, FPopupMenu);
  if (OnClick) connect(Item, &QAction::triggered, Item, [Item, OnClick]() { OnClick(Item); });
  if (Checked) {
    Item->setCheckable(true);
    Item->setChecked(true);
  }
  Item->setEnabled(Enabled);
  if (Tag != nullptr) Item->setData(QVariant::fromValue(static_cast<void*>(Tag)));
  Menu->addAction(Item);
  if (Default) Menu->setDefaultAction(Item);
  return Item;
}

TvxObject* TvxQueryBuilder::GetMenuItemTag(const QAction* Item) {
  if (Item == nullptr) return nullptr;
  return static_cast<TvxObject*>(Item->data().value<void*>());
}

void TvxQueryBuilder::PopupMenuCompleted() {
  FPopupMenu->addSeparator();
  PopupMenuAddItem(
      nullptr, QStringLiteral("About Zarquel..."), [this](QObject*) { ShowAboutBox(); }, false, false, true, nullptr);
}

void TvxQueryBuilder::PopupMenuPopup(const QPoint& Point) { FPopupMenu->popup(Point); }

void TvxQueryBuilder::ShowAboutBox() {
  TvxAboutBox Box(this);
  Box.exec();
}

void TvxQueryBuilder::ReportActionError(const std::string& Message) { emit actionFailed(vx::ToQString(Message)); }

void TvxQueryBuilder::ShowAddObjectForm() {
  TvxSubQuery* SubQuery = GetActiveSubquery();
  emit addObjectFormRequested(SubQuery != nullptr ? SubQuery->GetActiveUnionSubquery() : nullptr);
}

// --- tab captions ------------------------------------------------------------------------------

void TvxQueryBuilder::GetTabHeaderText(TvxSubQuery* SubQuery, std::string& Text) {
  if (SubQuery->GetIsMainQuery())
    Text = "Main";
  else
    Text = vx::AbbreviateSQL(SubQuery->GetSQL(), "SELECT ", "SEL ", " FROM ", " FRM ", " ...");
  if (OnGetTabHeaderText) OnGetTabHeaderText(this, SubQuery, Text);
}

// --- drops from the host -----------------------------------------------------------------------

void TvxQueryBuilder::DragOver2(QObject* Source, int X, int Y, TvxDragState State, bool& Accept) {
  Accept = false;
  TvxSubQuery* SubQuery = GetActiveSubquery();
  if (!OnDragOver || SubQuery == nullptr) return;
  Accept = true;
  OnDragOver(SubQuery->GetActiveUnionSubquery(), Source, X, Y, State, Accept);
}

void TvxQueryBuilder::DragDrop2(QObject* Source, int X, int Y) {
  TvxSubQuery* SubQuery = GetActiveSubquery();
  if (!OnDragDrop || SubQuery == nullptr) return;
  OnDragDrop(SubQuery->GetActiveUnionSubquery(), Source, X, Y);
}
