// What the work area keeps about its canvas so that placing, sizing and laying out stay cheap
// with many boxes: the line controls in creation order and by the datasources they join, the
// far corner of every child's geometry, and where boxes stand in diagram pixels with, per
// FindPos column, how far down its chain of boxes is known to reach. Without it showing n boxes
// would scan every box or child for each of them.
//
// It holds pointers only as keys and never follows them, so a child may be half destroyed when
// it is removed.
#pragma once

#include <QHash>
#include <QMultiHash>
#include <QRect>

#include <functional>
#include <set>
#include <vector>

class QObject;
class TvxDatasource;
class TvxQueryBuilderLinkControl;

class TvxDiagramIndex {
public:
  // --- lines ---
  // Line (listed from its first call on) now joins the datasources Left and Right (either may
  // be null).
  void SetLineEnds(TvxQueryBuilderLinkControl* Line, const TvxDatasource* Left, const TvxDatasource* Right);
  // In creation order.
  const std::vector<TvxQueryBuilderLinkControl*>& GetLines() const { return FLines; }
  QList<TvxQueryBuilderLinkControl*> GetLinesAt(const TvxDatasource* Datasource) const {
    return FLinesAt.values(Datasource);
  }

  // --- the canvas's children ---
  // Child stands at Geometry (canvas pixels); a null rectangle takes no room.
  void SetChildGeometry(const QObject* Child, const QRect& Geometry);
  // Forgets Child, as a box and as a line.
  void RemoveChild(const QObject* Child);
  void RemoveLine(TvxQueryBuilderLinkControl* Line);
  // The right and bottom edges (inclusive) that the children reach; -1 without children.
  int GetRight() const { return FRights.empty() ? -1 : *FRights.rbegin(); }
  int GetBottom() const { return FBottoms.empty() ? -1 : *FBottoms.rbegin(); }

  // --- boxes, in diagram pixels ---
  void SetBoxBounds(const QObject* Box, const QRect& Bounds);
  // Where the chain of boxes of column X ends: from Top, while a box (other than Except) stands
  // exactly at (X, Y), Y moves on by its height and Gap, cut down to a multiple of Snap when
  // Snap > 1. Of boxes at the same place, FirstOf picks the one that counts (the earliest child
  // of the canvas).
  int ColumnEnd(int X, int Top, int Gap, int Snap, const QObject* Except,
                const std::function<const QObject*(const QList<const QObject*>&)>& FirstOf);

private:
  static quint64 Key(int X, int Y);
  // A box came to or left Bounds: a column's known end above which that happened is no more.
  void Invalidate(const QRect& Bounds);

  std::vector<TvxQueryBuilderLinkControl*> FLines;
  QMultiHash<const TvxDatasource*, TvxQueryBuilderLinkControl*> FLinesAt;
  QHash<const TvxQueryBuilderLinkControl*, std::pair<const TvxDatasource*, const TvxDatasource*>> FLineEnds;
  QHash<const QObject*, TvxQueryBuilderLinkControl*> FLineOf;

  QHash<const QObject*, QRect> FGeometries;
  std::multiset<int> FRights, FBottoms;

  QHash<const QObject*, QRect> FBoxes;
  QMultiHash<quint64, const QObject*> FBoxesAt;
  // Column x -> the Y its chain was walked to, for FSnap; only chains of single boxes.
  QHash<int, int> FColumnEnds;
  int FSnap = -1;
};
