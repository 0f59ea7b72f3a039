#include "components/forms.h"

#include <algorithm>
#include <array>

#include "components/application.h"
#include "components/property_kinds.h"

namespace kalvero {
namespace {

constexpr std::array<std::string_view, 6> kBorderStyleNames = {"bsNone",   "bsSingle",     "bsSizeable",
                                                               "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr std::array<std::string_view, 4> kBorderIconNames = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr std::array<std::string_view, 8> kPositionNames = {
    "poDesigned",    "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};

void CollectTabStops(const TControl& parent, std::vector<TControl*>& chain) {
  std::vector<TControl*> children = parent.Controls();
  std::ranges::stable_sort(children, {}, &TControl::TabOrder);
  for (TControl* child : children) {
    if (child->CanFocus() && child->TabStop()) chain.push_back(child);
    CollectTabStops(*child, chain);
  }
}

}  // namespace

TForm::TForm() : TControl(clBtnFace) { SetVisible(false); }

const TPropertyTable& TForm::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {TextProperty("Caption", &TControl::Text, &TControl::SetText),
       IntegerProperty("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth, kExtentRange),
       IntegerProperty("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight, kExtentRange),
       EnumProperty("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle, kBorderStyleNames),
       EnumSetProperty("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons, kBorderIconNames),
       EnumProperty("Position", &TForm::Position, &TForm::SetPosition, kPositionNames),
       ObjectProperty("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)});
  return table;
}

void TForm::SetClientWidth(std::int32_t width) {
  clientWidth_ = width;
  Realign();
}

void TForm::SetClientHeight(std::int32_t height) {
  clientHeight_ = height;
  Realign();
}

void TForm::Show() {
  if (!shown_) {
    shown_ = true;
    PlaceForFirstShowing();
  }
  SetVisible(true);
  BringToFront();
}

void TForm::Close() {
  if (!CloseQuery()) return;
  Fire(*this, OnClose, *this);
  TApplication* application = ApplicationOf(*this);
  if (application != nullptr && application->MainForm() == this)
    application->Terminate();
  else
    Hide();
}

void TForm::SetActiveControl(TControl* control) {
  if (control == nullptr) {
    if (activeControl_ != nullptr) RemoveFreeNotification(*activeControl_);
    activeControl_ = nullptr;
    return;
  }
  control->SetFocus();
}

void TForm::FocusMovedTo(TControl& control) {
  if (&control == activeControl_ || control.OwnerForm() != this) return;
  TControl* left = activeControl_;
  if (left != nullptr) RemoveFreeNotification(*left);
  activeControl_ = &control;
  FreeNotification(control);
  if (left != nullptr) Fire(*left, left->OnExit, *left);
}

void TForm::Notification(TComponent& destroyed) {
  if (&destroyed == activeControl_) activeControl_ = nullptr;
}

std::vector<TControl*> TForm::TabChain() const {
  std::vector<TControl*> chain;
  CollectTabStops(*this, chain);
  return chain;
}

TPoint CentredOver(const TRect& over, TPoint size) {
  return {std::max(0, over.left + (over.Width() - size.x) / 2), std::max(0, over.top + (over.Height() - size.y) / 2)};
}

}  // namespace kalvero
