# The hardening Debian gives its own packages: a position-independent
# program, stack protection, checked string and memory functions, and
# relocations made read-only before the program starts. Included from the
# top-level CMakeLists.txt for every build but the sanitizers' own, which
# instrument the same mistakes in their own way.
#
# _FORTIFY_SOURCE needs the optimiser (glibc warns, and -Werror fails, at
# -O0), so only the optimised configurations define it; it is undefined first
# so that a value from CPPFLAGS or the compiler's defaults cannot clash.

include(CheckPIESupported)
include(CheckCXXCompilerFlag)

check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong
                    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
# Not every compiler or target has it: added where it works.
check_cxx_compiler_flag(-fstack-clash-protection velmaric_has_stack_clash_protection)
if(velmaric_has_stack_clash_protection)
  add_compile_options(-fstack-clash-protection)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
