#pragma once
// Makes an SVG from QSvgGenerator small enough to set hundreds of circuits in
// one page. The generator opens a group for every change of the painter's
// state, so a circuit played tile by tile gives two groups per tile (its white
// ground and its lines, each moved by its own transform) that repeat every
// style attribute. Here a tile's white ground is dropped (the picture is white
// already), a group that is only moved has its move added to its polylines,
// rectangles and texts, attributes with their default values go, and
// neighbouring groups of the same style become one, each line kept once.
// Attributes are written in name order, so a picture always gives the same
// text. The picture looks the same.

#include <QByteArray>
#include <string>

namespace kelvo {

// The compacted <svg> element; empty when `svg` is not well-formed.
std::string CompactSvg(const QByteArray& svg, int tilePixels);

}  // namespace kelvo
