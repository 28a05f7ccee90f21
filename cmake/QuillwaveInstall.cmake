# Install rules.
#
# Windows: the prefix stands for the system drive (C:/, or a Wine prefix's
# drive_c), and the modules and presets go where Windows hosts and the
# plug-in look for them:
#   <prefix>/Program Files/Common Files/VST3/Quillwave.vst3          VST3 bundle
#   <prefix>/Program Files/VSTPlugins/Quillwave.dll                  VST2 module
#   <prefix>/users/Public/Documents/PleoAudio/Quillwave/Presets/     factory presets, User/
# The prefix defaults to the folder drive_c of the build tree.
if(WIN32)
  if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "${CMAKE_BINARY_DIR}/drive_c" CACHE PATH "Installation prefix: the system drive" FORCE)
  endif()
  set(QUILLWAVE_PRESET_LIBRARY "users/Public/Documents/PleoAudio/Quillwave/Presets")
  install(DIRECTORY ${CMAKE_BINARY_DIR}/modules/Quillwave.vst3
          DESTINATION "Program Files/Common Files/VST3")
  install(FILES $<TARGET_FILE:Quillwave-VST2> DESTINATION "Program Files/VSTPlugins")
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/presets/Factory
          DESTINATION ${QUILLWAVE_PRESET_LIBRARY}
          FILES_MATCHING PATTERN "*.quillwavepreset")
  install(DIRECTORY DESTINATION ${QUILLWAVE_PRESET_LIBRARY}/User)
  return()
endif()

# Linux: the two modules into the user's plug-in folders and the factory
# presets into the preset library, all below the installation prefix, which
# stands for the user's home folder:
#   <prefix>/.vst3/Quillwave.vst3                                    VST3 bundle
#   <prefix>/.vst/Quillwave.so                                       VST2 module
#   <prefix>/Documents/PleoAudio/Quillwave/Presets/Factory/          factory presets
#   <prefix>/Documents/PleoAudio/Quillwave/Presets/User/             (created empty)
# The prefix defaults to $HOME at configure time; scripts/install passes
# --prefix "$HOME" so the home of the installing user wins.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND DEFINED ENV{HOME})
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}" CACHE PATH "Installation prefix: the user's home folder" FORCE)
endif()

set(QUILLWAVE_PRESET_LIBRARY "Documents/PleoAudio/Quillwave/Presets")

install(DIRECTORY ${CMAKE_BINARY_DIR}/modules/Quillwave.vst3
        DESTINATION .vst3
        USE_SOURCE_PERMISSIONS)
install(FILES $<TARGET_FILE:Quillwave-VST2>
        DESTINATION .vst
        PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                    WORLD_READ WORLD_EXECUTE)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/presets/Factory
        DESTINATION ${QUILLWAVE_PRESET_LIBRARY}
        FILES_MATCHING PATTERN "*.quillwavepreset")
# An empty directory list creates the folder; files a user saved there stay.
install(DIRECTORY DESTINATION ${QUILLWAVE_PRESET_LIBRARY}/User)
