#pragma once

// The standard controls backed by Qt widgets: label, check box, push button, speed button, group
// box, panel, picture and progress bar (the edit box is in qt_edit.h).

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "components/image_controls.h"
#include "components/progress_bar.h"
#include "components/qt/qt_control.h"

namespace kalvero {

class TQtLabel;
class TQtImage;

// A label that reports the mouse to its control.
class TLabelWidget final : public QLabel {
 public:
  explicit TLabelWidget(TQtLabel& control);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TQtLabel& control_;
};

class TQtLabel final : public TQtControl<TLabel, TLabelWidget> {
 public:
  TQtLabel();
  void SetText(std::string text) override;
  void SetAlignment(TAlignment alignment) override;
  void SetAutoSize(bool autoSize) override;

  void MouseEntered() { Fire(*this, OnMouseEnter, *this); }
  void MouseLeft() { Fire(*this, OnMouseLeave, *this); }
  void MouseMoved(int x, int y) { Fire(*this, OnMouseMove, *this, x, y); }

 protected:
  void ApplyFont() override;

 private:
  // An auto-sized label takes the size of its caption in its font.
  void FitToText();
};

// A check box that the whole control toggles, not only its box and caption.
class TCheckBoxWidget final : public QCheckBox {
 protected:
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

class TQtCheckBox final : public TQtControl<TCheckBox, TCheckBoxWidget> {
 public:
  TQtCheckBox();
  void SetText(std::string text) override;
  void SetChecked(bool checked) override;
};

class TQtButton final : public TQtControl<TButton, QPushButton> {
 public:
  TQtButton();
  void SetText(std::string text) override;
};

class TQtSpeedButton final : public TQtControl<TSpeedButton, QToolButton> {
 public:
  TQtSpeedButton();
  void SetText(std::string text) override;
  void SetFlat(bool flat) override;

 protected:
  void GlyphChanged() override;
};

// A group box drawn as an etched frame on its window's background, its caption on the frame's top
// line (the desktop style's group box would tint its inside).
class TGroupBoxWidget final : public QGroupBox {
 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TQtGroupBox final : public TQtControl<TGroupBox, TGroupBoxWidget> {
 public:
  TQtGroupBox();
  void SetText(std::string text) override;
};

class TQtPanel final : public TQtControl<TPanel, QFrame> {
 public:
  TQtPanel();
  void SetBevelOuter(TBevelCut bevel) override;
};

// A picture that reports clicks to its control.
class TImageWidget final : public QLabel {
 public:
  explicit TImageWidget(TQtImage& control);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TQtImage& control_;
};

class TQtImage final : public TQtControl<TImage, TImageWidget> {
 public:
  TQtImage();

 protected:
  void PictureChanged() override;
};

class TQtProgressBar final : public TQtControl<TProgressBar, QProgressBar> {
 public:
  TQtProgressBar();

 protected:
  void ProgressChanged() override;
};

}  // namespace kalvero
