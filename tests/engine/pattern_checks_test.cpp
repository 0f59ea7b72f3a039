#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/sort_engine.h"
#include "platform/memory_file_system.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_host.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});
TMemoryFileSystem fileSystem;

struct TCheckCase {
  std::string name;
  std::string pattern;
  bool cb2;
  std::string dir, dir2, label5;
  TMessageAnswer answer;
  bool expected;
  // The box shown, as the keys of its lines, or empty when none is shown.
  std::vector<std::string> keys;
  TMessageKind kind = TMessageKind::Error;
};

const std::vector<TCheckCase> kCheckCases = {
    {"NoTokensAtAll", "Bild", false, "s", "t", "5", TMessageAnswer::Ok, false, {"msgError1/1", "msgError1/2"}},
    {"OnlyTwoTimeTokens", "HH NN", false, "s", "t", "5", TMessageAnswer::Ok, false, {"msgError1/1", "msgError1/2"}},
    {"LowerCaseTokensDoNotCount", "hhnnss fff", false, "s", "t", "5", TMessageAnswer::Ok, false, {"msgError1/1", "msgError1/2"}},
    {"NumberAndTimeTogether", "HH-NN-SS FFF", false, "s", "t", "5", TMessageAnswer::Ok, false, {"msgError2/1", "msgError2/2"}},
    {"NumberWithDateFoldersBeforeFolderCheck", "FFF", true, "", "", "5", TMessageAnswer::Ok, false, {"msgError3/1", "msgError3/2"}},
    {"EmptySource", "FFF", false, "", "t", "5", TMessageAnswer::Ok, false, {"msgErrorPath"}},
    {"EmptyTarget", "HHNNSS", true, "s", "", "5", TMessageAnswer::Ok, false, {"msgErrorPath"}},
    {"NoPicturesFound", "FFF", false, "s", "t", "0", TMessageAnswer::Ok, false, {"msgErrorNoPics"}},
    {"NoScanYetPasses", "FFF", false, "s", "t", "", TMessageAnswer::Ok, true, {}},
    {"CountStartingWithZeroIsNotZero", "FFF", false, "s", "t", "00", TMessageAnswer::Ok, true, {}},
    {"DateFoldersPass", "HHNNSS", true, "s", "t", "5", TMessageAnswer::Ok, true, {}},
    {"LowerCaseDateIsNumberedOnly", "dd.mm.yyyy FFF", false, "s", "t", "5", TMessageAnswer::Ok, true, {}},
    {"FullDateAndTimePasses", "YYYYMMDD_HHNNSS", false, "s", "t", "5", TMessageAnswer::Ok, true, {}},
    {"TimeOnlyAsksAndYesGoesOn", "HHNNSS", false, "s", "t", "5", TMessageAnswer::Yes, true,
     {"msgOverwrite1/2", "msgOverwrite2/2"}, TMessageKind::Warning},
    {"TimeOnlyAsksAndCancelStops", "HHNNSS", false, "s", "t", "5", TMessageAnswer::Cancel, false,
     {"msgOverwrite1/2", "msgOverwrite2/2"}, TMessageKind::Warning},
    {"DateWithoutYearAsks", "DD.MM HHNNSS", false, "s", "t", "5", TMessageAnswer::Cancel, false,
     {"msgOverwrite1/2", "msgOverwrite2/2"}, TMessageKind::Warning},
};

class CheckInputTest : public testing::TestWithParam<std::tuple<TCheckCase, std::string>> {};

TEST_P(CheckInputTest, ShowsTheFirstFailingChecksMessage) {
  const auto& [c, language] = GetParam();
  TRecordingHost host(language);
  host.cb2 = c.cb2;
  host.dir = c.dir;
  host.dir2 = c.dir2;
  host.label5 = c.label5;
  host.answer = c.answer;
  TSortEngine engine(host, fileSystem, kClock);

  EXPECT_EQ(engine.CheckInput(c.pattern), c.expected);

  if (c.keys.empty()) {
    EXPECT_TRUE(host.messages.empty());
    return;
  }
  ASSERT_EQ(host.messages.size(), 1u);
  std::string text = host.GetText(c.keys[0]);
  if (c.keys.size() == 2) text += "\r\n" + host.GetText(c.keys[1]);
  EXPECT_FALSE(host.GetText(c.keys[0]).empty());
  EXPECT_EQ(host.messages[0].text, text);
  EXPECT_EQ(host.messages[0].kind, c.kind);
  EXPECT_EQ(host.messages[0].buttons,
            c.kind == TMessageKind::Warning ? TMessageButtons::YesCancel : TMessageButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CheckInputTest,
    testing::Combine(testing::ValuesIn(kCheckCases), testing::Values("German", "English")),
    [](const auto& row) { return std::get<0>(row.param).name + "_" + std::get<1>(row.param); });

TEST(CheckInput, ShowsTheGermanAndEnglishTextsOfTheFirstCheck) {
  TRecordingHost german("German");
  TSortEngine(german, fileSystem, kClock).CheckInput("Bild");
  EXPECT_EQ(german.messages.at(0).text,
            "Die Parameter FFF (fortlaufende Sortierung) bzw. HHNNSS (Sortierung nach Uhrzeit)\r\n"
            "wurden nicht gefunden! Eine fortlaufende Sortierung kann nicht erstellt werden.");
  TRecordingHost english("English");
  TSortEngine(english, fileSystem, kClock).CheckInput("Bild");
  EXPECT_EQ(english.messages.at(0).text,
            "The parameters FFF (sequential assortment) and/or HHNNSS (assortment after time)\r\n"
            "were not found! A sequential assortment cannot be provided.");
}

TEST(CheckInput, UnknownLanguageShowsEmptyLines) {
  TRecordingHost host("Klingon");
  TSortEngine(host, fileSystem, kClock).CheckInput("Bild");
  EXPECT_EQ(host.messages.at(0).text, "\r\n");
}

TEST(Edit2Exit, IncompleteFolderPatternShowsErrorAndKeepsFocus) {
  TRecordingHost host("English");
  host.edit2 = "MM-YYYY";
  TSortEngine(host, fileSystem, kClock).Edit2Exit();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "The following parameters must be set in: DDMMYYYY!");
  EXPECT_EQ(host.messages[0].kind, TMessageKind::Error);
  EXPECT_EQ(host.edit2Focused, 1);
}

TEST(Edit2Exit, CompleteFolderPatternPassesSilently) {
  TRecordingHost host;
  host.edit2 = "DDMMYYYY";
  TSortEngine(host, fileSystem, kClock).Edit2Exit();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.edit2Focused, 0);
}

TEST(Edit1Change, PreviewFollowsTheFieldsOfTheHost) {
  TRecordingHost host;
  TSortEngine engine(host, fileSystem, kClock);
  engine.Edit1Change();
  EXPECT_EQ(host.label9, "2004.08.07 / 07.08.2004 - 16.45.33.jpg");
  host.cb2 = false;
  host.edit1 = "Urlaub FFF";
  host.label5 = "12";
  engine.Edit1Change();
  EXPECT_EQ(host.label9, "Urlaub 01.jpg");
}

TEST(SortEngineSequenceNumber, WidthIsTheLengthOfTheFilesFoundCaption) {
  TRecordingHost host;
  TSortEngine engine(host, fileSystem, kClock);
  host.label5 = "9";
  EXPECT_EQ(engine.FormatSequenceNumber(0), "0");
  host.label5 = "10";
  EXPECT_EQ(engine.FormatSequenceNumber(9), "09");
  host.label5 = "150";
  EXPECT_EQ(engine.FormatSequenceNumber(7), "007");
}

}  // namespace
}  // namespace kalvero
