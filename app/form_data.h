// The program's stored windows: the start window with its HtmlViewer and the page window.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/program_image.h"

namespace player {

inline constexpr uint32_t kStartWindowId = 0x52010001;
inline constexpr uint32_t kStartWindowUnit = 0x06010000;
inline constexpr uint32_t kHtmlViewerUnit = 0x1601200F;
inline constexpr uint32_t kPageWindowId = 0x52011FE8;
inline constexpr uint32_t kPageWindowUnit = 0x06011FE7;

inline constexpr char kMainWindowTitle[] =
    "TarvoDJ音乐在线播放器   Tarvo音乐外链网：WWW.TARVODJ.COM";
inline constexpr char kPageWindowTitle[] = "选择夹1";
inline constexpr char kPlayerPageAddress[] = "http://www.tarvodj.com/fmp/index.html";

// The HtmlViewer's stored properties.
struct HtmlViewerProperties {
  uint32_t version = 1;
  uint32_t zoom = 2;
  uint32_t offline = 1;
  uint32_t silent = 1;
  const char* address = kPlayerPageAddress;
};
std::vector<uint8_t> WriteHtmlViewerProperties(const HtmlViewerProperties& properties);

// The form data, with the two windows' event 0 handlers stored as offsets from the start
// routine.
std::vector<uint8_t> BuildFormData(runtime::StartRoutine startRoutine,
                                   runtime::EventHandler mainWindowCreated,
                                   runtime::EventHandler pageWindowCreated);

// The icon file image stored with the start window (our own 32 x 32 artwork).
std::span<const uint8_t> WindowIconFile();

}  // namespace player
