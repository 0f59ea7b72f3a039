#include "app/window/main_window_description.h"

#include "engine/settings.h"
#include "localisation/window_scripts.h"

namespace kalvero {
namespace {

// A label of fixed size with its alignment, for the counters.
TComponentDescription Counter(std::string name, int left, int width, std::string alignment, std::string caption = "") {
  return ControlAt("TLabel", std::move(name), "GroupBox1", {left, 168, width, 13},
                   {{"AutoSize", "False"}, {"Alignment", std::move(alignment)}, {"Caption", std::move(caption)}});
}

TComponentDescription Flag(std::string name, int left, std::string picture) {
  return ControlAt("TImage", std::move(name), "GroupBox1", {left, 280, 16, 11},
                   {{"Picture.Name", std::move(picture)}, {"Transparent", "True"}});
}

TComponentDescription FolderBox(std::string name, int top, int tabOrder) {
  return ControlAt("TDirectoryEdit", std::move(name), "GroupBox2", {128, top, 289, 21},
                   {{"TabOrder", std::to_string(tabOrder)},
                    {"BrowseDialogText", "Bitte w\xC3\xA4hlen Sie ein Verzeichnis:"},
                    {"Glyph.Name", "folder"}});
}

std::vector<TComponentDescription> StatusColumn() {
  return {
      ControlAt("TGroupBox", "GroupBox1", "Form1", {16, 8, 153, 313}, {{"TabOrder", "0"}}),
      ControlAt("TImage", "Image1", "GroupBox1", {24, 16, 96, 96}, {{"Picture.Name", "logo-96"}}),
      LabelAt("Label4", "GroupBox1", 22, 124, "Status:"),
      ControlAt("TProgressBar", "bar", "GroupBox1", {22, 144, 106, 16}, {{"Min", "0"}, {"Max", "100"}, {"Position", "0"}}),
      Counter("Label5", 22, 46, "taRightJustify"),
      Counter("Label7", 71, 4, "taCenter", "/"),
      Counter("Label6", 80, 49, "taLeftJustify"),
      ControlAt("TSpeedButton", "SpeedButton1", "GroupBox1", {22, 202, 106, 22}, {{"Flat", "True"}, {"Caption", "Anleitung"}}),
      ControlAt("TSpeedButton", "SpeedButton2", "GroupBox1", {22, 242, 106, 22}, {{"Flat", "True"}, {"Caption", "Info"}}),
      Flag("Image2", 30, "flag-en"),
      Flag("Image3", 54, "flag-de"),
      Flag("Image4", 78, "flag-es"),
      Flag("Image5", 102, "flag-fr"),
  };
}

std::vector<TComponentDescription> InputColumn() {
  return {
      ControlAt("TGroupBox", "GroupBox2", "Form1", {184, 8, 441, 313}, {{"TabOrder", "1"}}),
      LabelAt("Label1", "GroupBox2", 24, 26, "Quellordner:"),
      FolderBox("dir", 24, 0),
      LabelAt("Label2", "GroupBox2", 24, 58, "Zielordner:"),
      FolderBox("dir2", 56, 1),
      ControlAt("TCheckBox", "cb1", "GroupBox2", {128, 90, 289, 17},
                {{"TabOrder", "2"}, {"Caption", "Unterverzeichnisse einbeziehen"}, {"Checked", "True"}}),
      ControlAt("TCheckBox", "cb2", "GroupBox2", {128, 146, 177, 17},
                {{"TabOrder", "4"}, {"Caption", "Ordner nach Datum erzeugen:"}, {"Checked", "True"}}),
      ControlAt("TEdit", "Edit2", "GroupBox2", {304, 144, 81, 21},
                {{"TabOrder", "5"},
                 {"Text", std::string(kDefaultFolderPattern)},
                 {"MaxLength", std::to_string(kFolderPatternMaxLength)},
                 {"ShowHint", "True"}}),
      ControlAt("TSpeedButton", "SpeedButton3", "GroupBox2", {394, 143, 22, 22}, {{"Flat", "True"}, {"Glyph.Name", "help"}}),
      LabelAt("Label3", "GroupBox2", 24, 178, "Dateinamen:"),
      ControlAt("TEdit", "Edit1", "GroupBox2", {128, 176, 257, 21},
                {{"TabOrder", "3"}, {"Text", std::string(kDefaultFilePattern)}, {"ShowHint", "True"}}),
      ControlAt("TSpeedButton", "SpeedButton4", "GroupBox2", {394, 175, 22, 22}, {{"Flat", "True"}, {"Glyph.Name", "help"}}),
      LabelAt("Label8", "GroupBox2", 24, 210, "Vorschau:"),
      LabelAt("Label9", "GroupBox2", 128, 210, "Dateien:"),
      ControlAt("TButton", "Button1", "GroupBox2", {128, 264, 129, 25}, {{"TabOrder", "6"}, {"Caption", "Dateien kopieren"}}),
      ControlAt("TButton", "Button2", "GroupBox2", {288, 264, 129, 25}, {{"TabOrder", "7"}, {"Caption", "Anwendung beenden"}}),
  };
}

// The status bar along the bottom: the status icon in a host in panel 0, the status text in panel 1.
std::vector<TComponentDescription> StatusBar() {
  return {
      {"TPanelStatusBar",
       "StatusBar1",
       "",
       {{"Parent", "Form1"},
        {"Align", "alBottom"},
        {"Height", "20"},
        {"SizeGrip", "False"},
        {"Panels.Count", "2"},
        {"Panels[0].Width", "25"},
        {"Panels[0].Bevel", "pbLowered"},
        {"Panels[1].Bevel", "pbLowered"},
        {"Panels[1].Alignment", "taLeftJustify"}}},
      ControlAt("TPanel", "Panel1", "StatusBar1", {4, 1, 20, 18}, {{"BevelOuter", "bvNone"}}),
      ControlAt("TImage", "Image6", "Panel1", {2, 1, 16, 16}, {{"Transparent", "True"}}),
  };
}

std::vector<TComponentDescription> NonVisual() {
  return {
      {"TMultilanguage", "", "", {{"Script", ScriptText(MainWindowOlderScript())}, {"Language", "German"}}},
      {"TMultilanguageSync", "", "", {{"Language", "German"}}},
      {"TMultilanguage", "lng", "", {{"Script", ScriptText(MainWindowScript())}, {"Language", "German"}}},
      {"TMultilanguageSync", "lngsync", "", {{"Language", "German"}}},
      {"TRichHint",
       "RichHint1",
       "",
       {{"HintFont.Name", "Tahoma"},
        {"HintFont.Height", "-11"},
        {"HintFont.Color", "clInfoText"},
        {"HintFont.Charset", "DEFAULT_CHARSET"},
        {"HintFont.Style", "[]"},
        {"HintStyle", "hsRectangle"},
        {"MaxWidth", "0"},
        {"URLColor", "clBlack"},
        {"XMargin", "0"},
        {"YMargin", "0"},
        {"Ellipsis", "False"}}},
      {"TKeyboardCueFix", "KeyboardCueFix1", "", {{"RepaintAll", "True"}}},
      {"TImageList",
       "ImageList1",
       "",
       {{"Width", "16"}, {"Height", "16"},
        {"Pictures", "status-idle\r\nstatus-scanning\r\nstatus-folders\r\nstatus-copying\r\n"}}},
      {"TManifest", "Manifest1", "", {}},
  };
}

}  // namespace

TWindowDescription MainWindowDescription() {
  std::vector<TComponentDescription> components;
  for (auto part : {StatusColumn(), InputColumn(), StatusBar(), NonVisual()})
    components.insert(components.end(), part.begin(), part.end());
  return {"TForm1",
          "Form1",
          {{"Caption", "Kalvero 1.3 - Manage your image!"},
           {"ClientWidth", "641"},
           {"ClientHeight", "360"},
           {"BorderStyle", "bsSingle"},
           {"BorderIcons", "[biSystemMenu]"},
           {"Position", "poScreenCenter"},
           {"Color", "clWhite"},
           {"ActiveControl", "dir"}},
          std::move(components)};
}

}  // namespace kalvero
