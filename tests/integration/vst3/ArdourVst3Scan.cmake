# Runs Ardour's VST3 scanner on the bundle with a private HOME and judges the
# scan as Ardour does: a "Found Plugin" line for Quillwave, no "[ERROR]" line,
# and a cache file that names the plug-in. The scanner's exit code says little.
#   cmake -DSCANNER=<scanner> -DBUNDLE=<Quillwave.vst3> -DWORK_DIR=<dir> -P ArdourVst3Scan.cmake
if(NOT EXISTS ${SCANNER})
  message(FATAL_ERROR "${SCANNER} is not installed (Debian package ardour)")
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/home)

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK_DIR}/home LD_LIBRARY_PATH=/usr/lib/ardour7
          ${SCANNER} ${BUNDLE}
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result
  TIMEOUT 60)
set(log "${output}${errors}")
message(STATUS "scanner exit code ${result}:\n${log}")

if(result MATCHES "timeout")
  message(FATAL_ERROR "the scanner did not finish")
endif()
if(NOT log MATCHES "Found Plugin: Quillwave")
  message(FATAL_ERROR "the scanner did not list Quillwave")
endif()
if(log MATCHES "\\[ERROR\\]")
  message(FATAL_ERROR "the scanner reported an error")
endif()
file(GLOB_RECURSE caches ${WORK_DIR}/home/*.v3i)
if(NOT caches)
  message(FATAL_ERROR "the scanner wrote no cache file")
endif()
list(GET caches 0 cache)
file(READ ${cache} cached)
if(NOT cached MATCHES "name=\"Quillwave\"" OR NOT cached MATCHES "uid=\"F2AEE70D00DE4F4E506C767850717736\"")
  message(FATAL_ERROR "the cache file does not describe Quillwave:\n${cached}")
endif()
message(STATUS "cache: ${cache}")
