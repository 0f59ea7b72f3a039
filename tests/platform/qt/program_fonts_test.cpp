// Fonts are added to a process for good, so each row runs in a child process of this test binary
// that starts from a fresh font state: the child runs the same row with the font folder named in
// an environment variable.

#include "platform/qt/program_fonts.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>

namespace kalvero {
namespace {

constexpr const char* kChildFontFolder = "KALVERO_TEST_FONT_FOLDER";

struct TFontCase {
  std::string name;
  bool wineFonts;  // the child's folder holds the wine fonts, or is empty
  const char* family;
  bool bold;
  const char* resolvedFamily;
};

void PrintTo(const TFontCase& row, std::ostream* out) { *out << row.name; }

const TFontCase kFontCases[] = {
    {"Tahoma", true, "Tahoma", false, "Tahoma"},
    {"TahomaBold", true, "Tahoma", true, "Tahoma"},
    {"ArialInCapitals", true, "ARIAL", false, "Liberation Sans"},
    {"TahomaWithoutWineFonts", false, "Tahoma", false, "Liberation Sans"},
    {"TahomaBoldWithoutWineFonts", false, "Tahoma", true, "Liberation Sans"},
    {"ArialWithoutWineFonts", false, "ARIAL", false, "Liberation Sans"},
};

// The ink of `label` as it shows: the sum of how dark each pixel is, in pixels of full black.
double Ink(QLabel& label) {
  const QImage image = label.grab().toImage();
  double ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += 255 - qGray(image.pixel(x, y));
  return ink / 255;
}

// The child: what the row's family resolves to at the windows' 11 pixels, after AddProgramFonts;
// for a bold row, that a bold label looks bold beside a regular one and keeps about its width.
void ExpectResolvedFamily(const TFontCase& row, const std::string& fontFolder) {
  AddProgramFonts(fontFolder);
  QFont font(QString::fromUtf8(row.family));
  font.setPixelSize(11);
  EXPECT_EQ(QFontInfo(font).family().toStdString(), row.resolvedFamily);
  if (!row.bold) return;
  QLabel regular(QStringLiteral("YYYY DD.MM.YYYY Urlaub 2004 - FFF"));
  QLabel bold(regular.text());
  regular.setFont(font);
  font.setBold(true);
  bold.setFont(WithBoldSpacing(font));
  EXPECT_EQ(QFontInfo(bold.font()).family().toStdString(), row.resolvedFamily);
  // Tahoma's thin bold outlines give about 3 % more ink, a bold that looks bold about 35 %.
  EXPECT_GT(Ink(bold), 1.2 * Ink(regular));
  // A real Tahoma Bold is about 12 % wider than the regular face; the captions are laid out for it.
  const int regularWidth = regular.sizeHint().width();
  EXPECT_GE(bold.sizeHint().width(), regularWidth);
  EXPECT_LE(bold.sizeHint().width(), regularWidth * 115 / 100);
}

// Runs this test again in a fresh process whose AddProgramFonts reads `fontFolder`.
void RunInChild(const std::string& fontFolder) {
  const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* gtestControl : {"GTEST_OUTPUT", "GTEST_SHARD_INDEX", "GTEST_TOTAL_SHARDS"})
    environment.remove(QString::fromLatin1(gtestControl));
  environment.insert(QString::fromLatin1(kChildFontFolder), QString::fromStdString(fontFolder));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
  QProcess child;
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=%1.%2").arg(test.test_suite_name(), test.name())});
  ASSERT_TRUE(child.waitForFinished(60000));
  const std::string output = child.readAll().toStdString();
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
  EXPECT_EQ(child.exitCode(), 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}

class TProgramFonts : public testing::TestWithParam<TFontCase> {};

TEST_P(TProgramFonts, ResolvesToTahomaOrLiberationSansWithABoldThatLooksBold) {
  const TFontCase& row = GetParam();
  if (const char* childFolder = std::getenv(kChildFontFolder)) {
    ExpectResolvedFamily(row, childFolder);
    return;
  }
  if (row.wineFonts && !std::filesystem::exists(std::string(kWineFontFolder) + "/tahoma.ttf"))
    GTEST_SKIP() << "fonts-wine is not installed";
  const TTempFolder empty;
  RunInChild(row.wineFonts ? kWineFontFolder : empty.Path());
}

INSTANTIATE_TEST_SUITE_P(Rows, TProgramFonts, testing::ValuesIn(kFontCases), TCaseName());

}  // namespace
}  // namespace kalvero
