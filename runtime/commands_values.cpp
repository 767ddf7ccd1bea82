// Core commands on values: conversions, bit operations, arithmetic, byte arrays, texts and
// random numbers.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime/commands.h"
#include "runtime/entry_table.h"

namespace runtime::commands {

namespace {

// Bytes of a numeric type's value; 0 for the others.
size_t NumericSize(uint32_t type) {
  switch (type) {
    case kTypeByte: return 1;
    case kTypeShort: return 2;
    case kTypeInt:
    case kTypeFloat: return 4;
    case kTypeLong:
    case kTypeDouble: return 8;
    default: return 0;
  }
}

// The value field's size for the kinds ToBytes copies raw.
size_t RawSize(uint32_t type) {
  if (size_t n = NumericSize(type)) return n;
  switch (type) {
    case kTypeBool:
    case kTypeSubroutine: return 4;
    case kTypeDateTime: return 8;
    default: return 0;
  }
}

// The element bytes of a numeric array argument; empty for anything else.
std::span<const uint8_t> NumericArrayBytes(const TypedValue& v, bool oneDimensionOnly) {
  if (!(v.type & kTypeByAddress)) return {};
  size_t elementSize = NumericSize(v.type & ~kTypeByAddress);
  const void* block = v.pointer();
  if (!elementSize || !block) return {};
  if (oneDimensionOnly && array::Dimensions(block) != 1) return {};
  return {array::Elements(block), array::ElementCount(block) * elementSize};
}

std::span<const uint8_t> UpToZero(std::span<const uint8_t> bytes) {
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == 0) return bytes.first(i);
  return bytes;
}

std::string Format(const char* format, auto... values) {
  char buffer[64];
  int n = std::snprintf(buffer, sizeof buffer, format, values...);
  return std::string(buffer, n > 0 ? size_t(n) < sizeof buffer ? size_t(n) : sizeof buffer - 1 : 0);
}

// Truncation toward zero; out of range gives the processor's "integer indefinite".
int32_t Truncate(double d) {
  if (!(d > -2147483649.0 && d < 2147483648.0)) return std::numeric_limits<int32_t>::min();
  return int32_t(d);
}

constexpr double kMinDate = -657434;
constexpr double kMaxDate = 2958465;

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(yoe + era * 400 + (month <= 2));
}

uint32_t g_seedCounter = 0;

void SetRaw(TypedValue* result, uint32_t type, const uint8_t* bytes, size_t size) {
  uint8_t raw[8] = {};
  std::memcpy(raw, bytes, size);
  std::memcpy(&result->low, raw, 4);
  std::memcpy(&result->high, raw + 4, 4);
  result->type = type;
}

}  // namespace

// ---- Shared helpers -------------------------------------------------------------------

int32_t Args::integer(int i, int32_t fallback) const {
  return given(i) ? ToInt32(values_[i]) : fallback;
}

double Args::number(int i, double fallback) const {
  if (!given(i)) return fallback;
  const TypedValue& v = values_[i];
  if (IsNumericType(v.type)) return NumberOf(v);
  if (v.type == kTypeBool) return v.low != 0 ? 1 : 0;
  return 0;
}

std::string_view Args::text(int i) const {
  return given(i) ? TextView(TextOf(values_[i])) : std::string_view();
}

std::span<const uint8_t> Args::bytes(int i) const {
  return given(i) ? BytesView(BytesOf(values_[i])) : std::span<const uint8_t>();
}

void* Args::address(int i) const {
  if (!given(i)) return nullptr;
  const TypedValue& v = values_[i];
  if (v.type == kTypeLong) return reinterpret_cast<void*>(intptr_t(v.int64()));
  if (v.type == kTypeText || v.type == kTypeBytes || v.type == kTypeSubroutine ||
      (v.type & kTypeByAddress))
    return v.pointer();
  return reinterpret_cast<void*>(intptr_t(ToInt32(v)));  // handles extend by sign
}

void SetInt(TypedValue* result, int32_t value) { *result = IntValue(value); }
void SetBool(TypedValue* result, bool value) { *result = BoolValue(value); }
void SetDouble(TypedValue* result, double value) { *result = DoubleValue(value); }
void SetText(TypedValue* result, std::string_view text) { *result = TextValue(NewText(text)); }
void SetBytes(TypedValue* result, std::span<const uint8_t> bytes) {
  *result = BytesValue(NewBytes(bytes));
}
void SetBytesBlock(TypedValue* result, ByteArray* owned) { *result = BytesValue(owned); }

std::string HalfWidth(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size(); ++i) {
    auto lead = uint8_t(gbk[i]);
    if (lead < 0x81 || lead == 0xFF || i + 1 == gbk.size()) {
      out += char(lead);
      continue;
    }
    auto trail = uint8_t(gbk[i + 1]);
    ++i;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += char(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else {
      out += char(lead);
      out += char(trail);
    }
  }
  return out;
}

int32_t ParseLeadingInt(std::string_view text) {
  size_t i = 0;
  auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t(1) << 32) value = int64_t(1) << 32;  // saturated, still beyond range
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(value);
}

int32_t ToInt32(const TypedValue& v) {
  switch (v.type) {
    case kTypeBool:
    case kTypeInt:
    case kTypeLong:
    case kTypeSubroutine: return int32_t(v.low);
    case kTypeByte: return int32_t(uint8_t(v.low));
    case kTypeShort: return int32_t(int16_t(v.low));
    case kTypeFloat: return Truncate(v.single());
    case kTypeDouble: return Truncate(v.real());
    case kTypeText: return ParseLeadingInt(HalfWidth(TextView(TextOf(v))));
    default: return 0;
  }
}

std::string DateTimeText(double date) {
  if (!(date >= kMinDate)) date = kMinDate;  // NaN too
  if (date > kMaxDate) date = kMaxDate;
  double whole = std::trunc(date);
  auto days = int64_t(whole);
  auto seconds = int64_t(std::llround(std::fabs(date - whole) * 86400.0));
  if (seconds >= 86400) {
    seconds -= 86400;
    days += 1;
  }
  int year, month, day;
  CivilFromDays(days - 25569, year, month, day);  // 1899-12-30 is day -25569 of 1970
  int hour = int(seconds / 3600), minute = int(seconds / 60 % 60), second = int(seconds % 60);
  std::string text = Format("%d年%d月%d日", year, month, day);
  if (second != 0)
    text += Format("%d时%d分%d秒", hour, minute, second);
  else if (minute != 0)
    text += Format("%d时%d分", hour, minute);
  else if (hour != 0)
    text += Format("%d时", hour);
  return text;
}

// ---- Commands -------------------------------------------------------------------------

void BitOr(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  uint32_t v = 0;
  for (int i = 0; i < a.count(); ++i) v |= uint32_t(a.integer(i));
  SetInt(result, int32_t(v));
}

void BitAnd(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  uint32_t v = a.count() ? 0xFFFFFFFFu : 0;
  for (int i = 0; i < a.count(); ++i) v &= uint32_t(a.integer(i));
  SetInt(result, int32_t(v));
}

void BitNot(TypedValue* result, int count, TypedValue* args) {
  SetInt(result, ~Args(count, args).integer(0));
}

void ShiftRight(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  SetInt(result, int32_t(uint32_t(a.integer(0)) >> (uint32_t(a.integer(1)) & 31)));
}

void ShiftLeft(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  SetInt(result, int32_t(uint32_t(a.integer(0)) << (uint32_t(a.integer(1)) & 31)));
}

void ToBytes(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  if (!a.given(0)) return SetBytes(result, {});
  const TypedValue& v = a[0];
  if (v.type == kTypeText) return SetBytes(result, std::span(reinterpret_cast<const uint8_t*>(a.text(0).data()), a.text(0).size()));
  if (v.type == kTypeBytes) return SetBytes(result, a.bytes(0));
  if (size_t n = RawSize(v.type)) {
    uint8_t raw[8];
    std::memcpy(raw, &v.low, 4);
    std::memcpy(raw + 4, &v.high, 4);
    return SetBytes(result, std::span<const uint8_t>(raw, n));
  }
  SetBytes(result, NumericArrayBytes(v, true));
}

void ToText(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  if (!a.given(0)) return SetText(result, {});
  const TypedValue& v = a[0];
  switch (v.type) {
    case kTypeText: return SetText(result, a.text(0));
    case kTypeBytes: {
      auto bytes = UpToZero(a.bytes(0));
      return SetText(result, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    case kTypeByte: return SetText(result, Format("%u", unsigned(uint8_t(v.low))));
    case kTypeShort: return SetText(result, Format("%d", int(int16_t(v.low))));
    case kTypeInt: return SetText(result, Format("%d", int(int32_t(v.low))));
    case kTypeLong: return SetText(result, Format("%lld", (long long)v.int64()));
    case kTypeFloat: return SetText(result, Format("%.6g", double(v.single())));
    case kTypeDouble: return SetText(result, Format("%.13g", v.real()));
    case kTypeBool: return SetText(result, v.low ? "真" : "假");
    case kTypeDateTime: return SetText(result, DateTimeText(v.real()));
    default: {
      auto bytes = UpToZero(NumericArrayBytes(v, false));
      SetText(result, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
  }
}

void ToInt(TypedValue* result, int count, TypedValue* args) {
  SetInt(result, Args(count, args).integer(0));
}

void FloorToInt(TypedValue* result, int count, TypedValue* args) {
  double v = Args(count, args).number(0);
  if (!std::isfinite(v)) return SetInt(result, 0);
  double whole = std::trunc(v);
  if (std::fabs(v - whole) > 0.999999999999) v = whole + (v < 0 ? -1 : 1);
  // The low 32 bits of the floor, exactly, whatever its magnitude.
  double low = std::fmod(std::floor(v), 4294967296.0);
  if (low < 0) low += 4294967296.0;
  SetInt(result, int32_t(uint32_t(low)));
}

void ReadBytesValue(TypedValue* result, int count, TypedValue* args) {
  static constexpr uint32_t kTypes[] = {kTypeByte,   kTypeShort, kTypeInt,      kTypeLong,
                                        kTypeFloat,  kTypeDouble, kTypeBool,    kTypeDateTime,
                                        kTypeSubroutine, kTypeText};
  static constexpr size_t kSizes[] = {1, 2, 4, 8, 4, 8, 4, 8, 4, 0};
  Args a(count, args);
  int32_t kind = a.integer(1);
  if (kind < 1 || kind > 10) CommandFatal("“欲取出数据的类型”参数值无效");
  std::span<const uint8_t> data = a.bytes(0);

  int32_t* variable = nullptr;
  int64_t position = 1;
  if (a.given(2)) {
    if (a[2].type & kTypeByAddress) variable = static_cast<int32_t*>(a[2].pointer());
    position = variable ? *variable : a.integer(2);
  }
  uint32_t type = kTypes[kind - 1];
  // The 0-based offset after the value; past the end when there was nothing to read.
  size_t next = data.size();
  if (position >= 1 && uint64_t(position - 1) < data.size()) {
    size_t offset = size_t(position - 1);
    std::span<const uint8_t> rest = data.subspan(offset);
    if (type == kTypeText) {
      std::span<const uint8_t> text = UpToZero(rest);
      SetText(result, std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
      next = offset + text.size() + (text.size() < rest.size() ? 1 : 0);
    } else {
      size_t size = kSizes[kind - 1];
      SetRaw(result, type, rest.data(), size < rest.size() ? size : rest.size());
      next = offset + size;
    }
  } else {
    *result = MakeValue(type, 0);
  }
  if (type == kTypeDateTime) {
    double d = result->real();
    if (!(d >= kMinDate)) d = kMinDate;
    if (d > kMaxDate) d = kMaxDate;
    result->setReal(d);
  }
  if (variable) *variable = next >= data.size() ? -1 : int32_t(next + 1);
}

void ZeroBytes(TypedValue* result, int count, TypedValue* args) {
  int32_t n = Args(count, args).integer(0);
  SetBytesBlock(result, n > 0 ? NewZeroBytes(size_t(n)) : nullptr);
}

void TextLength(TypedValue* result, int count, TypedValue* args) {
  SetInt(result, int32_t(Args(count, args).text(0).size()));
}

void BytesLength(TypedValue* result, int count, TypedValue* args) {
  SetInt(result, int32_t(Args(count, args).bytes(0).size()));
}

void BytesFromAddress(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  const void* address = a.address(0);
  int32_t n = a.integer(1);
  SetBytesBlock(result, address && n > 0 ? NewBytes(address, size_t(n)) : nullptr);
}

void SeedRandom(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  if (a.given(0)) {
    std::srand(unsigned(a.integer(0)));
    return;
  }
  uint32_t tick = GetTickCount();
  std::srand(tick + g_seedCounter);
  g_seedCounter += ((tick + g_seedCounter) & 0xFF) + 100;
}

void RandomInt(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  int64_t lower = a.given(0) ? a.integer(0) : 0;
  int64_t upper = a.given(1) ? a.integer(1) : 2147483647;
  if (lower < 0) lower = 0;
  if (upper < 0) upper = 0;
  if (lower > upper) std::swap(lower, upper);
  if (lower == upper) return SetInt(result, int32_t(lower));
  int64_t span = upper - lower;
  if (lower == 0 && upper == 2147483647) span = 2147483646;
  int64_t next = std::llabs(int64_t(std::rand()));
  SetInt(result, int32_t(lower + next % (span + 1)));
}

void IntDivide(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  double v = a.number(0);
  for (int i = 1; i < a.count(); ++i) {
    double divisor = a.number(i);
    if (divisor == 0) CommandFatal("不能整除于零");
    v = std::trunc(v / divisor);
  }
  SetDouble(result, v);
}

void Remainder(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  double v = a.number(0);
  for (int i = 1; i < a.count(); ++i) {
    double divisor = a.number(i);
    if (divisor == 0) CommandFatal("不能求余数于零");
    v = std::fmod(v, divisor);
  }
  SetDouble(result, v);
}

void ColorValue(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  uint32_t r = uint32_t(a.integer(0)) & 0xFF, g = uint32_t(a.integer(1)) & 0xFF,
           b = uint32_t(a.integer(2)) & 0xFF;
  SetInt(result, int32_t(r + g * 256 + b * 65536));
}

void SpaceText(TypedValue* result, int count, TypedValue* args) {
  int32_t n = Args(count, args).integer(0);
  if (n < 1) return SetText(result, {});
  auto* text = static_cast<char*>(Entries().RuntimeAlloc(size_t(n) + 1));
  std::memset(text, ' ', size_t(n));
  text[n] = 0;
  *result = TextValue(text);
}

void Abs(TypedValue* result, int count, TypedValue* args) {
  SetDouble(result, std::fabs(Args(count, args).number(0)));
}

void Sin(TypedValue* result, int count, TypedValue* args) {
  SetDouble(result, std::sin(Args(count, args).number(0)));
}

void Cos(TypedValue* result, int count, TypedValue* args) {
  SetDouble(result, std::cos(Args(count, args).number(0)));
}

void BytesMid(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  std::span<const uint8_t> data = a.bytes(0);
  int64_t start = int64_t(a.integer(1)) - 1;
  if (start < 0) start = 0;
  if (start > int64_t(data.size())) start = int64_t(data.size());
  int64_t length = a.integer(2);
  if (length < 0) length = 0;
  int64_t available = int64_t(data.size()) - start;
  SetBytes(result, data.subspan(size_t(start), size_t(length < available ? length : available)));
}

void BytesRight(TypedValue* result, int count, TypedValue* args) {
  Args a(count, args);
  std::span<const uint8_t> data = a.bytes(0);
  int64_t n = a.integer(1);
  if (n < 0) n = 0;
  if (n > int64_t(data.size())) n = int64_t(data.size());
  SetBytes(result, data.last(size_t(n)));
}

}  // namespace runtime::commands
