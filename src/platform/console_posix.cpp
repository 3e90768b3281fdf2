// The terminal and Ctrl-C on POSIX systems.
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

#include "platform/platform.h"

namespace brevolt::platform {
namespace {

std::atomic<bool>* interruptFlag = nullptr;

extern "C" void OnInterrupt(int /*signal*/) {
  if (interruptFlag != nullptr) interruptFlag->store(true);
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return {argv, argv + argc};
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

int TerminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    return size.ws_col;
  }
  return 80;
}

void InterruptSetsFlag(std::atomic<bool>& flag) {
  interruptFlag = &flag;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace brevolt::platform
