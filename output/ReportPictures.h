#pragma once
// The class report's pictures as SVG elements to set inline in its page: the
// state diagram as DiagramPicture paints it, and a circuit view as the canvas
// recorded it, played with lines and cropped to what was drawn. Every text
// passes XmlSafeText on its way in, so the element is well-formed whatever the
// table's names hold.

#include <QImage>
#include <array>
#include <string>

#include "output/PicturePlayer.h"
#include "output/TileImages.h"
#include "statediagram/DiagramLayout.h"

namespace kelvo {

// "<svg ...>...</svg>"; empty when the picture could not be encoded.
std::string DiagramSvg(const DiagramLayout& layout);
std::string CircuitSvg(const PictureRecord& record, const std::array<QImage, kTileCount>& tiles,
                       const std::string& title);

}  // namespace kelvo
