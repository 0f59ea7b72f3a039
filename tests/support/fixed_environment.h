#pragma once

#include <map>
#include <string>

#include "platform/environment.h"

namespace kalvero {

// An environment that holds only the variables it was given.
class TFixedEnvironment final : public TEnvironment {
 public:
  explicit TFixedEnvironment(std::map<std::string, std::string> variables) : variables_(std::move(variables)) {}

  std::optional<std::string> Variable(const std::string& name) const override {
    const auto found = variables_.find(name);
    if (found == variables_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::map<std::string, std::string> variables_;
};

}  // namespace kalvero
