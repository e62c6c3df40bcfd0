#pragma once
// How the count limits of the file readers are set. A count in a file makes a reader append that
// many items, those past the end of the file zero-filled, so a large count costs time and memory
// in proportion to it. The fuzz build of scripts/fuzz (TENZORA_FUZZING_LIMITS) reads far shorter
// lists: a count of 10,000 only runs the same loop longer, and a fuzzer that raises one spends its
// time on identical items instead of on new paths. The program, its tests and CI's builds of the
// fuzz targets use the full limits.

#include <algorithm>

namespace tenzora {

#ifdef TENZORA_FUZZING_LIMITS
inline constexpr bool kFuzzingLimits = true;
#else
inline constexpr bool kFuzzingLimits = false;
#endif

// The limit of a count: the program's, or the fuzz build's when that is lower.
constexpr int countLimit(int program, int fuzzing) {
    return kFuzzingLimits ? std::min(program, fuzzing) : program;
}

} // namespace tenzora
