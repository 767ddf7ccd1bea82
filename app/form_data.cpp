#include "app/form_data.h"

#include <cstring>

#include "runtime/core_library.h"
#include "runtime/embed.h"
#include "runtime/form_data_writer.h"

TARVO_EMBED_BYTES(kWindowIconFile, "window_icon.ico");

namespace player {

namespace {

using runtime::UnitDescription;
using runtime::WindowDescription;
using runtime::WindowProperties;

constexpr uint32_t kHtmlViewerDataType = 0x00020001;

WindowProperties StartWindowProperties() {
  WindowProperties p;
  p.version = 6;
  p.borderStyle = 0;
  p.word3 = 1;
  p.backgroundColor = runtime::kButtonFaceColor;
  p.maximizeBox = 0;
  p.minimizeBox = 0;
  p.controlBox = 1;
  p.startPosition = 1;  // centred
  p.closeEnabled = 1;
  p.keptWords = {0, 0, 1, 0, 0};
  p.showInTaskbar = 1;
  p.icon.assign(WindowIconFile().begin(), WindowIconFile().end());
  p.title = kMainWindowTitle;
  return p;
}

WindowProperties PageWindowProperties() {
  WindowProperties p = StartWindowProperties();
  p.keptWords[2] = 0;
  p.icon.clear();  // the program's default icon
  p.title = kPageWindowTitle;
  return p;
}

}  // namespace

std::span<const uint8_t> WindowIconFile() { return kWindowIconFile.view(); }

std::vector<uint8_t> WriteHtmlViewerProperties(const HtmlViewerProperties& p) {
  runtime::ByteWriter w;
  w.word(p.version);
  w.word(p.zoom);
  w.word(p.offline);
  w.word(p.silent);
  w.countedText(p.address);
  return w.take();
}

std::vector<uint8_t> BuildFormData(runtime::StartRoutine startRoutine,
                                   runtime::EventHandler mainWindowCreated,
                                   runtime::EventHandler pageWindowCreated) {
  UnitDescription startWindow;
  startWindow.id = kStartWindowUnit;
  startWindow.dataType = runtime::kWindowDataType;
  startWindow.width = 999;
  startWindow.height = 95;
  startWindow.styleFlags = runtime::kUnitVisible;
  startWindow.handlers = {{0, runtime::HandlerOffsetOf(mainWindowCreated, startRoutine)}};
  startWindow.properties = runtime::WriteWindowProperties(StartWindowProperties());

  UnitDescription htmlViewer;
  htmlViewer.id = kHtmlViewerUnit;
  htmlViewer.dataType = kHtmlViewerDataType;
  htmlViewer.name = "超文本浏览框1";
  htmlViewer.left = 4;
  htmlViewer.top = 25;
  htmlViewer.width = 990;
  htmlViewer.height = 45;
  htmlViewer.styleFlags = runtime::kUnitVisible | runtime::kUnitTabStop;
  htmlViewer.properties = WriteHtmlViewerProperties({});

  UnitDescription pageWindow;
  pageWindow.id = kPageWindowUnit;
  pageWindow.dataType = runtime::kWindowDataType;
  pageWindow.left = 0;
  pageWindow.top = 50;
  pageWindow.width = 803;
  pageWindow.height = 231;
  pageWindow.styleFlags = runtime::kUnitVisible;
  pageWindow.handlers = {{0, runtime::HandlerOffsetOf(pageWindowCreated, startRoutine)}};
  pageWindow.properties = runtime::WriteWindowProperties(PageWindowProperties());

  const WindowDescription windows[] = {
      {kStartWindowId, {0x8056, 0x19010004}, {}, {startWindow, htmlViewer}},
      {kPageWindowId, {0xB, 0x19011FE9}, {}, {pageWindow}},
  };
  return runtime::WriteFormData(windows);
}

}  // namespace player
