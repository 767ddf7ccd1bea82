#include "form_data.h"

#include <cstring>
#include <utility>

#include "form_engine.h"

namespace runtime {

bool FormReader::word(uint32_t& out) {
  if (!ok_ || size_ - pos_ < 4) return fail();
  out = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 | uint32_t(data_[pos_ + 2]) << 16 |
        uint32_t(data_[pos_ + 3]) << 24;
  pos_ += 4;
  return true;
}

bool FormReader::word(int32_t& out) {
  uint32_t w;
  if (!word(w)) return false;
  out = int32_t(w);
  return true;
}

bool FormReader::bytes(size_t n, std::span<const uint8_t>& out) {
  if (!ok_ || size_ - pos_ < n) return fail();
  out = {data_ + pos_, n};
  pos_ += n;
  return true;
}

bool FormReader::block(std::span<const uint8_t>& out) {
  uint32_t n;
  return word(n) && bytes(n, out);
}

bool FormReader::countedText(std::string& out) {
  std::span<const uint8_t> raw;
  if (!block(raw)) return false;
  const void* zero = std::memchr(raw.data(), 0, raw.size());
  size_t length = zero ? size_t(static_cast<const uint8_t*>(zero) - raw.data()) : raw.size();
  out.assign(reinterpret_cast<const char*>(raw.data()), length);
  return true;
}

bool FormReader::zeroText(std::string& out) {
  if (!ok_) return false;
  const void* zero = std::memchr(data_ + pos_, 0, size_ - pos_);
  if (!zero) return fail();
  size_t length = size_t(static_cast<const uint8_t*>(zero) - (data_ + pos_));
  out.assign(reinterpret_cast<const char*>(data_ + pos_), length);
  pos_ += length + 1;
  return true;
}

namespace {

EventHandler ResolveHandler(int32_t offset, intptr_t handlerBase) {
  if (offset == -1) return nullptr;
  return reinterpret_cast<EventHandler>(handlerBase + intptr_t(offset));
}

// Counts stored in the data are checked against what is left before anything is reserved,
// so a corrupt count cannot make the reader allocate without bound.
bool ReadCount(FormReader& in, size_t itemSize, uint32_t& count) {
  return in.word(count) && size_t(count) <= in.rest().size() / itemSize;
}

bool ReadTemplate(FormReader& in, WindowTemplate& t, intptr_t handlerBase) {
  uint32_t unitCount;
  std::span<const uint8_t> block;
  if (!in.word(t.words[0]) || !in.word(t.words[1]) || !in.countedText(t.texts[0]) ||
      !in.countedText(t.texts[1]) || !in.word(unitCount) || !in.block(block))
    return false;
  if (unitCount == 0 || size_t(unitCount) > block.size() / 8) return false;
  t.unitBlock.assign(block.begin(), block.end());

  FormReader units(t.unitBlock.data(), t.unitBlock.size());
  t.unitIds.resize(unitCount);
  for (uint32_t& id : t.unitIds) units.word(id);
  std::vector<uint32_t> offsets(unitCount);
  for (uint32_t& offset : offsets) units.word(offset);
  const size_t recordsStart = units.offset();
  const size_t recordsSize = t.unitBlock.size() - recordsStart;

  t.units.resize(unitCount);
  t.recordStarts.resize(unitCount);
  for (uint32_t i = 0; i < unitCount; ++i) {
    if (offsets[i] > recordsSize) return false;
    FormReader record(t.unitBlock.data() + recordsStart + offsets[i], recordsSize - offsets[i]);
    std::span<const uint8_t> data;
    if (!record.block(data)) return false;
    t.recordStarts[i] = recordsStart + offsets[i];
    if (!ReadUnitRecord(data, handlerBase, t.units[i])) return false;
    t.units[i].id = t.unitIds[i];
  }
  return true;
}

}  // namespace

bool ReadUnitRecord(std::span<const uint8_t> data, intptr_t handlerBase, UnitRecord& u) {
  FormReader in(data);
  uint32_t skipped;
  if (!in.word(u.dataType) || !in.word(u.sharedEventsUnit)) return false;
  for (uint32_t& r : u.reserved) in.word(r);
  if (!in.ok()) return false;
  if (u.dataType == kMenuItemDataType) {
    // Menu items have a layout of their own, which the loader does not use.
    u.menuItem = true;
    return true;
  }
  uint32_t count;
  if (!in.zeroText(u.name) || !in.zeroText(u.secondName) || !in.word(skipped) ||
      !in.word(u.left) || !in.word(u.top) || !in.word(u.width) || !in.word(u.height) ||
      !in.word(skipped) || !in.word(u.containerId) || !ReadCount(in, 4, count))
    return false;
  u.contained.resize(count);
  for (uint32_t& id : u.contained) in.word(id);
  if (!in.block(u.cursorImage) || !in.zeroText(u.furtherText) || !in.word(skipped) ||
      !in.word(u.styleFlags) || !in.word(skipped) || !ReadCount(in, 8, count))
    return false;
  u.handlers.resize(count);
  for (HandlerEntry& h : u.handlers) {
    int32_t offset = -1;
    in.word(h.eventNumber);
    in.word(offset);
    h.handler = ResolveHandler(offset, handlerBase);
  }
  for (int i = 0; i < 5; ++i) in.word(skipped);
  if (!in.ok()) return false;
  u.properties = in.rest();
  return true;
}

std::span<const uint8_t> WindowTemplate::unitData(size_t index) const {
  if (index >= recordStarts.size()) return {};
  FormReader in(unitBlock.data() + recordStarts[index], unitBlock.size() - recordStarts[index]);
  std::span<const uint8_t> data;
  return in.block(data) ? data : std::span<const uint8_t>{};
}

int WindowTemplate::indexOf(uint32_t unitId) const {
  for (size_t i = 0; i < unitIds.size(); ++i)
    if (unitIds[i] == unitId) return int(i);
  return -1;
}

const UnitRecord* WindowTemplate::unit(uint32_t unitId) const {
  int index = indexOf(unitId);
  return index < 0 ? nullptr : &units[size_t(index)];
}

const WindowTemplate* WindowTemplateMap::find(uint32_t windowId) const {
  for (const auto& t : templates_)
    if (t->id == windowId) return t.get();
  return nullptr;
}

WindowTemplate* WindowTemplateMap::find(uint32_t windowId) {
  return const_cast<WindowTemplate*>(std::as_const(*this).find(windowId));
}

void WindowTemplateMapDeleter::operator()(WindowTemplateMap* map) const { delete map; }

TemplateMapPtr ReadFormData(const uint8_t* data, uint32_t size, intptr_t handlerBase) {
  TemplateMapPtr map(new WindowTemplateMap);
  if (size == 0) return map;
  FormReader in(data, size);
  std::span<const uint8_t> keys;
  if (!in.block(keys) || keys.size() % 8 != 0) return nullptr;
  FormReader ids(keys);
  for (size_t i = 0; i < keys.size() / 8; ++i) {
    auto t = std::make_unique<WindowTemplate>();
    ids.word(t->id);
    if (!ReadTemplate(in, *t, handlerBase)) return nullptr;
    map->add(std::move(t));
  }
  return map;
}

std::optional<WindowProperties> ReadWindowProperties(std::span<const uint8_t> block) {
  FormReader in(block);
  WindowProperties p;
  if (!in.word(p.version) || p.version > kLatestWindowPropertiesVersion) return std::nullopt;
  uint32_t* const words[] = {&p.borderStyle,  &p.word3,         &p.backgroundColor,
                             &p.maximizeBox,  &p.minimizeBox,   &p.controlBox,
                             &p.startPosition, &p.closeEnabled};
  for (uint32_t* w : words) in.word(*w);
  for (uint32_t& w : p.keptWords) in.word(w);
  if (p.version > 1) in.word(p.showInTaskbar);
  if (p.version > 2) in.word(p.words16[0]), in.word(p.words16[1]);
  if (p.version > 3) in.word(p.alwaysOnTop);
  if (p.version > 4) in.word(p.word19);
  if (p.version == 6) in.countedText(p.className);
  std::span<const uint8_t> picture;
  for (std::vector<uint8_t>* target : {&p.backgroundPicture, &p.icon, &p.thirdPicture})
    if (in.block(picture)) target->assign(picture.begin(), picture.end());
  in.countedText(p.title);
  in.countedText(p.furtherText);
  if (!in.ok()) return std::nullopt;
  return p;
}

}  // namespace runtime
