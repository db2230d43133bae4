#include "dialog_template.h"

#include <commctrl.h>

#include <string_view>

#include <varnock/code_page.h>

#include "main_dialog.h"
#include "wide_text.h"

namespace varnock::win32 {
namespace {

using res::ControlKind;
using res::ControlTemplate;

constexpr DWORD kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               DS_MODALFRAME | DS_3DLOOK | DS_SETFONT;

// Predefined window classes, as a template names them by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

struct KindStyle {
  WORD window_class;
  DWORD style;
};

KindStyle StyleOfKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::kAutoRadioButton:
      return {kButtonClass, BS_AUTORADIOBUTTON};
    case ControlKind::kDefPushButton:
      return {kButtonClass, BS_DEFPUSHBUTTON};
    case ControlKind::kPushButton:
      return {kButtonClass, BS_PUSHBUTTON};
    case ControlKind::kGroupBox:
      return {kButtonClass, BS_GROUPBOX};
    case ControlKind::kEdit:
      return {kEditClass, ES_LEFT};
    case ControlKind::kStatic:
      return {kStaticClass, SS_LEFT};
    case ControlKind::kDropDownList:
      return {kComboBoxClass, CBS_DROPDOWNLIST};
    case ControlKind::kPicture:
      return {kStaticClass, SS_BITMAP};
  }
  return {};
}

// The window style each of the template's style bits stands for; some depend on the
// control's class.
DWORD Style(const ControlTemplate& control, WORD window_class) {
  const unsigned bits = control.styles;
  const bool combo = window_class == kComboBoxClass;
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (bits & res::kGroup) style |= WS_GROUP;
  if (bits & res::kTabStop) style |= WS_TABSTOP;
  if (bits & res::kBorder) style |= WS_BORDER;
  if (bits & res::kUpperCase) style |= ES_UPPERCASE;
  if (bits & res::kAutoHScroll) style |= combo ? CBS_AUTOHSCROLL : ES_AUTOHSCROLL;
  if (bits & res::kReadOnly) style |= ES_READONLY;
  if (bits & res::kCenter) style |= SS_CENTER | SS_CENTERIMAGE;
  if (bits & res::kSunken) style |= SS_SUNKEN;
  if (bits & res::kNotify) style |= SS_NOTIFY;
  if (bits & res::kVScroll) style |= WS_VSCROLL;
  return style;
}

DWORD ExStyle(const ControlTemplate& control) {
  DWORD style = 0;
  if (control.styles & res::kStaticEdge) style |= WS_EX_STATICEDGE;
  if (control.styles & res::kTransparent) style |= WS_EX_TRANSPARENT;
  return style;
}

class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Number(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
  // A code-page text as the template holds it: UTF-16, ending in a zero.
  void Text(std::string_view text) {
    for (wchar_t c : Widen(CodePageToUtf8(text))) Word(c);
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

}  // namespace

std::vector<WORD> BuildMainDialogTemplate() {
  const res::DialogTemplate& dialog = res::kMainDialog;
  TemplateWriter out;
  out.Word(1);       // version of the extended template
  out.Word(0xFFFF);  // its signature
  out.Dword(0);      // help id
  out.Dword(WS_EX_APPWINDOW);
  out.Dword(kDialogStyle);
  out.Number(static_cast<int>(res::kMainDialogControls.size()));
  out.Number(0);  // at 0, 0: the dialog is centred when it opens
  out.Number(0);
  out.Number(dialog.width);
  out.Number(dialog.height);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog manager's own window class
  out.Text(dialog.caption);
  out.Number(dialog.font_point_size);
  out.Word(FW_NORMAL);
  out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // not italic
  out.Text(dialog.font_family);
  for (const ControlTemplate& control : res::kMainDialogControls) {
    const KindStyle kind = StyleOfKind(control.kind);
    out.AlignToDword();
    out.Dword(0);  // help id
    out.Dword(ExStyle(control));
    out.Dword(kind.style | Style(control, kind.window_class));
    out.Number(control.x);
    out.Number(control.y);
    out.Number(control.width);
    out.Number(control.height);
    out.Dword(static_cast<DWORD>(control.id));
    out.Word(0xFFFF);
    out.Word(kind.window_class);
    if (control.kind == ControlKind::kPicture) {
      out.Word(0xFFFF);  // a bitmap resource, by number
      out.Number(control.image);
    } else {
      out.Text(control.text);
    }
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace varnock::win32
