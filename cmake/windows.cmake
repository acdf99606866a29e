# The Windows side of the build, included by the top-level CMakeLists.txt when
# cross-compiling for Windows, for either architecture (cmake/mingw-i686.cmake,
# cmake/mingw-x86_64.cmake; the toolchain file names the architecture's widl
# target, stdole2.tlb's folder, the Wine prefix's architecture and its loader):
#
#   zelva_host_library   3itlu31.dll, the stand-in for the host's automation library
#   zelvacorin_typelib   Zelvacorin.tlb, the component's finished type library
#   zelvacorin_resources the component's resources (type library, version, texts,
#                        icons), an object library for the component DLL to link
#   zelvacorin           Zelvacorin.dll, the component: its COM server over the core
#   zelva_windows_tests  GoogleTest program run under Wine by CTest
#   zelvacorin_server_tests  the registered Zelvacorin.dll through COM, under Wine
#   (windows_ui.cmake)       the Win32 forms and the core's suite under Wine
#   (windows_package.cmake)  the table checker, the package's custom action, and
#                            the install round of the package under Wine
#   bench/wine           the DLL-start benchmark's minimal server and timing program
#   bench/com            the speed-through-COM benchmark's programs
#
# The type library is finished by the native tool tools/typelib, built first by a
# native build; pass its path in ZELVA_TYPELIB_PATCHER.
#
# Everything that runs under Wine lands in ZELVA_WINDOWS_BIN_DIR, side by side.

include_guard(GLOBAL)
enable_language(RC)

# Programs start with the x87 rounding to doubles (53 bits), as every Windows
# program built by Microsoft's compiler does, a CAD host among them. MinGW's own
# start-up sets 64 bits: the runtime's square root, computed there, then rounds
# twice and differs from the native build's in the last bit.
add_link_options("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:${CMAKE_FIND_ROOT_PATH}/lib/CRT_fp8.o>")

# Sections lie on page boundaries in the file as in memory. Wine maps a section
# straight from the file only then, its pages read as they are used; a section
# elsewhere in the file it reads in whole when the DLL loads, which made the
# component's first creation a millisecond slower under 64-bit Wine.
set(ZELVA_FILE_ALIGNMENT 0x1000)
add_link_options(-Wl,--file-alignment,${ZELVA_FILE_ALIGNMENT})

get_filename_component(ZELVA_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(ZELVA_TYPELIB_PATCHER "" CACHE FILEPATH "Native zelva-typelib-patch program (tools/typelib)")
set(ZELVA_WINE_IDL_DIR /usr/include/wine/wine/windows CACHE PATH "Wine's standard IDL files")
if(NOT EXISTS "${ZELVA_TYPELIB_PATCHER}")
    message(FATAL_ERROR "Set ZELVA_TYPELIB_PATCHER to the native zelva-typelib-patch "
                        "(build tools/typelib natively first; scripts/windows/test.sh does).")
endif()

set(ZELVA_WINDOWS_BIN_DIR "${CMAKE_BINARY_DIR}/bin")
set(ZELVA_WINDOWS_GEN_DIR "${CMAKE_BINARY_DIR}/generated")
file(MAKE_DIRECTORY "${ZELVA_WINDOWS_GEN_DIR}")

# Tests run in the build's own prefix, of the build's architecture
# (scripts/windows/prefix.sh makes it), started by that architecture's Wine
# loader; the scripts they run take both from ZELVA_WINE_ENV (WINE names the loader).
set(ZELVA_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(ZELVA_WINE_ENV env WINEPREFIX=${ZELVA_WINEPREFIX} WINEARCH=${ZELVA_WINEARCH} WINE=${ZELVA_WINE_LOADER} WINEDEBUG=-all)
set(ZELVA_WINE ${ZELVA_WINE_ENV} ${ZELVA_WINE_LOADER})
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELVA_WINE})
endif()

# Runs widl on IDL for a type library (-t) or a C/C++ header (-h).
# LIBRARY_DIRS are searched for importlib()ed libraries beside stdole2's.
function(zelva_widl output idl mode)
    cmake_parse_arguments(ARG "" "" "LIBRARY_DIRS;DEPENDS" ${ARGN})
    set(library_flags "-L${ZELVA_WINE_TLB_DIR}")
    foreach(dir IN LISTS ARG_LIBRARY_DIRS)
        list(APPEND library_flags "-L${dir}")
    endforeach()
    add_custom_command(
        OUTPUT "${output}"
        # A fixed time keeps the type library's creation stamp reproducible.
        COMMAND ${CMAKE_COMMAND} -E env WIDL_TIME_OVERRIDE=0
                ${ZELVA_WIDL} "-I${ZELVA_WINE_IDL_DIR}" ${library_flags} ${mode}
                -o "${output}" "${idl}"
        DEPENDS "${idl}" ${ARG_DEPENDS}
        COMMENT "widl ${mode} ${idl}"
        VERBATIM)
endfunction()

function(zelva_windows_runtime_target target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}"
        LIBRARY_OUTPUT_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
    target_compile_features(${target} PRIVATE cxx_std_17)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra>)
endfunction()

# --- The stand-in host library ----------------------------------------------------

set(ZELVA_HOST_IDL "${ZELVA_SOURCE_ROOT}/standin/hostlib/IronCADAO.idl")
set(ZELVA_HOST_TLB "${ZELVA_WINDOWS_GEN_DIR}/IronCADAO.tlb")
set(ZELVA_HOST_HEADER "${ZELVA_WINDOWS_GEN_DIR}/IronCADAO.h")
zelva_widl("${ZELVA_HOST_TLB}" "${ZELVA_HOST_IDL}" -t)
zelva_widl("${ZELVA_HOST_HEADER}" "${ZELVA_HOST_IDL}" -h)

add_library(zelva_host_library SHARED
    "${ZELVA_HOST_HEADER}"
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/ComObject.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/Guids.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostClassRegistry.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostPlacement.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostRegistry.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostSettingsStore.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostTransform.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostVector.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostModule.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/HostRegistration.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/RegistryRead.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/UnitConverter.cpp
    ${ZELVA_SOURCE_ROOT}/standin/sim/FrameMath.cpp
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/3itlu31.rc
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/3itlu31.def)
set_source_files_properties(${ZELVA_SOURCE_ROOT}/standin/hostlib/3itlu31.rc
    PROPERTIES OBJECT_DEPENDS "${ZELVA_HOST_TLB}")
set_target_properties(zelva_host_library PROPERTIES OUTPUT_NAME 3itlu31 PREFIX "")
zelva_windows_runtime_target(zelva_host_library)
target_include_directories(zelva_host_library PRIVATE
    "${ZELVA_WINDOWS_GEN_DIR}" "${ZELVA_SOURCE_ROOT}/standin/hostlib" "${ZELVA_SOURCE_ROOT}")
target_link_libraries(zelva_host_library PRIVATE zelva_win32_text ole32 oleaut32 uuid advapi32)
target_link_options(zelva_host_library PRIVATE -Wl,--enable-stdcall-fixup)

# --- The component's type library --------------------------------------------------

set(ZELVA_SERVER_IDL "${ZELVA_SOURCE_ROOT}/windows/server/Zelvacorin.idl")
set(ZELVA_SERVER_RAW_TLB "${ZELVA_WINDOWS_GEN_DIR}/Zelvacorin.raw.tlb")
set(ZELVA_SERVER_TLB "${ZELVA_WINDOWS_BIN_DIR}/Zelvacorin.tlb")
# importlib("3itlu31.dll") reads the host library's type library out of the DLL.
zelva_widl("${ZELVA_SERVER_RAW_TLB}" "${ZELVA_SERVER_IDL}" -t
    LIBRARY_DIRS "${ZELVA_WINDOWS_BIN_DIR}"
    DEPENDS zelva_host_library)
add_custom_command(
    OUTPUT "${ZELVA_SERVER_TLB}"
    COMMAND "${ZELVA_TYPELIB_PATCHER}" "${ZELVA_SERVER_RAW_TLB}" "${ZELVA_SERVER_TLB}"
            --import "${ZELVA_HOST_TLB}" 3itlu31.dll
            --implement PShape IC2DProjectedThreads
            --predeclared DropHook
            --unname-put-values
    DEPENDS "${ZELVA_SERVER_RAW_TLB}" "${ZELVA_HOST_TLB}" "${ZELVA_TYPELIB_PATCHER}"
    COMMENT "Finishing Zelvacorin.tlb"
    VERBATIM)
add_custom_target(zelvacorin_typelib ALL DEPENDS "${ZELVA_SERVER_TLB}")

add_library(zelvacorin_resources OBJECT ${ZELVA_SOURCE_ROOT}/windows/server/Zelvacorin.rc)
# The string table is made from the core's message list as the resources compile.
set_source_files_properties(${ZELVA_SOURCE_ROOT}/windows/server/Zelvacorin.rc
    PROPERTIES OBJECT_DEPENDS "${ZELVA_SERVER_TLB};${ZELVA_SOURCE_ROOT}/core/texts/MessageTexts.inc")
target_include_directories(zelvacorin_resources PRIVATE
    "${ZELVA_WINDOWS_BIN_DIR}" "${ZELVA_SOURCE_ROOT}/windows/server" "${ZELVA_SOURCE_ROOT}")
add_dependencies(zelvacorin_resources zelvacorin_typelib)

# --- The component DLL ---------------------------------------------------------------

set(ZELVA_SERVER_HEADER "${ZELVA_WINDOWS_GEN_DIR}/Zelvacorin.h")
zelva_widl("${ZELVA_SERVER_HEADER}" "${ZELVA_SERVER_IDL}" -h
    LIBRARY_DIRS "${ZELVA_WINDOWS_BIN_DIR}"
    DEPENDS zelva_host_library)

file(GLOB ZELVA_SERVER_SOURCES CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/windows/server/*.cpp)
# The server is written against the C form of the interfaces: each vtable a
# constant table in IDL order, called through the generated inline wrappers.
# Tests of its parts are compiled the same way.
set(ZELVA_SERVER_TESTED_PARTS
    ${ZELVA_SOURCE_ROOT}/windows/server/HostClassObjects.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/ComErrors.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/ComHostLibrary.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/DispatchObject.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/MemberNames.cpp)
set_source_files_properties(${ZELVA_SERVER_SOURCES} ${ZELVA_SOURCE_ROOT}/tests/windows/server_host_library_test.cpp
    PROPERTIES COMPILE_DEFINITIONS "CINTERFACE;COBJMACROS;WIDL_C_INLINE_WRAPPERS;CONST_VTABLE")
add_library(zelvacorin SHARED
    "${ZELVA_HOST_HEADER}"
    "${ZELVA_SERVER_HEADER}"
    ${ZELVA_SERVER_SOURCES}
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/Guids.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/Zelvacorin.def
    $<TARGET_OBJECTS:zelvacorin_resources>)
set_target_properties(zelvacorin PROPERTIES OUTPUT_NAME Zelvacorin PREFIX "")
zelva_windows_runtime_target(zelvacorin)
target_include_directories(zelvacorin PRIVATE "${ZELVA_WINDOWS_GEN_DIR}" "${ZELVA_SOURCE_ROOT}/windows/server")
target_link_libraries(zelvacorin PRIVATE zelva_core zelva_com_values zelva_win32_ui ole32 oleaut32 uuid advapi32 ntdll)
target_link_options(zelvacorin PRIVATE -Wl,--enable-stdcall-fixup)

# --- Tests under Wine --------------------------------------------------------------

enable_testing()

if(NOT TARGET gtest)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()

add_executable(zelva_windows_tests
    "${ZELVA_HOST_HEADER}"
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/Guids.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/hostlib_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/resources_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/typelib_walk_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/TestMain.cpp
    ${ZELVA_SOURCE_ROOT}/tools/typelib/MsftFile.cpp
    $<TARGET_OBJECTS:zelvacorin_resources>)
zelva_windows_runtime_target(zelva_windows_tests)
target_include_directories(zelva_windows_tests PRIVATE
    "${ZELVA_WINDOWS_GEN_DIR}" "${ZELVA_SOURCE_ROOT}/windows/server" "${ZELVA_SOURCE_ROOT}/tools/typelib")
target_link_libraries(zelva_windows_tests PRIVATE zelva_core gtest ole32 oleaut32 uuid advapi32 version)
add_dependencies(zelva_windows_tests zelva_host_library zelvacorin_typelib)

add_test(NAME windows_prefix COMMAND ${ZELVA_WINE_ENV} "${ZELVA_SOURCE_ROOT}/scripts/windows/prefix.sh" "${CMAKE_BINARY_DIR}")
add_test(NAME windows_register_host_library
         COMMAND ${ZELVA_WINE} regsvr32 /s 3itlu31.dll
         WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
add_test(NAME windows_tests COMMAND zelva_windows_tests WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(windows_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(windows_register_host_library PROPERTIES
    FIXTURES_REQUIRED wine_prefix FIXTURES_SETUP host_library)
set_tests_properties(windows_tests PROPERTIES FIXTURES_REQUIRED "wine_prefix;host_library")

# The component DLL: its architecture, imports and exports, then registered,
# through COM from a test program and from script clients.
file(GLOB ZELVA_SERVER_TESTS CONFIGURE_DEPENDS ${ZELVA_SOURCE_ROOT}/tests/windows/server_*_test.cpp)
add_executable(zelvacorin_server_tests
    "${ZELVA_HOST_HEADER}"
    "${ZELVA_SERVER_HEADER}"
    ${ZELVA_SERVER_TESTS}
    ${ZELVA_SOURCE_ROOT}/tests/windows/comvalues_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/win32text_test.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/FakeDispatch.cpp
    ${ZELVA_SERVER_TESTED_PARTS}
    ${ZELVA_SOURCE_ROOT}/standin/hostlib/Guids.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/Guids.cpp
    ${ZELVA_SOURCE_ROOT}/tests/windows/TestMain.cpp)
zelva_windows_runtime_target(zelvacorin_server_tests)
target_include_directories(zelvacorin_server_tests PRIVATE "${ZELVA_WINDOWS_GEN_DIR}" "${ZELVA_SOURCE_ROOT}/windows/server")
target_link_libraries(zelvacorin_server_tests PRIVATE gtest zelva_core zelva_com_values zelva_win32_ui ole32 oleaut32 uuid advapi32)
add_dependencies(zelvacorin_server_tests zelvacorin)

add_test(NAME zelvacorin_dll_imports_and_exports
         COMMAND "${ZELVA_SOURCE_ROOT}/scripts/windows/check-dll.sh" ${CMAKE_SYSTEM_PROCESSOR} "$<TARGET_FILE:zelvacorin>"
                 DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer)
add_test(NAME windows_register_zelvacorin
         COMMAND ${ZELVA_WINE} regsvr32 /s Zelvacorin.dll
         WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
add_test(NAME zelvacorin_server_tests COMMAND zelvacorin_server_tests
         WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
foreach(script client.vbs client.js)
    add_test(NAME zelvacorin_script_${script} COMMAND ${ZELVA_WINE} cscript //nologo ${script}
             WORKING_DIRECTORY "${ZELVA_SOURCE_ROOT}/tests/scripts")
    # Wine's cscript hides script errors and exits 0: the script's last line tells.
    set_tests_properties(zelvacorin_script_${script} PROPERTIES
        PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")
endforeach()
# Threads that used the component must end, and the process with them: a
# program of its own, so that a hang is a timeout and not a stuck run.
add_executable(zelvacorin_thread_exit_test
    "${ZELVA_SERVER_HEADER}"
    ${ZELVA_SOURCE_ROOT}/tests/windows/thread_exit_test.cpp
    ${ZELVA_SOURCE_ROOT}/windows/server/Guids.cpp)
zelva_windows_runtime_target(zelvacorin_thread_exit_test)
target_include_directories(zelvacorin_thread_exit_test PRIVATE "${ZELVA_WINDOWS_GEN_DIR}")
target_link_libraries(zelvacorin_thread_exit_test PRIVATE ole32 oleaut32 uuid psapi)
add_dependencies(zelvacorin_thread_exit_test zelvacorin)
add_test(NAME zelvacorin_thread_exit COMMAND zelvacorin_thread_exit_test WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(zelvacorin_thread_exit PROPERTIES TIMEOUT 120)
set_tests_properties(windows_register_zelvacorin PROPERTIES
    FIXTURES_REQUIRED "wine_prefix;host_library" FIXTURES_SETUP zelvacorin)
# The server tests unregister and register the DLL again: nothing else may use it meanwhile.
set_tests_properties(zelvacorin_server_tests zelvacorin_script_client.vbs zelvacorin_script_client.js
                     zelvacorin_thread_exit PROPERTIES
    FIXTURES_REQUIRED "wine_prefix;host_library;zelvacorin" RESOURCE_LOCK zelvacorin_registration)
include(${CMAKE_CURRENT_LIST_DIR}/windows_ui.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/pinhost_windows.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/windows_package.cmake)
add_subdirectory("${ZELVA_SOURCE_ROOT}/bench/wine" "${CMAKE_BINARY_DIR}/bench-wine")
add_subdirectory("${ZELVA_SOURCE_ROOT}/bench/com" "${CMAKE_BINARY_DIR}/bench-com")
