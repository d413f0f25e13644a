// Actions through the dialogs: a box's properties by a double click on its caption, a line's
// by its menu's "Edit...", each changed and closed with OK or Cancel, and the add-object dialog
// from the work area's "Add Table", in which names are filtered, picked and added.
#include "vxActionKinds.h"
#include "vxDialogDriver.h"

#include "vxQBDataSourceControl.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQueryUnionSubQuery.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTest>

namespace vxrandom {
namespace {

QAction* FindItem(QMenu* Menu, const QString& Caption) {
  if (Menu == nullptr) return nullptr;
  for (QAction* Item : Menu->actions())
    if (Item->text() == Caption && Item->isEnabled()) return Item;
  return nullptr;
}

// Fills the properties dialog from Seed and presses OK or Cancel.
std::function<void(QDialog&)> EditProperties(int Seed, bool Accept) {
  return [Seed, Accept](QDialog& Dialog) {
    TvxRandom Random(static_cast<std::uint64_t>(Seed));
    ChangeFields(Dialog, Random);
    CloseDialog(Dialog, Accept);
  };
}

// An edit of one of Count objects in its properties dialog: which one, the draws that change
// the fields, OK or Cancel.
TvxUserAction MakePropertiesEdit(TvxRandom& Random, const char* Kind, size_t Count) {
  if (Count == 0) return {};
  return {Kind, {Random.Below(int(Count)), Random.Below(1000000), Random.Below(2)}};
}

void AddPropertiesActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back(
      {"EditBoxInDialog", 2,
       [](TvxRandom& Random, TRandomUseRig& Rig) {
         return MakePropertiesEdit(Random, "EditBoxInDialog", TRandomUseRig::Datasources(Rig.ActiveOperand()).size());
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         const std::vector<TvxDatasource*> All = TRandomUseRig::Datasources(Rig.ActiveOperand());
         const int At = Wrap(Action.GetNumber(0), All.size());
         auto* Box =
             At < 0 ? nullptr : qobject_cast<TvxQueryBuilderDataSourceControl*>(All[size_t(At)]->GetDSControl());
         if (Box == nullptr || !Box->isVisible()) return;
         TvxDialogDriver Driver(EditProperties(Action.GetNumber(1), Action.GetNumber(2) != 0));
         QTest::mouseDClick(Box, Qt::LeftButton, {}, Box->GetCaptionRect().center() - QPoint(10, 0));
       }});
  Kinds.push_back(
      {"EditLineInDialog", 2,
       [](TvxRandom& Random, TRandomUseRig& Rig) {
         return MakePropertiesEdit(Random, "EditLineInDialog", TRandomUseRig::Links(Rig.ActiveOperand()).size());
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         const std::vector<TvxLink*> All = TRandomUseRig::Links(Rig.ActiveOperand());
         const int At = Wrap(Action.GetNumber(0), All.size());
         QAction* Edit = At < 0 ? nullptr : FindItem(All[size_t(At)]->GetPopupMenu(), QStringLiteral("Edit..."));
         if (Edit == nullptr) return;
         TvxDialogDriver Driver(EditProperties(Action.GetNumber(1), Action.GetNumber(2) != 0));
         Edit->trigger();
       }});
}

void AddCatalogActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"AddObjectsInDialog", 2,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     if (Rig.ActiveOperand() == nullptr) return {};
                     return {"AddObjectsInDialog", {Random.Below(1000000)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TvxUnionSubQuery* Operand = Rig.ActiveOperand();
                     QAction* AddTable = Operand != nullptr
                                             ? FindItem(Operand->GetPopupMenuWA(), QStringLiteral("Add Table"))
                                             : nullptr;
                     if (AddTable == nullptr) return;
                     const int Seed = Action.GetNumber(0);
                     TvxDialogDriver Driver([Seed](QDialog& Dialog) { AddObjects(Dialog, Seed); });
                     AddTable->trigger();
                   }});
}

}  // namespace

void AddDialogActions(std::vector<TvxActionKind>& Kinds) {
  AddPropertiesActions(Kinds);
  AddCatalogActions(Kinds);
}

}  // namespace vxrandom
