// On POSIX the file version is compiled into the program from the project's
// one version source, as the Windows build puts it into a version resource.
#include "platform/platform.h"

namespace brevolt::platform {

bool ExecutableFileVersion(TFileVersion& version) {
  version = {BREVOLT_VERSION_MAJOR, BREVOLT_VERSION_MINOR,
             BREVOLT_VERSION_PATCH, BREVOLT_VERSION_TWEAK};
  return true;
}

}  // namespace brevolt::platform
