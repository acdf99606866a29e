# The stand-in host's libraries, for the native build and for the Windows tests:
#
#   zelva_pinhost   pinhost/: what pinhost and pinhost.exe share (scenarios,
#                   transcript, pictures), the program's entry left to each
#   zelva_corehost  corehost/: the component's core loaded into the stand-in
#                   host in this process, as the native pinhost, the tests and
#                   the benchmarks run it
#
# pinhost.exe's own side (comhost/) is built in cmake/pinhost_windows.cmake.

include_guard(GLOBAL)

get_filename_component(ZELVA_HOSTS_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

file(GLOB ZELVA_PINHOST_SOURCES CONFIGURE_DEPENDS ${ZELVA_HOSTS_ROOT}/standin/pinhost/*.cpp
     ${ZELVA_HOSTS_ROOT}/standin/pinhost/pictures/*.cpp)
list(FILTER ZELVA_PINHOST_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(zelva_pinhost STATIC ${ZELVA_PINHOST_SOURCES})
target_link_libraries(zelva_pinhost PUBLIC zelva_sim)

file(GLOB ZELVA_COREHOST_SOURCES CONFIGURE_DEPENDS ${ZELVA_HOSTS_ROOT}/standin/corehost/*.cpp)
add_library(zelva_corehost STATIC ${ZELVA_COREHOST_SOURCES})
target_link_libraries(zelva_corehost PUBLIC zelva_pinhost)
