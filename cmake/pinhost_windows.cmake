# pinhost.exe: the stand-in host speaking COM to the registered Zelvacorin.dll,
# with its scripted user at the screen, and its tests under Wine. Included at
# the end of cmake/windows.cmake, after cmake/windows_ui.cmake, whose targets,
# variables and fixtures it uses.
#
#   zelva_comhost        comhost/: the host's side of COM and the scripted user,
#                        over the code both pinhosts share (zelva_pinhost)
#   pinhost              pinhost.exe, the same command line as the native pinhost
#   zelva_pinhost_tests  rounds of work through the real DLL, under Xvfb
#
# It reaches the component only through COM: none of the component's rooms
# (shape/, forms/, env/, standards/, server/) is compiled into it; the test
# pinhost_links_no_component_room checks what the linker took from the core.

include_guard(GLOBAL)

file(GLOB ZELVA_COMHOST_SOURCES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/standin/comhost/*.cpp)
# The stand-in's heap replaces operator new and delete: compiled into each program that links it.
set(ZELVA_COMHOST_HEAP ${ZELVA_SOURCE_ROOT}/standin/comhost/HostHeap.cpp)
list(REMOVE_ITEM ZELVA_COMHOST_SOURCES ${ZELVA_COMHOST_HEAP})
add_library(zelva_comhost STATIC
    "${ZELVA_HOST_HEADER}"
    ${ZELVA_COMHOST_SOURCES}
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/Guids.cpp)
target_sources(zelva_comhost INTERFACE ${ZELVA_COMHOST_HEAP})
zelva_windows_runtime_target(zelva_comhost)
target_compile_definitions(zelva_comhost PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
# server/ for the dialogs' control identifiers only.
target_include_directories(zelva_comhost PUBLIC "${ZELVA_WINDOWS_GEN_DIR}" "${ZELVA_SOURCE_ROOT}"
    "${ZELVA_SOURCE_ROOT}/windows/server")
target_link_libraries(zelva_comhost PUBLIC zelva_pinhost zelva_com_values zelva_win32_user ole32 oleaut32 uuid advapi32 user32 comctl32 gdi32)

# The native build whose pinhost and staged install tree pinhost.exe is compared with.
set(ZELVA_NATIVE_BUILD_DIR "${ZELVA_SOURCE_ROOT}/build/native" CACHE PATH "The native build of this source tree")

# The thread texture is drawn by a native tool: the install tree beside the
# programs takes it from the native build, as the native one has it.
set(ZELVA_IMAGES_DIR "${ZELVA_WINE_STAGED_INSTALL}/Tessalo/Images")
add_custom_target(zelva_wine_texture ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory "${ZELVA_IMAGES_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            "${ZELVA_NATIVE_BUILD_DIR}/install/Tessalo/Images/3iaoftt.jpg" "${ZELVA_IMAGES_DIR}"
    COMMENT "The thread texture from the native build")
add_dependencies(zelva_wine_texture zelva_wine_staged_install)

add_executable(pinhost ${ZELVA_SOURCE_ROOT}/standin/pinhost/main.cpp)
zelva_windows_runtime_target(pinhost)
target_link_libraries(pinhost PRIVATE zelva_comhost)
add_dependencies(pinhost zelva_wine_texture)

# --- Tests -------------------------------------------------------------------------

add_executable(zelva_pinhost_tests
    ${ZELVA_SOURCE_ROOT}/tests/windows/comhost/host_dispatch_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/comhost/host_heap_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/comhost/registry_overlay_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/comhost/rounds_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/comhost/scripted_user_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/TestMain.cpp)
zelva_windows_runtime_target(zelva_pinhost_tests)
target_include_directories(zelva_pinhost_tests PRIVATE "${ZELVA_SOURCE_ROOT}/tests/windows")
target_compile_definitions(zelva_pinhost_tests PRIVATE ZELVA_WINE_STAGED_INSTALL="${ZELVA_WINE_STAGED_INSTALL_PATH}")
target_link_libraries(zelva_pinhost_tests PRIVATE zelva_comhost gtest)
zelva_test_build(zelva_pinhost_tests)
add_dependencies(zelva_pinhost_tests zelva_wine_staged_install zelvacorin)

add_test(NAME pinhost_rounds_xvfb
    COMMAND ${ZELVA_WINE_ENV} "${ZELVA_UI_TEST_DIR}/run_in_xvfb.sh" "${ZELVA_WINEPREFIX}" "$<TARGET_FILE:zelva_pinhost_tests>"
    WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
# It unregisters the component and registers it again.
set_tests_properties(pinhost_rounds_xvfb PROPERTIES
    FIXTURES_REQUIRED "wine_prefix;host_library;zelvacorin" RESOURCE_LOCK zelvacorin_registration TIMEOUT 600)

# Every recorded scenario and the demo through both hosts, compared.
file(GLOB ZELVA_RECORDED_SCENARIOS CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/tests/scenarios/*.scn)
add_test(NAME pinhost_matches_native
    COMMAND ${ZELVA_WINE_ENV} "${ZELVA_SOURCE_ROOT}/tests/windows/comhost/compare_hosts.sh" "${ZELVA_WINEPREFIX}"
            "${ZELVA_NATIVE_BUILD_DIR}/pinhost" "$<TARGET_FILE:pinhost>" "${ZELVA_NATIVE_BUILD_DIR}/install"
            "${CMAKE_BINARY_DIR}/pinhost-runs" "${ZELVA_SOURCE_ROOT}/examples/demo.scn" ${ZELVA_RECORDED_SCENARIOS})
set_tests_properties(pinhost_matches_native PROPERTIES
    PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed"
    FIXTURES_REQUIRED "wine_prefix;host_library;zelvacorin" RESOURCE_LOCK zelvacorin_registration TIMEOUT 600)

# The code the linker took into pinhost.exe: nothing of the component's rooms
# but the path separator rule that the stand-in host's file check shares (the
# class names it reads from shape/ClassIds.h are constants, not code).
add_test(NAME pinhost_links_no_component_room
    COMMAND sh -c "! ${CMAKE_NM} -C \"$0\" | grep -E ' [Tt] zelva::(shape|forms|standards|server|env|files|texts)::' | grep -v 'zelva::files::mapWindowsPath'"
            "$<TARGET_FILE:pinhost>")
