// The hint of a pattern field on a real X server with a window manager, where the window system
// itself tells the field that the pointer left it: near the screen's bottom the hint comes up over
// the pointer, and it stays there until the pointer leaves the field.

#include <QProcess>
#include <QScreen>

#include "tests/app/window/qt/qt_window_fixture.h"
#include "ui/rich_hint/qt/rich_hint_window.h"

namespace kalvero {
namespace {

constexpr int kWait = 5000;  // milliseconds

class HintOnXServerTest : public WindowProgramTest {
 protected:
  // Moves the pointer as a user does, through the X server's input (xdotool over XTest): a warp
  // (QCursor::setPos) brings no motion event, and without one Qt asks for no hint.
  static void MovePointer(const QPoint& to) {
    ASSERT_EQ(QProcess::execute("xdotool", {"mousemove", QString::number(to.x()), QString::number(to.y())}),
              0);
  }
  bool HintShows() const {
    const auto* hint = dynamic_cast<TRichHintWindow*>(application->HintWindow());
    return hint != nullptr && hint->isVisible();
  }
  QRect HintGeometry() const { return dynamic_cast<TRichHintWindow&>(*application->HintWindow()).geometry(); }
};

TEST_F(HintOnXServerTest, AHintOverThePointerStaysUntilThePointerLeavesTheField) {
  QWidget& window = main->Widget();
  QWidget& field = WidgetOf(*main, "Edit1");
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  // The field's bottom 8 pixels above the screen's: the hint below the pointer would reach past it.
  const QRect screen = field.screen()->geometry();
  const int fieldBottom = field.mapToGlobal(QPoint(0, field.height())).y() - window.frameGeometry().y();
  window.move(window.frameGeometry().x(), screen.bottom() - 8 - fieldBottom);
  ASSERT_TRUE(QTest::qWaitFor([&] { return field.mapToGlobal(QPoint(0, field.height())).y() > screen.bottom() - 20; },
                              kWait))
      << "the window manager kept the window away from the screen's bottom";

  const QPoint pointer = field.mapToGlobal(QPoint(20, field.height() / 2));
  MovePointer(pointer - QPoint(1, 0));
  MovePointer(pointer);
  ASSERT_TRUE(QTest::qWaitFor([&] { return HintShows(); }, kWait)) << "the hint never showed, or went at once";
  EXPECT_TRUE(HintGeometry().contains(pointer)) << "the hint moved up over the pointer";
  QTest::qWait(1000);
  EXPECT_TRUE(HintShows()) << "the hint stays while the pointer is on the field under it";

  const QPoint away = window.mapToGlobal(QPoint(20, 20));
  ASSERT_FALSE(HintGeometry().contains(away));
  MovePointer(away);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !HintShows(); }, kWait)) << "the hint goes once the pointer left the field";
}

}  // namespace
}  // namespace kalvero
