#pragma once
// A main presenter over a recording view and faked services, with its
// settings file in a fresh folder: no toolkit anywhere.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "presenter/main_presenter.h"
#include "support/fake_window_services.h"
#include "support/file_fixtures.h"
#include "support/radio_clicks.h"
#include "support/recording_main_view.h"

namespace velmaric::testing {

class Presenter_Fixture : public ::testing::Test {
 protected:
  Presenter_Fixture() { world_.settings_file = folder_.Path("velmaric.ini"); }

  // Makes the presenter, runs the window's first show and one tick.
  void Start_Program() {
    view_ = std::make_unique<Recording_Main_View>();
    presenter_ = std::make_unique<Main_Presenter>(world_.Services(), *view_);
    view_->radio_selected = Radio_Clicks_Of(*presenter_);
    presenter_->FormShow();
    presenter_->Timer1Timer();
  }

  // The user's close; the next start begins from what it saved.
  bool Close_Program() { return presenter_->Close_Requested(); }

  std::string Shown(Main_Control control) const { return view_->Text(control); }
  std::vector<std::string> Box_Kinds() const {
    std::vector<std::string> kinds;
    for (const auto& box : world_.boxes.shown) kinds.push_back(box.kind);
    return kinds;
  }

  Temp_Folder folder_;
  Fake_Window_Services world_;
  std::unique_ptr<Recording_Main_View> view_;
  std::unique_ptr<Main_Presenter> presenter_;
};

}  // namespace velmaric::testing
