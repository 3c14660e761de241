// The module's part of run-time type information: type_info's vftable,
// which every type descriptor (RTTI and exception matching alike) points at,
// and the list of undecorated names type_info::name() allocates, freed when
// the module ends.

#include <typeinfo>

#include <stdlib.h>

struct __type_info_node {
  void* _MemPtr;
  __type_info_node* _Next;
};

extern "C" {
__type_info_node __type_info_root_node{};
_VCRTIMP void __cdecl __std_type_info_destroy_list(__type_info_node* root);
}

type_info::~type_info() noexcept {}

// The vftable's one slot, type_info's deleting destructor: destroys the
// object and frees it when bit 0 of the flags is set. The compiler emits a
// vftable only where an object of the class is constructed, and no type_info
// ever is, so the table is written out below under its decorated name.
extern "C" void* __cdecl msvc_runtime_type_info_deleting_destructor(type_info* self,
                                                                   unsigned flags) {
  self->~type_info();
  if ((flags & 1) != 0) {
    ::operator delete(self);
  }
  return self;
}

// The slot before the table, where a complete object locator would stand,
// is empty: nothing asks type_info objects for their own dynamic type.
__asm__(
    ".section .rdata,\"dr\"\n"
    ".p2align 3\n"
    ".quad 0\n"
    ".globl \"??_7type_info@@6B@\"\n"
    "\"??_7type_info@@6B@\":\n"
    ".quad msvc_runtime_type_info_deleting_destructor\n"
    ".text\n");

namespace msvc_runtime {

void ReleaseTypeNames() { __std_type_info_destroy_list(&__type_info_root_node); }

}  // namespace msvc_runtime
