// Numbered runtime errors and the one fatal-error path: a message box, then exit code -1.
#include <string>

#include "runtime_app.h"

namespace runtime {

namespace {

constexpr const char* kErrorMessages[] = {
    "",
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

}  // namespace

const char* RuntimeErrorMessage(int number) {
  if (number < 0 || number >= int(std::size(kErrorMessages))) return "";
  return kErrorMessages[number];
}

std::string FatalErrorText(const char* message, int errorCode) {
  std::string text = "运行时出错!\r\n\r\n";
  if (errorCode != 0) text += "错误代码：" + std::to_string(errorCode) + "\r\n\r\n";
  if (message && *message) text += std::string("错误信息：") + message + "\r\n";
  return text;
}

void FatalError(const char* message, int errorCode) {
  RuntimeApp& app = App();
  ++app.nesting;
  std::string text = FatalErrorText(message, errorCode);
  MessageBoxA(nullptr, text.c_str(), "错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  // The application's exit routine must not run after a fatal error.
  app.exitRoutines.clear();
  ExitProgram(-1);
}

}  // namespace runtime
