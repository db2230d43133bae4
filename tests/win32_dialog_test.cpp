// The Windows dialog driven as a person drives it, in its own modal loop: keys and
// clicks through SendInput, texts and message boxes read back from the windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "decoder_dlg.h"
#include "main_dialog.h"

namespace {

using Step = std::function<void(HWND dialog)>;

std::vector<Step> steps;
std::size_t next_step;
CDecoderDlg* running;

// Runs the dialog modally and each step in turn. A timer fires only once every message
// before it is handled, so each step sees what the one before it did; it fires in a
// message box's own loop too.
INT_PTR RunDialog(CDecoderDlg& dialog, std::vector<Step> script) {
  steps = std::move(script);
  next_step = 0;
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
  return result;
}

INPUT Input(DWORD type) {
  INPUT input{};
  input.type = type;
  return input;
}

void Keys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) {
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT event = Input(INPUT_KEYBOARD);
      event.ki.wVk = key;
      event.ki.dwFlags = up;
      input.push_back(event);
    }
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void Type(std::wstring_view text) {
  std::vector<INPUT> input;
  for (wchar_t c : text) {
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT event = Input(INPUT_KEYBOARD);
      event.ki.wScan = c;
      event.ki.dwFlags = KEYEVENTF_UNICODE | up;
      input.push_back(event);
    }
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Moves the pointer to the middle of the control and clicks it `clicks` times.
void Click(HWND control, int clicks = 1) {
  RECT rect;
  GetWindowRect(control, &rect);
  std::vector<INPUT> input(1, Input(INPUT_MOUSE));
  input[0].mi.dx = MulDiv((rect.left + rect.right) / 2, 65536, GetSystemMetrics(SM_CXSCREEN));
  input[0].mi.dy = MulDiv((rect.top + rect.bottom) / 2, 65536, GetSystemMetrics(SM_CYSCREEN));
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  for (int i = 0; i < clicks; ++i) {
    for (DWORD button : {DWORD{MOUSEEVENTF_LEFTDOWN}, DWORD{MOUSEEVENTF_LEFTUP}}) {
      input.push_back(Input(INPUT_MOUSE));
      input.back().mi.dwFlags = button;
    }
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

std::wstring Text(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

std::wstring ClassName(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

struct SeenBox {
  std::wstring caption, text;
  HICON icon = nullptr;
  std::vector<int> buttons;
};

// The message box open over the dialog, as a person reads it.
SeenBox ReadBox(HWND dialog) {
  SeenBox seen;
  const HWND box = GetLastActivePopup(dialog);
  if (box == dialog) return seen;
  seen.caption = Text(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == L"Button") seen.buttons.push_back(GetDlgCtrlID(child));
    if (ClassName(child) != L"Static") continue;
    if (GetWindowLongW(child, GWL_STYLE) & SS_ICON) {
      seen.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    } else if (!Text(child).empty()) {
      seen.text = Text(child);
    }
  }
  return seen;
}

// Waits a tick at a time, for at most two seconds, until the condition holds: for what
// reaches the dialog by way of the display, such as the pointer's moves.
Step WaitUntil(std::function<bool(HWND)> done, std::string what) {
  auto ticks = std::make_shared<int>(0);
  return [=](HWND hwnd) {
    if (done(hwnd)) return;
    if (++*ticks < 100) {
      --next_step;
    } else {
      ADD_FAILURE() << what;
    }
  };
}

// Chooses the maker from the keyboard: the first entry, then down the list.
Step PickMaker(int row) {
  return [row](HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_MANUFACTURER));
    std::vector<WORD> keys = {VK_HOME};
    keys.insert(keys.end(), static_cast<std::size_t>(row), VK_DOWN);
    for (WORD key : keys) Keys({key});
  };
}

Step ClickItem(int id, int clicks = 1) {
  return [=](HWND dialog) { Click(GetDlgItem(dialog, id), clicks); };
}

Step TypeCode(std::wstring code) {
  return [code](HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDC_HUB_CODE));
    Type(code);
  };
}

Step Press(WORD key) {
  return [key](HWND) { Keys({key}); };
}

Step ExpectResult(std::wstring text) {
  return [text](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_RESULT), text); };
}

const std::wstring kNoDate =
    L"No date string found in the provided input. Please check the serial code you entered.";

TEST(Win32Dialog, OpensEmptyWithTheFocusOnProcess) {
  CDecoderDlg dialog;
  EXPECT_EQ(RunDialog(dialog, {[](HWND hwnd) {
                                 EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDC_PROCESS));
                                 EXPECT_EQ(Text(hwnd), L"Varnock v2.0B1 [BETA]");
                                 EXPECT_EQ(ItemText(hwnd, IDC_VERSION_LABEL), L"version 2.0B1");
                                 EXPECT_EQ(ItemText(hwnd, IDC_HUB_CODE), L"");
                                 EXPECT_EQ(ItemText(hwnd, IDC_RESULT), L"");
                                 EXPECT_EQ(SendDlgItemMessageW(hwnd, IDC_MANUFACTURER, CB_GETCURSEL,
                                                               0, 0),
                                           CB_ERR);
                                 for (const auto& [id, decade] : varnock::res::kDecadeButtons) {
                                   EXPECT_EQ(IsDlgButtonChecked(hwnd, id), BST_UNCHECKED);
                                 }
                               },
                               Press(VK_ESCAPE)}),
            IDCANCEL);
}

TEST(Win32Dialog, CloseAndTheCloseBoxEndIt) {
  CDecoderDlg by_button;
  EXPECT_EQ(RunDialog(by_button, {ClickItem(IDCANCEL)}), IDCANCEL);
  CDecoderDlg by_box;
  EXPECT_EQ(RunDialog(by_box, {[](HWND hwnd) { PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            IDCANCEL);
}

// Every control where the template puts it, in dialog units as Windows converts them:
// place and size each on their own, as the dialog manager does.
TEST(Win32Dialog, ControlsStandWhereTheTemplatePutsThem) {
  CDecoderDlg dialog;
  LONG dropped_bottom = 0;
  RunDialog(
      dialog,
      {[&](HWND hwnd) {
         HWND control = GetWindow(hwnd, GW_CHILD);  // template order
         for (const auto& c : varnock::res::kMainDialogControls) {
           ASSERT_NE(control, nullptr);
           RECT expected{c.x, c.y, c.width, c.height};  // place, then size
           MapDialogRect(hwnd, &expected);
           RECT actual;
           GetWindowRect(control, &actual);
           MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&actual), 2);
           EXPECT_EQ(actual.left, expected.left) << c.id;
           EXPECT_EQ(actual.top, expected.top) << c.id;
           if (c.kind == varnock::res::ControlKind::kDropDownList) {
             dropped_bottom = expected.top + expected.bottom;  // checked below
           } else if (c.kind == varnock::res::ControlKind::kPicture) {
             // Shown at its own size: the 100 x 32 bitmap of 24 bits.
             const auto* bitmap = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(
                 nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_LOGO), RT_BITMAP))));
             EXPECT_EQ(bitmap->biWidth, 100);
             EXPECT_EQ(bitmap->biHeight, 32);
             EXPECT_EQ(bitmap->biBitCount, 24);
           } else {
             EXPECT_EQ(actual.right - actual.left, expected.right) << c.id;
             EXPECT_EQ(actual.bottom - actual.top, expected.bottom) << c.id;
           }
           control = GetWindow(control, GW_HWNDNEXT);
         }
       },
       // Dropped, the list reaches as far as whole rows fit in the template's
       // height, and scrolls for the rest.
       [](HWND hwnd) {
         SetFocus(GetDlgItem(hwnd, IDC_MANUFACTURER));
         Keys({VK_F4});
       },
       [&](HWND hwnd) {
         COMBOBOXINFO combo{};
         combo.cbSize = sizeof combo;
         GetComboBoxInfo(GetDlgItem(hwnd, IDC_MANUFACTURER), &combo);
         RECT list;
         GetWindowRect(combo.hwndList, &list);
         MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&list), 2);
         const auto row = SendMessageW(combo.hwndList, LB_GETITEMHEIGHT, 0, 0);
         EXPECT_TRUE(IsWindowVisible(combo.hwndList));
         EXPECT_LE(list.bottom, dropped_bottom);
         EXPECT_GT(list.bottom, dropped_bottom - row);
         EXPECT_TRUE(GetWindowLongW(combo.hwndList, GWL_STYLE) & WS_VSCROLL);
       },
       Press(VK_ESCAPE), Press(VK_ESCAPE)});
}

TEST(Win32Dialog, EnterDecodesTheUpperCasedCode) {
  CDecoderDlg dialog;
  RunDialog(dialog, {PickMaker(0), TypeCode(L"kc15"),
                     [](HWND hwnd) { EXPECT_EQ(ItemText(hwnd, IDC_HUB_CODE), L"KC15"); },
                     Press(VK_RETURN), ExpectResult(L"March 15th, 2006"), Press(VK_ESCAPE)});
}

TEST(Win32Dialog, ThePlusMinusEntryRoutesAndADecadeCounts) {
  CDecoderDlg dialog;
  RunDialog(dialog, {PickMaker(4), ClickItem(IDC_DECADE_2020), TypeCode(L"mk1"),
                     ClickItem(IDC_PROCESS), ExpectResult(L"2021"), ClickItem(IDC_DECADE_1990),
                     ClickItem(IDC_PROCESS), ExpectResult(L"1991"), Press(VK_ESCAPE)});
}

TEST(Win32Dialog, ErrorsShowInAMessageBoxAndKeepTheDate) {
  CDecoderDlg dialog;
  const std::wstring note =
      kNoDate +
      L"\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, the disc is "
      L"likely made in 2000 or 2010, therefore you should add a 0 to the beginning.";
  RunDialog(dialog,
            {PickMaker(7), ClickItem(IDC_DECADE_2000), TypeCode(L"5123"), Press(VK_RETURN),
             [](HWND hwnd) { SetDlgItemTextW(hwnd, IDC_HUB_CODE, L"123"); }, Press(VK_RETURN),
             [note](HWND hwnd) {
               const SeenBox box = ReadBox(hwnd);
               EXPECT_EQ(box.caption, L"Error");
               EXPECT_EQ(box.text, note);
               EXPECT_EQ(box.icon, LoadIconW(nullptr, IDI_EXCLAMATION));
               EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
             },
             Press(VK_RETURN), ExpectResult(L"May 3rd, 2005"), Press(VK_ESCAPE)});
}

TEST(Win32Dialog, NoDecadeAsksForOneAndNoMakerDoesNothing) {
  CDecoderDlg dialog;
  RunDialog(dialog, {Press(VK_RETURN),
                     [](HWND hwnd) {
                       EXPECT_EQ(
                           ReadBox(hwnd).text,
                           L"No decade selected. This manufacturer requires a decade estimate.");
                     },
                     Press(VK_RETURN), ClickItem(IDC_DECADE_2000),
                     [](HWND hwnd) { SetDlgItemTextW(hwnd, IDC_RESULT, L"shown before"); },
                     ClickItem(IDC_PROCESS),
                     [](HWND hwnd) {
                       EXPECT_EQ(GetLastActivePopup(hwnd), hwnd);  // no box
                       EXPECT_EQ(ItemText(hwnd, IDC_RESULT), L"shown before");
                     },
                     Press(VK_ESCAPE)});
}

TEST(Win32Dialog, TheFirst127CharactersArePastedUpperCase) {
  CDecoderDlg dialog;
  const auto paste = [](std::wstring text) {
    return [text](HWND hwnd) {
      OpenClipboard(hwnd);
      EmptyClipboard();
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
      std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
      GlobalUnlock(memory);
      SetClipboardData(CF_UNICODETEXT, memory);
      CloseClipboard();
      SetFocus(GetDlgItem(hwnd, IDC_HUB_CODE));
      SendDlgItemMessageW(hwnd, IDC_HUB_CODE, EM_SETSEL, 0, -1);
      INPUT keys[4] = {Input(INPUT_KEYBOARD), Input(INPUT_KEYBOARD), Input(INPUT_KEYBOARD),
                       Input(INPUT_KEYBOARD)};
      keys[0].ki.wVk = keys[3].ki.wVk = VK_CONTROL;  // Ctrl+V
      keys[1].ki.wVk = keys[2].ki.wVk = 'V';
      keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(4, keys, sizeof(INPUT));
    };
  };
  RunDialog(dialog, {PickMaker(0), paste(std::wstring(123, L'x') + L"kc15"),
                     [](HWND hwnd) {
                       EXPECT_EQ(ItemText(hwnd, IDC_HUB_CODE), std::wstring(123, L'X') + L"KC15");
                     },
                     Press(VK_RETURN), ExpectResult(L"March 15th, 2006"),
                     paste(std::wstring(124, L'x') + L"kc15"), Press(VK_RETURN),
                     [](HWND hwnd) { EXPECT_EQ(ReadBox(hwnd).text, kNoDate); }, Press(VK_RETURN),
                     Press(VK_ESCAPE)});
}

TEST(Win32Dialog, HandOverTheLogoAloneAndOnePagePerClick) {
  CDecoderDlg dialog;
  std::vector<std::wstring> opened;
  dialog.SetPageOpener([&](const wchar_t* url) { opened.push_back(url); });
  const auto cursor_over = [](int id, LPCWSTR shape) {
    return WaitUntil([=](HWND) { return GetCursor() == LoadCursorW(nullptr, shape); },
                     "the cursor over control " + std::to_string(id));
  };
  RunDialog(
      dialog,
      {ClickItem(IDC_LOGO, 0), cursor_over(IDC_LOGO, IDC_HAND), ClickItem(IDC_VERSION_LABEL, 0),
       cursor_over(IDC_VERSION_LABEL, IDC_ARROW), ClickItem(IDC_LOGO, 0),
       cursor_over(IDC_LOGO, IDC_HAND), ClickItem(IDC_YEARS_LABEL, 0),
       cursor_over(IDC_YEARS_LABEL, IDC_ARROW), ClickItem(IDC_LOGO),
       [&](HWND) { EXPECT_EQ(opened, std::vector<std::wstring>{L"https://varnock.example.org/"}); },
       [](HWND) { Sleep(GetDoubleClickTime() + 50); }, ClickItem(IDC_LOGO, 2),
       ClickItem(IDC_VERSION_LABEL), ClickItem(IDC_YEARS_LABEL),
       [&](HWND) { EXPECT_EQ(opened.size(), 2u); }, Press(VK_ESCAPE)});
}

}  // namespace
