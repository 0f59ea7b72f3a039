#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/application.h"
#include "components/controls.h"
#include "localisation/multilanguage.h"
#include "tests/localisation/model_windows.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

std::string Caption(const TComponent& window, std::string_view name) {
  return dynamic_cast<const TControl&>(*window.FindComponent(name)).Text();
}

class WindowArrangementTest : public testing::Test {
 protected:
  WindowArrangementTest()
      : classes_(ModelClasses()), form1_(BuildWindow(application_, MainWindowModel(), classes_)),
        lng_(dynamic_cast<TMultilanguage&>(*form1_.FindComponent("lng"))) {}

  TForm& BuildHelpWindow() { return BuildWindow(application_, FolderHelpWindowModel(), classes_); }

  TMultilanguage& Older() const { return dynamic_cast<TMultilanguage&>(form1_.Component(form1_.ComponentCount() - 4)); }

  TApplication application_;
  TClassRegistry classes_;
  TForm& form1_;
  TMultilanguage& lng_;
};

TEST_F(WindowArrangementTest, OpensInGermanWithLngDecidingOverTheOlderScript) {
  EXPECT_EQ(Caption(form1_, "Label3"), "Dateinamen:") << "the older script's 'Ordner:' is overridden";
  EXPECT_EQ(Caption(form1_, "cb2"), "Ordner nach Datum erzeugen:");
  EXPECT_EQ(Caption(form1_, "Label9"), "Dateien:");
  EXPECT_EQ(form1_.Text(), "Kalvero 1.3 - Manage your image!");
  EXPECT_EQ(lng_.GetText("msgErrorPath"), "Bitte geben Sie einen Quell- und Zielpfad an!");
  const TMultilanguageSync* sync = FindSync(application_);
  ASSERT_NE(sync, nullptr);
  EXPECT_EQ(sync->Name(), "") << "the unnamed synchroniser comes first";
  EXPECT_EQ(sync->Language(), "German");
}

struct TSwitchCase {
  std::string name;
  std::string language;
  std::string label1;
  std::string label3;
  std::string button2;
  std::string label9;
  std::string helpGroupBox2;
};

const std::vector<TSwitchCase> kSwitches = {
    {"English", "English", "Source folder:", "Filenames:", "Exit application", "", "Examples for folder names:"},
    {"French", "French", "Chemise de source:", "Noms de fichier:", "Sortez l'application", "",
     "Exemples pour des noms de chemise :"},
    {"SpanishLeavesTheOlderScriptsCaptions", "Spanish", "Carpeta de la fuente:", "Nombres de fichero:",
     "Salga del uso", "Dateien:", "Ejemplos para los nombres de la carpeta:"},
    {"German", "German", "Quellordner:", "Dateinamen:", "Anwendung beenden", "Dateien:",
     "Beispiele f\xC3\xBCr Ordnernamen:"},
};

class LanguageSwitchTest : public WindowArrangementTest, public testing::WithParamInterface<TSwitchCase> {};

TEST_P(LanguageSwitchTest, SwitchesEveryWindowAndBackToGerman) {
  const TSwitchCase& c = GetParam();
  TForm& help = BuildHelpWindow();
  lng_.SetLanguage(c.language);
  EXPECT_EQ(Caption(form1_, "Label1"), c.label1);
  EXPECT_EQ(Caption(form1_, "Label3"), c.label3);
  EXPECT_EQ(Caption(form1_, "Button2"), c.button2);
  EXPECT_EQ(Caption(form1_, "Label9"), c.label9);
  EXPECT_EQ(Caption(help, "GroupBox2"), c.helpGroupBox2);
  EXPECT_EQ(Caption(help, "Label2"), "YYYY") << "token labels are never translated";
  EXPECT_EQ(FindSync(application_)->Language(), c.language);
  EXPECT_EQ(dynamic_cast<TMultilanguageSync&>(*form1_.FindComponent("lngsync")).Language(), "German");

  lng_.SetLanguage("German");
  EXPECT_EQ(Caption(form1_, "Label1"), "Quellordner:");
  EXPECT_EQ(Caption(form1_, "Button2"), "Anwendung beenden");
  EXPECT_EQ(Caption(help, "GroupBox2"), "Beispiele f\xC3\xBCr Ordnernamen:");
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageSwitchTest, testing::ValuesIn(kSwitches), TCaseName());

TEST_F(WindowArrangementTest, OlderScriptBlanksCaptionsBeforeLngSetsThem) {
  std::vector<std::string> label3;
  Older().OnTranslate = [&](TMultilanguage&) { label3.push_back(Caption(form1_, "Label3")); };
  lng_.OnTranslate = [&](TMultilanguage&) { label3.push_back(Caption(form1_, "Label3")); };
  lng_.SetLanguage("English");
  EXPECT_EQ(label3, (std::vector<std::string>{"", "Filenames:"}));
}

TEST_F(WindowArrangementTest, HelpWindowCreatedAfterASwitchOpensInThatLanguage) {
  lng_.SetLanguage("French");
  TForm& help = BuildHelpWindow();
  EXPECT_EQ(Caption(help, "Label3"), "L'ann\xC3\xA9" "e indique sous cette forme : 2004");
  EXPECT_EQ(Caption(help, "GroupBox2"), "Exemples pour des noms de chemise :");
  EXPECT_EQ(Caption(help, "Label9"), "DD.MM.YYYY") << "the examples of this window are not translated";
  EXPECT_EQ(dynamic_cast<TMultilanguage&>(*help.FindComponent("Multilanguage1")).Language(), "French");
}

TEST_F(WindowArrangementTest, SynchroniserBuiltLaterRetranslatesTheWindowsThatExist) {
  TApplication application;
  TForm& help = BuildWindow(application, FolderHelpWindowModel(), classes_);
  EXPECT_EQ(Caption(help, "GroupBox2"), "Beispiele f\xC3\xBCr Ordnernamen:") << "no language: design texts";
  BuildWindow(application, {"TForm", "Form9", {}, {{"TMultilanguageSync", "sync", "", {{"Language", "English"}}}}},
              classes_);
  EXPECT_EQ(Caption(help, "GroupBox2"), "Examples for folder names:");
}

}  // namespace
}  // namespace kalvero
