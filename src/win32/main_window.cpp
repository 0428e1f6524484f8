#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/main_form_design.h"
#include "platform/instance_lock.h"
#include "win32/win32_message_box.h"

namespace velmaric::win32 {
namespace {

constexpr int first_control_id = 100;
constexpr UINT first_menu_id = 1000;
constexpr DWORD window_style = WS_OVERLAPPEDWINDOW;
// The window's own font; every row of the main window names its own.
constexpr forms::Font_Design design_font{"Times New Roman", 11, forms::Font_Unit::Points, false,
                                         false};
// The log name box takes at most this many typed characters; a longer name
// the program puts in stays whole.
constexpr WPARAM typed_log_name_limit = 19;

enum Timer_Id : UINT_PTR { timer1_id = 1, run_record_timer_id = 2, close_timer_id = 3 };

}  // namespace

TMainForm1::TMainForm1(const Window_Services& services) : presenter_(services, *this) {
  Register_Window_Class(window_class, Window_Procedure,
                        LoadIconA(GetModuleHandleA(nullptr), "VELMARIC_ICON"));
  const forms::Form_Design& form = forms::Main_Form();
  menu_ = std::make_unique<Menu_Bar>(form, first_menu_id);
  // The title the start-up replaces before the window is first seen.
  window_ = CreateWindowExA(0, window_class, "Set by Application when running", window_style,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                            menu_->Bar(), GetModuleHandleA(nullptr), this);
  controls_ = std::make_unique<Control_Set>(form, window_, design_font, first_control_id);
  HWND const log_name = controls_->Window("Log_File_Name_EditBox");
  SendMessageA(log_name, EM_SETLIMITTEXT, typed_log_name_limit, 0);
  SetWindowSubclass(log_name, Log_Name_Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
  about_box_ = std::make_unique<TAboutBox>(services.about, window_);
  Connect_Handlers();
  // Enabled from the start: its first tick comes once the loop runs, and
  // each tick arms it for the next change of a shown text.
  Start_Timer(Main_Timer::Timer1, 1000);
}

TMainForm1::~TMainForm1() {
  about_box_.reset();
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

void TMainForm1::Connect_Handlers() {
  using P = Main_Presenter;
  const std::pair<const char*, void (P::*)()> table[] = {
      {"Start_Stop_Resume_BitBtn", &P::Start_Stop_Resume_BitBtnClick},
      {"Reset_BitBtn", &P::Reset_BitBtnClick},
      {"Exit_BitBtn", &P::Exit_BitBtnClick},
      {"Exit1", &P::Exit_BitBtnClick},
      {"Expert_Mode_Option", &P::Expert_Mode_OptionClick},
      {"Always_On_Top_Option", &P::Always_On_Top_OptionClick},
      {"Auto_Run_at_Windows_Startup_Option", &P::Auto_Run_at_Windows_Startup_OptionClick},
      {"Restore_Factory_Defaults_Option", &P::Restore_Factory_Defaults_OptionClick},
      {"Copy_Stopwatch_Times_to_FloppyDisk_Option",
       &P::Copy_Stopwatch_Times_to_FloppyDisk_OptionClick},
      {"Copy_Stopwatch_Times_From_FloppyDisk_Option",
       &P::Copy_Stopwatch_Times_From_FloppyDisk_OptionClick},
      {"AboutOption", &P::AboutOptionClick},
      {"View_Readme_file_Option", &P::View_Readme_file_OptionClick},
      {"View_Shareware_Catalog_Option", &P::View_Shareware_Catalog_OptionClick},
      {"SpareMenu", &P::SpareMenuClick},
      {"Select_Log_File_BitBtn", &P::Select_Log_File_BitBtnClick},
      {"Select_Log_File_Option", &P::Select_Log_File_BitBtnClick},
      {"Reset_Log_Button", &P::Reset_Log_ButtonClick},
      {"View_Log_Button", &P::View_Log_ButtonClick},
      {"Snap_Shot_Since_Resume_Button", &P::Snap_Shot_Since_Resume_ButtonClick},
      {"Snap_Shot_Since_Start_Button", &P::Snap_Shot_Since_Start_ButtonClick},
      {"Copy_Elapsed_Time_To_Clipboard_Option", &P::Copy_Elapsed_Time_To_Clipboard_OptionClick},
      {"Log_to_File_RadioButton", &P::Log_to_File_RadioButtonClick},
      {"Do_Not_Log_RadioButton", &P::Do_Not_Log_RadioButtonClick},
  };
  for (const auto& [name, handler] : table) {
    handlers_[name] = [this, handler = handler] { (presenter_.*handler)(); };
  }
}

void TMainForm1::Show() {
  presenter_.FormShow();
  shown_ = true;
  // A launcher's request to start minimised or maximised is honoured; a
  // window the settings maximised is already shown.
  if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWDEFAULT);
  UpdateWindow(window_);
}

LRESULT CALLBACK TMainForm1::Window_Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* const self = Object_Of_Window<TMainForm1>(window, message, l);
  // The frame's sums want the handle before CreateWindowExA returns it.
  if (self != nullptr) self->window_ = window;
  if (self == nullptr || self->controls_ == nullptr) {
    if (self != nullptr && message == WM_GETMINMAXINFO) {
      self->Limit_Size(*reinterpret_cast<MINMAXINFO*>(l));
      return 0;
    }
    return DefWindowProcA(window, message, w, l);
  }
  return self->Handle_Message(message, w, l);
}

LRESULT TMainForm1::Handle_Message(UINT message, WPARAM w, LPARAM l) {
  LRESULT painted = 0;
  if (controls_->Paint_Message(message, w, l, painted)) return painted;
  static const UINT come_forward = RegisterWindowMessageA(show_window_message);
  if (message == come_forward) {
    Come_Forward();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      On_Command(LOWORD(w), HIWORD(w));
      return 0;
    case WM_TIMER:
      On_Timer(w);
      return 0;
    case WM_SIZE:
      if (w != SIZE_MINIMIZED) Scale_Layout();
      return 0;
    case WM_GETMINMAXINFO:
      Limit_Size(*reinterpret_cast<MINMAXINFO*>(l));
      return 0;
    case WM_NOTIFY:
      // The stop count's arrows change nothing: they only beep.
      if (reinterpret_cast<const NMHDR*>(l)->code == UDN_DELTAPOS) {
        MessageBeep(MB_OK);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (presenter_.Close_Requested()) DestroyWindow(window_);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (w != FALSE) On_End_Session();
      return 0;
    case WM_DESTROY:
      ended_ = true;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, w, l);
}

void TMainForm1::On_Command(int id, int notification) {
  std::string name;
  if (Built_Control* control = controls_->With_Id(id)) {
    if (notification != BN_CLICKED) return;
    name = control->row->name;
    if (control->row->kind == forms::Control_Kind::Radio_Button) {
      // A click selects the button and runs its handler, once.
      if (SendMessageA(control->window, BM_GETCHECK, 0, 0) == BST_CHECKED) return;
      Select_Radio_Button(control->row->name, true);
      return;
    }
  } else if (const Built_Menu_Item* item = menu_->With_Id(static_cast<UINT>(id))) {
    name = item->row->name;
  }
  const auto handler = handlers_.find(name);
  if (handler != handlers_.end()) handler->second();
}

void TMainForm1::On_Timer(UINT_PTR id) {
  switch (id) {
    case timer1_id:
      KillTimer(window_, id);  // a single shot
      presenter_.Timer1Timer();
      break;
    case run_record_timer_id:
      presenter_.Run_Record_TimerTimer();
      break;
    case close_timer_id:
      KillTimer(window_, id);
      presenter_.Close_TimerTimer();
      break;
    default:
      break;
  }
}

// The session ends when this message returns: the save runs before, with
// every box answered at once.
void TMainForm1::On_End_Session() {
  presenter_.Request_End();
  const DWORD deadline = GetTickCount() + 10000;
  MSG message;
  while (!ended_ && static_cast<LONG>(deadline - GetTickCount()) > 0) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      continue;
    }
    if (message.message == WM_QUIT) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void TMainForm1::Come_Forward() {
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  HWND const waiting = GetLastActivePopup(window_);
  SetForegroundWindow(waiting != nullptr ? waiting : window_);
}

LRESULT CALLBACK TMainForm1::Log_Name_Procedure(HWND window, UINT message, WPARAM w, LPARAM l,
                                                UINT_PTR, DWORD_PTR self) {
  // Only a box that takes input chooses a log: a disabled one gets no click.
  if (message == WM_LBUTTONDBLCLK) {
    reinterpret_cast<TMainForm1*>(self)->presenter_.Choose_Log_File();
    return 0;
  }
  return DefSubclassProc(window, message, w, l);
}

void TMainForm1::Start_Timer(Main_Timer timer, std::int64_t wait_us) {
  const UINT_PTR id = timer == Main_Timer::Timer1             ? timer1_id
                      : timer == Main_Timer::Run_Record_Timer ? run_record_timer_id
                                                              : close_timer_id;
  // Never before the moment waited for: rounded up to whole milliseconds.
  const std::int64_t ms = std::max<std::int64_t>(1, (wait_us + 999) / 1000);
  SetTimer(window_, id, static_cast<UINT>(std::min<std::int64_t>(ms, 0x7FFFFFFF)), nullptr);
}

void TMainForm1::Stop_Timer(Main_Timer timer) {
  KillTimer(window_, timer == Main_Timer::Timer1             ? timer1_id
                     : timer == Main_Timer::Run_Record_Timer ? run_record_timer_id
                                                             : close_timer_id);
}

void TMainForm1::Show_About_Box() {
  about_box_->Show_Modal();
}

void TMainForm1::Process_Pending_Events() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (Pre_Translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void TMainForm1::Dismiss_Open_Box() {
  if (about_box_->Is_Open()) {
    about_box_->Close_Box();
    return;
  }
  Dismiss_Open_Box_Of_Thread();
}

}  // namespace velmaric::win32
