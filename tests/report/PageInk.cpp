// Reads a screenshot of the class report and tells whether the page rendered:
// enough ink, the summary's green rows first, then the rule under the first
// section's heading, then more of the page below it. Exit status 0 when so.

#include <QImage>
#include <cstdio>
#include <cstdlib>

namespace {

bool Near(QRgb c, QRgb want) {
  return std::abs(qRed(c) - qRed(want)) <= 6 && std::abs(qGreen(c) - qGreen(want)) <= 6 &&
         std::abs(qBlue(c) - qBlue(want)) <= 6;
}

constexpr QRgb kPassedRow = 0xe3f4e3;    // .passed
constexpr QRgb kHeadingRule = 0x444444;  // the border under h2
constexpr double kMinimumInk = 0.01;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: page_ink SCREENSHOT.png\n");
    return 2;
  }
  const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) {
    std::fprintf(stderr, "%s is no picture\n", argv[1]);
    return 1;
  }
  long long ink = 0;
  int firstPassedRow = -1, firstRule = -1, lastInkRow = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int run = 0, longestRun = 0;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = line[x] & 0xffffff;
      if (c != 0xffffff) ++ink, lastInkRow = y;
      if (firstPassedRow < 0 && Near(c, kPassedRow)) firstPassedRow = y;
      run = Near(c, kHeadingRule) ? run + 1 : 0;
      if (run > longestRun) longestRun = run;
    }
    if (firstRule < 0 && longestRun > image.width() / 2) firstRule = y;
  }
  const double share = double(ink) / (double(image.width()) * image.height());
  std::printf("%dx%d, ink %.1f%%, first passed row at %d, first section rule at %d, last ink at %d\n", image.width(),
              image.height(), share * 100, firstPassedRow, firstRule, lastInkRow);
  const bool rendered =
      share >= kMinimumInk && firstPassedRow >= 0 && firstRule > firstPassedRow && lastInkRow > firstRule + 200;
  if (!rendered) std::printf("the page did not render as a class report\n");
  return rendered ? 0 : 1;
}
