// Small helpers shared by the node implementations (not part of the public headers).
#pragma once

#include "vxASTExpressions.h"

#include <memory>

namespace vx::ast {

// Appends an owned child to a children list when it is set.
template <class T>
void AppendChild(TastChildren& List, const std::unique_ptr<T>& Child) {
  if (Child) List.push_back(Child.get());
}

// ContainsOnlyItemsWithFromSource of an expression that may be missing (false then).
inline bool RefersTo(const TSQLExpressionItem* Expression, const TSQLFromSource* FromSource) {
  return Expression != nullptr && Expression->ContainsOnlyItemsWithFromSource(FromSource);
}

}  // namespace vx::ast
