#pragma once

// The edit box backed by a QLineEdit. Typed characters pass the model's key filter one by one, also
// those an input method commits; the length limit holds for what the user types, pastes or drops,
// never for a text the program writes (QLineEdit's own limit and its validator would cut that).

#include <QLineEdit>

#include "components/qt/qt_control.h"

namespace kalvero {

class TEditWidget : public QLineEdit {
 public:
  explicit TEditWidget(TEdit& control);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void Edited(QString text);

  TEdit& control_;
};

// An edit box model over its widget; the folder edit box builds on it with a model and a widget
// of its own.
template <class TModel, class TWidget>
class TQtEditControl : public TQtControl<TModel, TWidget> {
 public:
  explicit TQtEditControl(TWidget* widget) : TQtControl<TModel, TWidget>(widget) { SetColor(this->Color()); }

  // Edit boxes paint their own background colour.
  void SetColor(TColor color) override {
    TModel::SetColor(color);
    QPalette palette = this->Widget().palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    this->Widget().setPalette(palette);
  }

 protected:
  void ShowText(const std::string& text) override { this->Widget().setText(ToQt(text)); }
};

class TQtEdit final : public TQtEditControl<TEdit, TEditWidget> {
 public:
  TQtEdit() : TQtEditControl(new TEditWidget(*this)) {}
};

}  // namespace kalvero
