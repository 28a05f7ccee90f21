# Scans the module with Ardour's VST2 scanner in a private HOME. The scanner's exit code
# says little; the scan passes when it reports the plug-in, reports no error and writes a
# cache entry naming it with its unique id ('Pqw6').
set(scanner /usr/lib/ardour7/ardour-vst-scanner)
if(NOT EXISTS ${scanner})
  message(FATAL_ERROR "${scanner} is missing: install Debian's ardour package")
endif()

file(REMOVE_RECURSE ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${HOME_DIR} LD_LIBRARY_PATH=/usr/lib/ardour7
                        ${scanner} ${MODULE}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result
                TIMEOUT 60)
message(STATUS "${output}${errors}")

if(NOT result MATCHES "^[0-9]+$")
  message(FATAL_ERROR "the scanner did not finish: ${result}")
endif()

if(NOT output MATCHES "Found Plugin: [^\n]* Quillwave")
  message(FATAL_ERROR "the scanner did not report Quillwave")
endif()
if("${output}${errors}" MATCHES "\\[ERROR\\]")
  message(FATAL_ERROR "the scanner reported an error")
endif()
file(GLOB_RECURSE caches ${HOME_DIR}/.cache/ardour7/vst/*.v2i)
if(NOT caches)
  message(FATAL_ERROR "the scanner wrote no cache file")
endif()
list(GET caches 0 cache)
file(READ ${cache} entry)
if(NOT entry MATCHES "id=\"1349613366\" name=\"Quillwave\" creator=\"PleoAudio\"")
  message(FATAL_ERROR "unexpected cache entry: ${entry}")
endif()
