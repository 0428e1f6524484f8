/* Keeps Wine's desktop up for a whole test run. Wine closes the desktop a
 * while after its last program ends and the next program waits for a new
 * one: up to 20 s for each window test run one after another. This program
 * holds the desktop, with one message-only window nobody sees, until the
 * wine server ends. Built and started by scripts/with-wine. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show) {
  (void)previous;
  (void)command;
  (void)show;
  CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, instance, NULL);
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
