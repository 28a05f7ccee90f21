# The VST3 SDK (interfaces, base library and the public.sdk support classes)
# compiled as third-party code: its own flags, none of the project's warnings.
# Target vst3sdk is what the VST3 binding and module link.
#
# The sources come from Debian's juce-modules-source-data. Only portable CMake
# is used here so that a cross toolchain can build the same targets.

if(TARGET vst3sdk)
  return()
endif()

set(QUILLWAVE_VST3_SDK_DIR
  /usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
  CACHE PATH "Root of the VST3 SDK sources (base, pluginterfaces, public.sdk)")

if(NOT EXISTS ${QUILLWAVE_VST3_SDK_DIR}/pluginterfaces/base/funknown.h)
  message(FATAL_ERROR
    "VST3 SDK not found at ${QUILLWAVE_VST3_SDK_DIR} "
    "(install the Debian package juce-modules-source-data)")
endif()

find_package(Threads REQUIRED)

set(_vst3_sdk ${QUILLWAVE_VST3_SDK_DIR})

add_library(vst3sdk STATIC
  ${_vst3_sdk}/pluginterfaces/base/conststringtable.cpp
  ${_vst3_sdk}/pluginterfaces/base/coreiids.cpp
  ${_vst3_sdk}/pluginterfaces/base/funknown.cpp
  ${_vst3_sdk}/pluginterfaces/base/ustring.cpp
  ${_vst3_sdk}/base/source/baseiids.cpp
  ${_vst3_sdk}/base/source/fdebug.cpp
  ${_vst3_sdk}/base/source/fobject.cpp
  ${_vst3_sdk}/base/source/fstring.cpp
  ${_vst3_sdk}/base/source/updatehandler.cpp
  ${_vst3_sdk}/base/thread/source/flock.cpp
  ${_vst3_sdk}/public.sdk/source/common/pluginview.cpp
  ${_vst3_sdk}/public.sdk/source/vst/vstbus.cpp
  ${_vst3_sdk}/public.sdk/source/vst/vstcomponentbase.cpp
  ${_vst3_sdk}/public.sdk/source/vst/vsteditcontroller.cpp
  ${_vst3_sdk}/public.sdk/source/vst/vstinitiids.cpp
  ${_vst3_sdk}/public.sdk/source/vst/vstparameters.cpp
)
# SYSTEM keeps the SDK headers out of the project's -Wall -Wextra -Werror.
target_include_directories(vst3sdk SYSTEM PUBLIC ${_vst3_sdk})
target_compile_definitions(vst3sdk PUBLIC RELEASE=1)
target_compile_options(vst3sdk PRIVATE -w)
target_link_libraries(vst3sdk PUBLIC Threads::Threads)
set_target_properties(vst3sdk PROPERTIES
  POSITION_INDEPENDENT_CODE ON
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)

unset(_vst3_sdk)
