#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

#include "platform/qt/input_blocker.h"

namespace kalvero {
namespace {

constexpr qsizetype kLabelMostLines = 12;
constexpr qsizetype kLabelMostCharacters = 800;
constexpr int kTextAreaColumns = 60;

QMessageBox::Icon IconOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return QMessageBox::Warning;
    case TMessageKind::Error: return QMessageBox::Critical;
    case TMessageKind::Information: return QMessageBox::Information;
    case TMessageKind::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// Adds the buttons with their fixed labels and answers the Yes button (none for an OK box).
// Escape and the close box press the escape button.
QPushButton* AddButtons(QMessageBox& box, TMessageButtons buttons) {
  if (buttons == TMessageButtons::Ok) {
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    return nullptr;
  }
  QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  return yes;
}

const QScreen& BoxScreen(const QWidget& box) {
  return box.screen() ? *box.screen() : *QGuiApplication::primaryScreen();
}

// The lines `text` takes when wrapped at the text area's width, estimated from its characters.
qsizetype WrappedLines(const QString& text) {
  qsizetype lines = 0;
  for (const QStringView line : QStringView(text).split(u'\n'))
    lines += 1 + std::max<qsizetype>(line.size() - 1, 0) / kTextAreaColumns;
  return lines;
}

// About 60 average characters wide, as tall as the text needs but at most two thirds of the
// screen, so the whole box with its buttons stays on the screen.
QSize TextAreaSize(const QPlainTextEdit& area, const QString& text, const QRect& screen) {
  const QFontMetrics metrics = area.fontMetrics();
  const int frame = 2 * area.frameWidth() + 2 * static_cast<int>(area.document()->documentMargin());
  const int scrollBar = area.verticalScrollBar()->sizeHint().width();
  const int width = kTextAreaColumns * metrics.averageCharWidth() + scrollBar + frame;
  const qsizetype height = WrappedLines(text) * metrics.lineSpacing() + frame;
  return {std::min(width, screen.width() * 9 / 10),
          static_cast<int>(std::min<qsizetype>(height, screen.height() * 2 / 3))};
}

// A read-only, selectable text area in the place of the box's label. Report lists are long lines
// of paths, so a line breaks at a space where it can and anywhere else where it must.
void ShowInTextArea(QMessageBox& box, const QString& text) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  const int at = grid && label ? grid->indexOf(label) : -1;
  if (at < 0) {  // a Qt whose box is laid out differently: the label, however tall
    box.setText(text);
    return;
  }
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(at, &row, &column, &rows, &columns);
  label->hide();

  auto* area = new QPlainTextEdit(&box);
  // The text goes into a document that has no layout yet, so that its megabyte-long lines are laid
  // out once the area has its size; the area's own setPlainText would lay them out several times.
  auto* document = new QTextDocument(area);
  document->setDefaultFont(area->font());
  document->setPlainText(text);
  document->setDocumentLayout(new QPlainTextDocumentLayout(document));
  area->setDocument(document);
  area->setReadOnly(true);
  area->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  area->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  area->setMinimumSize(TextAreaSize(*area, text, BoxScreen(box).availableGeometry()));
  grid->addWidget(area, row, column, rows, columns);
}

// The width of the widest piece of `text` that a label cannot break: each line of a layout that
// wraps wherever the label would, at zero width, holds one such piece.
qreal WidestUnbreakable(QString text, const QFont& font) {
  text.replace(u'\n', u' ');
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  qreal widest = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(0);
    widest = std::max(widest, line.naturalTextWidth());
  }
  layout.endLayout();
  return widest;
}

// A box that shows its text on the lines the text brings, each as wide as it is; only a line wider
// than three quarters of the screen's work area wraps, at that width. Qt's own box wraps every
// text wider than half the screen or 500 pixels, and a narrow box breaks sentences almost anywhere.
class TMessageBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // sizes and places the box by Qt's rule first
    FitToText();
    // Placed again for its new size, as Qt places a dialog: centred over its parent, on the screen.
    if (!event->spontaneous() && !testAttribute(Qt::WA_Moved)) {
      adjustPosition(parentWidget());
      setAttribute(Qt::WA_Moved, false);
    }
  }

 private:
  void FitToText() {
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr || label->isHidden()) return;  // the text stands in a text area
    const QFontMetrics metrics = label->fontMetrics();
    int widest = 0;
    for (const QString& line : label->text().split(u'\n')) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int most = BoxScreen(*this).availableGeometry().width() * 3 / 4;
    const bool wrap = widest > most;
    label->setWordWrap(wrap);
    if (wrap) label->setFixedWidth(most);
    layout()->activate();
    // As Qt does, the box is wide enough for its caption beside the close box.
    const int width =
        std::max(layout()->totalMinimumSize().width(), fontMetrics().horizontalAdvance(windowTitle()) + 50);
    setFixedSize(width, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                       : layout()->totalMinimumSize().height());
  }
};

}  // namespace

QString MessageBoxText(const std::string& text) {
  QString shown = QString::fromUtf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

bool NeedsScrollableText(const QString& text, const QFont& font, int screenWidth) {
  return text.size() > kLabelMostCharacters || text.count(u'\n') >= kLabelMostLines ||
         WidestUnbreakable(text, font) > screenWidth / 2;
}

TQtDialogs::~TQtDialogs() {
  if (busy_ && QGuiApplication::instance() != nullptr) QGuiApplication::restoreOverrideCursor();
}

TMessageAnswer TQtDialogs::ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                          TMessageButtons buttons) {
  QWidget* parent = owner_ ? owner_.data() : QApplication::activeWindow();
  // Held by a guard: the owner may be destroyed while the box's own loop runs, and the box with it.
  QPointer<QMessageBox> box = new TMessageBox(parent);
  // A top-level window takes no font from its parent: the box shows the windows' font.
  if (parent != nullptr) box->setFont(parent->font());
  box->setIcon(IconOf(kind));
  box->setWindowTitle(caption.empty() ? QString::fromUtf8(MessageCaption(kind)) : QString::fromUtf8(caption));
  box->setTextFormat(Qt::PlainText);
  const QPushButton* yes = AddButtons(*box, buttons);
  const QString shown = MessageBoxText(text);
  if (NeedsScrollableText(shown, box->font(), BoxScreen(*box).availableGeometry().width()))
    ShowInTextArea(*box, shown);
  else
    box->setText(shown);

  box->exec();
  const bool yesPressed = box && yes != nullptr && box->clickedButton() == yes;
  delete box.data();
  if (buttons == TMessageButtons::Ok) return TMessageAnswer::Ok;
  return yesPressed ? TMessageAnswer::Yes : TMessageAnswer::Cancel;
}

void TQtDialogs::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

void TQtDialogs::ProcessMessages(bool userInput) {
  if (userInput)
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  else
    ProcessMessagesWithoutInput();
}

}  // namespace kalvero
