#!/usr/bin/env bash
# Builds the project and runs every test suite: the plain build and the lint
# of its code (scripts/lint.sh: format, includes, clang-tidy and
# include-what-you-use over that build, no finding allowed), then the same
# suites built with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, then the Windows build (Microsoft's C++ ABI) under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Warnings are errors here, and only here: a user's build keeps going.
scripts/build.sh linux -DDRAVELQUIN_WERROR=ON
ctest --preset linux -j"$(nproc)"

# Once per test run, not per build: clang-tidy alone takes minutes.
scripts/lint.sh build

scripts/build.sh asan -DDRAVELQUIN_WERROR=ON
ctest --preset asan -j"$(nproc)"

# The same suites once more as Windows programs: the DLL servers load, built
# with Microsoft's C++ ABI by clang-cl, and its testbed, run under Wine.
scripts/test-windows.sh

# A short run of each libFuzzer target, built with clang in build-fuzz;
# scripts/fuzz.sh SECONDS runs them longer (docs/reliability.md).
scripts/fuzz.sh 20
