# The order the program's shared libraries load in. For every symbol any library needs, the
# dynamic linker searches the loaded libraries in that order, and the toolkit's own libraries
# bind tens of thousands of symbols as they load, most of them in the C library, the C++
# library and the toolkit itself. Those come first (then the maths library), and what only the
# program uses (libjpeg, libxcb) after them, where few searches pass. In the order the link
# gives, libjpeg and libxcb ahead of the toolkit, start-up took 1.8 million more instructions
# (callgrind, 80.7 million against 78.9).
include(CheckLinkerFlag)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  check_linker_flag(CXX "LINKER:--push-state,--no-as-needed,-l:libc.so.6,--pop-state" MIRAVANE_CAN_ORDER_LIBRARIES)
endif()

# Gives an executable that links the toolkit's widgets that load order.
function(miravane_load_order target)
  if(NOT MIRAVANE_CAN_ORDER_LIBRARIES)
    return()
  endif()
  # Listed ahead of the objects, each recorded as needed where it stands, whether or not the
  # objects need it yet; where the link names it again later, it is already there.
  target_link_options(${target} PRIVATE
    "LINKER:--push-state,--no-as-needed"
    "LINKER:-l:libc.so.6" "LINKER:-lstdc++"
    "$<TARGET_LINKER_FILE:Qt6::Core>" "$<TARGET_LINKER_FILE:Qt6::Gui>" "$<TARGET_LINKER_FILE:Qt6::Widgets>" "LINKER:-l:libm.so.6"
    "LINKER:--pop-state")
endfunction()
