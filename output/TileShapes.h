#pragma once
// The fifteen tile symbols as line drawings in the 25 x 25 pixel square of a
// tile: wires along the middle row and column, so that tiles join their
// neighbours, contacts, coils and timers on the N-S wire. The tile images are
// rendered from these lines, and a picture painted at any other scale draws
// them as lines, so they stay one crisp stroke at every size.

#include <QImage>
#include <QPainter>

namespace kelvo {

// Draws tile `slot` (0..14) with the painter's pen, in tile pixels.
void DrawTileShape(QPainter& p, int slot);
// The tile image: black one-pixel lines on white, as the tile files hold it.
QImage RenderTileImage(int slot);

}  // namespace kelvo
