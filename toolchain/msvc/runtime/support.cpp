// Small pieces of the compiler's support code that every module links:
// the floating-point marker, the instruction-set level the standard library
// asks about, the stack probe for large frames, and the /GS cookie.

#include <intrin.h>
#include <isa_availability.h>
#include <windows.h>

extern "C" {

// Tells the linker that the module uses floating point.
int _fltused = 0x9875;

// Every x64 processor has SSE2; the standard library takes the portable path
// above that.
int __isa_available = __ISA_AVAILABLE_SSE2;

// Probes each page of a stack allocation of RAX bytes below the caller's
// frame, in order, so that the guard page grows the stack one page at a
// time. Keeps every register but R10 and R11, and leaves RSP alone.
__attribute__((naked)) void __chkstk() {
  __asm__(
      "movq %rcx, %r10\n\t"
      "movq %rax, %r11\n\t"
      "leaq 8(%rsp), %rcx\n\t"
      "1:\n\t"
      "cmpq $0x1000, %r11\n\t"
      "jb 2f\n\t"
      "subq $0x1000, %rcx\n\t"
      "orq $0, (%rcx)\n\t"
      "subq $0x1000, %r11\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "subq %r11, %rcx\n\t"
      "orq $0, (%rcx)\n\t"
      "movq %r10, %rcx\n\t"
      "ret");
}

// The /GS cookie: a fixed value until the module starts, then a random one.
unsigned __int64 __security_cookie = 0x00002B992DDFA232ull;

void __cdecl __security_init_cookie(void) {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  unsigned __int64 cookie = static_cast<unsigned __int64>(counter.QuadPart) ^
                            (static_cast<unsigned __int64>(GetCurrentProcessId()) << 32) ^
                            GetCurrentThreadId() ^ __rdtsc();
  cookie &= 0x0000FFFFFFFFFFFFull;
  __security_cookie = cookie != 0 ? cookie : 0x00002B992DDFA232ull;
}

void __cdecl __security_check_cookie(unsigned __int64 cookie) {
  if (cookie != __security_cookie) {
    __fastfail(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE);
  }
}

}  // extern "C"
