#pragma once

// The process environment, read through this interface so that tests can supply the values.

#include <optional>
#include <string>

namespace kalvero {

class TEnvironment {
 public:
  virtual ~TEnvironment() = default;
  // The value of the variable `name` (possibly empty); none when it is not set.
  virtual std::optional<std::string> Variable(const std::string& name) const = 0;
};

// The environment of the running process; lives for the whole process.
const TEnvironment& ProcessEnvironment();

}  // namespace kalvero
