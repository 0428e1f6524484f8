#include "win32/picture.h"

// GDI+ wants min and max from the Windows headers.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
#include <objidl.h>
#include <shlwapi.h>

#include <cctype>
#include <memory>

namespace velmaric::win32 {
namespace {

constexpr unsigned shortest_delay_ms = 50;

// The resource's bytes; empty when there is none of that name.
std::vector<unsigned char> Resource_Bytes(const std::string& name) {
  HRSRC const found = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (found == nullptr) return {};
  HGLOBAL const loaded = LoadResource(nullptr, found);
  const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
  if (data == nullptr) return {};
  return std::vector<unsigned char>(data, data + SizeofResource(nullptr, found));
}

struct Stream_Release {
  void operator()(IStream* stream) const { stream->Release(); }
};

// A property of the image as whole numbers: the frame delays (hundredths of a
// second, one per frame) or the repeat count.
std::vector<unsigned> Property_Values(Gdiplus::Bitmap& image, PROPID id) {
  const UINT size = image.GetPropertyItemSize(id);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (image.GetPropertyItem(id, size, item) != Gdiplus::Ok) return {};
  std::vector<unsigned> values;
  if (item->type == PropertyTagTypeLong) {
    const auto* longs = static_cast<const ULONG*>(item->value);
    values.assign(longs, longs + item->length / sizeof(ULONG));
  } else if (item->type == PropertyTagTypeShort) {
    const auto* shorts = static_cast<const USHORT*>(item->value);
    values.assign(shorts, shorts + item->length / sizeof(USHORT));
  }
  return values;
}

// Light grey shades of the picture, half as opaque.
void Grey(Gdiplus::Bitmap& image) {
  const UINT width = image.GetWidth();
  const UINT height = image.GetHeight();
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      Gdiplus::Color pixel;
      image.GetPixel(static_cast<INT>(x), static_cast<INT>(y), &pixel);
      const int luminance = (299 * pixel.GetR() + 587 * pixel.GetG() + 114 * pixel.GetB()) / 1000;
      const auto shade = static_cast<BYTE>(128 + luminance / 2);
      image.SetPixel(static_cast<INT>(x), static_cast<INT>(y),
                     Gdiplus::Color(static_cast<BYTE>(pixel.GetA() / 2), shade, shade, shade));
    }
  }
}

}  // namespace

Gdiplus_Session::Gdiplus_Session() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

Gdiplus_Session::~Gdiplus_Session() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

std::string Resource_Name_Of(const std::string& picture_file) {
  std::string name = picture_file;
  const std::string svg = ".svg";
  if (name.size() > svg.size() && name.compare(name.size() - svg.size(), svg.size(), svg) == 0) {
    name.replace(name.size() - svg.size(), svg.size(), ".png");
  }
  for (char& c : name) {
    c = std::isalnum(static_cast<unsigned char>(c))
            ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
            : '_';
  }
  return name;
}

Picture::~Picture() {
  Clear();
}

void Picture::Clear() {
  for (HBITMAP frame : frames_) DeleteObject(frame);
  frames_.clear();
  delays_ms_.clear();
}

bool Picture::Load(const std::string& resource_name, COLORREF background) {
  Clear();
  bytes_ = Resource_Bytes(resource_name);
  if (bytes_.empty()) return false;
  const std::unique_ptr<IStream, Stream_Release> stream(
      SHCreateMemStream(bytes_.data(), static_cast<UINT>(bytes_.size())));
  if (!stream) return false;
  Gdiplus::Bitmap image(stream.get());
  if (image.GetLastStatus() != Gdiplus::Ok) return false;
  width_ = static_cast<int>(image.GetWidth());
  height_ = static_cast<int>(image.GetHeight());

  GUID dimension = Gdiplus::FrameDimensionTime;
  UINT frames = image.GetFrameCount(&dimension);
  if (frames == 0) frames = 1;
  const std::vector<unsigned> delays = Property_Values(image, PropertyTagFrameDelay);
  const std::vector<unsigned> repeats = Property_Values(image, PropertyTagLoopCount);
  repeat_count_ = repeats.empty() ? 1 : repeats.front();
  const Gdiplus::Color face(255, GetRValue(background), GetGValue(background),
                            GetBValue(background));
  for (UINT i = 0; i < frames; ++i) {
    if (frames > 1) image.SelectActiveFrame(&dimension, i);
    HBITMAP bitmap = nullptr;
    if (image.GetHBITMAP(face, &bitmap) != Gdiplus::Ok) break;
    frames_.push_back(bitmap);
    const unsigned centi = i < delays.size() ? delays[i] : 10;
    delays_ms_.push_back(std::max(shortest_delay_ms, centi * 10));
  }
  return !frames_.empty();
}

unsigned Picture::Delay_Ms(std::size_t frame) const {
  return frame < delays_ms_.size() ? delays_ms_[frame] : shortest_delay_ms;
}

void Picture::Draw(HDC dc, const RECT& where, std::size_t frame) const {
  if (frame >= frames_.size()) return;
  HDC const source = CreateCompatibleDC(dc);
  HGDIOBJ const previous = SelectObject(source, frames_[frame]);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, where.left, where.top, where.right - where.left, where.bottom - where.top, source,
             0, 0, width_, height_, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

HICON Picture::Icon(bool greyed) const {
  if (bytes_.empty()) return nullptr;
  const std::unique_ptr<IStream, Stream_Release> stream(
      SHCreateMemStream(bytes_.data(), static_cast<UINT>(bytes_.size())));
  if (!stream) return nullptr;
  Gdiplus::Bitmap image(stream.get());
  if (greyed) Grey(image);
  HICON icon = nullptr;
  if (image.GetHICON(&icon) != Gdiplus::Ok) return nullptr;
  return icon;
}

}  // namespace velmaric::win32
