// The Windows dialog driven as a person drives it, in its own modal loop: keys and
// clicks through SendInput, texts and message boxes read back from the windows.
#include <objbase.h>
#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>
#include <process.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "decoder_dlg.h"
#include "dialog_cases.h"
#include "import_table.h"
#include "main_dialog.h"
#include "main_dialog_expected.h"
#include "wide_text.h"

namespace {

using Step = std::function<void(HWND dialog)>;

std::vector<Step> steps;
std::size_t next_step;
CDecoderDlg* running;

// Calls to the system that the dialog makes through the program's import table, replaced
// to count the device contexts taken and not given back, and to keep what the shell is
// asked to open ("<verb> <url> <show>"), which no browser then opens.
int contexts_held;
std::vector<std::wstring> opened;
REPLACE_IMPORT(GetDC, [](HWND window) { return ++contexts_held, GetDC_system(window); });
REPLACE_IMPORT(ReleaseDC,
               [](HWND window, HDC dc) { return --contexts_held, ReleaseDC_system(window, dc); });
// The system's own is kept but never called: no page opens from a test.
REPLACE_IMPORT(ShellExecuteW, [](HWND, LPCWSTR verb, LPCWSTR url, LPCWSTR, LPCWSTR, INT show) {
  opened.push_back(std::wstring(verb ? verb : L"") + L' ' + url + L' ' + std::to_wstring(show));
  return reinterpret_cast<HINSTANCE>(42);  // above 32: done
});

// Runs the dialog modally and each step in turn. A timer fires only once every message
// before it is handled, so each step sees what the one before it did; it fires in a
// message box's own loop too.
INT_PTR RunDialog(CDecoderDlg& dialog, std::vector<Step> script) {
  steps = std::move(script);
  next_step = 0;
  opened.clear();
  running = &dialog;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    if (running->m_hWnd == nullptr) return;
    if (next_step < steps.size()) {
      steps[next_step++](running->m_hWnd);
    } else {
      ADD_FAILURE() << "the dialog is still open after the last step";
      EndDialog(running->m_hWnd, -1);
    }
  });
  const INT_PTR result = dialog.DoModal();
  KillTimer(nullptr, timer);
  EXPECT_EQ(next_step, steps.size()) << "the dialog closed before the last step";
  EXPECT_EQ(contexts_held, 0) << "device contexts not given back";
  return result;
}

// Presses and releases each key in turn, then types the text, all while the `held` keys
// are down.
void Keys(std::vector<WORD> keys, std::wstring_view text = {}, std::vector<WORD> held = {}) {
  std::vector<INPUT> input;
  const auto add = [&](WORD key, wchar_t unit, DWORD flags) {
    input.push_back(INPUT{INPUT_KEYBOARD, {}});
    input.back().ki = {key, unit, flags, 0, 0};
  };
  for (WORD key : held) add(key, 0, 0);
  for (WORD key : keys) add(key, 0, 0), add(key, 0, KEYEVENTF_KEYUP);
  for (wchar_t unit : text)
    add(0, unit, KEYEVENTF_UNICODE), add(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  for (WORD key : held) add(key, 0, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Moves the pointer to the middle of the control and clicks it `clicks` times, with the
// left button unless `down` names another.
void Click(HWND control, int clicks, DWORD down = MOUSEEVENTF_LEFTDOWN) {
  RECT rect;
  GetWindowRect(control, &rect);
  std::vector<INPUT> input(1 + 2 * static_cast<std::size_t>(clicks), INPUT{INPUT_MOUSE, {}});
  input[0].mi.dx = MulDiv((rect.left + rect.right) / 2, 65536, GetSystemMetrics(SM_CXSCREEN));
  input[0].mi.dy = MulDiv((rect.top + rect.bottom) / 2, 65536, GetSystemMetrics(SM_CYSCREEN));
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  for (std::size_t i = 1; i < input.size(); ++i)
    input[i].mi.dwFlags = i % 2 ? down : down * 2;  // each button's up flag is twice its down
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

std::wstring Text(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

// The message box open over the dialog, as a person reads it: "caption|text|" then "!"
// for the exclamation icon and "B<id>" for each button, in their order.
std::wstring ReadBox(HWND dialog) {
  const HWND box = GetLastActivePopup(dialog);
  std::wstring text, marks;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = L"";  // the window class
    GetClassNameW(child, kind, 16);
    if (std::wstring_view(kind) == L"Button") {
      marks += L"B" + std::to_wstring(GetDlgCtrlID(child));
    } else if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
      marks += icon == LoadIconW(nullptr, IDI_EXCLAMATION) ? L"!" : L"?";
    } else {
      text += Text(child);
    }
  }
  return Text(box) + L"|" + text + L"|" + marks;
}

// Waits a tick at a time, for at most two seconds, until the condition holds: for what
// reaches the dialog by way of the display, such as the pointer's moves.
Step WaitUntil(std::function<bool(HWND)> done, std::string what) {
  auto ticks = std::make_shared<int>(0);
  return [=](HWND dialog) {
    if (!done(dialog) && ++*ticks < 100) --next_step;
    if (*ticks == 100) ADD_FAILURE() << what;
  };
}

Step Press(std::vector<WORD> keys, std::vector<WORD> held = {}) {
  return [=](HWND) { Keys(keys, {}, held); };
}

Step ClickItem(int id, int clicks = 1, DWORD down = MOUSEEVENTF_LEFTDOWN) {
  return [=](HWND dialog) { Click(GetDlgItem(dialog, id), clicks, down); };
}

// Chooses the maker from the keyboard: the first entry, then down the list.
Step PickMaker(int row) {
  return [row](HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_MANUFACTURER));
    for (int i = -1; i < row; ++i) Keys({static_cast<WORD>(i < 0 ? VK_HOME : VK_DOWN)});
  };
}

Step TypeCode(std::wstring code) {
  return [code](HWND dialog) { SetFocus(GetDlgItem(dialog, IDC_HUB_CODE)), Keys({}, code); };
}

// Puts the text on the clipboard and pastes it over the hub code with Ctrl+V.
Step PasteCode(std::wstring text) {
  return [text](HWND dialog) {
    OpenClipboard(dialog);
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SetFocus(GetDlgItem(dialog, IDC_HUB_CODE));
    SendDlgItemMessageW(dialog, IDC_HUB_CODE, EM_SETSEL, 0, -1);
    Keys({'V'}, {}, {VK_CONTROL});
  };
}

Step Expect(int id, std::wstring text) {
  return [=](HWND dialog) { EXPECT_EQ(Text(GetDlgItem(dialog, id)), text) << "control " << id; };
}

// The box of the logo's pixels that differ from its bitmap's own: its focus frame.
Step LogoFrameIs(std::array<LONG, 4> expected) {
  return [=](HWND dialog) {
    const HWND logo = GetDlgItem(dialog, IDC_LOGO);
    const HDC shown = GetDC(logo), bitmap = CreateCompatibleDC(shown);
    SelectObject(bitmap,
                 reinterpret_cast<HGDIOBJ>(SendMessageW(logo, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    RECT inside, box{}, dot;
    GetClientRect(logo, &inside);
    for (int y = 0; y < inside.bottom; ++y)
      for (int x = 0; x < inside.right; ++x)
        if (GetPixel(shown, x, y) != GetPixel(bitmap, x, y))
          UnionRect(&box, &box, &(dot = {x, y, x + 1, y + 1}));
    DeleteDC(bitmap), ReleaseDC(logo, shown);
    EXPECT_EQ((std::array{box.left, box.top, box.right, box.bottom}), expected);
  };
}

// Typed and pasted letters turn to upper case; a paste keeps its first line. Close ends
// the dialog.
TEST(Win32Dialog, UpperCaseAndTheCloseButton) {
  CDecoderDlg dlg;
  EXPECT_EQ(
      RunDialog(dlg, {TypeCode(L"kc15"), Expect(IDC_HUB_CODE, L"KC15"), PasteCode(L"ka\r\n01"),
                      Expect(IDC_HUB_CODE, L"KA"), ClickItem(IDCANCEL)}),
      IDCANCEL);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// Stands in for the system's service that tells screen readers what the controls are,
// which Wine's does not keep: notes "<id> <what>|" for each name, role and clearing it is
// given, "?" for any other.
class Annotations final : public IAccPropServices {
 public:
  std::wstring said;
  LONG references = 0;
  HRESULT answer = S_OK;  // what a request for the service gets

  HRESULT WINAPI QueryInterface(REFIID, void** out) override { return *out = this, AddRef(), S_OK; }
  ULONG WINAPI AddRef() override { return static_cast<ULONG>(++references); }
  ULONG WINAPI Release() override { return static_cast<ULONG>(--references); }
  HRESULT WINAPI SetHwndPropStr(HWND control, DWORD object, DWORD child, MSAAPROPID prop,
                                LPCWSTR text) override {
    return Note(control, object, child, prop == PROPID_ACC_NAME ? text : L"?");
  }
  HRESULT WINAPI SetHwndProp(HWND control, DWORD object, DWORD child, MSAAPROPID prop,
                             VARIANT role) override {
    const bool link = prop == PROPID_ACC_ROLE && role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_LINK;
    return Note(control, object, child, link ? L"link" : L"?");
  }
  HRESULT WINAPI ClearHwndProps(HWND control, DWORD object, DWORD child, const MSAAPROPID* props,
                                int count) override {
    const bool both = count == 2 && props[0] == PROPID_ACC_NAME && props[1] == PROPID_ACC_ROLE;
    return Note(control, object, child, both ? L"cleared" : L"?");
  }
#define UNUSED(name, ...) \
  HRESULT WINAPI name(__VA_ARGS__) override { return E_NOTIMPL; }
  UNUSED(SetPropValue, const BYTE*, DWORD, MSAAPROPID, VARIANT)
  UNUSED(SetPropServer, const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope)
  UNUSED(ClearProps, const BYTE*, DWORD, const MSAAPROPID*, int)
  UNUSED(SetHwndPropServer, HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope)
  UNUSED(ComposeHwndIdentityString, HWND, DWORD, DWORD, BYTE**, DWORD*)
  UNUSED(DecomposeHwndIdentityString, const BYTE*, DWORD, HWND*, DWORD*, DWORD*)
  UNUSED(SetHmenuProp, HMENU, DWORD, MSAAPROPID, VARIANT)
  UNUSED(SetHmenuPropStr, HMENU, DWORD, MSAAPROPID, LPCWSTR)
  UNUSED(SetHmenuPropServer, HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope)
  UNUSED(ClearHmenuProps, HMENU, DWORD, const MSAAPROPID*, int)
  UNUSED(ComposeHmenuIdentityString, HMENU, DWORD, BYTE**, DWORD*)
  UNUSED(DecomposeHmenuIdentityString, const BYTE*, DWORD, HMENU*, DWORD*)
#undef UNUSED

 private:
  HRESULT Note(HWND control, DWORD object, DWORD child, std::wstring_view what) {
    const bool whole = object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF;
    said +=
        std::to_wstring(GetDlgCtrlID(control)) + L" " + std::wstring(whole ? what : L"?") + L"|";
    return S_OK;
  }
};

Annotations annotations;
REPLACE_IMPORT(CoCreateInstance, [](REFCLSID kind, LPUNKNOWN, DWORD, REFIID iid, LPVOID* out) {
  const HRESULT answer = kind == CLSID_AccPropServices ? annotations.answer : REGDB_E_CLASSNOTREG;
  return answer == S_OK ? annotations.QueryInterface(iid, out) : (*out = nullptr, answer);
});

HWND DroppedList(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info.hwndList;
}

// The template's kind, text and style names of the control, read from its window, in
// the order of main_dialog_expected.h; " framed" after a kind given a dialog's own frame.
std::string KindTextAndStyles(HWND control) {
  const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
  const auto ex = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
  wchar_t name[32] = L"";
  GetClassNameW(control, name, 32);
  const std::wstring_view window_class = name;
  const bool edit = window_class == L"Edit", combo = window_class == L"ComboBox";
  const bool label = window_class == L"Static";
  const DWORD button = style & BS_TYPEMASK, type = style & SS_TYPEMASK;
  const std::string kind = window_class == L"Button" ? (button == BS_AUTORADIOBUTTON ? "autoradio"
                                                        : button == BS_DEFPUSHBUTTON ? "defpush"
                                                        : button == BS_PUSHBUTTON    ? "push"
                                                        : button == BS_GROUPBOX      ? "groupbox"
                                                                                     : "button?")
                           : edit                    ? "edit"
                           : combo ? ((style & 3) == CBS_DROPDOWNLIST ? "dropdownlist" : "combo?")
                           : type == SS_BITMAP ? "picture"
                                               : (label ? "static" : "?");
  const std::pair<bool, const char*> names[] = {
      {style & WS_GROUP, "group"},
      // The checked decade and the logo are made tab stops as the dialog runs.
      {(style & WS_TABSTOP) && kind != "autoradio" && kind != "picture", "tabstop"},
      {(style & WS_BORDER) || (ex & WS_EX_CLIENTEDGE), "border"},  // an edit's border is 3D
      {edit && (style & ES_UPPERCASE), "uppercase"},
      {(edit && (style & ES_AUTOHSCROLL)) || (combo && (style & CBS_AUTOHSCROLL)), "autohscroll"},
      {edit && (style & ES_READONLY), "readonly"},
      {label && (style & SS_TYPEMASK) == SS_CENTER && (style & SS_CENTERIMAGE), "center"},
      {label && (style & SS_SUNKEN), "sunken"},
      {ex & WS_EX_STATICEDGE, "staticedge"},
      {label && (style & SS_NOTIFY), "notify"},
      {(style & WS_VSCROLL) ||
           (combo && (GetWindowLongW(DroppedList(control), GWL_STYLE) & WS_VSCROLL)),
       "vscroll"},  // a list's scroll bar goes to its dropped part
      {ex & WS_EX_TRANSPARENT, "transparent"},
  };
  std::string styles;
  for (const auto& [has, style_name] : names)
    if (has) styles.append(styles.empty() ? "" : " ").append(style_name);
  const std::string text = kind == "picture" ? "" : varnock::win32::Narrow(Text(control));
  return kind + (ex & WS_EX_DLGMODALFRAME ? " framed|" : "|") + text + "|" + styles;
}

// Each window's kind, text and styles, the dialog's size, caption, frame and font, and
// the dialog centred on the screen's work area when it first shows.
void HoldToTheTemplate(HWND dialog) {
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const ExpectedControl& c : kExpectedControls) {
    EXPECT_EQ(KindTextAndStyles(control),
              std::string(c.kind) + "|" + std::string(c.text) + "|" + std::string(c.styles))
        << c.id;
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(GetWindowContextHelpId(dialog), 0u);
  int width = 0, height = 0;
  std::sscanf(kExpectedDialog.data(), "%dx%d", &width, &height);
  RECT size{0, 0, width, height}, client, work, window;
  MapDialogRect(dialog, &size);
  GetClientRect(dialog, &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(size.right, size.bottom));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  const int points = MulDiv(-font.lfHeight, 72, static_cast<int>(GetDpiForWindow(dialog)));
  EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height) + " " +
                varnock::win32::Narrow(Text(dialog)) + " " +
                varnock::win32::Narrow(font.lfFaceName) + " " + std::to_string(points),
            kExpectedDialog);
  // A caption with the system menu and a minimize box; fixed in size.
  EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) &
                (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(dialog, &window);
  EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);
}

// Every window as the template makes it, and each control where the template puts it, in
// dialog units as Windows converts them: place and size each on their own, as the dialog
// manager does. Last, what screen readers are told the controls are called, and that the
// logo is a link, all taken back as the dialog closes; COM is left as it was.
TEST(Win32Dialog, WindowsHoldToTheTemplate) {
  annotations.said.clear();  // those of dialogs run before
  CDecoderDlg dlg;
  LONG dropped_bottom = 0;
  const auto in_dialog = [](HWND dialog, HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  const Step where = [&](HWND dialog) {
    HWND control = GetWindow(dialog, GW_CHILD);  // template order
    for (const ExpectedControl& c : kExpectedControls) {
      RECT expected{c.x, c.y, c.width, c.height};  // place, then size
      MapDialogRect(dialog, &expected);
      const RECT actual = in_dialog(dialog, control);
      EXPECT_EQ(actual.left, expected.left) << c.id;
      EXPECT_EQ(actual.top, expected.top) << c.id;
      if (c.kind == "dropdownlist") {
        dropped_bottom = expected.top + expected.bottom;
      } else if (c.kind != "picture") {  // a picture has its own size
        EXPECT_EQ(actual.right - actual.left, expected.right) << c.id;
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom) << c.id;
      }
      control = GetWindow(control, GW_HWNDNEXT);
    }
  };
  // Dropped, the list reaches as far as whole rows fit in the template's height, and
  // scrolls for the rest.
  const Step dropped = [&](HWND dialog) {
    const HWND dropped_list = DroppedList(GetDlgItem(dialog, IDC_MANUFACTURER));
    const RECT list = in_dialog(dialog, dropped_list);
    EXPECT_TRUE(IsWindowVisible(dropped_list));
    EXPECT_LE(list.bottom, dropped_bottom);
    EXPECT_GT(list.bottom, dropped_bottom - SendMessageW(dropped_list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(GetWindowLongW(dropped_list, GWL_STYLE) & WS_VSCROLL);
  };
  static int given_data = 0;  // controls of the dialog made with creation data: none has any
  const HHOOK made = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM window, LPARAM data) {
        const auto* window_made =
            code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDW*>(data)->lpcs : nullptr;
        given_data += window_made && window_made->lpCreateParams &&
                      GetClassLongW(window_made->hwndParent, GCW_ATOM) == 32770;  // a dialog's
        return CallNextHookEx(nullptr, code, window, data);
      },
      nullptr, GetCurrentThreadId());
  RunDialog(dlg, {HoldToTheTemplate, where, PickMaker(0), Press({VK_F4}), dropped,
                  [&](HWND) { annotations.said += L"/"; }, Press({VK_ESCAPE, VK_ESCAPE})});
  UnhookWindowsHookEx(made);
  EXPECT_EQ(given_data, 0);
  annotations.answer =
      E_OUTOFMEMORY;  // no service to be had: no names, and COM still left as it was
  CDecoderDlg unnamed;
  RunDialog(unnamed, {Press({VK_ESCAPE})});
  annotations.answer = S_OK;  // for the dialogs of the tests after this one
  EXPECT_EQ(annotations.said,
            L"1000 Hub code|1002 Manufacturer|1006 Manufacturing date|1022 Varnock web page|"
            L"1022 link|/1000 cleared|1002 cleared|1006 cleared|1022 cleared|");
  EXPECT_EQ(annotations.references, 0);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  CoUninitialize();
}

TEST(Win32Dialog, Decodes) {
  for (const DialogCase& c : kDialogCases) {
    CDecoderDlg dlg;
    std::vector<Step> script = {[](HWND dialog) {  // it opens empty, with the focus on Process
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PROCESS));
      EXPECT_EQ(Text(GetDlgItem(dialog, IDC_MANUFACTURER)) +
                    Text(GetDlgItem(dialog, IDC_HUB_CODE)) + Text(GetDlgItem(dialog, IDC_RESULT)),
                L"");
      for (const auto& [id, decade] : varnock::res::kDecadeButtons)
        EXPECT_EQ(IsDlgButtonChecked(dialog, id), BST_UNCHECKED);
      SetDlgItemTextW(dialog, IDC_RESULT, varnock::win32::Widen(kShownBefore).c_str());
    }};
    if (c.maker_row >= 0) script.push_back(PickMaker(c.maker_row));
    if (c.decade != 0) script.push_back(ClickItem(c.decade));
    script.push_back(TypeCode(std::wstring(static_cast<std::size_t>(c.filler), L'X') +
                              varnock::win32::Widen(c.typed)));
    script.push_back(c.press_enter ? Press({VK_RETURN}) : ClickItem(IDC_PROCESS));
    if (!c.message.empty()) {
      script.push_back([&c](HWND dialog) {
        EXPECT_EQ(ReadBox(dialog), L"Error|" + varnock::win32::Widen(c.message) + L"|!B1");
      });
      script.push_back(Press({VK_RETURN}));
    }
    script.push_back(Expect(IDC_RESULT, varnock::win32::Widen(c.result)));
    script.push_back([](HWND dialog) { EXPECT_EQ(GetLastActivePopup(dialog), dialog); });
    script.push_back(Press({VK_ESCAPE}));
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RunDialog(dlg, script), IDCANCEL);
  }
}

TEST(Win32Dialog, HandOverTheLogoAloneAndOnePagePerClick) {
  CDecoderDlg dlg;
  const auto cursor_over = [](int id, LPCWSTR shape) {
    return WaitUntil([=](HWND) { return GetCursor() == LoadCursorW(nullptr, shape); },
                     "the cursor over control " + std::to_string(id));
  };
  RunDialog(dlg,
            {ClickItem(IDC_LOGO, 0), cursor_over(IDC_LOGO, IDC_HAND),
             ClickItem(IDC_VERSION_LABEL, 0), cursor_over(IDC_VERSION_LABEL, IDC_ARROW),
             ClickItem(IDC_LOGO, 0), cursor_over(IDC_LOGO, IDC_HAND), ClickItem(IDC_YEARS_LABEL, 0),
             cursor_over(IDC_YEARS_LABEL, IDC_ARROW), ClickItem(IDC_LOGO),
             [&](HWND) {
               EXPECT_EQ(opened, std::vector<std::wstring>{L"open https://varnock.example.org/ 1"});
             },
             [](HWND) { Sleep(GetDoubleClickTime() + 50); }, ClickItem(IDC_LOGO, 2),
             ClickItem(IDC_LOGO, 1, MOUSEEVENTF_RIGHTDOWN),
             ClickItem(IDC_LOGO, 1, MOUSEEVENTF_MIDDLEDOWN), ClickItem(IDC_VERSION_LABEL),
             ClickItem(IDC_YEARS_LABEL), [&](HWND) { EXPECT_EQ(opened.size(), 2u); },
             Press({VK_ESCAPE})});
}

// RI50615 for Ritek in the 2000s, decoded and copied with the keyboard alone; the logo's
// page opened with Enter.
TEST(Win32Dialog, APersonWithOnlyAKeyboardDecodesAndCopies) {
  CDecoderDlg dlg;
  const auto focus_on = [](int id) {
    return [id](HWND dialog) { EXPECT_EQ(GetFocus(), GetDlgItem(dialog, id)) << id; };
  };
  const Step copied = [](HWND dialog) {
    OpenClipboard(dialog);
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::wstring(text ? text : L""), L"June 15th, 2005");
    CloseClipboard();
  };
  // clang-format off
  const std::vector<Step> script = {
      LogoFrameIs({}), Press({VK_TAB, VK_TAB}), [](HWND) { Keys({}, L"ri50615"); },
      Press({VK_TAB, VK_HOME}), Press(std::vector<WORD>(10, VK_DOWN)), Press({VK_TAB, VK_TAB}),
      focus_on(IDC_LOGO), LogoFrameIs({1, 1, 99, 31}), Press({VK_RETURN}),
      [&](HWND) { EXPECT_EQ(opened.size(), 1u); }, Press({VK_TAB}), focus_on(IDC_DECADE_1990),
      LogoFrameIs({}), Press({VK_RIGHT}), focus_on(IDC_DECADE_2000), Press({VK_TAB}),
      focus_on(IDC_PROCESS), Press({VK_SPACE}), Expect(IDC_RESULT, L"June 15th, 2005"),
      Press({VK_TAB, VK_TAB, VK_TAB}, {VK_SHIFT}), focus_on(IDC_RESULT), Press({'C'}, {VK_CONTROL}),
      copied, Press({VK_ESCAPE})};
  // clang-format on
  EXPECT_EQ(RunDialog(dlg, script), IDCANCEL);
  EXPECT_EQ(opened, std::vector<std::wstring>{L"open https://varnock.example.org/ 1"});
}

// Tab, Shift+Tab and the arrows, through the decades and out.
TEST(Win32Dialog, ArrowsGoRoundTheDecadesInScreenOrder) {
  CDecoderDlg dlg;
  std::vector<Step> script;
  const WORD keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_TAB, VK_TAB};  // as "UDLRTB"
  for (const KeyMove& move : kKeyMoves) {
    script.push_back(Press({keys[std::string_view("UDLRTB").find(move.key)]},
                           move.key == 'B' ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{}));
    script.push_back([=](HWND dialog) {
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, move.focused)) << "after " << move.key;
      for (const auto& [id, decade] : varnock::res::kDecadeButtons)
        EXPECT_EQ(IsDlgButtonChecked(dialog, id) == BST_CHECKED, id == move.checked) << id;
    });
  }
  script.push_back(Press({VK_ESCAPE}));
  RunDialog(dlg, script);
}

// Whether the logo's bitmap and the icons, small and big, were given back to the system.
bool Freed(const std::array<HANDLE, 3>& pictures) {
  ICONINFO info;
  return GetObjectType(pictures[0]) == 0 && !GetIconInfo(static_cast<HICON>(pictures[1]), &info) &&
         !GetIconInfo(static_cast<HICON>(pictures[2]), &info);
}

// The logo at its own size with its edge around it: the bitmap made for the screen's dots
// per inch, or the next larger one, brought to it; and icons for them too, also when the
// dialog moves to a screen of another, where it takes the place Windows offers.
TEST(Win32Dialog, LogoAndIconsForTheScreensScale) {
  auto dlg = std::make_unique<CDecoderDlg>();
  std::array<HANDLE, 3> pictures{};  // the logo's bitmap and the icons, small and big, last seen
  // "<resource> <bitmap> in <inside>, icons <small> <big>": the bitmap as the resource
  // `made_for` loaded at its size, else 0.
  const auto seen = [&pictures](HWND dialog, int made_for) {
    const HWND logo = GetDlgItem(dialog, IDC_LOGO);
    pictures = {reinterpret_cast<HANDLE>(SendMessageW(logo, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                reinterpret_cast<HANDLE>(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0)),
                reinterpret_cast<HANDLE>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0))};
    BITMAP shown{}, made{}, small{}, big{};
    GetObjectW(pictures[0], sizeof shown, &shown);
    const HANDLE bitmap =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(made_for), IMAGE_BITMAP,
                   shown.bmWidth, shown.bmHeight, LR_CREATEDIBSECTION);
    GetObjectW(bitmap, sizeof made, &made);
    const auto bytes = static_cast<std::size_t>(made.bmWidthBytes * made.bmHeight);
    const bool same = shown.bmBits && std::memcmp(shown.bmBits, made.bmBits, bytes) == 0;
    ICONINFO icons[2]{};  // small and big
    GetIconInfo(static_cast<HICON>(pictures[1]), &icons[ICON_SMALL]);
    GetIconInfo(static_cast<HICON>(pictures[2]), &icons[ICON_BIG]);
    GetObjectW(icons[ICON_SMALL].hbmColor, sizeof small, &small);
    GetObjectW(icons[ICON_BIG].hbmColor, sizeof big, &big);
    for (const ICONINFO& icon : icons) DeleteObject(icon.hbmColor), DeleteObject(icon.hbmMask);
    DeleteObject(bitmap);
    RECT inside;
    GetClientRect(logo, &inside);
    char text[64];
    std::snprintf(text, sizeof text, "%d %ldx%ld in %ldx%ld, icons %ld %ld", same ? made_for : 0,
                  shown.bmWidth, shown.bmHeight, inside.right, inside.bottom, small.bmWidth,
                  big.bmWidth);
    return std::string(text);
  };
  std::vector<Step> script = {
      [&](HWND dialog) { EXPECT_EQ(seen(dialog, IDB_LOGO), "174 100x32 in 100x32, icons 16 32"); }};
  for (auto [dpi, id, expected] :
       {std::tuple(97, IDB_LOGO_125, "175 101x32 in 101x32, icons 16 32"),
        {120, IDB_LOGO_125, "175 125x40 in 125x40, icons 20 40"},
        {121, IDB_LOGO_150, "176 126x40 in 126x40, icons 20 40"},
        {144, IDB_LOGO_150, "176 150x48 in 150x48, icons 24 48"},
        {145, IDB_LOGO_200, "177 151x48 in 151x48, icons 24 48"},
        {192, IDB_LOGO_200, "177 200x64 in 200x64, icons 32 64"},
        {240, IDB_LOGO_200, "177 250x80 in 250x80, icons 40 80"}}) {
    script.push_back([&, dpi = dpi, id = id, expected = expected](HWND dialog) {
      RECT place, now;
      GetWindowRect(dialog, &place);
      OffsetRect(&place, 8, 4), InflateRect(&place, 3, 2);
      SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
      EXPECT_TRUE(Freed(pictures)) << dpi;  // those seen last, now replaced
      EXPECT_EQ(seen(dialog, id), expected) << dpi;
      EXPECT_TRUE(GetWindowRect(dialog, &now) && EqualRect(&now, &place)) << dpi;
    });
  }
  script.push_back(Press({VK_ESCAPE}));
  RunDialog(*dlg, script);
  dlg.reset();
  EXPECT_TRUE(Freed(pictures));  // once the dialog is done
}

// The program itself, started as Windows starts it: it shows the dialog, and once that is
// closed by its close box it ends with status 0.
TEST(Win32Program, ShowsTheDialogAndEndsWellOnceClosed) {
  const intptr_t program = _wspawnl(_P_NOWAIT, L"varnock.exe", L"varnock.exe", nullptr);
  ASSERT_NE(program, -1) << "varnock.exe, in the folder the test runs in";
  WaitForInputIdle(reinterpret_cast<HANDLE>(program), 10000);
  const HWND dialog = FindWindowW(nullptr, L"Varnock v2.0B1 [BETA]");
  if (!dialog || !PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0))  // its close box
    TerminateProcess(reinterpret_cast<HANDLE>(program), 9);          // status 9: no dialog to close
  int status = -1;
  _cwait(&status, program, 0);
  EXPECT_EQ(status, 0);
}

}  // namespace
