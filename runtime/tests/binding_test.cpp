// DLL commands bound by name or ordinal at first call, against the real system libraries.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "runtime/dll_import.h"
#include "runtime/runtime_app.h"
#include "runtime/testing/test_program.h"

namespace {

// The ordinal under which a loaded module exports a name, or 0.
unsigned OrdinalOf(HMODULE module, const char* name) {
  auto* base = reinterpret_cast<const uint8_t*>(module);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (!dir.VirtualAddress) return 0;
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    if (std::strcmp(reinterpret_cast<const char*>(base + names[i]), name) == 0)
      return exports->Base + ordinals[i];
  return 0;
}

std::string SystemUser32() {
  char dir[MAX_PATH];
  GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\user32.dll";
}

enum Entry : int {
  kDefaultDefWindowProc,
  kUser32,
  kUser32Dll,
  kUser32DllCapital,
  kUser32Ordinal,
  kUser32OrdinalWrapped,
  kUser32FullPath,
  kDefaultGetTickCount,
  kDefaultShellExecute,
  kProbe,
  kProbeOrdinal,
  kEntryCount
};

struct Names {
  std::string defWindowProcOrdinal, wrappedOrdinal, fullPath, probeOrdinal;
  runtime::testing::DllTable table;
};

Names& TheNames() {
  static Names names;
  return names;
}

inline constexpr runtime::DllCommand<kDefaultDefWindowProc, decltype(&::DefWindowProcA)> DefWindowProcDefault{};
inline constexpr runtime::DllCommand<kProbe, int(WINAPI*)(int)> ProbeValue{};
inline constexpr runtime::DllCommand<kProbeOrdinal, int(WINAPI*)(int)> ProbeValueByOrdinal{};

void* Bound(int entry) { return runtime::Entries().CallDllCommand(entry); }

void* Expected(const char* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name));
}

TEST(DllBinding, EntriesStartUnbound) {
  const runtime::DllCommandTable& dll = runtime::App().dll;
  ASSERT_EQ(dll.addresses.size(), size_t(kEntryCount));
  for (int i = 0; i < kEntryCount; ++i) {
    EXPECT_EQ(dll.addresses[i], nullptr);
    EXPECT_EQ(dll.modules[i], nullptr);
  }
}

TEST(DllBinding, AnEmptyLibraryNameSearchesTheSixDefaultsInOrder) {
  EXPECT_EQ(Bound(kDefaultDefWindowProc), Expected("user32.dll", "DefWindowProcA"));
  EXPECT_EQ(runtime::App().dll.modules[kDefaultDefWindowProc], GetModuleHandleA("user32.dll"));
  EXPECT_EQ(Bound(kDefaultGetTickCount), Expected("kernel32.dll", "GetTickCount"));
  EXPECT_EQ(runtime::App().dll.modules[kDefaultGetTickCount], GetModuleHandleA("kernel32.dll"));
  // Not in the first five: the sixth, Shell32, has it.
  void* shellExecute = Bound(kDefaultShellExecute);
  EXPECT_EQ(shellExecute, Expected("shell32.dll", "ShellExecuteA"));
  EXPECT_NE(shellExecute, nullptr);
}

TEST(DllBinding, SpellingsOfOneLibraryBindTheSameAddressEachEntrySeparately) {
  void* expected = Expected("user32.dll", "DefWindowProcA");
  ASSERT_NE(expected, nullptr);
  EXPECT_EQ(Bound(kUser32), expected);
  EXPECT_EQ(runtime::App().dll.addresses[kUser32Dll], nullptr) << "bound only at its own first call";
  EXPECT_EQ(Bound(kUser32Dll), expected);
  EXPECT_EQ(Bound(kUser32DllCapital), expected);
  EXPECT_EQ(Bound(kUser32FullPath), expected);
  EXPECT_EQ(runtime::App().dll.modules[kUser32], runtime::App().dll.modules[kUser32Dll]);
  EXPECT_EQ(Bound(kUser32), expected) << "cached";
}

TEST(DllBinding, OrdinalEntriesBindModulo65536) {
  void* expected = Expected("user32.dll", "DefWindowProcA");
  EXPECT_EQ(Bound(kUser32Ordinal), expected);
  EXPECT_EQ(Bound(kUser32OrdinalWrapped), expected);
}

TEST(DllBinding, ALibraryBesideTheProgramIsFoundAndCalledThroughItsTypedDeclaration) {
  EXPECT_EQ(ProbeValue(2), 7);
  EXPECT_EQ(ProbeValueByOrdinal(-1), -2);
  HMODULE probe = GetModuleHandleA("binding_probe.dll");
  ASSERT_NE(probe, nullptr);
  char path[MAX_PATH];
  GetModuleFileNameA(probe, path, MAX_PATH);
  EXPECT_EQ(std::string(path), runtime::App().appDirectory + "\\binding_probe.dll");
  EXPECT_EQ(runtime::App().dll.modules[kProbe], probe);
}

TEST(DllBinding, TypedCallsReachTheSystemFunction) {
  HWND window = CreateWindowExA(0, "STATIC", "标题", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(DefWindowProcDefault(window, WM_GETTEXTLENGTH, 0, 0), LRESULT(4));
  DestroyWindow(window);
}

}  // namespace

const runtime::ProgramImageHeader& TestProgramImage() {
  static const runtime::ProgramImageHeader image = [] {
    Names& n = TheNames();
    HMODULE user32 = LoadLibraryA("user32.dll");
    unsigned ordinal = OrdinalOf(user32, "DefWindowProcA");
    n.defWindowProcOrdinal = "#" + std::to_string(ordinal);
    n.wrappedOrdinal = "#" + std::to_string(ordinal + 3 * 65536);
    n.fullPath = SystemUser32();
    HMODULE probe = LoadLibraryA("binding_probe.dll");
    n.probeOrdinal = "#" + std::to_string(OrdinalOf(probe, "ProbeValue"));
    FreeLibrary(probe);
    n.table.add("", "DefWindowProcA");
    n.table.add("user32", "DefWindowProcA");
    n.table.add("user32.dll", "DefWindowProcA");
    n.table.add("User32.dll", "DefWindowProcA");
    n.table.add("user32", n.defWindowProcOrdinal.c_str());
    n.table.add("user32", n.wrappedOrdinal.c_str());
    n.table.add(n.fullPath.c_str(), "DefWindowProcA");
    n.table.add("", "GetTickCount");
    n.table.add("", "ShellExecuteA");
    n.table.add("binding_probe", "ProbeValue");
    n.table.add("binding_probe.dll", n.probeOrdinal.c_str());
    runtime::ProgramImageHeader i = runtime::testing::BasicImage();
    n.table.applyTo(i);
    return i;
  }();
  return image;
}
