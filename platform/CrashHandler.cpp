#include "platform/CrashHandler.h"

#include <SDL.h>
#include <dirent.h>
#include <execinfo.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>
#include <xmp.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/EndingAlarm.h"
#include "platform/ModuleMap.h"
#include "platform/SignalSafeText.h"

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};
constexpr size_t kSignalCount = sizeof kSignals / sizeof kSignals[0];
constexpr int kMaxFrames = 64;
constexpr size_t kMapsCapacity = 1 << 20;
constexpr size_t kLibraryLineCapacity = 128;
constexpr size_t kAltStackBytes = 256 * 1024;
// The environment handed to the box, as it was when its command was set.
constexpr size_t kEnvironmentCapacity = 4096;
// A box's process whose program could not be started ends so; the crash then ends at once.
constexpr int kBoxNotStarted = 127;

struct State {
  bool installed = false;
  struct sigaction previous[kSignalCount];
  struct sigaction previousThreadSignal;
  int folderFd = -1;
  char reportPath[CrashHandler::kPathCapacity + 16] = {};
  char programPath[CrashHandler::kPathCapacity] = {};
  char programVersion[64] = {};
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  int32_t screenBits = 0;
  long utcOffsetSeconds = 0;
  char libraryLines[2][kLibraryLineCapacity] = {};
};

// The box's command line and environment, all of it but the numbers laid out beforehand.
struct BoxCommand {
  char words[CrashHandler::kBoxCommandWords][CrashHandler::kPathCapacity] = {};
  char processId[24] = {};
  char window[24] = {};
  char none[1] = {};
  // The words, then the box word, the process, the window, the saved path and the end.
  char* argv[CrashHandler::kBoxCommandWords + 5] = {};
  size_t count = 0;
  char* environment[kEnvironmentCapacity + 1] = {};
};

State g_state;
BoxCommand g_box;
// The thread reporting a crash, 0 before one.
std::atomic<pid_t> g_crashThread{0};
static_assert(std::atomic<pid_t>::is_always_lock_free, "used from signal handlers");
std::atomic<unsigned long> g_window{0};
volatile sig_atomic_t g_reportSaved = 0;
volatile sig_atomic_t g_fatalSignal = 0;
unsigned g_reportLimit = 10;
// Written only by the handler, which runs once.
char g_report[CrashHandler::kReportCapacity];
size_t g_reportLength = 0;
char g_maps[kMapsCapacity];

void CopyBounded(char* destination, size_t capacity, const char* source) {
  size_t i = 0;
  for (; source != nullptr && source[i] != '\0' && i + 1 < capacity; ++i) destination[i] = source[i];
  destination[i] = '\0';
}

bool WriteAll(int fd, const char* text, size_t length) {
  if (fd < 0) return false;
  while (length > 0) {
    const ssize_t written = write(fd, text, length);
    if (written <= 0) return false;
    text += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

// One report line: into the file, to the standard error stream and into the kept text.
class ReportSink {
public:
  explicit ReportSink(int fd) : fd_(fd), filed_(fd >= 0) {}
  // Whether every line so far reached the file.
  bool Filed() const { return filed_; }
  void Line(const SignalSafeText& line) {
    Emit(line.Text(), line.Length());
    Emit("\r\n", 2);
  }
  void Line(const char* text) {
    SignalSafeText line;
    line.Add(text);
    Line(line);
  }

private:
  void Emit(const char* text, size_t length) {
    filed_ = WriteAll(fd_, text, length) && filed_;
    WriteAll(STDERR_FILENO, text, length);
    for (size_t i = 0; i < length && g_reportLength + 1 < CrashHandler::kReportCapacity; ++i)
      g_report[g_reportLength++] = text[i];
    g_report[g_reportLength] = '\0';
  }
  int fd_;
  bool filed_;
};

const char* SignalName(int signal) {
  switch (signal) {
    case SIGSEGV: return "SIGSEGV (invalid memory access)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGFPE: return "SIGFPE (arithmetic fault)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGABRT: return "SIGABRT (aborted)";
    case SIGTRAP: return "SIGTRAP (trap)";
    case SIGSYS: return "SIGSYS (bad system call)";
    default: return "unknown signal";
  }
}

// Opens "Error.txt" for appending, first moving a file grown above the limit aside. Without
// blocking: a FIFO in its place must not hang the crashing program. A name that is a second
// hard link to some other file is dropped from the folder (the file itself stays as it is) and
// a file of the report's own takes its place, so the report never lands in another file.
int OpenReportFile() {
  if (g_state.folderFd < 0) return -1;
  const int flags = O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  int fd = openat(g_state.folderFd, "Error.txt", flags, 0600);
  if (fd < 0) return -1;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return -1;
  }
  if (info.st_nlink > 1) {
    close(fd);
    if (unlinkat(g_state.folderFd, "Error.txt", 0) != 0) return -1;
    return openat(g_state.folderFd, "Error.txt", flags | O_EXCL, 0600);
  }
  if (info.st_size > CrashHandler::kRotateBytes) {
    close(fd);
    renameat(g_state.folderFd, "Error.txt", g_state.folderFd, "Error.old.txt");
    fd = openat(g_state.folderFd, "Error.txt", flags | O_EXCL, 0600);
  }
  return fd;
}

size_t ReadMaps() {
  const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  size_t length = 0;
  while (length < kMapsCapacity) {
    const ssize_t got = read(fd, g_maps + length, kMapsCapacity - length);
    if (got <= 0) break;
    length += static_cast<size_t>(got);
  }
  close(fd);
  return length;
}

void AddLocation(SignalSafeText& line, uint64_t address, size_t mapsLength) {
  ModuleLocation location;
  if (!FindModuleInMaps(g_maps, mapsLength, address, location)) location = ModuleLocation();
  line.Hex(location.section, 2).Add(':').Hex(location.offset, 16).Add(' ').Add(location.path);
}

// Civil date from days since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

void WriteDate(ReportSink& sink) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const int64_t local = static_cast<int64_t>(now.tv_sec) + g_state.utcOffsetSeconds;
  int64_t days = local / 86400;
  int64_t seconds = local % 86400;
  if (seconds < 0) {
    seconds += 86400;
    days -= 1;
  }
  int64_t year, month, day;
  CivilFromDays(days, year, month, day);
  SignalSafeText line;
  line.Add("Date: ").Dec(year, 4).Dec(month, 2).Dec(day, 2).Add(' ');
  line.Dec(seconds / 3600, 2).Add(':').Dec(seconds / 60 % 60, 2).Add(':').Dec(seconds % 60, 2);
  line.Add('.').Dec(now.tv_nsec / 1000000, 3);
  sink.Line(line);
}

void WriteRegisters(ReportSink& sink, const ucontext_t* context) {
  sink.Line("");
  sink.Line("Registers:");
#if defined(__x86_64__)
  const greg_t* r = context->uc_mcontext.gregs;
  const struct {
    const char* name;
    int index;
  } general[] = {{"RAX:", REG_RAX}, {"RBX:", REG_RBX}, {"RCX:", REG_RCX}, {"RDX:", REG_RDX},
                 {"RSI:", REG_RSI}, {"RDI:", REG_RDI}, {"R8: ", REG_R8},  {"R9: ", REG_R9},
                 {"R10:", REG_R10}, {"R11:", REG_R11}, {"R12:", REG_R12}, {"R13:", REG_R13},
                 {"R14:", REG_R14}, {"R15:", REG_R15}};
  for (const auto& g : general) {
    SignalSafeText line;
    line.Add(g.name).Hex(static_cast<uint64_t>(r[g.index]), 16);
    sink.Line(line);
  }
  // The selector word packs CS, GS, FS and SS, 16 bits each.
  const uint64_t selectors = static_cast<uint64_t>(r[REG_CSGSFS]);
  SignalSafeText line;
  line.Add("CS:RIP:").Hex(selectors & 0xFFFF, 4).Add(':').Hex(static_cast<uint64_t>(r[REG_RIP]), 16);
  sink.Line(line);
  line.Clear();
  line.Add("SS:RSP:").Hex((selectors >> 48) & 0xFFFF, 4).Add(':');
  line.Hex(static_cast<uint64_t>(r[REG_RSP]), 16).Add("  RBP:").Hex(static_cast<uint64_t>(r[REG_RBP]), 16);
  sink.Line(line);
  line.Clear();
  line.Add("FS:").Hex((selectors >> 32) & 0xFFFF, 4).Add("  GS:").Hex((selectors >> 16) & 0xFFFF, 4);
  sink.Line(line);
  line.Clear();
  line.Add("Flags:").Hex(static_cast<uint64_t>(r[REG_EFL]) & 0xFFFFFFFF, 8);
  sink.Line(line);
#else
  (void)context;
  sink.Line("(registers not recorded on this processor)");
#endif
}

uint64_t FaultInstruction(const ucontext_t* context) {
#if defined(__x86_64__)
  return static_cast<uint64_t>(context->uc_mcontext.gregs[REG_RIP]);
#else
  (void)context;
  return 0;
#endif
}

// Whether the 9 bytes of code at `address` can be read: the kernel answers instead of faulting.
// Where a system call filter refuses the look at memory, a write of those bytes into the empty
// `pipe` answers as well (EFAULT for memory that cannot be read); they are drained after.
bool CodeReadable(uint64_t address, const int pipe[2]) {
  constexpr size_t kCodeBytes = 9;
  char code[kCodeBytes];
  iovec local{code, sizeof code};
  iovec remote{reinterpret_cast<void*>(address), sizeof code};
  const ssize_t got = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
  if (got >= 0 || (errno != EPERM && errno != ENOSYS)) return got == static_cast<ssize_t>(sizeof code);
  if (pipe[1] < 0) return false;
  const bool readable = write(pipe[1], reinterpret_cast<const void*>(address), sizeof code) == static_cast<ssize_t>(sizeof code);
  while (read(pipe[0], code, sizeof code) > 0) {
  }
  return readable;
}

void WriteCallStack(ReportSink& sink, uint64_t faultPc, size_t mapsLength) {
  sink.Line("");
  sink.Line("Call stack:");
  sink.Line("Address           Section:Offset            Module and symbol");
  int pipeFds[2] = {-1, -1};
  const bool havePipe = pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) == 0;
  void* frames[kMaxFrames];
  // Without an unwind table for the faulting instruction the unwinder reads the 9 bytes of code
  // there: after a jump to an address that cannot be read (a stale function pointer) it would
  // fault, and end the report and the box with it.
  const int count = CodeReadable(faultPc, pipeFds) ? backtrace(frames, kMaxFrames) : 0;
  // The handler's own frames come first: start at the faulting instruction when it is found.
  int first = 0;
  for (int i = 0; i < count; ++i) {
    if (reinterpret_cast<uint64_t>(frames[i]) == faultPc) {
      first = i;
      break;
    }
  }
  for (int i = first; i < count; ++i) {
    const uint64_t pc = reinterpret_cast<uint64_t>(frames[i]);
    SignalSafeText line;
    line.Hex(pc, 16).Add("  ");
    AddLocation(line, pc, mapsLength);
    if (havePipe) {
      backtrace_symbols_fd(&frames[i], 1, pipeFds[1]);
      char symbol[512];
      const ssize_t got = read(pipeFds[0], symbol, sizeof symbol);
      if (got > 0) {
        size_t length = static_cast<size_t>(got);
        while (length > 0 && (symbol[length - 1] == '\n' || symbol[length - 1] == '\r')) --length;
        line.Add("  ").Add(symbol, length);
      }
      // Whatever did not fit in one read is drained so the next frame starts clean.
      while (read(pipeFds[0], symbol, sizeof symbol) > 0) {
      }
    }
    sink.Line(line);
  }
  if (havePipe) {
    close(pipeFds[0]);
    close(pipeFds[1]);
  }
  sink.Line("");
}

void WriteReport(int signal, const siginfo_t* info, const ucontext_t* context) {
  const int fd = OpenReportFile();
  ReportSink sink(fd);
  const size_t mapsLength = ReadMaps();
  const uint64_t faultPc = FaultInstruction(context);

  sink.Line("=====================================================");
  SignalSafeText line;
  line.Add("Exception code: ").Hex(static_cast<uint32_t>(signal), 8).Add(' ').Add(SignalName(signal));
  // A sent signal carries its sender where a fault carries its address. The kernel's own faults
  // (SI_KERNEL: a non-canonical address, say) carry neither, and their 0 is no address.
  if (info->si_code == SI_USER || info->si_code == SI_QUEUE || info->si_code == SI_TKILL) {
    line.Add(" sent by pid ").Dec(info->si_pid);
  } else if (info->si_code > 0 && info->si_code != SI_KERNEL && (signal == SIGSEGV || signal == SIGBUS)) {
    line.Add(" at ").Hex(reinterpret_cast<uint64_t>(info->si_addr), 16);
  }
  sink.Line(line);
  line.Clear();
  line.Add("Fault address:  ").Hex(faultPc, 16).Add(' ');
  AddLocation(line, faultPc, mapsLength);
  sink.Line(line);
  WriteDate(sink);
  WriteRegisters(sink, context);
  WriteCallStack(sink, faultPc, mapsLength);

  utsname system;
  if (uname(&system) == 0) {
    line.Clear();
    line.Add(system.sysname).Add(" v.").Add(system.release).Add(' ').Add(system.version);
    line.Add(' ').Add(system.machine);
    sink.Line(line);
  }
  if (g_state.screenWidth > 0) {
    line.Clear();
    line.Add("Screen: ").Dec(g_state.screenWidth).Add(" X ").Dec(g_state.screenHeight);
    line.Add(" Bits: ").Dec(g_state.screenBits);
    sink.Line(line);
  }
  for (const char* library : g_state.libraryLines) {
    if (library[0] != '\0') sink.Line(library);
  }
  sink.Line("");
  if (g_state.programPath[0] != '\0') {
    line.Clear();
    line.Add(g_state.programPath);
    if (g_state.programVersion[0] != '\0') line.Add(' ').Add(g_state.programVersion);
    sink.Line(line);
  }
  line.Clear();
  line.Add("Build Date: ").Add(__DATE__).Add(' ').Add(__TIME__);
  sink.Line(line);
  if (fd >= 0) {
    g_reportSaved = fsync(fd) == 0 && sink.Filed();
    close(fd);
  }
}

pid_t ThreadId() { return static_cast<pid_t>(syscall(SYS_gettid)); }

[[noreturn]] void EndBy(int signal) {
  ::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  _exit(128 + signal);
}

// A thread that must not go on (it faulted while another reports, or is stopped for the crash)
// waits here for the process's end, never returning into its code.
[[noreturn]] void Park() {
  sigset_t all;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, nullptr);
  for (;;) sigsuspend(&all);
}

// The report and the box's start may block on a lock the faulting code held (the loader's, in a
// symbol lookup): the alarm still ends the process by its fault.
void OnReportTimeout(int) { EndBy(g_fatalSignal); }


// Sent to the process's other threads during a crash, the first real-time signal the C library
// leaves free: every thread but this one stops (but those that block it, as a graphics driver's
// workers do).
void SignalOtherThreads(pid_t self) {
  const pid_t process = getpid();
  const int tasks = open("/proc/self/task", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  char entries[4096];
  ssize_t got = 0;
  while (tasks >= 0 && (got = getdents64(tasks, entries, sizeof entries)) > 0) {
    for (ssize_t at = 0; at < got;) {
      const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
      at += entry->d_reclen;
      pid_t thread = 0;
      for (const char* digit = entry->d_name; *digit >= '0' && *digit <= '9'; ++digit)
        thread = thread * 10 + (*digit - '0');
      if (thread > 0 && thread != self) syscall(SYS_tgkill, process, thread, SIGRTMIN);
    }
  }
  if (tasks >= 0) close(tasks);
}

void OnThreadSignal(int, siginfo_t*, void*) {
  // Without a crash it is someone else's: nothing to do. Nor may it stop the crashing thread
  // itself (a library's timer may send the same signal), which would then never start the box.
  const pid_t crashing = g_crashThread.load();
  if (crashing != 0 && crashing != ThreadId()) Park();
}

void CopyText(char* destination, size_t capacity, const SignalSafeText& text) {
  CopyBounded(destination, capacity, text.Text());
}

// The box's child runs on a stack of its own until its program replaces it.
alignas(16) char g_boxStack[64 * 1024];
int g_boxInput = -1;

// The kernel's form of a signal's action, for the calls below.
struct KernelAction {
  void* handler;
  unsigned long flags;
  void* restorer;
  uint64_t mask;
};

// In the child, which shares this process's memory until execve: system calls only, no wrapper
// that a sanitizer's or the C library's bookkeeping might run in this process's name.
int RunBox(void*) {
  KernelAction fallback{};
  for (int signal = 1; signal < NSIG; ++signal) {
    KernelAction now{};
    if (syscall(SYS_rt_sigaction, signal, nullptr, &now, sizeof now.mask) == 0 && now.handler != SIG_DFL &&
        now.handler != SIG_IGN)
      syscall(SYS_rt_sigaction, signal, &fallback, nullptr, sizeof fallback.mask);
  }
  if (g_boxInput != STDIN_FILENO) syscall(SYS_dup2, g_boxInput, STDIN_FILENO);
  else syscall(SYS_fcntl, STDIN_FILENO, F_SETFD, 0);
  // The crashing thread may have blocked everything; the box starts with nothing blocked.
  const uint64_t none = 0;
  syscall(SYS_rt_sigprocmask, SIG_SETMASK, &none, nullptr, sizeof none);
  syscall(SYS_execve, g_box.argv[0], g_box.argv, g_box.environment);
  syscall(SYS_exit_group, kBoxNotStarted);
  return kBoxNotStarted;
}

// Starts the box's process with the report on its standard input; its id, or -1. As vfork does,
// taking no lock of the allocator's as fork does, and with nothing allocated.
pid_t StartBox() {
  if (g_box.count == 0) return -1;
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return -1;
  // A report fits a pipe's usual room. One that a user's pipe limit keeps small takes the head
  // of it, which is what the box shows; the rest must not hold the crash up.
  fcntl(report[1], F_SETFL, O_NONBLOCK);
  WriteAll(report[1], g_report, g_reportLength);
  close(report[1]);
  g_boxInput = report[0];
  SignalSafeText number;
  number.Dec(getpid());
  CopyText(g_box.processId, sizeof g_box.processId, number);
  number.Clear();
  number.Hex(g_window.load(), 1);
  CopyText(g_box.window, sizeof g_box.window, number);
  g_box.argv[g_box.count + 3] = g_reportSaved ? g_state.reportPath : g_box.none;
  // No signal may run this process's handlers in the child before its own are set back.
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &before);
  const pid_t box = clone(RunBox, g_boxStack + sizeof g_boxStack, CLONE_VM | CLONE_VFORK | SIGCHLD, nullptr);
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  close(report[0]);
  return box;
}

void OnFatalSignal(int signal, siginfo_t* info, void* context) {
  const pid_t self = ThreadId();
  pid_t first = 0;
  if (!g_crashThread.compare_exchange_strong(first, self)) {
    // A fault of the crash's own path ends at once: it cannot be trusted to go on.
    if (first == self) EndBy(signal);
    // Another thread's fault waits, so that the first crash's report is whole and its box comes.
    Park();
  }
  g_fatalSignal = signal;
  ArmEndingAlarm(OnReportTimeout, g_reportLimit);
  WriteReport(signal, info, static_cast<const ucontext_t*>(context));
  SignalOtherThreads(self);
  const pid_t box = StartBox();
  alarm(0);
  // The box stays until its OK; a box that cannot show (no display) ends at once.
  int status = 0;
  while (box > 0 && waitpid(box, &status, 0) < 0 && errno == EINTR) {
  }
  EndBy(signal);
}

void PrepareLibraryLines() {
  SDL_version sdl;
  SDL_GetVersion(&sdl);
  SignalSafeText line;
  line.Add("libSDL2 v.").Dec(sdl.major).Add('.').Dec(sdl.minor).Add('.').Dec(sdl.patch);
  CopyBounded(g_state.libraryLines[0], kLibraryLineCapacity, line.Text());
  line.Clear();
  line.Add("libxmp v.").Add(xmp_version);
  CopyBounded(g_state.libraryLines[1], kLibraryLineCapacity, line.Text());
}

}  // namespace

void CrashHandler::Install() {
  if (g_state.installed) return;
  // The program's end puts the previous handlers back, as it found them.
  static const bool restoredAtExit = std::atexit(Uninstall) == 0;
  (void)restoredAtExit;
  // backtrace loads its unwinder on first use, which allocates: do that now, not in the handler.
  void* warmUp[2];
  backtrace(warmUp, 2);
  const time_t now = time(nullptr);
  tm local{};
  if (localtime_r(&now, &local) != nullptr) g_state.utcOffsetSeconds = local.tm_gmtoff;
  PrepareLibraryLines();
  PrepareThread();

  // The handler stays for every fault: a second thread's fault during a crash must reach it to
  // wait, not end the process by the default action. A fault inside the handler reaches it too.
  struct sigaction action{};
  action.sa_sigaction = OnFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &action, &g_state.previous[i]);
  action.sa_sigaction = OnThreadSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
  sigaction(SIGRTMIN, &action, &g_state.previousThreadSignal);
  g_state.installed = true;
}

void CrashHandler::Uninstall() {
  if (!g_state.installed) return;
  for (size_t i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &g_state.previous[i], nullptr);
  sigaction(SIGRTMIN, &g_state.previousThreadSignal, nullptr);
  g_state.installed = false;
}

namespace {

// A thread's alternate stack, freed at the thread's end.
struct ThreadStack {
  void* memory = nullptr;
  ~ThreadStack() {
    if (memory == nullptr) return;
    // Only while it is still this thread's (a sanitizer's end of thread may have taken and freed
    // it already) and no handler runs on it.
    stack_t now;
    if (sigaltstack(nullptr, &now) != 0 || now.ss_sp != memory || (now.ss_flags & SS_ONSTACK) != 0) return;
    stack_t off{};
    off.ss_flags = SS_DISABLE;
    if (sigaltstack(&off, nullptr) == 0) munmap(memory, kAltStackBytes);
  }
};
thread_local ThreadStack t_stack;

}  // namespace

void CrashHandler::PrepareThread() {
  if (t_stack.memory != nullptr) return;
  void* memory = mmap(nullptr, kAltStackBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
  if (memory == MAP_FAILED) return;
  stack_t stack{};
  stack.ss_sp = memory;
  stack.ss_size = kAltStackBytes;
  if (sigaltstack(&stack, nullptr) != 0) {
    munmap(memory, kAltStackBytes);
    return;
  }
  t_stack.memory = memory;
}

bool CrashHandler::SetReportFolder(const char* folder) {
  if (folder == nullptr) return false;
  const size_t length = std::strlen(folder);
  if (length == 0 || length >= kPathCapacity - 1) return false;
  const int fd = open(folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || info.st_uid != geteuid() || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    close(fd);
    return false;
  }
  const int previous = g_state.folderFd;
  g_state.folderFd = fd;
  if (previous >= 0) close(previous);
  const bool slash = folder[length - 1] == '/';
  CopyBounded(g_state.reportPath, sizeof g_state.reportPath, folder);
  std::strcat(g_state.reportPath, slash ? "Error.txt" : "/Error.txt");
  return true;
}

const char* CrashHandler::ReportPath() { return g_state.reportPath; }

void CrashHandler::SetProgram(const char* path, const char* version) {
  CopyBounded(g_state.programPath, sizeof g_state.programPath, path);
  CopyBounded(g_state.programVersion, sizeof g_state.programVersion, version);
}

void CrashHandler::SetScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
  g_state.screenWidth = width;
  g_state.screenHeight = height;
  g_state.screenBits = bitsPerPixel;
}

void CrashHandler::SetWindow(unsigned long xWindow) { g_window.store(xWindow); }

bool CrashHandler::SetBoxCommand(const char* const* words, size_t count) {
  g_box.count = 0;
  if (count == 0 || count > kBoxCommandWords) return false;
  for (size_t i = 0; i < count; ++i) {
    if (words[i] == nullptr || std::strlen(words[i]) >= kPathCapacity) return false;
    CopyBounded(g_box.words[i], kPathCapacity, words[i]);
    g_box.argv[i] = g_box.words[i];
  }
  g_box.argv[count] = const_cast<char*>(kBoxWord);
  g_box.argv[count + 1] = g_box.processId;
  g_box.argv[count + 2] = g_box.window;
  g_box.argv[count + 4] = nullptr;
  // The strings stay: the C library never frees an environment string.
  size_t entries = 0;
  for (; environ != nullptr && environ[entries] != nullptr && entries < kEnvironmentCapacity; ++entries)
    g_box.environment[entries] = environ[entries];
  g_box.environment[entries] = nullptr;
  g_box.count = count;
  return true;
}

bool CrashHandler::SetBoxCommandToThisProgram() {
  char path[kPathCapacity];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return false;
  path[length] = '\0';
  const char* words[] = {path};
  return SetBoxCommand(words, 1);
}

void CrashHandler::SetReportLimit(unsigned seconds) { g_reportLimit = seconds; }

bool CrashHandler::InCrash() { return g_crashThread.load() != 0; }

bool CrashHandler::ReportSaved() { return g_reportSaved != 0; }
