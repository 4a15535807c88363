# Small helpers shared by the folders' CMakeLists.

# tremlin_add_test(NAME SOURCES file... [LIBS lib...])
# One QtTest executable run by CTest on the offscreen platform.
function(tremlin_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin
    BUILD_RPATH "${TREMLIN_BIN_DIR}")
  target_compile_definitions(${name} PRIVATE
    TREMLIN_BIN_DIR="${TREMLIN_BIN_DIR}"
    TREMLIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TREMLIN_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/tests-bin")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FATAL_WARNINGS=0")
endfunction()

# tremlin_module_library(NAME sources...)
# A module library as the host loads it: bin/Modules/NAME.so, no "lib" prefix.
function(tremlin_module_library name)
  add_library(${name} MODULE ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${TREMLIN_MODULES_DIR}
    BUILD_RPATH "$ORIGIN/..")
endfunction()
