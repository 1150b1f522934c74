#pragma once
// Keys every secondary window answers to: Esc closes it, which ends it the
// way its close button does (so the main window is enabled again).

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace kelvo {

inline void CloseOnEscape(QWidget* window) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

}  // namespace kelvo
