#pragma once
// The main window: canvas, view buttons, tools and menus.

#include <QMainWindow>

namespace kelvo {

class Form1 : public QMainWindow {
  Q_OBJECT
public:
  explicit Form1(QWidget* parent = nullptr);
};

}  // namespace kelvo
