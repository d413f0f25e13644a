#include "vxQBDataSourceControl.h"

#include "vxQBDatasourceFieldsList.h"
#include "vxQBDiagramScale.h"
#include "vxQBWorkArea.h"
#include "vxQueryBase.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

// Corners take the mouse this far along both edges, so that they are easy to hit.
constexpr int GCornerGrip = 10;
// Without a component there is no grid to ask for: boxes still line up.
constexpr int GDefaultSnapStep = 5;
constexpr qreal GCornerRadius = 4;
// How far the shadow reaches beyond the box.
constexpr int GShadowReach = 3;

QColor Mix(const QColor& From, const QColor& To, qreal Amount) {
  auto Channel = [Amount](int A, int B) { return static_cast<int>(A + (B - A) * Amount + 0.5); };
  return QColor(Channel(From.red(), To.red()), Channel(From.green(), To.green()), Channel(From.blue(), To.blue()));
}

}  // namespace

TvxQueryBuilderDataSourceControl::TvxQueryBuilderDataSourceControl(TvxDatasource* Datasource,
                                                                   TvxQueryBuilderWorkArea* WorkArea)
    : QWidget(WorkArea->GetCanvas()), FDatasource(Datasource), FWorkArea(WorkArea) {
  setObjectName(QStringLiteral("DatasourceControl"));
  setVisible(false);
  setMouseTracking(true);
  FFieldsList = new TvxQueryBuilderDatasourceFieldsList(this);
  // Whoever focuses the box focuses its list.
  setFocusPolicy(Qt::ClickFocus);
  setFocusProxy(FFieldsList);
  setWindowTitle(QString::fromStdString(Datasource->GetDisplayCaption()));
  UpdateContolParams();
  RefreshFields();
}

TvxQueryBuilderDataSourceControl::~TvxQueryBuilderDataSourceControl() {
  // The list goes after this object's own part: its scrolling must not reach the box any more,
  // nor the datasource, which may be going too.
  disconnect(FFieldsList->verticalScrollBar(), nullptr, this, nullptr);
}

// --- geometry ----------------------------------------------------------------------------------

int TvxQueryBuilderDataSourceControl::GetCaptionHeight() const {
  QFont Bold = font();
  Bold.setBold(true);
  return QFontMetrics(Bold).height() + 6;
}

int TvxQueryBuilderDataSourceControl::GetMinHeight() const { return 2 * FrameWidth + GetCaptionHeight(); }

QRect TvxQueryBuilderDataSourceControl::ToLocal(const QRect& Diagram) const {
  // Through the canvas, so that inner edges round as the box's own edges do.
  const TvxDiagramScale Scale = FWorkArea->GetScale();
  return Scale.ToCanvas(Diagram.translated(FBounds.topLeft())).translated(-Scale.ToCanvas(FBounds.topLeft()));
}

QRect TvxQueryBuilderDataSourceControl::GetInnerRect() const {
  return ToLocal(FBounds.adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth).translated(-FBounds.topLeft()));
}

QRect TvxQueryBuilderDataSourceControl::GetDiagramCaptionRect() const {
  return QRect(FrameWidth, FrameWidth, FBounds.width() - 2 * FrameWidth, GetCaptionHeight());
}

QRect TvxQueryBuilderDataSourceControl::GetCaptionRect() const { return ToLocal(GetDiagramCaptionRect()); }

QRect TvxQueryBuilderDataSourceControl::GetCloseButtonRect() const {
  const QRect Caption = GetDiagramCaptionRect();
  const int Side = std::max(10, Caption.height() - 6);
  return ToLocal(QRect(Caption.right() - Side - 1, Caption.center().y() - Side / 2, Side, Side));
}

void TvxQueryBuilderDataSourceControl::LayoutFieldsList() {
  const int Top = FrameWidth + GetCaptionHeight();
  FFieldsList->setGeometry(ToLocal(QRect(FrameWidth, Top, std::max(0, FBounds.width() - 2 * FrameWidth),
                                         std::max(0, FBounds.height() - Top - FrameWidth))));
}

QRect TvxQueryBuilderDataSourceControl::CalcFieldRect(const QString& FieldName, bool WithFrame) const {
  const QRect List = FFieldsList->geometry();
  QRect Row;
  if (FieldName.isEmpty()) {
    const QRect Caption = GetCaptionRect();
    Row = QRect(List.x(), Caption.y(), List.width(), Caption.height());
  } else {
    const QList<QListWidgetItem*> Found = FFieldsList->findItems(FieldName, Qt::MatchFixedString);
    if (Found.isEmpty()) return QRect();
    // The first of equal names, as the list is read from the top.
    int First = FFieldsList->row(Found.first());
    for (const QListWidgetItem* Item : Found) First = std::min(First, FFieldsList->row(Item));
    const QRect Item = FFieldsList->visualItemRect(FFieldsList->item(First));
    const int Top = std::clamp(Item.top(), 0, List.height());
    const int Bottom = std::clamp(Item.top() + Item.height(), 0, List.height());
    Row = QRect(List.x(), List.y() + Top, List.width(), Bottom - Top);
  }
  if (WithFrame) {
    Row.setLeft(0);
    Row.setWidth(width());
  }
  return Row;
}

int TvxQueryBuilderDataSourceControl::GetSnapStep() const {
  const TvxQueryBuilder* QueryBuilder = FWorkArea->GetQueryBuilder();
  if (QueryBuilder == nullptr) return GDefaultSnapStep;
  return QueryBuilder->GetSnapToGrid() ? std::max(0, QueryBuilder->GetGridSize()) : 0;
}

QRect TvxQueryBuilderDataSourceControl::SnapBounds(const QRect& Wanted, const QSize& CurrentSize, int Step) {
  if (Step <= 0) return Wanted;
  // C++'s remainder takes the sign of the value: positions above zero round down, those below
  // towards zero.
  const int CutX = Wanted.x() % Step, CutY = Wanted.y() % Step;
  const int Width = Wanted.width() + (Wanted.width() != CurrentSize.width() ? CutX : 0);
  const int Height = Wanted.height() + (Wanted.height() != CurrentSize.height() ? CutY : 0);
  return QRect(Wanted.x() - CutX, Wanted.y() - CutY, Width, Height);
}

void TvxQueryBuilderDataSourceControl::SetBounds(const QRect& Bounds) {
  QRect Wanted(Bounds.topLeft(), QSize(std::clamp(Bounds.width(), MinWidth, MaxWidth),
                                       std::clamp(Bounds.height(), std::min(GetMinHeight(), MaxHeight), MaxHeight)));
  Wanted = SnapBounds(Wanted, FBounds.size(), GetSnapStep());
  // The canvas's origin is the diagram's, wherever it is scrolled to.
  Wanted.moveTo(std::max(0, Wanted.x()), std::max(0, Wanted.y()));
  FBounds = Wanted;
  ApplyBounds();
}

void TvxQueryBuilderDataSourceControl::ApplyBounds() {
  const QRect OnCanvas = FWorkArea->GetScale().ToCanvas(FBounds);
  if (OnCanvas != geometry()) {
    setGeometry(OnCanvas);
    FWorkArea->ChildMoved(this);
    return;
  }
  FWorkArea->ChildMoved(this);
  // The same canvas pixels may round from other diagram pixels, and the inner parts round
  // from those.
  LayoutFieldsList();
  update();
}

void TvxQueryBuilderDataSourceControl::TuneSize() {
  const int ClientHeight = FFieldsList->count() * FFieldsList->GetItemHeight() + 4;
  SetBounds(QRect(FBounds.topLeft(), QSize(TunedClientWidth + 2 * FrameWidth, ClientHeight + GetMinHeight())));
}

// --- what the datasource shows ---------------------------------------------------------------

void TvxQueryBuilderDataSourceControl::RefreshFields() {
  TvxStringList Fields;
  FDatasource->GetFieldsList(Fields);
  QStringList Rows;
  for (const std::string& Field : Fields) Rows << QString::fromStdString(Field);
  FFieldsList->SetFields(Rows);
  UpdateChecks();
  LinksMoved();
}

void TvxQueryBuilderDataSourceControl::UpdateChecks() { FFieldsList->UpdateChecks(); }

void TvxQueryBuilderDataSourceControl::UpdateContolParams() {
  const TvxQueryBuilder* QueryBuilder = FWorkArea->GetQueryBuilder();
  FTableColor = QueryBuilder != nullptr ? QueryBuilder->GetTableColor() : palette().color(QPalette::Base);
  if (QueryBuilder != nullptr) setFont(QueryBuilder->GetTableFont());
  QPalette Colours = FFieldsList->palette();
  Colours.setColor(QPalette::Base, FTableColor);
  Colours.setColor(QPalette::Window, FTableColor);
  FFieldsList->setPalette(Colours);
  // The zoom may have changed: rows and bounds are measured again.
  FFieldsList->doItemsLayout();
  if (!FBounds.isNull()) ApplyBounds();
  LayoutFieldsList();
  LinksMoved();
  update();
}

// --- focus and closing -------------------------------------------------------------------------

bool TvxQueryBuilderDataSourceControl::IsFocusedControl() const { return FWorkArea->GetFocusedControl() == this; }

void TvxQueryBuilderDataSourceControl::BringToFront() {
  raise();
  FWorkArea->SetFocusedControl(this);
  update();
}

void TvxQueryBuilderDataSourceControl::ListFocused() {
  FWorkArea->SetFocusedControl(this);
  update();
}

void TvxQueryBuilderDataSourceControl::Close() {
  if (FClosing) return;
  FClosing = true;
  // The focus goes to the diagram, not on to the next box, which a second Delete would remove.
  if (IsFocusedControl()) {
    FWorkArea->SetFocusedControl(nullptr);
    FWorkArea->setFocus(Qt::OtherFocusReason);
  }
  vx::RunReported(FDatasource->GetQueryBuilder(), [this] { FDatasource->SendDestroyNotification(); });
  hide();
  RepaintShadow(geometry());
  // Freeing the box frees the datasource (its owner).
  deleteLater();
}

void TvxQueryBuilderDataSourceControl::ShowMenu(const QPoint& Global) {
  BringToFront();
  TvxQueryBuilder* QueryBuilder = FDatasource->GetQueryBuilder();
  if (QueryBuilder != nullptr && FDatasource->GetPopupMenu() != nullptr) QueryBuilder->PopupMenuPopup(Global);
}

void TvxQueryBuilderDataSourceControl::LinksMoved() { FWorkArea->RealignLinks(FDatasource); }

// --- the mouse ---------------------------------------------------------------------------------

Qt::Edges TvxQueryBuilderDataSourceControl::EdgesAt(const QPoint& Point) const {
  const QRect Inner = GetInnerRect();
  const bool NearLeft = Point.x() < Inner.x(), NearRight = Point.x() >= Inner.x() + Inner.width();
  const bool NearTop = Point.y() < Inner.y(), NearBottom = Point.y() >= Inner.y() + Inner.height();
  const int Grip = FWorkArea->GetScale().ToCanvas(GCornerGrip);
  Qt::Edges Edges;
  if (NearLeft || ((NearTop || NearBottom) && Point.x() < Grip)) Edges |= Qt::LeftEdge;
  if (NearRight || ((NearTop || NearBottom) && Point.x() >= width() - Grip)) Edges |= Qt::RightEdge;
  if (NearTop || ((NearLeft || NearRight) && Point.y() < Grip)) Edges |= Qt::TopEdge;
  if (NearBottom || ((NearLeft || NearRight) && Point.y() >= height() - Grip)) Edges |= Qt::BottomEdge;
  return Edges;
}

QRect TvxQueryBuilderDataSourceControl::ResizedBounds(const QPoint& FromStart) const {
  int Left = FPressBounds.x(), Top = FPressBounds.y();
  int Right = Left + FPressBounds.width(), Bottom = Top + FPressBounds.height();
  if (FResizeEdges & Qt::LeftEdge) Left += FromStart.x();
  if (FResizeEdges & Qt::RightEdge) Right += FromStart.x();
  if (FResizeEdges & Qt::TopEdge) Top += FromStart.y();
  if (FResizeEdges & Qt::BottomEdge) Bottom += FromStart.y();
  // The size within its limits; the edge the mouse holds gives way, the opposite one stays.
  const int Width = std::clamp(Right - Left, MinWidth, MaxWidth);
  const int Height = std::clamp(Bottom - Top, GetMinHeight(), MaxHeight);
  if (FResizeEdges & Qt::LeftEdge) Left = Right - Width;
  if (FResizeEdges & Qt::TopEdge) Top = Bottom - Height;
  return QRect(Left, Top, Width, Height);
}

void TvxQueryBuilderDataSourceControl::mousePressEvent(QMouseEvent* Event) {
  Event->accept();
  BringToFront();
  if (Event->button() != Qt::LeftButton) return;
  FPressGlobal = Event->globalPosition().toPoint();
  FPressBounds = FBounds;
  FResizeEdges = EdgesAt(Event->position().toPoint());
  if (FResizeEdges)
    FMouseAction = TMouseAction::Resize;
  else if (GetCloseButtonRect().contains(Event->position().toPoint()))
    FMouseAction = TMouseAction::Close;
  else
    FMouseAction = TMouseAction::Move;
}

void TvxQueryBuilderDataSourceControl::mouseMoveEvent(QMouseEvent* Event) {
  Event->accept();
  const QPoint At = Event->position().toPoint();
  // The mouse moves in canvas pixels, the box in diagram pixels.
  const QPoint FromStart = FWorkArea->GetScale().ToDiagram(Event->globalPosition().toPoint() - FPressGlobal);
  switch (FMouseAction) {
    case TMouseAction::Move:
      SetBounds(FPressBounds.translated(FromStart));
      return;
    case TMouseAction::Resize:
      SetBounds(ResizedBounds(FromStart));
      return;
    case TMouseAction::Close:
      SetCloseHot(GetCloseButtonRect().contains(At));
      return;
    case TMouseAction::None:
      break;
  }
  const Qt::Edges Edges = EdgesAt(At);
  const bool Falling = Edges == (Qt::LeftEdge | Qt::TopEdge) || Edges == (Qt::RightEdge | Qt::BottomEdge);
  const bool Rising = Edges == (Qt::RightEdge | Qt::TopEdge) || Edges == (Qt::LeftEdge | Qt::BottomEdge);
  if (Falling)
    setCursor(Qt::SizeFDiagCursor);
  else if (Rising)
    setCursor(Qt::SizeBDiagCursor);
  else if (Edges & (Qt::LeftEdge | Qt::RightEdge))
    setCursor(Qt::SizeHorCursor);
  else if (Edges)
    setCursor(Qt::SizeVerCursor);
  else
    unsetCursor();
  SetCloseHot(!Edges && GetCloseButtonRect().contains(At));
}

void TvxQueryBuilderDataSourceControl::mouseReleaseEvent(QMouseEvent* Event) {
  Event->accept();
  const TMouseAction Action = std::exchange(FMouseAction, TMouseAction::None);
  if (Event->button() == Qt::LeftButton && Action == TMouseAction::Close &&
      GetCloseButtonRect().contains(Event->position().toPoint()))
    Close();
  else if ((Action == TMouseAction::Move || Action == TMouseAction::Resize) && geometry() != FPressBounds)
    FDatasource->NotifyLayoutChanged();
}

void TvxQueryBuilderDataSourceControl::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton || !GetCaptionRect().contains(Event->position().toPoint()) ||
      GetCloseButtonRect().contains(Event->position().toPoint()))
    return;
  vx::RunReported(FDatasource->GetQueryBuilder(), [this] { FDatasource->EditPropsEvent(this); });
}

void TvxQueryBuilderDataSourceControl::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  ShowMenu(Event->globalPos());
}

void TvxQueryBuilderDataSourceControl::leaveEvent(QEvent* Event) {
  QWidget::leaveEvent(Event);
  SetCloseHot(false);
}

void TvxQueryBuilderDataSourceControl::SetCloseHot(bool Hot) {
  if (Hot == FCloseHot) return;
  FCloseHot = Hot;
  update(GetCloseButtonRect());
}

// --- events ------------------------------------------------------------------------------------

void TvxQueryBuilderDataSourceControl::moveEvent(QMoveEvent* Event) {
  QWidget::moveEvent(Event);
  RepaintShadow(QRect(Event->oldPos(), size()));
  RepaintShadow(geometry());
  LinksMoved();
}

void TvxQueryBuilderDataSourceControl::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  RepaintShadow(QRect(pos(), Event->oldSize()));
  RepaintShadow(geometry());
  LayoutFieldsList();
  LinksMoved();
}

void TvxQueryBuilderDataSourceControl::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  LinksMoved();
}

void TvxQueryBuilderDataSourceControl::changeEvent(QEvent* Event) {
  QWidget::changeEvent(Event);
  if (Event->type() == QEvent::WindowTitleChange) {
    setToolTip(windowTitle());
    update(GetCaptionRect());
  } else if (Event->type() == QEvent::FontChange) {
    LayoutFieldsList();
    LinksMoved();
  }
}

// --- painting ----------------------------------------------------------------------------------

void TvxQueryBuilderDataSourceControl::RepaintShadow(const QRect& Bounds) const {
  if (QWidget* Canvas = parentWidget()) Canvas->update(Bounds.adjusted(-1, -1, GShadowReach + 1, GShadowReach + 1));
}

void TvxQueryBuilderDataSourceControl::PaintShadow(QPainter& Canvas) const {
  if (!isVisible()) return;
  Canvas.save();
  Canvas.setRenderHint(QPainter::Antialiasing);
  Canvas.setPen(Qt::NoPen);
  for (int Step = 1; Step <= GShadowReach; ++Step) {
    Canvas.setBrush(QColor(0, 0, 0, 26 - 6 * Step));
    Canvas.drawRoundedRect(QRectF(geometry()).translated(Step / 2.0, Step).adjusted(-0.5, -0.5, 0.5, 0.5),
                           GCornerRadius + Step / 2.0, GCornerRadius + Step / 2.0);
  }
  Canvas.restore();
}

void TvxQueryBuilderDataSourceControl::paintEvent(QPaintEvent*) {
  const double Zoom = FWorkArea->GetScale().GetFactor();
  QPainter Painter(this);
  Painter.setRenderHint(QPainter::Antialiasing);
  const bool Active = IsFocusedControl();
  const QColor Highlight = palette().color(QPalette::Highlight);
  const QColor Text = palette().color(QPalette::Text);
  const QColor Border = Active ? Highlight : Mix(FTableColor, Text, 0.32);
  const QColor CaptionFill = Active ? Highlight : Mix(FTableColor, Highlight, 0.14);
  const QColor CaptionText = Active ? palette().color(QPalette::HighlightedText) : Text;

  // The border is a line of the diagram: it thickens when zoomed in, never below a pixel.
  const qreal BorderWidth = std::max(1.0, Zoom);
  const QRectF Outline = QRectF(rect()).adjusted(BorderWidth / 2, BorderWidth / 2, -BorderWidth / 2, -BorderWidth / 2);
  QPainterPath Shape;
  Shape.addRoundedRect(Outline, GCornerRadius * Zoom, GCornerRadius * Zoom);
  Painter.fillPath(Shape, FTableColor);
  const QRect Caption = GetCaptionRect();
  Painter.save();
  Painter.setClipPath(Shape);
  Painter.fillRect(QRect(0, 0, width(), Caption.bottom() + 1), CaptionFill);
  Painter.fillRect(QRect(0, Caption.bottom(), width(), 1), Mix(Border, FTableColor, 0.35));
  Painter.restore();
  Painter.setPen(QPen(Border, BorderWidth));
  Painter.setBrush(Qt::NoBrush);
  Painter.drawPath(Shape);

  const QRect Close = GetCloseButtonRect();
  if (FCloseHot) {
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Mix(CaptionFill, CaptionText, 0.18));
    Painter.drawRoundedRect(QRectF(Close), 2 * Zoom, 2 * Zoom);
  }
  Painter.setPen(QPen(CaptionText, 1.4 * Zoom, Qt::SolidLine, Qt::RoundCap));
  const qreal Inset = 3.5 * Zoom;
  const QRectF Cross = QRectF(Close).adjusted(Inset, Inset, -Inset, -Inset);
  Painter.drawLine(Cross.topLeft(), Cross.bottomRight());
  Painter.drawLine(Cross.topRight(), Cross.bottomLeft());

  // The caption is drawn in the zoomed font at its own size rather than scaled, so that small
  // zooms keep hinted, legible text.
  QFont Bold = FWorkArea->GetScale().ToCanvas(font());
  Bold.setBold(true);
  Painter.setFont(Bold);
  Painter.setPen(CaptionText);
  const int Gap = std::max(1, FWorkArea->GetScale().ToCanvas(3));
  const QRect TextRect(Caption.x() + Gap, Caption.y(), Close.x() - Caption.x() - 2 * Gap, Caption.height());
  Painter.drawText(TextRect, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(Bold).elidedText(windowTitle(), Qt::ElideRight, TextRect.width()));
}
