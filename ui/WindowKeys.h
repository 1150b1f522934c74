#pragma once
// Keys every secondary window answers to: Esc closes it, Enter presses its
// default button, which ends it the
// way its close button does (so the main window is enabled again). And the
// tie of a secondary window to the main window: not a Qt child (that would be
// disabled with it), but transient for it, so the window manager keeps it in
// front of the main window and moves it along.

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace kelvo {

inline void CloseOnEscape(QWidget* window) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

// Enter and Return press `button`, the window's default, as in a dialog.
inline void PressOnEnter(QWidget* window, QAbstractButton* button) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), window);
    enter->setContext(Qt::WindowShortcut);
    QObject::connect(enter, &QShortcut::activated, button, [button] {
      if (button->isEnabled() && button->isVisible()) button->click();
    });
  }
}

inline void StayAbove(QWidget* window, QWidget* owner) {
  if (!window || !owner) return;
  window->winId();  // makes the native windows, so both have a handle
  owner->winId();
  if (window->windowHandle() && owner->windowHandle()) {
    window->windowHandle()->setTransientParent(owner->windowHandle());
  }
}

}  // namespace kelvo
