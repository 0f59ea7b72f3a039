#include "components/window_builder.h"

#include <array>
#include <iterator>

#include "components/property_kinds.h"
#include "components/property_path.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

TPersistent& SettingTarget(TComponent& component, std::string_view path, std::string_view name) {
  TPersistent* target = ResolvePropertyPath(component, path);
  if (target == nullptr) throw EComponentError("Setting " + std::string(name) + " names no object");
  return *target;
}

// A component of the window, or the window itself, for an object property that refers to one.
TComponent* Referenced(TForm& window, const TPropertySetting& setting) {
  if (setting.value.empty()) return nullptr;
  if (SameTextAscii(setting.value, window.Name())) return &window;
  TComponent* component = window.FindComponent(setting.value);
  if (component == nullptr)
    throw EComponentError("Setting " + setting.name + " names no component " + setting.value);
  return component;
}

// The object property of `target` whose value is a component (a string list is set from its
// lines instead); null for any other property.
const TObjectPropertyInfo* ComponentReference(const TPropertyInfo* property, const TPersistent& target) {
  const auto* object = dynamic_cast<const TObjectPropertyInfo*>(property);
  return object != nullptr && dynamic_cast<TStringList*>(object->Get(target)) == nullptr ? object : nullptr;
}

void ApplySetting(TForm& window, TComponent& component, const TPropertySetting& setting) {
  const std::string_view name = setting.name;
  const std::size_t dot = name.rfind('.');
  const bool hasPath = dot != std::string_view::npos;
  TPersistent& target = SettingTarget(component, hasPath ? name.substr(0, dot) : std::string_view(), name);
  const TPropertyInfo* property = target.Properties().Find(hasPath ? name.substr(dot + 1) : name);
  if (property == nullptr) throw EComponentError("Setting " + setting.name + " names no property");
  if (const TObjectPropertyInfo* reference = ComponentReference(property, target))
    reference->Set(target, Referenced(window, setting));
  else
    property->SetText(target, setting.value);
}

void ApplySettings(TForm& window, TComponent& component, const std::vector<TPropertySetting>& settings) {
  for (const TPropertySetting& setting : settings) ApplySetting(window, component, setting);
}

TForm& CreateEmptyWindow(TComponent& application, const TWindowDescription& description,
                         const TClassRegistry& classes) {
  std::unique_ptr<TComponent> created = classes.Create(description.className);
  if (dynamic_cast<TForm*>(created.get()) == nullptr)
    throw EComponentError("Class " + description.className + " is no window class");
  return static_cast<TForm&>(application.InsertComponent(std::move(created), description.name));
}

TComponent& BuildComponent(TForm& window, const TComponentDescription& description, const TClassRegistry& classes) {
  TComponent* owner = description.owner.empty() ? &window : window.FindComponent(description.owner);
  if (owner == nullptr)
    throw EComponentError("Owner " + description.owner + " of " + description.name + " is not in the window");
  TComponent& component = owner->InsertComponent(classes.Create(description.className), description.name);
  ApplySettings(window, component, description.properties);
  return component;
}

// A setting of the window that refers to one of its components (ActiveControl) can only be applied
// once that component exists.
bool RefersToAComponentToCome(const TForm& window, const TPropertySetting& setting) {
  return ComponentReference(window.Properties().Find(setting.name), window) != nullptr && !setting.value.empty() &&
         !SameTextAscii(setting.value, window.Name()) && window.FindComponent(setting.value) == nullptr;
}

void BuildContent(TForm& window, const TWindowDescription& description, const TClassRegistry& classes) {
  std::vector<TPropertySetting> references;
  for (const TPropertySetting& setting : description.properties) {
    if (RefersToAComponentToCome(window, setting))
      references.push_back(setting);
    else
      ApplySetting(window, window, setting);
  }
  std::vector<TComponent*> built;
  for (const TComponentDescription& component : description.components)
    built.push_back(&BuildComponent(window, component, classes));
  ApplySettings(window, window, references);
  for (TComponent* component : built) component->Loaded();
  window.Loaded();
  window.DoCreate();
}

}  // namespace

TForm& BuildWindow(TComponent& application, const TWindowDescription& description, const TClassRegistry& classes) {
  TForm& window = CreateEmptyWindow(application, description, classes);
  try {
    BuildContent(window, description, classes);
  } catch (...) {
    application.DestroyComponent(window);
    throw;
  }
  return window;
}

TComponentDescription ControlAt(std::string className, std::string name, std::string parent,
                                std::initializer_list<int> bounds, std::vector<TPropertySetting> more) {
  static constexpr std::array<const char*, 4> kBoundNames = {"Left", "Top", "Width", "Height"};
  std::vector<TPropertySetting> settings = {{"Parent", std::move(parent)}};
  std::size_t i = 0;
  for (const int value : bounds) settings.push_back({kBoundNames.at(i++), std::to_string(value)});
  settings.insert(settings.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  return {std::move(className), std::move(name), "", std::move(settings)};
}

TComponentDescription LabelAt(std::string name, std::string parent, int left, int top, std::string caption) {
  return ControlAt("TLabel", std::move(name), std::move(parent), {left, top}, {{"Caption", std::move(caption)}});
}

std::string ScriptText(const TTextLines& lines) { return TStringList(lines).Text(); }

}  // namespace kalvero
