#include "win32/control_set.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "win32/win32_text.h"

namespace velmaric::win32 {
namespace {

using forms::Control_Kind;

struct Class_And_Style {
  const char* window_class;
  DWORD style;
  DWORD extended;
};

Class_And_Style Native_Kind(const forms::Control_Design& row) {
  const DWORD align = row.alignment == forms::Alignment::Centre ? SS_CENTER
                      : row.word_wrap                           ? SS_LEFT
                                                                : SS_LEFTNOWORDWRAP;
  switch (row.kind) {
    case Control_Kind::Label:
      return {"STATIC", align | SS_NOPREFIX | SS_NOTIFY, 0};
    case Control_Kind::Link_Label:
      return {"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0};
    case Control_Kind::Read_Only_Edit:
      return {"EDIT", ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Control_Kind::Edit:
      return {"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Control_Kind::Push_Button:
      return {"BUTTON",
              static_cast<DWORD>((row.is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                                 (row.flat ? BS_FLAT : 0)),
              0};
    case Control_Kind::Radio_Button:
      return {"BUTTON", BS_RADIOBUTTON, 0};
    case Control_Kind::Check_Box:
      return {"BUTTON", BS_AUTOCHECKBOX, 0};
    case Control_Kind::Group_Box:
      return {"BUTTON", BS_GROUPBOX, 0};
    case Control_Kind::Read_Only_Spin_Edit:
      return {"EDIT", ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Control_Kind::List_Box:
      return {"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER, 0};
    case Control_Kind::Bevel:
      return {"STATIC", SS_OWNERDRAW, 0};
    case Control_Kind::Picture:
    case Control_Kind::Vector_Picture:
      return {"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
  }
  return {"STATIC", 0, 0};
}

bool Is_Frame(Control_Kind kind) {
  return kind == Control_Kind::Group_Box || kind == Control_Kind::Bevel;
}

int Arrows_Width() {
  return GetSystemMetrics(SM_CXVSCROLL);
}

// Black or white, whichever reads better on the colour.
COLORREF Readable_On(COLORREF background) {
  const int luminance =
      299 * GetRValue(background) + 587 * GetGValue(background) + 114 * GetBValue(background);
  return luminance >= 128000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

// The glyph in each of a button's states, greyed while it is disabled (the
// system's own greying leaves a coloured picture blank).
void Set_Glyph(HWND button, const Picture& glyph) {
  HICON const shown = glyph.Icon();
  HICON const greyed = glyph.Icon(true);
  ICONINFO info{};
  BITMAP size{};
  if (shown == nullptr || !GetIconInfo(shown, &info)) return;
  GetObjectA(info.hbmColor, sizeof size, &size);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  HIMAGELIST const images = ImageList_Create(size.bmWidth, size.bmHeight, ILC_COLOR32, 6, 0);
  // Normal, hot, pressed, disabled, default, stylus hot.
  for (HICON state : {shown, shown, shown, greyed, shown, shown}) ImageList_AddIcon(images, state);
  DestroyIcon(shown);
  DestroyIcon(greyed);
  BUTTON_IMAGELIST list{};
  list.himl = images;
  list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

}  // namespace

void Register_Window_Class(const char* name, WNDPROC procedure, HICON icon) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &window_class)) return;
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hIcon = icon;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = name;
  RegisterClassExA(&window_class);
}

COLORREF Colour_Of(forms::Colour_Role role) {
  switch (role) {
    case forms::Colour_Role::Inactive_Border:
      return GetSysColor(COLOR_INACTIVEBORDER);
    case forms::Colour_Role::Grey:
      return GetSysColor(COLOR_GRAYTEXT);
    case forms::Colour_Role::Menu:
      return GetSysColor(COLOR_MENU);
    case forms::Colour_Role::Blue_Link:
      return RGB(0, 0, 255);
    case forms::Colour_Role::Highlighted_Text:
      return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case forms::Colour_Role::Button_Face:
    case forms::Colour_Role::None:
      break;
  }
  return GetSysColor(COLOR_BTNFACE);
}

Control_Set::Control_Set(const forms::Form_Design& form, HWND root,
                         const forms::Font_Design& window_font, int first_id)
    : form_(form), root_(root), window_font_(window_font) {
  // Owned by no window: under Wine a topmost popup the window owns keeps the
  // window itself from being put on top.
  tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(tooltips_, TTM_SETMAXTIPWIDTH, 0, 400);
  controls_.reserve(form.controls.size());
  int id = first_id;
  for (const forms::Control_Design& row : form.controls) Create(row, id++);
  Stack();
}

Control_Set::~Control_Set() {
  DestroyWindow(tooltips_);
  for (const auto& entry : brushes_) DeleteObject(entry.second);
}

void Control_Set::Create(const forms::Control_Design& row, int id) {
  Built_Control control;
  control.row = &row;
  control.id = id;
  control.font = row.font.family != nullptr ? row.font : window_font_;
  if (form_.client_name != std::string(row.parent)) {
    const Built_Control& parent = Named(row.parent);
    control.offset = {parent.offset.x + parent.row->rectangle.left,
                      parent.offset.y + parent.row->rectangle.top};
  }
  const Class_And_Style native = Native_Kind(row);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style;
  if (forms::Takes_Focus(row)) style |= WS_TABSTOP;
  if (!row.enabled) style |= WS_DISABLED;
  const DWORD extended = native.extended | (row.transparent ? WS_EX_TRANSPARENT : 0);
  control.window = CreateWindowExA(extended, native.window_class, row.caption, style, 0, 0, 0, 0,
                                   root_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
  if (row.kind == Control_Kind::Read_Only_Spin_Edit) {
    control.arrows = CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0,
                                     0, root_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowTextA(control.window, "0");
  }
  SendMessageA(control.window, WM_SETFONT,
               reinterpret_cast<WPARAM>(fonts_.Get(control.font, window_font_)), FALSE);
  for (std::size_t i = 0; i < row.item_count; ++i) {
    SendMessageA(control.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.items[i]));
  }
  if (row.checked) SendMessageA(control.window, BM_SETCHECK, BST_CHECKED, 0);
  if (*row.picture != '\0') {
    control.picture = std::make_unique<Picture>();
    if (!control.picture->Load(Resource_Name_Of(row.picture), GetSysColor(COLOR_BTNFACE))) {
      std::cerr << "velmaric: the picture " << row.picture << " is missing" << std::endl;
    }
  }
  if (*row.glyph != '\0') {
    // The confirming button's mark is drawn with the program's pictures.
    const std::string glyph_name =
        row.glyph == std::string(forms::standard_ok_glyph) ? "ok" : row.glyph;
    Picture glyph;
    if (glyph.Load(Resource_Name_Of("glyph-" + glyph_name + ".png"), GetSysColor(COLOR_BTNFACE))) {
      Set_Glyph(control.window, glyph);
    }
  }
  controls_.push_back(std::move(control));
  Built_Control& built = controls_.back();
  forms::Rectangle rectangle = row.rectangle;
  if (!rectangle.Empty()) {
    // A control wider than its box is cut at the box's right edge.
    if (form_.client_name != std::string(row.parent)) {
      const forms::Rectangle& box = Named(row.parent).row->rectangle;
      rectangle.width = std::min(rectangle.width, box.width - rectangle.left);
    }
    Place(built, rectangle);
  } else if (row.auto_size) {
    Place(built, {rectangle.left, rectangle.top, 1, 1});
    Fit_To_Text(built);
  }
  if (*row.hint != '\0') Set_Hint(built, row.hint);
  Show(built, row.visible);
}

void Control_Set::Stack() {
  std::vector<HWND> order;
  const auto add = [&order](const Built_Control& control) {
    if (std::find(order.begin(), order.end(), control.window) != order.end()) return;
    order.push_back(control.window);
    if (control.arrows != nullptr) order.push_back(control.arrows);
  };
  for (const std::string& name : form_.tab_order) add(Named(name.c_str()));
  for (const Built_Control& control : controls_) {
    if (forms::Takes_Focus(*control.row)) add(control);
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (!Is_Frame(it->row->kind)) add(*it);
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) add(*it);
  HWND after = HWND_TOP;
  for (HWND window : order) {
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = window;
  }
}

Built_Control& Control_Set::Named(const char* name) {
  for (Built_Control& control : controls_) {
    if (std::string(control.row->name) == name) return control;
  }
  std::cerr << "velmaric: no control named " << name << std::endl;
  std::abort();
}

const Built_Control& Control_Set::Named(const char* name) const {
  return const_cast<Control_Set*>(this)->Named(name);
}

Built_Control* Control_Set::With_Id(int id) {
  for (Built_Control& control : controls_) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

Built_Control* Control_Set::With_Window(HWND window) {
  for (Built_Control& control : controls_) {
    if (control.window == window || (window != nullptr && control.arrows == window)) {
      return &control;
    }
  }
  return nullptr;
}

void Control_Set::Place(Built_Control& control, const forms::Rectangle& r) {
  const int left = control.offset.x + r.left;
  const int top = control.offset.y + r.top;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (control.arrows == nullptr) {
    SetWindowPos(control.window, nullptr, left, top, r.width, r.height, flags);
    return;
  }
  const int arrows = std::min(Arrows_Width(), r.width);
  SetWindowPos(control.window, nullptr, left, top, r.width - arrows, r.height, flags);
  SetWindowPos(control.arrows, nullptr, left + r.width - arrows, top, arrows, r.height, flags);
}

forms::Rectangle Control_Set::Placed(const Built_Control& control) const {
  RECT area{};
  GetWindowRect(control.window, &area);
  if (control.arrows != nullptr) {
    RECT arrows{};
    GetWindowRect(control.arrows, &arrows);
    area.right = std::max(area.right, arrows.right);
  }
  MapWindowPoints(HWND_DESKTOP, root_, reinterpret_cast<POINT*>(&area), 2);
  return {area.left - control.offset.x, area.top - control.offset.y, area.right - area.left,
          area.bottom - area.top};
}

void Control_Set::Set_Font_Size(Built_Control& control, int size) {
  if (control.font.size == size) return;
  control.font.size = size;
  SendMessageA(control.window, WM_SETFONT,
               reinterpret_cast<WPARAM>(fonts_.Get(control.font, window_font_)), TRUE);
}

void Control_Set::Show(Built_Control& control, bool on) {
  ShowWindow(control.window, on ? SW_SHOWNA : SW_HIDE);
  if (control.arrows != nullptr) ShowWindow(control.arrows, on ? SW_SHOWNA : SW_HIDE);
}

void Control_Set::Set_Hint(const Built_Control& control, const std::string& text) {
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = root_;
  tool.uId = reinterpret_cast<UINT_PTR>(control.window);
  SendMessageA(tooltips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  tool.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

HBRUSH Control_Set::Brush(COLORREF colour) {
  for (const auto& entry : brushes_) {
    if (entry.first == colour) return entry.second;
  }
  HBRUSH made = CreateSolidBrush(colour);
  brushes_.emplace_back(colour, made);
  return made;
}

HBRUSH Control_Set::Face_Brush() const {
  return GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH Control_Set::Colour(HDC dc, HWND window) {
  const Built_Control* const control = With_Window(window);
  if (control == nullptr || control->window != window) return nullptr;
  const forms::Control_Design& row = *control->row;
  if (row.text_colour != forms::Colour_Role::None) SetTextColor(dc, Colour_Of(row.text_colour));
  if (row.transparent) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  COLORREF background = GetSysColor(COLOR_BTNFACE);
  if (row.background == forms::Colour_Role::Grey) {
    // Grey while it takes no input, its text kept readable.
    background = IsWindowEnabled(window) ? GetSysColor(COLOR_WINDOW) : Colour_Of(row.background);
    SetTextColor(dc, Readable_On(background));
  } else if (row.background != forms::Colour_Role::None) {
    background = Colour_Of(row.background);
  } else if (row.kind == Control_Kind::Edit || row.kind == Control_Kind::List_Box) {
    return nullptr;  // the system's own
  }
  SetBkColor(dc, background);
  return Brush(background);
}

bool Control_Set::Paint_Message(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      HBRUSH const brush = Colour(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
      result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
    case WM_DRAWITEM:
      result = TRUE;
      return Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
    default:
      return false;
  }
}

bool Control_Set::Draw(const DRAWITEMSTRUCT& item) {
  Built_Control* const control = With_Window(item.hwndItem);
  if (control == nullptr) return false;
  RECT area = item.rcItem;
  if (control->row->kind == Control_Kind::Bevel) {
    const bool raised = control->row->bevel == forms::Bevel_Style::Raised_Panel;
    DrawEdge(item.hDC, &area, raised ? EDGE_RAISED : EDGE_ETCHED, BF_RECT);
    return true;
  }
  FillRect(item.hDC, &area, Face_Brush());
  if (control->picture) control->picture->Draw(item.hDC, area, control->frame);
  return true;
}

void Control_Set::Fit_To_Text(Built_Control& control) {
  const std::string text = Window_Text(control.window);
  HDC const dc = GetDC(control.window);
  HGDIOBJ const previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control.window, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(control.window, dc);
  SetWindowPos(control.window, nullptr, 0, 0, size.cx + 2, size.cy + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmaric::win32
