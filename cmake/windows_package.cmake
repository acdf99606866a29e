# What the Windows Installer package holds besides the component, and its tests
# under Wine. Included at the end of cmake/windows.cmake.
#
#   zelva-tables          the table checker as a Windows console program (checker/)
#   zelva_setup_actions   ZelvacorinSetup.dll, the package's custom action (tools/package)

include_guard(GLOBAL)

add_subdirectory("${ZELVA_SOURCE_ROOT}/admin/checker" "${CMAKE_BINARY_DIR}/tables")

add_library(zelva_setup_actions SHARED
    ${ZELVA_SOURCE_ROOT}/tools/package/setup_actions.cpp
    ${ZELVA_SOURCE_ROOT}/tools/package/setup_actions.def)
set_target_properties(zelva_setup_actions PROPERTIES OUTPUT_NAME ZelvacorinSetup PREFIX "")
zelva_windows_runtime_target(zelva_setup_actions)
target_link_libraries(zelva_setup_actions PRIVATE msi)
target_link_options(zelva_setup_actions PRIVATE -Wl,--enable-stdcall-fixup)

# The shipped tables, read by the Windows checker under Wine.
add_test(NAME zelva_tables_shipped_wine
         COMMAND ${ZELVA_WINE} zelva-tables.exe check "${ZELVA_WINE_STAGED_INSTALL_PATH}"
         WORKING_DIRECTORY "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(zelva_tables_shipped_wine PROPERTIES
    FIXTURES_REQUIRED wine_prefix PASS_REGULAR_EXPRESSION "\n0 errors, 0 warnings")

# The checker of this architecture reads the settings in this architecture's registry view.
add_test(NAME zelva_tables_registry_view
         COMMAND ${ZELVA_WINE_ENV} "${ZELVA_SOURCE_ROOT}/tests/windows/checker_registry_view.sh" "${ZELVA_WINDOWS_BIN_DIR}")
set_tests_properties(zelva_tables_registry_view PROPERTIES
    FIXTURES_REQUIRED wine_prefix PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")

# Install, use, upgrade, repair and uninstall the build's architecture's package on a
# prefix of its own.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ZELVA_PACKAGE_ARCH x64)
else()
    set(ZELVA_PACKAGE_ARCH x86)
endif()
add_test(NAME package_install_round
         COMMAND ${ZELVA_WINE_ENV} "${ZELVA_SOURCE_ROOT}/tests/package/install_round.sh" "${ZELVA_SOURCE_ROOT}"
                 "${ZELVA_WINDOWS_BIN_DIR}" "${CMAKE_BINARY_DIR}/package-round" ${ZELVA_PACKAGE_ARCH})
set_tests_properties(package_install_round PROPERTIES
    TIMEOUT 900 PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")

if(ZELVA_PACKAGE_ARCH STREQUAL x64)
    # Both packages on one 64-bit prefix, each still working with the other removed.
    set(ZELVA_X86_BIN_DIR "${ZELVA_SOURCE_ROOT}/build/windows/windows/bin" CACHE PATH
        "The x86 build's programs, for the side-by-side round")
    add_test(NAME package_side_by_side_round
             COMMAND ${ZELVA_WINE_ENV} "${ZELVA_SOURCE_ROOT}/tests/package/side_by_side_round.sh" "${ZELVA_SOURCE_ROOT}"
                     "${ZELVA_X86_BIN_DIR}" "${ZELVA_WINDOWS_BIN_DIR}" "${CMAKE_BINARY_DIR}/side-by-side-round")
    set_tests_properties(package_side_by_side_round PROPERTIES
        TIMEOUT 900 PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")
    # The administrator's guide's lines and the signing round are the x86 package's.
    return()
endif()

# The administrator's guide's install section, every command line as written, on a prefix of its own.
add_test(NAME package_readme_round
         COMMAND /usr/bin/python3 "${ZELVA_SOURCE_ROOT}/tests/package/readme_round.py"
                 "${ZELVA_SOURCE_ROOT}" "${ZELVA_WINDOWS_BIN_DIR}" "${CMAKE_BINARY_DIR}/readme-round")
set_tests_properties(package_readme_round PROPERTIES
    TIMEOUT 900 PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")

# The package signed with a throwaway certificate, verified, installed and tampered with.
add_test(NAME package_signing
         COMMAND "${ZELVA_SOURCE_ROOT}/tests/package/signing.sh"
                 "${ZELVA_SOURCE_ROOT}" "${ZELVA_WINDOWS_BIN_DIR}" "${CMAKE_BINARY_DIR}/package-signing")
set_tests_properties(package_signing PROPERTIES
    TIMEOUT 600 PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed")
