// Start-up initialisation against the real system: GDI+ started once, the application
// icon chosen from the exe's resources, cursors, and the framework's window classes.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/window/drop_shadow.h"
#include "framework/window/startup.h"

namespace {

struct StartupCall {
  int count = 0;
  UINT32 version = 0;
  BOOL suppressBackgroundThread = -1;
  BOOL suppressExternalCodecs = -1;
  bool hadCallback = true;
  bool hadOutput = true;
};
StartupCall g_startup;

}  // namespace

// Bound by the program image in place of GDI+'s own GdiplusStartup.
extern "C" __declspec(dllexport) Gdiplus::Status WINAPI CountingGdiplusStartup(
    ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
    Gdiplus::GdiplusStartupOutput* output) {
  ++g_startup.count;
  g_startup.version = input->GdiplusVersion;
  g_startup.suppressBackgroundThread = input->SuppressBackgroundThread;
  g_startup.suppressExternalCodecs = input->SuppressExternalCodecs;
  g_startup.hadCallback = input->DebugEventCallback != nullptr;
  g_startup.hadOutput = output != nullptr;
  using Startup = decltype(&CountingGdiplusStartup);
  static auto real = reinterpret_cast<Startup>(reinterpret_cast<void*>(
      GetProcAddress(LoadLibraryA("gdiplus.dll"), "GdiplusStartup")));
  return real(token, input, output);
}

namespace {

using framework::Globals;

// The 16 x 16 colour pixels of an icon, for comparing icons by content.
std::vector<uint32_t> IconPixels(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 16;
  bi.bmiHeader.biHeight = -16;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(16 * 16);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, info.hbmColor, 0, 16, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

// Shared: the system owns the handle, so nothing is left to destroy.
[[maybe_unused]] HICON ResourceIcon(const char* name) {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, 16, 16, LR_SHARED));
}

class FrameworkStartup : public ::testing::Test {
 protected:
  // Each test starts as a process where nothing has started GDI+ yet.
  void SetUp() override {
    g_startup = {};
    Globals().gdiplusToken = 0;
  }
};

TEST_F(FrameworkStartup, GdiplusStartedDuringGlobalInitialisationIsNotStartedAgain) {
  // Global initialisation constructs framework objects, which start GDI+ first.
  framework::EnsureGdiplus();
  ULONG_PTR token = Globals().gdiplusToken;
  ASSERT_NE(token, 0u);
  framework::EnsureGdiplus();
  EXPECT_EQ(framework::InitializeFramework(), 0);
  EXPECT_EQ(g_startup.count, 1);
  EXPECT_EQ(Globals().gdiplusToken, token);
}

TEST_F(FrameworkStartup, StartGdiplusFillsTheStartupRecord) {
  struct Case { uint32_t version; bool given; UINT32 expected; };
  for (Case c : {Case{0, false, 1}, Case{7, false, 1}, Case{2, true, 2}}) {
    g_startup = {};
    ULONG_PTR token = framework::StartGdiplus(c.version, c.given);
    EXPECT_EQ(g_startup.count, 1);
    EXPECT_EQ(g_startup.version, c.expected);
    EXPECT_EQ(g_startup.suppressBackgroundThread, FALSE);
    EXPECT_EQ(g_startup.suppressExternalCodecs, FALSE);
    EXPECT_FALSE(g_startup.hadCallback);
    EXPECT_FALSE(g_startup.hadOutput);
    EXPECT_EQ(Globals().gdiplusToken, token);
  }
}

TEST_F(FrameworkStartup, ApplicationIconComesFromTheExecutablesResources) {
  ASSERT_EQ(framework::InitializeFramework(), 0);
  HICON icon = Globals().applicationIcon;
#if EXPECTED_ICON == 0
  EXPECT_EQ(icon, nullptr);
#else
  ASSERT_NE(icon, nullptr);
  const char* expected = EXPECTED_ICON == 129 ? MAKEINTRESOURCEA(129) : "DEFAULT_ICON";
  EXPECT_EQ(IconPixels(icon), IconPixels(ResourceIcon(expected)));
#endif
  EXPECT_EQ(Globals().module, GetModuleHandleA(nullptr));
}

TEST_F(FrameworkStartup, CursorsAndFlagAreSet) {
  ASSERT_EQ(framework::InitializeFramework(), 0);
  EXPECT_EQ(Globals().noTrimOnDeactivate, 1);
  EXPECT_EQ(Globals().handCursor, LoadCursorA(nullptr, IDC_HAND));
  EXPECT_EQ(Globals().ibeamCursor, LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_EQ(Globals().sizeAllCursor, LoadCursorA(nullptr, IDC_SIZEALL));
  EXPECT_NE(Globals().handCursor, nullptr);
}

TEST_F(FrameworkStartup, CheckBoxAndRadioStripsAreCutByTheirKeys) {
  ASSERT_EQ(framework::InitializeFramework(), 0);
  const framework::PictureStrip& check = Globals().checkBoxStrip;
  EXPECT_EQ(check.getCount(), 8);
  EXPECT_EQ(check.getTotalWidth(), 131);
  EXPECT_EQ(check.getTotalHeight(), 16);
  EXPECT_EQ(check.getWidth(1), 15);
  const framework::PictureStrip& radio = Globals().radioStrip;
  EXPECT_EQ(radio.getCount(), 5);
  EXPECT_EQ(radio.getTotalWidth(), 74);
  EXPECT_EQ(radio.getHeight(5), 14);
}

TEST_F(FrameworkStartup, ShadowWindowClassIsRegisteredWithTheFrameworkLook) {
  ASSERT_EQ(framework::InitializeFramework(), 0);
  WNDCLASSEXA wc{sizeof wc};
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), framework::kShadowWindowClass, &wc));
  EXPECT_EQ(wc.style, UINT(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(wc.style, 0x0Bu);
  EXPECT_EQ(wc.lpfnWndProc, &framework::ShadowWindowProcedure);
  EXPECT_EQ(wc.cbClsExtra, 0);
  EXPECT_EQ(wc.cbWndExtra, 0);
  EXPECT_EQ(IconPixels(wc.hIcon), IconPixels(Globals().applicationIcon));
  EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(16));
}

TEST_F(FrameworkStartup, RegisterWindowClassReportsTheSystemsAnswer) {
  EXPECT_TRUE(framework::RegisterWindowClass("TarvoStartupTestClass", DefWindowProcA));
  // The same name again is refused by the system.
  EXPECT_FALSE(framework::RegisterWindowClass("TarvoStartupTestClass", DefWindowProcA));
  HWND window = CreateWindowExA(0, "TarvoStartupTestClass", "", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(window, nullptr);
  if (window) DestroyWindow(window);
}

}  // namespace
