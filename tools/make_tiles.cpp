// Draws the fifteen 25x25 tile images and writes them as 24-bit Windows
// bitmaps into the folder named on the command line (default "Bitmaps"):
//
//   cmake --build --preset default --target kelvo16s-make-tiles
//   build/kelvo16s-make-tiles Bitmaps
//
// The symbols themselves are drawn by output/TileShapes, which also paints
// them as lines into pictures at other scales.

#include <QDir>
#include <cstdio>

#include "output/TileImages.h"
#include "output/TileShapes.h"

int main(int argc, char** argv) {
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Bitmaps");
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "Cannot create the folder %s\n", qPrintable(folder));
    return 1;
  }
  for (int slot = 0; slot < kelvo::kTileCount; ++slot) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(kelvo::TileImages::kFileNames[slot]));
    if (!kelvo::RenderTileImage(slot).save(path, "BMP")) {
      std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
