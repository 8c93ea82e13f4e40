# Test and program-folder helpers shared by every module fragment.
#
#   tarvello_program(<target>)
#   tarvello_core_test(NAME n SOURCES ... [LIBS ...])
#   tarvello_win_test(NAME n SOURCES ... [LIBS ...] [FIXTURES ...] [RESOURCES ...] [NO_GTEST_MAIN])
#
# Windows tests run under wine64 with a private prefix, wineserver and Xvfb
# display, all started by the `wine` fixture below (see cmake/wine-fixture.sh).

set(TARVELLO_WINE_RUN "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh" "${CMAKE_BINARY_DIR}")

# Without a final backslash: one before the ';' that separates ENVIRONMENT
# entries would escape it and merge the entries (wintest::EnvPath adds it).
function(tarvello_windows_path out unix_path)
  string(REPLACE "/" "\\" p "${unix_path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()

function(tarvello_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${TARVELLO_PROGRAM_DIR}")
endfunction()

if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  # desktop_keeper (res/res.cmake) holds the session's desktop open between
  # test programs.
  add_test(NAME wine_start COMMAND sh "${CMAKE_SOURCE_DIR}/cmake/wine-fixture.sh" start "${CMAKE_BINARY_DIR}"
           $<TARGET_FILE:desktop_keeper>)
  add_test(NAME wine_stop COMMAND sh "${CMAKE_SOURCE_DIR}/cmake/wine-fixture.sh" stop "${CMAKE_BINARY_DIR}")
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endif()

# Adds the CTest entry that runs a Windows test executable under Wine.
function(tarvello_add_wine_test name target)
  cmake_parse_arguments(W "" "" "FIXTURES" ${ARGN})
  tarvello_windows_path(program_dir "${TARVELLO_PROGRAM_DIR}")
  tarvello_windows_path(build_dir "${CMAKE_BINARY_DIR}")
  tarvello_windows_path(source_dir "${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${TARVELLO_WINE_RUN} $<TARGET_FILE:${target}>
           WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED "wine;${W_FIXTURES}"
    TIMEOUT 600
    ENVIRONMENT "TARVELLO_PROGRAM_DIR=${program_dir};TARVELLO_BUILD_DIR=${build_dir};TARVELLO_SOURCE_DIR=${source_dir}")
endfunction()

function(tarvello_core_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  if(NOT WIN32)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
  elseif(TARVELLO_RUN_WINDOWS_TESTS)
    tarvello_add_wine_test(${T_NAME} ${T_NAME})
  endif()
endfunction()

function(tarvello_win_test)
  cmake_parse_arguments(T "NO_GTEST_MAIN" "NAME" "SOURCES;LIBS;FIXTURES;RESOURCES" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES} ${T_RESOURCES})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  endif()
  target_link_libraries(${T_NAME} PRIVATE comctl32 shlwapi shell32 ole32 gdi32 user32 comdlg32)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  if(TARVELLO_RUN_WINDOWS_TESTS)
    tarvello_add_wine_test(${T_NAME} ${T_NAME} FIXTURES ${T_FIXTURES})
  endif()
endfunction()
