#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

#include "platform/link_opener.h"

namespace velmaric {
namespace {

// Only links: a file name handed to "open" would run the program it names.
bool Is_Link(const std::string& text) {
  for (const char* scheme : {"http://", "https://", "mailto:"}) {
    const std::string prefix(scheme);
    if (text.size() < prefix.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < prefix.size() && same; ++i) {
      const char c =
          text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
      same = c == prefix[i];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

bool Open_Link(const std::string& link) {
  if (!Is_Link(link)) return false;
  // Some handlers the shell hands a link to are COM objects, which want an
  // apartment on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // Handed over as a whole: no parameters, no working folder, a normal window.
  const HINSTANCE result =
      ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
  // Values above 32 mean success; anything else is an error code.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace velmaric
