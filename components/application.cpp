#include "components/application.h"

#include <algorithm>
#include <iostream>

#include "components/forms.h"
#include "platform/dialogs.h"

namespace kalvero {
namespace {

std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

TApplication::~TApplication() { DestroyWindows(); }

void TApplication::DestroyWindows() {
  hintWindow_.reset();
  DestroyComponents();
}

TForm* TApplication::MainForm() const {
  for (std::size_t i = 0; i < ComponentCount(); ++i)
    if (auto* form = dynamic_cast<TForm*>(&Component(i))) return form;
  return nullptr;
}

void TApplication::HandleException() {
  const std::string message = CurrentExceptionMessage();
  if (OnException) {
    OnException(message);
  } else if (dialogs_ != nullptr) {
    dialogs_->ShowMessageBox(TMessageKind::Error, title_, ErrorBoxText(message), TMessageButtons::Ok);
  } else {
    std::cerr << title_ << ": " << ErrorBoxText(message) << std::endl;
  }
}

bool TApplication::ShowHint(std::string text, THintInfo info) {
  bool canShow = true;
  try {
    if (OnShowHint) OnShowHint(text, canShow, info);
  } catch (...) {
    HandleException();
    return false;
  }
  if (!canShow || text.empty() || !hintWindowClass_) {
    HideHint();
    return false;
  }
  if (!hintWindow_) hintWindow_ = hintWindowClass_();
  const TRect proposed{info.hintPos.x, info.hintPos.y, info.hintPos.x + info.hintMaxWidth, info.hintPos.y};
  hintWindow_->ActivateHint(proposed, text, info);
  return true;
}

void TApplication::HideHint() {
  if (hintWindow_) hintWindow_->HideHint();
}

void TApplication::SetHintWindowClass(THintWindowClass hintWindowClass) {
  hintWindowClass_ = std::move(hintWindowClass);
  hintWindow_.reset();
}

void TApplication::AddIdleHandler(TComponent& owner, std::function<void()> handler) {
  idleHandlers_.push_back({++idleHandlersAdded_, &owner, std::move(handler)});
  FreeNotification(owner);
}

void TApplication::RemoveIdleHandlers(TComponent& owner) {
  std::erase_if(idleHandlers_, [&owner](const TIdleHandler& handler) { return handler.owner == &owner; });
}

bool TApplication::IdleHandlerRegistered(std::uint64_t number) const {
  return std::ranges::any_of(idleHandlers_, [number](const TIdleHandler& handler) { return handler.number == number; });
}

void TApplication::Idle() {
  // A handler may add or remove handlers, also by destroying their owners: of the ones present at
  // the start, those still registered run. Numbers, unlike owners' addresses, are never reused.
  const std::vector<TIdleHandler> handlers = idleHandlers_;
  for (const TIdleHandler& handler : handlers) {
    if (!IdleHandlerRegistered(handler.number)) continue;
    try {
      handler.run();
    } catch (...) {
      HandleException();
    }
  }
}

TApplication* ApplicationOf(const TComponent& component) { return dynamic_cast<TApplication*>(&component.Root()); }

void HandleEventException(const TComponent& component) {
  TApplication* application = ApplicationOf(component);
  if (application == nullptr) throw;
  application->HandleException();
}

}  // namespace kalvero
