#include "ui/Form1.h"

namespace kelvo {

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Kelvo 16s"));
  resize(1014, 688);
}

}  // namespace kelvo
