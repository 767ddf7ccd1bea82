// MemoryStream over real global memory and OLE's stream on it.
#include <gtest/gtest.h>

#include "graphics/stream.h"
#include "graphics/tests/fixtures.h"

namespace {

using graphics::MemoryStream;

std::vector<uint8_t> ReadAll(IStream* stream) {
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  std::vector<uint8_t> out(4096);
  ULONG read = 0;
  stream->Read(out.data(), ULONG(out.size()), &read);
  out.resize(read);
  return out;
}

TEST(MemoryStream, HoldsACopyOfTheBytes) {
  std::vector<uint8_t> bytes = fixtures::Copy(kQuadrantsPng);
  MemoryStream s;
  IStream* stream = s.Create(bytes);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(s.GetStream(), stream);
  EXPECT_NE(s.GetMemory(), nullptr);
  EXPECT_EQ(s.GetSize(), bytes.size());
  bytes[0] ^= 0xFF;  // the stream keeps its own copy
  std::vector<uint8_t> expected = fixtures::Copy(kQuadrantsPng);
  EXPECT_EQ(s.GetBytes(), expected);
  EXPECT_EQ(ReadAll(stream), expected);
}

TEST(MemoryStream, SizeLongerOrShorterThanTheBytes) {
  const uint8_t bytes[] = {1, 2, 3, 4};
  struct Case {
    intptr_t size;
    std::vector<uint8_t> expected;
  } cases[] = {
      {-1, {1, 2, 3, 4}}, {2, {1, 2}}, {6, {1, 2, 3, 4, 0, 0}}, {0, {}},
  };
  for (const Case& c : cases) {
    MemoryStream s;
    ASSERT_NE(s.Create(bytes, c.size), nullptr) << c.size;
    EXPECT_EQ(s.GetSize(), c.expected.size()) << c.size;
    EXPECT_EQ(s.GetBytes(), c.expected) << c.size;
  }
  // No bytes at all but a size: a zero block, nothing read from the null pointer.
  MemoryStream s;
  ASSERT_NE(s.Create({}, 3), nullptr);
  EXPECT_EQ(s.GetBytes(), std::vector<uint8_t>(3, 0));
}

TEST(MemoryStream, ReleaseDropsOneStreamReferenceAndFreesTheBlock) {
  const uint8_t bytes[] = {9, 8, 7};
  MemoryStream s;
  IStream* stream = s.Create(bytes);
  ASSERT_NE(stream, nullptr);
  HGLOBAL memory = s.GetMemory();
  EXPECT_EQ(stream->AddRef(), 2u);
  EXPECT_EQ(s.Release(), nullptr);  // GlobalFree succeeded
  EXPECT_EQ(s.GetStream(), nullptr);
  EXPECT_EQ(s.GetMemory(), nullptr);
  EXPECT_EQ(GlobalFlags(memory), UINT(GMEM_INVALID_HANDLE));
  EXPECT_EQ(stream->Release(), 0u);  // ours was the only other reference
  EXPECT_EQ(s.Release(), nullptr);   // empty: nothing to do
  EXPECT_EQ(s.GetSize(), 0u);
  EXPECT_TRUE(s.GetBytes().empty());
}

TEST(MemoryStream, CreateAgainReleasesThePreviousStream) {
  const uint8_t a[] = {1}, b[] = {2, 3};
  MemoryStream s;
  IStream* first = s.Create(a);
  first->AddRef();
  s.Create(b);
  EXPECT_EQ(first->Release(), 0u);
  EXPECT_EQ(s.GetBytes(), (std::vector<uint8_t>{2, 3}));
}

TEST(MemoryStream, MoveTransfersOwnership) {
  const uint8_t bytes[] = {5, 6};
  MemoryStream a;
  IStream* stream = a.Create(bytes);
  stream->AddRef();
  MemoryStream b(std::move(a));
  EXPECT_EQ(a.GetStream(), nullptr);
  EXPECT_EQ(b.GetStream(), stream);
  MemoryStream c;
  c = std::move(b);
  EXPECT_EQ(c.GetBytes(), (std::vector<uint8_t>{5, 6}));
  c.Release();
  EXPECT_EQ(stream->Release(), 0u);
}

TEST(MemoryStream, AttachTakesAStreamAndItsBlock) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 2);
  static_cast<uint8_t*>(GlobalLock(memory))[0] = 42;
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(memory, FALSE, &stream), S_OK);
  MemoryStream s;
  EXPECT_TRUE(s.Attach(stream));
  EXPECT_EQ(s.GetMemory(), memory);
  EXPECT_EQ(s.GetStream(), stream);
  EXPECT_EQ(s.GetBytes()[0], 42);
  EXPECT_FALSE(s.Attach(nullptr));
  EXPECT_EQ(s.GetStream(), nullptr);
}

TEST(MemoryStream, WritesGrowTheBlock) {
  MemoryStream s;
  IStream* stream = s.Create({});
  ASSERT_NE(stream, nullptr);
  const char text[] = "abcdef";
  ULONG written = 0;
  ASSERT_EQ(stream->Write(text, 6, &written), S_OK);
  EXPECT_EQ(written, 6u);
  std::vector<uint8_t> bytes = s.GetBytes();
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "abcdef");
  EXPECT_EQ(bytes.size(), 6u);
}

}  // namespace

namespace {

TEST(MemoryStream, ReadsPastTheEndGiveNothing) {
  const uint8_t bytes[] = {1, 2, 3, 4};
  MemoryStream s;
  IStream* stream = s.Create(bytes);
  uint8_t out[64] = {};
  ULONG read = 99;
  LARGE_INTEGER beyond{};
  beyond.QuadPart = 0x7FFF0000;  // a damaged offset in a picture
  ASSERT_EQ(stream->Seek(beyond, STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(stream->Read(out, sizeof out, &read), S_OK);
  EXPECT_EQ(read, 0u);
  LARGE_INTEGER two{};
  two.QuadPart = 2;
  stream->Seek(two, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(stream->Read(out, sizeof out, &read), S_OK);
  EXPECT_EQ(read, 2u);
  EXPECT_EQ(out[0], 3);
  IStream* clone = nullptr;
  ASSERT_EQ(stream->Clone(&clone), S_OK);
  clone->Seek(beyond, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(clone->Read(out, sizeof out, &read), S_OK);
  EXPECT_EQ(read, 0u);
  clone->Release();
}

TEST(MemoryStream, AttachTakesOnlyStreamsOnGlobalMemory) {
  const uint8_t bytes[] = {7, 7};
  MemoryStream a;
  IStream* stream = a.Create(bytes);
  stream->AddRef();
  // Ours is a guard over OLE's stream: it does not hand out the block a still owns.
  MemoryStream b;
  EXPECT_FALSE(b.Attach(stream));
  EXPECT_EQ(b.GetMemory(), nullptr);
  EXPECT_EQ(b.GetStream(), stream);
  b.Release();
  EXPECT_EQ(a.GetBytes(), (std::vector<uint8_t>{7, 7}));
}

}  // namespace
