#include "platform/CrashBoxRequest.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/CrashHandler.h"

bool IsCrashBoxCall(int argc, char** argv) {
  return argc > 1 && std::strcmp(argv[1], CrashHandler::kBoxWord) == 0;
}

bool ReadCrashBoxRequest(int argc, char** argv, CrashBoxRequest& request) {
  if (argc != 5 || !IsCrashBoxCall(argc, argv)) return false;
  const long crashed = std::strtol(argv[2], nullptr, 10);
  // A box whose crashed process was killed meanwhile would wait for nobody's answer.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (crashed <= 0 || getppid() != static_cast<pid_t>(crashed)) return false;
  request.window = std::strtoul(argv[3], nullptr, 16);
  request.savedPath = argv[4];
  request.report.clear();
  char buffer[4096];
  ssize_t got = 0;
  while (request.report.size() < CrashHandler::kReportCapacity && (got = read(STDIN_FILENO, buffer, sizeof buffer)) != 0) {
    if (got > 0) request.report.append(buffer, static_cast<size_t>(got));
    else if (errno != EINTR) break;
  }
  return true;
}
