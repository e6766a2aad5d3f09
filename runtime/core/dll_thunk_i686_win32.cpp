// The checked call of an outside function (32-bit x86). The arguments are
// pushed last to first as the stdcall convention wants; the stack pointer
// before the pushes is kept in EBX, which every callee preserves, so after
// the call ESP can be compared with it and restored whatever the callee
// popped. A correct stdcall callee leaves a difference of 0, one that pops
// too little a negative and one that pops too much a positive difference.
#if defined(__i386__)
#include "runtime/core/dll_commands.h"

static_assert(sizeof(talv::DllWord) == 4, "a 32-bit argument word");

extern "C" uint64_t talv_call_stdcall(void* function, const talv::DllWord* words, int32_t count,
                                      int32_t* stack_delta);

asm(R"(
  .text
  .globl _talv_call_stdcall
  .def _talv_call_stdcall; .scl 2; .type 32; .endef
_talv_call_stdcall:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 12(%ebp), %esi        # words
  movl 16(%ebp), %ecx        # count
  movl %esp, %ebx            # ESP before the arguments
  testl %ecx, %ecx
  jle 2f
1:
  pushl -4(%esi,%ecx,4)      # last word first
  decl %ecx
  jnz 1b
2:
  call *8(%ebp)
  movl %esp, %ecx
  subl %ebx, %ecx            # ESP after minus ESP before
  movl %ebx, %esp
  movl 20(%ebp), %esi
  movl %ecx, (%esi)
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");

namespace talv::platform {

uint64_t CallOutsideFunction(void* function, const DllWord* words, int32_t count,
                             int32_t* stack_delta) {
  return talv_call_stdcall(function, words, count, stack_delta);
}

}  // namespace talv::platform
#endif
