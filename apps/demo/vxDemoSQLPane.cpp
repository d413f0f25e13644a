#include "vxDemoSQLPane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

TvxDemoSQLPane::TvxDemoSQLPane(QWidget* Parent) : QWidget(Parent) {
  auto* Title = new QLabel(tr("<b>SQL</b>"), this);
  auto* Hint = new QLabel(tr("Edit the text and apply it to the diagram with Ctrl+Return"), this);
  Hint->setEnabled(false);
  bApply = new QPushButton(tr("&Apply"), this);
  bApply->setObjectName(QStringLiteral("bApply"));
  bApply->setToolTip(tr("Load the text into the query builder (Ctrl+Return)"));

  eSQL = new QPlainTextEdit(this);
  eSQL->setObjectName(QStringLiteral("eSQL"));
  QFont Font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  Font.setPointSizeF(std::max(Font.pointSizeF(), 10.0));
  eSQL->setFont(Font);
  eSQL->setLineWrapMode(QPlainTextEdit::NoWrap);
  eSQL->setTabStopDistance(QFontMetricsF(Font).horizontalAdvance(QLatin1Char(' ')) * 2);

  lError = new QLabel(this);
  lError->setObjectName(QStringLiteral("lError"));
  lError->setWordWrap(true);
  lError->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lError->setStyleSheet(
      QStringLiteral("QLabel { background: #fdecea; color: #8a1c12; padding: 4px 6px;"
                     " border: 1px solid #f1b8b2; border-radius: 3px; }"));
  lError->hide();

  auto* Header = new QHBoxLayout;
  Header->setContentsMargins(0, 0, 0, 0);
  Header->addWidget(Title);
  Header->addSpacing(8);
  Header->addWidget(Hint, 1);
  Header->addWidget(bApply);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(6, 4, 6, 4);
  Layout->setSpacing(4);
  Layout->addLayout(Header);
  Layout->addWidget(eSQL, 1);
  Layout->addWidget(lError);

  connect(bApply, &QPushButton::clicked, this, [this] { emit applyRequested(GetText()); });
  connect(eSQL, &QPlainTextEdit::textChanged, this, [this] {
    if (!FSettingText) FEdited = true;
  });
}

void TvxDemoSQLPane::SetText(const QString& Text) {
  FSettingText = true;
  QString Plain = Text;
  Plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  eSQL->setPlainText(Plain);
  FSettingText = false;
  FEdited = false;
  ClearError();
}

QString TvxDemoSQLPane::GetText() const { return eSQL->toPlainText(); }

void TvxDemoSQLPane::ShowError(const QString& Message, int Position, int Length) {
  QString Text = Message;
  if (Position >= 0) {
    const int End = eSQL->document()->characterCount() - 1;
    QTextCursor Cursor(eSQL->document());
    Cursor.setPosition(std::min(Position, End));
    eSQL->setTextCursor(Cursor);
    eSQL->ensureCursorVisible();
    Text = tr("Line %1, column %2: %3").arg(Cursor.blockNumber() + 1).arg(Cursor.positionInBlock() + 1).arg(Message);
    QTextEdit::ExtraSelection Mark;
    Mark.cursor = Cursor;
    Mark.cursor.setPosition(std::min(Position + Length, End), QTextCursor::KeepAnchor);
    Mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    Mark.format.setUnderlineColor(QColor(0xc0, 0x20, 0x10));
    Mark.format.setBackground(QColor(0xfd, 0xec, 0xea));
    eSQL->setExtraSelections({Mark});
  }
  lError->setText(Text);
  lError->show();
}

void TvxDemoSQLPane::ClearError() {
  eSQL->setExtraSelections({});
  lError->clear();
  lError->hide();
}

QString TvxDemoSQLPane::GetErrorText() const { return lError->text(); }
