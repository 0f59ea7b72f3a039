#pragma once

// What the About and help windows must show, for the tests of every backend: each window's size,
// caption and a control of each kind in each container; the places of a first showing; the texts
// a language switch reaches and those it leaves alone.

#include <string>
#include <vector>

#include "ui/secondary_windows.h"

namespace kalvero {

using TDescriptionFunction = TWindowDescription (*)();

// A control's place in its parent; width and height 0 for a label that takes its caption's size.
struct TPlace {
  const char* name;
  const char* parent;
  int left, top, width, height;
};

struct TWindowCase {
  std::string name;
  TDescriptionFunction description;
  const char* window;
  const char* caption;
  int clientWidth, clientHeight;
  std::vector<TPlace> places;  // one of each kind of control, in each container
  std::vector<std::string> bold;
};

inline const std::vector<TWindowCase> kSecondaryWindows = {
    {"About", AboutWindowDescription, "Form2", "Kalvero 1.3", 321, 214,
     {{"GroupBox1", "Form2", 8, 8, 305, 193}, {"Image1", "GroupBox1", 16, 16, 64, 64},
      {"Label2", "GroupBox1", 104, 48, 0, 0}, {"Button1", "GroupBox1", 96, 136, 121, 25}},
     {}},
    {"FolderHelp", FolderHelpWindowDescription, "Form3", "Info", 490, 309,
     {{"Button1", "Form3", 200, 264, 75, 25}, {"GroupBox1", "Form3", 16, 16, 457, 121},
      {"Label4", "GroupBox1", 64, 56, 0, 0}, {"GroupBox2", "Form3", 16, 152, 457, 89},
      {"Label12", "GroupBox2", 112, 52, 0, 0}},
     {"Label2", "Label5", "Label7", "Label9", "Label11"}},
    {"FileHelp", FileHelpWindowDescription, "Form4", "Info", 544, 319,
     {{"Button1", "Form4", 224, 272, 75, 25}, {"GroupBox1", "Form4", 16, 16, 513, 129},
      {"Label15", "GroupBox1", 296, 56, 0, 0}, {"Label18", "GroupBox1", 56, 104, 0, 0},
      {"GroupBox2", "Form4", 16, 160, 513, 89}, {"Label10", "GroupBox2", 264, 28, 0, 0}},
     {"Label2", "Label5", "Label7", "Label1", "Label8", "Label13", "Label17", "Label9", "Label11"}},
};

struct TLanguageCase {
  std::string name;
  const char* folderExamples;  // Form3's GroupBox2
  const char* fileExample;     // Form4's Label11
};

inline const std::vector<TLanguageCase> kSecondaryWindowLanguages = {
    {"English", "Examples for folder names:", "Holiday 2004 - FFF"},
    {"French", "Exemples pour des noms de chemise :", "Vacances 2004 - FFF"},
    {"Spanish", "Ejemplos para los nombres de la carpeta:", "D\xC3\xAD" "a de fiesta 2004 - FFF"},
    {"German", "Beispiele f\xC3\xBCr Ordnernamen:", "Urlaub 2004 - FFF"},
};

struct TFixedText {
  const char* window;
  const char* control;
  const char* text;
};

// Texts that no language changes: the tokens, Form3's examples and the About window.
inline const std::vector<TFixedText> kFixedTexts = {
    {"Form3", "Label2", "YYYY"},        {"Form3", "Label5", "MM"},          {"Form3", "Label7", "DD"},
    {"Form3", "Label9", "DD.MM.YYYY"},  {"Form3", "Label10", "07.08.2004"}, {"Form3", "Label11", "YYYY-MM-DD"},
    {"Form3", "Label12", "2004-08-07"}, {"Form4", "Label2", "YYYY"},        {"Form4", "Label5", "MM"},
    {"Form4", "Label7", "DD"},          {"Form4", "Label1", "HH"},          {"Form4", "Label8", "NN"},
    {"Form4", "Label13", "SS"},         {"Form4", "Label17", "FFF"},        {"Form2", "Label1", "Kalvero 1.3"},
    {"Form2", "Label2", "Vandrel Softwareentwicklung"},
};

}  // namespace kalvero
