#pragma once
// The stopwatch's one window as a native Windows window: one view of the
// main presenter, as the Qt window is on Linux.
//
// Everything the window decides lives in `Main_Presenter` (src/presenter).
// The window makes its controls and menu from the design tables in
// src/forms (control_set.h, menu_bar.h), forwards every message to the
// presenter (a click, a menu command, a timer, the close box, the end of the
// session) and implements `Main_View`: texts, check marks and enabled states
// by design name, the window's place, timers, the file dialog, the clipboard
// and the About box. What stays here is what only the system can do: the
// native controls, the frame around the client area, the layout record in
// `Scaling_ListBox` and its rescaling on every resize (core/layout_scaling
// does the sums), and the keys (main_window_keys.cpp).

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "presenter/main_presenter.h"
#include "presenter/main_view.h"
#include "win32/about_box.h"
#include "win32/control_set.h"
#include "win32/menu_bar.h"

namespace velmaric::win32 {

class TMainForm1 final : private Main_View {
 public:
  static constexpr const char* window_class = "TMainForm1";

  explicit TMainForm1(const Window_Services& services);
  ~TMainForm1() override;
  TMainForm1(const TMainForm1&) = delete;
  TMainForm1& operator=(const TMainForm1&) = delete;

  HWND Handle() const { return window_; }
  // Runs the show handler, then shows the window.
  void Show();
  // Whether a message is the window's keyboard business (its mnemonics, the
  // menus' keys, the Tab key's path); handled when true.
  bool Pre_Translate(MSG& message);
  // The end of the session or a signal: saves and ends, whatever waits.
  void Request_End() { presenter_.Request_End(); }

 private:
  static LRESULT CALLBACK Window_Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle_Message(UINT message, WPARAM w, LPARAM l);
  void On_Command(int id, int notification);
  void On_Timer(UINT_PTR id);
  void On_End_Session();
  // A second start asked for the window: it, or the box that waits for an
  // answer, comes to the front.
  void Come_Forward();
  void Connect_Handlers();
  static LRESULT CALLBACK Log_Name_Procedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                             UINT_PTR id, DWORD_PTR self);

  // Main_View: the controls (main_window_view.cpp)
  std::string Text(Main_Control control) const override;
  void Set_Text(Main_Control control, const std::string& text) override;
  void Set_Value(Main_Control control, std::int32_t value) override;
  bool Checked(Main_Control control) const override;
  void Set_Checked(Main_Control control, bool on) override;
  void Set_Enabled(Main_Control control, bool on) override;
  void Set_Visible(Main_Control control, bool on) override;
  void Select_Radio_Button(const char* name, bool on);

  // Main_View: the window (main_window_geometry.cpp)
  int Window_Top() const override;
  int Window_Left() const override;
  int Client_Width() const override;
  int Client_Height() const override;
  void Set_Window_Top(int top) override;
  void Set_Window_Left(int left) override;
  void Set_Client_Size(int width, int height) override;
  bool Is_Maximized() const override { return IsZoomed(window_) != FALSE; }
  void Show_Normal() override;
  void Restore_Normal() override;
  void Show_Maximized() override;
  void Capture_Layout() override;
  void Keep_On_Screen() override;
  void Stay_On_Top(bool on_top) override;
  void Scale_Layout();
  // The outer size for a client size, with the window's frame and menu.
  SIZE Outer_Size(int client_width, int client_height) const;
  void Limit_Size(MINMAXINFO& limits) const;

  // Main_View: timers, dialogs, the clipboard
  void Start_Timer(Main_Timer timer, std::int64_t wait_us) override;
  void Stop_Timer(Main_Timer timer) override;
  std::optional<std::string> Choose_Log_File(const std::string& last_choice) override;
  void Copy_To_Clipboard(const std::string& text) override;
  void Show_About_Box() override;
  void Process_Pending_Events() override;
  void Dismiss_Open_Box() override;
  void Close() override { PostMessageA(window_, WM_CLOSE, 0, 0); }

  // The design name a Main_Control stands for; null for the window.
  static const char* Name_Of(Main_Control control);
  static bool Is_Menu_Item(Main_Control control);
  // Clicks the first shown, enabled button whose caption marks the letter.
  bool Click_Button_With_Mnemonic(char letter);

  HWND window_ = nullptr;
  std::unique_ptr<Control_Set> controls_;
  std::unique_ptr<Menu_Bar> menu_;
  std::unique_ptr<TAboutBox> about_box_;
  Main_Presenter presenter_;
  // What a click on a control or a menu command runs, by design name.
  std::map<std::string, std::function<void()>> handlers_;
  bool shown_ = false;
  bool ended_ = false;
};

}  // namespace velmaric::win32
