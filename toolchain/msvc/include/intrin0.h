// The compiler intrinsics Microsoft's C++ standard library declares through
// <intrin0.h>: clang's <intrin.h> declares them all.
#pragma once

#include <intrin.h>
