#include "platform/EndingAlarm.h"

#include <signal.h>
#include <unistd.h>

void ArmEndingAlarm(void (*onAlarm)(int), unsigned seconds) {
  struct sigaction action{};
  action.sa_handler = onAlarm;
  action.sa_flags = SA_ONSTACK;
  sigaction(SIGALRM, &action, nullptr);
  sigset_t alarmOnly;
  sigemptyset(&alarmOnly);
  sigaddset(&alarmOnly, SIGALRM);
  pthread_sigmask(SIG_UNBLOCK, &alarmOnly, nullptr);
  alarm(seconds);
}
