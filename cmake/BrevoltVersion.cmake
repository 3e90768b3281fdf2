# Makes the project version available to the code, and on Windows as a
# VERSIONINFO resource with a manifest for each executable.
set(BREVOLT_VERSION_DEFINITIONS
    BREVOLT_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    BREVOLT_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    BREVOLT_VERSION_PATCH=${PROJECT_VERSION_PATCH}
    BREVOLT_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})

# brevolt_add_version_resource(<target> <description> [ICON <file.ico>])
# Gives a Windows executable its VERSIONINFO, the manifest that declares
# per-monitor (v2) DPI awareness, and optionally an icon.
function(brevolt_add_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "ICON" "" ${ARGN})
  set(BREVOLT_RC_DESCRIPTION "${description}")
  set(BREVOLT_RC_FILENAME "${target}.exe")
  set(BREVOLT_MANIFEST "${PROJECT_BINARY_DIR}/brevolt.manifest")
  set(BREVOLT_RC_ICON "")
  if(ARG_ICON)
    set(BREVOLT_RC_ICON "IDI_ICON1 ICON \"${ARG_ICON}\"")
  endif()
  configure_file("${PROJECT_SOURCE_DIR}/cmake/brevolt.manifest.in" "${BREVOLT_MANIFEST}" @ONLY)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
