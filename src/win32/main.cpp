// The Windows program's entry: the common controls and GDI+, one program per
// settings file, the main window over the system's own services, and the
// message loop.

#include <windows.h>

// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/boot_identity.h"
#include "platform/editor_windows.h"
#include "platform/executable.h"
#include "platform/instance_lock.h"
#include "platform/link_opener.h"
#include "platform/memory_status.h"
#include "platform/removable_media.h"
#include "platform/startup_registry_windows.h"
#include "platform/user_formats.h"
#include "platform/windows_clock.h"
#include "presenter/command_line.h"
#include "settings/settings_location.h"
#include "win32/main_window.h"
#include "win32/picture.h"
#include "win32/win32_message_box.h"
#include "win32/win32_text.h"

namespace {

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* const list = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(velmaric::win32::Utf8(list[i]));
  LocalFree(list);
  return arguments;
}

// A windowed program has no console of its own: an answer to --help goes to
// the console it was started from, or wherever its output was sent.
void Reach_Parent_Console() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::FILE* reopened = nullptr;
  reopened = std::freopen("CONOUT$", "w", stdout);
  reopened = std::freopen("CONOUT$", "w", stderr);
  (void)reopened;
}

void Start_Common_Controls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_TAB_CLASSES;
  InitCommonControlsEx(&controls);
}

int Run_Message_Loop(velmaric::win32::TMainForm1& main_form) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (main_form.Pre_Translate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::vector<std::string> arguments = Arguments();
  if (!arguments.empty()) Reach_Parent_Console();
  // --help and --version answer before anything else: no window, no
  // hand-over to a running program.
  const std::string own_folder = velmaric::Program_Config_Folder();
  if (const std::optional<int> status = velmaric::Answer_Command_Line(
          arguments, std::cout, own_folder.empty() ? "your application data folder" : own_folder)) {
    std::cout.flush();
    return *status;
  }
  velmaric::Note_Ignored_Arguments(arguments, std::cerr);
  // Read first of all: an update may replace the program file while it runs.
  velmaric::Executable_Path();
  // Texts are UTF-8, the program's code page, and dates and times come in
  // the user's regional formats.
  velmaric::Set_Text_Encoding(velmaric::Text_Encoding::utf8);
  velmaric::Set_User_Date_Time_Formats(velmaric::User_Formats_Of_System());
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Start_Common_Controls();
  const velmaric::win32::Gdiplus_Session gdiplus;

  velmaric::File_System& files = velmaric::Real_File_System();
  // A second start on the same settings file shows the running window and
  // leaves the file to it.
  const velmaric::Instance_Lock instance(velmaric::Settings_File_Name());
  if (instance.Held_Elsewhere()) {
    velmaric::Bring_Running_Window_Forward(velmaric::win32::TMainForm1::window_class);
    return 0;
  }

  velmaric::Windows_Clock clock;
  velmaric::win32::Win32_Message_Box boxes;
  velmaric::Notepad_Editor editor;
  const velmaric::About_Services about{
      [](const std::string& target) { velmaric::Open_Link(target); }, velmaric::Read_Memory_Status,
      velmaric::Executable_Path};
  velmaric::Run_Key run_key;
  velmaric::win32::TMainForm1 main_form(
      {files, clock, boxes, editor, velmaric::Settings_File_Name, velmaric::Executable_Path,
       nullptr, about, run_key, velmaric::Removable_Medium_Root, velmaric::Boot_Identity(files)});
  main_form.Show();
  return Run_Message_Loop(main_form);
}
