#pragma once
// The largest picture the program makes, on the screen or in a file: the
// canvas, a zoomed view, an export, the state diagram. Every place that would
// allocate or write a picture asks PictureFits first and, past the bound,
// tells the user PictureTooLarge instead of allocating anything.

#include <string>

namespace kelvo {

inline constexpr double kMaxPictureSide = 16384;               // pixels
inline constexpr double kMaxPicturePixels = 64.0 * (1 << 20);  // 64 megapixels

// Sizes are doubles so that a size scaled from user input cannot overflow.
bool PictureFits(double width, double height);
std::string PictureTooLarge(double width, double height);

}  // namespace kelvo
