// Records which of a set of DLL commands a wrapper method calls, in order, and forwards each
// call to the real function.
#pragma once

#include <string>
#include <vector>

#include "graphics/tests/test_support.h"

namespace graphics::testing {

inline std::vector<std::string>& CallLog() {
  static std::vector<std::string> log;
  return log;
}

template <const auto& Command, class Fn>
struct Recorder;
template <const auto& Command, int I, class R, class... P>
struct Recorder<Command, runtime::DllCommand<I, R(WINAPI*)(P...)>> {
  static inline void* real = nullptr;
  static inline const char* name = "";
  static R WINAPI Hook(P... p) {
    CallLog().push_back(name);
    return reinterpret_cast<R(WINAPI*)(P...)>(real)(p...);
  }
};

// While alive, calls of Command are logged under name.
template <const auto& Command>
class Recording {
  using Rec = Recorder<Command, std::remove_cvref_t<decltype(Command)>>;

 public:
  explicit Recording(const char* name) : spy_(Command, &Rec::Hook) {
    Rec::real = spy_.template real<void*>();
    Rec::name = name;
  }

 private:
  CommandSpy spy_;
};

#define TARVO_RECORD(command) ::graphics::testing::Recording<::graphics::dll::command> record_##command(#command)

}  // namespace graphics::testing
