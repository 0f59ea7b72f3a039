#pragma once

// A window backed by a top-level Qt widget: its client area is the widget, its decoration the
// desktop's. Built at its designed pixel size and kept at it unless its border is sizeable.

#include <QPointer>
#include <QWidget>

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

  // The frame moved or changed size: Left, Top, Width and Height follow it.
  void FrameChanged();
  // Sets up the tab order of the widgets from TabChain.
  void Loaded() override;

 protected:
  void FontChanged() override;
  void PlaceForFirstShowing() override;

 private:
  void ApplyWindowFlags();
  void ApplySize();

  QPointer<TFormWidget> widget_;
};

}  // namespace kalvero
