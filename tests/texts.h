// The decoder's messages, written out once for every test that expects them.
#pragma once

#include <string_view>

inline constexpr std::string_view kNoDate =
    "No date string found in the provided input. Please check the serial code you entered.";
inline constexpr std::string_view kNoDateNote =
    "No date string found in the provided input. Please check the serial code you entered."
    "\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, the disc is likely made "
    "in 2000 or 2010, therefore you should add a 0 to the beginning.";
inline constexpr std::string_view kNoDecade =
    "No decade selected. This manufacturer requires a decade estimate.";
