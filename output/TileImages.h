#pragma once
// The fifteen tile images every drawing is made of, by slot: Coil, LineD,
// LineH, Line1D, Line1U, LineTD, LineTL, LineTU, Noff, Non, Timer and the four
// timer contacts. They are data files in the folder "Bitmaps" beside the
// program, or else in the installed data folder ../share/kelvo16s/Bitmaps
// relative to it; each file is taken from the first folder that holds it.

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

namespace kelvo {

inline constexpr int kTileCount = 15;
inline constexpr int kTilePixels = 25;  // 375 twips

class TileImages {
public:
  static constexpr std::array<const char*, kTileCount> kFileNames{
      "Coil.bmp",   "LineD.bmp",      "LineH.bmp",      "Line1D.bmp",      "Line1U.bmp",
      "LineTD.bmp", "LineTL.bmp",     "LineTU.bmp",     "Noff.bmp",        "Non.bmp",
      "Timer.bmp",  "NO ONDelay.bmp", "NC ONDelay.bmp", "NO OFFDelay.bmp", "NC OFFDelay.bmp"};

  // "Bitmaps\Coil.bmp": the path as the start-up captions show it.
  static QString DisplayPath(int slot);
  // The folders searched, in order: beside the program, then the data folder.
  static QStringList DefaultFolders();

  // Loads one slot from the first of `folders` holding a readable picture of
  // that name. On failure the slot keeps its image and Error() says which file
  // is missing or unreadable and where it was looked for.
  bool LoadSlot(int slot, const QStringList& folders);
  bool LoadSlot(int slot) { return LoadSlot(slot, DefaultFolders()); }
  // All slots in order; stops at the first failure.
  bool LoadAll(const QStringList& folders);
  bool LoadAll() { return LoadAll(DefaultFolders()); }

  const QImage& Image(int slot) const { return images_.at(slot); }
  const std::array<QImage, kTileCount>& Images() const { return images_; }
  const QString& Error() const { return error_; }

private:
  std::array<QImage, kTileCount> images_;
  QString error_;
};

}  // namespace kelvo
