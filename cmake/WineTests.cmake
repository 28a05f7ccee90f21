# The Windows tests: GoogleTest executables built with the cross toolchain
# and run by ctest under Wine. GoogleTest comes from Debian's sources and is
# compiled as third-party code.
#
#   quillwave_wine_test(<name> <sources...>)
#
# One ctest entry per executable. All of them share one Wine session of the
# build tree (an Xvfb display and a private prefix with the modules and
# presets installed on its drive C), which the fixture wine_session sets up
# before the first and stops after the last.

include_guard(GLOBAL)

set(QUILLWAVE_GTEST_SOURCE_DIR /usr/src/googletest
  CACHE PATH "GoogleTest sources for the Windows tests (Debian's googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILLWAVE_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)

set(QUILLWAVE_WINE_SESSION ${CMAKE_BINARY_DIR}/wine-session)
set(_wine_support ${PROJECT_SOURCE_DIR}/tests/support)

add_test(NAME wine_session_start
  COMMAND ${_wine_support}/wine-session.sh start ${QUILLWAVE_WINE_SESSION})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session TIMEOUT 180)
# The modules and the factory presets go into the prefix's drive C, where
# the tests load them from their install layout.
add_test(NAME wine_install
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${QUILLWAVE_WINE_SESSION}/prefix/drive_c)
set_tests_properties(wine_install PROPERTIES FIXTURES_SETUP wine_session DEPENDS wine_session_start)
add_test(NAME wine_session_stop
  COMMAND ${_wine_support}/wine-session.sh stop ${QUILLWAVE_WINE_SESSION})
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)

function(quillwave_wine_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE gtest gmock gtest_main)
  quillwave_warnings(${name})
  add_test(NAME ${name}
    COMMAND ${_wine_support}/wine-run.sh ${QUILLWAVE_WINE_SESSION} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_session TIMEOUT 600)
endfunction()
