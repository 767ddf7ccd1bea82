#include "form_data_writer.h"

namespace runtime {

void ByteWriter::word(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) data_.push_back(uint8_t(value >> shift));
}

void ByteWriter::bytes(std::span<const uint8_t> data) {
  data_.insert(data_.end(), data.begin(), data.end());
}

void ByteWriter::block(std::span<const uint8_t> data) {
  word(uint32_t(data.size()));
  bytes(data);
}

void ByteWriter::countedText(std::string_view text) {
  block({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void ByteWriter::zeroText(std::string_view text) {
  bytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  data_.push_back(0);
}

std::vector<uint8_t> WriteUnitData(const UnitDescription& u) {
  ByteWriter w;
  w.word(u.dataType);
  w.word(u.sharedEventsUnit);
  for (int i = 0; i < 4; ++i) w.word(0);
  w.zeroText(u.name);
  w.zeroText(u.secondName);
  w.word(0);  // instance slot
  w.word(uint32_t(u.left));
  w.word(uint32_t(u.top));
  w.word(uint32_t(u.width));
  w.word(uint32_t(u.height));
  w.word(0);  // cursor slot
  w.word(u.containerId);
  w.word(uint32_t(u.contained.size()));
  for (uint32_t id : u.contained) w.word(id);
  w.block(u.cursorImage);
  w.zeroText(u.furtherText);
  w.word(0);
  w.word(u.styleFlags);
  w.word(0);
  w.word(uint32_t(u.handlers.size()));
  for (const HandlerOffset& h : u.handlers) {
    w.word(uint32_t(h.eventNumber));
    w.word(uint32_t(h.offset));
  }
  for (int i = 0; i < 5; ++i) w.word(0);
  w.bytes(u.properties);
  return w.take();
}

std::vector<uint8_t> WriteFormData(std::span<const WindowDescription> windows) {
  ByteWriter w;
  w.word(uint32_t(8 * windows.size()));
  for (const WindowDescription& window : windows) w.word(window.id);
  for (size_t i = 0; i < windows.size(); ++i) w.word(0);  // template slots
  for (const WindowDescription& window : windows) {
    w.word(window.words[0]);
    w.word(window.words[1]);
    w.countedText(window.texts[0]);
    w.countedText(window.texts[1]);
    w.word(uint32_t(window.units.size()));
    ByteWriter records;
    std::vector<uint32_t> offsets;
    for (const UnitDescription& unit : window.units) {
      offsets.push_back(uint32_t(records.data().size()));
      records.block(WriteUnitData(unit));
    }
    ByteWriter unitBlock;
    for (const UnitDescription& unit : window.units) unitBlock.word(unit.id);
    for (uint32_t offset : offsets) unitBlock.word(offset);
    unitBlock.bytes(records.data());
    w.block(unitBlock.data());
  }
  return w.take();
}

std::vector<uint8_t> WriteWindowProperties(const WindowProperties& p) {
  ByteWriter w;
  for (uint32_t word : {p.version, p.borderStyle, p.word3, p.backgroundColor, p.maximizeBox,
                        p.minimizeBox, p.controlBox, p.startPosition, p.closeEnabled})
    w.word(word);
  for (uint32_t word : p.keptWords) w.word(word);
  if (p.version > 1) w.word(p.showInTaskbar);
  if (p.version > 2) w.word(p.words16[0]), w.word(p.words16[1]);
  if (p.version > 3) w.word(p.alwaysOnTop);
  if (p.version > 4) w.word(p.word19);
  if (p.version == 6) w.countedText(p.className);
  w.block(p.backgroundPicture);
  w.block(p.icon);
  w.block(p.thirdPicture);
  w.countedText(p.title);
  w.countedText(p.furtherText);
  return w.take();
}

int32_t HandlerOffsetOf(EventHandler handler, StartRoutine base) {
  if (!handler) return -1;
  return int32_t(reinterpret_cast<intptr_t>(handler) - reinterpret_cast<intptr_t>(base));
}

}  // namespace runtime
