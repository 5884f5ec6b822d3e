// The messages of a cast: message boxes when a person is there, standard
// error and an immediate give-up when nobody is.
#include <gtest/gtest.h>

#include <cerrno>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <sstream>

#include "app/main_window.h"
#include "app/print_step.h"
#include "app/qt_user_interface.h"
#include "app/scripted_ui.h"

namespace vesprin {
namespace {

// Runs `answer` on the message box once it is open.
void whenBoxOpens(std::function<void(QMessageBox&)> answer) {
  QTimer::singleShot(0, [answer] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return answer(*box);
    ADD_FAILURE() << "no message box open";
  });
}

QAbstractButton* button(QMessageBox& box, QMessageBox::StandardButton which) { return box.button(which); }

TEST(user_interface_test, message_boxes_answer_as_clicked) {
  MainWindow window;
  QtUserInterface ui(window);
  struct Case {
    const char* what;
    PromptButtons buttons;
    std::function<void(QMessageBox&)> answer;
    bool again;
  };
  const Case cases[] = {
      {"Yes searches again", PromptButtons::YesNo, [](QMessageBox& b) { button(b, QMessageBox::Yes)->click(); }, true},
      {"No gives up", PromptButtons::YesNo, [](QMessageBox& b) { button(b, QMessageBox::No)->click(); }, false},
      {"closing the Yes/No prompt gives up", PromptButtons::YesNo, [](QMessageBox& b) { b.close(); }, false},
      {"OK searches again", PromptButtons::Ok, [](QMessageBox& b) { button(b, QMessageBox::Ok)->click(); }, true},
      // A box with OK alone would count its closing as OK.
      {"closing the OK prompt gives up", PromptButtons::Ok, [](QMessageBox& b) { b.close(); }, false},
  };
  for (const Case& c : cases) {
    QString text;
    whenBoxOpens([&](QMessageBox& b) {
      text = b.text();
      EXPECT_EQ(b.windowTitle(), QString::fromUtf8("พิมพ์ดวงจีน"));
      c.answer(b);
    });
    EXPECT_EQ(ui.confirm("กรุณาใส่แผ่นข้อมูล CAL2543.DAT", c.buttons), c.again) << c.what;
    EXPECT_EQ(text, QString::fromUtf8("กรุณาใส่แผ่นข้อมูล CAL2543.DAT")) << c.what;
  }
  bool shown = false;
  whenBoxOpens([&](QMessageBox& b) {
    shown = b.icon() == QMessageBox::Critical && b.text() == QString::fromUtf8("วันเดือนปีเกิดไม่ถูกต้อง");
    button(b, QMessageBox::Ok)->click();
  });
  ui.error("วันเดือนปีเกิดไม่ถูกต้อง");
  EXPECT_TRUE(shown);

  ui.status(" Wait...");
  EXPECT_EQ(window.status(), QString::fromUtf8(" Wait..."));
  // The calendar says what it does; the window words it.
  ui.calendarState(CalendarState::Ready);
  EXPECT_EQ(window.status(), QString::fromUtf8(" Ready"));
  ui.calendarState(CalendarState::Searching);
  EXPECT_EQ(window.status(), QString::fromUtf8(" Wait..."));
  ui.busyCursor(true);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.busyCursor(false);
  ui.busyCursor(false);  // more restores than waits change nothing
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(user_interface_test, unattended_messages_go_to_standard_error_and_prompts_give_up) {
  UnattendedUserInterface ui;
  ::testing::internal::CaptureStderr();
  ui.error("วันเดือนปีเกิดไม่ถูกต้อง");
  const bool again = ui.confirm("กรุณาใส่แผ่นข้อมูล CAL2543.DAT", PromptButtons::YesNo);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(again);
  const std::string program = program_invocation_short_name;
  EXPECT_EQ(err, program + ": message: วันเดือนปีเกิดไม่ถูกต้อง\n" + program +
                     ": message: กรุณาใส่แผ่นข้อมูล CAL2543.DAT (no one to answer: given up)\n");
}

// A refused request is said on standard error, and shown in a Thai message
// box to a person at the display; unattended, no box is asked for.
TEST(user_interface_test, a_refusal_is_shown_to_a_person_at_the_display) {
  const std::string cause = "VesprinPrint.DAT, line 1 (lines count from 0): expected a day that 02/2530 has "
                            "(วันเดือนปีเกิดไม่ถูกต้อง 31/02/2530), found \"31\"";
  const std::string line = "vesprin-print: request refused, nothing printed: " + cause + "\n";
  struct Case {
    bool display;
    std::vector<std::string> boxes;
  };
  for (const Case& c : {Case{true, {"คำขอพิมพ์ดวงไม่ถูกต้อง ไม่ได้พิมพ์ดวง\r\r" + cause}}, Case{false, {}}}) {
    SCOPED_TRACE(c.display);
    ScriptedUserInterface ui;
    std::ostringstream err;
    reportRefusal(cause, err, c.display ? &ui : nullptr);
    EXPECT_EQ(err.str(), line);
    EXPECT_EQ(ui.messages, c.boxes);
  }
}

TEST(user_interface_test, who_counts_as_unattended) {
  struct Case {
    const char *qpa, *display, *wayland;
    const char* platform;  // "" leaves QT_QPA_PLATFORM as it is
  };
  // A display that cannot be reached falls back to offscreen, which makes
  // the run unattended rather than ending it.
  const Case cases[] = {
      {"offscreen", ":0", nullptr, ""},          {"xcb", nullptr, nullptr, ""},
      {nullptr, ":0", nullptr, "xcb;offscreen"}, {nullptr, nullptr, "wayland-0", "wayland;xcb;offscreen"},
      {nullptr, nullptr, nullptr, "offscreen"},   {"", "", "", "offscreen"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platformChoice(c.qpa, c.display, c.wayland), c.platform)
        << (c.qpa ? c.qpa : "-") << ' ' << (c.display ? c.display : "-") << ' ' << (c.wayland ? c.wayland : "-");
  EXPECT_TRUE(isUnattendedPlatform("offscreen"));
  EXPECT_TRUE(isUnattendedPlatform("minimal"));
  EXPECT_FALSE(isUnattendedPlatform("xcb"));
  EXPECT_TRUE(runsUnattended());  // this test runs offscreen
}

}  // namespace
}  // namespace vesprin

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
