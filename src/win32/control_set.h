#pragma once
// A window's controls made from its plain description in src/forms, one
// native control per row: its class and styles from the row's kind, its
// place, caption, hint (a tooltip), font and colours. Every control is a
// child of the top-level window, placed at its parent's offset, so that the
// window gets every control's notification; the group boxes and bevels lie
// beneath the others.
//
// The keyboard's path is the order of the controls' stacking: the table's
// tab order first, then the others, later rows above earlier ones as the
// table means them to be drawn, the frames at the bottom.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/form_design.h"
#include "win32/font_cache.h"
#include "win32/picture.h"

namespace velmaric::win32 {

struct Built_Control {
  const forms::Control_Design* row = nullptr;
  HWND window = nullptr;
  HWND arrows = nullptr;  // a spin edit's up-down control
  int id = 0;
  POINT offset{};           // where its parent's corner lies in the window
  forms::Font_Design font;  // the font it wears now
  std::unique_ptr<Picture> picture;
  std::size_t frame = 0;
};

class Control_Set {
 public:
  // Makes every row's control below root, with command ids from first_id on.
  Control_Set(const forms::Form_Design& form, HWND root, const forms::Font_Design& window_font,
              int first_id);
  Control_Set(const Control_Set&) = delete;
  Control_Set& operator=(const Control_Set&) = delete;
  ~Control_Set();

  std::vector<Built_Control>& controls() { return controls_; }
  const std::vector<Built_Control>& controls() const { return controls_; }
  // The control of that name; the program stops on a name the tables lack.
  Built_Control& Named(const char* name);
  const Built_Control& Named(const char* name) const;
  HWND Window(const char* name) const { return Named(name).window; }
  // Null for an id or window that is none of these controls.
  Built_Control* With_Id(int id);
  Built_Control* With_Window(HWND window);

  // Places a control at a rectangle relative to its parent.
  void Place(Built_Control& control, const forms::Rectangle& rectangle);
  // The rectangle it covers now, relative to its parent.
  forms::Rectangle Placed(const Built_Control& control) const;
  void Set_Font_Size(Built_Control& control, int size);
  void Show(Built_Control& control, bool on);
  // A tooltip for the control; an empty text removes it.
  void Set_Hint(const Built_Control& control, const std::string& text);
  // The controls' colours (WM_CTLCOLOR*) and the pictures and bevels
  // drawn by the window (WM_DRAWITEM): true, with the window procedure's
  // result, when the message was one of these and is answered.
  bool Paint_Message(UINT message, WPARAM w, LPARAM l, LRESULT& result);
  // Sizes an auto-size control to its text.
  void Fit_To_Text(Built_Control& control);
  HBRUSH Face_Brush() const;

 private:
  void Create(const forms::Control_Design& row, int id);
  // The brush and colours of a control; null for the system's own.
  HBRUSH Colour(HDC dc, HWND control);
  bool Draw(const DRAWITEMSTRUCT& item);
  void Stack();
  HBRUSH Brush(COLORREF colour);

  const forms::Form_Design& form_;
  HWND root_;
  forms::Font_Design window_font_;
  Font_Cache fonts_;
  HWND tooltips_ = nullptr;
  std::vector<Built_Control> controls_;
  std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
};

// The system colour of a role; the window's face for None.
COLORREF Colour_Of(forms::Colour_Role role);

// Registers a top-level window class of the program, once.
void Register_Window_Class(const char* name, WNDPROC procedure, HICON icon);

// The object a window of such a class stands for: the one its creation
// named, kept with the window from its first message on.
template <typename T>
T* Object_Of_Window(HWND window, UINT message, LPARAM l) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTA*>(l)->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace velmaric::win32
