// The main dialog on the Windows dialog manager: a hub code, a maker and a decade in; a
// date or a reason out.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CDecoderDlg {
 public:
  // What opens the web page; the shell by default, something else in tests.
  using PageOpener = std::function<void(const wchar_t* url)>;

  explicit CDecoderDlg(HWND parent = nullptr);
  ~CDecoderDlg();
  CDecoderDlg(const CDecoderDlg&) = delete;
  CDecoderDlg& operator=(const CDecoderDlg&) = delete;

  // Shows the dialog and returns once it has closed: IDCANCEL.
  INT_PTR DoModal();
  void SetPageOpener(PageOpener opener) { open_page_ = std::move(opener); }

  HWND m_hWnd = nullptr;  // while the dialog is open

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  BOOL OnInitDialog();
  void LimitDroppedRows() const;
  void OnCommand(int id, int code);
  // Decodes what the dialog holds: a date replaces the result, an error is shown in a
  // message box, and no result changes nothing.
  void OnProcess();
  void OnLogoClicked();
  BOOL OnPaint();
  HICON OnQueryDragIcon() const { return icon_; }
  BOOL OnSetCursor(HWND under);
  // The control's text in the decoder's code page, at most its first 127 characters.
  std::string ReadText(int id) const;

  HWND parent_;
  HICON icon_;      // the window's small icon, also the drag icon
  HICON big_icon_;  // for the taskbar and the task switcher
  PageOpener open_page_;
};
