// Wine's source annotations, with the few more that Microsoft's C++ standard
// library writes. They mean nothing to this compiler.
#pragma once

#include_next <sal.h>

#ifndef _Analysis_assume_
#define _Analysis_assume_(expr)
#endif
#ifndef _Pre_satisfies_
#define _Pre_satisfies_(expr)
#endif
#ifndef _Inout_bytecount_
#define _Inout_bytecount_(size)
#endif
