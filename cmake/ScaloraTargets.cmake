# Helpers that give every target of the project the same language level, warnings and
# sanitizer flags, so subsystem CMakeLists stay a list of sources and dependencies.

function(scalora_target_options target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                              -Wold-style-cast)
    # clang's -Wconversion also warns of sign changes, which GCC's (the one CI builds with)
    # leaves to -Wsign-conversion; the fuzz build uses clang and keeps to GCC's set.
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        target_compile_options(${target} PRIVATE -Wno-sign-conversion)
    endif()
    if(SCALORA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(SCALORA_SANITIZE)
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=undefined)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
    if(SCALORA_TSAN)
        target_compile_options(${target} PUBLIC -fsanitize=thread -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=thread)
    endif()
endfunction()

# scalora_library(NAME SOURCES ... DEPS ...): one static library per subsystem folder.
function(scalora_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    scalora_target_options(${name})
endfunction()

# scalora_program(NAME SOURCES ... DEPS ...)
function(scalora_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
    scalora_target_options(${name})
endfunction()

# scalora_test(NAME SOURCES ... DEPS ... [LABELS label] [TIMEOUT s] [RUN_SERIAL]): a GoogleTest
# program registered with CTest test by test. RUN_SERIAL keeps ctest -j from running anything
# beside its tests. One label only: the discovered tests' properties go through a flattened
# list, where a second label would be read as a property name.
function(scalora_test name)
    cmake_parse_arguments(ARG "RUN_SERIAL" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} scalora_test_support GTest::gtest_main
                                          GTest::gmock)
    scalora_target_options(${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(properties TIMEOUT ${ARG_TIMEOUT})
    list(LENGTH ARG_LABELS labelCount)
    if(labelCount GREATER 1)
        message(FATAL_ERROR "scalora_test(${name}): one label only")
    elseif(ARG_LABELS)
        list(APPEND properties LABELS ${ARG_LABELS})
    endif()
    if(ARG_RUN_SERIAL)
        list(APPEND properties RUN_SERIAL TRUE)
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
