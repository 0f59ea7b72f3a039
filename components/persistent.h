#pragma once

// Published properties: every object of the component model describes the properties it
// publishes in a table, so that language scripts and window descriptions can read and set them
// by name and from text.
//
// Kinds: integer (with a declared range), text, enumeration (by the names of its values), set
// (written "[fsBold,fsUnderline]"), floating point and object (a sub-object, a string list or a
// reference to a component). The concrete property classes and the helpers that build them from
// member functions are in components/property_kinds.h.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

// The component model's error: a duplicate name, a text that a property cannot convert, an
// object of the wrong class, a description that names something unknown.
class EComponentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number outside a property's declared range, or an index outside a collection.
class ERangeError : public EComponentError {
 public:
  using EComponentError::EComponentError;
};

// The values an integer property accepts, both ends included.
struct TIntegerRange {
  std::int32_t min;
  std::int32_t max;
};

class TPersistent;

enum class TPropertyKind { Integer, Text, Enumeration, Set, Float, Object };

// One published property of a class: its name, its kind and access to its value on an object of
// that class (or of a class derived from it).
class TPropertyInfo {
 public:
  TPropertyInfo(const TPropertyInfo&) = delete;
  TPropertyInfo& operator=(const TPropertyInfo&) = delete;
  virtual ~TPropertyInfo() = default;

  const std::string& Name() const { return name_; }
  TPropertyKind Kind() const { return kind_; }

  // The value in its text form, the form SetText reads.
  virtual std::string GetText(const TPersistent& object) const = 0;

  // The generic set-property-from-text service. A text property takes the text unchanged; an
  // integer a whole number or a name of its constant table; an enumeration the name of one of its
  // values; a set its text form; a float a number in the C locale; an object property holding a
  // string list takes the text as the list's lines. Throws EComponentError for a text it cannot
  // convert and ERangeError for a number outside the declared range; the value then stays.
  virtual void SetText(TPersistent& object, std::string_view text) const = 0;

 protected:
  TPropertyInfo(std::string name, TPropertyKind kind) : name_(std::move(name)), kind_(kind) {}

 private:
  std::string name_;
  TPropertyKind kind_;
};

using TPropertyInfoPtr = std::shared_ptr<const TPropertyInfo>;

// The properties one class publishes, its base classes' first; a property published again under
// the same name replaces the base class's entry in its place. Each class builds its table once, as
// a function-local static.
class TPropertyTable {
 public:
  TPropertyTable() = default;
  TPropertyTable(const TPropertyTable* base, std::vector<TPropertyInfoPtr> own);

  // The property of that name, letters A-Z compared without regard to case; null if none.
  const TPropertyInfo* Find(std::string_view name) const;

  std::size_t Count() const { return properties_.size(); }
  const TPropertyInfo& operator[](std::size_t index) const { return *properties_.at(index); }

 private:
  std::vector<TPropertyInfoPtr> properties_;
};

class TPersistent {
 public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  virtual ~TPersistent() = default;

  virtual const TPropertyTable& Properties() const = 0;

  // Copies the value of `source` into this object, as writing an object property does for owned
  // sub-objects (a font, a string list, a collection). Throws EComponentError when `source` is of
  // a class this object cannot copy; the default copies from no class at all.
  virtual void Assign(const TPersistent& source);
};

// Sets a published property from its text form (TPropertyInfo::SetText). Answers false, changing
// nothing, when the object publishes no property of that name.
bool SetPropertyFromText(TPersistent& object, std::string_view name, std::string_view value);

// The text form of a published property; nullopt when the object publishes none of that name.
std::optional<std::string> GetPropertyText(const TPersistent& object, std::string_view name);

}  // namespace kalvero
