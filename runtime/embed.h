// Embeds a file of the target's art folder (TARVO_ART_DIR, an absolute path) as a byte-array constant {1, length, bytes} in the module's
// read-only data, so the runtime sees it as a literal of the constant pool.
//   TARVO_EMBED_BYTES(kSkinBackground, "skin_background.jpg")
// declares `extern "C" const EmbeddedBytes kSkinBackground`.
#pragma once

#include <cstdint>
#include <span>

struct EmbeddedBytes {
  int32_t one;
  int32_t length;
  uint8_t bytes[1];
  std::span<const uint8_t> view() const { return {bytes, size_t(length)}; }
};

#define TARVO_EMBED_STRINGIFY2(x) #x
#define TARVO_EMBED_STRINGIFY(x) TARVO_EMBED_STRINGIFY2(x)
#define TARVO_EMBED_LABEL(symbol) TARVO_EMBED_STRINGIFY(__USER_LABEL_PREFIX__) #symbol

#define TARVO_EMBED_BYTES(symbol, file)                                          \
  extern "C" const EmbeddedBytes symbol;                                         \
  __asm__(".section .rdata,\"dr\"\n"                                             \
          ".balign 4\n"                                                          \
          ".globl " TARVO_EMBED_LABEL(symbol) "\n" TARVO_EMBED_LABEL(symbol) ":\n" \
          ".long 1\n"                                                            \
          ".long 9f - 8f\n"                                                      \
          "8:\n"                                                                 \
          ".incbin \"" TARVO_ART_DIR "/" file "\"\n"                             \
          "9:\n"                                                                 \
          ".byte 0\n"                                                            \
          ".text\n")
