// The debug runtime's allocation functions: none in a release build.
#pragma once

#include <vcruntime_new.h>
