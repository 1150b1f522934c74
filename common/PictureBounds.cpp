#include "common/PictureBounds.h"

#include <algorithm>
#include <cmath>

namespace kelvo {

bool PictureFits(double width, double height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

std::string PictureTooLarge(double width, double height) {
  const auto whole = [](double pixels) {
    return std::to_string(static_cast<long long>(std::ceil(std::clamp(pixels, 0.0, 1e15))));
  };
  return "The picture would be " + whole(width) + " x " + whole(height) + " pixels, more than the " +
         whole(kMaxPictureSide) + " pixels a side and " + whole(kMaxPicturePixels / (1 << 20)) +
         " megapixels a picture may have.";
}

}  // namespace kelvo
