#include "graphics/tests/test_support.h"

#include "runtime/entry_table.h"
#include "runtime/runtime_app.h"

namespace graphics::testing {

namespace {

const char* const kTestLibraries[] = {
#define GDIP(name) "gdiplus",
#include "graphics/tests/test_imports.inc"
#undef GDIP
};
const char* const kTestFunctions[] = {
#define GDIP(name) #name,
#include "graphics/tests/test_imports.inc"
#undef GDIP
};

// GDI+ is started once per test program, as the program itself does at start-up.
class GdiplusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input{};
    input.GdiplusVersion = 1;
    ASSERT_EQ(dll::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }

 private:
  ULONG_PTR token_ = 0;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace

void AppendTestNames(std::vector<const char*>& libraries, std::vector<const char*>& functions) {
  libraries.insert(libraries.end(), std::begin(kTestLibraries), std::end(kTestLibraries));
  functions.insert(functions.end(), std::begin(kTestFunctions), std::end(kTestFunctions));
}

CommandSpy::CommandSpy(int index, void* replacement)
    : index_(index), real_(runtime::Entries().CallDllCommand(index)) {
  runtime::App().dll.addresses[index] = replacement;
}

CommandSpy::~CommandSpy() { runtime::App().dll.addresses[index_] = real_; }

Dib::Dib(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
}

Dib::~Dib() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void Dib::Fill(uint32_t argb) {
  GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = argb;
}

TestPen MakePen(uint32_t argb, float width) {
  Gdiplus::GpPen* pen = nullptr;
  testdll::GdipCreatePen1(argb, width, Gdiplus::UnitPixel, &pen);
  return TestPen(pen);
}

TestBrush MakeBrush(uint32_t argb) {
  Gdiplus::GpSolidFill* brush = nullptr;
  testdll::GdipCreateSolidFill(argb, &brush);
  return TestBrush(brush);
}

TestImage MakeBitmap(int width, int height, uint32_t (*pixel)(int x, int y)) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  testdll::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) testdll::GdipBitmapSetPixel(bitmap, x, y, pixel(x, y));
  return TestImage(bitmap);
}

uint32_t BitmapPixel(const TestImage& bitmap, int x, int y) {
  Gdiplus::ARGB color = 0;
  testdll::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(bitmap.handle()), x, y, &color);
  return color;
}

}  // namespace graphics::testing
