// The stored windows of a program: window templates read from the form data, their unit
// records and the window component's property block. Every read checks its bounds; data
// that ends early or does not add up is rejected, never read past.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "program_image.h"
#include "runtime_app.h"

namespace runtime {

// Little-endian words, blocks and texts. A failed read leaves the reader failed; later
// reads fail too.
class FormReader {
 public:
  FormReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
  explicit FormReader(std::span<const uint8_t> bytes) : FormReader(bytes.data(), bytes.size()) {}

  bool word(uint32_t& out);
  bool word(int32_t& out);
  bool bytes(size_t n, std::span<const uint8_t>& out);
  bool block(std::span<const uint8_t>& out);
  bool countedText(std::string& out);  // a zero byte inside ends the text
  bool zeroText(std::string& out);     // up to and past its terminator
  bool ok() const { return ok_; }
  size_t offset() const { return pos_; }
  std::span<const uint8_t> rest() const { return {data_ + pos_, size_ - pos_}; }

 private:
  bool fail() { return ok_ = false; }
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

inline constexpr uint32_t kMenuItemDataType = 0x00010003;
// Category 2, kind 6.
inline bool IsMenuItemId(uint32_t id) { return (id >> 24) == 0x26; }

// Style flags of a unit.
inline constexpr uint32_t kUnitVisible = 1;
inline constexpr uint32_t kUnitDisabled = 2;
inline constexpr uint32_t kUnitTabStop = 4;

struct HandlerEntry {
  int32_t eventNumber = 0;
  EventHandler handler = nullptr;  // null: no handler
};

// One unit record, parsed. The spans point into the template's unit block.
struct UnitRecord {
  uint32_t id = 0;
  uint32_t dataType = 0;
  uint32_t sharedEventsUnit = 0;  // 0: its own events
  std::array<uint32_t, 4> reserved{};
  std::string name;
  std::string secondName;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t containerId = 0;  // 0: the window
  std::vector<uint32_t> contained;  // page by page, 0 between pages
  std::span<const uint8_t> cursorImage;
  std::string furtherText;
  uint32_t styleFlags = 0;
  std::vector<HandlerEntry> handlers;
  std::span<const uint8_t> properties;
  bool menuItem = false;  // menu items keep only their id and data type here
};

class WindowTemplate {
 public:
  WindowTemplate() = default;
  WindowTemplate(const WindowTemplate&) = delete;
  WindowTemplate& operator=(const WindowTemplate&) = delete;

  uint32_t id = 0;
  std::array<uint32_t, 2> words{};
  std::array<std::string, 2> texts;
  std::vector<uint8_t> unitBlock;
  std::vector<uint32_t> unitIds;
  std::vector<UnitRecord> units;  // same order as unitIds; unit 0 is the window

  size_t unitCount() const { return unitIds.size(); }
  // The unit data of a record (after its size word); empty for an index out of range.
  std::span<const uint8_t> unitData(size_t index) const;
  // Index of a unit id, the window's own unit compared first; -1 when absent.
  int indexOf(uint32_t unitId) const;
  const UnitRecord* unit(uint32_t unitId) const;

  std::vector<size_t> recordStarts;  // offsets of the records' size words in unitBlock
};

class WindowTemplateMap {
 public:
  const WindowTemplate* find(uint32_t windowId) const;
  WindowTemplate* find(uint32_t windowId);
  size_t size() const { return templates_.size(); }
  const WindowTemplate& at(size_t index) const { return *templates_[index]; }
  WindowTemplate& at(size_t index) { return *templates_[index]; }
  void add(std::unique_ptr<WindowTemplate> t) { templates_.push_back(std::move(t)); }

 private:
  std::vector<std::unique_ptr<WindowTemplate>> templates_;
};

// Reads the form data into templates; handler offsets are resolved against handlerBase.
// Returns null when the data cannot be read. A size of 0 gives an empty map.
TemplateMapPtr ReadFormData(const uint8_t* data, uint32_t size, intptr_t handlerBase);

// Reads one unit record's data. handlerBase turns handler offsets into addresses.
bool ReadUnitRecord(std::span<const uint8_t> data, intptr_t handlerBase, UnitRecord& out);

// The property block of the core window component.
struct WindowProperties {
  uint32_t version = 6;
  uint32_t borderStyle = 0;
  uint32_t word3 = 0;
  uint32_t backgroundColor = 0;
  uint32_t maximizeBox = 0;
  uint32_t minimizeBox = 0;
  uint32_t controlBox = 0;
  uint32_t startPosition = 0;
  uint32_t closeEnabled = 0;
  std::array<uint32_t, 5> keptWords{};  // words 10 to 14
  uint32_t showInTaskbar = 0;           // version 2 and up
  std::array<uint32_t, 2> words16{};    // version 3 and up
  uint32_t alwaysOnTop = 0;             // version 4 and up
  uint32_t word19 = 0;                  // version 5 and up
  std::string className;                // version 6
  std::vector<uint8_t> backgroundPicture;
  std::vector<uint8_t> icon;
  std::vector<uint8_t> thirdPicture;
  std::string title;
  std::string furtherText;

  bool operator==(const WindowProperties&) const = default;
};

inline constexpr uint32_t kLatestWindowPropertiesVersion = 6;
inline constexpr uint32_t kButtonFaceColor = 0xFF000000;

std::optional<WindowProperties> ReadWindowProperties(std::span<const uint8_t> block);

}  // namespace runtime
