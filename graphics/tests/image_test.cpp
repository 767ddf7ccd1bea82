// Image: decoding, saving through encoders, frames, properties and palettes against Wine's
// GDI+, with the fixtures of tools/make-fixtures.py.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "graphics/bitmap.h"
#include "graphics/image.h"
#include "graphics/tests/fixtures.h"

namespace {

using namespace graphics;

constexpr char kPngFormat[] = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
constexpr char kJpegFormat[] = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
constexpr char kGifFormat[] = "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";
const uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// UTF-16 bytes of an ASCII name, zero-terminated.
std::vector<uint8_t> Utf16(const std::string& text) {
  std::vector<uint8_t> out;
  for (char c : text) out.insert(out.end(), {uint8_t(c), 0});
  out.insert(out.end(), {0, 0});
  return out;
}

// A file in the working directory, removed at the end of the test.
struct TempFile {
  explicit TempFile(std::string n) : name(std::move(n)) { std::remove(name.c_str()); }
  ~TempFile() { std::remove(name.c_str()); }
  std::string name;
};

TEST(Image, FromBytesOfEveryFixtureGivesItsSizeAndFormat) {
  // Wine's GDI+ decodes icons into memory bitmaps and reports them as BMP.
  const char* formats[] = {kPngFormat, kJpegFormat, kGifFormat, kBmpFormat, kBmpFormat};
  int i = 0;
  for (const fixtures::Fixture& f : fixtures::kAll) {
    Image image;
    ASSERT_TRUE(image.FromBytes(f.bytes->view())) << f.name;
    EXPECT_EQ(LastStatus, Gdiplus::Ok);
    EXPECT_EQ(image.GetWidth(), uint32_t(f.width)) << f.name;
    EXPECT_EQ(image.GetHeight(), uint32_t(f.height)) << f.name;
    EXPECT_EQ(image.GetRawFormat(), formats[i++]) << f.name;
    EXPECT_EQ(image.GetType(), Gdiplus::ImageTypeBitmap);
    EXPECT_EQ(image.stream().GetSize(), size_t(f.bytes->length));
  }
}

TEST(Image, DeleteDisposesThePictureAndFreesItsBlock) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kQuadrantsPng.view()));
  HGLOBAL memory = image.stream().GetMemory();
  ASSERT_NE(memory, nullptr);
  EXPECT_NE(GlobalFlags(memory), UINT(GMEM_INVALID_HANDLE));
  EXPECT_TRUE(image.Delete());
  EXPECT_EQ(image.GetNative(), nullptr);
  EXPECT_EQ(image.stream().GetMemory(), nullptr);
  EXPECT_EQ(GlobalFlags(memory), UINT(GMEM_INVALID_HANDLE));
  LastStatus = Gdiplus::Aborted;
  EXPECT_FALSE(image.Delete());
  EXPECT_EQ(LastStatus, Gdiplus::Aborted);
}

TEST(Image, EmptyOrGarbageBytesFail) {
  Image image;
  EXPECT_FALSE(image.FromBytes({}));
  EXPECT_NE(LastStatus, Gdiplus::Ok);
  EXPECT_EQ(image.GetNative(), nullptr);
  EXPECT_EQ(image.stream().GetMemory(), nullptr);
  const uint8_t junk[] = "not a picture at all";
  EXPECT_FALSE(image.FromBytes(junk));
  EXPECT_EQ(image.GetWidth(), 0u);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST(Image, FromBytesAgainReplacesPictureAndStream) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kQuadrantsPng.view()));
  HGLOBAL first = image.stream().GetMemory();
  ASSERT_TRUE(image.FromBytes(kPhotoJpg.view()));
  EXPECT_EQ(image.GetWidth(), 40u);
  EXPECT_EQ(GlobalFlags(first), UINT(GMEM_INVALID_HANDLE));
  // A failed load keeps what the image held.
  EXPECT_FALSE(image.FromBytes({}));
  EXPECT_EQ(image.GetWidth(), 40u);
  EXPECT_EQ(image.stream().GetSize(), size_t(kPhotoJpg.length));
}

TEST(Image, SaveToBytesFindsTheEncoderByExactFormatText) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kPhotoJpg.view()));
  std::vector<uint8_t> png = image.SaveToBytes(std::string(kPngFormat));
  ASSERT_GE(png.size(), 8u);
  EXPECT_TRUE(std::equal(std::begin(kPngSignature), std::end(kPngSignature), png.begin()));
  Image back;
  ASSERT_TRUE(back.FromBytes(png));
  EXPECT_EQ(back.GetRawFormat(), kPngFormat);
  EXPECT_EQ(back.GetWidth(), 40u);

  for (const char* miss : {"{b96b3caf-0728-11d3-9d7b-0000f81ef32e}", "{00000000-0000-0000-0000-000000000001}", ""}) {
    LastStatus = Gdiplus::Aborted;
    EXPECT_TRUE(image.SaveToBytes(std::string(miss)).empty()) << miss;
    EXPECT_EQ(LastStatus, Gdiplus::Aborted) << miss;
  }
  // Without a format: the picture's own (JPEG).
  std::vector<uint8_t> own = image.SaveToBytes();
  ASSERT_GE(own.size(), 2u);
  EXPECT_EQ(own[0], 0xFF);
  EXPECT_EQ(own[1], 0xD8);
  // A picture that holds nothing has no encoder for its (all-zero) raw format.
  Image empty;
  EXPECT_TRUE(empty.SaveToBytes().empty());
}

TEST(Image, SaveToFileWDefaultsToBmpAndSaveToFileToTheOwnFormat) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kPhotoJpg.view()));
  TempFile w("image_test_w.out"), a("image_test_a.out");
  ASSERT_TRUE(image.SaveToFileW(Utf16(w.name)));
  std::vector<uint8_t> bmp = ReadFile(w.name);
  ASSERT_GE(bmp.size(), 2u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  ASSERT_TRUE(image.SaveToFile(a.name));
  std::vector<uint8_t> jpg = ReadFile(a.name);
  ASSERT_GE(jpg.size(), 2u);
  EXPECT_EQ(jpg[0], 0xFF);
  EXPECT_EQ(jpg[1], 0xD8);
  // With a format, and loading back from the file.
  ASSERT_TRUE(image.SaveToFile(a.name, std::string(kPngFormat)));
  Image loaded;
  ASSERT_TRUE(loaded.FromFile(a.name));
  EXPECT_EQ(loaded.GetRawFormat(), kPngFormat);
  Image loadedW;
  ASSERT_TRUE(loadedW.FromFileW(Utf16(w.name)));
  EXPECT_EQ(loadedW.GetRawFormat(), kBmpFormat);
  LastStatus = Gdiplus::Aborted;
  EXPECT_FALSE(image.SaveToFile(a.name, std::string("{B96B3CAF-0728-11D3-9D7B-0000F81EF32F}")));
  EXPECT_EQ(LastStatus, Gdiplus::Aborted);
  EXPECT_FALSE(loaded.FromFile("no_such_picture.png"));
  EXPECT_NE(LastStatus, Gdiplus::Ok);
}

TEST(Image, SavingWithEncoderParameters) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kPhotoJpg.view()));
  EncoderParameters list;
  if (image.GetEncoderParameterList(kJpegFormat, list)) {
    EXPECT_EQ(size_t(list.Count), list.Parameter.size());
  } else {
    EXPECT_NE(LastStatus, Gdiplus::Ok);
  }
  LastStatus = Gdiplus::Aborted;
  EXPECT_FALSE(image.GetEncoderParameterList("{B96B3CAE-0728-11D3-9D7B-0000F81EF32F}", list));
  EXPECT_EQ(LastStatus, Gdiplus::Aborted);
  // Quality 5; Wine's JPEG encoder takes the block and ignores the value.
  EncoderParameters p;
  p.Count = 1;
  p.Parameter.push_back({"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", 1, Gdiplus::EncoderParameterValueTypeLong, {5}});
  std::vector<uint8_t> jpg = image.SaveToBytes(std::string(kJpegFormat), &p);
  ASSERT_GE(jpg.size(), 2u);
  EXPECT_EQ(jpg[0], 0xFF);
  EXPECT_EQ(jpg[1], 0xD8);
}

TEST(Image, FileNamesInTheAnsiCodePage) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kQuadrantsPng.view()));
  TempFile file("图片.png");  // GBK bytes: the program's own texts
  ASSERT_TRUE(image.SaveToFile(file.name));
  EXPECT_NE(GetFileAttributesW(L"图片.png"), INVALID_FILE_ATTRIBUTES);
  Image back;
  ASSERT_TRUE(back.FromFile(file.name));
  EXPECT_EQ(back.GetWidth(), 36u);
}

TEST(Image, SaveAddWithoutAMultiFrameSaveFails) {
  Image image, other;
  ASSERT_TRUE(image.FromBytes(kFramesGif.view()));
  ASSERT_TRUE(other.FromBytes(kQuadrantsPng.view()));
  EXPECT_FALSE(image.SaveAdd());
  EXPECT_NE(LastStatus, Gdiplus::Ok);
  EXPECT_FALSE(image.SaveAddImage(other));
  EXPECT_NE(LastStatus, Gdiplus::Ok);
}

TEST(Image, CloneMakesAnIndependentPicture) {
  Image image, copy;
  ASSERT_TRUE(image.FromBytes(kQuadrantsPng.view()));
  ASSERT_TRUE(image.Clone(copy));
  EXPECT_NE(copy.GetNative(), nullptr);
  EXPECT_NE(copy.GetNative(), image.GetNative());
  image.Delete();
  EXPECT_EQ(copy.GetWidth(), 36u);
  EXPECT_EQ(copy.GetHeight(), 32u);
  Image nothing;
  EXPECT_FALSE(nothing.Clone(copy));
  EXPECT_NE(copy.GetNative(), nullptr);  // a failed clone leaves the target alone
}

TEST(Image, BoundsDimensionResolutionAndFormat) {
  Image image;
  ASSERT_TRUE(image.FromBytes(kQuadrantsPng.view()));
  RectF b = image.GetBounds();
  EXPECT_EQ(b.X, 0);
  EXPECT_EQ(b.Y, 0);
  EXPECT_EQ(b.Width, 36);
  EXPECT_EQ(b.Height, 32);
  SizeF d = image.GetDimension();
  EXPECT_GT(d.Width, 0);
  EXPECT_GT(d.Height, 0);
  EXPECT_NEAR(image.GetHorizontalResolution(), 96, 0.5);
  EXPECT_NEAR(image.GetVerticalResolution(), 96, 0.5);
  EXPECT_EQ(image.GetPixelFormat(), kPixelFormat32bppARGB);
  EXPECT_NE(image.GetFlags() & Gdiplus::ImageFlagsHasAlpha, 0u);
  Image none;
  EXPECT_EQ(none.GetBounds().Width, 0);
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
  EXPECT_EQ(none.GetRawFormat(), "{00000000-0000-0000-0000-000000000000}");
}

TEST(Image, ThumbnailHasTheAskedSize) {
  Image image, thumb;
  ASSERT_TRUE(image.FromBytes(kPhotoJpg.view()));
  ASSERT_TRUE(image.GetThumbnail(8, 6, thumb));
  EXPECT_EQ(thumb.GetWidth(), 8u);
  EXPECT_EQ(thumb.GetHeight(), 6u);
}

TEST(Image, ThreeFrameGifHasThreeFramesAndThreeDelays) {
  Image gif;
  ASSERT_TRUE(gif.FromBytes(kFramesGif.view()));
  std::vector<std::string> dims;
  ASSERT_TRUE(gif.GetFrameDimensionsList(dims));
  ASSERT_EQ(dims.size(), 1u);
  EXPECT_EQ(dims[0], kFrameDimensionTime);
  EXPECT_EQ(gif.GetFrameCount(kFrameDimensionTime), 3u);
  std::vector<int32_t> delays;
  ASSERT_TRUE(gif.GetFrameDelays(delays));
  EXPECT_EQ(delays, (std::vector<int32_t>{10, 20, 30}));
  // Frames: red, green, blue; read through a bitmap of the selected frame.
  Bitmap frames;
  ASSERT_TRUE(frames.FromBytes(kFramesGif.view()));
  uint32_t expected[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  for (uint32_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(frames.SelectActiveFrame(kFrameDimensionTime, i));
    EXPECT_EQ(frames.GetPixel(5, 5), expected[i]) << i;
  }
  EXPECT_FALSE(frames.SelectActiveFrame(kFrameDimensionTime, 3));

  Image png;
  ASSERT_TRUE(png.FromBytes(kQuadrantsPng.view()));
  delays = {7};
  EXPECT_FALSE(png.GetFrameDelays(delays));
  EXPECT_EQ(delays, std::vector<int32_t>{7});
}

TEST(Image, PropertyItemsSetAndRemove) {
  Bitmap image;
  ASSERT_TRUE(image.Create(4, 4));
  PropertyItem item;
  item.Id = 0x010E;  // PropertyTagImageDescription
  item.Type = 2;     // ASCII
  item.Value = {'h', 'i'};
  item.Length = 16;  // longer than the value: GDI+ gets a zero-padded copy
  // Wine accepts both without keeping the item.
  EXPECT_TRUE(image.SetPropertyItem(item));
  bool removed = image.RemovePropertyItem(0x010E);
  EXPECT_EQ(removed, LastStatus == Gdiplus::Ok);
  PropertyItem back;
  back.Id = 99;
  EXPECT_FALSE(image.GetPropertyItem(0x010E, back));
  EXPECT_EQ(back.Id, 99);
  Image none;
  EXPECT_FALSE(none.SetPropertyItem(item));
  EXPECT_EQ(LastStatus, Gdiplus::InvalidParameter);
}

TEST(Image, GifPropertyListHoldsTheFrameDelay) {
  Image gif;
  ASSERT_TRUE(gif.FromBytes(kFramesGif.view()));
  std::vector<int32_t> ids;
  uint32_t n = gif.GetPropertyIdList(ids);
  EXPECT_EQ(n, ids.size());
  EXPECT_NE(std::find(ids.begin(), ids.end(), kPropertyTagFrameDelay), ids.end());
  PropertyItem item;
  ASSERT_TRUE(gif.GetPropertyItem(kPropertyTagFrameDelay, item));
  EXPECT_EQ(item.Length, 12);
  EXPECT_EQ(item.Value.size(), 12u);
  Image none;
  EXPECT_EQ(none.GetPropertyIdList(ids), 0u);
}

TEST(Image, PaletteOfAnIndexedBitmapRoundTrips) {
  Bitmap indexed;
  ASSERT_TRUE(indexed.Create(4, 4, PixelFormat8bppIndexed));
  Palette p;
  p.Flags = 0;
  p.Count = 3;
  p.Entries = {0xFF112233, 0xFF445566};  // the third entry is missing: black
  ASSERT_TRUE(indexed.SetPalette(p));
  Palette back;
  ASSERT_TRUE(indexed.GetPalette(back));
  ASSERT_EQ(back.Count, 3);
  EXPECT_EQ(back.Entries, (std::vector<uint32_t>{0xFF112233, 0xFF445566, 0}));
  Image gif;
  ASSERT_TRUE(gif.FromBytes(kFramesGif.view()));
  ASSERT_TRUE(gif.GetPalette(back));
  EXPECT_EQ(size_t(back.Count), back.Entries.size());
  Image none;
  EXPECT_FALSE(none.GetPalette(back));
}

TEST(Image, RotateFlipTurnsThePicture) {
  Bitmap b;
  ASSERT_TRUE(b.FromBytes(kQuadrantsPng.view()));  // 36 x 32, red at the top left
  ASSERT_TRUE(b.RotateFlip(Gdiplus::Rotate90FlipNone));
  EXPECT_EQ(b.GetWidth(), 32u);
  EXPECT_EQ(b.GetHeight(), 36u);
  // Turned clockwise: the bottom-left blue quadrant is now at the top left, red at the top right.
  EXPECT_EQ(b.GetPixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(b.GetPixel(30, 1), 0xFFFF0000u);
  Image none;
  EXPECT_FALSE(none.RotateFlip(Gdiplus::Rotate90FlipNone));
}

}  // namespace
