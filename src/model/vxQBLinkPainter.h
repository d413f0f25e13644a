// Link painters: strategy objects that draw a join line between two field rows. The query
// builder owns the one chosen by its LinkType / LinkTypeName property; the registry knows every
// painter class by its class name and by its user-visible style name.
#pragma once

#include "vxQBTypes.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class TvxLink;
class TvxQueryBuilder;

// The four points of a link line in the link control's coordinates: left field edge, left stub
// end, right stub end, right field edge.
using TvxLinkPoints = std::array<QPoint, 4>;

class TvxQueryBuilderLinkPainter : public QObject {
  Q_OBJECT

public:
  // QueryBuilder (may be null) is refreshed when a colour of the painter changes.
  explicit TvxQueryBuilderLinkPainter(TvxQueryBuilder* QueryBuilder);

  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }

  virtual void PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused,
                         TvxQueryBuilderLinkConnectToSide LeftSide, TvxQueryBuilderLinkConnectToSide RightSide,
                         TvxLink* Link) = 0;
  // The style name shown to users ("Simple", "MS SQL Style", ...).
  virtual QString PainterStyle() const = 0;

  // The polyline of Points moved down by VerticalOffset pixels, in Color with pen width Width;
  // sharp also on an antialiasing canvas.
  void DrawLine(QPainter& Canvas, const TvxLinkPoints& Points, const QColor& Color, int Width,
                int VerticalOffset) const;

protected:
  // Stores a colour; a change makes the query builder refresh its controls so links repaint.
  void SetColorProperty(QColor& Field, const QColor& Value);

private:
  TvxQueryBuilder* FQueryBuilder;
};

// "Class of TvxQueryBuilderLinkPainter".
struct TvxLinkPainterClass {
  QString Name;  // the class name
  std::function<std::unique_ptr<TvxQueryBuilderLinkPainter>(TvxQueryBuilder*)> Create;

  template <class TPainter>
  static TvxLinkPainterClass Of() {
    return {QString::fromLatin1(TPainter::staticMetaObject.className()),
            [](TvxQueryBuilder* QueryBuilder) -> std::unique_ptr<TvxQueryBuilderLinkPainter> {
              return std::make_unique<TPainter>(QueryBuilder);
            }};
  }
};

// The registry of painter classes, in registration order.
class TvxQueryBuilderLinkPainters {
public:
  void RegisterPainter(TvxLinkPainterClass PainterClass);
  template <class TPainter>
  void RegisterPainter() {
    RegisterPainter(TvxLinkPainterClass::Of<TPainter>());
  }
  int GetCount() const { return static_cast<int>(FClasses.size()); }
  const TvxLinkPainterClass& GetItem(int Index) const;  // EvxListError when out of range

  // A new painter of the first class registered under exactly (case-sensitively) this class
  // name, or of this style name; null when none matches. The caller owns it.
  std::unique_ptr<TvxQueryBuilderLinkPainter> CreateByName(const QString& ClassName,
                                                           TvxQueryBuilder* QueryBuilder) const;
  std::unique_ptr<TvxQueryBuilderLinkPainter> CreateByUserName(const QString& StyleName,
                                                               TvxQueryBuilder* QueryBuilder) const;
  static QString GetPainterStyle(const TvxLinkPainterClass& PainterClass);
  // Calls Proc with every style name, in registration order.
  void GetUserNames(const std::function<void(const QString&)>& Proc) const;

private:
  std::vector<TvxLinkPainterClass> FClasses;
};

// The process-wide registry, used from the UI thread only. Defined by the widget layer, which
// registers the library's painters on first use in this order: Simple, MS SQL, Access.
TvxQueryBuilderLinkPainters& GetPaintersList();

namespace vx {
// The painter of every component without one (LinkType null): an Access-style painter without
// a component. Defined by the widget layer; lives as long as the process.
TvxQueryBuilderLinkPainter& GetDefaultLinkPainter();
}  // namespace vx
