// The decoder for the page: plain C functions that JavaScript calls, with texts in
// UTF-8 in the module's memory (web/varnock_api.js wraps them).
#include <emscripten/emscripten.h>

#include <algorithm>
#include <string>

#include <varnock/candidates.h>
#include <varnock/code_page.h>
#include <varnock/hub_code_decoder.h>
#include <varnock/makers.h>

#include "json_text.h"
#include "main_dialog.h"
#include "varnock_version.h"

namespace {

// The text of the last call, for the page to read before its next one: the page
// decodes one code at a time, on its one thread.
std::string last_text;

// A code-page text as a JSON string.
std::string Json(std::string_view text) {
  return varnock::res::JsonString(varnock::CodePageToUtf8(text));
}

// The decade of its first year; any other number is none.
varnock::Decade ChosenDecade(int year) {
  const auto& decades = varnock::kDecades;
  const auto chosen = std::find(decades.begin(), decades.end(), static_cast<varnock::Decade>(year));
  return chosen == decades.end() ? varnock::Decade::kNone : *chosen;
}

// The text of the label that names the control.
std::string_view LabelOf(int id) {
  const auto& controls = varnock::res::kMainDialogControls;
  return std::find_if(controls.begin(), controls.end(),
                      [id](const auto& c) { return c.buddy == id; })
      ->text;
}

// The title of the group box around the control.
std::string_view GroupOf(int id) {
  const auto& inner = varnock::res::FindControl(id);
  const auto& controls = varnock::res::kMainDialogControls;
  return std::find_if(controls.begin(), controls.end(),
                      [&inner](const auto& c) {
                        return c.kind == varnock::res::ControlKind::kGroupBox && c.x <= inner.x &&
                               c.y <= inner.y && inner.x + inner.width <= c.x + c.width &&
                               inner.y + inner.height <= c.y + c.height;
                      })
      ->text;
}

}  // namespace

extern "C" {

// Decodes the code, `length` bytes of UTF-8, as the dialog decodes the same keystrokes:
// upper case, the first 127 characters. `maker` is a short id (any other text: no
// maker), `decade` 0 or a decade's first year (any other number: none). Returns 0 for
// no result, 1 for a date, 2 for an error and 3 for a code that is not UTF-8;
// varnock_text() then holds the date or the message.
EMSCRIPTEN_KEEPALIVE int varnock_decode(const char* maker, int decade, const char* code,
                                        std::size_t length) {
  last_text.clear();
  const std::optional<std::string> typed = varnock::Utf8ToCodePage({code, length}, true);
  if (!typed) return 3;
  const varnock::DecodeResult result =
      varnock::HubCodeDecoder::Decode(varnock::FindMakerById(maker), ChosenDecade(decade), *typed);
  last_text = varnock::CodePageToUtf8(result.text);
  switch (result.kind) {
    case varnock::DecodeResult::Kind::Date:
      return 1;
    case varnock::DecodeResult::Kind::Error:
      return 2;
    case varnock::DecodeResult::Kind::None:
      break;
  }
  return 0;
}

EMSCRIPTEN_KEEPALIVE const char* varnock_text() { return last_text.c_str(); }

// The candidates of the code (as for varnock_decode) under `maker`, a short id or "any"
// for every maker, and `decade`, a decade's first year or -1 for every decade, none
// after today (`year`, `month`, `day`), as JSON: {"found": [{"makers": [names], "decade":
// year or 0, "text": date}], "after_today": count, "message": why none was found};
// {"invalid": true} for a code that is not UTF-8.
EMSCRIPTEN_KEEPALIVE const char* varnock_candidates(const char* maker, int decade, const char* code,
                                                    std::size_t length, int year, int month,
                                                    int day) {
  const std::optional<std::string> typed = varnock::Utf8ToCodePage({code, length}, true);
  if (!typed) return (last_text = "{\"invalid\": true}").c_str();
  std::optional<varnock::Decade> chosen;
  if (decade != -1) chosen = ChosenDecade(decade);
  const varnock::Candidates candidates = varnock::FindCandidates(
      {std::string_view(maker) == "any" ? std::nullopt : varnock::FindMakerById(maker),
       chosen,
       *typed,
       {year, month, day}});
  std::string found;
  for (const varnock::Candidate& candidate : candidates.found) {
    std::string makers;
    for (varnock::Maker each : candidate.makers)
      makers += (makers.empty() ? "" : ", ") + Json(varnock::Info(each).name);
    found += (found.empty() ? "" : ", ") + std::string("{\"makers\": [") + makers +
             "], \"decade\": " + std::to_string(varnock::DecadeYear(candidate.decade)) +
             ", \"text\": " + Json(candidate.text) + "}";
  }
  last_text = "{\"found\": [" + found +
              "], \"after_today\": " + std::to_string(candidates.after_today) +
              ", \"message\": " + Json(candidates.message) + "}";
  return last_text.c_str();
}

// The dialog's words and the makers, as JSON, from which the page is built.
EMSCRIPTEN_KEEPALIVE const char* varnock_page_texts() {
  using varnock::res::FindControl;
  std::string makers, decades;
  for (const varnock::MakerInfo& maker : varnock::res::kManufacturerListData) {
    makers += (makers.empty() ? "" : ", ") + std::string("[") + Json(maker.id) + ", " +
              Json(maker.name) + ", " + (maker.needs_decade ? "true" : "false") + "]";
  }
  for (const auto& [id, decade] : varnock::res::kDecadeButtons) {
    decades += (decades.empty() ? "" : ", ") + std::string("[") +
               std::to_string(varnock::DecadeYear(decade)) + ", " + Json(FindControl(id).text) +
               "]";
  }
  last_text = "{\"caption\": " + Json(varnock::res::kMainDialog.caption) +
              ", \"code\": " + Json(LabelOf(IDC_HUB_CODE)) +
              ", \"maker\": " + Json(LabelOf(IDC_MANUFACTURER)) +
              ", \"decade\": " + Json(LabelOf(IDC_DECADE_2000)) +
              ", \"process\": " + Json(FindControl(IDC_PROCESS).text) +
              ", \"result\": " + Json(GroupOf(IDC_RESULT)) +
              ", \"version\": " + Json(FindControl(IDC_VERSION_LABEL).text) +
              ", \"notice\": " + Json(FindControl(IDC_YEARS_LABEL).text) +
              ", \"homepage\": " + Json(VARNOCK_HOMEPAGE) +
              ", \"logo\": " + Json(varnock::res::kLogoName) + ", \"decades\": [" + decades +
              "], \"makers\": [" + makers + "]}";
  return last_text.c_str();
}

}  // extern "C"
