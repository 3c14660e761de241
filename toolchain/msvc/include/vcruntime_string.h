// The memory and string search functions vcruntime140.dll provides.
#pragma once

#include <string.h>
