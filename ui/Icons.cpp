#include "ui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kelvo {
namespace {

template <typename Draw>
QIcon Make(Draw draw) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.6));
  draw(p);
  return QIcon(pixmap);
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF n(-d.y(), d.x());
  QPolygonF head{to, to - d * 5 + n * 3, to - d * 5 - n * 3};
  p.setBrush(p.pen().color());
  p.drawPolygon(head);
  p.setBrush(Qt::NoBrush);
}

}  // namespace

QIcon StateDiagramIcon() {
  return Make([](QPainter& p) {
    p.setBrush(QColor(255, 240, 180));
    p.drawEllipse(QPointF(8, 9), 6, 6);
    p.drawEllipse(QPointF(24, 9), 6, 6);
    p.drawEllipse(QPointF(16, 24), 6, 6);
    p.setBrush(Qt::NoBrush);
    Arrow(p, {14, 9}, {18, 9});
    Arrow(p, {21, 14}, {19, 19});
    Arrow(p, {12, 20}, {10, 15});
  });
}

QIcon ExportIcon() {
  return Make([](QPainter& p) {
    p.setBrush(QColor(200, 220, 255));
    p.drawRect(3, 5, 18, 22);
    p.setBrush(Qt::NoBrush);
    p.drawLine(7, 11, 17, 11);
    p.drawLine(7, 16, 17, 16);
    p.setPen(QPen(QColor(0, 120, 0), 2.2));
    Arrow(p, {14, 21}, {29, 21});
  });
}

QIcon PrintIcon() {
  return Make([](QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(9, 3, 14, 10);
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(3, 12, 26, 12, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(9, 20, 14, 9);
    p.drawLine(12, 24, 20, 24);
  });
}

QIcon ImportIcon() {
  return Make([](QPainter& p) {
    p.setBrush(QColor(255, 230, 200));
    p.drawRect(11, 5, 18, 22);
    p.setBrush(Qt::NoBrush);
    p.drawLine(15, 11, 25, 11);
    p.drawLine(15, 16, 25, 16);
    p.setPen(QPen(QColor(0, 0, 160), 2.2));
    Arrow(p, {2, 21}, {17, 21});
  });
}

QIcon ProgramIcon() {
  return Make([](QPainter& p) {
    p.fillRect(0, 0, 32, 32, Qt::white);
    p.drawLine(2, 3, 30, 3);
    p.drawLine(2, 29, 30, 29);
    p.drawLine(16, 3, 16, 9);
    p.drawLine(10, 9, 22, 9);
    p.drawLine(10, 13, 22, 13);
    p.drawLine(16, 13, 16, 18);
    p.drawEllipse(QPointF(16, 22), 4, 4);
    p.drawLine(16, 26, 16, 29);
  });
}

}  // namespace kelvo
