// The Windows SDK header under the capitalised name some sources use.
#pragma once

#include_next <windows.h>
