// The logo: a picture that is a link to the project's web page. A left click, or Enter
// or Space once Tab has brought the focus to it, opens the page; screen readers find a
// link with a name that they can activate.
#pragma once

#include <QFrame>
#include <QIcon>

class LogoLink : public QFrame {
  Q_OBJECT

 public:
  // The picture comes in several sizes; the one made for the screen's scale is drawn.
  LogoLink(const QIcon& picture, QSize size, QWidget* parent);

  QSize sizeHint() const override;

 signals:
  void activated();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QIcon picture_;
  QSize size_;  // in device-independent pixels
};
