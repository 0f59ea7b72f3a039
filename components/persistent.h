#pragma once

// Published properties: every object of the component model describes the properties it
// publishes in a table, so that language scripts can read and set them by name and from text.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

// The component model's error: a duplicate name, a value a property cannot take.
class EComponentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPersistent;

enum class TPropertyKind { Text };

struct TPropertyInfo {
  std::string name;
  TPropertyKind kind = TPropertyKind::Text;
  std::function<std::string(const TPersistent&)> getText;
  std::function<void(TPersistent&, const std::string&)> setText;
};

// The properties one class publishes, its base classes' first.
class TPropertyTable {
 public:
  TPropertyTable() = default;
  TPropertyTable(const TPropertyTable* base, std::vector<TPropertyInfo> own);

  // The property of that name, letters A-Z compared without regard to case; null if none.
  const TPropertyInfo* Find(std::string_view name) const;

 private:
  std::vector<TPropertyInfo> properties_;
};

class TPersistent {
 public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  virtual ~TPersistent() = default;

  virtual const TPropertyTable& Properties() const = 0;
};

// Sets a published property from its text form. Answers false, changing nothing, when the object
// publishes no property of that name.
bool SetPropertyFromText(TPersistent& object, std::string_view name, const std::string& value);

// Builds a table entry for a text property from a member getter and setter of class C.
template <class C>
TPropertyInfo TextProperty(std::string name, std::string (C::*get)() const,
                           void (C::*set)(std::string)) {
  return {std::move(name), TPropertyKind::Text,
          [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); },
          [set](TPersistent& o, const std::string& v) { (static_cast<C&>(o).*set)(v); }};
}

}  // namespace kalvero
