#include "platform/BoxProcessGuard.h"

#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr size_t kSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];

// Kept in memory shared with the forked child, so that each side sees what the other wrote.
struct Shared {
  std::atomic<pid_t> box{0};   // the box's process, once it runs
  std::atomic<int> ending{0};  // the first ending signal that came while the guard lived
};
static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "used from signal handlers and across processes");

Shared* g_shared = nullptr;
// The process holding a guard, 0 while none does: only a fork made meanwhile shows a box.
std::atomic<pid_t> g_holder{0};
struct sigaction g_previous[kSignalCount];

void OnEndingSignal(int signal) {
  // The interrupted code may be about to read errno; a box already gone makes kill set it.
  const int interruptedErrno = errno;
  int none = 0;
  g_shared->ending.compare_exchange_strong(none, signal);
  const pid_t box = g_shared->box.load();
  if (box > 0) kill(box, SIGKILL);
  errno = interruptedErrno;
}

void InForkedChild() {
  const pid_t holder = g_holder.load();
  if (holder == 0) return;
  // Whatever the box's process forks in turn is no box.
  g_holder.store(0);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  // The holder may have died before the request took hold; then no signal will ever come.
  if (getppid() != holder) _exit(1);
  struct sigaction fallback{};
  fallback.sa_handler = SIG_DFL;
  for (size_t i = 0; i < kSignalCount; ++i) {
    if (g_previous[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &fallback, nullptr);
  }
  g_shared->box.store(getpid());
  // A signal that reached the holder before the store above found no box to end.
  if (g_shared->ending.load() != 0) _exit(1);
}

}  // namespace

void BoxProcessGuard::Prepare() {
  static const bool prepared = [] {
    void* page = mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) return false;
    if (pthread_atfork(nullptr, nullptr, InForkedChild) != 0) {
      munmap(page, sizeof(Shared));
      return false;
    }
    g_shared = new (page) Shared;
    return true;
  }();
  static_cast<void>(prepared);
}

BoxProcessGuard::BoxProcessGuard() {
  // Unprepared, or a box inside a box: the outer guard acts.
  if (g_shared == nullptr || g_holder.load() != 0) return;
  g_shared->box.store(0);
  g_shared->ending.store(0);
  struct sigaction action{};
  action.sa_handler = OnEndingSignal;
  sigfillset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignalCount; ++i) {
    sigaction(kEndingSignals[i], &action, &g_previous[i]);
    if (g_previous[i].sa_handler == SIG_IGN) sigaction(kEndingSignals[i], &g_previous[i], nullptr);
  }
  g_holder.store(getpid());
  active_ = true;
}

BoxProcessGuard::~BoxProcessGuard() {
  if (!active_) return;
  g_holder.store(0);
  // The box's process is gone (reaped): its number must not be signalled any more.
  g_shared->box.store(0);
  for (size_t i = 0; i < kSignalCount; ++i) sigaction(kEndingSignals[i], &g_previous[i], nullptr);
  const int ending = g_shared->ending.exchange(0);
  // The signal now has the effect it would have had without the box.
  if (ending != 0) raise(ending);
}
