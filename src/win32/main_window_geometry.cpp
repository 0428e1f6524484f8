// The main window's geometry: its client area within the screens, the
// layout record and its scaling, and staying on top.

#include <algorithm>
#include <vector>

#include "core/layout_scaling.h"
#include "core/window_place.h"
#include "win32/main_window.h"
#include "win32/win32_text.h"

namespace velmaric::win32 {
namespace {

// Far beyond any screen, yet far from where the system's sums overflow; the
// start-up then brings the window onto a screen.
int Within_Reach(int coordinate) {
  constexpr int reach = 1 << 20;
  return std::clamp(coordinate, -reach, reach);
}

RECT Window_Rect(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return area;
}

BOOL CALLBACK Add_Screen(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  const RECT& work = info.rcWork;
  auto& list = *reinterpret_cast<std::vector<Screen_Area>*>(screens);
  const Screen_Area area{work.left, work.top, work.right - work.left, work.bottom - work.top};
  // The primary screen first: a window with nowhere to go goes there.
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
    list.insert(list.begin(), area);
  } else {
    list.push_back(area);
  }
  return TRUE;
}

std::string List_Item(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void Add_Item(HWND list, const std::string& text) {
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

int TMainForm1::Window_Top() const {
  return Window_Rect(window_).top;
}

int TMainForm1::Window_Left() const {
  return Window_Rect(window_).left;
}

int TMainForm1::Client_Width() const {
  RECT client{};
  GetClientRect(window_, &client);
  return client.right;
}

int TMainForm1::Client_Height() const {
  RECT client{};
  GetClientRect(window_, &client);
  return client.bottom;
}

void TMainForm1::Set_Window_Top(int top) {
  SetWindowPos(window_, nullptr, Window_Left(), Within_Reach(top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm1::Set_Window_Left(int left) {
  SetWindowPos(window_, nullptr, Within_Reach(left), Window_Top(), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE TMainForm1::Outer_Size(int client_width, int client_height) const {
  RECT area{0, 0, client_width, client_height};
  AdjustWindowRectEx(&area, static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE)), TRUE,
                     static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE)));
  return {area.right - area.left, area.bottom - area.top};
}

void TMainForm1::Limit_Size(MINMAXINFO& limits) const {
  const SIZE smallest = Outer_Size(smallest_client_width, smallest_client_height);
  limits.ptMinTrackSize = {smallest.cx, smallest.cy};
}

void TMainForm1::Set_Client_Size(int width, int height) {
  // Within what the screen leaves once the frame is around it, and never
  // below the size at which the texts stay readable.
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &info);
  const SIZE frame = Outer_Size(0, 0);
  width = Client_Side(width, smallest_client_width,
                      std::int64_t{info.rcWork.right - info.rcWork.left} - frame.cx);
  height = Client_Side(height, smallest_client_height,
                       std::int64_t{info.rcWork.bottom - info.rcWork.top} - frame.cy);
  const SIZE outer = Outer_Size(width, height);
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, flags);
  // A narrow window wraps its menu bar onto more lines, which the frame's
  // sums do not know: the height is made up once the bar has its lines.
  const int short_by = height - Client_Height();
  if (short_by != 0) SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy + short_by, flags);
}

void TMainForm1::Show_Normal() {
  if (IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
}

void TMainForm1::Restore_Normal() {
  if (IsZoomed(window_) || IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
}

void TMainForm1::Show_Maximized() {
  ShowWindow(window_, SW_SHOWMAXIMIZED);
}

void TMainForm1::Stay_On_Top(bool on_top) {
  SetWindowPos(window_, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm1::Keep_On_Screen() {
  std::vector<Screen_Area> screens;
  EnumDisplayMonitors(nullptr, nullptr, Add_Screen, reinterpret_cast<LPARAM>(&screens));
  const RECT outer = Window_Rect(window_);
  const Window_Corner corner = Window_Place(outer.left, outer.top, outer.right - outer.left,
                                            outer.bottom - outer.top, screens);
  if (corner.left != outer.left || corner.top != outer.top) {
    SetWindowPos(window_, nullptr, corner.left, corner.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The record lists every component in the order of creation: the controls,
// then the timer, the menu's rows and the file dialog, which have no
// geometry.
void TMainForm1::Capture_Layout() {
  HWND const list = controls_->Window("Scaling_ListBox");
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) return;
  Add_Item(list, Layout_Header(Client_Width(), Client_Height()));
  for (const Built_Control& control : controls_->controls()) {
    const forms::Rectangle r = controls_->Placed(control);
    Add_Item(list,
             Layout_Item({r.left, r.width, r.top, r.height, control.font.size}, control.row->name));
  }
  const std::size_t without_geometry = 1 + menu_->items().size() + 1;
  for (std::size_t i = 0; i < without_geometry; ++i) Add_Item(list, layout_no_geometry);
}

void TMainForm1::Scale_Layout() {
  HWND const list = controls_->Window("Scaling_ListBox");
  const auto items = static_cast<std::size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (items == 0 || items == static_cast<std::size_t>(LB_ERR)) return;
  const auto ratios = Layout_Ratios(List_Item(list, 0), Client_Width(), Client_Height());
  if (!ratios) return;
  std::vector<Built_Control>& controls = controls_->controls();
  for (std::size_t i = 0; i < controls.size() && i + 1 < items; ++i) {
    const auto geometry = Scale_Item(List_Item(list, static_cast<int>(i) + 1), *ratios);
    if (!geometry) continue;
    controls_->Place(controls[i],
                     {geometry->left, geometry->top, geometry->width, geometry->height});
    controls_->Set_Font_Size(controls[i], geometry->font_points);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace velmaric::win32
