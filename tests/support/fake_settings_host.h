#pragma once
// The window's side of the settings as plain values, for tests of the
// settings file without a window. Tests derive from it to record calls.

#include <array>
#include <string>

#include "settings/settings_file.h"

namespace velmaric::testing {

class Fake_Settings_Host : public Settings_Host {
 public:
  bool Is_Maximized() const override { return maximized; }
  void Show_Normal() override { maximized = false; }
  int Window_Top() const override { return top; }
  int Window_Left() const override { return left; }
  int Client_Width() const override { return width; }
  int Client_Height() const override { return height; }
  void Set_Window_Top(int value) override { top = value; }
  void Set_Window_Left(int value) override { left = value; }
  void Set_Client_Width(int value) override { width = value; }
  void Set_Client_Height(int value) override { height = value; }
  bool Option(Option_Item item) const override { return options[static_cast<std::size_t>(item)]; }
  void Set_Option(Option_Item item, bool on) override {
    options[static_cast<std::size_t>(item)] = on;
  }
  std::string Log_File_Name() const override { return log_name; }
  void Set_Log_File_Name(const std::string& name) override { log_name = name; }
  void Write_Stop_Entry() override { ++stop_entries; }

  // Values no load gives, so that a key left unapplied shows.
  bool maximized = false;
  int top = -1, left = -1, width = -1, height = -1;
  std::array<bool, 6> options{};
  std::string log_name = "\x7F unset";
  int stop_entries = 0;
};

}  // namespace velmaric::testing
