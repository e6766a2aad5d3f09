# Compiler flags shared by every tree.
#  - Sources are UTF-8; narrow literals become GBK bytes in every build, so the
#    native tests see the bytes the target program uses. (clang knows only
#    UTF-8 execution text; its fuzz builds keep UTF-8 literals, which changes
#    no parsing path.)
#  - IEEE double arithmetic everywhere: SSE2 on both targets, and no build
#    contracts a*b+c into a fused multiply-add, so both builds give the same bits.
add_compile_options(-ffp-contract=off -Wall -Wextra -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK)
endif()

if(WIN32)
  # x86_64 computes doubles in SSE2 already; i686 is told to.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_compile_options(-msse2 -mfpmath=sse -march=pentium4)
    # Export lists name stdcall functions undecorated on both targets; the
    # 32-bit linker matches "Name" to the decorated "Name@N" on its own.
    add_link_options(-Wl,--enable-stdcall-fixup)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
  set(TALV_STATIC_LINK -static -static-libgcc -static-libstdc++)
  add_link_options(${TALV_STATIC_LINK})
else()
  option(TALV_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
  if(TALV_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  option(TALV_FUZZ "Build the libFuzzer targets (clang)" OFF)
  if(TALV_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()
