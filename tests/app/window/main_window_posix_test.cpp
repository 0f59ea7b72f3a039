// The main window with what only POSIX systems have: the home folder written "~", and links.

#include <QLineEdit>

#include <filesystem>

#include "tests/app/window/qt/qt_window_fixture.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

// The fixture's HOME is its settings folder's base.
TEST_F(WindowProgramTest, TildeInTheFolderFieldsNamesTheHomeFolderAndStaysAsTyped) {
  appData.Write("Karte/p.jpg", PictureTakenAt("2004:08:01 10:00:00"));
  Control<TEdit>("dir2").SetText("~/Sorted");
  Control<TEdit>("dir").SetText("~/Karte");
  EXPECT_EQ(Control<TLabel>("Label5").Text(), "1");
  user->Click(Control<TControl>("Button1"));
  EXPECT_EQ(StatusText(), "1 files copied!");
  EXPECT_EQ(FileBytes(appData / "Sorted/2004.08.01/01.08.2004 - 10.00.00.jpg"), FileBytes(appData / "Karte/p.jpg"));
  EXPECT_FALSE(std::filesystem::exists("~")) << "no folder named ~ in the current folder";
  EXPECT_EQ(WidgetOf<QLineEdit>(*main, "dir2").text(), "~/Sorted");
  EXPECT_EQ(WidgetOf<QLineEdit>(*main, "dir").text(), "~/Karte");
  user->Click(Control<TControl>("Button2"));
  Start();
  EXPECT_EQ(main->DirText(), "~/Karte");
  EXPECT_EQ(Control<TLabel>("Label5").Text(), "1") << "the stored folder names the home folder as well";
}

TEST_F(WindowProgramTest, WhatTheScanCouldNotExamineFollowsTheReportAndARefusal) {
  TTempFolder trees;
  std::filesystem::create_directories(trees / "src");
  std::filesystem::create_symlink(trees / "gone.jpg", trees / "src/broken.jpg");
  Control<TEdit>("dir2").SetText(trees / "t");
  Control<TEdit>("dir").SetText(trees / "src");
  user->Click(Control<TControl>("Button1"));
  ASSERT_EQ(dialogs.boxes.size(), 2u) << "the refusal for want of pictures, then the records";
  EXPECT_EQ(dialogs.boxes[1].kind, TMessageKind::Warning);
  EXPECT_EQ(dialogs.boxes[1].text,
            "The following entries could not be examined:  " + (trees / "src/broken.jpg") + " (broken link)");

  trees.Write("src/a.jpg", PictureTakenAt("2004:08:07 10:00:00"));
  Control<TEdit>("dir").SetText(trees / "src/");
  dialogs.boxes.clear();
  user->Click(Control<TControl>("Button1"));
  ASSERT_FALSE(dialogs.boxes.empty());
  EXPECT_EQ(dialogs.boxes.back().text,
            "The following entries could not be examined:  " + (trees / "src/broken.jpg") + " (broken link)");
  EXPECT_EQ(StatusText(), "1 files copied!");
}

}  // namespace
}  // namespace kalvero
