// CallCdecl: a hand-written i386 thunk, since compiled calls may fold the
// stack adjustment after a call into later code and hide a callee's pops.
#include "windows/cdecl_call.h"

extern "C" int32_t CallCdeclThunk(const void* function, const uint32_t* arguments,
                                  uint32_t count, int32_t* stackDrift);

// cdecl frame: 8(%ebp) function, 12 arguments, 16 count, 20 stackDrift.
// EDI keeps ESP as it was at the call; it is callee-saved, so a callee that
// broke it would show as drift too.
__asm__(
    ".text\n"
    ".globl _CallCdeclThunk\n"
    "_CallCdeclThunk:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  pushl %ebx\n"
    "  movl 12(%ebp), %esi\n"
    "  movl 16(%ebp), %ecx\n"
    "1:\n"
    "  testl %ecx, %ecx\n"
    "  jz 2f\n"
    "  decl %ecx\n"
    "  pushl (%esi,%ecx,4)\n"
    "  jmp 1b\n"
    "2:\n"
    "  movl %esp, %edi\n"
    "  call *8(%ebp)\n"
    "  movl %esp, %edx\n"
    "  subl %edi, %edx\n"
    "  movl 20(%ebp), %ecx\n"
    "  movl %edx, (%ecx)\n"
    "  leal -12(%ebp), %esp\n"
    "  popl %ebx\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebp\n"
    "  ret\n");

CdeclResult CallCdecl(const void* function, const uint32_t* arguments, uint32_t count) {
  CdeclResult result{};
  result.value = CallCdeclThunk(function, arguments, count, &result.stackDrift);
  return result;
}
