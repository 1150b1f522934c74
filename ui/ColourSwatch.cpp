#include "ui/ColourSwatch.h"

#include <QPainter>

namespace kelvo {

ColourSwatch::ColourSwatch(QColor colour, QWidget* parent) : QLabel(parent), colour_(colour) {}

void ColourSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool focused = hasFocus();
  const int edge = focused ? 2 : 1;
  painter.fillRect(rect(), focused ? QColor(Qt::black) : QColor(128, 128, 128));
  painter.fillRect(rect().adjusted(edge, edge, -edge, -edge), colour_);
}

ColourBox::ColourBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void ColourBox::SetColour(QColor colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void ColourBox::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

}  // namespace kelvo
