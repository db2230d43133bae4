// What the Qt dialog does as Windows' dialog manager does it: dialog units from the
// dialog's font, and the arrow keys' moves through a template's groups.
#pragma once

#include <QFont>
#include <QRect>

#include <cstddef>
#include <span>

#include "main_dialog.h"

// Dialog units as Windows derives them from the dialog's font: a horizontal unit is a
// quarter of the average character width, a vertical unit an eighth of the height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int base_width() const { return base_width_; }
  void set_base_width(int base) { base_width_ = base; }

  QRect ToPixels(const QRect& units) const;

 private:
  int base_width_;
  int base_height_;
};

// A control that Tab or an arrow key can bring the focus to: not a label, a group box or
// a picture.
bool TakesFocus(const varnock::res::ControlTemplate& control);

// Where an arrow key takes the focus from the push button at `at` of a template: `step`
// (1 or -1) at a time round the button's group, which runs from the control that starts
// it to the next start, to the first control that takes the focus. `at` itself where no
// other does.
std::size_t ArrowTarget(std::span<const varnock::res::ControlTemplate> controls, std::size_t at,
                        int step);
