#include "vxQBDiagramIndex.h"

#include "vxQBLinkControl.h"

#include <algorithm>

// --- lines -------------------------------------------------------------------------------------

void TvxDiagramIndex::RemoveLine(TvxQueryBuilderLinkControl* Line) {
  if (!FLineEnds.contains(Line)) return;
  SetLineEnds(Line, nullptr, nullptr);
  FLineEnds.remove(Line);
  FLineOf.remove(static_cast<const QObject*>(Line));
  std::erase(FLines, Line);
}

void TvxDiagramIndex::SetLineEnds(TvxQueryBuilderLinkControl* Line, const TvxDatasource* Left,
                                  const TvxDatasource* Right) {
  const auto Known = FLineEnds.constFind(Line);
  if (Known == FLineEnds.constEnd()) {
    FLines.push_back(Line);
    FLineOf.insert(static_cast<const QObject*>(Line), Line);
  }
  const auto Old = Known != FLineEnds.constEnd() ? *Known : std::pair<const TvxDatasource*, const TvxDatasource*>();
  if (Known != FLineEnds.constEnd() && Old == std::make_pair(Left, Right)) return;
  for (const TvxDatasource* End : {Old.first, Old.second})
    if (End != nullptr) FLinesAt.remove(End, Line);
  FLineEnds.insert(Line, {Left, Right});
  if (Left != nullptr) FLinesAt.insert(Left, Line);
  // A line of a table with itself is laid out once.
  if (Right != nullptr && Right != Left) FLinesAt.insert(Right, Line);
}

// --- children ----------------------------------------------------------------------------------

void TvxDiagramIndex::SetChildGeometry(const QObject* Child, const QRect& Geometry) {
  const auto Found = FGeometries.constFind(Child);
  if (Found != FGeometries.constEnd()) {
    if (*Found == Geometry) return;
    FRights.erase(FRights.find(Found->right()));
    FBottoms.erase(FBottoms.find(Found->bottom()));
    FGeometries.erase(Found);
  }
  if (Geometry.isNull()) return;
  FGeometries.insert(Child, Geometry);
  FRights.insert(Geometry.right());
  FBottoms.insert(Geometry.bottom());
}

void TvxDiagramIndex::RemoveChild(const QObject* Child) {
  SetChildGeometry(Child, QRect());
  const auto Box = FBoxes.constFind(Child);
  if (Box != FBoxes.constEnd()) {
    Invalidate(*Box);
    FBoxesAt.remove(Key(Box->x(), Box->y()), Child);
    FBoxes.erase(Box);
  }
  if (TvxQueryBuilderLinkControl* Line = FLineOf.value(Child)) RemoveLine(Line);
}

// --- boxes -------------------------------------------------------------------------------------

quint64 TvxDiagramIndex::Key(int X, int Y) {
  return (static_cast<quint64>(static_cast<quint32>(X)) << 32) | static_cast<quint32>(Y);
}

void TvxDiagramIndex::Invalidate(const QRect& Bounds) {
  const auto End = FColumnEnds.constFind(Bounds.x());
  if (End != FColumnEnds.constEnd() && Bounds.y() < *End) FColumnEnds.erase(End);
}

void TvxDiagramIndex::SetBoxBounds(const QObject* Box, const QRect& Bounds) {
  const auto Found = FBoxes.find(Box);
  if (Found != FBoxes.end()) {
    if (*Found == Bounds) return;
    Invalidate(*Found);
    FBoxesAt.remove(Key(Found->x(), Found->y()), Box);
    *Found = Bounds;
  } else {
    FBoxes.insert(Box, Bounds);
  }
  Invalidate(Bounds);
  FBoxesAt.insert(Key(Bounds.x(), Bounds.y()), Box);
}

int TvxDiagramIndex::ColumnEnd(int X, int Top, int Gap, int Snap, const QObject* Except,
                               const std::function<const QObject*(const QList<const QObject*>&)>& FirstOf) {
  if (Snap != FSnap) {
    FColumnEnds.clear();
    FSnap = Snap;
  }
  // A known end holds for every caller but one whose box stands in the chain above it.
  int Y = Top;
  bool Cacheable = true;
  const auto Known = FColumnEnds.constFind(X);
  if (Known != FColumnEnds.constEnd()) {
    const QRect Own = FBoxes.value(Except);
    if (Except == nullptr || !FBoxes.contains(Except) || Own.x() != X || Own.y() >= *Known)
      Y = *Known;
    else
      Cacheable = false;
  }
  for (;;) {
    QList<const QObject*> Here = FBoxesAt.values(Key(X, Y));
    if (Here.contains(Except)) {
      Here.removeAll(Except);
      Cacheable = false;
    }
    if (Here.isEmpty()) break;
    if (Here.size() > 1) Cacheable = false;
    const QObject* Box = Here.size() == 1 ? Here.first() : FirstOf(Here);
    Y += FBoxes.value(Box).height() + Gap;
    if (Snap > 1) Y -= Y % Snap;
  }
  if (Cacheable)
    FColumnEnds.insert(X, Y);
  else
    FColumnEnds.remove(X);
  return Y;
}
