// Decoding of a disc's hub code into its production date.
//
// Texts are single-byte strings in the Windows ANSI code page (see code_page.h for the
// conversion from Unicode); every function here is pure and never throws.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <varnock/calendar_text.h>

namespace varnock {

enum class Maker;

// The user's estimate of the decade of manufacture; kNone when no estimate is given.
enum class Decade : int {
  kNone = 0,
  k1990s = 1990,
  k2000s = 2000,
  k2010s = 2010,
  k2020s = 2020,
};

// The four estimates a user can choose, in increasing order.
inline constexpr std::array<Decade, 4> kDecades = {Decade::k1990s, Decade::k2000s, Decade::k2010s,
                                                   Decade::k2020s};

// The first year of the decade, or 0 for kNone.
constexpr int DecadeYear(Decade decade) { return static_cast<int>(decade); }

// One decode as the dialog gathers it. Both texts are at most 127 characters when they
// come from the dialog; the decoder handles any length.
struct DecodeRequest {
  std::string manufacturer;  // the maker's name exactly as listed, or empty
  Decade decade = Decade::kNone;
  std::string code;  // the hub code as typed, blanks included
};

struct DecodeResult {
  enum class Kind { None, Date, Error };

  Kind kind = Kind::None;
  std::string text;  // Date: the date or year to show; Error: the message; None: empty

  static DecodeResult Date(std::string text) { return {Kind::Date, std::move(text)}; }
  static DecodeResult Error(std::string_view message) {
    return {Kind::Error, std::string(message)};
  }

  friend bool operator==(const DecodeResult&, const DecodeResult&) = default;
};

// A decode with the date as numbers, which is what every scheme gives: Decode's result
// is this with the date written out.
struct DecodedDate {
  DecodeResult::Kind kind = DecodeResult::Kind::None;
  ProductionDate date;       // Date only
  std::string_view message;  // Error only: one of the messages below

  static DecodedDate Date(ProductionDate date) { return {DecodeResult::Kind::Date, date, {}}; }
  static DecodedDate Error(std::string_view message) {
    return {DecodeResult::Kind::Error, {}, message};
  }
  friend bool operator==(const DecodedDate&, const DecodedDate&) = default;
};

inline constexpr std::string_view kNoDateMessage =
    "No date string found in the provided input. Please check the serial code you "
    "entered.";
// kNoDateMessage, a blank line, then a note for codes written with three digits: the
// message of the day-of-year scheme alone.
inline constexpr std::string_view kNoDateMessageWithNote =
    "No date string found in the provided input. Please check the serial code you "
    "entered.\n\nNOTE: If you're trying to decode an MBI serial with 3 digits, the disc "
    "is likely made in 2000 or 2010, therefore you should add a 0 to the beginning.";
inline constexpr std::string_view kNoDecadeMessage =
    "No decade selected. This manufacturer requires a decade estimate.";
inline constexpr std::string_view kErrorCaption = "Error";

// Removes every blank (code 32) in place, keeping the order of the rest; tabs stay.
void StripSpaces(std::string& text);

class HubCodeDecoder {
 public:
  // The whole decode: strips blanks from the code, routes by maker, applies the decade
  // rule and runs the maker's scheme. {"CMC Magnetics", kNone, "KC15"} gives the Date
  // "March 15th, 2006"; an unknown or empty maker with a decade gives None.
  static DecodeResult Decode(const DecodeRequest& request);

  // The same decode for a maker already looked up by its name (nullopt: the name is no
  // maker's), for callers that decode many codes of one maker.
  static DecodeResult Decode(std::optional<Maker> maker, Decade decade, std::string_view code);

  // The same decode with the date as numbers. Allocates nothing for codes of up to 127
  // characters, for callers that decode a great many.
  static DecodedDate DecodeDate(std::optional<Maker> maker, Decade decade, std::string_view code);
};

}  // namespace varnock
