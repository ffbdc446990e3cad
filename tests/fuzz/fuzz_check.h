#ifndef TINTARA_TESTS_FUZZ_FUZZ_CHECK_H_
#define TINTARA_TESTS_FUZZ_FUZZ_CHECK_H_

#include <cstdio>

// What a fuzz target insists on. A broken promise stops the program at once,
// naming the promise, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                      \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
      __builtin_trap();                                                            \
    }                                                                              \
  } while (false)

#endif  // TINTARA_TESTS_FUZZ_FUZZ_CHECK_H_
