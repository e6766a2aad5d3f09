// The baseline of the start-up timing: a Win32 program that only opens a
// window and runs a message loop.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "TalvMinimal";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "TalvMinimal", "TalvMinimal", WS_OVERLAPPEDWINDOW, 100, 80, 320,
                                200, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}
