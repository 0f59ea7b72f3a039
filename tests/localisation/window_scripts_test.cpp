#include "localisation/window_scripts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localisation/multilanguage.h"

#include "tests/support/case_name.h"

namespace kalvero {
namespace {

const std::vector<std::string> kLanguages = {"German", "English", "French", "Spanish"};

struct TScriptCase {
  std::string name;
  TTextLines (*script)();
  std::vector<std::string> headers;
  std::size_t entriesPerSection;
};

const std::vector<TScriptCase> kScripts = {
    {"MainWindow", MainWindowScript, {"[German]", "[English]", "[French]", "[Spanish]"}, 35},
    {"MainWindowOlder", MainWindowOlderScript, {"[German]", "[English]", "[French]", "[Spain]"}, 17},
    {"FolderHelp", FolderHelpScript, {"[German]", "[English]", "[French]", "[Spanish]"}, 5},
    {"FileHelp", FileHelpScript, {"[German]", "[English]", "[French]", "[Spanish]"}, 13},
};

// The script's sections: header line and the names of its entries, as written.
struct TWrittenSection {
  std::string header;
  std::vector<std::string> names;
};

class WindowScriptTest : public testing::TestWithParam<TScriptCase> {
 protected:
  // Reads the layout the scripts are written in: a header, "Name = 'value'" lines, one empty
  // line before every header but the first, nothing else.
  std::vector<TWrittenSection> ReadLayout() const {
    const TTextLines lines = GetParam().script();
    std::vector<TWrittenSection> sections;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.starts_with('[')) {
        EXPECT_TRUE(i == 0 || lines[i - 1].empty()) << "no empty line before " << line;
        sections.push_back({line, {}});
      } else if (line.empty()) {
        EXPECT_TRUE(i + 1 < lines.size() && lines[i + 1].starts_with('[')) << "stray empty line " << i;
      } else {
        EXPECT_FALSE(sections.empty()) << "entry above the first header: " << line;
        const std::size_t separator = line.find(" = '");
        EXPECT_NE(separator, std::string::npos) << line;
        EXPECT_TRUE(line.ends_with('\'')) << line;
        EXPECT_TRUE(SplitEntry(line).has_value()) << line;
        if (!sections.empty()) sections.back().names.push_back(line.substr(0, separator));
      }
    }
    return sections;
  }
};

TEST_P(WindowScriptTest, SectionsAreInLanguageOrderWithTheSameNames) {
  const auto sections = ReadLayout();
  ASSERT_EQ(sections.size(), GetParam().headers.size());
  for (std::size_t s = 0; s < sections.size(); ++s) {
    EXPECT_EQ(sections[s].header, GetParam().headers[s]);
    EXPECT_EQ(sections[s].names.size(), GetParam().entriesPerSection) << sections[s].header;
    EXPECT_EQ(sections[s].names, sections[0].names) << sections[s].header;
  }
}

TEST_P(WindowScriptTest, PropertyEntriesSetCaptions) {
  for (const auto& section : ReadLayout()) {
    for (const auto& name : section.names) {
      if (name.find('.') != std::string::npos) {
        EXPECT_TRUE(name.ends_with(".Caption")) << name;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowScriptTest, testing::ValuesIn(kScripts), TCaseName());

// A main-window script component translated into one language.
class TTranslatedScript {
 public:
  TTranslatedScript(TTextLines script, const std::string& language)
      : lng_(window_.CreateComponent<TMultilanguage>("lng")) {
    lng_.SetScript(std::move(script));
    lng_.SetLanguage(language);
  }
  std::string GetText(const std::string& key) const { return lng_.GetText(key); }
  const TTextLines& Lines() const { return lng_.CurrentLines(); }

 private:
  TComponent window_;
  TMultilanguage& lng_;
};

TEST(MainWindowScript, EveryKeyHasATextInEveryLanguage) {
  const TTranslatedScript german(MainWindowScript(), "German");
  for (const std::string& language : kLanguages) {
    const TTranslatedScript translated(MainWindowScript(), language);
    ASSERT_EQ(translated.Lines().size(), 35u) << language;
    for (const std::string& line : german.Lines()) {
      const std::string key = SplitEntry(line)->name;
      EXPECT_FALSE(translated.GetText(key).empty()) << language << " " << key;
    }
  }
}

TEST(MainWindowScript, BlanksAtTheEdgesOfTextsAreKept) {
  for (const std::string& language : kLanguages) {
    const TTranslatedScript lng(MainWindowScript(), language);
    EXPECT_TRUE(lng.GetText("filesFound").starts_with(' ')) << language;
    EXPECT_TRUE(lng.GetText("filesCopied").starts_with(' ')) << language;
    EXPECT_TRUE(lng.GetText("msgCannotCopy").ends_with(": ")) << language;
    EXPECT_TRUE(lng.GetText("msgNoExif").ends_with(": ")) << language;
    EXPECT_TRUE(lng.GetText("msgFolderExists1/3").ends_with(" \"")) << language;
    EXPECT_TRUE(lng.GetText("msgFolderExists2/3").starts_with("\" ")) << language;
  }
}

TEST(MainWindowScript, KeepsTheExactTextsOfEachLanguage) {
  const TTranslatedScript german(MainWindowScript(), "German");
  EXPECT_EQ(german.GetText("msgOverwrite2/2"),
            "gleichen Dateinamen ggf. \xC3\xBC" "berschrieben werden. Sortierung trotzdem starten?");
  EXPECT_EQ(german.GetText("filesFound"), " JPEG-Dateien im Ordner gefunden!");
  const TTranslatedScript english(MainWindowScript(), "English");
  EXPECT_EQ(english.GetText("cb2.Caption"), "Create folders from date: ");
  EXPECT_EQ(english.GetText("msgFolderExists1/3"), "The folder \"");
  const TTranslatedScript french(MainWindowScript(), "French");
  EXPECT_EQ(french.GetText("Button2.Caption"), "Sortez l'application");
  EXPECT_EQ(french.GetText("msgError1/2"),
            "n'ont pas \xC3\xA9t\xC3\xA9 trouv\xC3\xA9s ! Un assortiment s\xC3\xA9quentiel ne peut pas \xC3\xAAtre fourni.");
  const TTranslatedScript spanish(MainWindowScript(), "Spanish");
  EXPECT_EQ(spanish.GetText("filesCopied"), " \xC2\xA1los archivos copiaron!");
  EXPECT_EQ(spanish.GetText("edit2hint"),
            "<Font face=\"Arial\" size=\"2\"><b>DD</b>        D\xC3\xAD" "as<br/><b>MM</b>       Meses<br/>"
            "<b>YYYY</b>    A\xC3\xB1os</font>");
}

TEST(MainWindowOlderScript, SpainSectionSelectsNothingForSpanish) {
  EXPECT_TRUE(TTranslatedScript(MainWindowOlderScript(), "Spanish").Lines().empty());
  EXPECT_EQ(TTranslatedScript(MainWindowOlderScript(), "Spain").Lines().size(), 17u);
}

TEST(MainWindowOlderScript, GermanNamesTheOldCaptionsOthersBlankThem) {
  EXPECT_EQ(TTranslatedScript(MainWindowOlderScript(), "German").GetText("Label9.Caption"), "Dateien:");
  EXPECT_EQ(TTranslatedScript(MainWindowOlderScript(), "German").GetText("cb4.Caption"),
            "Namen der Ordner f\xC3\xBCr Sortierung optimieren (YYYY.MM.DD)");
  for (const char* language : {"English", "French"}) {
    const TTranslatedScript older(MainWindowOlderScript(), language);
    ASSERT_EQ(older.Lines().size(), 17u);
    for (const std::string& line : older.Lines()) EXPECT_EQ(SplitEntry(line)->value, "") << line;
  }
}

TEST(HelpWindowScripts, FrenchApostrophesAndExamplesAreKept) {
  EXPECT_EQ(TTranslatedScript(FolderHelpScript(), "French").GetText("Label3.Caption"),
            "L'ann\xC3\xA9" "e indique sous cette forme : 2004");
  EXPECT_EQ(TTranslatedScript(FileHelpScript(), "Spanish").GetText("Label12.Caption"),
            "D\xC3\xAD" "a de fiesta 2004 - 0001.jpg");
  EXPECT_EQ(TTranslatedScript(FileHelpScript(), "German").GetText("Label10.Caption"),
            "Urlaub 2004 - 07.08.2004 - 16.45.33.jpg");
}

}  // namespace
}  // namespace kalvero
