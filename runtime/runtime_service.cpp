// The service entry handed to every support library at start-up.
#include "form_engine.h"
#include "runtime_app.h"

namespace runtime {

namespace {

void LoadDefaultIcons() {
  RuntimeApp& app = App();
  if (app.defaultIconsLoaded) return;
  app.defaultIconsLoaded = true;
  HINSTANCE module = GetModuleHandleA(nullptr);
  app.defaultLargeIcon = static_cast<HICON>(
      LoadImageA(module, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                 GetSystemMetrics(SM_CYICON), 0));
  app.defaultSmallIcon = static_cast<HICON>(
      LoadImageA(module, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), 0));
}

intptr_t LoadWindowService(const LoadWindowRequest* request) {
  if (!request) return -1;
  return LoadWindow(request->windowId, request->parentInstance, request->modal != 0) ? 0 : -1;
}

}  // namespace

const DataTypeInfo* FindDataType(uint32_t typeCode) {
  if (typeCode == 0 || typeCode >= 0x40000000) return nullptr;  // system and application types
  uint32_t library = typeCode >> 16;
  uint32_t type = typeCode & 0xFFFF;
  const RuntimeApp& app = App();
  if (library < 1 || library > app.libraries.size() || type < 1) return nullptr;
  const SupportLibraryInfo* lib = app.libraries[library - 1];
  if (!lib || type > lib->dataTypeCount || !lib->dataTypes) return nullptr;
  return &lib->dataTypes[type - 1];
}

intptr_t RuntimeService(int code, intptr_t param1, intptr_t param2) {
  RuntimeApp& app = App();
  switch (code) {
    case kServiceDefaultIcons: {
      LoadDefaultIcons();
      auto* slots = reinterpret_cast<HICON*>(param1);
      if (slots) {
        slots[0] = app.defaultLargeIcon;
        slots[1] = app.defaultSmallIcon;
      }
      return 0;
    }
    case kServiceTemplateMap:
      return reinterpret_cast<intptr_t>(app.templates.get());
    case kServiceDataTypeInfo:
      return reinterpret_cast<intptr_t>(FindDataType(uint32_t(param1)));
    case kServiceInstanceDestroyed:
      InstanceDestroyed(uint32_t(param1), uint32_t(param2));
      return 0;
    case kServiceAppDirectory:
      return reinterpret_cast<intptr_t>(app.appDirectory.c_str());
    case kServiceExeFileName:
      return reinterpret_cast<intptr_t>(app.exeFileName.c_str());
    case kServiceLoadWindow:
      return LoadWindowService(reinterpret_cast<const LoadWindowRequest*>(param1));
    case kServiceFindInstance:
      return reinterpret_cast<intptr_t>(FindInstance(uint32_t(param1), uint32_t(param2)));
    case kServiceRequireInstance: {
      HWND instance = FindInstance(uint32_t(param1), uint32_t(param2));
      if (!instance) FatalError("指定窗口或窗口组件不存在或尚未载入");
      return reinterpret_cast<intptr_t>(instance);
    }
    case kServiceCallEvent:
      if (param1) CallEvent(*reinterpret_cast<EventCallRecord*>(param1));
      return 0;
    case kServiceEnterNested:
      ProcessPendingMessages();
      ++app.nesting;
      return 0;
    case kServiceLeaveNested:
      ProcessPendingMessages();
      if (app.nesting > 0) --app.nesting;
      return 0;
    case kServicePumpPending:
      ProcessPendingMessages();
      return 0;
    case kServiceAllocate:
      return reinterpret_cast<intptr_t>(param2 ? AllocateRaw(size_t(param1))
                                               : Allocate(size_t(param1)));
    case kServiceFatalError:
      FatalError(reinterpret_cast<const char*>(param1));
    default:
      return 0;
  }
}

}  // namespace runtime
