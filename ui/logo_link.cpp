#include "logo_link.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <mutex>

namespace {

// A link, as a screen reader reads and presses one.
class LogoLinkAccessible : public QAccessibleWidget {
 public:
  explicit LogoLinkAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Link) {}

  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      emit static_cast<LogoLink*>(widget())->activated();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    return state;
  }
};

QAccessibleInterface* MakeAccessible(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String("LogoLink")) {
    return new LogoLinkAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

LogoLink::LogoLink(const QIcon& picture, QSize size, QWidget* parent)
    : QFrame(parent), picture_(picture), size_(size) {
  static std::once_flag factory;
  std::call_once(factory, [] { QAccessible::installFactory(MakeAccessible); });
  setFocusPolicy(Qt::TabFocus);  // a click opens the page and leaves the focus where it was
  setCursor(Qt::PointingHandCursor);
}

QSize LogoLink::sizeHint() const { return size_.grownBy(contentsMargins()); }

void LogoLink::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawPixmap(contentsRect().topLeft(), picture_.pixmap(size_, devicePixelRatioF()));
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = contentsRect().adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

// A double click's second press arrives as a double click, not a press, and opens
// nothing more.
void LogoLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit activated();
  } else {
    QFrame::mousePressEvent(event);
  }
}

void LogoLink::mouseDoubleClickEvent(QMouseEvent*) {}

void LogoLink::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      emit activated();
      break;
    default:
      QFrame::keyPressEvent(event);
  }
}
