#include "tests/app/command_line_test.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

TEST_F(CommandLineTest, DatePrintsOneLinePerArgumentInOrder) {
  work.Write("a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  work.Write("plain.jpg", PictureTakenAt(""));
  work.MakeFolder("folder.jpg");
  const auto result = Kalvero({"date", "a.jpg", "missing.jpg", "folder.jpg", "plain.jpg", "a.jpg"});
  EXPECT_EQ(result.out, "2004:08:07 16:45:33\ta.jpg\n\tmissing.jpg\n\tfolder.jpg\n\tplain.jpg\n"
                        "2004:08:07 16:45:33\ta.jpg\n");
  EXPECT_EQ(result.exitStatus, 1) << "an argument does not exist";
  EXPECT_EQ(Kalvero({"date", "a.jpg"}).exitStatus, 0);
}

// Raw files, HEIF pictures and videos are dated by their own readers, whatever the letter case of
// their extension; one whose header is not that of its kind is named on standard error with why.
TEST_F(CommandLineTest, DateReadsFilesBesideThePicturesAndNamesThoseNotOfTheirKind) {
  work.Write("a.DNG", CameraTiff(false));
  work.Write("b.pef", CameraTiff(true));
  work.Write("c.cr2", "hello, no raw file");
  work.Write("d.HEIC", FileBytes(std::string(KALVERO_MEDIA_DIR) + "/picture.heic"));
  work.Write("e.mov", FileBytes(std::string(KALVERO_MEDIA_DIR) + "/keys.mov"));
  work.Write("f.mp4", "hello, no movie");
  const auto result = Kalvero({"date", "a.DNG", "b.pef", "c.cr2", "d.HEIC", "e.mov", "f.mp4"});
  EXPECT_EQ(result.out, "2009:05:23 14:30:01\ta.DNG\n2009:05:23 14:30:01\tb.pef\n\tc.cr2\n"
                        "2019:06:15 10:20:30\td.HEIC\n2022:12:24 18:45:00\te.mov\n\tf.mp4\n");
  EXPECT_EQ(result.err, "c.cr2: no TIFF header\nf.mp4: no movie boxes\n");
  EXPECT_EQ(result.exitStatus, 1);
}

TEST_F(CommandLineTest, ExifPrintsWhatTheReaderFound) {
  work.Write("camera.jpg", JpegFile({ExifSegment(CameraTiff(true))}));
  const auto result = Kalvero({"exif", "camera.jpg", "missing.jpg"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.out.find("File: camera.jpg\nExif found: yes\nStatus: <none>\nDate: 2009:05:23 14:30:01\n"
                            "Make: Vandrel\nModel: Model 7\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("File: missing.jpg\nExif found: no\nStatus: \n"), std::string::npos) << result.out;
}

TEST_F(CommandLineTest, HelpAndUsageErrors) {
  const auto help = Kalvero({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("kalvero sort [options] [--] [SOURCE TARGET]"), std::string::npos);
  EXPECT_EQ(Kalvero({"frobnicate"}).exitStatus, 2);
  const auto noFiles = Kalvero({"date"});
  EXPECT_EQ(noFiles.exitStatus, 2);
  EXPECT_NE(noFiles.err.find("date needs at least one FILE"), std::string::npos);
}

// Without a command `kalvero` starts the window program beside it, which says in one line when
// there is no display, and with one shows its window (here Qt's offscreen platform, ended by the
// first-paint switch).
TEST_F(CommandLineTest, WithoutCommandItStartsTheWindowProgramOrSaysWhyNot) {
  auto environment = Environment();
  environment.insert({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
  const auto blind = RunProgram({KALVERO_PROGRAM}, work.Path(), environment);
  EXPECT_EQ(blind.exitStatus, 1);
  EXPECT_EQ(blind.err,
            "kalvero-window: there is no display to show the window on; the command line works without one "
            "(kalvero --help).\n");
  environment["QT_QPA_PLATFORM"] = "offscreen";
  environment["KALVERO_EXIT_AFTER_FIRST_PAINT"] = "1";
  const auto shown = RunProgram({KALVERO_PROGRAM}, work.Path(), environment);
  EXPECT_EQ(shown.exitStatus, 0) << shown.err;
  EXPECT_GT(std::stod(shown.out), 0.0) << "the monotonic clock at the first paint";
}

}  // namespace
}  // namespace kalvero
