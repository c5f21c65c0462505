# What every target of this project shares: the warning flags and the way a test is registered.
# Included once from the top-level CMakeLists.txt; every subdirectory uses it.

option(ICHIJIKANSU_WERROR "Turn every compiler warning into an error" OFF)

# Warnings are errors-in-waiting: keep them at zero.
if(NOT TARGET project_warnings)
    add_library(project_warnings INTERFACE)
    target_compile_options(project_warnings INTERFACE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${ICHIJIKANSU_WERROR}>:-Werror>)
endif()

# add_unit_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [NO_MAIN])
# One GoogleTest executable whose tests CTest lists by running it before the tests start. Without
# NO_MAIN it links GoogleTest's own main; Qt tests bring theirs (tests/common/qtmain.cpp).
function(add_unit_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "NO_MAIN" "" "SOURCES;LIBS;PROPERTIES")
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest project_warnings)
    if(NOT arg_NO_MAIN)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${arg_PROPERTIES})
endfunction()
