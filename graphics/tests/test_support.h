// What the graphics tests share: GDI+ started once, the test-only DLL commands, a 32-bit
// top-down DIB section to draw into, and small owners of native objects made for a test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/dll.h"
#include "graphics/object.h"

namespace graphics::testing {

namespace testdll {
enum class ImportIndex : int {
#define GDIP(name) TARVO_DLL_ENUM_ENTRY(name, "gdiplus", #name, 0)
#include "graphics/tests/test_imports.inc"
#undef GDIP
  Count
};
inline constexpr int kBase = graphics::dll::kCount;
#define GDIP(name) \
  TARVO_DLL_COMMAND_ENTRY(kBase, name, decltype(&::Gdiplus::DllExports::name))
#include "graphics/tests/test_imports.inc"
#undef GDIP
}  // namespace testdll

// Appends the test-only commands after the wrapper's own.
void AppendTestNames(std::vector<const char*>& libraries, std::vector<const char*>& functions);

// A width x height 32-bit top-down DIB section selected into a memory DC, cleared to 0.
class Dib {
 public:
  Dib(int width, int height);
  ~Dib();
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;
  HDC dc() const { return dc_; }
  // 0xAARRGGBB as stored; GDI leaves the top byte 0.
  uint32_t Pixel(int x, int y) const { return bits_[y * width_ + x]; }
  uint32_t Rgb(int x, int y) const { return Pixel(x, y) & 0xFFFFFF; }
  void Fill(uint32_t argb);

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// Wrappers for native objects of classes the tests make themselves; they are GdipObjects,
// so they go wherever a wrapper argument is expected.
template <class T, const auto& DeleteCommand>
class TestObject : public GdipClass<T, DeleteCommand> {
 public:
  TestObject() = default;
  explicit TestObject(T* native) { this->SetNative(native); }
};

using TestPen = TestObject<Gdiplus::GpPen, testdll::GdipDeletePen>;
using TestBrush = TestObject<Gdiplus::GpBrush, testdll::GdipDeleteBrush>;
using TestImage = TestObject<Gdiplus::GpImage, testdll::GdipDisposeImage>;
using TestFamily = TestObject<Gdiplus::GpFontFamily, testdll::GdipDeleteFontFamily>;
using TestFont = TestObject<Gdiplus::GpFont, testdll::GdipDeleteFont>;
using TestFormat = TestObject<Gdiplus::GpStringFormat, testdll::GdipDeleteStringFormat>;
using TestRegion = TestObject<Gdiplus::GpRegion, dll::GdipDeleteRegion>;

// Puts replacement in place of a bound DLL command for the scope, so a test can see the
// arguments a wrapper method passes; `real` is the command's own address, to forward to.
class CommandSpy {
 public:
  template <int Index, class Fn>
  CommandSpy(const runtime::DllCommand<Index, Fn>&, Fn replacement)
      : CommandSpy(Index, reinterpret_cast<void*>(replacement)) {}
  CommandSpy(int index, void* replacement);
  ~CommandSpy();
  CommandSpy(const CommandSpy&) = delete;
  CommandSpy& operator=(const CommandSpy&) = delete;
  template <class Fn>
  Fn real() const {
    return reinterpret_cast<Fn>(real_);
  }

 private:
  int index_;
  void* real_;
};

TestPen MakePen(uint32_t argb, float width = 1);
TestBrush MakeBrush(uint32_t argb);
// A 32bppARGB bitmap filled by pixel(x, y).
TestImage MakeBitmap(int width, int height, uint32_t (*pixel)(int x, int y));
uint32_t BitmapPixel(const TestImage& bitmap, int x, int y);

}  // namespace graphics::testing
