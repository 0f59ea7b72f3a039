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

}  // namespace kalvero
