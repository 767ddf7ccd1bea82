// Encoder records and lookup against the encoders Wine's GDI+ installs.
#include <gtest/gtest.h>

#include "graphics/encoder.h"

namespace {

using namespace graphics;

constexpr char kPng[] = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

TEST(Encoders, ListsThePngAndBmpEncodersWithTheirTexts) {
  std::vector<EncoderInfo> encoders = GetImageEncoders();
  ASSERT_FALSE(encoders.empty());
  const EncoderInfo* png = nullptr;
  bool bmp = false;
  for (const EncoderInfo& e : encoders) {
    EXPECT_EQ(e.Clsid.size(), 38u) << e.Clsid;
    EXPECT_EQ(e.FormatID.size(), 38u) << e.FormatID;
    EXPECT_EQ(e.SigPattern.size(), size_t(e.SigSize));
    if (e.FormatID == kPng) png = &e;
    if (e.FormatID == kBmpFormat) bmp = true;
  }
  ASSERT_NE(png, nullptr);
  EXPECT_TRUE(bmp);
  EXPECT_EQ(png->MimeType, "image/png");
  EXPECT_NE(png->FilenameExtension.find("*.PNG"), std::string::npos);
  ASSERT_GE(png->SigPattern.size(), 8u);
  EXPECT_EQ(png->SigPattern[0], 0x89);
  EXPECT_EQ(png->SigPattern[1], 'P');
}

TEST(Encoders, LookupMatchesTheFormatTextExactly) {
  std::optional<CLSID> png = FindEncoder(kPng);
  ASSERT_TRUE(png.has_value());
  // Image/png encoder class id {557CF406-1A04-11D3-9A73-0000F81EF32E}.
  EXPECT_EQ(GuidToText(*png), "{557CF406-1A04-11D3-9A73-0000F81EF32E}");
  const char* misses[] = {
      "{b96b3caf-0728-11d3-9d7b-0000f81ef32e}",  // the same GUID in lower case
      "{B96B3CAF-0728-11D3-9D7B-0000F81EF32F}",  // no such format
      "B96B3CAF-0728-11D3-9D7B-0000F81EF32E",    // without braces
      "",
  };
  for (const char* m : misses) EXPECT_FALSE(FindEncoder(m).has_value()) << m;
}

TEST(Encoders, GuidTextsRoundTrip) {
  GUID g{};
  ASSERT_TRUE(TextToGuid(kPng, g));
  EXPECT_EQ(g.Data1, 0xB96B3CAFu);
  EXPECT_EQ(GuidToText(g), kPng);
  EXPECT_EQ(GuidToText(GUID{}), "{00000000-0000-0000-0000-000000000000}");
  EXPECT_FALSE(TextToGuid("not a guid", g));
  EXPECT_EQ(GuidToText(g), "{00000000-0000-0000-0000-000000000000}");
}

TEST(Encoders, ParameterBlockOwnsValuesLongEnoughForTheirCount) {
  EXPECT_EQ(EncoderParameterBlock(nullptr).get(), nullptr);
  EncoderParameters params;
  params.Count = 5;  // more than there are: only the records present are passed
  params.Parameter.push_back({"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, 4, {90, 0, 0, 0}});  // quality
  params.Parameter.push_back({"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 2, 4, {1}});             // short value
  EncoderParameterBlock block(&params);
  const Gdiplus::EncoderParameters* flat = block.get();
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(flat->Count, 2u);
  EXPECT_EQ(flat->Parameter[0].Guid.Data1, 0x1D5BE4B5u);
  EXPECT_EQ(*static_cast<const uint32_t*>(flat->Parameter[0].Value), 90u);
  EXPECT_EQ(static_cast<const uint32_t*>(flat->Parameter[1].Value)[1], 0u);  // padded
  EncoderParameters back = ToRecord(*flat);
  EXPECT_EQ(back.Count, 2);
  EXPECT_EQ(back.Parameter[0].Guid, "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
  EXPECT_EQ(back.Parameter[1].Value.size(), 8u);
}

}  // namespace
