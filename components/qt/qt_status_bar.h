#pragma once

// The status bar backed by a widget that draws itself in its colour (the button face) and on it its
// panels: each panel's frame and text, the last one reaching to the end of the bar. Controls placed on the bar (the status icon's host) are
// child widgets at their own places.

#include <QSizeGrip>
#include <QWidget>

#include "components/qt/qt_control.h"
#include "components/status_bar.h"

namespace kalvero {

class TQtStatusBar;

class TStatusBarWidget final : public QWidget {
 public:
  explicit TStatusBarWidget(TQtStatusBar& control) : control_(control) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TQtStatusBar& control_;
};

class TQtStatusBar final : public TQtControl<TStatusBar, TStatusBarWidget> {
 public:
  // The gap before each panel's frame, in pixels.
  static constexpr int kPanelGap = 3;

  TQtStatusBar();
  void SetColor(TColor color) override;
  void SetSizeGrip(bool sizeGrip) override;
  void PlaceSizeGrip();

 protected:
  void PanelsChanged() override;

 private:
  QSizeGrip* grip_;
};

}  // namespace kalvero
