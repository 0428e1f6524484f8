// The close: saved by the user's close, kept open when a failed save is
// answered No, waiting for a command in progress, and always ending at a
// signal.

#include <filesystem>
#include <string>
#include <vector>

#include "presenter_fixture.h"

namespace velmaric::testing {
namespace {

class Main_Presenter_Close_Test : public Presenter_Fixture {
 protected:
  // A folder where the settings file should be: every save fails.
  void Unsavable() { std::filesystem::create_directory(world_.settings_file); }
};

TEST_F(Main_Presenter_Close_Test, AFailedSaveAsksWhetherToCloseWithoutSaving) {
  Unsavable();
  Start_Program();
  ASSERT_EQ(Box_Kinds(), std::vector<std::string>{"Error"});
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    world_.boxes.shown.clear();
    world_.boxes.answer_yes = yes;
    EXPECT_EQ(Close_Program(), yes);
    EXPECT_EQ(Box_Kinds(), (std::vector<std::string>{"Error", "Warning"}));
    EXPECT_EQ(world_.boxes.shown[1].text,
              "The StopWatch Time / Settings could NOT all be saved.\r\n\r\n"
              "Do you want to close the program without saving ?");
  }
}

TEST_F(Main_Presenter_Close_Test, ASavedCloseAsksNothing) {
  Start_Program();
  EXPECT_TRUE(Close_Program());
  EXPECT_TRUE(world_.boxes.shown.empty());
  EXPECT_NE(Read_File(world_.settings_file).find("Stop_Count"), std::string::npos);
}

// A close asked for while a command's box is open waits and comes back
// through the close timer once the command is done.
TEST_F(Main_Presenter_Close_Test, ACloseDuringACommandWaitsForIt) {
  Start_Program();
  bool asked = false;
  bool allowed = true;
  world_.boxes.while_open = [&] {
    if (asked) return;
    asked = true;
    allowed = Close_Program();
  };
  presenter_->Reset_BitBtnClick();
  ASSERT_TRUE(asked);
  EXPECT_FALSE(allowed);
  EXPECT_EQ(view_->Wait(Main_Timer::Close_Timer), Main_Presenter::close_retry_us);
  EXPECT_EQ(view_->close_requests, 0);
  presenter_->Close_TimerTimer();
  EXPECT_EQ(view_->close_requests, 1);
  // A close timer with nothing waiting does nothing.
  EXPECT_TRUE(Close_Program());
  presenter_->Close_TimerTimer();
  EXPECT_EQ(view_->close_requests, 1);
}

// At a signal boxes are answered at once, the open one dismissed, and a
// failed save no longer keeps the window.
TEST_F(Main_Presenter_Close_Test, TheEndClosesEvenWhenTheSaveFails) {
  Unsavable();
  Start_Program();
  presenter_->Request_End();
  EXPECT_TRUE(world_.boxes.answering_at_once);
  EXPECT_EQ(view_->dismissed, 1);
  EXPECT_EQ(view_->Wait(Main_Timer::Close_Timer), 0);
  presenter_->Close_TimerTimer();
  EXPECT_EQ(view_->close_requests, 1);
  world_.boxes.shown.clear();
  EXPECT_TRUE(Close_Program());
  EXPECT_TRUE(world_.boxes.shown.empty());
}

}  // namespace
}  // namespace velmaric::testing
