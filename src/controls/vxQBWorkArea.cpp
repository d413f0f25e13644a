#include "vxQBWorkArea.h"

#include "vxQBPaint.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQueryBuilder.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QPainter>

#include <limits>

namespace {

constexpr int GColumnLeft = 10;
constexpr int GColumnStep = 130;
constexpr int GRowTop = 10;
constexpr int GRowGap = 20;
constexpr int GCanvasMargin = 20;

QColor FillOf(TvxBkImageDarkness Darkness) {
  switch (Darkness) {
    case bgidLight:
      return QColor(224, 223, 227);
    case bgidDark:
      return QColor(153, 153, 153);
    default:
      return QColor(255, 255, 255);
  }
}

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
  FFocusLink = connect(qApp, &QApplication::focusChanged, this, &TvxQueryBuilderWorkArea::FocusChanged);
}

TvxQueryBuilderWorkArea::~TvxQueryBuilderWorkArea() {
  // The base destructor frees the canvas and its boxes, which moves the keyboard focus: by then
  // this object is no work area any more.
  disconnect(FFocusLink);
}

// --- placing boxes -----------------------------------------------------------------------------

QPoint TvxQueryBuilderWorkArea::FindPos(const QWidget* Control) const {
  int Limit = viewport()->width();
  if (Limit <= 0 && FQueryBuilder != nullptr) Limit = FQueryBuilder->width();
  if (Limit <= 0) Limit = 800;
  const int Snap = FQueryBuilder != nullptr && FQueryBuilder->GetSnapToGrid() ? FQueryBuilder->GetGridSize() : 0;
  const QList<QWidget*> Boxes = GetCanvas()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  auto BoxAt = [&](int X, int Y) -> const QWidget* {
    for (const QWidget* Box : Boxes)
      if (Box != Control && Box->x() == X && Box->y() == Y) return Box;
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

void TvxQueryBuilderWorkArea::SetFocusedControl(QWidget* Control) {
  if (Control == FFocusedControl) return;
  QPointer<QWidget> Previous = FFocusedControl;
  FFocusedControl = Control;
  if (Previous) Previous->update();
  if (Control == nullptr) return;
  if (Control->focusPolicy() == Qt::NoFocus) {
    setFocus(Qt::OtherFocusReason);
    Control->update();
  } else if (!Control->hasFocus()) {
    Control->setFocus(Qt::OtherFocusReason);
  }
}

void TvxQueryBuilderWorkArea::FocusChanged(QWidget*, QWidget* Now) {
  // The diagram's focus ends when the keyboard focus leaves the work area and its boxes (not
  // when the window is merely deactivated).
  if (Now == nullptr || Now == this || isAncestorOf(Now)) return;
  SetFocusedControl(nullptr);
}

// --- look --------------------------------------------------------------------------------------

void TvxQueryBuilderWorkArea::UpdateContolParams() { GetCanvas()->update(); }

void TvxQueryBuilderWorkArea::PaintBackground(QPainter& Painter, const QRect& Rect) const {
  const TvxBkImageDarkness Darkness = FQueryBuilder != nullptr ? FQueryBuilder->GetBkImageDarkness() : bgidWhite;
  const QPixmap HostPicture = FQueryBuilder != nullptr ? FQueryBuilder->GetBkImage() : QPixmap();
  Painter.setClipRect(Rect);
  if (HostPicture.isNull()) {
    Painter.fillRect(Rect, FillOf(Darkness));
    Painter.drawImage(QPoint(0, 0), vx::GetWorkAreaBackground(Darkness));
    return;
  }
  Painter.fillRect(Rect, FQueryBuilder->GetBkColor());
  if (FQueryBuilder->GetBkImagePos() == bkipTile)
    Painter.drawTiledPixmap(GetCanvas()->rect(), HostPicture);
  else
    Painter.drawPixmap(QPoint(0, 0), HostPicture);
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

void TvxQueryBuilderWorkArea::mousePressEvent(QMouseEvent* Event) {
  setFocus(Qt::MouseFocusReason);
  SetFocusedControl(nullptr);
  Event->accept();
}

void TvxQueryBuilderWorkArea::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton || FUnionSubQuery == nullptr) return;
  vx::RunReported(FQueryBuilder, [this] { FUnionSubQuery->EditPropsEvent(this); });
}

void TvxQueryBuilderWorkArea::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
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
