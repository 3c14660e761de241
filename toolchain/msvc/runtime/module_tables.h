// What every module's start-up and shut-down share: the initialiser tables
// the compiler fills, and the module's own table of functions to run at its
// end (atexit, static destructors).
#pragma once

namespace msvc_runtime {

// Runs the C initialisers (stopping at the first that fails) and then the
// C++ constructors of the module's statics. Returns 0 on success.
int InitialiseModule();

// Runs, last registered first, every function the module registered with
// atexit, then forgets them. Safe to call more than once.
void TerminateModule();

}  // namespace msvc_runtime
