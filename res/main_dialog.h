// The main dialog's template, as a resource script would hold it: size, caption, font,
// every control with its identifier, text, place in dialog units and styles, and the
// manufacturer list's initial data. The dialog is built from this table alone.
#pragma once

#include <array>
#include <string_view>

#include <varnock/makers.h>
#include "varnock_version.h"

namespace varnock::res {

enum class ControlKind {
  kAutoRadioButton,
  kDefPushButton,
  kPushButton,
  kGroupBox,
  kEdit,
  kStatic,
  kDropDownList,  // not editable; its height includes the dropped list
  kPicture,       // a bitmap shown at its own size
};

// Style bits, named after the window styles they stand for. kGroup, kAutoHScroll,
// kVScroll and kTransparent record the template; Qt's widgets behave so by default.
enum Style : unsigned {
  kGroup = 1U << 0,        // starts a group of controls
  kTabStop = 1U << 1,      // reached with Tab
  kBorder = 1U << 2,
  kUpperCase = 1U << 3,    // typed and pasted letters become upper case
  kAutoHScroll = 1U << 4,  // text scrolls sideways as it grows
  kReadOnly = 1U << 5,
  kCenter = 1U << 6,       // text centred horizontally and vertically
  kSunken = 1U << 7,
  kStaticEdge = 1U << 8,   // a thin sunken edge
  kNotify = 1U << 9,       // sends click notifications; a static without it ignores the mouse
  kVScroll = 1U << 10,
  kTransparent = 1U << 11,
};

struct ControlTemplate {
  std::string_view id;  // resource identifier, also the widget's object name; empty: none
  int number;           // -1: no identifier
  ControlKind kind;
  std::string_view text;  // for a picture, the bitmap's resource path
  int x, y, width, height;  // dialog units
  unsigned styles;
  std::string_view buddy;  // for a label: the control it names
};

struct DialogTemplate {
  std::string_view id;
  int number;
  int width, height;  // dialog units
  std::string_view caption;
  std::string_view font_family;
  int font_point_size;
  std::string_view icon;  // resource path of the window's small icon
};

inline constexpr DialogTemplate kMainDialog = {
    "IDD_MAIN_DIALOG", 102, 315, 100,
    "Varnock v" VARNOCK_DISPLAY_VERSION " [" VARNOCK_RELEASE_STAGE "]",
    "Microsoft Sans Serif", 8, ":/varnock/varnock-16.png"};

// In template order, which is also the tab order and the stacking order (first on top).
inline constexpr std::array<ControlTemplate, 17> kMainDialogControls = {{
    {"IDC_DECADE_2000", 1004, ControlKind::kAutoRadioButton, "2000s", 101, 46, 35, 10, kGroup, {}},
    {"IDC_DECADE_1990", 1003, ControlKind::kAutoRadioButton, "1990s", 61, 46, 35, 10, 0, {}},
    {"IDC_DECADE_2010", 1005, ControlKind::kAutoRadioButton, "2010s", 141, 46, 35, 10, 0, {}},
    {"IDC_DECADE_2020", 1021, ControlKind::kAutoRadioButton, "2020s", 181, 46, 35, 10, 0, {}},
    {"IDC_PROCESS", 1009, ControlKind::kDefPushButton, "Process", 241, 12, 63, 14, kTabStop, {}},
    {"IDCANCEL", 2, ControlKind::kPushButton, "Close", 241, 30, 63, 14, kTabStop, {}},
    {{}, -1, ControlKind::kGroupBox, "Input ", 7, 7, 227, 55, 0, {}},
    {"IDC_HUB_CODE", 1000, ControlKind::kEdit, "", 61, 16, 153, 13,
     kBorder | kTabStop | kUpperCase | kAutoHScroll, {}},
    {{}, -1, ControlKind::kStatic, "Hub code", 13, 18, 33, 10, kGroup, "IDC_HUB_CODE"},
    {"IDC_MANUFACTURER", 1002, ControlKind::kDropDownList, "", 61, 30, 153, 101,
     kVScroll | kTabStop | kAutoHScroll, {}},
    {{}, -1, ControlKind::kStatic, "Manufacturer", 13, 31, 46, 9, kGroup, "IDC_MANUFACTURER"},
    {{}, -1, ControlKind::kStatic, "Decade", 13, 46, 34, 12, kGroup, {}},
    {{}, -1, ControlKind::kGroupBox, "Manufacturing date", 7, 65, 227, 30, 0, {}},
    {"IDC_RESULT", 1006, ControlKind::kEdit, "", 13, 75, 209, 15,
     kBorder | kTabStop | kAutoHScroll | kReadOnly, {}},
    {"IDC_VERSION_LABEL", 1020, ControlKind::kStatic, "version " VARNOCK_DISPLAY_VERSION, 240, 47,
     67, 11, kCenter | kStaticEdge | kGroup, {}},
    {"IDC_YEARS_LABEL", 1018, ControlKind::kStatic, VARNOCK_YEARS_NOTICE, 240, 61, 67, 11,
     kCenter | kSunken | kStaticEdge | kGroup, {}},
    {"IDC_LOGO", 1022, ControlKind::kPicture, ":/varnock/logo.png", 240, 74, 68, 21,
     kNotify | kStaticEdge | kTransparent, {}},
}};

// The manufacturer list's initial data, in the list's order: the makers' names.
inline constexpr const auto& kManufacturerListData = kMakers;

}  // namespace varnock::res
