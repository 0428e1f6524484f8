// How the window closes: by the user, who may keep it when the save fails,
// or at a signal or the session's end, which always ends the program. A
// close asked for during the start-up sequence or a command waits for it,
// so that no save ever writes a state loaded or changed halfway.

#include <iostream>

#include "presenter/main_presenter.h"

namespace velmaric {
namespace {

constexpr const char* close_without_saving =
    "The StopWatch Time / Settings could NOT all be saved.\r\n\r\n"
    "Do you want to close the program without saving ?";

}  // namespace

bool Main_Presenter::FormCloseQuery() {
  if (Run_Command([this] { Save_And_Guard(true); })) return true;
  // The old settings file is whole: a way out is to leave it as it is.
  return boxes_.Warning_Yes_No(close_without_saving);
}

void Main_Presenter::Save_At_End() {
  try {
    Save_And_Guard(true);
  } catch (const std::exception& failure) {
    std::cerr << "velmaric: the timing could not all be saved: " << failure.what() << std::endl;
  }
}

bool Main_Presenter::Close_Requested() {
  // A close asked for while one runs (its error box or question is open)
  // adds nothing: the one running decides.
  if (closing_) return false;
  if (Busy()) {
    close_waiting_ = true;
    Close_When_Free();
    return false;
  }
  close_waiting_ = false;
  closing_ = true;
  bool close = true;
  if (ending_) {
    Save_At_End();
  } else {
    close = FormCloseQuery();
  }
  closing_ = false;
  // Ended meanwhile (its question was answered No at once): end now.
  if (!close && ending_) {
    close_waiting_ = true;
    Close_When_Free();
  }
  return close;
}

void Main_Presenter::Request_End() {
  ending_ = true;
  boxes_.Answer_At_Once();
  view_.Dismiss_Open_Box();
  close_waiting_ = true;
  Close_When_Free();
}

void Main_Presenter::Close_When_Free() {
  // From the event loop, never from inside the sequence that asked: the
  // program only ends once its loop runs.
  view_.Start_Timer(Main_Timer::Close_Timer, Busy() ? close_retry_us : 0);
}

void Main_Presenter::Close_TimerTimer() {
  if (!close_waiting_) return;
  if (ending_) view_.Dismiss_Open_Box();
  if (Busy()) {
    Close_When_Free();
    return;
  }
  view_.Close();
}

}  // namespace velmaric
