// The rich hint component without a display: where it may live, its show-hint notification, and
// how its window is held on the monitor.

#include <gtest/gtest.h>

#include "components/forms.h"
#include "tests/support/case_name.h"
#include "ui/rich_hint/rich_hint.h"

namespace kalvero {
namespace {

TEST(RichHint, LivesOnlyOnAWindowAndOnlyOnceThere) {
  TApplication application;
  TForm& window = application.CreateComponent<TForm>("Form1");
  TRichHint& hint = window.CreateComponent<TRichHint>("RichHint1");
  try {
    window.CreateComponent<TRichHint>("RichHint2");
    FAIL() << "a second rich hint was accepted";
  } catch (const ERichHintError& error) {
    EXPECT_STREQ(error.what(), "Only one instance of TRichHint allowed on form");
  }
  try {
    application.CreateComponent<TComponent>("Holder").CreateComponent<TRichHint>("Orphan");
    FAIL() << "a rich hint outside a window was accepted";
  } catch (const ERichHintError& error) {
    EXPECT_STREQ(error.what(), "Control parent must be a form!");
  }
  EXPECT_EQ(MainWindowRichHint(application), &hint);
  EXPECT_TRUE(application.OnShowHint) << "the refused ones did not take the notification away";
}

TEST(RichHint, TakesPartInEveryHintInItsThreeSteps) {
  TApplication application;
  TForm& window = application.CreateComponent<TForm>("Form1");
  TRichHint& hint = window.CreateComponent<TRichHint>("RichHint1");
  hint.SetHintColor(clYellow);
  std::vector<std::string> seen;
  hint.OnShowHint = [&seen](std::string& text, bool&, THintInfo& info) {
    seen.push_back(text + " " + std::to_string(info.hintMaxWidth));
    text = "<b>DD</b>";
  };
  std::string text = "plain";
  bool canShow = true;
  THintInfo info;
  info.hintMaxWidth = 1024;
  application.OnShowHint(text, canShow, info);
  EXPECT_EQ(seen, std::vector<std::string>{"plain 1024"}) << "no maximum width of its own: the application's";
  EXPECT_EQ(text, "<b>DD</b>");
  EXPECT_EQ(info.hintColor, clYellow);
  hint.SetMaxWidth(300);
  application.OnShowHint(text, canShow, info);
  EXPECT_EQ(seen.back(), "<b>DD</b> 300");
  EXPECT_EQ(info.hintMaxWidth, 300);
  window.DestroyComponent(hint);
  EXPECT_FALSE(application.OnShowHint) << "a rich hint gone is never called";
}

TEST(RichHint, StartsWithItsDocumentedValues) {
  TRichHint hint;
  EXPECT_FALSE(hint.Ellipsis());
  EXPECT_EQ(hint.HintColor(), clInfoBk);
  EXPECT_EQ(hint.HintColorTo(), clNone);
  EXPECT_EQ(hint.HintFont().Name(), "Tahoma");
  EXPECT_EQ(hint.HintFont().Color(), clInfoText);
  EXPECT_EQ(hint.HintStyle(), THintStyle::hsRectangle);
  EXPECT_EQ(hint.ShadowColor(), RgbColor(128, 128, 128));
  EXPECT_EQ(hint.ShadowOffset(), 1);
  EXPECT_EQ(hint.URLColor(), clBlack);
  EXPECT_EQ(std::vector<int>({hint.MaxWidth(), hint.XMargin(), hint.YMargin()}), std::vector<int>({0, 0, 0}));
}

struct TMonitorCase {
  std::string name;
  TRect window;
  TPoint expected;
};

// A 181 x 124 hint on a 1024 x 768 monitor.
const std::vector<TMonitorCase> kMonitorCases = {
    {"Inside", {100, 100, 281, 224}, {100, 100}},
    {"PastTheRightEdge", {900, 100, 1081, 224}, {841, 100}},
    {"PastTheBottomEdge", {100, 700, 281, 824}, {100, 642}},
    {"PastBoth", {1000, 760, 1181, 884}, {841, 642}},
    {"EndingExactlyAtTheEdgeStays", {843, 644, 1024, 768}, {843, 644}},
};

class HintOnMonitorTest : public testing::TestWithParam<TMonitorCase> {};

TEST_P(HintOnMonitorTest, EndsTwoPixelsInsideWhereItWouldReachPast) {
  EXPECT_EQ(KeepHintOnMonitor(GetParam().window, {0, 0, 1024, 768}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Monitor, HintOnMonitorTest, testing::ValuesIn(kMonitorCases), TCaseName());

}  // namespace
}  // namespace kalvero
