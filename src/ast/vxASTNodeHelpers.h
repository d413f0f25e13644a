// Small helpers shared by the node implementations (not part of the public headers).
#pragma once

#include "vxASTExpressions.h"

#include <memory>
#include <vector>

namespace vx::ast {

// Appends an owned child to a children list when it is set.
template <class T>
void AppendChild(TastChildren& List, const std::unique_ptr<T>& Child) {
  if (Child) List.push_back(Child.get());
}

// Appends an owned item to a node's list and returns its index. A list starts with room for
// three: the allocator hands out no smaller block, and most lists of a statement stay short.
template <class T>
int AppendOwned(TastOwnedList<T>& Items, std::unique_ptr<T> Item) {
  if (Items.capacity() == 0) Items.reserve(3);
  Items.push_back(std::move(Item));
  return static_cast<int>(Items.size()) - 1;
}

// Every entry of a node's list, in order, moved into a plain vector; the list is left empty.
template <class T>
std::vector<std::unique_ptr<T>> TakeAll(TastOwnedList<T>& Items) {
  std::vector<std::unique_ptr<T>> Result(std::make_move_iterator(Items.begin()), std::make_move_iterator(Items.end()));
  TastOwnedList<T>().swap(Items);
  return Result;
}

// ContainsOnlyItemsWithFromSource of an expression that may be missing (false then).
inline bool RefersTo(const TSQLExpressionItem* Expression, const TSQLFromSource* FromSource) {
  return Expression != nullptr && Expression->ContainsOnlyItemsWithFromSource(FromSource);
}

}  // namespace vx::ast
