// The main dialog's template, as a resource script holds it: size, caption, font, every
// control with its identifier, text, place in dialog units and styles, and the
// manufacturer list's initial data. Every front end builds the dialog from this alone.
#pragma once

#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "resource.h"
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

// Style bits, named after the window styles they stand for.
enum Style : unsigned {
  kGroup = 1U << 0,    // starts a group of controls
  kTabStop = 1U << 1,  // reached with Tab
  kBorder = 1U << 2,
  kUpperCase = 1U << 3,    // typed and pasted letters become upper case
  kAutoHScroll = 1U << 4,  // text scrolls sideways as it grows
  kReadOnly = 1U << 5,
  kCenter = 1U << 6,  // text centred horizontally and vertically
  kSunken = 1U << 7,
  kStaticEdge = 1U << 8,  // a thin sunken edge
  kNotify = 1U << 9,      // sends click notifications; a static without it ignores the mouse
  kVScroll = 1U << 10,
  kTransparent = 1U << 11,
};

struct ControlTemplate {
  int id;  // IDC_STATIC where no code refers to the control
  ControlKind kind;
  std::string_view text;    // in the code page; a picture shows `image` instead
  int x, y, width, height;  // dialog units
  unsigned styles;
  int buddy = 0;  // a label or group box: the control it names for screen readers
  int image = 0;  // a picture: its bitmap resource
};

struct DialogTemplate {
  int id;
  int width, height;  // dialog units
  std::string_view caption;
  std::string_view font_family;
  int font_point_size;
  int icon;  // the window's small icon
};

inline constexpr DialogTemplate kMainDialog = {IDD_MAIN_DIALOG,
                                               315,
                                               100,
                                               "Varnock v" VARNOCK_DISPLAY_VERSION
                                               " [" VARNOCK_RELEASE_STAGE "]",
                                               "Microsoft Sans Serif",
                                               8,
                                               IDR_APP_ICON};

// In template order, which is also the tab order and the stacking order (first on top).
inline constexpr std::array<ControlTemplate, 17> kMainDialogControls = {{
    {IDC_DECADE_2000, ControlKind::kAutoRadioButton, "2000s", 101, 46, 35, 10, kGroup},
    {IDC_DECADE_1990, ControlKind::kAutoRadioButton, "1990s", 61, 46, 35, 10, 0},
    {IDC_DECADE_2010, ControlKind::kAutoRadioButton, "2010s", 141, 46, 35, 10, 0},
    {IDC_DECADE_2020, ControlKind::kAutoRadioButton, "2020s", 181, 46, 35, 10, 0},
    {IDC_PROCESS, ControlKind::kDefPushButton, "Process", 241, 12, 63, 14, kTabStop},
    {IDCANCEL, ControlKind::kPushButton, "Close", 241, 30, 63, 14, kTabStop},
    {IDC_STATIC, ControlKind::kGroupBox, "Input ", 7, 7, 227, 55, 0},
    {IDC_HUB_CODE, ControlKind::kEdit, "", 61, 16, 153, 13,
     kBorder | kTabStop | kUpperCase | kAutoHScroll},
    {IDC_STATIC, ControlKind::kStatic, "Hub code", 13, 18, 33, 10, kGroup, IDC_HUB_CODE},
    {IDC_MANUFACTURER, ControlKind::kDropDownList, "", 61, 30, 153, 101,
     kVScroll | kTabStop | kAutoHScroll},
    {IDC_STATIC, ControlKind::kStatic, "Manufacturer", 13, 31, 46, 9, kGroup, IDC_MANUFACTURER},
    {IDC_STATIC, ControlKind::kStatic, "Decade", 13, 46, 34, 12, kGroup, IDC_DECADE_2000},
    {IDC_STATIC, ControlKind::kGroupBox, "Manufacturing date", 7, 65, 227, 30, 0, IDC_RESULT},
    {IDC_RESULT, ControlKind::kEdit, "", 13, 75, 209, 15,
     kBorder | kTabStop | kAutoHScroll | kReadOnly},
    {IDC_VERSION_LABEL, ControlKind::kStatic, "version " VARNOCK_DISPLAY_VERSION, 240, 47, 67, 11,
     kCenter | kStaticEdge | kGroup},
    {IDC_YEARS_LABEL, ControlKind::kStatic, VARNOCK_YEARS_NOTICE, 240, 61, 67, 11,
     kCenter | kSunken | kStaticEdge | kGroup},
    {IDC_LOGO, ControlKind::kPicture, "", 240, 74, 68, 21, kNotify | kStaticEdge | kTransparent, 0,
     IDB_LOGO},
}};

// The control with the identifier.
constexpr const ControlTemplate& FindControl(int id) {
  return *std::find_if(kMainDialogControls.begin(), kMainDialogControls.end(),
                       [id](const ControlTemplate& control) { return control.id == id; });
}

// What screen readers call the logo, a link to the project's web page.
inline constexpr std::string_view kLogoName = "Varnock web page";

// The decade buttons in the order a decode tests them: the first checked one counts.
inline constexpr std::array<std::pair<int, Decade>, 4> kDecadeButtons = {{
    {IDC_DECADE_1990, Decade::k1990s},
    {IDC_DECADE_2000, Decade::k2000s},
    {IDC_DECADE_2010, Decade::k2010s},
    {IDC_DECADE_2020, Decade::k2020s},
}};

// Whether the control is one of the decade buttons.
constexpr bool IsDecadeButton(int id) {
  return std::any_of(kDecadeButtons.begin(), kDecadeButtons.end(),
                     [id](const auto& row) { return row.first == id; });
}

// The manufacturer list's initial data, in the list's order: the makers' names.
inline constexpr const auto& kManufacturerListData = kMakers;

}  // namespace varnock::res
