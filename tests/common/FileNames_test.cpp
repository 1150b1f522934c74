#include "common/FileNames.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

// The save dialog's "Files of type": a bare name gets the chosen type, a
// known extension wins over the choice, an unknown one is kept and extended.
TEST(FileNames, TheChosenTypeNamesTheFile) {
  const std::string pictures = "png|*.png|svg|*.svg|pdf|*.pdf";
  const std::string bitmaps = "bmp|*.Bmp|gif|*.gif|jpg|*.jpg|All files|*.*";
  struct Case {
    std::string name;
    const std::string& filter;
    int chosen;
    std::string expected;
  };
  const Case cases[] = {
      {"/tmp/tl2", pictures, 1, "/tmp/tl2.svg"},       {"/tmp/tl2", pictures, 2, "/tmp/tl2.pdf"},
      {"/tmp/tl2.PDF", pictures, 1, "/tmp/tl2.PDF"},   {"/tmp/tl2.png", pictures, 1, "/tmp/tl2.png"},
      {"/tmp/tl2.v1", pictures, 0, "/tmp/tl2.v1.png"}, {"/tmp/v1.d/tl2", pictures, 1, "/tmp/v1.d/tl2.svg"},
      {"/tmp/tl2", bitmaps, 0, "/tmp/tl2.bmp"},        {"/tmp/tl2.jpg", bitmaps, 0, "/tmp/tl2.jpg"},
      {"/tmp/tl2", bitmaps, 3, "/tmp/tl2.bmp"},        {"/tmp/tl2.tiff", bitmaps, 3, "/tmp/tl2.tiff"},
      {"/tmp/tl2", pictures, -1, "/tmp/tl2.png"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameForChosenType(c.name, c.filter, c.chosen, c.filter == pictures ? "png" : "bmp"), c.expected)
        << c.name << " chosen " << c.chosen;
  }
}

}  // namespace
}  // namespace kelvo
