#include "vxQBWorkArea.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDiagramScale.h"
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
#include <QScrollBar>

#include <cmath>
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
  // A child being added is not yet what it will be (a box or a line): it counts once it moves.
  void childEvent(QChildEvent* Event) override {
    QWidget::childEvent(Event);
    if (Event->added()) Event->child()->installEventFilter(this);
    if (Event->removed()) FWorkArea->ChildRemoved(Event->child());
  }
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if ((Event->type() == QEvent::Move || Event->type() == QEvent::Resize) && Watched->isWidgetType())
      FWorkArea->ChildMoved(static_cast<QWidget*>(Watched));
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
  // Freeing the canvas and its boxes moves the keyboard focus, which this object no longer
  // follows; the boxes and lines go while the work area they tell of their going is whole.
  disconnect(FFocusLink);
  // The keyboard first: it watches the boxes' lists.
  delete std::exchange(FKeyboard, nullptr);
  delete takeWidget();
}

// --- placing boxes -----------------------------------------------------------------------------

TvxDiagramScale TvxQueryBuilderWorkArea::GetScale() const {
  return TvxDiagramScale(FQueryBuilder != nullptr ? FQueryBuilder->GetZoom() : 100);
}

QRect TvxQueryBuilderWorkArea::DiagramBoundsOf(const QWidget* Box) const {
  if (const auto* View = dynamic_cast<const TvxDatasourceView*>(Box)) return View->GetBounds();
  return GetScale().ToDiagram(Box->geometry());
}

QPoint TvxQueryBuilderWorkArea::FindPos(const QWidget* Control) const {
  int Limit = viewport()->width();
  if (Limit <= 0 && FQueryBuilder != nullptr) Limit = FQueryBuilder->width();
  if (Limit <= 0) Limit = 800;
  // Columns fill what is seen at the current zoom.
  Limit = GetScale().ToDiagram(Limit);
  const int Snap = FQueryBuilder != nullptr && FQueryBuilder->GetSnapToGrid() ? FQueryBuilder->GetGridSize() : 0;
  // Of boxes at the same place the earliest child of the canvas counts.
  auto FirstOf = [this](const QList<const QObject*>& Boxes) {
    for (const QObject* Child : GetCanvas()->children())
      if (Boxes.contains(Child)) return Child;
    return Boxes.first();
  };

  const int Width = DiagramBoundsOf(Control).width();
  QPoint Best(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
  for (int X = GColumnLeft; X == GColumnLeft || X + Width < Limit; X += GColumnStep) {
    const int Y = FIndex.ColumnEnd(X, GRowTop, GRowGap, Snap, Control, FirstOf);
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

void TvxQueryBuilderWorkArea::PaintBackground(QPainter& Painter, const QRect& CanvasRect) const {
  const TvxBkImageDarkness Darkness = FQueryBuilder != nullptr ? FQueryBuilder->GetBkImageDarkness() : bgidWhite;
  const QPixmap HostPicture = FQueryBuilder != nullptr ? FQueryBuilder->GetBkImage() : QPixmap();
  Painter.setClipRect(CanvasRect);
  // The background belongs to the diagram: its dots and pictures scale with the boxes.
  const TvxDiagramScale Scale = GetScale();
  Painter.save();
  Painter.scale(Scale.GetFactor(), Scale.GetFactor());
  Painter.setRenderHint(QPainter::SmoothPixmapTransform, !Scale.IsIdentity());
  const QRect Rect = Scale.ToDiagram(CanvasRect).adjusted(-1, -1, 1, 1);
  PaintDiagramBackground(Painter, Rect, Darkness, HostPicture);
  Painter.restore();
}

void TvxQueryBuilderWorkArea::PaintDiagramBackground(QPainter& Painter, const QRect& Rect, TvxBkImageDarkness Darkness,
                                                     const QPixmap& HostPicture) const {
  if (HostPicture.isNull()) {
    // The picture's own dot grid goes on over the rest of the diagram, so that the watermark
    // shows no edge however large the visible area is.
    Painter.fillRect(Rect, QBrush(vx::GetWorkAreaGridTile(Darkness)));
    Painter.drawImage(QPoint(0, 0), vx::GetWorkAreaBackground(Darkness));
    return;
  }
  Painter.fillRect(Rect, FQueryBuilder->GetBkColor());
  if (FQueryBuilder->GetBkImagePos() == bkipTile)
    Painter.drawTiledPixmap(GetScale().ToDiagram(GetCanvas()->rect()), HostPicture);
  else
    Painter.drawPixmap(QPoint(0, 0), HostPicture);
}

void TvxQueryBuilderWorkArea::PaintUnderBoxes(QPainter& Painter, const QRect& Rect) const {
  const QList<QWidget*> Children = GetCanvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (const QWidget* Child : Children)
    if (const auto* Box = qobject_cast<const TvxQueryBuilderDataSourceControl*>(Child))
      if (Box->geometry().adjusted(-4, -4, 4, 4).intersects(Rect)) Box->PaintShadow(Painter);
  Painter.setRenderHint(QPainter::Antialiasing);
  const double Zoom = GetScale().GetFactor();
  for (const TvxQueryBuilderLinkControl* Line : FIndex.GetLines()) {
    if (!Line->IsLaidOut() || !Line->GetCanvasBounds().intersects(Rect)) continue;
    Painter.save();
    Painter.scale(Zoom, Zoom);
    Painter.translate(Line->GetBounds().topLeft());
    Line->PaintLine(Painter);
    Painter.restore();
  }
  if (FKeyboard != nullptr) FKeyboard->PaintLinkChoice(Painter);
}

void TvxQueryBuilderWorkArea::RealignLinks(const TvxDatasource* Datasource) {
  // Copies: laying a line out may list it anew.
  if (Datasource == nullptr) {
    const std::vector<TvxQueryBuilderLinkControl*> Lines = FIndex.GetLines();
    for (TvxQueryBuilderLinkControl* Line : Lines) Line->UpdateLine();
    return;
  }
  for (TvxQueryBuilderLinkControl* Line : FIndex.GetLinesAt(Datasource)) Line->UpdateLine();
}

void TvxQueryBuilderWorkArea::ChildMoved(const QWidget* Child) {
  if (qobject_cast<const TvxQueryBuilderLinkControl*>(Child) != nullptr) return;
  FIndex.SetChildGeometry(Child, Child->geometry());
  FIndex.SetBoxBounds(Child, DiagramBoundsOf(Child));
  UpdateCanvasSize();
}

void TvxQueryBuilderWorkArea::ChildRemoved(const QObject* Child) {
  FIndex.RemoveChild(Child);
  UpdateCanvasSize();
}

void TvxQueryBuilderWorkArea::UpdateCanvasSize() {
  QWidget* Canvas = GetCanvas();
  if (Canvas == nullptr) return;
  const QSize Wanted =
      viewport()->size().expandedTo(QSize(FIndex.GetRight(), FIndex.GetBottom()) + QSize(GCanvasMargin, GCanvasMargin));
  if (Canvas->size() != Wanted) Canvas->resize(Wanted);
}

void TvxQueryBuilderWorkArea::resizeEvent(QResizeEvent* Event) {
  QScrollArea::resizeEvent(Event);
  UpdateCanvasSize();
}

// --- mouse and keys ----------------------------------------------------------------------------

TvxQueryBuilderLinkControl* TvxQueryBuilderWorkArea::LineAt(const QPointF& DiagramPoint) const {
  TvxQueryBuilderLinkControl* Nearest = nullptr;
  double NearestDistance = vx::LinkHitTolerance;
  for (TvxQueryBuilderLinkControl* Line : FIndex.GetLines()) {
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
  if (TvxQueryBuilderLinkControl* Line = LineAt(ToDiagramF(Event->position()))) {
    Line->Press();
    return;
  }
  setFocus(Qt::MouseFocusReason);
  SetFocusedControl(nullptr);
}

void TvxQueryBuilderWorkArea::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton) return;
  if (TvxQueryBuilderLinkControl* Line = LineAt(ToDiagramF(Event->position())))
    Line->DoubleClick();
  else if (FUnionSubQuery != nullptr)
    vx::RunReported(FQueryBuilder, [this] { FUnionSubQuery->EditPropsEvent(this); });
}

void TvxQueryBuilderWorkArea::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  if (TvxQueryBuilderLinkControl* Line = LineAt(ToDiagramF(Event->pos()))) {
    Line->ShowMenu(Event->globalPos());
    return;
  }
  if (FUnionSubQuery == nullptr || FQueryBuilder == nullptr) return;
  if (FUnionSubQuery->GetPopupMenuWA() != nullptr) FQueryBuilder->PopupMenuPopup(Event->globalPos());
}

void TvxQueryBuilderWorkArea::wheelEvent(QWheelEvent* Event) {
  const int Turn = Event->angleDelta().y();
  if (!(Event->modifiers() & Qt::ControlModifier) || FQueryBuilder == nullptr || Turn == 0) {
    QScrollArea::wheelEvent(Event);
    return;
  }
  Event->accept();
  // The diagram point under the mouse stays there.
  const QPointF Under = ToDiagramF(Event->position());
  if (Turn > 0)
    FQueryBuilder->ZoomIn();
  else
    FQueryBuilder->ZoomOut();
  UpdateCanvasSize();
  const QPointF Now = Under * GetScale().GetFactor();
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(Now.x() - Event->position().x())));
  verticalScrollBar()->setValue(static_cast<int>(std::lround(Now.y() - Event->position().y())));
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

QPointF TvxQueryBuilderWorkArea::ToDiagramF(const QPointF& ViewportPoint) const {
  return GetScale().ToDiagram(GetCanvas()->mapFrom(viewport(), ViewportPoint));
}

QPoint TvxQueryBuilderWorkArea::ToDiagram(const QPointF& ViewportPoint) const {
  return GetScale().ToDiagram(GetCanvas()->mapFrom(viewport(), ViewportPoint.toPoint()));
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
  const QPoint Point = GetScale().ToDiagram(GetCanvas()->mapFromGlobal(QCursor::pos()));
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
