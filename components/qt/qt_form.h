#pragma once

// A window backed by a top-level Qt widget: its client area is the widget, its decoration the
// desktop's. Built at its designed pixel size and kept at it unless its border is sizeable.

#include <QPointer>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>

#include "components/forms.h"
#include "components/qt/qt_control.h"

namespace kalvero {

class TQtForm;

class TFormWidget final : public QWidget {
 public:
  explicit TFormWidget(TQtForm& form);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TQtForm& form_;
};

class TQtForm : public TForm, public TQtWidgetHolder {
 public:
  TQtForm();
  TQtForm(const TQtForm&) = delete;
  TQtForm& operator=(const TQtForm&) = delete;
  ~TQtForm() override;

  QWidget* HolderWidget() const override { return widget_.data(); }
  QWidget& Widget() const { return *widget_; }

  void SetText(std::string text) override;
  void SetColor(TColor color) override;
  void SetCursor(TCursor cursor) override;
  void SetLeft(std::int32_t left) override;
  void SetTop(std::int32_t top) override;
  void SetClientWidth(std::int32_t width) override;
  void SetClientHeight(std::int32_t height) override;
  void SetBorderStyle(TFormBorderStyle style) override;
  void SetBorderIcons(TBorderIcons icons) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void BringToFront() override;
  void Repaint() override;
  void RepaintAll() override;

  // The frame moved or changed size: Left, Top, Width and Height follow it. A window centred on its
  // first showing before the desktop framed it is centred again with its frame.
  void FrameChanged();
  // Sets up the tab order of the widgets from TabChain.
  void Loaded() override;

 protected:
  void FontChanged() override;
  void PlaceForFirstShowing() override;

 private:
  // Where a centred window was centred over, the size of frame that was guessed, and the corner
  // it was put at.
  struct TCentring {
    QRect over;
    QSize frame;
    QPoint corner;
  };

  void ApplyWindowFlags();
  void ApplySize();
  // Moves the window so that a frame of size `frame` is centred over `over`; answers its corner.
  QPoint CentreFrame(const QRect& over, QSize frame);

  QPointer<TFormWidget> widget_;
  // Set from the first showing of a centred window until the desktop has framed it.
  std::optional<TCentring> centring_;
};

}  // namespace kalvero
