// The five ways makers write the date into a hub code. Each takes the code with its
// blanks removed and returns a Date or an Error.
#pragma once

#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include <string_view>

namespace varnock {

// CMC Magnetics: the first window "year letter, month letter A-L, two-digit day < 32".
// Year A is 1996: "KC15" gives "March 15th, 2006".
DecodedDate LetterMonthScheme(std::string_view code);

// Daxon Technology: the first window "letter, year character, two-digit month, three
// ignored characters, two-character day". Year A is 1999: "XF12ABC25" gives
// "December 25th, 2004".
DecodedDate OffsetDayScheme(std::string_view code);

// Ritek, MJC, Optodisc: the first five-digit window "year digit, month, day" that makes
// a plausible date. Decade 2000 and "RI50615" give "June 15th, 2005".
DecodedDate FiveDigitScheme(std::string_view code, Decade decade);

// TDK, both Mitsubishi entries, Taiyo Yuden: one year digit at the maker's place.
// TDK, decade 2000 and "A4XYZ" give "2004".
DecodedDate YearDigitScheme(std::string_view code, Decade decade, Maker maker);

// Kodak, Mitsui, Moser Baer, Prodisc: a year digit and a three-digit day of the year at
// the start. Decade 2000 and "4060" give "February 29th, 2004".
DecodedDate DayOfYearScheme(std::string_view code, Decade decade);

}  // namespace varnock
