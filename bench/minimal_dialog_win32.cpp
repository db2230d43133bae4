// The floor for the start-up figures on Windows: the least a dialog takes to appear,
// from a template in memory as varnock.exe builds its own.
#include <windows.h>

namespace {

struct MinimalTemplate {
  DLGTEMPLATE dialog;
  WORD menu, window_class;
  wchar_t title[15];
};

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
  return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const MinimalTemplate t = {
      {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME, 0, 0, 0, 0, 200, 60},
      0,
      0,
      L"Minimal dialog"};
  DialogBoxIndirectParamW(instance, &t.dialog, nullptr, Proc, 0);
  return 0;
}
