// The main window as its users meet it, driven through the window system of the backend this
// build uses: the same tests for every backend.

#include <filesystem>
#include <utility>
#include <vector>

#include "components/status_bar.h"
#include "platform/program_path.h"
#include "tests/app/window/window_fixture.h"
#include "tests/support/exif_builder.h"
#include "tests/support/slashed_paths.h"

namespace kalvero {
namespace {

TEST_F(WindowProgramTest, TheWindowIsBuiltAsDesignedAndTheFocusStartsInTheSourceFolder) {
  EXPECT_EQ(user->ClientSize(*main), (TPoint{641, 360}));
  EXPECT_EQ(user->Title(*main), "Kalvero 1.3 - Manage your image!");
  EXPECT_EQ(main->ActiveControl(), main->FindComponent("dir"));
  EXPECT_EQ(user->FocusedControl(), main->FindComponent("dir"));
  std::vector<std::string> chain;
  for (const TControl* control : main->TabChain()) chain.push_back(control->Name());
  const std::vector<std::string> expected{"dir", "dir2", "cb1", "Edit1", "cb2", "Edit2", "Button1", "Button2"};
  EXPECT_EQ(chain, expected);
  // Tab walks the same chain through the window system, and comes round to the start.
  std::vector<std::string> visited;
  for (std::size_t i = 0; i <= expected.size(); ++i) {
    const TControl* focused = user->FocusedControl();
    visited.push_back(focused != nullptr ? focused->Name() : "(none)");
    user->PressTab();
  }
  std::vector<std::string> round = expected;
  round.push_back("dir");
  EXPECT_EQ(visited, round);
  // Controls where the design puts them, in their parents' client areas.
  const std::pair<const char*, TRect> places[] = {
      {"GroupBox1", {16, 8, 169, 321}},     {"GroupBox2", {184, 8, 625, 321}}, {"dir", {128, 24, 417, 45}},
      {"Edit2", {304, 144, 385, 165}},      {"Button1", {128, 264, 257, 289}}, {"Image3", {54, 280, 70, 291}},
      {"StatusBar1", {0, 340, 641, 360}},   {"bar", {22, 144, 128, 160}},
  };
  for (const auto& [name, place] : places) {
    const TRect shown = user->Bounds(Control<TControl>(name));
    EXPECT_EQ((std::vector<int>{shown.left, shown.top, shown.right, shown.bottom}),
              (std::vector<int>{place.left, place.top, place.right, place.bottom}))
        << name;
  }
}

TEST_F(WindowProgramTest, TheFlagsSwitchTheLanguageAndTheCurrentOneOnlyRefreshesThePreview) {
  auto& label1 = Control<TLabel>("Label1");
  EXPECT_EQ(label1.Text(), "Source folder:") << "a first start speaks English";
  user->Click(Control<TControl>("Image3"));
  EXPECT_EQ(label1.Text(), "Quellordner:");
  EXPECT_EQ(Control<TCheckBox>("cb2").Text(), "Ordner nach Datum erzeugen:");
  Control<TLabel>("Label9").SetText("");
  user->Click(Control<TControl>("Image3"));
  EXPECT_EQ(label1.Text(), "Quellordner:");
  EXPECT_EQ(Control<TLabel>("Label9").Text(), "2004.08.07 / 07.08.2004 - 16.45.33.jpg");
  user->Click(Control<TControl>("Image5"));
  EXPECT_EQ(label1.Text(), "Chemise de source:");
}

TEST_F(WindowProgramTest, AFlagSwitchesEveryWindowShownOrHiddenButTheAboutWindow) {
  auto& form3 = *dynamic_cast<TForm*>(application->FindComponent("Form3"));
  auto& form4 = *dynamic_cast<TForm*>(application->FindComponent("Form4"));
  auto& form2 = *dynamic_cast<TForm*>(application->FindComponent("Form2"));
  user->Click(Control<TControl>("SpeedButton3"));
  EXPECT_TRUE(form3.Visible());
  EXPECT_FALSE(form4.Visible());
  const auto caption = [](TForm& form, const char* name) { return dynamic_cast<TControl*>(form.FindComponent(name))->Text(); };
  const std::string aboutBefore = caption(form2, "Label2");
  user->Click(Control<TControl>("Image3"));
  EXPECT_EQ(caption(form3, "Label3"), "Gibt das Jahr in dieser Form an: 2004");
  EXPECT_EQ(caption(form4, "Label3"), "Gibt das Jahr in dieser Form an: 2004") << "hidden windows follow too";
  EXPECT_EQ(Control<TButton>("Button1").Text(), "Dateien kopieren");
  EXPECT_EQ(caption(form2, "Label2"), aboutBefore);
}

TEST_F(WindowProgramTest, OneAboutWindowHoweverOftenAndTheProgramEndsWithItOpen) {
  const std::size_t windows = application->ComponentCount();
  for (int i = 0; i < 3; ++i) user->Click(Control<TControl>("SpeedButton2"));
  auto& about = *dynamic_cast<TForm*>(application->FindComponent("Form2"));
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(application->ComponentCount(), windows) << "never a second About window";
  user->CloseByCloseBox(*main);
  EXPECT_TRUE(application->Terminated());
}

TEST_F(WindowProgramTest, TheBoxAndThePatternOfFoldersRefreshThePreviewAtOnce) {
  auto& preview = Control<TLabel>("Label9");
  user->Click(Control<TControl>("cb2"));
  EXPECT_EQ(preview.Text(), "07.08.2004 - 16.45.33.jpg");
  user->Click(Control<TControl>("cb2"));
  user->SelectAll(Control<TControl>("Edit2"));
  user->Type("YYYY");
  EXPECT_EQ(preview.Text(), "2004 / 07.08.2004 - 16.45.33.jpg");
  user->Type(":/");
  EXPECT_EQ(Control<TEdit>("Edit2").Text(), "YYYY") << "the key filter drops what names cannot hold";
}

TEST_F(WindowProgramTest, TheManualIsAskedOfTheShellFromTheProgramsFolder) {
  user->Click(Control<TControl>("SpeedButton1"));
  EXPECT_EQ(shell.opened, std::vector<std::string>{ProgramFolder() + "documentation.pdf"});
  EXPECT_TRUE(dialogs.boxes.empty()) << "nothing of the program's own, whether the file is there or not";
}

TEST_F(WindowProgramTest, ACopyRunFromTheButtonReportsInTheStatusAreaAndCopies) {
  TTempFolder trees;
  for (int day = 1; day <= 3; ++day)
    trees.Write("src/p" + std::to_string(day) + ".jpg", PictureTakenAt("2004:08:0" + std::to_string(day) + " 10:00:00"));
  trees.Write("src/undated.jpg", "no exif");
  Control<TEdit>("dir2").SetText(trees / "t");
  Control<TEdit>("dir").SetText(trees / "src");
  EXPECT_EQ(Control<TLabel>("Label5").Text(), "4");
  EXPECT_EQ(StatusText(), "4 JPEG-Files found in the folder!");
  user->Click(Control<TControl>("Button1"));
  EXPECT_EQ(Control<TLabel>("Label6").Text(), "3");
  EXPECT_EQ(StatusText(), "3 files copied!");
  EXPECT_EQ(user->ProgressShown(Control<TControl>("bar")), std::make_pair(0, 4)) << "back to 0 after the report";
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[0].kind, TMessageKind::Information) << "the target is announced, then made";
  EXPECT_EQ(Slashed(dialogs.boxes[1].text),
            "The following files do not contain or wrong Exif data:  " + Slashed(trees / "src/undated.jpg"));
  EXPECT_EQ(FileBytes(trees / "t/2004.08.02/02.08.2004 - 10.00.00.jpg"), FileBytes(trees / "src/p2.jpg"));
  EXPECT_EQ(Control<TImage>("Image6").Picture().Name(), "status-idle");
}

TEST_F(WindowProgramTest, TheErrorBoxOfADateFolderThatIsAFileReadsWhollyInTheWindowsLanguage) {
  TTempFolder trees;
  trees.Write("src/p.jpg", PictureTakenAt("2004:08:01 10:00:00"));
  trees.Write("t/2004.08.01", "a file where the date folder goes");
  user->Click(Control<TControl>("Image3"));
  Control<TEdit>("dir2").SetText(trees / "t");
  Control<TEdit>("dir").SetText(trees / "src");
  user->Click(Control<TControl>("Button1"));
  ASSERT_FALSE(dialogs.boxes.empty());
  EXPECT_EQ(dialogs.boxes.back().kind, TMessageKind::Error);
  EXPECT_EQ(Slashed(dialogs.boxes.back().text),
            "Der Ordner \"" + Slashed(trees / "t/2004.08.01") + "\" kann nicht erstellt werden: Kein Ordner.");
}

// Files that are no JPEG pictures: one information box after the report and its boxes, counted by
// extension, in the language in force.
TEST_F(WindowProgramTest, OtherFilesOfTheSourceFollowTheReportInABoxOfTheirOwn) {
  TTempFolder trees;
  trees.Write("src/a.jpg", PictureTakenAt("2004:08:07 10:00:00"));
  trees.Write("src/undated.jpg", "no exif");
  for (const char* file : {"src/IMG_1.CR2", "src/README", "src/s/IMG_2.cr2", "src/s/clip.MOV"}) trees.Write(file);
  Control<TEdit>("dir2").SetText(trees / "t");
  Control<TEdit>("dir").SetText(trees / "src");
  user->Click(Control<TControl>("Button1"));
  ASSERT_EQ(dialogs.boxes.size(), 3u) << "the new target, the pictures without a date, the other files";
  EXPECT_EQ(dialogs.boxes[2].kind, TMessageKind::Information);
  EXPECT_EQ(Slashed(dialogs.boxes[2].text), "4 other files are no JPEG pictures and were not copied (2 .CR2, 1 .MOV, "
                                   "1 without extension):\r\n" +
                                       Slashed(trees / "src/IMG_1.CR2") + "\r\n" + Slashed(trees / "src/README") + "\r\n" +
                                       Slashed(trees / "src/s/clip.MOV") + "\r\n" + Slashed(trees / "src/s/IMG_2.cr2"));

  Control<TCheckBox>("cb1").SetChecked(false);
  user->Click(Control<TControl>("Image3"));
  dialogs.boxes.clear();
  user->Click(Control<TControl>("Button1"));
  ASSERT_FALSE(dialogs.boxes.empty());
  EXPECT_EQ(Slashed(dialogs.boxes.back().text),
            "2 weitere Dateien sind keine JPEG-Bilder und wurden nicht kopiert (1 .CR2, 1 ohne Endung):\r\n" +
                Slashed(trees / "src/IMG_1.CR2") + "\r\n" + Slashed(trees / "src/README"));
}

TEST_F(WindowProgramTest, TheSevenChoicesComeBackAfterTheWindowClosedAndOpenedAgain) {
  TTempFolder folders;
  user->Click(Control<TControl>("Image4"));  // Spanish
  // Without subfolders first: each typed character of the source folder scans the folder it names.
  user->Click(Control<TControl>("cb1"));
  user->SelectAll(Control<TControl>("dir"));
  user->Type((folders / "fuente") + "x");
  user->SelectAll(Control<TControl>("dir2"));
  user->Type(folders / "ziel");
  user->Click(Control<TControl>("cb2"));
  user->SelectAll(Control<TControl>("Edit1"));
  user->Type("YYYY FFF");
  user->SelectAll(Control<TControl>("Edit2"));
  user->Type("DD-MM-YYYY");
  user->Click(Control<TControl>("Button2"));
  EXPECT_TRUE(application->Terminated());

  Start();
  EXPECT_EQ(main->Language(), "Spanish");
  EXPECT_EQ(main->DirText(), (folders / "fuente") + "x");
  EXPECT_EQ(main->Dir2Text(), folders / "ziel");
  EXPECT_FALSE(main->Cb1Checked());
  EXPECT_FALSE(main->Cb2Checked());
  EXPECT_EQ(main->Edit1Text(), "YYYY FFF");
  EXPECT_EQ(main->Edit2Text(), "DD-MM-YYYY");
  EXPECT_EQ(Control<TLabel>("Label1").Text(), "Carpeta de la fuente:");
}

TEST_F(WindowProgramTest, ClosingByTheButtonOrTheCloseBoxSavesOnceAndEndsTheProgram) {
  const std::string settings = appData / "Vandrel/Kalvero/kalvero.ini";
  std::filesystem::remove(settings);
  user->CloseByCloseBox(*main);
  EXPECT_TRUE(application->Terminated());
  EXPECT_TRUE(std::filesystem::exists(settings));
  std::filesystem::remove(settings);
  user->Click(Control<TControl>("Button2"));
  EXPECT_FALSE(std::filesystem::exists(settings)) << "saved once, by the first close";
}

}  // namespace
}  // namespace kalvero
