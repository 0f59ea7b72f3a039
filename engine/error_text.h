#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvero {

// An error that stops a copy run, such as a date folder that cannot be created. Its message is
// shown by the application's one error handler.
class ERunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text of the application's error box for an error message: the message, with a full stop
// added when its last byte sorts after '.'. The window and the command line both show this.
std::string ErrorBoxText(std::string_view message);

}  // namespace kalvero
