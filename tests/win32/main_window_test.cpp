// The native main window over its presenter, with faked services and the
// settings file in a folder of the test's own: what the start-up shows, the
// layout record and its scaling, the buttons, the logging choice, the
// topmost option and the close.

#include "win32/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "forms/main_form_design.h"
#include "platform/windows_temp_folder.h"
#include "support/fake_clock.h"
#include "support/recording_editor.h"
#include "support/recording_message_box.h"
#include "win32/win32_text.h"

namespace velmaric::win32 {
namespace {

// The start-up list held in memory: the tests never touch the registry.
class Memory_Startup_Registry final : public Startup_Registry {
 public:
  std::string Key_Text() const override { return "HKEY_CURRENT_USER\\test"; }
  bool Key_Exists() const override { return true; }
  void Write_String(const std::string& name, const std::string& text) override {
    values[name] = text;
  }
  std::string Read_String(const std::string& name) const override {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  }
  void Delete_Value(const std::string& name) override { values.erase(name); }
  bool Value_Exists(const std::string& name) const override { return values.count(name) > 0; }
  std::map<std::string, std::string> values;
};

int Control_Id(const char* name) {
  const auto& rows = forms::Main_Form().controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (std::string(rows[i].name) == name) return 100 + static_cast<int>(i);
  }
  return -1;
}

int Menu_Id(const char* name) {
  const auto& rows = forms::Main_Form().menu;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (std::string(rows[i].name) == name) return 1000 + static_cast<int>(i);
  }
  return -1;
}

class Main_Window_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    // Wine makes no window without an X display: run under Xvfb.
    HWND const probe =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe == nullptr) GTEST_SKIP() << "no window system to make windows on";
    DestroyWindow(probe);
    settings_file_ = folder_.Path("velmaric.ini");
    const Window_Services services{Real_File_System(),
                                   clock_,
                                   boxes_,
                                   editor_,
                                   [this] { return settings_file_; },
                                   [this] { return folder_.Path("velmaric.exe"); },
                                   [](const std::string&) { return std::optional<std::string>(); },
                                   About_Services{[](const std::string&) {},
                                                  [] {
                                                    return Memory_Status{42, 1, 1, 0, 0};
                                                  },
                                                  [this] { return folder_.Path("velmaric.exe"); }},
                                   registry_,
                                   [] { return std::optional<std::string>(); },
                                   "test-boot"};
    window_ = std::make_unique<TMainForm1>(services);
    window_->Show();
  }

  HWND Main() const { return window_->Handle(); }
  HWND Control(const char* name) const { return GetDlgItem(Main(), Control_Id(name)); }
  void Click(const char* name) {
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(Control_Id(name), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(name)));
  }
  void Choose(const char* menu_item) {
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(Menu_Id(menu_item), 0), 0);
  }
  RECT Place(const char* name) const {
    RECT area{};
    GetWindowRect(Control(name), &area);
    MapWindowPoints(HWND_DESKTOP, Main(), reinterpret_cast<POINT*>(&area), 2);
    return area;
  }
  void Resize_Client(int width, int height) {
    RECT area{0, 0, width, height};
    AdjustWindowRectEx(&area, static_cast<DWORD>(GetWindowLongPtrA(Main(), GWL_STYLE)), TRUE, 0);
    SetWindowPos(Main(), nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  std::string List_Item(int index) const {
    HWND const list = Control("Scaling_ListBox");
    char text[128] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
  }
  int Font_Pixels(const char* name) const {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Control(name), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return -font.lfHeight;
  }

  testing::Windows_Temp_Folder folder_;
  std::string settings_file_;
  testing::Fake_Clock clock_;
  testing::Recording_Message_Box boxes_;
  testing::Recording_Editor editor_;
  Memory_Startup_Registry registry_;
  std::unique_ptr<TMainForm1> window_;
};

TEST_F(Main_Window_Test, TheFirstStartShowsTheDefaultsAndRecordsTheDesignLayout) {
  EXPECT_EQ(Window_Text(Main()), "Velmaric");
  RECT client{};
  GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, 368);
  EXPECT_EQ(client.bottom, 313);
  EXPECT_EQ(Window_Text(Control("Start_Stop_Resume_BitBtn")), "&Start");
  EXPECT_FALSE(IsWindowEnabled(Control("Snap_Shot_Since_Start_Button")));
  EXPECT_FALSE(IsWindowEnabled(Control("Log_File_Name_EditBox")));
  // The header, every control, then the timer, the menu's rows and the
  // dialog without geometry.
  const auto& form = forms::Main_Form();
  const int items = static_cast<int>(SendMessageA(Control("Scaling_ListBox"), LB_GETCOUNT, 0, 0));
  EXPECT_EQ(items, static_cast<int>(1 + form.controls.size() + 1 + form.menu.size() + 1));
  EXPECT_EQ(List_Item(0), "441 373 W/H Mainform1");
  EXPECT_EQ(List_Item(Control_Id("Elapsed_Secs_Edit") - 100 + 1),
            "245 113 40 25 11 Elapsed_Secs_Edit");
  EXPECT_EQ(List_Item(items - 1), "0");
  // At the default size the fonts come down to 9 points.
  const RECT field = Place("Elapsed_Secs_Edit");
  EXPECT_EQ(field.left, 204);
  EXPECT_EQ(field.top, 33);
  EXPECT_EQ(Font_Pixels("Elapsed_Secs_Edit"), 12);
}

TEST_F(Main_Window_Test, ResizingScalesFromTheRecordAndComesBackExactly) {
  Resize_Client(2 * 441, 373);
  RECT field = Place("Elapsed_Secs_Edit");
  EXPECT_EQ(field.left, 490);
  EXPECT_EQ(field.right - field.left, 226);
  EXPECT_EQ(field.top, 40);
  EXPECT_EQ(field.bottom - field.top, 25);
  EXPECT_EQ(Font_Pixels("Elapsed_Secs_Edit"), 15);  // the smaller ratio, 1
  Resize_Client(441, 373);
  field = Place("Elapsed_Secs_Edit");
  EXPECT_EQ(field.left, 245);
  EXPECT_EQ(field.right - field.left, 113);
}

TEST_F(Main_Window_Test, StartAndStopCountTheStopAndSaveFifteenLines) {
  Click("Start_Stop_Resume_BitBtn");
  EXPECT_EQ(Window_Text(Control("Start_Stop_Resume_BitBtn")), "&Stop");
  clock_.Advance_Centi_Seconds(250);
  Click("Start_Stop_Resume_BitBtn");
  EXPECT_EQ(Window_Text(Control("Start_Stop_Resume_BitBtn")), "&Resume");
  EXPECT_EQ(Window_Text(Control("Stops_Since_Last_Reset_SpinEdit")), "1");
  EXPECT_EQ(Window_Text(Control("Elapsed_Secs_Edit")), "            2.50 ");
  std::ifstream saved(settings_file_, std::ios::binary);
  std::string line;
  int lines = 0;
  while (std::getline(saved, line)) {
    ++lines;
    EXPECT_EQ(line.back(), '\r') << line;
  }
  EXPECT_EQ(lines, 15);
}

TEST_F(Main_Window_Test, TheLoggingChoiceEnablesTheNameBoxAndClearsTheOther) {
  Click("Log_to_File_RadioButton");
  EXPECT_TRUE(IsWindowEnabled(Control("Log_File_Name_EditBox")));
  EXPECT_EQ(SendMessageA(Control("Do_Not_Log_RadioButton"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Click("Do_Not_Log_RadioButton");
  EXPECT_FALSE(IsWindowEnabled(Control("Log_File_Name_EditBox")));
  EXPECT_EQ(SendMessageA(Control("Log_to_File_RadioButton"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Main_Window_Test, AlwaysOnTopTwiceReturnsToNormalStacking) {
  const auto topmost = [this] {
    return (GetWindowLongA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  const auto checked = [this] {
    return (GetMenuState(GetMenu(Main()), Menu_Id("Always_On_Top_Option"), MF_BYCOMMAND) &
            MF_CHECKED) != 0;
  };
  EXPECT_FALSE(topmost());
  Choose("Always_On_Top_Option");
  EXPECT_TRUE(topmost());
  EXPECT_TRUE(checked());
  Choose("Always_On_Top_Option");
  EXPECT_FALSE(topmost());
  EXPECT_FALSE(checked());
}

TEST_F(Main_Window_Test, TheCloseSavesAndRunningCountsOneMoreStop) {
  Click("Start_Stop_Resume_BitBtn");
  SendMessageA(Main(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(Main()));
  std::ifstream saved(settings_file_, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Stops_Since_Last_Reset_SpinEdit=1\r\n"), std::string::npos) << text;
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace velmaric::win32
