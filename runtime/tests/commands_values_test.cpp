// The core commands on values, called through the entry table as application code calls
// them.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "runtime/entry_table.h"
#include "runtime/runtime_app.h"
#include "runtime/tests/command_results.h"
#include "runtime/values.h"

namespace runtime {
namespace {

using tests::DoubleResult;
using tests::HeldBytes;
using tests::IntResult;
using tests::TakeBytes;
using tests::TakeText;

const std::string kIconName("DEFAULT_ICON\0\0", 14);
const int32_t kIntArray[] = {1, 2, 0x64636261, 0x00006665};
const int32_t kTwoByOne[] = {2, 2, 1, 0x64636261, 0x68676665};

struct TextCase {
  const char* name;
  TypedValue value;
  const char* text;
};

TEST(ToText, EveryKindOfValue) {
  HeldBytes icon(kIconName);
  const TextCase cases[] = {
      {"IconNameBytes", icon.value(), "DEFAULT_ICON"},
      {"NumericArray", ArrayValue(kIntArray, kTypeInt), "abcdef"},
      {"Byte", MakeValue(kTypeByte, 200), "200"},
      {"Short", MakeValue(kTypeShort, 0xFFFD), "-3"},
      {"Int", IntValue(-2147483647 - 1), "-2147483648"},
      {"Long", LongValue(1234567890123LL), "1234567890123"},
      {"Float", FloatValue(0.1f), "0.1"},
      {"Double", DoubleValue(1.0 / 3), "0.3333333333333"},
      {"True", BoolValue(true), "真"},
      {"False", BoolValue(false), "假"},
      {"DateOnly", DateTimeValue(45000), "2023年3月15日"},
      {"DateHour", DateTimeValue(36526.5), "2000年1月1日12时"},
      {"DateMinute", DateTimeValue(36526.5 + 30.0 / 1440), "2000年1月1日12时30分"},
      {"DateSecond", DateTimeValue(36526 + (13 * 3600 + 5 * 60 + 7) / 86400.0),
       "2000年1月1日13时5分7秒"},
      {"DateBefore1899", DateTimeValue(-1.25), "1899年12月29日6时"},
      {"DateEpoch", DateTimeValue(0), "1899年12月30日"},
      {"Text", TextValue("文本"), "文本"},
      {"EmptyText", TextValue(""), ""},
      {"NullText", TextValue(nullptr), ""},
      {"Omitted", MakeValue(kTypeNone, 0), ""},
      {"Component", ComponentValue(0x52010001, 0x06010000), ""},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TakeText(CallCore(kToText, {c.value})), c.text);
  }
}

TEST(ToBytes, EveryKindOfValue) {
  HeldBytes source(std::string("\x01\x00\x02", 3));
  const std::pair<TypedValue, std::string> cases[] = {
      {TextValue("abc"), "abc"},
      {TextValue(""), ""},
      {source.value(), std::string("\x01\x00\x02", 3)},
      {MakeValue(kTypeByte, 0x41), "A"},
      {MakeValue(kTypeShort, 0x4241), "AB"},
      {IntValue(0x44434241), "ABCD"},
      {LongValue(0x4847464544434241LL), "ABCDEFGH"},
      {BoolValue(true), std::string("\x01\x00\x00\x00", 4)},
      {DoubleValue(1.0), std::string("\x00\x00\x00\x00\x00\x00\xf0\x3f", 8)},
      {ArrayValue(kIntArray, kTypeInt), std::string("abcdef\0\0", 8)},
      {ArrayValue(kTwoByOne, kTypeInt), ""},  // two dimensions
      {ComponentValue(1, 2), ""},
  };
  for (const auto& [value, bytes] : cases) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    EXPECT_EQ(TakeBytes(CallCore(kToBytes, {value})), bytes);
  }
  EXPECT_EQ(TakeBytes(CallCore(kToBytes)), "");
}

TEST(ToInt, EveryKindOfValue) {
  const std::pair<TypedValue, int32_t> cases[] = {
      {TextValue("１２３"), 123},  // full-width digits
      {TextValue("123"), 123},
      {TextValue("－４５ab"), -45},
      {TextValue("　 12x"), 12},  // full-width and ASCII spaces
      {TextValue("abc"), 0},
      {TextValue("99999999999"), INT_MAX},
      {TextValue("-99999999999"), INT_MIN},
      {TextValue(nullptr), 0},
      {MakeValue(kTypeByte, 0xFF), 255},
      {MakeValue(kTypeShort, 0xFFFF), -1},
      {LongValue(0x100000002LL), 2},
      {FloatValue(-2.9f), -2},
      {DoubleValue(2.9999), 2},
      {DoubleValue(1e10), INT_MIN},
      {DoubleValue(NAN), INT_MIN},
      {BoolValue(true), 1},
      {MakeValue(kTypeSubroutine, 0x1234), 0x1234},
      {DateTimeValue(5.5), 0},
      {MakeValue(kTypeNone, 7), 0},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(value.type));
    EXPECT_EQ(IntResult(CallCore(kToInt, {value})), expected);
  }
}

TEST(FloorToInt, NearIntegersRoundAwayFromZeroThenFloor) {
  const std::pair<double, int32_t> cases[] = {
      {-0.9999999999995, -1}, {2.9999999999995, 3}, {-2.5, -3}, {2.5, 2},
      {-3.0, -3},             {0.0, 0},             {4294967301.5, 5},
      {-1.5, -2},             {NAN, 0},             {INFINITY, 0},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(IntResult(CallCore(kFloorToInt, {DoubleValue(value)})), expected);
  }
}

TEST(IntegerCommands, ColorsAndBitOperations) {
  struct Case {
    CoreCommand command;
    std::vector<int32_t> args;
    int32_t result;
  };
  const Case cases[] = {
      {kColorValue, {300, 0, 0}, 44},
      {kColorValue, {1, 2, 3}, 0x030201},
      {kColorValue, {-1, -1, -1}, 0xFFFFFF},
      {kBitOr, {1, 2, 4}, 7},
      {kBitOr, {}, 0},
      {kBitAnd, {0xF0, 0x3C, 0x38}, 0x30},
      {kBitNot, {0}, -1},
      {kShiftRight, {-1, 28}, 15},
      {kShiftRight, {8, 33}, 4},
      {kShiftRight, {8, -31}, 4},
      {kShiftLeft, {1, 31}, INT_MIN},
      {kShiftLeft, {1, 32}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    std::vector<TypedValue> args;
    for (int32_t a : c.args) args.push_back(IntValue(a));
    EXPECT_EQ(IntResult(Entries().CallCoreCommand(kCoreCommands[c.command], int(args.size()),
                                                  args.data())),
              c.result);
  }
}

TEST(Arithmetic, DivisionRemainderAndFunctions) {
  struct Case {
    CoreCommand command;
    std::vector<double> args;
    double result;
  };
  const Case cases[] = {
      {kIntDivide, {7, 2}, 3},      {kIntDivide, {-7, 2}, -3},  {kIntDivide, {100, 3, 2}, 16},
      {kIntDivide, {9}, 9},         {kRemainder, {7.5, 2}, 1.5}, {kRemainder, {-7, 3}, -1},
      {kRemainder, {100, 7, 3}, 2}, {kAbs, {-2.5}, 2.5},        {kSin, {0}, 0},
      {kCos, {0}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    std::vector<TypedValue> args;
    for (double a : c.args) args.push_back(DoubleValue(a));
    EXPECT_DOUBLE_EQ(DoubleResult(Entries().CallCoreCommand(kCoreCommands[c.command],
                                                            int(args.size()), args.data())),
                     c.result);
  }
  EXPECT_DOUBLE_EQ(DoubleResult(CallCore(kIntDivide, {IntValue(9), IntValue(4)})), 2);
  EXPECT_NEAR(DoubleResult(CallCore(kSin, {DoubleValue(std::numbers::pi / 2)})), 1, 1e-12);
}

TEST(RandomInt, EqualBoundsConsumeNoRandomNumber) {
  std::srand(77);
  int expected = std::rand();
  CallCore(kSeedRandom, {IntValue(77)});
  EXPECT_EQ(IntResult(CallCore(kRandomInt, {IntValue(5), IntValue(5)})), 5);
  EXPECT_EQ(std::rand(), expected);
}

TEST(RandomInt, BoundsAreOrderedAndNegativeBoundsCountAsZero) {
  CallCore(kSeedRandom);
  bool seen[11] = {};
  for (int i = 0; i < 400; ++i) {
    int32_t v = IntResult(CallCore(kRandomInt, {IntValue(10), IntValue(3)}));
    ASSERT_GE(v, 3);
    ASSERT_LE(v, 10);
    seen[v] = true;
  }
  for (int v = 3; v <= 10; ++v) EXPECT_TRUE(seen[v]) << v;
  EXPECT_EQ(IntResult(CallCore(kRandomInt, {IntValue(-5), IntValue(-1)})), 0);
  for (int i = 0; i < 50; ++i) {
    EXPECT_GE(IntResult(CallCore(kRandomInt)), 0);
    int32_t v = IntResult(CallCore(kRandomInt, {IntValue(-3), IntValue(2)}));
    EXPECT_TRUE(v >= 0 && v <= 2) << v;
  }
}

TEST(RandomInt, TheSameSeedGivesTheSameSequence) {
  auto draw = [] {
    CallCore(kSeedRandom, {IntValue(12345)});
    std::vector<int32_t> v;
    for (int i = 0; i < 5; ++i) v.push_back(IntResult(CallCore(kRandomInt, {IntValue(1), IntValue(1000)})));
    return v;
  };
  EXPECT_EQ(draw(), draw());
}

struct ReadCase {
  const char* name;
  std::string data;
  int32_t type;
  int32_t position;  // 0 in the table: no position variable
  uint32_t resultType;
  uint64_t bits;      // the value field, for non-texts
  const char* text;   // for texts
  int32_t after;
};

TEST(ReadBytesValue, ReadsEachTypeAndAdvancesThePosition) {
  const std::string four("\x01\x02\x03\x04", 4);
  const std::string texts("ab\0cd", 5);
  double big = 1e9;
  std::string bigDate(reinterpret_cast<const char*>(&big), 8);
  double half = 2.5;
  std::string halfBytes(reinterpret_cast<const char*>(&half), 8);
  const ReadCase cases[] = {
      {"IntPastTheEnd", four, 3, 3, kTypeInt, 0x0403, nullptr, -1},
      {"ByteFirst", four, 1, 1, kTypeByte, 1, nullptr, 2},
      {"ShortFirst", four, 2, 1, kTypeShort, 0x0201, nullptr, 3},
      {"IntExactlyToTheEnd", four, 3, 1, kTypeInt, 0x04030201, nullptr, -1},
      {"LongPadded", four, 4, 2, kTypeLong, 0x040302, nullptr, -1},
      {"BoolLast", four, 7, 4, kTypeBool, 4, nullptr, -1},
      {"PositionZero", four, 3, -0x7fff, kTypeInt, 0, nullptr, -1},
      {"PositionPastData", four, 1, 5, kTypeByte, 0, nullptr, -1},
      {"TextToZero", texts, 10, 1, kTypeText, 0, "ab", 4},
      {"TextToEnd", texts, 10, 4, kTypeText, 0, "cd", -1},
      {"TextAtZero", texts, 10, 3, kTypeText, 0, "", 4},
      {"Double", halfBytes, 6, 1, kTypeDouble, 0x4004000000000000ULL, nullptr, -1},
      {"DateClamped", bigDate, 8, 1, kTypeDateTime, 0, nullptr, -1},
      {"Subroutine", four, 9, 1, kTypeSubroutine, 0x04030201, nullptr, -1},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    HeldBytes data(c.data);
    int32_t position = c.position == -0x7fff ? 0 : c.position;
    TypedValue r = CallCore(kReadBytesValue,
                            {data.value(), IntValue(c.type), ReferenceValue(&position)});
    EXPECT_EQ(r.type, c.resultType);
    if (c.resultType == kTypeText) {
      EXPECT_EQ(TakeText(r), c.text);
    } else if (c.resultType == kTypeDateTime) {
      EXPECT_EQ(r.real(), 2958465.0);
    } else {
      EXPECT_EQ(uint64_t(r.int64()), c.bits);
    }
    EXPECT_EQ(position, c.after);
  }
}

TEST(ReadBytesValue, WithoutAPositionVariableReadsFromTheStart) {
  HeldBytes data(std::string("\x05\x06", 2));
  EXPECT_EQ(CallCore(kReadBytesValue, {data.value(), IntValue(1)}).low, 5u);
  EXPECT_EQ(CallCore(kReadBytesValue, {data.value(), IntValue(1), IntValue(2)}).low, 6u);
  TypedValue empty = CallCore(kReadBytesValue, {BytesValue(EmptyBytes()), IntValue(3)});
  EXPECT_EQ(empty.type, kTypeInt);
  EXPECT_EQ(empty.low, 0u);
}

TEST(ByteArrayCommands, LengthsPartsAndZeros) {
  HeldBytes abc(std::string("abcdef"));
  struct Case {
    CoreCommand command;
    std::vector<int32_t> args;
    std::string result;
  };
  const Case cases[] = {
      {kBytesMid, {1, 3}, "abc"},   {kBytesMid, {0, 2}, "ab"},  {kBytesMid, {-10, 2}, "ab"},
      {kBytesMid, {5, 10}, "ef"},   {kBytesMid, {7, 1}, ""},    {kBytesMid, {3, -1}, ""},
      {kBytesMid, {99, 99}, ""},    {kBytesRight, {2}, "ef"},   {kBytesRight, {10}, "abcdef"},
      {kBytesRight, {-1}, ""},      {kBytesRight, {0}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    std::vector<TypedValue> args{abc.value()};
    for (int32_t a : c.args) args.push_back(IntValue(a));
    EXPECT_EQ(TakeBytes(Entries().CallCoreCommand(kCoreCommands[c.command], int(args.size()),
                                                  args.data())),
              c.result);
  }
  EXPECT_EQ(TakeBytes(CallCore(kBytesRight, {BytesValue(EmptyBytes()), IntValue(3)})), "");
  EXPECT_EQ(TakeBytes(CallCore(kZeroBytes, {IntValue(3)})), std::string(3, '\0'));
  EXPECT_EQ(TakeBytes(CallCore(kZeroBytes, {IntValue(0)})), "");
  EXPECT_EQ(TakeBytes(CallCore(kZeroBytes, {IntValue(-5)})), "");
  EXPECT_EQ(IntResult(CallCore(kBytesLength, {abc.value()})), 6);
  EXPECT_EQ(IntResult(CallCore(kBytesLength, {BytesValue(EmptyBytes())})), 0);
  EXPECT_EQ(IntResult(CallCore(kBytesLength, {BytesValue(nullptr)})), 0);
}

TEST(ByteArrayCommands, BytesFromAddressCopies) {
  const char source[] = "memory";
  EXPECT_EQ(TakeBytes(CallCore(kBytesFromAddress, {tests::AddressValue(source), IntValue(3)})),
            "mem");
  EXPECT_EQ(TakeBytes(CallCore(kBytesFromAddress, {tests::AddressValue(source), IntValue(-3)})),
            "");
  EXPECT_EQ(TakeBytes(CallCore(kBytesFromAddress, {IntValue(0), IntValue(8)})), "");
}

TEST(TextCommands, LengthsAndSpaces) {
  EXPECT_EQ(IntResult(CallCore(kTextLength, {TextValue("播放")})), 4);
  EXPECT_EQ(IntResult(CallCore(kTextLength, {TextValue("")})), 0);
  EXPECT_EQ(IntResult(CallCore(kTextLength, {TextValue(nullptr)})), 0);
  EXPECT_EQ(TakeText(CallCore(kSpaceText, {IntValue(3)})), "   ");
  EXPECT_EQ(TakeText(CallCore(kSpaceText, {IntValue(0)})), "");
  EXPECT_EQ(TakeText(CallCore(kSpaceText, {IntValue(-2)})), "");
}

}  // namespace
}  // namespace runtime
