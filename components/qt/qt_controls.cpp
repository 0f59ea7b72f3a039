#include "components/qt/qt_controls.h"

#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kalvero {
namespace {

Qt::Alignment ToQtAlignment(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taLeftJustify: return Qt::AlignLeft | Qt::AlignTop;
    case TAlignment::taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case TAlignment::taCenter: return Qt::AlignHCenter | Qt::AlignTop;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

// The characters of `text` that the key filter lets through, one code point at a time.
QString Filtered(TQtEdit& control, const QString& text, bool (*filter)(TQtEdit&, char32_t&)) {
  QString kept;
  for (const char32_t code : text.toUcs4()) {
    char32_t key = code;
    if (filter(control, key)) kept += QString::fromUcs4(&key, 1);
  }
  return kept;
}

}  // namespace

TLabelWidget::TLabelWidget(TQtLabel& control) : control_(control) {
  setMouseTracking(true);
  setTextFormat(Qt::PlainText);
}

void TLabelWidget::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  control_.MouseEntered();
}

void TLabelWidget::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  control_.MouseLeft();
}

void TLabelWidget::mouseMoveEvent(QMouseEvent* event) {
  QLabel::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  control_.MouseMoved(at.x(), at.y());
}

void TLabelWidget::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) control_.Click();
}

TQtLabel::TQtLabel() : TQtControl(new TLabelWidget(*this)) { Widget().setAlignment(ToQtAlignment(Alignment())); }

void TQtLabel::SetText(std::string text) {
  TLabel::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
  FitToText();
}

void TQtLabel::SetAlignment(TAlignment alignment) {
  TLabel::SetAlignment(alignment);
  Widget().setAlignment(ToQtAlignment(alignment));
}

void TQtLabel::SetAutoSize(bool autoSize) {
  TLabel::SetAutoSize(autoSize);
  FitToText();
}

void TQtLabel::ApplyFont() {
  TQtControl::ApplyFont();
  FitToText();
}

void TQtLabel::FitToText() {
  if (!AutoSize()) return;
  const QFontMetrics metrics(Widget().font());
  SetWidth(metrics.horizontalAdvance(Widget().text()));
  SetHeight(metrics.height());
}

TEditWidget::TEditWidget(TQtEdit& control) : control_(control) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { Edited(text); });
}

// The length limit holds for what the user types, pastes or drops: what would pass it is cut
// from the text just inserted, which ends at the cursor. A longer text the program wrote is never
// cut (QLineEdit's own limit would cut it, and its validator sees program writes too).
void TEditWidget::Edited(QString text) {
  const qsizetype limit = control_.MaxLength();
  const qsizetype before = ToQt(control_.Text()).size();
  if (limit > 0 && text.size() > std::max(limit, before)) {
    const int cursor = cursorPosition();
    const qsizetype cut = std::min<qsizetype>(text.size() - std::max(limit, before), cursor);
    text.remove(cursor - cut, cut);
    setText(text);
    setCursorPosition(cursor - static_cast<int>(cut));
  }
  control_.EditedByUser(text);
}

namespace {

bool PassesFilter(TQtEdit& control, char32_t& key) {
  key = control.FilterKey(key);
  return key != U'\0';
}

}  // namespace

void TEditWidget::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  // Only printable characters are typed text; control keys (Backspace, Enter, Ctrl+V) go on as they are.
  if (text.isEmpty() || !text.front().isPrint()) return QLineEdit::keyPressEvent(event);
  const QString kept = Filtered(control_, text, PassesFilter);
  if (kept.isEmpty()) return event->accept();
  if (kept == text) return QLineEdit::keyPressEvent(event);
  QKeyEvent changed(event->type(), event->key(), event->modifiers(), kept, event->isAutoRepeat(),
                    static_cast<ushort>(event->count()));
  QLineEdit::keyPressEvent(&changed);
}

void TEditWidget::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = event->commitString();
  if (committed.isEmpty()) return QLineEdit::inputMethodEvent(event);
  QInputMethodEvent changed(event->preeditString(), event->attributes());
  changed.setCommitString(Filtered(control_, committed, PassesFilter), event->replacementStart(),
                          event->replacementLength());
  QLineEdit::inputMethodEvent(&changed);
}

TQtEdit::TQtEdit() : TQtEdit(new TEditWidget(*this)) {}

TQtEdit::TQtEdit(TEditWidget* widget) : TQtControl(widget) { SetColor(Color()); }

void TQtEdit::SetColor(TColor color) {
  TEdit::SetColor(color);
  QPalette palette = Widget().palette();
  palette.setColor(QPalette::Base, ToQColor(color));
  Widget().setPalette(palette);
}

void TQtEdit::ShowText(const std::string& text) { Widget().setText(ToQt(text)); }

TQtCheckBox::TQtCheckBox() : TQtControl(new QCheckBox) {
  // clicked() comes from the user only; toggled() also from the program.
  QObject::connect(&Widget(), &QCheckBox::clicked, &Widget(), [this](bool checked) { UserClicked(checked); });
}

void TQtCheckBox::SetText(std::string text) {
  TCheckBox::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
}

void TQtCheckBox::SetChecked(bool checked) {
  TCheckBox::SetChecked(checked);
  Widget().setChecked(checked);
}

TQtButton::TQtButton() : TQtControl(new QPushButton) {
  QObject::connect(&Widget(), &QPushButton::clicked, &Widget(), [this] { Click(); });
}

void TQtButton::SetText(std::string text) {
  TButton::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
}

TQtSpeedButton::TQtSpeedButton() : TQtControl(new QToolButton) {
  Widget().setFocusPolicy(Qt::NoFocus);
  Widget().setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QObject::connect(&Widget(), &QToolButton::clicked, &Widget(), [this] { Click(); });
}

void TQtSpeedButton::SetText(std::string text) {
  TSpeedButton::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
  Widget().setToolButtonStyle(Text().empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void TQtSpeedButton::SetFlat(bool flat) {
  TSpeedButton::SetFlat(flat);
  Widget().setAutoRaise(flat);
}

void TQtSpeedButton::GlyphChanged() {
  const QPixmap glyph = ToQPixmap(Glyph());
  Widget().setIcon(QIcon(glyph));
  Widget().setIconSize(glyph.size());
}

TQtGroupBox::TQtGroupBox() : TQtControl(new QGroupBox) {}

void TQtGroupBox::SetText(std::string text) {
  TGroupBox::SetText(std::move(text));
  Widget().setTitle(ToQt(Text()));
}

TQtPanel::TQtPanel() : TQtControl(new QFrame) { SetBevelOuter(BevelOuter()); }

void TQtPanel::SetBevelOuter(TBevelCut bevel) {
  TPanel::SetBevelOuter(bevel);
  switch (bevel) {
    case TBevelCut::bvNone:
    case TBevelCut::bvSpace: Widget().setFrameStyle(QFrame::NoFrame); break;
    case TBevelCut::bvLowered: Widget().setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TBevelCut::bvRaised: Widget().setFrameStyle(QFrame::Panel | QFrame::Raised); break;
  }
}

TImageWidget::TImageWidget(TQtImage& control) : control_(control) {}

void TImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) control_.Click();
}

TQtImage::TQtImage() : TQtControl(new TImageWidget(*this)) { Widget().setAlignment(Qt::AlignLeft | Qt::AlignTop); }

void TQtImage::PictureChanged() { Widget().setPixmap(ToQPixmap(Picture())); }

TQtProgressBar::TQtProgressBar() : TQtControl(new QProgressBar) {
  Widget().setTextVisible(false);
  ProgressChanged();
}

void TQtProgressBar::ProgressChanged() {
  Widget().setRange(Min(), Max());
  Widget().setValue(Position());
}

}  // namespace kalvero
