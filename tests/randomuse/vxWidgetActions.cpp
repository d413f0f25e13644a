// Actions a user takes on the widgets with the mouse and the keys: clicking a tab, choosing an
// item of a context menu.
#include "vxActionKinds.h"

#include "vxQueryBase.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QAction>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace vxrandom {
namespace {

// The menus a user can open where they are, in a fixed order: of the active operand (its
// navigation button), of its work area, of every box and line, of every select-list row, of
// the union operator and of the brackets of every item of the active sub-query.
using TMenuSource = std::function<QMenu*()>;

void CollectItems(const TvxUnionGroup& Group, std::vector<TvxQueryBase*>& Items) {
  for (int I = 0; I < Group.GetCount(); ++I) {
    TvxQueryBase* Item = Group.GetItems(I);
    Items.push_back(Item);
    if (auto* Inner = qobject_cast<TvxUnionGroup*>(Item)) CollectItems(*Inner, Items);
  }
}

std::vector<TMenuSource> MenuSources(TRandomUseRig& Rig) {
  std::vector<TMenuSource> Sources;
  TvxUnionSubQuery* Operand = Rig.ActiveOperand();
  if (Operand != nullptr) {
    Sources.push_back([Operand] { return Operand->GetPopupMenu(); });
    Sources.push_back([Operand] { return Operand->GetPopupMenuWA(); });
    for (TvxDatasource* Datasource : TRandomUseRig::Datasources(Operand))
      Sources.push_back([Datasource] { return Datasource->GetPopupMenu(); });
    for (TvxLink* Link : TRandomUseRig::Links(Operand)) Sources.push_back([Link] { return Link->GetPopupMenu(); });
    TvxSelectList* List = Operand->GetSelectList();
    for (int I = 0; I < List->GetCount(); ++I) {
      TvxSelectItem* Row = List->GetItems(I);
      Sources.push_back([Row] { return Row->GetPopupMenu(); });
    }
  }
  std::vector<TvxQueryBase*> Items;
  if (TvxSubQuery* SubQuery = Rig.ActiveSubQuery()) CollectItems(*SubQuery, Items);
  for (TvxQueryBase* Item : Items) {
    if (Item->GetParentQuery() != nullptr && Item->GetParentQuery()->IndexOf(Item) > 0)
      Sources.push_back([Item] { return Item->GetUnionOperatorPopupMenu(); });
    if (auto* Group = qobject_cast<TvxUnionGroup*>(Item)) Sources.push_back([Group] { return Group->GetPopupMenu(); });
  }
  return Sources;
}

// The items of Menu a click can choose: enabled, no separator, no submenu. The about box, the
// property dialogs ("...") and the add-object dialog ("Add Table") are modal: the dialog
// actions open them with a hand ready for them.
void ChoosableItems(const QMenu* Menu, std::vector<QAction*>& Items) {
  if (Menu == nullptr) return;
  for (QAction* Item : Menu->actions()) {
    if (Item->menu() != nullptr) {
      ChoosableItems(Item->menu(), Items);
      continue;
    }
    if (Item->isSeparator() || !Item->isEnabled() || Item->text().endsWith(QStringLiteral("...")) ||
        Item->text() == QStringLiteral("Add Table"))
      continue;
    Items.push_back(Item);
  }
}

void AddTabActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"ClickTab", 3,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const int Count = Rig.GetQueryBuilder().GetPageControl()->count();
                     if (Count < 2) return {};
                     return {"ClickTab", {Random.Below(Count)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     QTabBar* Bar = Rig.GetQueryBuilder().GetPageControl()->tabBar();
                     const int Tab = Wrap(Action.GetNumber(0), size_t(Bar->count()));
                     if (Tab < 0) return;
                     // A tab scrolled out of sight is brought in by the bar's arrows first.
                     Bar->setCurrentIndex(Bar->currentIndex());
                     const QRect Place = Bar->tabRect(Tab);
                     if (!Bar->rect().contains(Place.center())) return;
                     QTest::mouseClick(Bar, Qt::LeftButton, {}, Place.center());
                   }});
}

void AddNavBarActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"ClickUnionButton", 2,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     if (Rig.ActiveOperandCount() < 2) return {};
                     return {"ClickUnionButton", {Random.Below(Rig.ActiveOperandCount())}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TvxUnionSubQuery* Operand = Rig.OperandOfActive(Action.GetNumber(0));
                     QWidget* Button = Operand != nullptr ? Operand->GetUnionButton() : nullptr;
                     if (Button != nullptr && Button->isVisible())
                       QTest::mouseClick(Button, Qt::LeftButton, {}, Button->rect().center());
                   }});
}

void AddMenuActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"ChooseMenuItem", 8,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const std::vector<TMenuSource> Sources = MenuSources(Rig);
                     if (Sources.empty()) return {};
                     const int Source = Random.Below(int(Sources.size()));
                     std::vector<QAction*> Items;
                     ChoosableItems(Sources[size_t(Source)](), Items);
                     if (Items.empty()) return {};
                     const int Item = Random.Below(int(Items.size()));
                     return {"ChooseMenuItem", {Source, Item}, Items[size_t(Item)]->text().toStdString()};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     const std::vector<TMenuSource> Sources = MenuSources(Rig);
                     const int Source = Wrap(Action.GetNumber(0), Sources.size());
                     if (Source < 0) return;
                     std::vector<QAction*> Items;
                     ChoosableItems(Sources[size_t(Source)](), Items);
                     const int Item = Wrap(Action.GetNumber(1), Items.size());
                     if (Item >= 0) Items[size_t(Item)]->trigger();
                   }});
}

}  // namespace

void AddWidgetActions(std::vector<TvxActionKind>& Kinds) {
  AddTabActions(Kinds);
  AddNavBarActions(Kinds);
  AddMenuActions(Kinds);
}

}  // namespace vxrandom
