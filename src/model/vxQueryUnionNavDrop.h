// What dragging an item of the union navigation bar onto another does to the union tree. The
// bar shows every operand as a button and every group in brackets as a left and a right
// bracket; dragging one onto another moves operands and brackets. The bar's widgets only ask
// these functions, so that the rules are tested without widgets.
#pragma once

#include <vector>

class TvxQueryBase;
class TvxUnionGroup;

enum class TvxNavItemKind { nikButton, nikLeftBracket, nikRightBracket };

// One item of the bar: an operand's button, or a group's left or right bracket.
struct TvxNavItem {
  TvxQueryBase* Item = nullptr;
  TvxNavItemKind Kind = TvxNavItemKind::nikButton;
  bool operator==(const TvxNavItem&) const = default;
};

namespace vx {

// The items of Root's union tree left to right as the bar shows them: an operand's button; a
// group's left bracket, its contents, its right bracket.
std::vector<TvxNavItem> BuildNavList(TvxUnionGroup* Root);
// Whether Dragged may be dropped on Target.
bool CanDropNavItem(const TvxNavItem& Target, const TvxNavItem& Dragged);
// Drops Dragged on Target (where CanDropNavItem says yes): moves the operand before or after
// the target, into or out of the target's brackets, or moves a bracket over the target. The
// model's refusals raise as its calls do.
void DropNavItem(const TvxNavItem& Target, const TvxNavItem& Dragged);

}  // namespace vx
