#include "platform/dialogs.h"

namespace kalvero {

const char* MessageCaption(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return "Warnung";
    case TMessageKind::Error: return "Fehler";
    case TMessageKind::Information: return "Informationen";
    case TMessageKind::Confirmation: return "Best\xC3\xA4tigen";
  }
  return "";
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace kalvero
