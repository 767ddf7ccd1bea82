// Damaged picture bytes: every fixture truncated and with bits flipped, decoded as Image and
// as Bitmap. Each attempt either fails cleanly (false, nothing held, empty bytes) or gives a
// usable picture; nothing crashes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "graphics/bitmap.h"
#include "graphics/tests/fixtures.h"

namespace {

using namespace graphics;

constexpr char kPngFormat[] = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

// Decodes `bytes` both ways; returns how many of the two succeeded.
template <class Picture>
bool TryDecode(const std::vector<uint8_t>& bytes, const std::string& what) {
  // FUZZ_TRACE=1 names each attempt, to find the one that brings a decoder down.
  if (getenv("FUZZ_TRACE")) fprintf(stderr, "%s\n", what.c_str());
  Picture p;
  bool ok = p.FromBytes(bytes);
  if (!ok) {
    EXPECT_NE(LastStatus, Gdiplus::Ok) << what;
    EXPECT_EQ(p.GetNative(), nullptr) << what;
    EXPECT_EQ(p.stream().GetMemory(), nullptr) << what;
    EXPECT_TRUE(p.SaveToBytes(std::string(kPngFormat)).empty()) << what;
    EXPECT_EQ(p.GetWidth(), 0u) << what;
    return false;
  }
  uint32_t w = p.GetWidth(), h = p.GetHeight();
  EXPECT_LE(w, 1u << 16) << what;
  EXPECT_LE(h, 1u << 16) << what;
  if (w && h && w <= 256 && h <= 256) {
    // Touch the pixels: decoding is lazy, and this is where damaged data is really read.
    p.SaveToBytes(std::string(kPngFormat));
    Bitmap copy;
    p.GetThumbnail(4, 4, copy);
  }
  EXPECT_TRUE(p.Delete()) << what;
  return true;
}

struct Outcome {
  int tried = 0, decoded = 0;
};

Outcome Try(const std::vector<uint8_t>& bytes, const std::string& what) {
  Outcome o;
  o.tried = 2;
  o.decoded += TryDecode<Image>(bytes, what);
  o.decoded += TryDecode<Bitmap>(bytes, what);
  return o;
}

TEST(ImageFuzz, TruncatedBytesOfEveryFormat) {
  for (const fixtures::Fixture& f : fixtures::kAll) {
    std::vector<uint8_t> all = fixtures::Copy(*f.bytes);
    size_t n = all.size();
    // Cut inside the signature or header: no picture at all.
    for (size_t len : {size_t(0), size_t(1), size_t(2), size_t(4), size_t(7), size_t(12), size_t(16)}) {
      std::vector<uint8_t> cut(all.begin(), all.begin() + std::min(len, n));
      std::string what = std::string(f.name) + " cut to " + std::to_string(len);
      Outcome o = Try(cut, what);
      EXPECT_EQ(o.decoded, 0) << what;
    }
    // Cut further in: whatever GDI+ makes of it, nothing breaks.
    for (size_t len : {n / 8, n / 4, n / 2, n * 3 / 4, n - 2, n - 1}) {
      std::vector<uint8_t> cut(all.begin(), all.begin() + len);
      Try(cut, std::string(f.name) + " cut to " + std::to_string(len));
    }
  }
}

TEST(ImageFuzz, FlippedBitsOfEveryFormat) {
  std::mt19937 random(20261211);
  for (const fixtures::Fixture& f : fixtures::kAll) {
    std::vector<uint8_t> all = fixtures::Copy(*f.bytes);
    int decoded = 0;
    for (int round = 0; round < 24; ++round) {
      std::vector<uint8_t> bytes = all;
      int flips = 1 + int(random() % 8);
      // Half the rounds hit the first 64 bytes, where the headers are.
      size_t range = round % 2 ? bytes.size() : std::min<size_t>(64, bytes.size());
      for (int i = 0; i < flips; ++i) bytes[random() % range] ^= uint8_t(1u << (random() % 8));
      decoded += Try(bytes, std::string(f.name) + " round " + std::to_string(round)).decoded;
    }
    // Signature damage alone must make some rounds fail.
    std::vector<uint8_t> bytes = all;
    bytes[0] ^= 0xFF;
    bytes[1] ^= 0xFF;
    EXPECT_EQ(Try(bytes, std::string(f.name) + " signature").decoded, 0) << f.name;
    RecordProperty(std::string(f.name), decoded);
  }
}

}  // namespace
