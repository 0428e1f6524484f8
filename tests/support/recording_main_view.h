#pragma once
// A main window of plain values: the presenter's controls by name, the
// window's place, the timers it was asked to arm, and what it was asked to
// show. Radio buttons behave as the real ones: selecting one clears the
// other and runs the hook a click runs.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "presenter/main_view.h"

namespace velmaric::testing {

class Recording_Main_View final : public Main_View {
 public:
  std::string Text(Main_Control control) const override {
    return Lookup(texts, control, std::string());
  }
  void Set_Text(Main_Control control, const std::string& text) override { texts[control] = text; }
  void Set_Value(Main_Control control, std::int32_t value) override { values[control] = value; }
  bool Checked(Main_Control control) const override { return Lookup(checked, control, false); }
  void Set_Checked(Main_Control control, bool on) override {
    checked[control] = on;
    const bool radio = control == Main_Control::Log_to_File_RadioButton ||
                       control == Main_Control::Do_Not_Log_RadioButton;
    if (!radio || !on) return;
    checked[control == Main_Control::Log_to_File_RadioButton
                ? Main_Control::Do_Not_Log_RadioButton
                : Main_Control::Log_to_File_RadioButton] = false;
    if (radio_selected) radio_selected(control);
  }
  void Set_Enabled(Main_Control control, bool on) override { enabled[control] = on; }
  void Set_Visible(Main_Control control, bool on) override { visible[control] = on; }

  int Window_Top() const override { return top; }
  int Window_Left() const override { return left; }
  int Client_Width() const override { return width; }
  int Client_Height() const override { return height; }
  void Set_Window_Top(int value) override { top = value; }
  void Set_Window_Left(int value) override { left = value; }
  void Set_Client_Size(int w, int h) override {
    width = w;
    height = h;
  }
  bool Is_Maximized() const override { return maximized; }
  void Show_Normal() override { maximized = false; }
  void Restore_Normal() override {
    maximized = false;
    ++restored;
  }
  void Show_Maximized() override { maximized = true; }
  void Capture_Layout() override { ++layouts_captured; }
  void Keep_On_Screen() override {}
  void Stay_On_Top(bool on) override { on_top = on; }

  void Start_Timer(Main_Timer timer, std::int64_t wait_us) override { armed[timer] = wait_us; }
  void Stop_Timer(Main_Timer timer) override { armed.erase(timer); }

  std::optional<std::string> Choose_Log_File(const std::string& last_choice) override {
    offered_choices.push_back(last_choice);
    return next_log_choice;
  }
  void Copy_To_Clipboard(const std::string& text) override { clipboard.push_back(text); }
  void Show_About_Box() override { ++about_boxes; }
  void Process_Pending_Events() override {}
  void Dismiss_Open_Box() override { ++dismissed; }
  void Close() override { ++close_requests; }

  // Armed timers and their waits; a stopped timer is absent.
  bool Armed(Main_Timer timer) const { return armed.count(timer) > 0; }
  std::int64_t Wait(Main_Timer timer) const { return Lookup(armed, timer, std::int64_t{-1}); }
  bool Enabled(Main_Control control) const { return Lookup(enabled, control, true); }

  std::map<Main_Control, std::string> texts;
  std::map<Main_Control, std::int32_t> values;
  std::map<Main_Control, bool> checked;
  std::map<Main_Control, bool> enabled;
  std::map<Main_Control, bool> visible;
  std::map<Main_Timer, std::int64_t> armed;
  std::function<void(Main_Control)> radio_selected;
  int top = 0, left = 0, width = 0, height = 0;
  bool maximized = false;
  bool on_top = false;
  int restored = 0;
  int layouts_captured = 0;
  std::optional<std::string> next_log_choice;
  std::vector<std::string> offered_choices;
  std::vector<std::string> clipboard;
  int about_boxes = 0;
  int dismissed = 0;
  int close_requests = 0;

 private:
  template <typename Map, typename Value>
  static Value Lookup(const Map& map, typename Map::key_type key, Value otherwise) {
    const auto found = map.find(key);
    return found == map.end() ? otherwise : found->second;
  }
};

}  // namespace velmaric::testing
