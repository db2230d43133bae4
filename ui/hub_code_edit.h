// The hub code field: every letter typed, pasted or dropped turns to upper case as it
// arrives, one character for one, and each edit stays undoable. A pasted text keeps its
// first line, as a one-line field on Windows takes it: a line break would look like a
// blank, yet keep the code from decoding.
#pragma once

#include <QClipboard>
#include <QLineEdit>

class HubCodeEdit : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

  // Each character's own upper case, so that "ß" stays one character.
  static QString UpperCase(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Paste(QClipboard::Mode mode);
};
