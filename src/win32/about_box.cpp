#include "win32/about_box.h"

#include <string>

#include "forms/about_form_design.h"
#include "win32/win32_text.h"

namespace velmaric::win32 {
namespace {

constexpr int first_control_id = 100;
constexpr DWORD box_style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS;
constexpr DWORD box_extended_style = WS_EX_DLGMODALFRAME;
// The box's own font, for the rows that name none.
constexpr forms::Font_Design box_font{"System", 13, forms::Font_Unit::Pixels, false, false};

enum Timer_Id : UINT_PTR { quote_timer_id = 1, resources_timer_id = 2, logo_timer_id = 3 };

// The controls a click on which opens the web page.
constexpr const char* web_links[] = {"WEB_Address_Label",       "Karvo_Logo_GIFImage",
                                     "Karvo_Logo_Banner_Image", "Australian_Made_Logo",
                                     "Australian_Made_Label",   "WEB_Button"};
constexpr const char* hand_pointers[] = {"Email_Address_Label",
                                         "WEB_Address_Label",
                                         "Australian_Made_Label",
                                         "Australian_Made_Logo",
                                         "Karvo_Logo_GIFImage",
                                         "Karvo_Logo_Banner_Image",
                                         "Bevel3",
                                         "Bevel1"};

const char* Name_Of(About_Control control) {
  switch (control) {
    case About_Control::AboutBox:
      return nullptr;
    case About_Control::ProductName:
      return "ProductName";
    case About_Control::Author_and_Date:
      return "Author_and_Date";
    case About_Control::Developed_using:
      return "Developed_using";
    case About_Control::Copyright:
      return "Copyright";
    case About_Control::Comments:
      return "Comments";
    case About_Control::WEB_Page_Label:
      return "WEB_Page_Label";
    case About_Control::Email_Button:
      return "Email_Button";
    case About_Control::WEB_Button:
      return "WEB_Button";
    case About_Control::Email_Address_Label:
      return "Email_Address_Label";
    case About_Control::WEB_Address_Label:
      return "WEB_Address_Label";
    case About_Control::Quote_From_Karvo_Label:
      return "Quote_From_Karvo_Label";
    case About_Control::Label4:
      return "Label4";
  }
  return nullptr;
}

UINT Milliseconds(std::int64_t us) {
  return static_cast<UINT>(us / 1000 > 0 ? us / 1000 : 1);
}

}  // namespace

TAboutBox::TAboutBox(About_Services services, HWND owner) : owner_(owner) {
  Register_Window_Class(window_class, Window_Procedure, nullptr);
  const forms::Form_Design& form = forms::About_Form();
  RECT area{0, 0, form.client_size.width, form.client_size.height};
  AdjustWindowRectEx(&area, box_style, FALSE, box_extended_style);
  window_ =
      CreateWindowExA(box_extended_style, window_class, "", box_style, 0, 0, area.right - area.left,
                      area.bottom - area.top, owner, nullptr, GetModuleHandleA(nullptr), this);
  controls_ = std::make_unique<Control_Set>(form, window_, box_font, first_control_id);
  presenter_ =
      std::make_unique<About_Presenter>(std::move(services), static_cast<About_View&>(*this));
}

TAboutBox::~TAboutBox() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK TAboutBox::Window_Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* const self = Object_Of_Window<TAboutBox>(window, message, l);
  if (self == nullptr || self->controls_ == nullptr || self->presenter_ == nullptr) {
    return DefWindowProcA(window, message, w, l);
  }
  return self->Handle_Message(message, w, l);
}

LRESULT TAboutBox::Handle_Message(UINT message, WPARAM w, LPARAM l) {
  LRESULT painted = 0;
  if (controls_->Paint_Message(message, w, l, painted)) return painted;
  switch (message) {
    case WM_COMMAND:
      On_Command(LOWORD(w), HIWORD(w));
      return 0;
    case WM_TIMER:
      if (w == quote_timer_id) presenter_->Quote_Change_TimerTimer();
      if (w == resources_timer_id) presenter_->Free_Resources_TimerTimer();
      if (w == logo_timer_id) Next_Logo_Frame();
      return 0;
    case WM_SETCURSOR:
      for (const char* name : hand_pointers) {
        if (reinterpret_cast<HWND>(w) == controls_->Window(name)) {
          SetCursor(LoadCursor(nullptr, IDC_HAND));
          return TRUE;
        }
      }
      break;
    case WM_CLOSE:
      presenter_->OKButtonClick();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, w, l);
}

void TAboutBox::On_Command(int id, int notification) {
  // Enter and Escape come as the dialog's own OK and Cancel.
  if (id == IDOK || id == IDCANCEL) {
    presenter_->OKButtonClick();
    return;
  }
  const Built_Control* const control = controls_->With_Id(id);
  if (control == nullptr) return;
  if (notification != BN_CLICKED && notification != STN_CLICKED) return;
  const std::string name = control->row->name;
  if (name == "OKButton") {
    presenter_->OKButtonClick();
  } else if (name == "Email_Address_Label" || name == "Email_Button") {
    presenter_->Email_ButtonClick();
  } else {
    for (const char* link : web_links) {
      if (name == link) presenter_->WEB_ButtonClick();
    }
  }
}

void TAboutBox::Show_Modal() {
  Centre_On_Screen();
  open_ = true;
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  presenter_->FormActivate();
  Place_Links();
  SetFocus(controls_->Window("OKButton"));
  MSG message;
  while (open_) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // The program ends: the quit is left for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  open_ = false;
  EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
  SetActiveWindow(owner_);
}

void TAboutBox::Centre_On_Screen() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), &info);
  RECT box{};
  GetWindowRect(window_, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const RECT& work = info.rcWork;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAboutBox::Place_Links() {
  const std::pair<const char*, const char*> links[] = {{"Email_Address_Label", "Email_Button"},
                                                       {"WEB_Address_Label", "WEB_Button"}};
  const std::pair<const char*, const char*> hints[] = {
      {"Email_Button", "Click to send an E-Mail to Karvo."},
      {"WEB_Button", "Click to visit Karvo's WEB Page."}};
  for (const auto& [button, hint] : hints) controls_->Set_Hint(controls_->Named(button), hint);
  for (const auto& [link, button] : links) {
    Built_Control& label = controls_->Named(link);
    Built_Control& source = controls_->Named(button);
    controls_->Show(source, false);
    controls_->Set_Hint(label,
                        (std::string(button) == "Email_Button" ? hints[0] : hints[1]).second);
    const forms::Rectangle place = controls_->Placed(label);
    controls_->Place(label, {424, source.row->rectangle.top, place.width, place.height});
    controls_->Fit_To_Text(label);
  }
}

void TAboutBox::Set_Text(About_Control control, const std::string& text) {
  const char* const name = Name_Of(control);
  if (name == nullptr) {
    Set_Window_Text(window_, text);
    return;
  }
  Built_Control& built = controls_->Named(name);
  Set_Window_Text(built.window, text);
  if (built.row->auto_size) controls_->Fit_To_Text(built);
}

void TAboutBox::Start_Timer(About_Timer timer, std::int64_t interval_us) {
  SetTimer(window_, timer == About_Timer::Quote_Change_Timer ? quote_timer_id : resources_timer_id,
           Milliseconds(interval_us), nullptr);
}

void TAboutBox::Stop_Timer(About_Timer timer) {
  KillTimer(window_,
            timer == About_Timer::Quote_Change_Timer ? quote_timer_id : resources_timer_id);
}

void TAboutBox::Animate_Logo(bool on) {
  Built_Control& logo = controls_->Named("Karvo_Logo_GIFImage");
  KillTimer(window_, logo_timer_id);
  if (!on || !logo.picture || logo.picture->Frame_Count() < 2) return;
  logo.frame = 0;
  logo_rounds_ = 0;
  InvalidateRect(logo.window, nullptr, FALSE);
  SetTimer(window_, logo_timer_id, logo.picture->Delay_Ms(0), nullptr);
}

// Each frame is held for its own delay; the whole sequence plays as often
// as the picture's repeat count says, then rests on its last frame.
void TAboutBox::Next_Logo_Frame() {
  Built_Control& logo = controls_->Named("Karvo_Logo_GIFImage");
  const Picture& picture = *logo.picture;
  std::size_t next = logo.frame + 1;
  if (next == picture.Frame_Count()) {
    ++logo_rounds_;
    if (picture.Repeat_Count() != 0 && logo_rounds_ >= picture.Repeat_Count()) {
      KillTimer(window_, logo_timer_id);
      return;
    }
    next = 0;
  }
  logo.frame = next;
  InvalidateRect(logo.window, nullptr, FALSE);
  SetTimer(window_, logo_timer_id, picture.Delay_Ms(next), nullptr);
}

}  // namespace velmaric::win32
