#pragma once
// A recording view's radio buttons, selected by the presenter's load or by
// a test, run the presenter's click handlers as the real buttons do.

#include <functional>

#include "presenter/main_presenter.h"

namespace velmaric::testing {

inline std::function<void(Main_Control)> Radio_Clicks_Of(Main_Presenter& presenter) {
  return [&presenter](Main_Control radio) {
    if (radio == Main_Control::Log_to_File_RadioButton) {
      presenter.Log_to_File_RadioButtonClick();
    } else {
      presenter.Do_Not_Log_RadioButtonClick();
    }
  };
}

}  // namespace velmaric::testing
