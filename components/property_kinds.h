#pragma once

// The kinds of published properties, and helpers that build a property from a class's getter
// and setter member functions. The setters are ordinary member functions, virtual where a class
// wants it, so a Qt-backed control can override a setter and forward the new value to its widget.
//
//   static const TPropertyTable table(&TControl::Properties(), {
//       IntegerProperty("Left", &TControl::Left, &TControl::SetLeft, kCoordinateRange),
//       ObjectProperty("Font", &TControl::Font, &TControl::SetFont)});

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "components/enum_set.h"
#include "components/ident_table.h"
#include "components/persistent.h"

namespace kalvero {

class TIntegerPropertyInfo final : public TPropertyInfo {
 public:
  using TGetter = std::function<std::int32_t(const TPersistent&)>;
  using TSetter = std::function<void(TPersistent&, std::int32_t)>;

  // `names`: the constant table whose names the text form accepts and prints (may be empty).
  TIntegerPropertyInfo(std::string name, TIntegerRange range, TIdentTable names, TGetter get, TSetter set);

  TIntegerRange Range() const { return range_; }
  std::int32_t Get(const TPersistent& object) const { return get_(object); }
  // Throws ERangeError, leaving the property as it was, for a value outside the declared range.
  void Set(TPersistent& object, std::int64_t value) const;

  // The constant's name when the table holds the value, else the decimal number.
  std::string GetText(const TPersistent& object) const override;
  // A whole number (components/number_text.h) or a name of the constant table.
  void SetText(TPersistent& object, std::string_view text) const override;

 private:
  TIntegerRange range_;
  TIdentTable names_;
  TGetter get_;
  TSetter set_;
};

class TTextPropertyInfo final : public TPropertyInfo {
 public:
  using TGetter = std::function<std::string(const TPersistent&)>;
  using TSetter = std::function<void(TPersistent&, std::string)>;

  TTextPropertyInfo(std::string name, TGetter get, TSetter set);

  std::string GetText(const TPersistent& object) const override { return get_(object); }
  void SetText(TPersistent& object, std::string_view text) const override;

 private:
  TGetter get_;
  TSetter set_;
};

// An enumeration, its values numbered from 0 in the order of their names. Booleans are the
// enumeration False, True.
class TEnumPropertyInfo final : public TPropertyInfo {
 public:
  using TGetter = std::function<int(const TPersistent&)>;
  using TSetter = std::function<void(TPersistent&, int)>;

  TEnumPropertyInfo(std::string name, std::span<const std::string_view> names, TGetter get, TSetter set);

  std::span<const std::string_view> ValueNames() const { return names_; }
  int Get(const TPersistent& object) const { return get_(object); }
  // Throws ERangeError for a number that is no value of the enumeration.
  void Set(TPersistent& object, int value) const;

  std::string GetText(const TPersistent& object) const override;
  // One value name, letters A-Z compared without regard to case.
  void SetText(TPersistent& object, std::string_view text) const override;

 private:
  std::span<const std::string_view> names_;
  TGetter get_;
  TSetter set_;
};

// A set of values of an enumeration of at most 32 values, held as a bit mask (bit n: value n).
class TSetPropertyInfo final : public TPropertyInfo {
 public:
  using TGetter = std::function<std::uint32_t(const TPersistent&)>;
  using TSetter = std::function<void(TPersistent&, std::uint32_t)>;

  TSetPropertyInfo(std::string name, std::span<const std::string_view> names, TGetter get, TSetter set);

  std::uint32_t Get(const TPersistent& object) const { return get_(object); }
  // Throws ERangeError for a bit that stands for no value.
  void Set(TPersistent& object, std::uint32_t mask) const;

  // "[fsBold,fsUnderline]": the names of the values in the set, in enumeration order; "[]" empty.
  std::string GetText(const TPersistent& object) const override;
  // "[" value names separated by "," "]"; blanks around names are allowed, names compare with
  // A-Z folded, a name may repeat. Anything else (no brackets, an empty name, an unknown name,
  // text after "]") is malformed.
  void SetText(TPersistent& object, std::string_view text) const override;

 private:
  std::span<const std::string_view> names_;
  TGetter get_;
  TSetter set_;
};

class TFloatPropertyInfo final : public TPropertyInfo {
 public:
  using TGetter = std::function<double(const TPersistent&)>;
  using TSetter = std::function<void(TPersistent&, double)>;

  TFloatPropertyInfo(std::string name, TGetter get, TSetter set);

  double Get(const TPersistent& object) const { return get_(object); }
  void Set(TPersistent& object, double value) const { set_(object, value); }

  std::string GetText(const TPersistent& object) const override;
  void SetText(TPersistent& object, std::string_view text) const override;

 private:
  TGetter get_;
  TSetter set_;
};

// A sub-object the owner keeps (a font, a string list, a collection), whose setter copies the
// object given, or a reference to a component, whose setter stores it.
class TObjectPropertyInfo final : public TPropertyInfo {
 public:
  using TGetter = std::function<TPersistent*(const TPersistent&)>;
  using TSetter = std::function<void(TPersistent&, TPersistent*)>;
  using TClassCheck = std::function<bool(const TPersistent&)>;

  TObjectPropertyInfo(std::string name, TClassCheck isOfClass, TGetter get, TSetter set);

  TPersistent* Get(const TPersistent& object) const { return get_(object); }
  // True when `candidate` is of the property's class.
  bool Accepts(const TPersistent& candidate) const { return isOfClass_(candidate); }
  // Writes the property; null stands for nothing. Throws EComponentError for an object that is
  // not of the property's class.
  void Set(TPersistent& object, TPersistent* value) const;

  // A string list's lines each ended by CR LF; a component's name; empty for anything else.
  std::string GetText(const TPersistent& object) const override;
  // Replaces the lines of the string list the property holds; any other object cannot be set
  // from text and raises EComponentError.
  void SetText(TPersistent& object, std::string_view text) const override;

 private:
  TClassCheck isOfClass_;
  TGetter get_;
  TSetter set_;
};

inline constexpr std::string_view kBooleanNames[] = {"False", "True"};

template <class C>
TPropertyInfoPtr IntegerProperty(std::string name, std::int32_t (C::*get)() const, void (C::*set)(std::int32_t),
                                 TIntegerRange range, TIdentTable names = {}) {
  return std::make_shared<TIntegerPropertyInfo>(
      std::move(name), range, names, [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); },
      [set](TPersistent& o, std::int32_t v) { (static_cast<C&>(o).*set)(v); });
}

template <class C>
TPropertyInfoPtr TextProperty(std::string name, std::string (C::*get)() const, void (C::*set)(std::string)) {
  return std::make_shared<TTextPropertyInfo>(
      std::move(name), [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); },
      [set](TPersistent& o, std::string v) { (static_cast<C&>(o).*set)(std::move(v)); });
}

template <class C, class E>
TPropertyInfoPtr EnumProperty(std::string name, E (C::*get)() const, void (C::*set)(E),
                              std::span<const std::string_view> names) {
  return std::make_shared<TEnumPropertyInfo>(
      std::move(name), names,
      [get](const TPersistent& o) { return static_cast<int>((static_cast<const C&>(o).*get)()); },
      [set](TPersistent& o, int v) { (static_cast<C&>(o).*set)(static_cast<E>(v)); });
}

template <class C>
TPropertyInfoPtr BooleanProperty(std::string name, bool (C::*get)() const, void (C::*set)(bool)) {
  return std::make_shared<TEnumPropertyInfo>(
      std::move(name), kBooleanNames,
      [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)() ? 1 : 0; },
      [set](TPersistent& o, int v) { (static_cast<C&>(o).*set)(v != 0); });
}

template <class C, class E>
TPropertyInfoPtr EnumSetProperty(std::string name, TEnumSet<E> (C::*get)() const, void (C::*set)(TEnumSet<E>),
                                 std::span<const std::string_view> names) {
  return std::make_shared<TSetPropertyInfo>(
      std::move(name), names, [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)().Mask(); },
      [set](TPersistent& o, std::uint32_t v) { (static_cast<C&>(o).*set)(TEnumSet<E>::FromMask(v)); });
}

template <class C>
TPropertyInfoPtr FloatProperty(std::string name, double (C::*get)() const, void (C::*set)(double)) {
  return std::make_shared<TFloatPropertyInfo>(
      std::move(name), [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); },
      [set](TPersistent& o, double v) { (static_cast<C&>(o).*set)(v); });
}

// An object property of class T; the getter returns the object held (T* may be null, T& never).
template <class C, class T, class Held>
TPropertyInfoPtr ObjectProperty(std::string name, Held (C::*get)() const, void (C::*set)(T*)) {
  static_assert(std::is_same_v<Held, T*> || std::is_same_v<Held, T&>);
  return std::make_shared<TObjectPropertyInfo>(
      std::move(name), [](const TPersistent& o) { return dynamic_cast<const T*>(&o) != nullptr; },
      [get](const TPersistent& o) -> TPersistent* {
        if constexpr (std::is_same_v<Held, T&>)
          return &(static_cast<const C&>(o).*get)();
        else
          return (static_cast<const C&>(o).*get)();
      },
      [set](TPersistent& o, TPersistent* v) { (static_cast<C&>(o).*set)(dynamic_cast<T*>(v)); });
}

}  // namespace kalvero
