// A group box drawn as a dialog template means it: the frame's top line runs through the
// middle of the title, which interrupts it. Qt's styles draw the title above the frame,
// so a template's controls would overlap the frame's top line.
#pragma once

#include <QGroupBox>

class GroupBox : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;

  // The frame, in the box's own coordinates: its top line at half the title's height.
  QRect FrameRect() const;
  // Where the title is drawn, over the frame's top line.
  QRect TitleRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
