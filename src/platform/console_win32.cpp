// The console and Ctrl-C on Windows.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include "platform/platform.h"
#include "platform/system_error_win32.h"

namespace brevolt::platform {
namespace {

std::atomic<bool>* interruptFlag = nullptr;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interruptFlag != nullptr) interruptFlag->store(true);
  return TRUE;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(WideToUtf8(wide[i]));
  ::LocalFree(wide);
  return args;
}

bool StandardErrorIsTerminal() { return ::_isatty(2) != 0; }

int TerminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) {
    return info.srWindow.Right - info.srWindow.Left + 1;
  }
  return 80;
}

void InterruptSetsFlag(std::atomic<bool>& flag) {
  interruptFlag = &flag;
  ::SetConsoleCtrlHandler(OnControl, TRUE);
}

}  // namespace brevolt::platform
