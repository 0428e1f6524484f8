#pragma once
// The program's pictures, kept in its resources under their file names:
// decoded with GDI+ into one bitmap per frame, drawn over the window's face,
// with each frame's delay and the animation's repeat count.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmaric::win32 {

// GDI+ for the life of the program: made before the first picture.
class Gdiplus_Session {
 public:
  Gdiplus_Session();
  ~Gdiplus_Session();
  Gdiplus_Session(const Gdiplus_Session&) = delete;
  Gdiplus_Session& operator=(const Gdiplus_Session&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// The resource a picture file of the tables is kept under, its name in
// capitals with every other character an underscore: a scalable picture is
// kept drawn, as a PNG of its design size ("banner.svg" is BANNER_PNG).
std::string Resource_Name_Of(const std::string& picture_file);

class Picture {
 public:
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture();

  // Decodes the resource; false when it is missing or unreadable.
  bool Load(const std::string& resource_name, COLORREF background);
  bool Empty() const { return frames_.empty(); }
  std::size_t Frame_Count() const { return frames_.size(); }
  // The frame's delay in milliseconds, at least 50.
  unsigned Delay_Ms(std::size_t frame) const;
  // How often the whole sequence plays; 0 for ever.
  unsigned Repeat_Count() const { return repeat_count_; }
  // Draws the frame stretched over the rectangle.
  void Draw(HDC dc, const RECT& where, std::size_t frame) const;
  // An icon of the first frame at its own size, for a button; greyed, the
  // way a button that takes no clicks shows it. The caller owns it.
  HICON Icon(bool greyed = false) const;

 private:
  void Clear();

  std::vector<HBITMAP> frames_;
  std::vector<unsigned> delays_ms_;
  unsigned repeat_count_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> bytes_;
};

}  // namespace velmaric::win32
