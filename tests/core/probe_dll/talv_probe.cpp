// A small library of outside functions for the DLL-command tests: a correct
// stdcall function (also exported by ordinal), a function of twelve words
// that tells whether each arrived in its place, and (on i686) two functions
// that pop a different number of bytes than their declarations push.
#include <windows.h>

extern "C" {

int WINAPI TalvAdd(int a, int b) { return a + b; }

// Each word weighed by its position, so a word passed in the wrong register
// or stack slot changes the sum; the last word is a whole pointer-sized value.
UINT_PTR WINAPI TalvWeigh(UINT_PTR w1, UINT_PTR w2, UINT_PTR w3, UINT_PTR w4, UINT_PTR w5,
                          UINT_PTR w6, UINT_PTR w7, UINT_PTR w8, UINT_PTR w9, UINT_PTR w10,
                          UINT_PTR w11, UINT_PTR w12) {
  return w1 * 1 + w2 * 2 + w3 * 3 + w4 * 4 + w5 * 5 + w6 * 6 + w7 * 7 + w8 * 8 + w9 * 9 +
         w10 * 10 + w11 * 11 + w12;
}

// Declared with one 4-byte argument, pops 8 bytes.
// Declared with two 4-byte arguments, pops 4 bytes.
int TalvPopsMore(int);
int TalvPopsLess(int, int);

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
}

#if defined(__i386__)
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
#else
// x64 callees never pop their arguments; these only keep the export list
// the same on both targets.
int TalvPopsMore(int a) { return a; }
int TalvPopsLess(int a, int b) { return a + b; }
#endif
