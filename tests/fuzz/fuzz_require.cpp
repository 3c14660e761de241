#include "fuzz/fuzz_require.h"

#include <cstdio>
#include <cstdlib>

namespace dravelquin::fuzz {

void Require(bool holds, const std::string& what) {
  if (!holds) {
    std::fprintf(stderr, "\noracle failed: %s\n", what.c_str());
    std::abort();
  }
}

}  // namespace dravelquin::fuzz
