// How many times a test repeats a randomised case. Under AddressSanitizer every step costs
// several times as much, and what the sanitizers look for (a bad access, undefined
// behaviour) shows within a fraction of the repetitions that the plain build runs to reach
// rare timings and shapes; that build keeps the full count.
#pragma once

namespace velnor::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderSanitizers = true;
#else
inline constexpr bool kUnderSanitizers = false;
#endif

// `count` in the plain build, a fifth of it (at least 1) under the sanitizers.
constexpr int Repetitions(int count) {
    return kUnderSanitizers ? (count / 5 > 0 ? count / 5 : 1) : count;
}

}  // namespace velnor::test
