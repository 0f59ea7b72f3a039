// The hints of the pattern fields in the main window, offscreen: their text from the language in
// force, the size of the rich hint window, and when it hides.

#include <QCursor>
#include <QFontInfo>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>

#include "tests/app/window/qt/qt_window_fixture.h"
#include "ui/rich_hint/qt/rich_hint_window.h"

namespace kalvero {
namespace {

class HintTest : public WindowProgramTest {
 protected:
  // Asks for the hint of the control's widget as the pointer resting at `inside` does.
  void RestPointerOn(const char* name, QPoint inside = {10, 5}) {
    QWidget& widget = WidgetOf(*main, name);
    QHelpEvent help(QEvent::ToolTip, inside, widget.mapToGlobal(inside));
    QApplication::sendEvent(&widget, &help);
  }
  TRichHintWindow* HintWindow() const { return dynamic_cast<TRichHintWindow*>(application->HintWindow()); }
  bool HintShows() const { return HintWindow() != nullptr && HintWindow()->isVisible(); }
};

TEST_F(HintTest, TheHintFontIsTahomaAndTheTextsArialWhichIsLiberationSans) {
  const TRichHint& hint = *MainWindowRichHint(*application);
  EXPECT_EQ(QFontInfo(ToQFont(hint.HintFont())).family(), "Tahoma");
  QFont arial("ARIAL");
  arial.setPointSize(10);
  EXPECT_EQ(QFontInfo(arial).family(), "Liberation Sans");
}

// The reference: the English file-name hint measured once with these fonts, 165 x 120 (eight
// lines of 15 pixels), so the window is 181 x 124.
TEST_F(HintTest, TheEnglishFileNameHintTakesItsMeasuredSizeBelowThePointer) {
  RestPointerOn("Edit1");
  ASSERT_TRUE(HintShows());
  const QRect window = HintWindow()->geometry();
  EXPECT_NEAR(window.width(), 181, 1);
  EXPECT_NEAR(window.height(), 124, 1);
  const QPoint pointer = WidgetOf(*main, "Edit1").mapToGlobal(QPoint(10, 5));
  EXPECT_EQ(window.topLeft(), pointer + QPoint(0, TQtApplication::kPointerHeight));
}

// The window goes where the application's hint information says and has its colour, also when a
// handler after the rich hint's changed them.
TEST_F(HintTest, TheWindowTakesThePlaceAndColourTheApplicationHandsIt) {
  const TShowHintEvent window = application->OnShowHint;
  application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
    window(text, canShow, info);
    info.hintPos.x += 30;
    info.hintPos.y += 40;
    info.hintColor = clLime;
  };
  RestPointerOn("Edit1");
  ASSERT_TRUE(HintShows());
  const QPoint pointer = WidgetOf(*main, "Edit1").mapToGlobal(QPoint(10, 5));
  EXPECT_EQ(HintWindow()->geometry().topLeft(), pointer + QPoint(30, TQtApplication::kPointerHeight + 40));
  const QImage shown = HintWindow()->grab().toImage();
  // Right of the widest line, inside the border.
  EXPECT_EQ(shown.pixelColor(shown.width() - 6, shown.height() / 2), QColor(0, 255, 0));
}

TEST_F(HintTest, TheHintFollowsTheLanguageAndHidesWhenThePointerLeaves) {
  QTest::mouseClick(&WidgetOf(*main, "Image5"), Qt::LeftButton);
  std::string shown;
  const TShowHintEvent window = application->OnShowHint;
  application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
    window(text, canShow, info);
    shown = text;
  };
  RestPointerOn("Edit2");
  EXPECT_EQ(shown, main->GetText("edit2hint"));
  EXPECT_NE(shown.find("Jour"), std::string::npos) << "French: " << shown;
  EXPECT_TRUE(HintShows());
  // A Leave while the pointer is still on the field (the hint came up over it) keeps the hint; one
  // with the pointer elsewhere hides it.
  QWidget& field = WidgetOf(*main, "Edit2");
  QCursor::setPos(field.mapToGlobal(QPoint(10, 5)));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&field, &leave);
  EXPECT_TRUE(HintShows());
  QCursor::setPos(field.mapToGlobal(QPoint(10, field.height() + 5)));
  QApplication::sendEvent(&field, &leave);
  EXPECT_FALSE(HintShows());
}

// A blank ending the widest line is wider here than the room the window's text rectangle leaves
// beside that line; laid out again at that width, "Wide " would move to a line of its own and the
// last line would fall below the window.
TEST_F(HintTest, PaintBreaksTheLinesWhereTheMeasureDid) {
  application->OnShowHint = [](std::string& text, bool&, THintInfo&) {
    text = "<font size=\"40\">A Wide </font><br><font color=\"clRed\">last line</font>";
  };
  RestPointerOn("Edit1");
  ASSERT_TRUE(HintShows());
  const QImage shown = HintWindow()->grab().toImage();
  int red = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QColor pixel = shown.pixelColor(x, y);
      red += pixel.red() > 200 && pixel.green() < 100 && pixel.blue() < 100;
    }
  EXPECT_GT(red, 10) << "the last line is drawn";
}

TEST_F(HintTest, AControlWithoutHintTextShowsNone) {
  Control<TControl>("Button1").SetShowHint(true);
  RestPointerOn("Button1");
  EXPECT_FALSE(HintShows());
  RestPointerOn("Label1");
  EXPECT_FALSE(HintShows());
}

TEST_F(HintTest, AHintNearTheScreensCornerStaysTwoPixelsInside) {
  const QRect screen = WidgetOf(*main, "Edit1").screen()->geometry();
  const QPoint nearCorner = screen.bottomRight() - QPoint(20, 20);
  QHelpEvent help(QEvent::ToolTip, QPoint(10, 5), nearCorner);
  QApplication::sendEvent(&WidgetOf(*main, "Edit1"), &help);
  ASSERT_TRUE(HintShows());
  const QRect window = HintWindow()->geometry();
  EXPECT_EQ(window.right(), screen.right() - 2);
  EXPECT_EQ(window.bottom(), screen.bottom() - 2);
}

}  // namespace
}  // namespace kalvero
