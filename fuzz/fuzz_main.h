#pragma once

// The libFuzzer entry point for one property check (see property_check.h): a violated
// property prints what failed and aborts, so that libFuzzer saves the input as a crash.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define KESTRIO_FUZZ_TARGET(check)                                                    \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    const std::string violation =                                                     \
        check(std::string_view(reinterpret_cast<const char*>(data), size));           \
    if (!violation.empty()) {                                                         \
      std::fprintf(stderr, "property violated: %s\n", violation.c_str());             \
      std::abort();                                                                   \
    }                                                                                 \
    return 0;                                                                         \
  }
