# Source collection by folder, so that adding a file never means editing a shared list.

# Every .cpp below the given folders, leaving out ui/ folders and the Qt backends.
function(tenzora_collect_sources out)
    set(result "")
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
        list(FILTER found EXCLUDE REGEX ".*/ui/.*")
        list(FILTER found EXCLUDE REGEX ".*/src/platform/qt/.*")
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# Every .cpp of the ui/ folders below the given folders.
function(tenzora_collect_ui_sources out)
    set(result "")
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/ui/*.cpp")
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# One GoogleTest program per tests/<folder>, registered with CTest.
#   tenzora_add_test_folder(NAME folder LIBS libs... [ENVIRONMENT env...])
function(tenzora_add_test_folder)
    cmake_parse_arguments(T "" "NAME" "LIBS;ENVIRONMENT" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${T_NAME}/*.cpp")
    if(NOT sources)
        return()
    endif()
    set(target "tests_${T_NAME}")
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_include_directories(${target} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
    target_compile_definitions(${target} PRIVATE
        TENZORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TENZORA_PROGRAM_DIR="${TENZORA_OUTPUT_DIR}")
    add_dependencies(${target} tenzora_data)
    if(TARGET tenzora_sanitizer_programs AND NOT T_NAME STREQUAL "cli")
        add_dependencies(tenzora_sanitizer_programs ${target})
    endif()
    if(T_NAME STREQUAL "ui")
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
    gtest_discover_tests(${target} TEST_PREFIX "${T_NAME}." DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
endfunction()
