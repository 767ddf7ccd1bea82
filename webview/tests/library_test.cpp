// The library's records, its notify and interface entries, and the stored property format.
#include <gtest/gtest.h>

#include "runtime/runtime_app.h"
#include "webview/html_viewer.h"
#include "webview/tests/test_support.h"
#include "webview/webview_library.h"

namespace webview::tests {
namespace {

TEST(WebViewLibrary, RecordDescribesTheLibraryAndItsOneType) {
  const runtime::SupportLibraryInfo& lib = WebViewLibrary();
  EXPECT_EQ(lib.format, 20000101u);
  EXPECT_EQ(lib.major, 2u);
  EXPECT_EQ(lib.minor, 2u);
  EXPECT_EQ(lib.build, 1u);
  EXPECT_EQ(lib.requiredRuntimeMajor, 3u);
  EXPECT_EQ(lib.requiredRuntimeMinor, 0u);
  EXPECT_EQ(lib.requiredCoreMajor, 3u);
  EXPECT_EQ(lib.requiredCoreMinor, 0u);
  EXPECT_EQ(lib.language, 1u);
  EXPECT_EQ(lib.state, 0u);
  EXPECT_EQ(lib.commandCount, 0u);
  EXPECT_EQ(lib.constantCount, 0u);
  ASSERT_NE(lib.notify, nullptr);
  ASSERT_EQ(lib.dataTypeCount, 1u);
  const runtime::DataTypeInfo& type = lib.dataTypes[0];
  EXPECT_STREQ(type.name, "超文本浏览框");
  EXPECT_STREQ(type.englishName, "HtmlViewer");
  EXPECT_EQ(type.stateFlags, 0x40u);
  EXPECT_EQ(type.propertyCount, 15);
  EXPECT_EQ(type.eventCount, 0);
  EXPECT_EQ(type.commandCount, 0);
  // The runtime finds the type as library 2, type 1.
  EXPECT_EQ(runtime::FindDataType(kHtmlViewerDataType), &type);
}

TEST(WebViewLibrary, InterfaceAnswersCreateSetSerializeAndGetOnly) {
  auto entry = WebViewLibrary().dataTypes[0].interfaceFunction;
  ASSERT_NE(entry, nullptr);
  for (int kind : {1, 4, 5, 6}) EXPECT_NE(entry(kind), nullptr) << kind;
  for (int kind : {-1, 0, 2, 3, 7, 9, 100}) EXPECT_EQ(entry(kind), nullptr) << kind;
}

intptr_t g_lastCode = 0;
intptr_t EchoService(int code, intptr_t p1, intptr_t p2) {
  g_lastCode = code;
  return p1 + p2;
}

TEST(WebViewLibrary, NotifyStoresTheServiceOnlyForCodeOne) {
  auto notify = WebViewLibrary().notify;
  EXPECT_EQ(notify(1, reinterpret_cast<intptr_t>(EchoService), 0), 0);
  EXPECT_EQ(CallRuntime(2018, 40, 2), 42);
  EXPECT_EQ(g_lastCode, 2018);
  for (int code : {0, 2, 6, 10, 11, 12, 13, 2008}) EXPECT_EQ(notify(code, 0, 0), -1) << code;
  EXPECT_EQ(CallRuntime(2018, 1, 1), 2);  // still the stored entry
  EXPECT_EQ(notify(1, 0, 0), 0);
  EXPECT_EQ(CallRuntime(2018, 40, 2), 0);  // none stored: the call yields 0
  EXPECT_EQ(notify(1, reinterpret_cast<intptr_t>(runtime::RuntimeService), 0), 0);
}

TEST(StoredProperties, ReadsVersionsZeroAndOne) {
  for (int32_t version : {0, 1}) {
    std::vector<uint8_t> data = StoredData(version, 3, 1, 0, "http://a/b");
    StoredProperties p;
    ASSERT_TRUE(ReadStoredProperties(data.data(), data.size(), p)) << version;
    EXPECT_EQ(p.zoom, 3);
    EXPECT_TRUE(p.offline);
    EXPECT_FALSE(p.silent);
    EXPECT_EQ(p.address, "http://a/b");
  }
}

TEST(StoredProperties, RejectsBadBlocksWithoutReadingPastThem) {
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
    size_t size;  // the block size the reader is told
  };
  std::vector<uint8_t> good = StoredData(1, 2, 0, 0, "http://x/");
  std::vector<uint8_t> longer = StoredData(1, 2, 0, 0, "abc");
  longer[16] = 200;  // address length beyond the block
  std::vector<uint8_t> negative = StoredData(1, 2, 0, 0, "abc");
  negative[16] = negative[17] = negative[18] = negative[19] = 0xFF;
  std::vector<Case> cases = {
      {"version 2", StoredData(2, 2, 0, 0, ""), 20},
      {"version -1", StoredData(-1, 2, 0, 0, ""), 20},
      {"address length beyond the block", longer, longer.size()},
      {"negative address length", negative, negative.size()},
  };
  for (size_t cut = 1; cut < good.size(); ++cut) cases.push_back({"truncated", good, cut});
  for (const Case& c : cases) {
    // The reader gets a copy of exactly size bytes, so a read past it is caught by the heap
    // checker of the copy's owner as well as by the result.
    std::vector<uint8_t> block(c.data.begin(), c.data.begin() + std::min(c.size, c.data.size()));
    StoredProperties p;
    p.address = "kept";
    EXPECT_FALSE(ReadStoredProperties(block.data(), block.size(), p)) << c.what << " " << c.size;
    EXPECT_EQ(p.address, "kept") << c.what;
  }
}

TEST(StoredProperties, ZoomIsClampedToItsFiveLevels) {
  struct { int32_t stored, applied; } cases[] = {{7, 4}, {-1, 0}, {0, 0}, {4, 4}, {2, 2},
                                                 {INT32_MIN, 0}, {INT32_MAX, 4}};
  for (auto c : cases) {
    std::vector<uint8_t> data = StoredData(1, c.stored, 0, 0, "");
    StoredProperties p;
    ASSERT_TRUE(ReadStoredProperties(data.data(), data.size(), p));
    EXPECT_EQ(p.zoom, c.applied) << c.stored;
  }
}

TEST(StoredProperties, WriteProducesVersionOneInTheStoredFormat) {
  StoredProperties p;
  p.zoom = 4;
  p.offline = true;
  p.silent = true;
  p.address = "http://h/fmp/index.html";
  EXPECT_EQ(WriteStoredProperties(p), StoredData(1, 4, 1, 1, p.address));
  StoredProperties back;
  std::vector<uint8_t> bytes = WriteStoredProperties(p);
  ASSERT_TRUE(ReadStoredProperties(bytes.data(), bytes.size(), back));
  EXPECT_EQ(back.address, p.address);
}

TEST(Placeholder, EscapesMarkupCharacters) {
  EXPECT_EQ(PlaceholderText(""), "网页地址：");
  EXPECT_EQ(PlaceholderText("http://h/?a=<b>"), "网页地址：http://h/?a=&lt;b&gt;");
  EXPECT_EQ(PlaceholderText("a&lt;b"), "网页地址：a&amp;lt;b");
}

}  // namespace
}  // namespace webview::tests
