#include "ui/qt/qt_directory_edit.h"

#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>

namespace kalvero {
namespace {

// The path of a chosen folder as the file system names it; none when the dialog's text holds a
// character it could not decode (a name that is no UTF-8 comes back with U+FFFD).
std::optional<std::string> FileSystemPath(const QString& chosen) {
  if (chosen.isEmpty() || chosen.contains(QChar::ReplacementCharacter)) return std::nullopt;
  return QFile::encodeName(chosen).toStdString();
}

}  // namespace

TDirectoryEditWidget::TDirectoryEditWidget(TQtDirectoryEdit& control)
    : TEditWidget(control), control_(control), button_(new QToolButton(this)) {
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setCursor(Qt::ArrowCursor);
  button_->installEventFilter(this);
}

// F4 browses while the box has the focus; a key only reaches the box that has it.
void TDirectoryEditWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_F4) return TEditWidget::keyPressEvent(event);
  event->accept();
  control_.Browse();
}

void TDirectoryEditWidget::resizeEvent(QResizeEvent* event) {
  TEditWidget::resizeEvent(event);
  control_.PlaceButton();
}

// The left button pressed on the browse button browses when it is released, wherever the pointer
// is then (the button keeps the mouse while it is held); other buttons do nothing.
bool TDirectoryEditWidget::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (watched != button_ || !(press || release)) return TEditWidget::eventFilter(watched, event);
  const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (press && left) buttonPressed_ = true;
  if (!release || !left || !buttonPressed_) return TEditWidget::eventFilter(watched, event);
  buttonPressed_ = false;
  button_->setDown(false);
  control_.Browse();
  if (isEnabled() && isVisible() && !hasFocus()) control_.SetFocus();
  return true;
}

TQtDirectoryEdit::TQtDirectoryEdit() : TQtEditControl(new TDirectoryEditWidget(*this)) { PlaceButton(); }

void TQtDirectoryEdit::ButtonChanged() {
  QToolButton& button = Widget().Button();
  const QPixmap glyph = ToQPixmap(Glyph());
  button.setIcon(QIcon(glyph));
  button.setIconSize(glyph.size());
  PlaceButton();
}

void TQtDirectoryEdit::PlaceButton() {
  // The button rectangle is in client coordinates, inside the box's border.
  Widget().Button().setGeometry(ToQRect(ButtonRect()).translated(kBorder, kBorder));
  // The text ends where TextRect does; the line edit's own frame and padding lie before that.
  const int textRight = TextRect().right + kBorder;
  Widget().setTextMargins(0, 0, std::max(0, Widget().width() - textRight - 2 * kBorder), 0);
}

TFolderBrowserAnswer TQtDirectoryEdit::RunFolderBrowser(const TFolderBrowserRequest& request) {
  QFileDialog dialog(Widget().parentWidget(), ToQt(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setOption(QFileDialog::ReadOnly, !request.allowNewFolder);
  const QString selection = QFile::decodeName(request.selection.c_str());
  const QFileInfo selected(selection);
  dialog.setDirectory(selected.absoluteDir());
  dialog.selectFile(selected.absoluteFilePath());

  // Below the box's left end, or beside or above it where the screen ends; the decoration of the
  // dialog's window is taken to be that of the box's window.
  const QWidget* window = Widget().window();
  const QSize decoration = window->frameGeometry().size() - window->size();
  const QSize size = dialog.sizeHint().expandedTo(dialog.minimumSize()) + decoration;
  const QPoint below = Widget().mapToGlobal(QPoint(kBorder, kBorder + Height()));
  const QScreen* screen = Widget().screen();
  const QRect screenArea = screen != nullptr ? screen->geometry() : QRect(0, 0, 0, 0);
  const TPoint corner = BrowserPosition({below.x(), below.y()}, Height(), {size.width(), size.height()},
                                        {screenArea.x() + screenArea.width(), screenArea.y() + screenArea.height()});
  dialog.move(corner.x, corner.y);

  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return {true, chosen.isEmpty() ? std::nullopt : FileSystemPath(chosen.front())};
}

void KeepFileDialogHistoryOutOfFiles() {
  // Below a file that is no folder: QSettings finds nothing there and cannot make the folder to write.
  const QString folder = QStringLiteral("/dev/null/none");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

}  // namespace kalvero
