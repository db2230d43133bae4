#include "decoder_dlg.h"

#include <commctrl.h>
// The annotation service's identifiers, defined here: the system's library of them all
// would add 40 KB to the program.
#include <initguid.h>  // NOLINT: must come before the header that declares them
#include <oleacc.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>

#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>

#include "dialog_template.h"
#include "main_dialog.h"
#include "varnock_version.h"
#include "wide_text.h"

namespace {

// The screen's dots per inch for the window, from the system where it tells them per
// window (Windows 10 and later), else the desktop's.
UINT DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi && window) return get_dpi(window);
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

// An icon of the group at the size the metric gives at 96 dots per inch, scaled to `dpi`.
HICON LoadIconOfSize(int id, int size_metric, UINT dpi) {
  const int size = MulDiv(GetSystemMetrics(size_metric), static_cast<int>(dpi),
                          static_cast<int>(DpiOf(nullptr)));
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

// The logo for `dpi`: the bitmap made for that scale, or the next larger one brought down
// to it; 100 x 32 at 96 dots per inch.
HBITMAP LoadLogo(UINT dpi) {
  constexpr std::array<std::pair<int, int>, 4> kLogos = {
      {{96, IDB_LOGO}, {120, IDB_LOGO_125}, {144, IDB_LOGO_150}, {192, IDB_LOGO_200}}};
  const auto made = std::find_if(kLogos.begin(), kLogos.end(), [dpi](const auto& logo) {
    return static_cast<UINT>(logo.first) >= dpi;
  });
  const int id = made == kLogos.end() ? kLogos.back().second : made->second;
  const int width = MulDiv(100, static_cast<int>(dpi), 96);
  const int height = MulDiv(32, static_cast<int>(dpi), 96);
  return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
}

// The client area, as the names' calls take it.
constexpr DWORD kClient = static_cast<DWORD>(OBJID_CLIENT);

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

CDecoderDlg::CDecoderDlg(HWND parent) : parent_(parent) {}

CDecoderDlg::~CDecoderDlg() {
  DestroyIcon(icon_);
  DestroyIcon(big_icon_);
  DeleteObject(logo_);
}

INT_PTR CDecoderDlg::DoModal() {
  const std::vector<WORD> dialog = varnock::win32::BuildMainDialogTemplate();
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                 reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), parent_,
                                 &CDecoderDlg::DialogProc, reinterpret_cast<LPARAM>(this));
}

std::vector<std::pair<int, std::wstring>> CDecoderDlg::AccessibleNames() {
  std::vector<std::pair<int, std::wstring>> names;
  for (const auto& control : varnock::res::kMainDialogControls) {
    // A decade button has a name of its own; its label names the group, which the
    // template does not have.
    if (control.buddy != 0 && !varnock::res::IsDecadeButton(control.buddy)) {
      names.emplace_back(control.buddy, FromCodePage(control.text));
    }
  }
  names.emplace_back(IDC_LOGO, FromCodePage(varnock::res::kLogoName));
  return names;
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
    case WM_DPICHANGED:
      dlg->OnDpiChanged(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(dlg->OnQueryDragIcon());
    case WM_SETCURSOR:  // TRUE: the cursor is set, FALSE: the dialog manager sets its own
      return dlg->OnSetCursor(reinterpret_cast<HWND>(wparam)) &&
             SetDlgMsgResult(hwnd, message, TRUE);
    case WM_DESTROY:
      if (dlg->names_) {
        for (const auto& [id, name] : AccessibleNames()) {
          const MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
          dlg->names_->ClearHwndProps(GetDlgItem(hwnd, id), kClient, CHILDID_SELF, props, 2);
        }
        dlg->names_->Release();
        dlg->names_ = nullptr;
        CoUninitialize();
      }
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
  for (const auto& [id, decade] : varnock::res::kDecadeButtons) {
    SetWindowSubclass(GetDlgItem(m_hWnd, id), &CDecoderDlg::DecadeProc, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  }
  UpdateDecadeTabStop();
  // The logo is a link that Tab reaches last, and that Enter or Space opens.
  const HWND logo = GetDlgItem(m_hWnd, IDC_LOGO);
  SetWindowLongPtrW(logo, GWL_STYLE, GetWindowLongPtrW(logo, GWL_STYLE) | WS_TABSTOP);
  SetWindowSubclass(logo, &CDecoderDlg::LogoProc, 0, reinterpret_cast<DWORD_PTR>(this));
  NameControls();
  OnDpiChanged(DpiOf(m_hWnd), nullptr);
  // The focus on the template's first tab stop, Process: the decade button that Tab now
  // stops at comes before it.
  const auto first = std::find_if(
      varnock::res::kMainDialogControls.begin(), varnock::res::kMainDialogControls.end(),
      [](const auto& control) { return (control.styles & varnock::res::kTabStop) != 0; });
  SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, first->id)),
               TRUE);
  return FALSE;  // the focus is set
}

// Windows names a control after the label before it in the template, which is not always
// its own: the names are set on each control instead.
void CDecoderDlg::NameControls() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&names_)))) {
    names_ = nullptr;
    CoUninitialize();
    return;
  }
  for (const auto& [id, name] : AccessibleNames()) {
    names_->SetHwndPropStr(GetDlgItem(m_hWnd, id), kClient, CHILDID_SELF, PROPID_ACC_NAME,
                           name.c_str());
  }
  VARIANT link{};
  link.vt = VT_I4;
  link.lVal = ROLE_SYSTEM_LINK;
  names_->SetHwndProp(GetDlgItem(m_hWnd, IDC_LOGO), kClient, CHILDID_SELF, PROPID_ACC_ROLE, link);
}

void CDecoderDlg::OnDpiChanged(UINT dpi, const RECT* suggested) {
  if (suggested) {
    SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const HICON icon = LoadIconOfSize(IDR_APP_ICON, SM_CXSMICON, dpi);
  const HICON big_icon = LoadIconOfSize(IDR_FILE_ICON, SM_CXICON, dpi);
  SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));
  DestroyIcon(std::exchange(icon_, icon));
  DestroyIcon(std::exchange(big_icon_, big_icon));

  // The logo at its own size, its edge around it rather than over it.
  const HWND logo = GetDlgItem(m_hWnd, IDC_LOGO);
  const HBITMAP bitmap = LoadLogo(dpi);
  SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  DeleteObject(std::exchange(logo_, bitmap));
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  RECT frame{0, 0, size.bmWidth, size.bmHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(logo, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(logo, GWL_EXSTYLE)));
  SetWindowPos(logo, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDecoderDlg::UpdateDecadeTabStop() const {
  int stop = varnock::res::kDecadeButtons.front().first;  // the 1990s
  for (const auto& [id, decade] : varnock::res::kDecadeButtons) {
    if (IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) stop = id;
  }
  for (const auto& [id, decade] : varnock::res::kDecadeButtons) {
    const HWND button = GetDlgItem(m_hWnd, id);
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, id == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void CDecoderDlg::OnDecadeArrow(HWND from, int step) const {
  const auto& buttons = varnock::res::kDecadeButtons;  // in the order they are shown
  const auto at = std::find_if(buttons.begin(), buttons.end(), [&](const auto& row) {
    return GetDlgItem(m_hWnd, row.first) == from;
  });
  const auto count = std::ssize(buttons);
  const auto next = ((at - buttons.begin()) + step + count) % count;
  const HWND to = GetDlgItem(m_hWnd, buttons[static_cast<std::size_t>(next)].first);
  SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(to), TRUE);
  SendMessageW(to, BM_CLICK, 0, 0);  // as the dialog manager checks one reached by arrow
}

LRESULT CALLBACK CDecoderDlg::DecadeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR, DWORD_PTR dialog) {
  const int step = (wparam == VK_RIGHT || wparam == VK_DOWN) ? 1
                   : (wparam == VK_LEFT || wparam == VK_UP)  ? -1
                                                             : 0;
  // The arrows that come to the button itself are its own; asked about a key that goes
  // to another control, it answers as a radio button does, so that the dialog manager
  // checks it when an arrow brings the focus to it.
  const auto* key = reinterpret_cast<const MSG*>(lparam);
  if (message == WM_GETDLGCODE && step != 0 && key && key->hwnd == window) {
    return DefSubclassProc(window, message, wparam, lparam) | DLGC_WANTARROWS;
  }
  if (message == WM_KEYDOWN && step != 0) {
    reinterpret_cast<const CDecoderDlg*>(dialog)->OnDecadeArrow(window, step);
    return 0;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT CALLBACK CDecoderDlg::LogoProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR, DWORD_PTR dialog) {
  const bool opens = wparam == VK_RETURN || wparam == VK_SPACE;
  switch (message) {
    case WM_GETDLGCODE:  // Enter and Space are the link's, not the default button's
      return DefSubclassProc(window, message, wparam, lparam) | (opens ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN:
      if (!opens) break;
      reinterpret_cast<CDecoderDlg*>(dialog)->OnLogoClicked();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_PAINT: {
      const LRESULT painted = DefSubclassProc(window, message, wparam, lparam);
      if (GetFocus() == window) {
        RECT inside;
        GetClientRect(window, &inside);
        InflateRect(&inside, -1, -1);
        const HDC dc = GetDC(window);
        DrawFocusRect(dc, &inside);
        ReleaseDC(window, dc);
      }
      return painted;
    }
    default:
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
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
  if (varnock::res::IsDecadeButton(id) && code == BN_CLICKED) UpdateDecadeTabStop();
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

void CDecoderDlg::OnLogoClicked() {
  const std::wstring page = varnock::win32::Widen(VARNOCK_HOMEPAGE);
  ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
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
