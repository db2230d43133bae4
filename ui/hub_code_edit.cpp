#include "hub_code_edit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>

namespace {

QString FirstLine(const QString& text) {
  return text.left(text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
}

}  // namespace

QString HubCodeEdit::UpperCase(const QString& text) {
  QString upper;
  for (const char32_t c : text.toUcs4()) upper.append(QChar::fromUcs4(QChar::toUpper(c)));
  return upper;
}

void HubCodeEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    Paste(QClipboard::Clipboard);
    return;
  }
  const QString upper = UpperCase(event->text());
  if (upper == event->text()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  QKeyEvent typed(event->type(), event->key(), event->modifiers(), upper, event->isAutoRepeat(),
                  static_cast<quint16>(event->count()));
  QLineEdit::keyPressEvent(&typed);
  event->setAccepted(typed.isAccepted());
}

void HubCodeEdit::inputMethodEvent(QInputMethodEvent* event) {
  QInputMethodEvent composed(event->preeditString(), event->attributes());
  composed.setCommitString(UpperCase(event->commitString()), event->replacementStart(),
                           event->replacementLength());
  QLineEdit::inputMethodEvent(&composed);
}

// The standard menu, with Paste going through the same path as Ctrl+V. Qt names none of
// its actions: Paste is the one with Qt's own text for it, its keys after it or not (as
// on desktops that show no keys in menus).
void HubCodeEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
  for (QAction* action : menu->actions()) {
    if (!action->text().startsWith(paste)) continue;
    action->disconnect(this);
    connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
  }
  menu->popup(event->globalPos());
}

// The middle button pastes the selection, where the system has one.
void HubCodeEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection() &&
      !isReadOnly()) {
    deselect();
    Paste(QClipboard::Selection);
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void HubCodeEdit::dropEvent(QDropEvent* event) {
  if (event->source() == this) {  // moving its own text, already upper case
    QLineEdit::dropEvent(event);
    return;
  }
  QMimeData upper;
  upper.setText(UpperCase(FirstLine(event->mimeData()->text())));
  QDropEvent dropped(event->position(), event->possibleActions(), &upper, event->buttons(),
                     event->modifiers());
  QLineEdit::dropEvent(&dropped);
  event->setDropAction(dropped.dropAction());
  event->setAccepted(dropped.isAccepted());
}

// An insertion replaces the selection. Qt's field starts a new step of undo whenever its
// cursor moves, so a step aside and back makes the paste a step of its own.
void HubCodeEdit::Paste(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const int start = hasSelectedText() ? selectionStart() : cursorPosition();
  const auto length = static_cast<int>(selectedText().size());
  if (!text().isEmpty()) {
    setCursorPosition(start > 0 ? start - 1 : start + 1);
    length > 0 ? setSelection(start, length) : setCursorPosition(start);
  }
  insert(UpperCase(FirstLine(QApplication::clipboard()->text(mode))));
}
