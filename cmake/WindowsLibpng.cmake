# libpng for the Windows build: compiled into the build tree from Debian's
# source package (scripts/lib/windows.sh unpacks it) as a static library,
# third-party code with its own flags, and offered as PNG::PNG like the
# system package on Linux.

if(TARGET PNG::PNG)
  return()
endif()

set(QUILLWAVE_LIBPNG_SOURCE_DIR ${PROJECT_SOURCE_DIR}/build/third_party/libpng
  CACHE PATH "Unpacked libpng 1.6 source package for the Windows build")
if(NOT EXISTS ${QUILLWAVE_LIBPNG_SOURCE_DIR}/png.h)
  message(FATAL_ERROR
    "libpng sources not found at ${QUILLWAVE_LIBPNG_SOURCE_DIR} "
    "(./scripts/build-windows unpacks Debian's libpng1.6 source package there)")
endif()

set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILLWAVE_LIBPNG_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/libpng EXCLUDE_FROM_ALL)

# pnglibconf.h is generated into libpng's build folder.
target_include_directories(png_static SYSTEM INTERFACE
  ${QUILLWAVE_LIBPNG_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/libpng)
add_library(PNG::PNG ALIAS png_static)
