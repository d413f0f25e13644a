// The library's three link painters. Each draws the line through the four points the link
// control computed (left field edge, left stub end, right stub end, right field edge), the
// marks of the join and, when the line is the diagram's focused control, its focus.
//
// - Simple: a black line, 2 pixels wide when focused, an open circle at a stub end whose table
//   keeps only matching rows (inner) and a white arrow head at one that keeps all its rows
//   (outer).
// - MS SQL Style: a grey band edged by two black lines, the lower one 2 pixels wide when focused;
//   a diamond in the middle, darker when focused, with a half square on the side of each outer
//   end.
// - Access Style: a black line with heavier stubs, the same marks smaller and filled, and above
//   each stub the cardinality from the foreign keys: "1" for one, infinity for many.
//
// Colours are published properties; changing one repaints every line of the component.
#pragma once

#include "vxQBLinkPainter.h"

class TvxQueryBuilderLinkPainterSimple : public TvxQueryBuilderLinkPainter {
  Q_OBJECT
  // Defaults: LinkColor black, LinkShapesColor white (the fill of the end marks).
  Q_PROPERTY(QColor LinkColor READ GetLinkColor WRITE SetLinkColor)
  Q_PROPERTY(QColor LinkShapesColor READ GetLinkShapesColor WRITE SetLinkShapesColor)

public:
  explicit TvxQueryBuilderLinkPainterSimple(TvxQueryBuilder* QueryBuilder);

  void PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused, TvxQueryBuilderLinkConnectToSide LeftSide,
                 TvxQueryBuilderLinkConnectToSide RightSide, TvxLink* Link) override;
  QString PainterStyle() const override { return QStringLiteral("Simple"); }

  QColor GetLinkColor() const { return FLinkColor; }
  void SetLinkColor(const QColor& Value) { SetColorProperty(FLinkColor, Value); }
  QColor GetLinkShapesColor() const { return FLinkShapesColor; }
  void SetLinkShapesColor(const QColor& Value) { SetColorProperty(FLinkShapesColor, Value); }

private:
  QColor FLinkColor{0, 0, 0};
  QColor FLinkShapesColor{255, 255, 255};
};

class TvxQueryBuilderLinkPainterMSSQL : public TvxQueryBuilderLinkPainter {
  Q_OBJECT
  // Defaults: LinkColor the palette's button face, LinkColorFocused its shadow, LinkLinesColor
  // black.
  Q_PROPERTY(QColor LinkColor READ GetLinkColor WRITE SetLinkColor)
  Q_PROPERTY(QColor LinkColorFocused READ GetLinkColorFocused WRITE SetLinkColorFocused)
  Q_PROPERTY(QColor LinkLinesColor READ GetLinkLinesColor WRITE SetLinkLinesColor)

public:
  explicit TvxQueryBuilderLinkPainterMSSQL(TvxQueryBuilder* QueryBuilder);

  void PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused, TvxQueryBuilderLinkConnectToSide LeftSide,
                 TvxQueryBuilderLinkConnectToSide RightSide, TvxLink* Link) override;
  QString PainterStyle() const override { return QStringLiteral("MS SQL Style"); }

  QColor GetLinkColor() const { return FLinkColor; }
  void SetLinkColor(const QColor& Value) { SetColorProperty(FLinkColor, Value); }
  QColor GetLinkColorFocused() const { return FLinkColorFocused; }
  void SetLinkColorFocused(const QColor& Value) { SetColorProperty(FLinkColorFocused, Value); }
  QColor GetLinkLinesColor() const { return FLinkLinesColor; }
  void SetLinkLinesColor(const QColor& Value) { SetColorProperty(FLinkLinesColor, Value); }

private:
  QColor FLinkColor;
  QColor FLinkColorFocused;
  QColor FLinkLinesColor{0, 0, 0};
};

class TvxQueryBuilderLinkPainterAccess : public TvxQueryBuilderLinkPainter {
  Q_OBJECT
  // Default: LinkColor black.
  Q_PROPERTY(QColor LinkColor READ GetLinkColor WRITE SetLinkColor)

public:
  explicit TvxQueryBuilderLinkPainterAccess(TvxQueryBuilder* QueryBuilder);

  void PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused, TvxQueryBuilderLinkConnectToSide LeftSide,
                 TvxQueryBuilderLinkConnectToSide RightSide, TvxLink* Link) override;
  QString PainterStyle() const override { return QStringLiteral("Access Style"); }

  QColor GetLinkColor() const { return FLinkColor; }
  void SetLinkColor(const QColor& Value) { SetColorProperty(FLinkColor, Value); }

private:
  QColor FLinkColor{0, 0, 0};
};
