#include "components/property_path.h"

#include <optional>

#include "components/collection.h"
#include "components/number_text.h"
#include "components/property_kinds.h"

namespace kalvero {
namespace {

struct TPathPart {
  std::string_view property;
  std::optional<std::string_view> index;
};

TPathPart SplitPart(std::string_view part) {
  const std::size_t open = part.find('[');
  if (open == std::string_view::npos) return {part, std::nullopt};
  const std::string_view rest = part.substr(open + 1);
  return {part.substr(0, open), rest.substr(0, rest.find(']'))};
}

TPersistent* Step(TPersistent& current, const TPathPart& part) {
  const auto* property = dynamic_cast<const TObjectPropertyInfo*>(current.Properties().Find(part.property));
  if (property == nullptr) return nullptr;
  TPersistent* held = property->Get(current);
  const auto index = part.index ? ParseWholeNumber(*part.index) : std::nullopt;
  if (auto* collection = dynamic_cast<TCollection*>(held); collection != nullptr && index)
    return &collection->Item(*index);
  return held;
}

}  // namespace

TPersistent* ResolvePropertyPath(TPersistent& start, std::string_view path) {
  TPersistent* current = &start;
  while (current != nullptr && !path.empty()) {
    const std::size_t dot = path.find('.');
    current = Step(*current, SplitPart(path.substr(0, dot)));
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
  }
  return current;
}

}  // namespace kalvero
