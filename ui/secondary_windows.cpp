#include "ui/secondary_windows.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "localisation/window_scripts.h"

namespace kalvero {
namespace {

// A label in bold: a token, or the pattern of an example.
TComponentDescription BoldLabel(std::string name, std::string parent, int left, int top, std::string caption) {
  return ControlAt("TLabel", std::move(name), std::move(parent), {left, top},
                   {{"Font.Style", "[fsBold]"}, {"Caption", std::move(caption)}});
}

// A group box at left, top with width and height; without a caption when it is empty.
TComponentDescription GroupBox(std::string name, std::string parent, std::initializer_list<int> bounds, int tabOrder,
                               std::string caption) {
  std::vector<TPropertySetting> more = {{"TabOrder", std::to_string(tabOrder)}};
  if (!caption.empty()) more.push_back({"Caption", std::move(caption)});
  return ControlAt("TGroupBox", std::move(name), std::move(parent), bounds, std::move(more));
}

// The OK button, which closes the window; its class wires the click.
TComponentDescription OkButton(std::string parent, int left, int top, int width) {
  return ControlAt("TButton", "Button1", std::move(parent), {left, top, width, 25},
                   {{"Caption", "OK"}, {"TabOrder", "0"}});
}

// A help window's script, with no language of its own: it takes the program's.
TComponentDescription HelpScript(const TTextLines& lines) {
  return {"TMultilanguage", "Multilanguage1", "", {{"Script", ScriptText(lines)}}};
}

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
                {GroupBox("GroupBox1", "Form2", {8, 8, 305, 193}, 0, ""),
                 ControlAt("TImage", "Image1", "GroupBox1", {16, 16, 64, 64}, {{"Picture.Name", "logo-64"}}),
                 ControlAt("TLabel", "Label1", "GroupBox1", {104, 24},
                           {{"Font.Name", "Tahoma"}, {"Font.Height", "-19"}, {"Caption", "Kalvero 1.3"}}),
                 LabelAt("Label2", "GroupBox1", 104, 48, "Vandrel Softwareentwicklung"),
                 OkButton("GroupBox1", 96, 136, 121)});
}

TWindowDescription FolderHelpWindowDescription() {
  return Window(
      "TForm3", "Form3", "Info", 490, 309,
      {OkButton("Form3", 200, 264, 75),
       GroupBox("GroupBox1", "Form3", {16, 16, 457, 121}, 1,
                "Verf\xC3\xBCgbare Platzhalter f\xC3\xBCr Ordnernamen (maximal 10 Zeichen):"),
       BoldLabel("Label2", "GroupBox1", 16, 32, "YYYY"),
       LabelAt("Label3", "GroupBox1", 64, 32, "Gibt das Jahr in dieser Form an: 2004"),
       BoldLabel("Label5", "GroupBox1", 16, 56, "MM"),
       LabelAt("Label4", "GroupBox1", 64, 56, "Gibt den Monat in dieser Form an: 08"),
       BoldLabel("Label7", "GroupBox1", 16, 80, "DD"),
       LabelAt("Label6", "GroupBox1", 64, 80, "Gibt den Tag in dieser Form an: 07"),
       GroupBox("GroupBox2", "Form3", {16, 152, 457, 89}, 2, "Beispiele f\xC3\xBCr Ordnernamen:"),
       BoldLabel("Label9", "GroupBox2", 16, 28, "DD.MM.YYYY"),
       LabelAt("Label10", "GroupBox2", 112, 28, "07.08.2004"),
       BoldLabel("Label11", "GroupBox2", 16, 52, "YYYY-MM-DD"),
       LabelAt("Label12", "GroupBox2", 112, 52, "2004-08-07"),
       HelpScript(FolderHelpScript())});
}

TWindowDescription FileHelpWindowDescription() {
  return Window(
      "TForm4", "Form4", "Info", 544, 319,
      {OkButton("Form4", 224, 272, 75),
       GroupBox("GroupBox1", "Form4", {16, 16, 513, 129}, 1,
                "Verf\xC3\xBCgbare Platzhalter f\xC3\xBCr Dateinamen:"),
       BoldLabel("Label2", "GroupBox1", 16, 32, "YYYY"),
       LabelAt("Label3", "GroupBox1", 56, 32, "Gibt das Jahr in dieser Form an: 2004"),
       BoldLabel("Label5", "GroupBox1", 16, 56, "MM"),
       LabelAt("Label4", "GroupBox1", 56, 56, "Gibt den Monat in dieser Form an: 08"),
       BoldLabel("Label7", "GroupBox1", 16, 80, "DD"),
       LabelAt("Label6", "GroupBox1", 56, 80, "Gibt den Tag in dieser Form an: 07"),
       BoldLabel("Label1", "GroupBox1", 264, 32, "HH"),
       LabelAt("Label16", "GroupBox1", 296, 32, "Gibt die Stunden in dieser Form an: 16"),
       BoldLabel("Label8", "GroupBox1", 264, 56, "NN"),
       LabelAt("Label15", "GroupBox1", 296, 56, "Gibt die Minuten in dieser Form an: 45"),
       BoldLabel("Label13", "GroupBox1", 264, 80, "SS"),
       LabelAt("Label14", "GroupBox1", 296, 80, "Gibt die Sekunden in dieser Form an: 33"),
       BoldLabel("Label17", "GroupBox1", 16, 104, "FFF"),
       LabelAt("Label18", "GroupBox1", 56, 104,
             "Gibt eine fortlaufende Nummerierung an. Eine 0 wird automatisch vorangestellt!"),
       GroupBox("GroupBox2", "Form4", {16, 160, 513, 89}, 2, "Beispiele f\xC3\xBCr Dateinamen:"),
       BoldLabel("Label9", "GroupBox2", 16, 28, "Urlaub 2004 - DD.MM.YYYY - HH.NN.SS"),
       LabelAt("Label10", "GroupBox2", 264, 28, "Urlaub 2004 - 07.08.2004 - 16.45.33.jpg"),
       BoldLabel("Label11", "GroupBox2", 16, 52, "Urlaub 2004 - FFF"),
       LabelAt("Label12", "GroupBox2", 264, 52, "Urlaub 2004 - 0001.jpg"),
       HelpScript(FileHelpScript())});
}

}  // namespace kalvero
