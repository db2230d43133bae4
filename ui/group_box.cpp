#include "group_box.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>

QRect GroupBox::FrameRect() const { return rect().adjusted(0, fontMetrics().height() / 2, 0, 0); }

QRect GroupBox::TitleRect() const {
  // Indented by one average character, as Windows draws it.
  const QFontMetrics metrics = fontMetrics();
  return {metrics.averageCharWidth(), 0, metrics.horizontalAdvance(title()), metrics.height()};
}

// An etched frame, the same in every style: the styles' own group-box frames leave room
// for a title above them.
void GroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawShadeRect(&painter, FrameRect(), palette(), /*sunken=*/true);
  painter.fillRect(TitleRect(), palette().window());
  style()->drawItemText(&painter, TitleRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}
