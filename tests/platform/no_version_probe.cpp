// An executable without a version resource: prints what GetAppVersion
// raises, so the tests can see the operating-system error.
#include <cstdio>

#include "brevolt/errors.h"
#include "brevolt/version.h"

int main() {
  try {
    std::printf("version %s\n", brevolt::GetAppVersion().c_str());
  } catch (const brevolt::EOSError& error) {
    std::printf("EOSError: %s\n", error.what());
    return 3;
  }
  return 0;
}
