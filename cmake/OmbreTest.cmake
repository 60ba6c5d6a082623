# ombre_add_test(<name> SOURCES <files...> LIBS <targets...> [QT])
# Registers one GoogleTest executable with CTest. QT tests get a QApplication on the offscreen
# platform and an isolated configuration folder (QStandardPaths test mode), so they never touch
# the user's real settings and need no screen.
find_package(GTest REQUIRED)

function(ombre_add_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    OMBRE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    OMBRE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} ombre_qt_test_main GTest::gtest Qt6::Widgets Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    TIMEOUT 300)
endfunction()
