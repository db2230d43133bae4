#include "dialog_rules.h"

#include <QFontMetrics>

using varnock::res::ControlKind;
using varnock::res::ControlTemplate;

namespace {

int Scale(int units, int base, int divisor) { return (units * base + divisor / 2) / divisor; }

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  base_width_ = (letters / 26 + 1) / 2;  // the width of 52 letters over 52, rounded
  base_height_ = metrics.height();
}

QRect DialogUnits::ToPixels(const QRect& units) const {
  return {Scale(units.x(), base_width_, 4), Scale(units.y(), base_height_, 8),
          Scale(units.width(), base_width_, 4), Scale(units.height(), base_height_, 8)};
}

bool TakesFocus(const ControlTemplate& control) {
  return control.kind != ControlKind::kStatic && control.kind != ControlKind::kGroupBox &&
         control.kind != ControlKind::kPicture;
}

std::size_t ArrowTarget(std::span<const ControlTemplate> controls, std::size_t at, int step) {
  std::size_t first = at;  // the group runs from the control that starts it to the next start
  while (first > 0 && !(controls[first].styles & varnock::res::kGroup)) --first;
  std::size_t end = at + 1;
  while (end < controls.size() && !(controls[end].styles & varnock::res::kGroup)) ++end;
  const auto size = static_cast<std::ptrdiff_t>(end - first);
  const auto here = static_cast<std::ptrdiff_t>(at - first);
  for (std::ptrdiff_t k = 1; k < size; ++k) {
    const auto next = first + static_cast<std::size_t>(((here + step * k) % size + size) % size);
    if (TakesFocus(controls[next])) return next;
  }
  return at;
}
