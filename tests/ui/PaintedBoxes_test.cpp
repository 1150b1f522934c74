// The boxes that paint themselves show what the style sheets they stand for
// show, pixel for pixel.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <functional>

#include "ui/ColourSwatch.h"
#include "ui/RoundedLabel.h"

namespace kelvo {
namespace {

using MakePair = std::function<std::pair<QWidget*, QWidget*>(QWidget* parent)>;

// The two widgets made on one host in the main window's font, as the window
// makes them, side by side; the host's picture cut in two.
std::pair<QImage, QImage> SideBySide(const MakePair& make, QSize size) {
  QWidget host;
  host.resize(2 * size.width() + 30, size.height() + 20);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  host.setFont(font);
  const auto [styled, painted] = make(&host);
  const QRect left(QPoint(10, 10), size), right(QPoint(size.width() + 20, 10), size);
  styled->setGeometry(left);
  painted->setGeometry(right);
  host.show();
  const QImage all = host.grab().toImage();
  return {all.copy(left), all.copy(right)};
}

TEST(PaintedBoxes, LookAsTheirStyleSheetsDo) {
  const auto credit = [](const QString& text) {
    return MakePair([text](QWidget* parent) {
      auto* styled = new QLabel(text, parent);
      styled->setAlignment(Qt::AlignCenter);
      styled->setStyleSheet(QStringLiteral("border: 1px solid gray; border-radius: 6px;"));
      auto* painted = new RoundedLabel(text, parent);
      painted->setAlignment(Qt::AlignCenter);
      return std::pair<QWidget*, QWidget*>(styled, painted);
    });
  };
  const auto colourBox = [](QColor c) {
    return MakePair([c](QWidget* parent) {
      auto* styled = new QLabel(parent);
      styled->setStyleSheet(QStringLiteral("background: rgb(%1,%2,%3);").arg(c.red()).arg(c.green()).arg(c.blue()));
      auto* painted = new ColourBox(parent);
      painted->SetColour(c);
      return std::pair<QWidget*, QWidget*>(styled, painted);
    });
  };
  const struct {
    const char* what;
    QSize size;
    MakePair make;
  } cases[] = {
      {"the credit line at its size", {105, 22}, credit(QStringLiteral("Kelvo 16s · 1.0"))},
      {"a taller, wider box", {120, 30}, credit(QStringLiteral("Kelvo 16s · 1.0"))},
      {"an odd height", {100, 21}, credit(QStringLiteral("Kelvo 16s · 1.0"))},
      {"text running over the edge", {40, 15}, credit(QStringLiteral("Kelvo 16s · 1.0"))},
      {"the current colour, black", {34, 17}, colourBox(QColor(0, 0, 0))},
      {"the current colour, a mixed one", {34, 17}, colourBox(QColor(200, 10, 99))},
  };
  for (const auto& c : cases) {
    const auto [expected, shown] = SideBySide(c.make, c.size);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
      for (int x = 0; x < expected.width(); ++x) differing += expected.pixel(x, y) != shown.pixel(x, y);
    EXPECT_EQ(differing, 0) << c.what;
  }
}

}  // namespace
}  // namespace kelvo
