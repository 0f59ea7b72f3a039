// A close request from the window manager during a copy run is carried out after the run's report
// boxes, on a real X server: only there does Qt hold such a request as user input and a modal box
// discard it.

#include <QApplication>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <string>
#include <thread>

#include "platform/memory_file_system.h"
#include "platform/qt/qt_dialogs.h"
#include "tests/app/window/qt/qt_window_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"
#include "tests/support/hurrying_clock.h"

namespace kalvero {
namespace {

// The real dialogs, except that the first pause of a run without input, once armed, asks the window manager to
// close the main window, and that each box is closed shortly after it shows.
class TClosingDialogs final : public TDialogs {
 public:
  explicit TClosingDialogs(const QWidget*& window) : window_(window) {}

  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                TMessageButtons buttons) override {
    boxes.push_back(kind);
    QTimer::singleShot(300, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    return real_.ShowMessageBox(kind, caption, text, buttons);
  }
  void SetBusyCursor(bool busy) override { real_.SetBusyCursor(busy); }
  void ProcessMessages(bool userInput) override {
    // A run lets input through after its scan and at its start; the request comes after those.
    if (armed && userInput) ++inputLetThrough;
    if (armed && !userInput && inputLetThrough >= 2 && !asked) {
      asked = true;
      const QString id = QString::number(window_->winId(), 16).prepend(QStringLiteral("0x"));
      closeAsked = QProcess::execute(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), id}) == 0;
      // The window manager's request reaches the program's connection meanwhile.
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    real_.ProcessMessages(userInput);
  }

  std::vector<TMessageKind> boxes;
  bool armed = false;
  int inputLetThrough = 0;
  bool asked = false;
  bool closeAsked = false;

 private:
  const QWidget*& window_;
  TQtDialogs real_;
};

struct TCloseCase {
  std::string name;
  std::string blocker;  // a file where a date folder goes, stopping the run; empty for none
  TMessageKind lastBox;
};

class CloseRequestTest : public WindowProgramTest, public testing::WithParamInterface<TCloseCase> {
 protected:
  CloseRequestTest() {
    for (int picture = 1; picture <= 5; ++picture)
      fs.AddFile("src/p" + std::to_string(picture) + ".jpg",
                 PictureTakenAt("2004:08:0" + std::to_string(picture) + " 10:00:00"));
    fs.AddFile("src/undated.jpg", "no picture");
    fs.AddFolder("t");
    if (!GetParam().blocker.empty()) fs.AddFile(GetParam().blocker, "in the way");
    fileSystem = &fs;
    clock = &hurryingClock;
    dialogsUsed = &closing;
  }
  ~CloseRequestTest() override { application.reset(); }

  TMemoryFileSystem fs;
  THurryingClock hurryingClock;
  const QWidget* window = nullptr;
  TClosingDialogs closing{window};
};

TEST_P(CloseRequestTest, IsCarriedOutAfterTheRunsBoxes) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "needs a real X server";
  window = &main->Widget();
  Control<TEdit>("dir2").SetText("t");
  Control<TEdit>("dir").SetText("src");
  closing.armed = true;
  main->Button1Click();
  ASSERT_TRUE(closing.closeAsked) << "wmctrl asked the window manager to close the window";
  ASSERT_FALSE(closing.boxes.empty());
  EXPECT_EQ(closing.boxes.back(), GetParam().lastBox);
  EXPECT_TRUE(application->Terminated()) << "the close request was not lost";
}

INSTANTIATE_TEST_SUITE_P(Runs, CloseRequestTest,
                         testing::Values(TCloseCase{"EndingWithAReport", "", TMessageKind::Warning},
                                         TCloseCase{"StoppedByAnError", "t/2004.08.03", TMessageKind::Error}),
                         TCaseName());

}  // namespace
}  // namespace kalvero
