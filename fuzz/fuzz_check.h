#pragma once

// What a fuzz target asserts: a broken invariant is a finding, reported on standard error and
// ended with abort() so that libFuzzer keeps the input and the replay test fails.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zendra::Fuzz {

inline void check(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", invariant);
        std::abort();
    }
}

} // namespace zendra::Fuzz

// Every target defines this; libFuzzer or the replay driver calls it once per input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
