// The value helpers: array rules, texts and byte arrays, numeric reads.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/runtime_app.h"
#include "runtime/values.h"

namespace runtime {
namespace {

// A heap array block with these sizes and elements 1, 2, 3, ...
void* NumberedArray(std::initializer_list<int32_t> sizes) {
  std::span<const int32_t> s(sizes.begin(), sizes.size());
  void* block = array::NewBlock(s, sizeof(int32_t), nullptr, 0);
  auto* e = reinterpret_cast<int32_t*>(array::Elements(block));
  for (size_t i = 0; i < array::ElementCount(block); ++i) e[i] = int32_t(i + 1);
  return block;
}

struct LocateCase {
  std::vector<int32_t> sizes;  // empty: a null array
  std::vector<int32_t> indexes;
  size_t element;
  int error;
};

TEST(ArrayRules, IndexesLeadToAnElementOrAnErrorNumber) {
  const LocateCase cases[] = {
      {{3}, {1}, 0, 0},
      {{3}, {3}, 2, 0},
      {{3}, {0}, 0, 4},
      {{3}, {-5}, 0, 4},
      {{3}, {4}, 0, 1},
      {{}, {1}, 0, 1},
      {{2, 3}, {6}, 5, 0},  // one index: the array is flat
      {{2, 3}, {7}, 0, 1},
      {{2, 3}, {1, 1}, 0, 0},
      {{2, 3}, {2, 1}, 3, 0},
      {{2, 3}, {2, 3}, 5, 0},
      {{2, 3}, {3, 1}, 0, 1},
      {{2, 3}, {1, 4}, 0, 1},
      {{2, 3}, {0, 1}, 0, 4},
      {{2, 3}, {1, 1, 1}, 0, 3},
      {{3}, {1, 1}, 0, 3},
      {{2, 0}, {1, 1}, 0, 1},
  };
  for (const LocateCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.sizes) + " at " + ::testing::PrintToString(c.indexes));
    void* block = c.sizes.empty() ? nullptr : array::NewBlock(c.sizes, 4, nullptr, 0);
    array::Location at = array::Locate(block, c.indexes);
    EXPECT_EQ(at.error, c.error);
    if (c.error == 0) {
      EXPECT_EQ(at.element, c.element);
    }
    Free(block);
  }
}

TEST(ArrayRules, OnlyNegativeSizesAreRefusedByRedimension) {
  const std::pair<std::vector<int32_t>, int> cases[] = {
      {{0}, 0}, {{5}, 0}, {{2, 3}, 0}, {{2, 0}, 0}, {{-1}, 10}, {{2, -3}, 10}};
  for (const auto& [sizes, error] : cases) {
    SCOPED_TRACE(::testing::PrintToString(sizes));
    EXPECT_EQ(array::RedimensionError(sizes), error);
  }
}

TEST(ArrayRules, AppendingToATwoByThreeArrayGivesSevenElementsInOneDimension) {
  void* block = NumberedArray({2, 3});
  ArrayVariable<int32_t> a(block);
  a.append(70);
  EXPECT_EQ(a.dimensions(), 1);
  ASSERT_EQ(a.count(), 7u);
  EXPECT_EQ(array::Header(block)[1], 7);
  for (int32_t i = 1; i <= 6; ++i) EXPECT_EQ(a.get({i}), i);
  EXPECT_EQ(a.get({7}), 70);
  a.clear();
  EXPECT_EQ(block, nullptr);
}

TEST(ArrayRules, AppendingToANullArrayMakesOneElement) {
  void* block = nullptr;
  ArrayVariable<double> a(block);
  a.append(2.5);
  a.append(-1.0);
  ASSERT_EQ(a.count(), 2u);
  EXPECT_EQ(a.get({1}), 2.5);
  EXPECT_EQ(a.get({2}), -1.0);
  a.clear();
}

// A constant array as the constant pool holds it: header {1, 3}, elements 7, 8, 9.
const int32_t kConstantArray[] = {1, 3, 7, 8, 9};

TEST(ArrayRules, WritingAConstantArrayWritesAHeapCopy) {
  ASSERT_TRUE(InConstantPool(kConstantArray));
  void* block = const_cast<int32_t*>(kConstantArray);
  ArrayVariable<int32_t> a(block);
  EXPECT_EQ(a.get({2}), 8);
  a.set({2}, 80);
  EXPECT_NE(block, static_cast<const void*>(kConstantArray));
  EXPECT_FALSE(InConstantPool(block));
  EXPECT_EQ(a.get({1}), 7);
  EXPECT_EQ(a.get({2}), 80);
  EXPECT_EQ(a.get({3}), 9);
  EXPECT_EQ(kConstantArray[3], 8);

  void* second = const_cast<int32_t*>(kConstantArray);
  ArrayVariable<int32_t> b(second);
  b.append(10);
  EXPECT_EQ(b.count(), 4u);
  EXPECT_EQ(b.get({4}), 10);
  EXPECT_EQ(kConstantArray[1], 3);
  a.clear();
  b.clear();
}

TEST(ArrayRules, RedimensionKeepsElementsInRowOrderOnlyWhenAsked) {
  void* block = NumberedArray({2, 3});
  ArrayVariable<int32_t> a(block);
  a.redimension({4}, true);
  ASSERT_EQ(a.count(), 4u);
  EXPECT_EQ(a.get({4}), 4);
  a.redimension({2, 5}, true);
  EXPECT_EQ(a.dimensions(), 2);
  EXPECT_EQ(a.get({1, 4}), 4);
  EXPECT_EQ(a.get({2, 5}), 0);
  a.redimension({3}, false);
  EXPECT_EQ(a.get({1}), 0);
  a.redimension({0});
  EXPECT_EQ(a.count(), 0u);
  EXPECT_EQ(a.dimensions(), 1);
  a.clear();
}

TEST(ArrayRules, TextElementsBelongToTheArray) {
  void* block = nullptr;
  ArrayVariable<char*> a(block);
  a.append(NewText("一"));
  a.append(const_cast<char*>("常量"));  // literals may be elements too
  a.set({1}, NewText("二"));
  EXPECT_STREQ(a.get({1}), "二");
  EXPECT_STREQ(a.get({2}), "常量");
  a.redimension({1}, true);
  EXPECT_STREQ(a.get({1}), "二");
  a.clear();
}

TEST(Texts, EmptyIsNullAndNullReadsAsEmpty) {
  EXPECT_EQ(NewText(""), nullptr);
  EXPECT_EQ(TextView(nullptr), "");
  TextPtr t(NewText("播放器"));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(TextView(t.get()), "播放器");
}

TEST(ByteArrays, EmptyIsNullAndBadHeadersReadAsEmpty) {
  EXPECT_EQ(NewBytes(nullptr, 0), nullptr);
  EXPECT_TRUE(BytesView(nullptr).empty());
  EXPECT_TRUE(BytesView(EmptyBytes()).empty());
  EXPECT_TRUE(InConstantPool(EmptyBytes()));
  const int32_t negative[2] = {1, -4};
  EXPECT_TRUE(BytesView(reinterpret_cast<const ByteArray*>(negative)).empty());
  BytesPtr b(NewBytes("abc", 3));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->marker, 1);
  EXPECT_EQ(b->length, 3);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(b->data()), 3), "abc");
  BytesPtr z(NewZeroBytes(5));
  EXPECT_EQ(BytesView(z.get()).size(), 5u);
  for (uint8_t x : BytesView(z.get())) EXPECT_EQ(x, 0);
}

TEST(NumericReads, EveryNumericTypeReadsAndOthersAreNot) {
  struct Case {
    TypedValue value;
    double number;
    int32_t integer;
  };
  const Case cases[] = {
      {MakeValue(kTypeByte, 0xFF), 255, 255},
      {MakeValue(kTypeShort, 0xFFFE), -2, -2},
      {IntValue(-7), -7, -7},
      {LongValue(0x100000005LL), 4294967301.0, 5},
      {FloatValue(-2.75f), -2.75, -2},
      {DoubleValue(9.99), 9.99, 9},
      {DoubleValue(-1e20), -1e20, INT32_MIN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_TRUE(IsNumericType(c.value.type));
    EXPECT_DOUBLE_EQ(NumberOf(c.value), c.number);
    EXPECT_EQ(IntegerOf(c.value), c.integer);
  }
  for (uint32_t type : std::initializer_list<uint32_t>{kTypeBool, kTypeDateTime, kTypeText, kTypeBytes, kTypeSubroutine,
                        uint32_t(kTypeNone), kWindowDataType, kTypeInt | kTypeByAddress})
    EXPECT_FALSE(IsNumericType(type)) << std::hex << type;
}

}  // namespace
}  // namespace runtime
