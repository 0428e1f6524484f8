#pragma once
// Texts between the program's UTF-8 strings and the system. The program's
// manifest makes UTF-8 the process's ANSI code page, so the ...A functions
// take the strings as they are; the clipboard wants UTF-16.

#include <windows.h>

#include <string>

namespace velmaric::win32 {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// A window's text, whatever its length.
std::string Window_Text(HWND window);
// Sets it only when it differs, so that a field rewritten at every tick does
// not flicker and its selection stays.
void Set_Window_Text(HWND window, const std::string& text);

// The letter a caption's "&" marks, upper case; 0 when there is none.
char Mnemonic_Of(const std::string& caption);

}  // namespace velmaric::win32
