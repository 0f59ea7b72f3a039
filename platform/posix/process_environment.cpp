#include <cstdlib>

#include "platform/environment.h"

namespace kalvero {
namespace {

class TPosixEnvironment final : public TEnvironment {
 public:
  std::optional<std::string> Variable(const std::string& name) const override {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }
};

}  // namespace

const TEnvironment& ProcessEnvironment() {
  static const TPosixEnvironment environment;
  return environment;
}

}  // namespace kalvero
