// The diagram's layout apart from the SQL: where each box stands and how large it is, which link
// painter draws the lines, and which tab and union operand are shown. A host keeps it next to a
// query's text and reapplies it after assigning that text; the undo history keeps one with every
// step.
//
// Sub-queries are told apart by their place in the component's list and a fingerprint of their
// text (empty for the main query), operands by their place in text order, boxes by alias and name (and, among boxes
// with the same alias and name, by their order in the FROM clause). Positions are work-area pixels of the unzoomed
// diagram, as the datasources' GetLeft/GetTop/GetWidth/GetHeight give them.
//
// The text form is line-oriented and versioned:
//
//   vxqb-layout 1
//   painter "TvxQueryBuilderLinkPainterAccess"
//   tab 0
//   subquery "9c1f0e2a7b3d4c55" 0
//   operand
//   box "c" "Customers" 10 10 120 154
//
// "painter" is optional (an empty name is the component's default painter), "tab" the index of
// the shown sub-query among the "subquery" lines, each of which gives the fingerprint and the
// index of its shown operand. "operand" and "box" lines belong to the sub-query and operand above
// them; a box line gives alias and name, then left, top, width and height. Names are written in
// double quotes with \" \\ \n \r \t and \xHH escapes for quotes, backslashes and control
// characters; any other byte (UTF-8 text) stands as it is. Empty lines and lines starting with
// "#" are skipped.
#pragma once

#include <QRect>

#include <string>
#include <vector>

class TvxQueryBuilder;

// One box: the datasource's alias and name (both empty for what has neither) and its bounds.
struct TvxBoxLayout {
  std::string Alias;
  std::string Name;
  QRect Bounds;
  bool operator==(const TvxBoxLayout&) const = default;
};

// The boxes of one union operand, in FROM order.
struct TvxOperandLayout {
  std::vector<TvxBoxLayout> Boxes;
  bool operator==(const TvxOperandLayout&) const = default;
};

// One sub-query: the fingerprint of its text, its shown operand and its operands in text order.
struct TvxSubQueryLayout {
  std::string Key;
  int ActiveOperand = 0;
  std::vector<TvxOperandLayout> Operands;
  bool operator==(const TvxSubQueryLayout&) const = default;
};

class TvxQueryLayout {
public:
  // The layout of QueryBuilder's model as it stands.
  static TvxQueryLayout Capture(const TvxQueryBuilder& QueryBuilder);
  // Reads the text form; raises EvxException naming the line for text that is not a layout of
  // this version, and then nothing has been read.
  static TvxQueryLayout Parse(const std::string& Text);
  // The text form, one entry a line, lines ending in LF.
  std::string ToText() const;

  // Puts every box of QueryBuilder's model that the layout names where the layout says (moved
  // and sized as the user would, so snapped to the grid), sets the painter, the shown tab and the
  // shown operands. A box the layout does not name is placed where the work area finds room
  // once the named ones stand; what the layout names but the model lacks is passed over.
  void Apply(TvxQueryBuilder& QueryBuilder) const;

  // The class name of the link painter; empty for the component's default. Without a "painter"
  // entry the painter is left as it is.
  std::string Painter;
  bool HasPainter = false;
  // The shown sub-query as an index into SubQueries.
  int ActiveSubQuery = 0;
  std::vector<TvxSubQueryLayout> SubQueries;

  bool operator==(const TvxQueryLayout&) const = default;
};

namespace vx {
// The fingerprint a layout gives a sub-query's text: 16 hexadecimal digits.
std::string LayoutKeyOf(const std::string& SQL);
}  // namespace vx
