// The kinds of action a random user takes. A kind knows how to make an action at random from
// where the user is and how to do it on a component; adding a kind is one entry in a table
// (vxModelActions.cpp for what a host or a widget asks of the model, vxWidgetActions.cpp for
// mouse and key events on tabs and menus, vxDiagramActions.cpp for those on boxes and lines,
// vxDialogActions.cpp for the dialogs, vxInputActions.cpp for keys typed into the grid, mouse
// drags onto the grid and in the navigation bar, right clicks and the host's drops).
#pragma once

#include "vxRandom.h"
#include "vxRandomUseRig.h"
#include "vxUserAction.h"

#include <functional>
#include <string>
#include <vector>

class TvxSelectItem;
class TvxSelectList;

namespace vxrandom {

struct TvxActionKind {
  std::string Name;
  // How often the kind comes up relative to the others.
  int Weight = 1;
  // An action of this kind; one with an empty Kind when the state offers nothing to do.
  std::function<TvxUserAction(TvxRandom&, TRandomUseRig&)> Make;
  // Does Action. Numbers that point past what the model holds wrap around; with nothing to
  // point at the action does nothing.
  std::function<void(TRandomUseRig&, const TvxUserAction&)> Do;
  // A call of the model's API, as a host or a dialog makes it: the model's refusal comes back
  // to the caller as an EvxException. A user's mouse or key event must raise nothing at all.
  bool ModelCall = false;
};

// Every kind, in a fixed order (the order is part of what a seed means).
const std::vector<TvxActionKind>& ActionKinds();
// The kind named Name; null for none.
const TvxActionKind* FindActionKind(const std::string& Name);
// An action of a kind drawn by weight among those that have something to do.
TvxUserAction MakeRandomAction(TvxRandom& Random, TRandomUseRig& Rig);

// The tables of the five files.
void AddModelActions(std::vector<TvxActionKind>& Kinds);
void AddWidgetActions(std::vector<TvxActionKind>& Kinds);
void AddDiagramActions(std::vector<TvxActionKind>& Kinds);
void AddDialogActions(std::vector<TvxActionKind>& Kinds);
void AddInputActions(std::vector<TvxActionKind>& Kinds);

// The text a user puts into Column of Row: an entry of the cell's pick list, the output
// check's "1" or "0", or something typed (valid or not).
std::string MakeCellText(TvxRandom& Random, const TvxSelectList& List, const TvxSelectItem& Row, int Column);

// Index wrapped into 0 .. Count - 1; -1 when Count is 0.
inline int Wrap(int Index, size_t Count) {
  return Count == 0 ? -1 : static_cast<int>(static_cast<size_t>(Index < 0 ? -Index : Index) % Count);
}

}  // namespace vxrandom
