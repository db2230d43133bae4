// The main dialog on the Windows dialog manager: a hub code, a maker and a decade in; a
// date or a reason out.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct IAccPropServices;

class CDecoderDlg {
 public:
  explicit CDecoderDlg(HWND parent = nullptr);
  ~CDecoderDlg();
  CDecoderDlg(const CDecoderDlg&) = delete;
  CDecoderDlg& operator=(const CDecoderDlg&) = delete;

  // Shows the dialog and returns once it has closed: IDCANCEL.
  INT_PTR DoModal();

  HWND m_hWnd = nullptr;  // while the dialog is open

 private:
  // What screen readers call the controls that a label or group box names, and the logo.
  static std::vector<std::pair<int, std::wstring>> AccessibleNames();
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  BOOL OnInitDialog();
  void LimitDroppedRows() const;
  void NameControls();
  void OnCommand(int id, int code);
  // The icons and the logo made for the dots per inch of the dialog's screen.
  void OnDpiChanged(UINT dpi, const RECT* suggested);
  // Of the decade buttons, Tab stops at the checked one, or the 1990s while none is.
  void UpdateDecadeTabStop() const;
  // An arrow on a decade button: the next or previous decade as shown, round the ends.
  void OnDecadeArrow(HWND from, int step) const;
  static LRESULT CALLBACK DecadeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR, DWORD_PTR dialog);
  static LRESULT CALLBACK LogoProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR, DWORD_PTR dialog);
  // Decodes what the dialog holds: a date replaces the result, an error is shown in a
  // message box, and no result changes nothing.
  void OnProcess();
  void OnLogoClicked();
  HICON OnQueryDragIcon() const { return icon_; }
  BOOL OnSetCursor(HWND under);
  // The control's text in the decoder's code page, at most its first 127 characters.
  std::string ReadText(int id) const;

  HWND parent_;
  HICON icon_ = nullptr;      // the window's small icon, also the drag icon
  HICON big_icon_ = nullptr;  // for the taskbar and the task switcher
  HBITMAP logo_ = nullptr;
  IAccPropServices* names_ = nullptr;  // where the system has them
};
