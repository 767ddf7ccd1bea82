// Reading the stored windows: templates, unit records, lookups and the window component's
// property block, from small fixtures written with the form data writer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "runtime/form_data.h"
#include "runtime/form_data_writer.h"

namespace runtime {
namespace {

constexpr intptr_t kBase = 0x10000;

// Bytes placed right before an inaccessible page: a read past their end faults.
class GuardedBytes {
 public:
  explicit GuardedBytes(const std::vector<uint8_t>& bytes) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    page_ = info.dwPageSize;
    size_t span = (bytes.size() + page_ - 1) / page_ * page_ + page_;
    base_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, span + page_, MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(base_ + span, page_, PAGE_NOACCESS, &old);
    data_ = base_ + span - bytes.size();
    if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
    size_ = bytes.size();
  }
  ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  const uint8_t* data() const { return data_; }
  uint32_t size() const { return uint32_t(size_); }

 private:
  size_t page_ = 0;
  uint8_t* base_ = nullptr;
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

WindowProperties SampleProperties() {
  WindowProperties p;
  p.version = 6;
  p.borderStyle = 2;
  p.word3 = 1;
  p.backgroundColor = kButtonFaceColor;
  p.controlBox = 1;
  p.startPosition = 1;
  p.closeEnabled = 1;
  p.keptWords = {7, 8, 9, 10, 11};
  p.showInTaskbar = 1;
  p.words16 = {12, 13};
  p.alwaysOnTop = 1;
  p.word19 = 14;
  p.className = "MyClass";
  p.icon = {1, 2, 3};
  p.title = "标题";
  return p;
}

std::vector<WindowDescription> SampleWindows() {
  WindowDescription first;
  first.id = 0x52000001;
  first.words = {0x8056, 0x19010004};
  first.texts = {"甲", ""};
  UnitDescription window;
  window.id = 0x06000001;
  window.dataType = 0x00010001;
  window.width = 300;
  window.height = 200;
  window.styleFlags = kUnitVisible;
  window.handlers = {{0, 0x40}, {3, -1}};
  window.contained = {0x16000002};
  window.properties = WriteWindowProperties(SampleProperties());
  UnitDescription child;
  child.id = 0x16000002;
  child.dataType = 0x00020001;
  child.sharedEventsUnit = 0x16000009;
  child.name = "按钮1";
  child.left = 4;
  child.top = -5;
  child.width = 90;
  child.height = 45;
  child.containerId = 0x06000001;
  child.contained = {0x16000003, 0, 0x16000004};
  child.cursorImage = {9, 9};
  child.styleFlags = kUnitVisible | kUnitTabStop;
  child.properties = {1, 0, 0, 0, 2, 0, 0, 0};
  first.units = {window, child};

  WindowDescription second;
  second.id = 0x52000002;
  UnitDescription own;
  own.id = 0x06000005;
  own.dataType = 0x00010001;
  second.units = {own};
  return {first, second};
}

TEST(FormData, SizeZeroGivesAnEmptyMapWithoutTouchingTheData) {
  TemplateMapPtr map = ReadFormData(nullptr, 0, kBase);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->size(), 0u);
}

TEST(FormData, ReadsTemplatesUnitsAndLookups) {
  std::vector<uint8_t> bytes = WriteFormData(SampleWindows());
  GuardedBytes guarded(bytes);
  TemplateMapPtr map = ReadFormData(guarded.data(), guarded.size(), kBase);
  ASSERT_TRUE(map);
  ASSERT_EQ(map->size(), 2u);
  EXPECT_EQ(map->find(0x52000003), nullptr);

  const WindowTemplate* t = map->find(0x52000001);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->words[0], 0x8056u);
  EXPECT_EQ(t->words[1], 0x19010004u);
  EXPECT_EQ(t->texts[0], "甲");
  EXPECT_EQ(t->texts[1], "");
  ASSERT_EQ(t->unitCount(), 2u);
  EXPECT_EQ(t->indexOf(0x06000001), 0);
  EXPECT_EQ(t->indexOf(0x16000002), 1);
  EXPECT_EQ(t->indexOf(0x16000007), -1);
  EXPECT_EQ(t->unit(0x16000007), nullptr);

  const UnitRecord* w = t->unit(0x06000001);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->dataType, 0x00010001u);
  EXPECT_EQ(w->width, 300);
  ASSERT_EQ(w->handlers.size(), 2u);
  EXPECT_EQ(w->handlers[0].eventNumber, 0);
  EXPECT_EQ(reinterpret_cast<intptr_t>(w->handlers[0].handler), kBase + 0x40);
  EXPECT_EQ(w->handlers[1].eventNumber, 3);
  EXPECT_EQ(w->handlers[1].handler, nullptr);
  auto props = ReadWindowProperties(w->properties);
  ASSERT_TRUE(props);
  EXPECT_EQ(*props, SampleProperties());

  const UnitRecord& c = t->units[1];
  EXPECT_EQ(c.id, 0x16000002u);
  EXPECT_EQ(c.dataType, 0x00020001u);
  EXPECT_EQ(c.sharedEventsUnit, 0x16000009u);
  EXPECT_EQ(c.name, "按钮1");
  EXPECT_EQ(c.secondName, "");
  EXPECT_EQ(c.left, 4);
  EXPECT_EQ(c.top, -5);
  EXPECT_EQ(c.width, 90);
  EXPECT_EQ(c.height, 45);
  EXPECT_EQ(c.containerId, 0x06000001u);
  EXPECT_EQ(c.contained, (std::vector<uint32_t>{0x16000003, 0, 0x16000004}));
  EXPECT_EQ(std::vector<uint8_t>(c.cursorImage.begin(), c.cursorImage.end()),
            (std::vector<uint8_t>{9, 9}));
  EXPECT_EQ(c.styleFlags, kUnitVisible | kUnitTabStop);
  EXPECT_TRUE(c.handlers.empty());
  EXPECT_EQ(std::vector<uint8_t>(c.properties.begin(), c.properties.end()),
            SampleWindows()[0].units[1].properties);

  // The unit data lookup gives the stored record unchanged.
  std::vector<uint8_t> stored = WriteUnitData(SampleWindows()[0].units[1]);
  auto data = t->unitData(1);
  EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.end()), stored);
  EXPECT_TRUE(t->unitData(2).empty());

  EXPECT_EQ(map->find(0x52000002)->unitCount(), 1u);
}

TEST(FormData, EveryTruncationFailsWithoutReadingPastTheEnd) {
  std::vector<uint8_t> bytes = WriteFormData(SampleWindows());
  for (size_t n = 1; n < bytes.size(); ++n) {
    GuardedBytes guarded({bytes.begin(), bytes.begin() + n});
    EXPECT_FALSE(ReadFormData(guarded.data(), guarded.size(), kBase)) << "length " << n;
  }
}

TEST(FormData, TruncatedUnitRecordFailsWithoutReadingPastTheEnd) {
  std::vector<uint8_t> record = WriteUnitData(SampleWindows()[0].units[1]);
  const size_t propertySize = SampleWindows()[0].units[1].properties.size();
  for (size_t n = 0; n < record.size() - propertySize; ++n) {
    GuardedBytes guarded({record.begin(), record.begin() + n});
    UnitRecord unit;
    EXPECT_FALSE(ReadUnitRecord({guarded.data(), n}, kBase, unit)) << "length " << n;
  }
}

struct CorruptCase {
  const char* name;
  size_t offset;  // of the word to replace
  uint32_t value;
};

class CorruptFormData : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptFormData, IsRejected) {
  std::vector<WindowDescription> windows = {SampleWindows()[1]};
  std::vector<uint8_t> bytes = WriteFormData(windows);
  std::memcpy(bytes.data() + GetParam().offset, &GetParam().value, 4);
  GuardedBytes guarded(bytes);
  EXPECT_FALSE(ReadFormData(guarded.data(), guarded.size(), kBase));
}

// One window: key block at 0 (4 + 8 bytes), words at 12 and 16, two empty texts at 20 and 24,
// unit count at 28, unit block size at 32, unit id at 36, record offset at 40, record size at
// 44, data type at 48.
INSTANTIATE_TEST_SUITE_P(
    Cases, CorruptFormData,
    ::testing::Values(CorruptCase{"KeyBlockNotWholeEntries", 0, 12},
                      CorruptCase{"HugeText", 20, 0x7FFFFFFF},
                      CorruptCase{"NoUnits", 28, 0},
                      CorruptCase{"MoreUnitsThanTheBlockHolds", 28, 2},
                      CorruptCase{"RecordOffsetPastTheBlock", 40, 0x1000},
                      CorruptCase{"RecordLongerThanTheBlock", 44, 0x1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowPropertiesBlock, Version1ReadsWithDefaults) {
  WindowProperties v1 = SampleProperties();
  v1.version = 1;
  std::vector<uint8_t> bytes = WriteWindowProperties(v1);
  // Words 1 to 14, three blocks (4, 4 + 3 and 4 bytes) and two texts (4 + 4 and 4 bytes).
  EXPECT_EQ(bytes.size(), 14u * 4 + 4 + 7 + 4 + 8 + 4);
  auto read = ReadWindowProperties(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->version, 1u);
  EXPECT_EQ(read->borderStyle, 2u);
  EXPECT_EQ(read->keptWords, (std::array<uint32_t, 5>{7, 8, 9, 10, 11}));
  EXPECT_EQ(read->showInTaskbar, 0u);
  EXPECT_EQ(read->words16, (std::array<uint32_t, 2>{0, 0}));
  EXPECT_EQ(read->alwaysOnTop, 0u);
  EXPECT_EQ(read->word19, 0u);
  EXPECT_EQ(read->className, "");
  EXPECT_EQ(read->icon, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(read->title, "标题");
}

TEST(WindowPropertiesBlock, EachVersionReadsItsOwnFields) {
  for (uint32_t version = 1; version <= 6; ++version) {
    WindowProperties p = SampleProperties();
    p.version = version;
    if (version < 2) p.showInTaskbar = 0;
    if (version < 3) p.words16 = {};
    if (version < 4) p.alwaysOnTop = 0;
    if (version < 5) p.word19 = 0;
    if (version < 6) p.className.clear();
    auto read = ReadWindowProperties(WriteWindowProperties(p));
    ASSERT_TRUE(read) << "version " << version;
    EXPECT_EQ(*read, p) << "version " << version;
  }
}

TEST(WindowPropertiesBlock, Version7Fails) {
  WindowProperties p = SampleProperties();
  p.version = 7;
  EXPECT_FALSE(ReadWindowProperties(WriteWindowProperties(p)));
}

TEST(WindowPropertiesBlock, EveryTruncationFails) {
  std::vector<uint8_t> bytes = WriteWindowProperties(SampleProperties());
  for (size_t n = 0; n < bytes.size(); ++n) {
    GuardedBytes guarded({bytes.begin(), bytes.begin() + n});
    EXPECT_FALSE(ReadWindowProperties({guarded.data(), n})) << "length " << n;
  }
}

TEST(WindowPropertiesBlock, AZeroByteEndsACountedText) {
  WindowProperties p = SampleProperties();
  p.title = std::string("ab\0cd", 5);
  auto read = ReadWindowProperties(WriteWindowProperties(p));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->title, "ab");
}

}  // namespace
}  // namespace runtime
