#pragma once

// Window descriptions and the one way windows are built from them.
//
// A description lists the window's class, name and property settings, then its components in
// component order, each with its class, name, owner and ordered property settings as text:
//
//   {"TForm3", "Form3", {{"Caption", "Info"}, {"ClientWidth", "490"}},
//    {{"TGroupBox", "GroupBox1", "", {{"Parent", "Form3"}, {"Caption", "Beispiele:"}}},
//     {"TLabel", "Label2", "", {{"Parent", "GroupBox1"}, {"Font.Style", "[fsBold]"}}},
//     {"TStatusBar", "StatusBar1", "", {{"Panels.Count", "2"}, {"Panels[0].Width", "22"}}},
//     {"TMultilanguage", "Multilanguage1", "", {{"Script", kScriptText}}}}}
//
// A setting's name is a property of the component, or a path to one through object properties
// (components/property_path.h). Its value is the property's text form (TPropertyInfo::SetText);
// for an object property that holds a string list, the lines; for any other object property, the
// name of a component of the window or of the window itself, or the empty text for nothing.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "components/class_registry.h"
#include "components/forms.h"
#include "components/string_list.h"

namespace kalvero {

struct TPropertySetting {
  std::string name;
  std::string value;
};

struct TComponentDescription {
  std::string className;
  std::string name;
  // Empty: the window; otherwise the name of a component of the window described earlier.
  std::string owner;
  std::vector<TPropertySetting> properties;
};

struct TWindowDescription {
  std::string className;
  std::string name;
  std::vector<TPropertySetting> properties;
  std::vector<TComponentDescription> components;
};

// Builds a window owned by `application`, in this order: the window is created from its class and
// added at the end of the application's list (so its components see the application's tree, and a
// language synchroniser in it, while they are built); the window's settings are applied (those
// that name a component of the window, such as ActiveControl, once every component is built); each
// component is created, added to its owner and given its settings in order, before the next one
// is created, so a value that takes effect at once (a language) reaches the components that exist
// at that moment; then every described component gets its Loaded call, in component order, then
// the window its own; last, the window's DoCreate runs.
// Throws EComponentError for a class that is not registered or (for the window) is no TForm, a
// duplicate or unknown name, a setting that names no property, a value a property cannot take,
// and passes on any error a Loaded call or DoCreate raises; the window is then destroyed and
// removed from the application.
TForm& BuildWindow(TComponent& application, const TWindowDescription& description, const TClassRegistry& classes);

// Helpers that keep descriptions short.

// A control in `parent` placed by `bounds` - left and top, then width and height when given -
// followed by the `more` settings.
TComponentDescription ControlAt(std::string className, std::string name, std::string parent,
                                std::initializer_list<int> bounds, std::vector<TPropertySetting> more = {});
// A label in `parent` at left, top that takes the size of its caption.
TComponentDescription LabelAt(std::string name, std::string parent, int left, int top, std::string caption);
// The value of a string-list setting (a language script): the lines, each ended by CR LF.
std::string ScriptText(const TTextLines& lines);

// The component `name` of `window`, of class T, that the window's description created. Throws
// EComponentError when the window has none of that name and class.
template <class T>
T& DescribedComponent(const TComponent& window, std::string_view name) {
  auto* component = dynamic_cast<T*>(window.FindComponent(name));
  if (component == nullptr) throw EComponentError("Window " + window.Name() + " has no " + std::string(name));
  return *component;
}

}  // namespace kalvero
