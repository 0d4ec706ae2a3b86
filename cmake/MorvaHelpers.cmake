# Shared build settings for every target of the project.

function(morva_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(MORVA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# morva_expose_headers(<target> <folder>)
# Makes the headers directly in <folder> (relative to the source root) includable as
# "<folder>/<file>.h" by the target and by whatever links it, and nothing else: each folder's
# headers are linked into a staging folder of their own, so a layer sees only its own headers and
# those of the layers it links. An include that reaches a layer above fails to compile.
function(morva_expose_headers target folder)
    set(stage ${CMAKE_BINARY_DIR}/layer-headers/${folder})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/${folder}
         ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    file(MAKE_DIRECTORY ${stage}/${folder})
    foreach(header ${headers})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${header} ${stage}/${folder}/${header}
             RESULT ignored SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${stage})
endfunction()

# morva_add_library(<name> SOURCES ... [DEPS ...])
# A static library of the layer in the current folder. Its headers are included as
# "<folder>/<file>.h"; it sees only its own layer's headers and those of the libraries it links.
function(morva_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    morva_expose_headers(${name} ${folder})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    morva_set_warnings(${name})
endfunction()

# morva_add_test(<name> SOURCES ... [DEPS ...] [LABELS ...])
# One GoogleTest executable; each test case becomes its own CTest entry.
function(morva_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    # Tests reach their fixtures as "tests/<suite>/<file>.h".
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
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
