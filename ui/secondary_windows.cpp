#include "ui/secondary_windows.h"

#include <string>
#include <utility>
#include <vector>

#include "components/string_list.h"
#include "localisation/window_scripts.h"

namespace kalvero {
namespace {

// A control in `parent` with its top left corner at left, top, followed by further settings.
TComponentDescription Placed(std::string className, std::string name, std::string parent, int left, int top,
                             std::vector<TPropertySetting> more) {
  std::vector<TPropertySetting> settings = {
      {"Parent", std::move(parent)}, {"Left", std::to_string(left)}, {"Top", std::to_string(top)}};
  settings.insert(settings.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  return {std::move(className), std::move(name), "", std::move(settings)};
}

std::vector<TPropertySetting> Size(int width, int height) {
  return {{"Width", std::to_string(width)}, {"Height", std::to_string(height)}};
}

// A label that takes the size of its caption.
TComponentDescription Label(std::string name, std::string parent, int left, int top, std::string caption) {
  return Placed("TLabel", std::move(name), std::move(parent), left, top, {{"Caption", std::move(caption)}});
}

// A label in bold: a token, or the pattern of an example.
TComponentDescription BoldLabel(std::string name, std::string parent, int left, int top, std::string caption) {
  return Placed("TLabel", std::move(name), std::move(parent), left, top,
                {{"Font.Style", "[fsBold]"}, {"Caption", std::move(caption)}});
}

TComponentDescription GroupBox(std::string name, std::string parent, TRect bounds, int tabOrder, std::string caption) {
  std::vector<TPropertySetting> more = Size(bounds.Width(), bounds.Height());
  more.push_back({"TabOrder", std::to_string(tabOrder)});
  if (!caption.empty()) more.push_back({"Caption", std::move(caption)});
  return Placed("TGroupBox", std::move(name), std::move(parent), bounds.left, bounds.top, std::move(more));
}

// The OK button, which closes the window; its class wires the click.
TComponentDescription OkButton(std::string parent, int left, int top, int width) {
  std::vector<TPropertySetting> more = Size(width, 25);
  more.push_back({"Caption", "OK"});
  more.push_back({"TabOrder", "0"});
  return Placed("TButton", "Button1", std::move(parent), left, top, std::move(more));
}

// A help window's script, with no language of its own: it takes the program's.
TComponentDescription Script(const TTextLines& lines) {
  return {"TMultilanguage", "Multilanguage1", "", {{"Script", TStringList(lines).Text()}}};
}

TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// The settings the three windows share. The window's own font is also every control's default.
// A window starts hidden; its OK button, the only control that takes the focus, is its active
// control, so it has the focus whenever the window is activated.
TWindowDescription Window(std::string className, std::string name, std::string caption, int clientWidth,
                          int clientHeight, std::vector<TComponentDescription> components) {
  return {std::move(className),
          std::move(name),
          {{"Caption", std::move(caption)},
           {"ClientWidth", std::to_string(clientWidth)},
           {"ClientHeight", std::to_string(clientHeight)},
           {"BorderStyle", "bsSingle"},
           {"BorderIcons", "[biSystemMenu]"},
           {"Color", "clWhite"},
           {"Font.Name", "Tahoma"},
           {"Font.Height", "-11"},
           {"Position", "poMainFormCenter"},
           {"ActiveControl", "Button1"}},
          std::move(components)};
}

}  // namespace

TWindowDescription AboutWindowDescription() {
  return Window("TForm2", "Form2", "Kalvero 1.3", 321, 214,
                {GroupBox("GroupBox1", "Form2", Bounds(8, 8, 305, 193), 0, ""),
                 Placed("TImage", "Image1", "GroupBox1", 16, 16,
                        {{"Width", "64"}, {"Height", "64"}, {"Picture.Name", "logo-64"}}),
                 Placed("TLabel", "Label1", "GroupBox1", 104, 24,
                        {{"Font.Name", "Tahoma"}, {"Font.Height", "-19"}, {"Caption", "Kalvero 1.3"}}),
                 Label("Label2", "GroupBox1", 104, 48, "Vandrel Softwareentwicklung"),
                 OkButton("GroupBox1", 96, 136, 121)});
}

TWindowDescription FolderHelpWindowDescription() {
  return Window(
      "TForm3", "Form3", "Info", 490, 309,
      {OkButton("Form3", 200, 264, 75),
       GroupBox("GroupBox1", "Form3", Bounds(16, 16, 457, 121), 1,
                "Verf\xC3\xBCgbare Platzhalter f\xC3\xBCr Ordnernamen (maximal 10 Zeichen):"),
       BoldLabel("Label2", "GroupBox1", 16, 32, "YYYY"),
       Label("Label3", "GroupBox1", 64, 32, "Gibt das Jahr in dieser Form an: 2004"),
       BoldLabel("Label5", "GroupBox1", 16, 56, "MM"),
       Label("Label4", "GroupBox1", 64, 56, "Gibt den Monat in dieser Form an: 08"),
       BoldLabel("Label7", "GroupBox1", 16, 80, "DD"),
       Label("Label6", "GroupBox1", 64, 80, "Gibt den Tag in dieser Form an: 07"),
       GroupBox("GroupBox2", "Form3", Bounds(16, 152, 457, 89), 2, "Beispiele f\xC3\xBCr Ordnernamen:"),
       BoldLabel("Label9", "GroupBox2", 16, 28, "DD.MM.YYYY"),
       Label("Label10", "GroupBox2", 112, 28, "07.08.2004"),
       BoldLabel("Label11", "GroupBox2", 16, 52, "YYYY-MM-DD"),
       Label("Label12", "GroupBox2", 112, 52, "2004-08-07"),
       Script(FolderHelpScript())});
}

TWindowDescription FileHelpWindowDescription() {
  return Window(
      "TForm4", "Form4", "Info", 544, 319,
      {OkButton("Form4", 224, 272, 75),
       GroupBox("GroupBox1", "Form4", Bounds(16, 16, 513, 129), 1,
                "Verf\xC3\xBCgbare Platzhalter f\xC3\xBCr Dateinamen:"),
       BoldLabel("Label2", "GroupBox1", 16, 32, "YYYY"),
       Label("Label3", "GroupBox1", 56, 32, "Gibt das Jahr in dieser Form an: 2004"),
       BoldLabel("Label5", "GroupBox1", 16, 56, "MM"),
       Label("Label4", "GroupBox1", 56, 56, "Gibt den Monat in dieser Form an: 08"),
       BoldLabel("Label7", "GroupBox1", 16, 80, "DD"),
       Label("Label6", "GroupBox1", 56, 80, "Gibt den Tag in dieser Form an: 07"),
       BoldLabel("Label1", "GroupBox1", 264, 32, "HH"),
       Label("Label16", "GroupBox1", 296, 32, "Gibt die Stunden in dieser Form an: 16"),
       BoldLabel("Label8", "GroupBox1", 264, 56, "NN"),
       Label("Label15", "GroupBox1", 296, 56, "Gibt die Minuten in dieser Form an: 45"),
       BoldLabel("Label13", "GroupBox1", 264, 80, "SS"),
       Label("Label14", "GroupBox1", 296, 80, "Gibt die Sekunden in dieser Form an: 33"),
       BoldLabel("Label17", "GroupBox1", 16, 104, "FFF"),
       Label("Label18", "GroupBox1", 56, 104,
             "Gibt eine fortlaufende Nummerierung an. Eine 0 wird automatisch vorangestellt!"),
       GroupBox("GroupBox2", "Form4", Bounds(16, 160, 513, 89), 2, "Beispiele f\xC3\xBCr Dateinamen:"),
       BoldLabel("Label9", "GroupBox2", 16, 28, "Urlaub 2004 - DD.MM.YYYY - HH.NN.SS"),
       Label("Label10", "GroupBox2", 264, 28, "Urlaub 2004 - 07.08.2004 - 16.45.33.jpg"),
       BoldLabel("Label11", "GroupBox2", 16, 52, "Urlaub 2004 - FFF"),
       Label("Label12", "GroupBox2", 264, 52, "Urlaub 2004 - 0001.jpg"),
       Script(FileHelpScript())});
}

}  // namespace kalvero
