#include "vxQBWorkArea.h"

#include "vxQBDataSourceControl.h"
#include "vxQBLinkControl.h"
#include "vxQBPaint.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQBWorkAreaKeys.h"
#include "vxQueryBuilder.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QPainter>

#include <limits>
#include <utility>

namespace {

constexpr int GColumnLeft = 10;
constexpr int GColumnStep = 130;
constexpr int GRowTop = 10;
constexpr int GRowGap = 20;
constexpr int GCanvasMargin = 20;

// The scrolled widget: paints the background, and keeps the canvas large enough as its boxes
// come, go, move and grow.
class TvxWorkAreaCanvas : public QWidget {
public:
  explicit TvxWorkAreaCanvas(TvxQueryBuilderWorkArea* WorkArea) : FWorkArea(WorkArea) {
    setObjectName(QStringLiteral("WorkAreaCanvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

protected:
  void paintEvent(QPaintEvent* Event) override {
    QPainter Painter(this);
    FWorkArea->PaintBackground(Painter, Event->rect());
    FWorkArea->PaintUnderBoxes(Painter, Event->rect());
  }
  void childEvent(QChildEvent* Event) override {
    QWidget::childEvent(Event);
    if (Event->added()) Event->child()->installEventFilter(this);
    if (Event->added() || Event->removed()) FWorkArea->UpdateCanvasSize();
  }
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Move || Event->type() == QEvent::Resize) FWorkArea->UpdateCanvasSize();
    return QWidget::eventFilter(Watched, Event);
  }

private:
  TvxQueryBuilderWorkArea* FWorkArea;
};

}  // namespace

TvxQueryBuilderWorkArea::TvxQueryBuilderWorkArea(TvxUnionSubQueryTabSheet* Sheet)
    : QScrollArea(Sheet), FUnionSubQuery(Sheet->GetUnionSubQuery()), FQueryBuilder(Sheet->GetQueryBuilder()) {
  setObjectName(QStringLiteral("WorkArea"));
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  setWidgetResizable(false);
  setWidget(new TvxWorkAreaCanvas(this));
  widget()->setAutoFillBackground(false);
  viewport()->setAcceptDrops(true);
  FKeyboard = new TvxWorkAreaKeyboard(this);
  FFocusLink = connect(qApp, &QApplication::focusChanged, this, &TvxQueryBuilderWorkArea::FocusChanged);
}

TvxQueryBuilderWorkArea::~TvxQueryBuilderWorkArea() {
  // The base destructor frees the canvas and its boxes, which moves the keyboard focus: by then
  // this object is no work area any more.
  disconnect(FFocusLink);
  delete std::exchange(FKeyboard, nullptr);
}

// --- placing boxes -----------------------------------------------------------------------------

QPoint TvxQueryBuilderWorkArea::FindPos(const QWidget* Control) const {
  int Limit = viewport()->width();
  if (Limit <= 0 && FQueryBuilder != nullptr) Limit = FQueryBuilder->width();
  if (Limit <= 0) Limit = 800;
  const int Snap = FQueryBuilder != nullptr && FQueryBuilder->GetSnapToGrid() ? FQueryBuilder->GetGridSize() : 0;
  const QList<QWidget*> Children = GetCanvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  auto BoxAt = [&](int X, int Y) -> const QWidget* {
    for (const QWidget* Box : Children)
      if (Box != Control && Box->x() == X && Box->y() == Y &&
          qobject_cast<const TvxQueryBuilderLinkControl*>(Box) == nullptr)
        return Box;
    return nullptr;
  };

  QPoint Best(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
  for (int X = GColumnLeft; X == GColumnLeft || X + Control->width() < Limit; X += GColumnStep) {
    int Y = GRowTop;
    while (const QWidget* Box = BoxAt(X, Y)) {
      Y += Box->height() + GRowGap;
      if (Snap > 1) Y -= Y % Snap;
    }
    // Strictly less: of columns with the same room the leftmost is taken.
    if (Y < Best.y()) Best = QPoint(X, Y);
  }
  return Best;
}

// --- focus -------------------------------------------------------------------------------------

namespace {

// A line is painted by the canvas under it; anything else paints itself.
void RepaintControl(QWidget* Control) {
  if (auto* Line = qobject_cast<TvxQueryBuilderLinkControl*>(Control))
    Line->Repaint();
  else
    Control->update();
}

}  // namespace

void TvxQueryBuilderWorkArea::SetFocusedControl(QWidget* Control) {
  if (Control == FFocusedControl) return;
  QPointer<QWidget> Previous = FFocusedControl;
  FFocusedControl = Control;
  if (FKeyboard != nullptr) FKeyboard->FocusedControlChanged();
  if (Previous) RepaintControl(Previous);
  if (Control == nullptr) return;
  if (Control->focusPolicy() == Qt::NoFocus) {
    setFocus(Qt::OtherFocusReason);
    RepaintControl(Control);
  } else if (!Control->hasFocus()) {
    Control->setFocus(Qt::OtherFocusReason);
  }
}

void TvxQueryBuilderWorkArea::FocusChanged(QWidget*, QWidget* Now) {
  // The diagram's focus ends when the keyboard focus leaves the work area and its boxes for
  // another widget of the window (not when the window is merely deactivated, nor for a dialog or
  // menu opened over it, after which the focused line is still the one the keys act on).
  if (Now == nullptr || Now == this || isAncestorOf(Now) || Now->window() != window()) return;
  SetFocusedControl(nullptr);
}

// --- look --------------------------------------------------------------------------------------

void TvxQueryBuilderWorkArea::UpdateContolParams() { GetCanvas()->update(); }

void TvxQueryBuilderWorkArea::PaintBackground(QPainter& Painter, const QRect& Rect) const {
  const TvxBkImageDarkness Darkness = FQueryBuilder != nullptr ? FQueryBuilder->GetBkImageDarkness() : bgidWhite;
  const QPixmap HostPicture = FQueryBuilder != nullptr ? FQueryBuilder->GetBkImage() : QPixmap();
  Painter.setClipRect(Rect);
  if (HostPicture.isNull()) {
    // The picture's own dot grid goes on over the rest of the diagram, so that the watermark
    // shows no edge however large the visible area is.
    Painter.fillRect(Rect, QBrush(vx::GetWorkAreaGridTile(Darkness)));
    Painter.drawImage(QPoint(0, 0), vx::GetWorkAreaBackground(Darkness));
    return;
  }
  Painter.fillRect(Rect, FQueryBuilder->GetBkColor());
  if (FQueryBuilder->GetBkImagePos() == bkipTile)
    Painter.drawTiledPixmap(GetCanvas()->rect(), HostPicture);
  else
    Painter.drawPixmap(QPoint(0, 0), HostPicture);
}

void TvxQueryBuilderWorkArea::PaintUnderBoxes(QPainter& Painter, const QRect& Rect) const {
  const QList<QWidget*> Children = GetCanvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (const QWidget* Child : Children)
    if (const auto* Box = qobject_cast<const TvxQueryBuilderDataSourceControl*>(Child))
      if (Box->geometry().adjusted(-4, -4, 4, 4).intersects(Rect)) Box->PaintShadow(Painter);
  Painter.setRenderHint(QPainter::Antialiasing);
  for (const QWidget* Child : Children) {
    const auto* Line = qobject_cast<const TvxQueryBuilderLinkControl*>(Child);
    if (Line == nullptr || !Line->IsLaidOut() || !Line->GetBounds().intersects(Rect)) continue;
    Painter.save();
    Painter.translate(Line->GetBounds().topLeft());
    Line->PaintLine(Painter);
    Painter.restore();
  }
  if (FKeyboard != nullptr) FKeyboard->PaintLinkChoice(Painter);
}

void TvxQueryBuilderWorkArea::RealignLinks(const TvxDatasource* Datasource) {
  for (auto* Line : GetCanvas()->findChildren<TvxQueryBuilderLinkControl*>(QString(), Qt::FindDirectChildrenOnly))
    if (Datasource == nullptr || Line->Joins(Datasource)) Line->UpdateLine();
}

void TvxQueryBuilderWorkArea::UpdateCanvasSize() {
  QWidget* Canvas = GetCanvas();
  if (Canvas == nullptr) return;
  QRect Used;
  for (const QWidget* Child : Canvas->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    Used |= Child->geometry();
  const QSize Wanted =
      viewport()->size().expandedTo(QSize(Used.right(), Used.bottom()) + QSize(GCanvasMargin, GCanvasMargin));
  if (Canvas->size() != Wanted) Canvas->resize(Wanted);
}

void TvxQueryBuilderWorkArea::resizeEvent(QResizeEvent* Event) {
  QScrollArea::resizeEvent(Event);
  UpdateCanvasSize();
}

// --- mouse and keys ----------------------------------------------------------------------------

TvxQueryBuilderLinkControl* TvxQueryBuilderWorkArea::LineAt(const QPoint& DiagramPoint) const {
  TvxQueryBuilderLinkControl* Nearest = nullptr;
  double NearestDistance = vx::LinkHitTolerance;
  for (auto* Line : GetCanvas()->findChildren<TvxQueryBuilderLinkControl*>(QString(), Qt::FindDirectChildrenOnly)) {
    const double Distance = Line->DistanceTo(DiagramPoint);
    if (Distance <= NearestDistance) {
      Nearest = Line;
      NearestDistance = Distance;
    }
  }
  return Nearest;
}

// The canvas takes no clicks itself: those that no box takes reach the work area, in viewport
// pixels.
void TvxQueryBuilderWorkArea::mousePressEvent(QMouseEvent* Event) {
  Event->accept();
  if (TvxQueryBuilderLinkControl* Line = LineAt(ToDiagram(Event->position()))) {
    Line->Press();
    return;
  }
  setFocus(Qt::MouseFocusReason);
  SetFocusedControl(nullptr);
}

void TvxQueryBuilderWorkArea::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton) return;
  if (TvxQueryBuilderLinkControl* Line = LineAt(ToDiagram(Event->position())))
    Line->DoubleClick();
  else if (FUnionSubQuery != nullptr)
    vx::RunReported(FQueryBuilder, [this] { FUnionSubQuery->EditPropsEvent(this); });
}

void TvxQueryBuilderWorkArea::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  if (TvxQueryBuilderLinkControl* Line = LineAt(ToDiagram(Event->pos()))) {
    Line->ShowMenu(Event->globalPos());
    return;
  }
  if (FUnionSubQuery == nullptr || FQueryBuilder == nullptr) return;
  if (FUnionSubQuery->GetPopupMenuWA() != nullptr) FQueryBuilder->PopupMenuPopup(Event->globalPos());
}

void TvxQueryBuilderWorkArea::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_Delete && Event->modifiers() == Qt::NoModifier && FFocusedControl) {
    // Freeing a control frees the model object it shows.
    delete FFocusedControl.data();
    Event->accept();
    return;
  }
  QScrollArea::keyPressEvent(Event);
}

// --- drags from the host -----------------------------------------------------------------------

QPoint TvxQueryBuilderWorkArea::ToDiagram(const QPointF& ViewportPoint) const {
  return GetCanvas()->mapFrom(viewport(), ViewportPoint.toPoint());
}

void TvxQueryBuilderWorkArea::HostDragOver(QDropEvent* Event, TvxDragState State) {
  bool Accept = false;
  const QPoint Point = ToDiagram(Event->position());
  if (FQueryBuilder != nullptr) FQueryBuilder->DragOver2(FHostDragSource, Point.x(), Point.y(), State, Accept);
  if (Accept)
    Event->acceptProposedAction();
  else
    Event->ignore();
}

void TvxQueryBuilderWorkArea::dragEnterEvent(QDragEnterEvent* Event) {
  QObject* Source = Event->source();
  FHostDragSource = Source != nullptr ? Source : const_cast<QMimeData*>(Event->mimeData());
  HostDragOver(Event, dsDragEnter);
}

void TvxQueryBuilderWorkArea::dragMoveEvent(QDragMoveEvent* Event) { HostDragOver(Event, dsDragMove); }

void TvxQueryBuilderWorkArea::dragLeaveEvent(QDragLeaveEvent* Event) {
  bool Accept = false;
  const QPoint Point = GetCanvas()->mapFromGlobal(QCursor::pos());
  if (FQueryBuilder != nullptr) FQueryBuilder->DragOver2(FHostDragSource, Point.x(), Point.y(), dsDragLeave, Accept);
  FHostDragSource = nullptr;
  Event->accept();
}

void TvxQueryBuilderWorkArea::dropEvent(QDropEvent* Event) {
  const QPoint Point = ToDiagram(Event->position());
  QObject* Source = FHostDragSource;
  FHostDragSource = nullptr;
  if (FQueryBuilder == nullptr) return;
  vx::RunReported(FQueryBuilder, [&] { FQueryBuilder->DragDrop2(Source, Point.x(), Point.y()); });
  Event->acceptProposedAction();
}
