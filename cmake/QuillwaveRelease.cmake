# What a release states about itself, in one place. The version is the
# project's (project(VERSION) in the top-level CMakeLists.txt); the installer,
# the Debian package, the Windows version resources and the generated header
# QuillwaveVersion.h all take it from here.
include_guard(GLOBAL)

set(QUILLWAVE_VERSION ${PROJECT_VERSION})
set(QUILLWAVE_PRODUCT_NAME "Quillwave")
set(QUILLWAVE_VENDOR "PleoAudio")
set(QUILLWAVE_COPYRIGHT "Copyright (C) 2026 PleoAudio")
# The plug-in version as the framework holds it: major in bits 16 to 31, minor
# in bits 8 to 15, revision in bits 0 to 7 (1.0.2 is 0x10002).
math(EXPR QUILLWAVE_VERSION_NUMBER
  "(${PROJECT_VERSION_MAJOR} << 16) | (${PROJECT_VERSION_MINOR} << 8) | ${PROJECT_VERSION_PATCH}"
  OUTPUT_FORMAT HEXADECIMAL)
# The same number in the decimal form VST2 hosts show ((major * 100 + minor) * 100 + revision).
math(EXPR QUILLWAVE_VERSION_DECIMAL
  "(${PROJECT_VERSION_MAJOR} * 100 + ${PROJECT_VERSION_MINOR}) * 100 + ${PROJECT_VERSION_PATCH}")

# Where the Debian package installs the factory presets; on Linux the plug-in
# reads them there for users without a Factory folder of their own.
set(QUILLWAVE_SHARED_PRESET_LIBRARY /usr/share/quillwave/presets
  CACHE PATH "The machine-wide preset library of a system install (Linux)")

configure_file(${CMAKE_CURRENT_LIST_DIR}/QuillwaveVersion.h.in
  ${CMAKE_BINARY_DIR}/generated/QuillwaveVersion.h @ONLY)
add_library(quillwave_version INTERFACE)
target_include_directories(quillwave_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
