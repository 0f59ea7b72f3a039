#include "ui/secondary_window_classes.h"

#include <string>

#include "components/application.h"
#include "components/controls.h"
#include "components/window_builder.h"
#include "ui/secondary_windows.h"

namespace kalvero {

void TSecondaryForm::Loaded() {
  TNativeForm::Loaded();
  auto& ok = DescribedComponent<TButton>(*this, "Button1");
  ok.OnClick = [this](TComponent& sender) { Button1Click(sender); };
}

void TSecondaryForm::Button1Click(TComponent& /*sender*/) { Close(); }

void TForm2::Loaded() {
  TSecondaryForm::Loaded();
  link_ = &DescribedComponent<TLabel>(*this, "Label2");
  link_->OnMouseEnter = [this](TComponent& sender) { Label2MouseEnter(sender); };
  link_->OnMouseLeave = [this](TComponent& sender) { Label2MouseLeave(sender); };
  link_->OnMouseMove = [this](TComponent& sender, int x, int y) { Label2MouseMove(sender, x, y); };
  link_->OnClick = [this](TComponent& sender) { Label2Click(sender); };
}

void TForm2::Label2MouseEnter(TComponent& /*sender*/) {
  TFontStyles style = link_->Font().Style();
  style.Include(TFontStyle::fsUnderline);
  link_->Font().SetStyle(style);
  link_->Font().SetColor(clBlue);
}

void TForm2::Label2MouseLeave(TComponent& /*sender*/) {
  TFontStyles style = link_->Font().Style();
  style.Exclude(TFontStyle::fsUnderline);
  link_->Font().SetStyle(style);
  link_->Font().SetColor(clBlack);
}

void TForm2::Label2MouseMove(TComponent& /*sender*/, int /*x*/, int /*y*/) { link_->SetCursor(crHandPoint); }

void TForm2::Label2Click(TComponent& /*sender*/) {
  const TApplication* application = ApplicationOf(*this);
  if (application != nullptr && application->Shell() != nullptr) application->Shell()->Open(std::string(kMakerWebPage));
}

void RegisterSecondaryWindows(TClassRegistry& registry) {
  registry.Register<TForm2>("TForm2");
  registry.Register<TForm3>("TForm3");
  registry.Register<TForm4>("TForm4");
}

}  // namespace kalvero
