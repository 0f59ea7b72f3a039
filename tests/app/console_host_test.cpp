// The command line's host as a run's messages and status texts reach the terminal.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/console_host.h"

namespace kalvero {
namespace {

struct TLabelCase {
  std::string language;
  std::string error, warning, information, question;
};

TEST(ConsoleMessages, EachLanguageLabelsTheMessagesInItsOwnWords) {
  const std::vector<TLabelCase> cases = {
      {"German", "Fehler: ", "Warnung: ", "Informationen: ", "Bestätigen: "},
      {"English", "error: ", "warning: ", "information: ", "question: "},
      {"French", "erreur : ", "avertissement : ", "information : ", "question : "},
      {"Spanish", "error: ", "advertencia: ", "información: ", "pregunta: "},
  };
  for (const TLabelCase& row : cases) {
    TConsoleHost host(row.language, {});
    testing::internal::CaptureStderr();
    host.ShowMessageBox(TMessageKind::Error, "e", TMessageButtons::Ok);
    host.ShowMessageBox(TMessageKind::Warning, "w", TMessageButtons::Ok);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), row.error + "e\n" + row.warning + "w\n") << row.language;
    testing::internal::CaptureStdout();
    host.ShowMessageBox(TMessageKind::Information, "i", TMessageButtons::Ok);
    host.ShowMessageBox(TMessageKind::Confirmation, "q", TMessageButtons::Ok);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), row.information + "i\n" + row.question + "q\n") << row.language;
  }
}

TEST(ConsoleMessages, AStatusTextIsPrintedWhenItChangesOnly) {
  TConsoleHost host("English", {});
  testing::internal::CaptureStdout();
  for (const char* text : {"Copy files ...", "Copy files ...", "3 files copied!", "Copy files ..."})
    host.SetStatusText(text);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Copy files ...\n3 files copied!\nCopy files ...\n");
}

}  // namespace
}  // namespace kalvero
