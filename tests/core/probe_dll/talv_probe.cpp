// A small library of outside functions for the DLL-command tests: a correct
// stdcall function (also exported by ordinal), and two functions that pop a
// different number of bytes than their declarations push.
#include <windows.h>

extern "C" {

__attribute__((stdcall)) int TalvAdd(int a, int b) { return a + b; }

// Declared with one 4-byte argument, pops 8 bytes.
// Declared with two 4-byte arguments, pops 4 bytes.
int TalvPopsMore(int);
int TalvPopsLess(int, int);

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
}

asm(R"(
  .text
  .globl _TalvPopsMore
_TalvPopsMore:
  movl 4(%esp), %eax
  ret $8
  .globl _TalvPopsLess
_TalvPopsLess:
  movl 4(%esp), %eax
  addl 8(%esp), %eax
  ret $4
)");
