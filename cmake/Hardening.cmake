# Warnings, and the hardening Debian expects of a packaged program, for each compiler only as far
# as it takes them.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

if(MSVC)
  add_compile_options(/W4 /permissive-)
else()
  add_compile_options(-Wall -Wextra -Wpedantic)
endif()

check_cxx_compiler_flag(-fstack-protector-strong MIRAVANE_HAS_STACK_PROTECTOR)
if(MIRAVANE_HAS_STACK_PROTECTOR)
  add_compile_options(-fstack-protector-strong)
endif()

# Fortify needs optimisation to work, and a C library that has it.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT MSVC)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()

check_linker_flag(CXX "LINKER:-z,relro,-z,now" MIRAVANE_HAS_RELRO)
if(MIRAVANE_HAS_RELRO)
  add_link_options("LINKER:-z,relro,-z,now")
endif()
