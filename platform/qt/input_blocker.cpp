#include "platform/qt/input_blocker.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdint>

namespace kalvero {
namespace {

// The X11 event codes of the user's input: keys, buttons, pointer motion, the pointer entering and
// leaving a window, and the generic events that carry XInput2's pointer, touch and tablet input.
constexpr std::uint8_t kKeyPress = 2;
constexpr std::uint8_t kEnterOrLeaveLast = 8;
constexpr std::uint8_t kGenericEvent = 35;

bool IsX11Input(const void* message) {
  // Every X11 event begins with its code; the top bit only marks events sent by another client.
  const std::uint8_t code = *static_cast<const std::uint8_t*>(message) & 0x7f;
  return (code >= kKeyPress && code <= kEnterOrLeaveLast) || code == kGenericEvent;
}

// Drops the user's input on X11 for the life of the object.
class TX11InputFilter final : public QAbstractNativeEventFilter {
 public:
  TX11InputFilter() { QCoreApplication::eventDispatcher()->installNativeEventFilter(this); }
  TX11InputFilter(const TX11InputFilter&) = delete;
  TX11InputFilter& operator=(const TX11InputFilter&) = delete;
  ~TX11InputFilter() override { QCoreApplication::eventDispatcher()->removeNativeEventFilter(this); }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    return eventType == "xcb_generic_event_t" && IsX11Input(message);
  }
};

}  // namespace

void ProcessMessagesWithoutInput() {
  if (QGuiApplication::platformName() != QLatin1String("xcb") || QCoreApplication::eventDispatcher() == nullptr) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  const TX11InputFilter filter;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace kalvero
