#pragma once
// Window places kept across runs: a window shown again, also in a later run,
// comes back where the user left it and at the size they gave it. A window
// with no place kept yet opens beside another (the main window's drawing)
// where the screen has room, else where the window manager puts it; the main
// window starts no larger than the screen's free area.

#include <QString>
#include <QWidget>

namespace kelvo {

// Keeps `window`'s place under `name`; when none is kept, it first opens
// beside `beside` (may be null).
void RememberPlace(QWidget* window, const QString& name, QWidget* beside = nullptr);

// The free area of the screen `window` is on.
QRect FreeScreenArea(const QWidget* window);

}  // namespace kelvo
