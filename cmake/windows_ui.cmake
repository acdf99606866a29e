# The component's user interface on Windows, and the core's own suite under Wine.
# Included at the end of cmake/windows.cmake, whose variables and fixtures it uses.
#
#   zelva_win32_text  UTF-8 <-> UTF-16 (win32text/), for every program built for Windows
#   zelva_com_values  values, failures and calls across COM (comvalues/), for the DLL and pinhost.exe
#   zelva_win32_user  the user at the screen (win32user/), for the dialog tests and pinhost.exe
#   zelva_win32_ui    the forms as real modal dialogs (server/win32), for the component DLL
#   zelva_tests_wine  the core's suite (tests/*_test.cpp) with the stand-in host, under Wine
#   zelva_ui_tests    the dialogs driven by window messages under Xvfb, with screenshots

include_guard(GLOBAL)

# --- Text conversion and the Win32 user interface -----------------------------------

# A room of its own, outside server/, so that the DLL, the Windows tests and a
# Windows host program share it without linking the DLL's other rooms.
add_library(zelva_win32_text STATIC
    ${ZELVA_SOURCE_ROOT}/windows/win32text/WideText.cpp ${ZELVA_SOURCE_ROOT}/windows/win32text/ModuleFileName.cpp)
target_include_directories(zelva_win32_text PUBLIC "${ZELVA_SOURCE_ROOT}")

# The COM value bridge (comvalues/): VARIANTs, failures and IDispatch calls the
# same way on both sides of the boundary, each side with its own ValuePolicy.
file(GLOB ZELVA_COM_VALUES_SOURCES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/windows/comvalues/*.cpp)
add_library(zelva_com_values STATIC ${ZELVA_COM_VALUES_SOURCES})
target_compile_definitions(zelva_com_values PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_compile_options(zelva_com_values PRIVATE -Wall -Wextra)
target_link_libraries(zelva_com_values PUBLIC zelva_core zelva_win32_text ole32 oleaut32 uuid)

# The user at the screen (win32user/): windows worked by their messages, and
# pictured; for the dialog tests and pinhost.exe's scripted user.
file(GLOB ZELVA_WIN32_USER_SOURCES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/standin/win32user/*.cpp)
add_library(zelva_win32_user STATIC ${ZELVA_WIN32_USER_SOURCES})
target_compile_definitions(zelva_win32_user PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(zelva_win32_user PUBLIC zelva_win32_text user32 gdi32 comctl32)

file(GLOB ZELVA_WIN32_UI_SOURCES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/windows/server/win32/*.cpp)
add_library(zelva_win32_ui STATIC ${ZELVA_WIN32_UI_SOURCES})
# Included as "win32/Win32Ui.h"; ResourceIds.h lies beside.
target_include_directories(zelva_win32_ui PUBLIC "${ZELVA_SOURCE_ROOT}/windows/server")
target_compile_definitions(zelva_win32_ui PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(zelva_win32_ui PUBLIC zelva_core zelva_win32_text comctl32 user32 gdi32)

# --- The stand-in host and the core's suite under Wine ---------------------------

# Test code is built for a short build rather than for speed: it runs for seconds.
function(zelva_test_build target)
    target_compile_options(${target} PRIVATE -O0)
endfunction()

# nlohmann/json is header-only: its folder alone, not the rest of the native /usr/include.
set(ZELVA_NLOHMANN_JSON_DIR /usr/include/nlohmann CACHE PATH "nlohmann/json headers")
set(ZELVA_JSON_INCLUDE_DIR "${ZELVA_WINDOWS_GEN_DIR}/json-include")
file(MAKE_DIRECTORY "${ZELVA_JSON_INCLUDE_DIR}")
file(CREATE_LINK "${ZELVA_NLOHMANN_JSON_DIR}" "${ZELVA_JSON_INCLUDE_DIR}/nlohmann" SYMBOLIC)

if(NOT TARGET zelva_settings_files)
    add_subdirectory("${ZELVA_SOURCE_ROOT}/admin/settingsfiles" "${CMAKE_BINARY_DIR}/settingsfiles")
endif()
if(NOT TARGET zelva_sim)
    file(GLOB ZELVA_SIM_SOURCES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/standin/sim/*.cpp)
    add_library(zelva_sim STATIC ${ZELVA_SIM_SOURCES})
    target_link_libraries(zelva_sim PUBLIC zelva_settings_files)
endif()
target_include_directories(zelva_sim SYSTEM PUBLIC "${ZELVA_JSON_INCLUDE_DIR}")

# The stand-in host (sim/, pinhost/, and comhost/ in pinhost.exe) is optimised as
# the native build's is: the COM benchmarks time the component through it, and
# a real host's own speed is not the component's to answer for.
include(${CMAKE_CURRENT_LIST_DIR}/pinhost_libraries.cmake)
zelva_test_build(zelva_corehost)

# GoogleTest's mocking half, when the build has not made it already.
if(NOT TARGET gmock)
    set(ZELVA_GMOCK_DIR /usr/src/googletest/googlemock)
    add_library(gmock STATIC "${ZELVA_GMOCK_DIR}/src/gmock-all.cc")
    target_include_directories(gmock SYSTEM PUBLIC "${ZELVA_GMOCK_DIR}/include" PRIVATE "${ZELVA_GMOCK_DIR}")
    target_link_libraries(gmock PUBLIC gtest)
    zelva_test_build(gmock)
endif()

# The shipped install tree beside the programs, as the tests expect it.
set(ZELVA_WINE_STAGED_INSTALL "${ZELVA_WINDOWS_BIN_DIR}/install")
file(GLOB_RECURSE ZELVA_INSTALL_FILES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/install/*)
add_custom_command(
    OUTPUT "${ZELVA_WINDOWS_GEN_DIR}/install.staged"
    COMMAND ${CMAKE_COMMAND} -E remove_directory "${ZELVA_WINE_STAGED_INSTALL}"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${ZELVA_SOURCE_ROOT}/install" "${ZELVA_WINE_STAGED_INSTALL}"
    COMMAND ${CMAKE_COMMAND} -E touch "${ZELVA_WINDOWS_GEN_DIR}/install.staged"
    DEPENDS ${ZELVA_INSTALL_FILES}
    COMMENT "Staging the install tree for the tests under Wine")
add_custom_target(zelva_wine_staged_install ALL DEPENDS "${ZELVA_WINDOWS_GEN_DIR}/install.staged")

# Paths as the programs under Wine see them: drive Z: is the root of this machine.
set(ZELVA_WINE_SOURCE_DIR "Z:${ZELVA_SOURCE_ROOT}")
set(ZELVA_WINE_STAGED_INSTALL_PATH "Z:${ZELVA_WINE_STAGED_INSTALL}")

# Every room's tests but those that need native tools (pinhost, the texture
# drawer, the install-tree checker, the native zelva-tables command), which run in
# the native build only.
file(GLOB ZELVA_CORE_TESTS CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/tests/*_test.cpp)
list(FILTER ZELVA_CORE_TESTS EXCLUDE REGEX "/(install_tree|texture|scenario|checker_command)_test\\.cpp$")
file(GLOB ZELVA_TEST_SUPPORT CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/tests/support/*.cpp)
add_library(zelva_test_support STATIC ${ZELVA_TEST_SUPPORT})
target_include_directories(zelva_test_support PUBLIC "${ZELVA_SOURCE_ROOT}/tests")
target_compile_definitions(zelva_test_support PUBLIC
    ZELVA_SOURCE_DIR="${ZELVA_WINE_SOURCE_DIR}"
    ZELVA_STAGED_INSTALL="${ZELVA_WINE_STAGED_INSTALL_PATH}")
target_link_libraries(zelva_test_support PUBLIC zelva_corehost gmock gtest)
zelva_test_build(zelva_test_support)

add_executable(zelva_tests_wine ${ZELVA_CORE_TESTS})
zelva_windows_runtime_target(zelva_tests_wine)
target_link_libraries(zelva_tests_wine PRIVATE zelva_test_support zelva_checker gtest_main)
zelva_test_build(zelva_tests_wine)
add_dependencies(zelva_tests_wine zelva_wine_staged_install)

add_test(NAME core_tests_wine COMMAND zelva_tests_wine WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(core_tests_wine PROPERTIES FIXTURES_REQUIRED wine_prefix)

# --- The dialogs under Xvfb ---------------------------------------------------------

set(ZELVA_UI_TEST_DIR "${ZELVA_SOURCE_ROOT}/tests/windows/ui")
# Each run pictures the dialogs here afresh; docs/screenshots keeps a copy of them.
set(ZELVA_SCREENSHOT_DIR "${CMAKE_BINARY_DIR}/screenshots")
file(MAKE_DIRECTORY "${ZELVA_SCREENSHOT_DIR}")

add_executable(zelva_ui_tests
    ${ZELVA_UI_TEST_DIR}/Keyboard.cpp
    ${ZELVA_UI_TEST_DIR}/Win32UiFixture.cpp
    ${ZELVA_UI_TEST_DIR}/win32_ui_test.cpp
    ${ZELVA_UI_TEST_DIR}/keyboard_test.cpp
    ${ZELVA_UI_TEST_DIR}/window_place_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/TestMain.cpp
    $<TARGET_OBJECTS:zelvacorin_resources>)
zelva_windows_runtime_target(zelva_ui_tests)
target_link_libraries(zelva_ui_tests PRIVATE zelva_win32_ui zelva_win32_user zelva_test_support ole32)
zelva_test_build(zelva_ui_tests)
add_dependencies(zelva_ui_tests zelva_wine_staged_install)

add_test(NAME ui_tests_xvfb
    COMMAND "${ZELVA_UI_TEST_DIR}/run_in_xvfb.sh" "${ZELVA_WINEPREFIX}" "$<TARGET_FILE:zelva_ui_tests>"
    WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(ui_tests_xvfb PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    TIMEOUT 600
    ENVIRONMENT "ZELVA_SCREENSHOT_DIR=${ZELVA_SCREENSHOT_DIR};ZELVA_SCREENSHOT_SCRIPT=${ZELVA_UI_TEST_DIR}/screenshot.sh")

# The texts' fit again on a screen of 144 dots per inch (the run above: 96).
add_test(NAME ui_texts_fit_144dpi
    COMMAND "${ZELVA_UI_TEST_DIR}/at_dpi.sh" "${ZELVA_WINEPREFIX}" 144 "$<TARGET_FILE:zelva_ui_tests>"
            "--gtest_filter=Languages/TextsFit.*"
    WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(ui_texts_fit_144dpi PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 600 ENVIRONMENT ZELVA_EXPECTED_DPI=144)
