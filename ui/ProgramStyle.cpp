#include "ui/ProgramStyle.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QGroupBox>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleOption>
#include <functional>

namespace kelvo {
namespace {

constexpr int kGroupBoxTopMargin = 3;  // Fusion's space above a group box's frame

// An icon made from its maker the first time it is drawn or measured.
class DeferredIconEngine : public QIconEngine {
public:
  explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, 1.0, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return Icon().pixmap(size / scale, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QString iconName() override { return Icon().name(); }
  bool isNull() override { return made_ ? icon_.isNull() : false; }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
  const QIcon& Icon() {
    if (!made_) {
      icon_ = make_();
      made_ = true;
    }
    return icon_;
  }

  std::function<QIcon()> make_;
  QIcon icon_;
  bool made_ = false;
};

}  // namespace

ProgramStyle::ProgramStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {
  fusion_ = this->baseStyle()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0;
}

void ProgramStyle::Use() {
  if (qobject_cast<ProgramStyle*>(QApplication::style())) return;
  QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  // The overflow buttons' icons are pictures the style always has, so the
  // icon is not null before it is made.
  if (!option && (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)) {
    // The base style reads neither the widget nor the option for these.
    QPointer<QStyle> base = const_cast<QStyle*>(baseStyle());
    return QIcon(new DeferredIconEngine([base, icon] { return base ? base->standardIcon(icon) : QIcon(); }));
  }
  return QProxyStyle::standardIcon(icon, option, widget);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  static const QString kFramePicture = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
  static const QString kCacheKey = QStringLiteral("kelvo16s_fusion_groupbox");
  if (element != PE_FrameGroupBox || !fusion_) return QProxyStyle::drawPrimitive(element, option, painter, widget);
  QPixmap frame;
  if (!QPixmapCache::find(kCacheKey, &frame)) {
    QImageReader png(kFramePicture, "png");
    png.setAutoDetectImageFormat(false);
    frame = QPixmap::fromImage(png.read());
    if (frame.isNull()) return QProxyStyle::drawPrimitive(element, option, painter, widget);
    QPixmapCache::insert(kCacheKey, frame);
  }
  // Fusion's own measure: the frame starts under the title, or near the top
  // of a box with neither title nor check box.
  int top = kGroupBoxTopMargin;
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  if (!box || box->isCheckable() || !box->title().isEmpty())
    top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
  qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), frame);
}

}  // namespace kelvo
