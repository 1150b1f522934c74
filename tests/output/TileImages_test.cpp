#include "output/TileImages.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kelvo {
namespace {

const QString kSourceBitmaps = QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps");

// A folder holding copies of the delivered tiles, for breaking one of them.
struct TileFolderCopy {
  TileFolderCopy() {
    for (const char* name : TileImages::kFileNames) QFile::copy(QDir(kSourceBitmaps).filePath(name), Path(name));
  }
  QString Path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }
  QTemporaryDir dir;
};

TEST(TileImages, AllFifteenLoadFromTheDeliveredFolderAt25By25) {
  TileImages tiles;
  ASSERT_TRUE(tiles.LoadAll({kSourceBitmaps})) << tiles.Error().toStdString();
  for (int slot = 0; slot < kTileCount; ++slot) {
    EXPECT_EQ(tiles.Image(slot).size(), QSize(kTilePixels, kTilePixels)) << TileImages::kFileNames[slot];
  }
}

TEST(TileImages, DisplayPathsAreThoseOfTheStartUpCaptions) {
  EXPECT_EQ(TileImages::DisplayPath(0), QStringLiteral("Bitmaps\\Coil.bmp"));
  EXPECT_EQ(TileImages::DisplayPath(9), QStringLiteral("Bitmaps\\Non.bmp"));
  EXPECT_EQ(TileImages::DisplayPath(11), QStringLiteral("Bitmaps\\NO ONDelay.bmp"));
  EXPECT_EQ(TileImages::DisplayPath(14), QStringLiteral("Bitmaps\\NC OFFDelay.bmp"));
}

// Wires leave a tile only at the middle of the sides it joins, so that
// neighbouring tiles meet without gaps or stray marks.
TEST(TileImages, TilesTouchTheirBordersOnlyWhereTheyJoinANeighbour) {
  TileImages tiles;
  ASSERT_TRUE(tiles.LoadAll({kSourceBitmaps})) << tiles.Error().toStdString();
  struct Sides {
    bool n, s, w, e;
  };
  const Sides wire{true, true, false, false};
  const Sides sides[kTileCount] = {
      wire,                        // Coil
      wire,                        // LineD
      {false, false, true, true},  // LineH
      {false, true, true, false},  // Line1D: W-S
      {true, false, true, false},  // Line1U: N-W
      {false, true, true, true},   // LineTD: W-E-S
      {true, true, false, true},   // LineTL: N-S-E
      {true, false, true, true},   // LineTU: W-E-N
      wire,
      wire,
      wire,
      wire,
      wire,
      wire,
      wire,  // contacts, timer and timer contacts
  };
  const int mid = kTilePixels / 2, edge = kTilePixels - 1;
  for (int slot = 0; slot < kTileCount; ++slot) {
    SCOPED_TRACE(TileImages::kFileNames[slot]);
    const QImage& image = tiles.Image(slot);
    auto black = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    EXPECT_EQ(black(mid, 0), sides[slot].n);
    EXPECT_EQ(black(mid, edge), sides[slot].s);
    EXPECT_EQ(black(0, mid), sides[slot].w);
    EXPECT_EQ(black(edge, mid), sides[slot].e);
    for (int i = 0; i < kTilePixels; ++i) {
      if (i == mid) continue;
      EXPECT_FALSE(black(i, 0) || black(i, edge) || black(0, i) || black(edge, i)) << "stray mark at " << i;
    }
  }
}

TEST(TileImages, MissingTileNamesTheFileAndTheFoldersSearched) {
  TileFolderCopy copy;
  ASSERT_TRUE(QFile::remove(copy.Path("Non.bmp")));
  QTemporaryDir other;
  TileImages tiles;
  EXPECT_FALSE(tiles.LoadAll({copy.dir.path(), other.path()}));
  const std::string error = tiles.Error().toStdString();
  EXPECT_NE(error.find("\"Non.bmp\""), std::string::npos) << error;
  EXPECT_NE(error.find(QDir::toNativeSeparators(copy.dir.path()).toStdString()), std::string::npos) << error;
  EXPECT_NE(error.find(QDir::toNativeSeparators(other.path()).toStdString()), std::string::npos) << error;
  EXPECT_FALSE(tiles.Image(8).isNull());  // the slots before it did load
  EXPECT_TRUE(tiles.Image(9).isNull());
}

TEST(TileImages, UnreadableTileIsReportedAsSuch) {
  TileFolderCopy copy;
  QFile broken(copy.Path("Coil.bmp"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
  broken.write("not a picture");
  broken.close();
  TileImages tiles;
  EXPECT_FALSE(tiles.LoadSlot(0, {copy.dir.path()}));
  const std::string error = tiles.Error().toStdString();
  EXPECT_NE(error.find("\"Coil.bmp\""), std::string::npos) << error;
  EXPECT_NE(error.find("not readable"), std::string::npos) << error;
}

TEST(TileImages, LaterFolderStandsInForAFileMissingFromTheFirst) {
  QTemporaryDir besideProgram;
  TileImages tiles;
  EXPECT_TRUE(tiles.LoadAll({besideProgram.path(), kSourceBitmaps})) << tiles.Error().toStdString();
  EXPECT_TRUE(tiles.Error().isEmpty());
}

}  // namespace
}  // namespace kelvo
