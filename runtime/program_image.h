// The records through which the runtime learns about a compiled program and its support
// libraries, and the protocol between them. Every program (the player, each test program)
// supplies its own ProgramImageHeader.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace runtime {

struct SupportLibraryInfo;

using StartRoutine = int (*)();
using ExitRoutine = void (*)();

// (code, param1, param2): the notify entry of a library and the runtime's service entry.
using LibraryNotifyFn = intptr_t (*)(int code, intptr_t param1, intptr_t param2);
using RuntimeServiceFn = LibraryNotifyFn;

// Returns the operation of a component type for an interface code, or null.
using InterfaceFn = void* (*)(int code);

struct ProgramImageHeader {
  uint32_t runMode;
  uint32_t reserved;
  uint32_t lastId;
  StartRoutine startRoutine;  // also the base of the form data's handler offsets
  const void* constantPool;
  uint32_t constantPoolSize;
  const uint8_t* formData;
  uint32_t formDataSize;
  uint32_t libraryCount;
  const SupportLibraryInfo* const* libraries;
  uint32_t dllCommandCount;
  const char* const* dllLibraryNames;
  const char* const* dllFunctionNames;
};

struct DataTypeInfo {
  const char* name;
  const char* englishName;
  const char* description;
  int32_t commandCount;
  const int32_t* commandIndexes;
  uint32_t stateFlags;
  uint32_t pictureId;
  int32_t eventCount;
  const void* events;
  int32_t propertyCount;
  const void* properties;
  InterfaceFn interfaceFunction;
  int32_t elementCount;
  const void* elements;
};

struct TypedValue;
using CommandFn = void (*)(TypedValue* result, int count, TypedValue* args);

struct SupportLibraryInfo {
  uint32_t format;  // 20000101
  const char* identity;
  uint32_t major, minor, build;
  uint32_t requiredRuntimeMajor, requiredRuntimeMinor;
  uint32_t requiredCoreMajor, requiredCoreMinor;
  const char* name;
  uint32_t language;
  const char* explanation;
  uint32_t state;
  const char* author;
  const char* zipCode;
  const char* address;
  const char* telephone;
  const char* fax;
  const char* email;
  const char* homePage;
  const char* other;
  uint32_t dataTypeCount;
  const DataTypeInfo* dataTypes;
  uint32_t categoryCount;
  const char* categories;
  uint32_t commandCount;
  const void* commandInfo;
  const CommandFn* commands;
  const void* addInFunction;
  const char* addInInfo;
  LibraryNotifyFn notify;
  const void* superTemplate;
  const char* superTemplateInfo;
  uint32_t constantCount;
  const void* constants;
  const char* dependFiles;
};

inline constexpr uint32_t kLibraryFormat = 20000101;

// Library notify codes.
inline constexpr int kNotifyStartup = 1;
inline constexpr int kNotifyShutdown = 6;

// Interface codes of a component type.
inline constexpr int kInterfaceCreate = 1;

// RuntimeService codes.
enum ServiceCode : int {
  kServiceDefaultIcons = 1000,
  kServiceTemplateMap = 1001,
  kServiceDataTypeInfo = 1002,
  kServiceInstanceDestroyed = 2000,
  kServiceAppDirectory = 2003,
  kServiceExeFileName = 2004,
  kServiceLoadWindow = 2005,
  kServiceFindInstance = 2006,
  kServiceRequireInstance = 2007,
  kServiceCallEvent = 2008,
  kServiceEnterNested = 2009,
  kServiceLeaveNested = 2010,
  kServicePumpPending = 2018,
  kServiceAllocate = 2024,
  kServiceFatalError = 2027,
};

// Argument of service 2005.
struct LoadWindowRequest {
  uint32_t windowId;
  HWND parentInstance;
  int32_t modal;
};

// An event reported by a component; the runtime runs the handler and fills the result.
struct EventCallRecord {
  uint32_t windowId;
  uint32_t unitId;  // 0: the window itself
  int32_t eventNumber;
  int32_t argumentCount;
  int32_t arguments[5];
  int32_t resultPresent;
  int32_t result;
};

struct HandlerResult {
  bool present = false;
  int32_t value = 0;
};
using EventHandler = HandlerResult (*)(std::span<const int32_t> arguments);

// What the runtime passes to a component type's create function (interface code 1).
struct ComponentCreateParams {
  const uint8_t* data;  // the unit's property block
  uint32_t dataSize;
  uint32_t style;
  HWND parent;
  UINT childId;
  HMENU menu;
  int x, y, width, height;
  uint32_t windowId;
  uint32_t unitId;
  bool childOfUnit;
  HWND designWindow;
  bool designMode;
};
// Returns the live instance: the component's window, or null.
using ComponentCreateFn = HWND (*)(const ComponentCreateParams& params);

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(ProgramImageHeader) == 13 * 4);
static_assert(sizeof(SupportLibraryInfo) == 36 * 4);
static_assert(sizeof(DataTypeInfo) == 14 * 4);
static_assert(sizeof(LoadWindowRequest) == 3 * 4);
#endif
static_assert(sizeof(EventCallRecord) == 11 * 4);

}  // namespace runtime
