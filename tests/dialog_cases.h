// What a person does in the main dialog and what it must show, the same for every
// realisation of the dialog: each case starts from a fresh dialog whose result field
// holds kShownBefore, so that an error or no result must leave it as it was.
#pragma once

#include <string_view>

#include "resource.h"
#include "texts.h"

inline constexpr const char* kShownBefore = "(shown before)";

struct DialogCase {
  const char* name;
  int maker_row;             // picked from the keyboard; -1: none
  int decade;                // the button clicked; 0: none
  const char* typed;         // UTF-8
  bool press_enter;          // in the code field; else a click on Process
  const char* result;        // the result field afterwards
  std::string_view message = {};  // the message box's text; empty: no box
  int filler = 0;                 // 'X's typed before `typed`
};

// clang-format off
inline constexpr DialogCase kDialogCases[] = {
    {"nothing chosen asks for a decade", -1, 0, "", false, kShownBefore, kNoDecade},
    {"CMC needs no decade, Enter decodes", 0, 0, "kc15", true, "March 15th, 2006"},
    {"1990s", 10, IDC_DECADE_1990, "ri50615", false, "June 15th, 1995"},
    {"2000s, and the note in two paragraphs", 7, IDC_DECADE_2000, "123", true, kShownBefore, kNoDateNote},
    {"2010s", 8, IDC_DECADE_2010, "50615", true, "June 15th, 2015"},
    {"2020s and the plus-minus entry", 4, IDC_DECADE_2020, "mk1", false, "2021"},
    {"a date that ends at the 127th character decodes", 0, 0, "KC15", true, "March 15th, 2006", {}, 123},
    {"the 128th character is cut", 0, 0, "KC15", true, kShownBefore, kNoDate, 124},
    {"a Latin letter reaches the decoder in upper case", 1, 0, "x\u00e912abc25", true,
     "December 25th, 1879"},
    {"a decade and no maker do nothing", -1, IDC_DECADE_2000, "KC15", false, kShownBefore},
};
// clang-format on

// The keyboard in the main dialog, from Process with no decade checked: each key, then
// the control with the focus and the decade checked (0: none). Tab stops at the checked
// decade; the arrows move from Process as the dialog manager moves them (its group runs
// from the first decade button on) and round the decades in the order they are shown.
struct KeyMove {
  char key;  // the arrows 'U', 'D', 'L', 'R'; 'T' Tab, 'B' Shift+Tab
  int focused;
  int checked;
};

// clang-format off
inline constexpr KeyMove kKeyMoves[] = {
    {'D', IDCANCEL, 0}, {'U', IDC_PROCESS, 0}, {'U', IDC_DECADE_2020, IDC_DECADE_2020},
    {'R', IDC_DECADE_1990, IDC_DECADE_1990}, {'D', IDC_DECADE_2000, IDC_DECADE_2000},
    {'R', IDC_DECADE_2010, IDC_DECADE_2010}, {'L', IDC_DECADE_2000, IDC_DECADE_2000},
    {'U', IDC_DECADE_1990, IDC_DECADE_1990}, {'L', IDC_DECADE_2020, IDC_DECADE_2020},
    {'T', IDC_PROCESS, IDC_DECADE_2020}, {'L', IDC_DECADE_2020, IDC_DECADE_2020},
    {'L', IDC_DECADE_2010, IDC_DECADE_2010}, {'B', IDC_LOGO, IDC_DECADE_2010},
    {'T', IDC_DECADE_2010, IDC_DECADE_2010}, {'T', IDC_PROCESS, IDC_DECADE_2010},
};
// clang-format on
