# Cross-compiles the Windows x64 modules with mingw-w64 (posix threads).
# The C and C++ runtimes and winpthreads are linked statically, so a module
# imports only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLWAVE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLWAVE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLWAVE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLWAVE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLWAVE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# zlib's static archive, not its import library: no zlib1.dll to ship.
set(ZLIB_LIBRARY /usr/${QUILLWAVE_MINGW_PREFIX}/lib/libz.a CACHE FILEPATH "zlib for the Windows build")
set(ZLIB_INCLUDE_DIR /usr/${QUILLWAVE_MINGW_PREFIX}/include CACHE PATH "zlib headers for the Windows build")

# Released modules ship without their symbol tables.
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_MODULE_LINKER_FLAGS_RELEASE_INIT "-s")
