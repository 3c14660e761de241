// Thread-safe initialisation of function-local statics, as the compiler
// calls it: a guard is 0 before its initialisation, -1 during it, and then
// the value of a global epoch that every completed initialisation advances.
// A thread whose own epoch is at least a guard's has seen that
// initialisation complete and skips these calls entirely.

#include <limits.h>
#include <windows.h>

namespace {

constexpr int kUninitialised = 0;
constexpr int kBeingInitialised = -1;

SRWLOCK guard_lock = SRWLOCK_INIT;
CONDITION_VARIABLE guard_done = CONDITION_VARIABLE_INIT;

}  // namespace

extern "C" {

int _Init_global_epoch = INT_MIN;
__declspec(thread) int _Init_thread_epoch = INT_MIN;

// Claims the guard for this thread (left -1), or returns with it initialised
// by another.
void __cdecl _Init_thread_header(int* guard) {
  AcquireSRWLockExclusive(&guard_lock);
  if (*guard == kUninitialised) {
    *guard = kBeingInitialised;
  } else {
    while (*guard == kBeingInitialised) {
      SleepConditionVariableSRW(&guard_done, &guard_lock, INFINITE, 0);
      if (*guard == kUninitialised) {
        // The initialising thread threw: this one tries again.
        *guard = kBeingInitialised;
        ReleaseSRWLockExclusive(&guard_lock);
        return;
      }
    }
    _Init_thread_epoch = _Init_global_epoch;
  }
  ReleaseSRWLockExclusive(&guard_lock);
}

void __cdecl _Init_thread_footer(int* guard) {
  AcquireSRWLockExclusive(&guard_lock);
  ++_Init_global_epoch;
  *guard = _Init_global_epoch;
  _Init_thread_epoch = _Init_global_epoch;
  ReleaseSRWLockExclusive(&guard_lock);
  WakeAllConditionVariable(&guard_done);
}

void __cdecl _Init_thread_abort(int* guard) {
  AcquireSRWLockExclusive(&guard_lock);
  *guard = kUninitialised;
  ReleaseSRWLockExclusive(&guard_lock);
  WakeAllConditionVariable(&guard_done);
}

}  // extern "C"
