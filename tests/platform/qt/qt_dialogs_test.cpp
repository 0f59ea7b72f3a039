// Drives the real message boxes: each test acts on the box from inside its own modal loop.

#include "platform/qt/qt_dialogs.h"
#include "tests/support/case_name.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace kalvero {
namespace {

using TBoxAction = std::function<void(QMessageBox&)>;

// Shows a box and runs `act` on it once the box's own loop runs; a box that `act` leaves open is
// closed after a while, failing the test.
TMessageAnswer ShowAndAct(TQtDialogs& dialogs, TMessageKind kind, const std::string& caption, const std::string& text,
                          TMessageButtons buttons, const TBoxAction& act) {
  bool found = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    found = box != nullptr;
    if (box == nullptr) return;
    QTimer::singleShot(5000, box, [box] {
      ADD_FAILURE() << "the box stayed open";
      box->done(0);
    });
    act(*box);
  });
  const TMessageAnswer answer = dialogs.ShowMessageBox(kind, caption, text, buttons);
  EXPECT_TRUE(found) << "no modal message box";
  return answer;
}

QPushButton* ButtonLabelled(QMessageBox& box, const char* text) {
  for (QAbstractButton* button : box.buttons())
    if (button->text() == QString::fromUtf8(text)) return qobject_cast<QPushButton*>(button);
  return nullptr;
}

// ---- Title, icon and buttons of each kind of box.

struct TAppearanceCase {
  std::string name;
  TMessageKind kind;
  std::string caption;
  TMessageButtons buttons;
  std::string title;
  QMessageBox::Icon icon;
  std::vector<std::string> buttonTexts;  // the default button's first, the escape button's last
};

void PrintTo(const TAppearanceCase& row, std::ostream* out) { *out << row.name; }

const TAppearanceCase kAppearanceCases[] = {
    {"Warning", TMessageKind::Warning, "", TMessageButtons::Ok, "Warnung", QMessageBox::Warning, {"OK"}},
    {"Error", TMessageKind::Error, "", TMessageButtons::Ok, "Fehler", QMessageBox::Critical, {"OK"}},
    {"Information", TMessageKind::Information, "", TMessageButtons::Ok, "Informationen", QMessageBox::Information,
     {"OK"}},
    {"Confirmation", TMessageKind::Confirmation, "", TMessageButtons::YesCancel, "Best\xC3\xA4tigen",
     QMessageBox::Question, {"&Ja", "Abbrechen"}},
    {"GivenUtf8Caption", TMessageKind::Warning, "Gr\xC3\xB6\xC3\x9F" "e", TMessageButtons::YesCancel,
     "Gr\xC3\xB6\xC3\x9F" "e", QMessageBox::Warning, {"&Ja", "Abbrechen"}},
};

class TQtDialogsAppearance : public testing::TestWithParam<TAppearanceCase> {};

TEST_P(TQtDialogsAppearance, ShowsTitleIconAndGermanButtons) {
  const TAppearanceCase& row = GetParam();
  TQtDialogs dialogs;
  ShowAndAct(dialogs, row.kind, row.caption, "Text", row.buttons, [&](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle().toStdString(), row.title);
    EXPECT_EQ(box.icon(), row.icon);
    EXPECT_EQ(static_cast<std::size_t>(box.buttons().size()), row.buttonTexts.size());
    ASSERT_NE(box.defaultButton(), nullptr);
    ASSERT_NE(box.escapeButton(), nullptr);
    EXPECT_EQ(box.defaultButton()->text().toStdString(), row.buttonTexts.front());
    EXPECT_EQ(box.escapeButton()->text().toStdString(), row.buttonTexts.back());
    box.escapeButton()->click();
  });
}

INSTANTIATE_TEST_SUITE_P(Kinds, TQtDialogsAppearance, testing::ValuesIn(kAppearanceCases), TCaseName());

// ---- Answers to each way of closing a box, in the short and the scrollable form.

enum class TClose { ClickYes, ClickCancel, ClickOk, Enter, Escape, CloseBox, EnterInTextArea };

struct TAnswerCase {
  std::string name;
  TMessageButtons buttons;
  bool longText;
  TClose close;
  TMessageAnswer answer;
};

void PrintTo(const TAnswerCase& row, std::ostream* out) { *out << row.name; }

const TAnswerCase kAnswerCases[] = {
    {"OkClicked", TMessageButtons::Ok, false, TClose::ClickOk, TMessageAnswer::Ok},
    {"OkByEnter", TMessageButtons::Ok, false, TClose::Enter, TMessageAnswer::Ok},
    {"OkByEscape", TMessageButtons::Ok, false, TClose::Escape, TMessageAnswer::Ok},
    {"OkByCloseBox", TMessageButtons::Ok, false, TClose::CloseBox, TMessageAnswer::Ok},
    {"YesClicked", TMessageButtons::YesCancel, false, TClose::ClickYes, TMessageAnswer::Yes},
    {"CancelClicked", TMessageButtons::YesCancel, false, TClose::ClickCancel, TMessageAnswer::Cancel},
    {"YesByEnter", TMessageButtons::YesCancel, false, TClose::Enter, TMessageAnswer::Yes},
    {"CancelByEscape", TMessageButtons::YesCancel, false, TClose::Escape, TMessageAnswer::Cancel},
    {"CancelByCloseBox", TMessageButtons::YesCancel, false, TClose::CloseBox, TMessageAnswer::Cancel},
    {"LongOkByEnter", TMessageButtons::Ok, true, TClose::Enter, TMessageAnswer::Ok},
    {"LongOkByEscape", TMessageButtons::Ok, true, TClose::Escape, TMessageAnswer::Ok},
    {"LongYesByEnter", TMessageButtons::YesCancel, true, TClose::Enter, TMessageAnswer::Yes},
    {"LongCancelByEscape", TMessageButtons::YesCancel, true, TClose::Escape, TMessageAnswer::Cancel},
    {"LongYesByEnterInTextArea", TMessageButtons::YesCancel, true, TClose::EnterInTextArea, TMessageAnswer::Yes},
    {"LongCancelByCloseBox", TMessageButtons::YesCancel, true, TClose::CloseBox, TMessageAnswer::Cancel},
};

void Close(QMessageBox& box, TClose close) {
  switch (close) {
    case TClose::ClickYes: QTest::mouseClick(ButtonLabelled(box, "&Ja"), Qt::LeftButton); return;
    case TClose::ClickCancel: QTest::mouseClick(ButtonLabelled(box, "Abbrechen"), Qt::LeftButton); return;
    case TClose::ClickOk: QTest::mouseClick(ButtonLabelled(box, "OK"), Qt::LeftButton); return;
    case TClose::Enter: QTest::keyClick(box.focusWidget(), Qt::Key_Return); return;
    case TClose::Escape: QTest::keyClick(box.focusWidget(), Qt::Key_Escape); return;
    case TClose::CloseBox: box.close(); return;
    case TClose::EnterInTextArea: {
      auto* area = box.findChild<QPlainTextEdit*>();
      area->setFocus();
      QTest::keyClick(area, Qt::Key_Return);
      return;
    }
  }
}

class TQtDialogsAnswer : public testing::TestWithParam<TAnswerCase> {};

TEST_P(TQtDialogsAnswer, AnswersTheWayTheBoxWasClosed) {
  const TAnswerCase& row = GetParam();
  const std::string text = row.longText ? std::string(2000, 'x') : "Kurz.";
  TQtDialogs dialogs;
  const TMessageAnswer answer =
      ShowAndAct(dialogs, TMessageKind::Confirmation, "", text, row.buttons, [&](QMessageBox& box) {
        EXPECT_EQ(box.findChild<QPlainTextEdit*>() != nullptr, row.longText);
        EXPECT_EQ(box.focusWidget(), box.defaultButton()) << "Enter must reach the default button";
        Close(box, row.close);
      });
  EXPECT_EQ(answer, row.answer);
}

INSTANTIATE_TEST_SUITE_P(Closes, TQtDialogsAnswer, testing::ValuesIn(kAnswerCases), TCaseName());

// ---- Where the text is shown, and that the box fits on the screen.

// `count` paths of a report list, as long as real ones.
std::string PathList(int count, const std::string& separator) {
  std::string list;
  for (int i = 0; i < count; ++i)
    list += (i ? separator : "") + std::string("/home/anwender/Bilder/Urlaub_2023/Tag_") + std::to_string(i % 30) +
            "/IMG_" + std::to_string(100000 + i) + ".JPG";
  return list;
}

std::string Lines(int count) {
  std::string text = "Zeile";
  for (int i = 1; i < count; ++i) text += "\r\nZeile";
  return text;
}

// `size` characters of short words.
std::string Words(std::size_t size) {
  std::string text;
  while (text.size() < size) text += "Wort ";
  return text.substr(0, size);
}

struct TTextCase {
  std::string name;
  std::string text;
  bool scrollable;
  bool wraps;  // a label line is wider than three quarters of the screen
};

void PrintTo(const TTextCase& row, std::ostream* out) { *out << row.name; }

const std::vector<TTextCase>& TextCases() {
  static const std::vector<TTextCase> cases = {
      {"ShortText", "Der Ordner fehlt.", false, false},
      {"CrLfLineBreaks", "Erste Zeile\r\nZweite Zeile", false, false},
      {"WiderThanHalfTheScreenBreaksOnlyAtItsLineBreaks",
       "Die Dateien werden nur nach Uhrzeit sortiert. Bedenken Sie, dass Dateien mit\r\ngleichen Dateinamen ggf. "
       "\xC3\xBC" "berschrieben werden. Sortierung trotzdem starten?",
       false, false},
      {"TwelveLines", Lines(12), false, false},
      {"ThirteenLines", Lines(13), true, false},
      {"EightHundredCharacters", Words(800), false, true},
      {"EightHundredAndOneCharacters", Words(801), true, false},
      {"PathsWithoutSpacesBreakAtSlashes", PathList(8, ","), false, true},
      {"FileNameWiderThanHalfTheScreen", std::string(400, 'a') + ".jpg", true, false},
      {"TwentyThousandPaths", "Nicht kopiert:\r\n" + PathList(20000, ", "), true, false},
  };
  return cases;
}

class TQtDialogsText : public testing::TestWithParam<TTextCase> {};

TEST_P(TQtDialogsText, ShowsWholeTextInBoxThatFitsTheScreen) {
  const TTextCase& row = GetParam();
  const QString shown = MessageBoxText(row.text);
  ASSERT_EQ(shown.contains(u'\r'), false);
  TQtDialogs dialogs;
  ShowAndAct(dialogs, TMessageKind::Information, "", row.text, TMessageButtons::Ok, [&](QMessageBox& box) {
    const QRect screen = box.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(box.frameGeometry())) << "box " << box.frameGeometry().width() << "x"
                                                      << box.frameGeometry().height();
    auto* area = box.findChild<QPlainTextEdit*>();
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_EQ(area != nullptr, row.scrollable);
    if (row.scrollable) {
      EXPECT_TRUE(area->isVisible() && area->isReadOnly());
      EXPECT_TRUE(area->textInteractionFlags() & Qt::TextSelectableByMouse);
      EXPECT_GE(area->width(), 40 * area->fontMetrics().averageCharWidth());
      EXPECT_TRUE(area->toPlainText() == shown) << "the text area lost part of the text";
      EXPECT_FALSE(label != nullptr && label->isVisible());
    } else {
      EXPECT_TRUE(box.text() == shown);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->wordWrap(), row.wraps);
      const QStringList lines = shown.split(u'\n');
      if (row.wraps) EXPECT_EQ(label->width(), screen.width() * 3 / 4);
      else EXPECT_LT(label->height(), (lines.size() + 1) * label->fontMetrics().lineSpacing()) << "a line was broken";
    }
    box.escapeButton()->click();
  });
}

INSTANTIATE_TEST_SUITE_P(Texts, TQtDialogsText, testing::ValuesIn(TextCases()), TCaseName());

// ---- The owner of the boxes.

TEST(TQtDialogsOwner, BoxBelongsToOwnerWhileItLivesAndShowsItsFont) {
  TQtDialogs dialogs;
  auto owner = std::make_unique<QWidget>();
  QFont windowsFont(QStringLiteral("Liberation Sans"));
  windowsFont.setPixelSize(11);
  owner->setFont(windowsFont);
  dialogs.SetOwner(owner.get());
  QWidget* parent = nullptr;
  QFont labelFont;
  const TBoxAction noteParent = [&](QMessageBox& box) {
    parent = box.parentWidget();
    labelFont = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font();
    box.escapeButton()->click();
  };
  ShowAndAct(dialogs, TMessageKind::Warning, "", "Text", TMessageButtons::Ok, noteParent);
  EXPECT_EQ(parent, owner.get());
  EXPECT_EQ(labelFont, windowsFont);
  const QWidget* destroyed = owner.get();
  owner.reset();
  ShowAndAct(dialogs, TMessageKind::Warning, "", "Text", TMessageButtons::Ok, noteParent);
  EXPECT_NE(parent, destroyed);
  EXPECT_EQ(parent, QApplication::activeWindow());
}

// ---- The busy cursor.

struct TCursorCase {
  std::string name;
  bool foreignCursor;      // another part of the program has its own override cursor set first
  std::vector<bool> calls;  // the SetBusyCursor calls, in order
};

void PrintTo(const TCursorCase& row, std::ostream* out) { *out << row.name; }

const TCursorCase kCursorCases[] = {
    {"RepeatedBusyThenOneNormal", false, {true, true, true, false}},
    {"NormalWhileNotBusy", true, {false, false}},
    {"BusyOverForeignCursor", true, {true, true, false}},
    {"BusyAgainAfterNormal", false, {true, false, true, true, false}},
    {"DestroyedWhileBusy", false, {true, true}},
    {"DestroyedWhileBusyOverForeignCursor", true, {true}},
};

Qt::CursorShape OverrideShape() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::BitmapCursor;  // BitmapCursor: none set
}

class TQtDialogsBusyCursor : public testing::TestWithParam<TCursorCase> {};

TEST_P(TQtDialogsBusyCursor, NeverStacksOrUnbalancesOverrideCursors) {
  const TCursorCase& row = GetParam();
  if (row.foreignCursor) QGuiApplication::setOverrideCursor(Qt::CrossCursor);
  const Qt::CursorShape beneath = row.foreignCursor ? Qt::CrossCursor : Qt::BitmapCursor;
  {
    TQtDialogs dialogs;
    for (const bool busy : row.calls) dialogs.SetBusyCursor(busy);
    EXPECT_EQ(OverrideShape(), row.calls.back() ? Qt::WaitCursor : beneath);
  }
  EXPECT_EQ(OverrideShape(), beneath);
  while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
}

INSTANTIATE_TEST_SUITE_P(Calls, TQtDialogsBusyCursor, testing::ValuesIn(kCursorCases), TCaseName());

}  // namespace
}  // namespace kalvero
