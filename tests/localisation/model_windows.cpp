#include "tests/localisation/model_windows.h"

#include "localisation/multilanguage.h"
#include "localisation/window_scripts.h"

namespace kalvero {
namespace {

TComponentDescription Control(std::string className, std::string name, std::string parent, std::string caption) {
  std::vector<TPropertySetting> settings = {{"Parent", std::move(parent)}};
  if (!caption.empty()) settings.push_back({className == "TEdit" ? "Text" : "Caption", std::move(caption)});
  return {std::move(className), std::move(name), "", std::move(settings)};
}

}  // namespace

TWindowDescription MainWindowModel() {
  return {"TForm",
          "Form1",
          {{"Caption", "Kalvero 1.3 - Manage your image!"}, {"Color", "clWhite"}, {"Font.Name", "Tahoma"}},
          {Control("TGroupBox", "GroupBox1", "Form1", ""),
           Control("TLabel", "Label4", "GroupBox1", "Status:"),
           Control("TLabel", "Label5", "GroupBox1", ""),
           Control("TLabel", "Label7", "GroupBox1", "/"),
           Control("TLabel", "Label6", "GroupBox1", ""),
           Control("TSpeedButton", "SpeedButton1", "GroupBox1", "Anleitung"),
           Control("TSpeedButton", "SpeedButton2", "GroupBox1", "Info"),
           Control("TGroupBox", "GroupBox2", "Form1", ""),
           Control("TLabel", "Label1", "GroupBox2", "Quellordner:"),
           Control("TEdit", "dir", "GroupBox2", ""),
           Control("TLabel", "Label2", "GroupBox2", "Zielordner:"),
           Control("TEdit", "dir2", "GroupBox2", ""),
           Control("TCheckBox", "cb1", "GroupBox2", "Unterverzeichnisse einbeziehen"),
           Control("TCheckBox", "cb2", "GroupBox2", "Ordner nach Datum erzeugen:"),
           Control("TEdit", "Edit2", "GroupBox2", "YYYY.MM.DD"),
           Control("TSpeedButton", "SpeedButton3", "GroupBox2", ""),
           Control("TLabel", "Label3", "GroupBox2", "Dateinamen:"),
           Control("TEdit", "Edit1", "GroupBox2", "DD.MM.YYYY - HH.NN.SS"),
           Control("TSpeedButton", "SpeedButton4", "GroupBox2", ""),
           Control("TLabel", "Label8", "GroupBox2", "Vorschau:"),
           Control("TLabel", "Label9", "GroupBox2", "Dateien:"),
           Control("TButton", "Button1", "GroupBox2", "Dateien kopieren"),
           Control("TButton", "Button2", "GroupBox2", "Anwendung beenden"),
           {"TStatusBar", "StatusBar1", "", {{"Parent", "Form1"}, {"Panels.Count", "2"}, {"Panels[0].Width", "22"}}},
           {"TMultilanguage", "", "", {{"Script", ScriptText(MainWindowOlderScript())}, {"Language", "German"}}},
           {"TMultilanguageSync", "", "", {{"Language", "German"}}},
           {"TMultilanguage", "lng", "", {{"Script", ScriptText(MainWindowScript())}, {"Language", "German"}}},
           {"TMultilanguageSync", "lngsync", "", {{"Language", "German"}}}}};
}

TWindowDescription FolderHelpWindowModel() {
  return {"TForm",
          "Form3",
          {{"Caption", "Info"}, {"ClientWidth", "490"}, {"ClientHeight", "309"}},
          {Control("TButton", "Button1", "Form3", "OK"),
           Control("TGroupBox", "GroupBox1", "Form3", "Verfügbare Platzhalter für Ordnernamen (maximal 10 Zeichen):"),
           Control("TLabel", "Label2", "GroupBox1", "YYYY"),
           Control("TLabel", "Label3", "GroupBox1", "Gibt das Jahr in dieser Form an: 2004"),
           Control("TLabel", "Label5", "GroupBox1", "MM"),
           Control("TLabel", "Label4", "GroupBox1", "Gibt den Monat in dieser Form an: 08"),
           Control("TLabel", "Label7", "GroupBox1", "DD"),
           Control("TLabel", "Label6", "GroupBox1", "Gibt den Tag in dieser Form an: 07"),
           Control("TGroupBox", "GroupBox2", "Form3", "Beispiele für Ordnernamen:"),
           Control("TLabel", "Label9", "GroupBox2", "DD.MM.YYYY"),
           Control("TLabel", "Label10", "GroupBox2", "07.08.2004"),
           {"TMultilanguage", "Multilanguage1", "", {{"Script", ScriptText(FolderHelpScript())}}}}};
}

TClassRegistry ModelClasses() {
  TClassRegistry classes;
  RegisterStandardControls(classes);
  RegisterLanguageClasses(classes);
  return classes;
}

}  // namespace kalvero
