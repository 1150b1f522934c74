#include "ui/WindowPlaces.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>

namespace kelvo {
namespace {

QString Key(const QString& name) { return QStringLiteral("windows/") + name; }

// Moves `window` (of `size`) to the right of `beside`, else below it, else
// to the left, keeping it on the screen's free area; false when none fits.
bool PlaceBeside(QWidget* window, QSize size, const QWidget* beside) {
  const QRect free = FreeScreenArea(beside);
  const QRect owner = beside->frameGeometry();
  const QPoint candidates[] = {
      {owner.right() + 1, owner.top()}, {owner.left(), owner.bottom() + 1}, {owner.left() - size.width(), owner.top()}};
  for (QPoint at : candidates) {
    const QRect place(at, size);
    if (free.contains(place)) {
      window->move(at);
      return true;
    }
  }
  // No room beside: at least keep the window off the drawing's left part.
  const QRect place(QPoint(free.right() - size.width(), free.bottom() - size.height()), size);
  if (free.contains(place)) window->move(place.topLeft());
  return false;
}

class PlaceKeeper : public QObject {
public:
  PlaceKeeper(QWidget* window, QString name, QWidget* beside)
      : QObject(window), window_(window), name_(std::move(name)), beside_(beside) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_) return false;
    if (event->type() == QEvent::Show && !shown_) {
      shown_ = true;
      const QByteArray kept = QSettings().value(Key(name_)).toByteArray();
      if (kept.isEmpty() || !window_->restoreGeometry(kept)) {
        if (beside_ && beside_->isVisible()) PlaceBeside(window_, window_->frameGeometry().size(), beside_);
      }
    } else if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
      if (shown_) QSettings().setValue(Key(name_), window_->saveGeometry());
      shown_ = event->type() == QEvent::Hide ? false : shown_;
    }
    return false;
  }

private:
  QWidget* window_;
  QString name_;
  QPointer<QWidget> beside_;
  bool shown_ = false;
};

}  // namespace

QRect FreeScreenArea(const QWidget* window) {
  const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void RememberPlace(QWidget* window, const QString& name, QWidget* beside) {
  window->installEventFilter(new PlaceKeeper(window, name, beside));
}

}  // namespace kelvo
