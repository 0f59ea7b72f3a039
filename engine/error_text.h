#pragma once

#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace kalvero {

// An error that stops a copy run, such as a date folder that cannot be created. Its message is
// shown by the application's one error handler.
class ERunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The stop of a run whose host could not keep the account of a picture or folder (the command
// line's journal could not be written; the host tells why). The copy or folder of that account was
// taken back, unless `left` names it (as the host shows paths), with the reason in `why`.
class ERecordingFailed : public ERunError {
 public:
  ERecordingFailed(std::string left, std::string why)
      : ERunError("The run's account could not be kept"), left_(std::move(left)), why_(std::move(why)) {}
  const std::string& Left() const { return left_; }
  const std::string& Why() const { return why_; }

 private:
  std::string left_;
  std::string why_;
};

class TEngineHost;

// A system error as a box shows it: the program's own text in the language in force for the
// common errors of a run (not a folder, access refused, no space left, name too long, read-only
// medium, the name exists, input/output error, no such file or folder, quota exceeded, too many
// links, a link loop, too many open files), else the platform's message.
std::string SystemErrorText(const std::error_code& error, const TEngineHost& host);

}  // namespace kalvero
