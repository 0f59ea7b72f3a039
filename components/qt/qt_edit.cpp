#include "components/qt/qt_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace kalvero {
namespace {

// The characters of `text` that the key filter lets through, one code point at a time.
QString Filtered(TEdit& control, const QString& text) {
  QString kept;
  for (const char32_t code : text.toUcs4()) {
    const char32_t key = control.FilterKey(code);
    if (key != U'\0') kept += QString::fromUcs4(&key, 1);
  }
  return kept;
}

}  // namespace

TEditWidget::TEditWidget(TEdit& control) : control_(control) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { Edited(text); });
}

// What would pass the limit is cut from the text just inserted, which ends at the cursor.
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
  control_.UserChangedText(FromQt(text));
}

void TEditWidget::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  // Only printable characters are typed text; control keys (Backspace, Enter, Ctrl+V) go on as they
  // are. The first code point decides, so a character outside the BMP (two UTF-16 halves) is text.
  if (text.isEmpty() || !QChar::isPrint(text.toUcs4().front())) return QLineEdit::keyPressEvent(event);
  const QString kept = Filtered(control_, text);
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
  changed.setCommitString(Filtered(control_, committed), event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&changed);
}

}  // namespace kalvero
