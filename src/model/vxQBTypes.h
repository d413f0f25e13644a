// Enumerations shared by the component, the query model and the controls. They live in a Qt
// namespace so that properties of these types are readable by name (QMetaEnum) from Qt
// Designer, QSettings and scripts; the using-declarations at the end keep the plain names
// (qbbs3D, stAsc, csLeft, ...) usable everywhere.
#pragma once

#include <QObject>

#include <functional>
#include <initializer_list>

namespace vxqb {
Q_NAMESPACE

// Corner of the union navigation bar within the diagram.
enum TvxUnionNavBarPosition { unbTopRight, unbTopLeft, unbBottomRight, unbBottomLeft };
Q_ENUM_NS(TvxUnionNavBarPosition)

// Frame drawn around datasource boxes and panes.
enum TvxBorderStyle { qbbs3D, qbbsFlat, qbbsUltraFlat, qbbsNone };
Q_ENUM_NS(TvxBorderStyle)

// Placement of the background picture.
enum TvxBkImagePos { bkipTopLeft, bkipTile };
Q_ENUM_NS(TvxBkImagePos)

// Tone of the work area's background.
enum TvxBkImageDarkness { bgidWhite, bgidLight, bgidDark };
Q_ENUM_NS(TvxBkImageDarkness)

// Look of the sub-query tabs: plain tabs, raised buttons, flat buttons.
enum TvxTabStyle { tsTabs, tsButtons, tsFlatButtons };
Q_ENUM_NS(TvxTabStyle)

// Where a dialog appears when it opens.
enum TvxPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
Q_ENUM_NS(TvxPosition)

// How a list of objects is shown.
enum TvxViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
Q_ENUM_NS(TvxViewStyle)

// Phase of a drag over a control.
enum TvxDragState { dsDragEnter, dsDragLeave, dsDragMove };
Q_ENUM_NS(TvxDragState)

// Sort of one select-list row.
enum TvxQueryBuilderItemSortType { stNone, stAsc, stDesc };
Q_ENUM_NS(TvxQueryBuilderItemSortType)

// Role of one select-list row in grouping and filtering.
enum TvxQueryBuilderGroupByType { gtExpression, gtGroupBy, gtHaving, gtWhere, gtAggregateStar, gtAggregate };
Q_ENUM_NS(TvxQueryBuilderGroupByType)

// How many rows one end of a link matches.
enum TvxQueryBuilderLinkCardinality { qblcUnknown, qblcOne, qblcMany };
Q_ENUM_NS(TvxQueryBuilderLinkCardinality)

// Whether one end of a link keeps unmatched rows.
enum TvxQueryBuilderLinkConnectType { ctInner, ctOuter };
Q_ENUM_NS(TvxQueryBuilderLinkConnectType)

// The side of a box at which a link line enters.
enum TvxQueryBuilderLinkConnectToSide { csLeft, csRight };
Q_ENUM_NS(TvxQueryBuilderLinkConnectToSide)

}  // namespace vxqb

using vxqb::TvxBkImageDarkness;
using vxqb::TvxBkImagePos;
using vxqb::TvxBorderStyle;
using vxqb::TvxDragState;
using vxqb::TvxPosition;
using vxqb::TvxQueryBuilderGroupByType;
using vxqb::TvxQueryBuilderItemSortType;
using vxqb::TvxQueryBuilderLinkCardinality;
using vxqb::TvxQueryBuilderLinkConnectToSide;
using vxqb::TvxQueryBuilderLinkConnectType;
using vxqb::TvxTabStyle;
using vxqb::TvxUnionNavBarPosition;
using vxqb::TvxViewStyle;
using enum vxqb::TvxBkImageDarkness;
using enum vxqb::TvxBkImagePos;
using enum vxqb::TvxBorderStyle;
using enum vxqb::TvxDragState;
using enum vxqb::TvxPosition;
using enum vxqb::TvxQueryBuilderGroupByType;
using enum vxqb::TvxQueryBuilderItemSortType;
using enum vxqb::TvxQueryBuilderLinkCardinality;
using enum vxqb::TvxQueryBuilderLinkConnectToSide;
using enum vxqb::TvxQueryBuilderLinkConnectType;
using enum vxqb::TvxTabStyle;
using enum vxqb::TvxUnionNavBarPosition;
using enum vxqb::TvxViewStyle;

// A set of grouping types (TvxQueryBuilderGroupByTypes): bit (1 << value) per member.
class TvxQueryBuilderGroupByTypes {
public:
  constexpr TvxQueryBuilderGroupByTypes() = default;
  constexpr TvxQueryBuilderGroupByTypes(std::initializer_list<TvxQueryBuilderGroupByType> Types) {
    for (TvxQueryBuilderGroupByType Type : Types) FBits |= Bit(Type);
  }
  constexpr bool Contains(TvxQueryBuilderGroupByType Type) const { return (FBits & Bit(Type)) != 0; }
  constexpr void Include(TvxQueryBuilderGroupByType Type) { FBits |= Bit(Type); }
  constexpr void Exclude(TvxQueryBuilderGroupByType Type) { FBits &= ~Bit(Type); }
  constexpr bool IsEmpty() const { return FBits == 0; }
  constexpr bool operator==(const TvxQueryBuilderGroupByTypes&) const = default;

private:
  static constexpr unsigned Bit(TvxQueryBuilderGroupByType Type) { return 1u << static_cast<unsigned>(Type); }
  unsigned FBits = 0;
};

// A click handler of a menu item; Sender is the QAction that was triggered.
using TvxNotifyEvent = std::function<void(QObject* Sender)>;
