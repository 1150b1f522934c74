#include "common/Cp1252.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = DecodeCp1252(all);
  EXPECT_EQ(SanitizeUtf8(utf8), utf8);
  auto back = EncodeCp1252(utf8);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, all);
  EXPECT_EQ(DecodeCp1252("\x80\x9F\xE9"), "\xE2\x82\xAC\xC5\xB8\xC3\xA9");  // € Ÿ é
}

TEST(Cp1252, UnencodableAndMalformedText) {
  EXPECT_FALSE(EncodeCp1252("\xCE\xA3"));  // Σ
  EXPECT_FALSE(EncodeCp1252("\xFF"));      // not UTF-8
  EXPECT_EQ(SanitizeUtf8("a\xFF"
                         "b\xC3"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong
}

}  // namespace
}  // namespace kelvo
