// Writes form data from readable descriptions of windows and units: the program's own
// stored windows and the fixtures of the tests are made with it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form_data.h"

namespace runtime {

class ByteWriter {
 public:
  void word(uint32_t value);
  void bytes(std::span<const uint8_t> data);
  void block(std::span<const uint8_t> data);
  void countedText(std::string_view text);
  void zeroText(std::string_view text);
  const std::vector<uint8_t>& data() const { return data_; }
  std::vector<uint8_t> take() { return std::move(data_); }

 private:
  std::vector<uint8_t> data_;
};

struct HandlerOffset {
  int32_t eventNumber;
  int32_t offset;  // from the program's start routine; -1: no handler
};

struct UnitDescription {
  uint32_t id = 0;
  uint32_t dataType = 0;
  uint32_t sharedEventsUnit = 0;
  std::string name;
  std::string secondName;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t containerId = 0;
  std::vector<uint32_t> contained;
  std::vector<uint8_t> cursorImage;
  std::string furtherText;
  uint32_t styleFlags = 0;
  std::vector<HandlerOffset> handlers;
  std::vector<uint8_t> properties;
};

struct WindowDescription {
  uint32_t id = 0;
  std::array<uint32_t, 2> words{};
  std::array<std::string, 2> texts;
  std::vector<UnitDescription> units;  // unit 0 first: the window itself
};

std::vector<uint8_t> WriteUnitData(const UnitDescription& unit);
std::vector<uint8_t> WriteFormData(std::span<const WindowDescription> windows);
// Writes the fields that the block's version has.
std::vector<uint8_t> WriteWindowProperties(const WindowProperties& properties);

// The offset a handler is stored with.
int32_t HandlerOffsetOf(EventHandler handler, StartRoutine base);

}  // namespace runtime
