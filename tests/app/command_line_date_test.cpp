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
  EXPECT_NE(help.out.find("kalvero sort SOURCE TARGET [options]"), std::string::npos);
  EXPECT_EQ(Kalvero({"frobnicate"}).exitStatus, 2);
  const auto noFiles = Kalvero({"date"});
  EXPECT_EQ(noFiles.exitStatus, 2);
  EXPECT_NE(noFiles.err.find("date needs at least one FILE"), std::string::npos);
}

TEST_F(CommandLineTest, WithoutCommandItStartsTheWindowProgramOrSaysWhyNot) {
  const auto result = Kalvero({});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.err.find("cannot start the window program"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace kalvero
