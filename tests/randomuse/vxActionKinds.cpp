#include "vxActionKinds.h"

namespace vxrandom {

const std::vector<TvxActionKind>& ActionKinds() {
  static const std::vector<TvxActionKind> Kinds = [] {
    std::vector<TvxActionKind> All;
    AddModelActions(All);
    AddWidgetActions(All);
    AddDiagramActions(All);
    AddDialogActions(All);
    AddInputActions(All);
    return All;
  }();
  return Kinds;
}

const TvxActionKind* FindActionKind(const std::string& Name) {
  for (const TvxActionKind& Kind : ActionKinds())
    if (Kind.Name == Name) return &Kind;
  return nullptr;
}

TvxUserAction MakeRandomAction(TvxRandom& Random, TRandomUseRig& Rig) {
  int Total = 0;
  for (const TvxActionKind& Kind : ActionKinds()) Total += Kind.Weight;
  // A kind with nothing to do gives way to another draw; "SetSnapToGrid" always has something.
  for (;;) {
    int Draw = Random.Below(Total);
    for (const TvxActionKind& Kind : ActionKinds()) {
      if ((Draw -= Kind.Weight) >= 0) continue;
      TvxUserAction Action = Kind.Make(Random, Rig);
      if (!Action.Kind.empty()) return Action;
      break;
    }
  }
}

}  // namespace vxrandom
