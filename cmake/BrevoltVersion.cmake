# Makes the project version available to the code, and on Windows as a
# VERSIONINFO resource with a manifest for each executable.
set(BREVOLT_VERSION_DEFINITIONS
    BREVOLT_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    BREVOLT_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    BREVOLT_VERSION_PATCH=${PROJECT_VERSION_PATCH}
    BREVOLT_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})

# brevolt_add_version_resource(<target> <description>)
function(brevolt_add_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  set(BREVOLT_RC_DESCRIPTION "${description}")
  set(BREVOLT_RC_FILENAME "${target}.exe")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
