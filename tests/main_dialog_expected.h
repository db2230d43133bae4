// The main dialog's template written out, number by number, as the program must show
// it: what the dialog tests hold the template table and each dialog's real windows to.
#pragma once

#include <string_view>

#include "resource.h"

struct ExpectedControl {
  int id;
  std::string_view kind;
  std::string_view text;
  int x, y, width, height;  // dialog units
  std::string_view styles;  // as "group tabstop ...", in this order: group, tabstop,
                            // border, uppercase, autohscroll, readonly, center, sunken,
                            // staticedge, notify, vscroll, transparent
};

// Size in dialog units, caption, font and its point size.
inline constexpr std::string_view kExpectedDialog =
    "315x100 Varnock v2.0B1 [BETA] Microsoft Sans Serif 8";

// clang-format off
inline constexpr ExpectedControl kExpectedControls[] = {
    {IDC_DECADE_2000, "autoradio", "2000s", 101, 46, 35, 10, "group"},
    {IDC_DECADE_1990, "autoradio", "1990s", 61, 46, 35, 10, ""},
    {IDC_DECADE_2010, "autoradio", "2010s", 141, 46, 35, 10, ""},
    {IDC_DECADE_2020, "autoradio", "2020s", 181, 46, 35, 10, ""},
    {IDC_PROCESS, "defpush", "Process", 241, 12, 63, 14, "tabstop"},
    {IDCANCEL, "push", "Close", 241, 30, 63, 14, "tabstop"},
    {IDC_STATIC, "groupbox", "Input ", 7, 7, 227, 55, ""},
    {IDC_HUB_CODE, "edit", "", 61, 16, 153, 13, "tabstop border uppercase autohscroll"},
    {IDC_STATIC, "static", "Hub code", 13, 18, 33, 10, "group"},
    {IDC_MANUFACTURER, "dropdownlist", "", 61, 30, 153, 101, "tabstop autohscroll vscroll"},
    {IDC_STATIC, "static", "Manufacturer", 13, 31, 46, 9, "group"},
    {IDC_STATIC, "static", "Decade", 13, 46, 34, 12, "group"},
    {IDC_STATIC, "groupbox", "Manufacturing date", 7, 65, 227, 30, ""},
    {IDC_RESULT, "edit", "", 13, 75, 209, 15, "tabstop border autohscroll readonly"},
    {IDC_VERSION_LABEL, "static", "version 2.0B1", 240, 47, 67, 11, "group center staticedge"},
    {IDC_YEARS_LABEL, "static", "(c) 2024-2026", 240, 61, 67, 11, "group center sunken staticedge"},
    {IDC_LOGO, "picture", "", 240, 74, 68, 21, "staticedge notify transparent"},
};
// clang-format on
