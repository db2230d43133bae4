#include "decoder_dlg.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>

#include "dialog_template.h"
#include "main_dialog.h"
#include "varnock_version.h"
#include "wide_text.h"

namespace {

HICON LoadIconOfSize(int id, int size_metric) {
  const int size = GetSystemMetrics(size_metric);
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

std::wstring FromCodePage(std::string_view text) {
  return varnock::win32::Widen(varnock::CodePageToUtf8(text));
}

// The framework's placing of a dialog that its template leaves at 0, 0.
void CenterOnWorkArea(HWND window) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT rect{};
  GetWindowRect(window, &rect);
  SetWindowPos(window, nullptr, (area.left + area.right - (rect.right - rect.left)) / 2,
               (area.top + area.bottom - (rect.bottom - rect.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDecoderDlg::CDecoderDlg(HWND parent)
    : parent_(parent),
      icon_(LoadIconOfSize(IDR_APP_ICON, SM_CXSMICON)),
      big_icon_(LoadIconOfSize(IDR_FILE_ICON, SM_CXICON)),
      open_page_([](const wchar_t* url) {
        ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOWNORMAL);
      }) {}

CDecoderDlg::~CDecoderDlg() {
  DestroyIcon(icon_);
  DestroyIcon(big_icon_);
}

INT_PTR CDecoderDlg::DoModal() {
  const std::vector<WORD> dialog = varnock::win32::BuildMainDialogTemplate();
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                 reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), parent_,
                                 &CDecoderDlg::DialogProc, reinterpret_cast<LPARAM>(this));
}

// Hands each message to its handler; what returns FALSE is left to the dialog manager
// (focus, the default button, Tab, the arrows, Escape).
INT_PTR CALLBACK CDecoderDlg::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    reinterpret_cast<CDecoderDlg*>(lparam)->m_hWnd = hwnd;
  }
  auto* dlg = reinterpret_cast<CDecoderDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (dlg == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      return dlg->OnInitDialog();
    case WM_COMMAND:
      dlg->OnCommand(GET_WM_COMMAND_ID(wparam, lparam), GET_WM_COMMAND_CMD(wparam, lparam));
      return TRUE;
    case WM_PAINT:
      return dlg->OnPaint();
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(dlg->OnQueryDragIcon());
    case WM_SETCURSOR:  // TRUE: the cursor is set, FALSE: the dialog manager sets its own
      return dlg->OnSetCursor(reinterpret_cast<HWND>(wparam)) &&
             SetDlgMsgResult(hwnd, message, TRUE);
    case WM_DESTROY:
      dlg->m_hWnd = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CDecoderDlg::OnInitDialog() {
  CenterOnWorkArea(m_hWnd);
  for (const varnock::MakerInfo& maker : varnock::res::kManufacturerListData) {
    SendDlgItemMessageW(m_hWnd, IDC_MANUFACTURER, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(FromCodePage(maker.name).c_str()));
  }
  LimitDroppedRows();
  SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  return TRUE;  // the dialog manager gives the focus to the first tab stop, Process
}

// Current combo boxes drop up to 30 rows whatever their template says: the list is held
// to the rows that fit in the template's height below the closed box.
void CDecoderDlg::LimitDroppedRows() const {
  const HWND list = GetDlgItem(m_hWnd, IDC_MANUFACTURER);
  RECT dropped{0, 0, 0, varnock::res::FindControl(IDC_MANUFACTURER).height};
  MapDialogRect(m_hWnd, &dropped);
  RECT closed;
  GetWindowRect(list, &closed);
  const LONG rows_height =
      dropped.bottom - (closed.bottom - closed.top) - 2 * GetSystemMetrics(SM_CYBORDER);
  const auto rows = rows_height / SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
  SendMessageW(list, CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0);
}

void CDecoderDlg::OnCommand(int id, int code) {
  if (id == IDC_PROCESS && code == BN_CLICKED) OnProcess();
  if (id == IDC_LOGO && code == STN_CLICKED) OnLogoClicked();
  if (id == IDCANCEL) EndDialog(m_hWnd, IDCANCEL);  // Close, Escape and the close box
}

void CDecoderDlg::OnProcess() {
  varnock::DecodeRequest request;
  for (const auto& [id, decade] : varnock::res::kDecadeButtons) {
    if (IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) {
      request.decade = decade;
      break;
    }
  }
  request.manufacturer = ReadText(IDC_MANUFACTURER);
  request.code = ReadText(IDC_HUB_CODE);
  const varnock::DecodeResult result = varnock::HubCodeDecoder::Decode(request);
  switch (result.kind) {
    case varnock::DecodeResult::Kind::Date:
      SetDlgItemTextW(m_hWnd, IDC_RESULT, FromCodePage(result.text).c_str());
      break;
    case varnock::DecodeResult::Kind::Error:
      MessageBoxW(m_hWnd, FromCodePage(result.text).c_str(),
                  FromCodePage(varnock::kErrorCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
      break;
    case varnock::DecodeResult::Kind::None:
      break;
  }
}

std::string CDecoderDlg::ReadText(int id) const {
  wchar_t text[128];  // the first 127 characters and the ending zero
  GetDlgItemTextW(m_hWnd, id, text, 128);
  return varnock::Utf8ToCodePage(varnock::win32::Narrow(text), /*upper=*/false)
      .value_or(std::string());
}

void CDecoderDlg::OnLogoClicked() { open_page_(varnock::win32::Widen(VARNOCK_HOMEPAGE).c_str()); }

BOOL CDecoderDlg::OnPaint() {
  if (!IsIconic(m_hWnd)) return FALSE;
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(m_hWnd, &paint);
  SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon_);
  EndPaint(m_hWnd, &paint);
  return TRUE;
}

// The labels take no mouse input, so the pointer over them is the dialog's: in effect
// the hand shows over the logo alone.
BOOL CDecoderDlg::OnSetCursor(HWND under) {
  for (int id : {IDC_YEARS_LABEL, IDC_VERSION_LABEL, IDC_LOGO}) {
    if (under == GetDlgItem(m_hWnd, id)) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
  }
  return FALSE;
}
