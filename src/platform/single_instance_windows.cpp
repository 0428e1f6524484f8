#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/instance_lock.h"

namespace velmaric {
namespace {

// A name the system gives back through one of its path functions; the text
// as given when it fails.
template <typename Function>
std::string Ask_System(const std::string& name, Function function) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = function(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return name;
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length);
  }
}

// What the settings file is, whatever current folder, relative name, short
// 8.3 name or letter case led to it: two starts on one file find one text.
std::string Identity_Of(const std::string& settings_file) {
  std::string name = Ask_System(settings_file, [](const char* in, char* out, DWORD size) {
    return GetFullPathNameA(in, size, out, nullptr);
  });
  name = Ask_System(
      name, [](const char* in, char* out, DWORD size) { return GetLongPathNameA(in, out, size); });
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

// FNV-1a, 64 bits: enough to keep the settings files of one user apart, and
// a kernel object's name may hold neither a backslash nor unlimited length.
std::string Digest_Of(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

}  // namespace

Instance_Lock::Instance_Lock(const std::string& settings_file)
    : name_("Local\\velmaric-" + Digest_Of(Identity_Of(settings_file))) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name_.c_str());
  // Read at once: the next call may change it.
  const DWORD error = GetLastError();
  if (mutex == nullptr) {
    // Taken by an object of another kind, or by another user's program in a
    // session we may not open: nothing of ours guards the file; run.
    return;
  }
  mutex_ = mutex;
  held_elsewhere_ = error == ERROR_ALREADY_EXISTS;
}

Instance_Lock::~Instance_Lock() {
  if (mutex_ != nullptr) CloseHandle(static_cast<HANDLE>(mutex_));
}

bool Bring_Running_Window_Forward(const std::string& window_class) {
  const HWND window = FindWindowA(window_class.c_str(), nullptr);
  if (window == nullptr) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  const UINT show = RegisterWindowMessageA(show_window_message);
  if (show != 0) PostMessageA(window, show, 0, 0);
  return true;
}

}  // namespace velmaric
