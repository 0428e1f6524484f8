#include "win32/clipboard.h"

#include <cstring>

#include "win32/win32_text.h"

namespace velmaric::win32 {

bool Put_On_Clipboard(HWND owner, const std::string& utf8) {
  const std::wstring text = Wide(utf8);
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL const memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  void* const data = GlobalLock(memory);
  std::memcpy(data, text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!put) GlobalFree(memory);
  return put;
}

}  // namespace velmaric::win32
