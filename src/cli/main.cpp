// brevolt-scan: the command-line scanner.
#include <atomic>
#include <iostream>

#include "cli/scan_command.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  static std::atomic<bool> interrupted{false};
  brevolt::platform::InterruptSetsFlag(interrupted);
  std::ios::sync_with_stdio(false);
  auto args = brevolt::platform::CommandLineArguments(argc, argv);
  args.erase(args.begin());
  brevolt::cli::Console console{std::cin,
                                std::cout,
                                std::cerr,
                                brevolt::platform::StandardErrorIsTerminal(),
                                brevolt::platform::TerminalColumns(),
                                &interrupted};
  return brevolt::cli::RunScan(args, console);
}
