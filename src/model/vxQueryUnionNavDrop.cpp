#include "vxQueryUnionNavDrop.h"

#include "vxQueryBase.h"
#include "vxQuerySubQuery.h"

#include <algorithm>

namespace {

using enum TvxNavItemKind;

void AppendItems(std::vector<TvxNavItem>& List, TvxUnionGroup* Group) {
  for (int Index = 0; Index < Group->GetCount(); ++Index) {
    TvxQueryBase* Item = Group->GetItems(Index);
    auto* Inner = qobject_cast<TvxUnionGroup*>(Item);
    if (Inner == nullptr) {
      List.push_back({Item, nikButton});
      continue;
    }
    List.push_back({Inner, nikLeftBracket});
    AppendItems(List, Inner);
    List.push_back({Inner, nikRightBracket});
  }
}

// Where Entry stands in the bar of its root sub-query; -1 when it is not there.
int PositionOf(const TvxNavItem& Entry) {
  TvxSubQuery* Root = Entry.Item != nullptr ? Entry.Item->GetRootQuery() : nullptr;
  if (Root == nullptr) return -1;
  const std::vector<TvxNavItem> List = vx::BuildNavList(Root);
  const auto Found = std::find(List.begin(), List.end(), Entry);
  return Found == List.end() ? -1 : static_cast<int>(Found - List.begin());
}

bool Before(const TvxNavItem& First, const TvxNavItem& Second) { return PositionOf(First) < PositionOf(Second); }

// True when A and B stand in the same group and A comes first.
bool SiblingBefore(const TvxQueryBase* A, const TvxQueryBase* B) {
  const TvxUnionGroup* Parent = A->GetParentQuery();
  return Parent != nullptr && Parent == B->GetParentQuery() && Parent->IndexOf(A) < Parent->IndexOf(B);
}

TvxUnionGroup* GroupOf(const TvxNavItem& Entry) { return qobject_cast<TvxUnionGroup*>(Entry.Item); }

// An operator stands for its operand: the operand's button, or the group's left bracket.
bool Accepts(const TvxNavItem& Target, const TvxNavItem& Dragged) {
  TvxQueryBase* T = Target.Item;
  TvxUnionGroup* H = GroupOf(Dragged);
  switch (Target.Kind) {
    case nikButton:
      if (Dragged.Kind == nikButton) return Dragged.Item != T;
      if (Dragged.Kind == nikLeftBracket) return H == T->GetParentQuery() || SiblingBefore(T, H);
      return H == T->GetParentQuery() || SiblingBefore(H, T);
    case nikLeftBracket:
      if (Dragged.Kind == nikButton) return true;
      if (Dragged.Kind == nikLeftBracket) return H == T || SiblingBefore(T, H);
      return H == T->GetParentQuery();
    case nikRightBracket:
      if (Dragged.Kind == nikButton) return true;
      if (Dragged.Kind == nikRightBracket) return H == T || SiblingBefore(H, T);
      return H == T->GetParentQuery();
  }
  return false;
}

}  // namespace

namespace vx {

std::vector<TvxNavItem> BuildNavList(TvxUnionGroup* Root) {
  std::vector<TvxNavItem> List;
  if (Root != nullptr) AppendItems(List, Root);
  return List;
}

bool CanDropNavItem(const TvxNavItem& Target, const TvxNavItem& Dragged) {
  if (Target.Item == nullptr || Dragged.Item == nullptr) return false;
  if (Target.Item->GetRootQuery() != Dragged.Item->GetRootQuery()) return false;
  if ((Dragged.Kind == nikButton) == (GroupOf(Dragged) != nullptr)) return false;
  return Accepts(Target, Dragged);
}

void DropNavItem(const TvxNavItem& Target, const TvxNavItem& Dragged) {
  if (!CanDropNavItem(Target, Dragged) || Target == Dragged) return;
  TvxQueryBase* T = Target.Item;
  TvxQueryBase* S = Dragged.Item;
  TvxUnionGroup* H = GroupOf(Dragged);
  TvxUnionGroup* G = GroupOf(Target);
  switch (Target.Kind) {
    case nikButton:
      if (Dragged.Kind == nikButton) {
        if (Before(Target, Dragged))
          T->InsertBefore(S);
        else
          T->InsertAfter(S);
      } else if (Dragged.Kind == nikLeftBracket) {
        if (H == T->GetParentQuery())
          H->RemoveFromBegin(T);
        else
          H->AddToBegin(T);
      } else if (H == T->GetParentQuery()) {
        H->RemoveFromEnd(T);
      } else {
        H->AddToEnd(T);
      }
      return;
    case nikLeftBracket:
      if (Dragged.Kind == nikButton) {
        if (Before(Target, Dragged)) {
          G->InsertBefore(S);
        } else {
          S->SetParentQuery(G);
          G->Move(G->GetCount() - 1, 0);
        }
      } else if (Dragged.Kind == nikLeftBracket) {
        if (H != G) H->AddToBegin(G);
      } else {
        H->RemoveFromEnd(G);
      }
      return;
    case nikRightBracket:
      if (Dragged.Kind == nikButton) {
        if (Before(Target, Dragged))
          S->SetParentQuery(G);
        else
          G->InsertAfter(S);
      } else if (Dragged.Kind == nikRightBracket) {
        if (H != G) H->AddToEnd(G);
      } else {
        H->RemoveFromBegin(G);
      }
      return;
  }
}

}  // namespace vx
