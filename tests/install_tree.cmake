# install_tree_test: the shipped install tree (install/) keeps the file formats the
# component reads.  Included from tests/CMakeLists.txt (native builds):
#     include(${CMAKE_CURRENT_SOURCE_DIR}/install_tree.cmake)
# Needs only GoogleTest; the repository root reaches the test as ZELVA_SOURCE_DIR.

if(NOT TARGET GTest::gtest_main)
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

get_filename_component(ZELVA_INSTALL_TREE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

add_executable(install_tree_test ${CMAKE_CURRENT_LIST_DIR}/install_tree_test.cpp)
target_compile_features(install_tree_test PRIVATE cxx_std_20)
target_link_libraries(install_tree_test PRIVATE GTest::gtest_main)
target_compile_definitions(install_tree_test PRIVATE
    ZELVA_SOURCE_DIR="${ZELVA_INSTALL_TREE_ROOT}")
gtest_discover_tests(install_tree_test)

# The shipped tables are the generator's output from the reference data in
# tools/thread_data: a clean clone regenerates them byte for byte.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME thread_tables_regenerate
         COMMAND ${Python3_EXECUTABLE} "${ZELVA_INSTALL_TREE_ROOT}/tools/gen_thread_tables.py" --check
                 --out "${ZELVA_INSTALL_TREE_ROOT}/install")
set_tests_properties(thread_tables_regenerate PROPERTIES PASS_REGULAR_EXPRESSION " 0 differ\n")
# So are the settings files, from tools/gen_settings.py.
add_test(NAME settings_files_regenerate
         COMMAND ${Python3_EXECUTABLE} "${ZELVA_INSTALL_TREE_ROOT}/tools/gen_settings.py" --check
                 --out "${ZELVA_INSTALL_TREE_ROOT}/install")
set_tests_properties(settings_files_regenerate PROPERTIES PASS_REGULAR_EXPRESSION " 0 differ\n")
