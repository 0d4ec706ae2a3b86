# Shared build settings for every target of the project.

function(morva_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(MORVA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# morva_add_library(<name> SOURCES ... [DEPS ...])
# A static library whose headers are included as "<folder>/<file>.h" from the source root.
function(morva_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    morva_set_warnings(${name})
endfunction()

# morva_add_test(<name> SOURCES ... [DEPS ...] [LABELS ...])
# One GoogleTest executable; each test case becomes its own CTest entry.
function(morva_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        MORVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        MORVA_RUNTIME_DIR="${MORVA_RUNTIME_DIR}")
    morva_set_warnings(${name})
    include(GoogleTest)
    gtest_discover_tests(${name}
        PROPERTIES LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()
