#include "ui/FilteredLineEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace kelvo {

bool FilteredLineEdit::Accepts(char32_t key) const {
  if (!filter_) return true;
  const std::u32string text = this->text().toStdU32String();
  // A typed key replaces the selection, so the caret is where the selection
  // starts; it counts characters, not UTF-16 units.
  const int position = hasSelectedText() ? selectionStart() : cursorPosition();
  const int caret = static_cast<int>(this->text().left(position).toStdU32String().size());
  return filter_(text, caret, key);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  char32_t key = 0;
  if (event->key() == Qt::Key_Backspace && !command) {
    key = U'\b';
  } else if (!command && !event->text().isEmpty()) {
    const std::u32string typed = event->text().toStdU32String();
    if (typed.size() == 1 && typed[0] >= 0x20 && typed[0] != 0x7F) key = typed[0];
  }
  if (key != 0 && !Accepts(key)) {
    if (beep_) beep_();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  const std::u32string committed = event->commitString().toStdU32String();
  if (committed.size() == 1 && !Accepts(committed[0])) {
    if (beep_) beep_();
    QInputMethodEvent cleared(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&cleared);
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

}  // namespace kelvo
