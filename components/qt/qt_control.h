#pragma once

// The link between a model control and the Qt widget that shows it. The model control owns its
// widget, which it creates with itself and deletes in its destructor; Qt's parent only places the
// widget on screen. Controls go last-created first, so a parent's widget outlives its children's;
// a QPointer covers the one case where Qt deletes a child widget with its parent first.
//
// Each setter of the model is overridden to forward the new value to the widget. What the user
// does comes back through the model's base setters and raises the model's events.

#include <QPointer>
#include <QWidget>

#include "components/controls.h"
#include "components/forms.h"
#include "components/qt/qt_values.h"

namespace kalvero {

// What every Qt-backed control and window answers: its widget, and the widget its children go in.
class TQtWidgetHolder {
 public:
  virtual QWidget* HolderWidget() const = 0;
  virtual QWidget* ChildArea() const { return HolderWidget(); }

 protected:
  ~TQtWidgetHolder() = default;
};

// The control a widget shows; null for a widget of no control.
TControl* ControlOf(const QObject* widget);
void LinkWidget(QWidget& widget, TControl& control);

// The widget the children of `parent` are placed in; null for no parent or one without a widget.
QWidget* ChildAreaOf(const TControl* parent);

template <class TModel, class TWidget>
class TQtControl : public TModel, public TQtWidgetHolder {
 public:
  explicit TQtControl(TWidget* widget) : widget_(widget) {
    LinkWidget(*widget_, *this);
    widget_->hide();
    ApplyFont();
  }
  TQtControl(const TQtControl&) = delete;
  TQtControl& operator=(const TQtControl&) = delete;
  ~TQtControl() override { delete widget_.data(); }

  TWidget& Widget() const { return *widget_; }
  QWidget* HolderWidget() const override { return widget_.data(); }

  void SetLeft(std::int32_t left) override {
    TModel::SetLeft(left);
    ApplyGeometry();
  }
  void SetTop(std::int32_t top) override {
    TModel::SetTop(top);
    ApplyGeometry();
  }
  void SetWidth(std::int32_t width) override {
    TModel::SetWidth(width);
    ApplyGeometry();
  }
  void SetHeight(std::int32_t height) override {
    TModel::SetHeight(height);
    ApplyGeometry();
  }
  void SetVisible(bool visible) override {
    TModel::SetVisible(visible);
    // A widget without a parent would show as a window of its own.
    if (widget_ && widget_->parentWidget() != nullptr) widget_->setVisible(visible);
  }
  void SetEnabled(bool enabled) override {
    TModel::SetEnabled(enabled);
    if (widget_) widget_->setEnabled(enabled);
  }
  void SetCursor(TCursor cursor) override {
    TModel::SetCursor(cursor);
    if (widget_) widget_->setCursor(ToQCursor(cursor));
  }
  void SetFocus() override {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
    TModel::SetFocus();
  }
  void Repaint() override {
    if (widget_) widget_->repaint();
  }

 protected:
  void FontChanged() override { ApplyFont(); }
  void ParentChanged() override {
    if (!widget_) return;
    widget_->setParent(ChildAreaOf(this->Parent()));
    ApplyGeometry();
    if (widget_->parentWidget() != nullptr) widget_->setVisible(this->Visible());
  }
  virtual void ApplyFont() {
    if (!widget_) return;
    widget_->setFont(ToQFont(this->Font()));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(this->Font().Color()));
    palette.setColor(QPalette::Text, ToQColor(this->Font().Color()));
    palette.setColor(QPalette::ButtonText, ToQColor(this->Font().Color()));
    widget_->setPalette(palette);
  }
  void ApplyGeometry() {
    if (widget_) widget_->setGeometry(this->Left(), this->Top(), this->Width(), this->Height());
  }

 private:
  QPointer<TWidget> widget_;
};

}  // namespace kalvero
