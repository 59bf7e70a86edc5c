#include "platform/CrashHandler.h"

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"

// Set only in a crash child: the report file's write of the line naming the signal fails, never
// returns, or takes the handler's real-time signal first (as a library's timer may send it), once.
// Every other write, and every write of the test program itself, goes
// straight to the system.
enum class ExceptionLineWrite { Passes, Lost, Hung, Signalled };
static ExceptionLineWrite exceptionLineWrite = ExceptionLineWrite::Passes;

extern "C" ssize_t write(int fd, const void* data, size_t size) {
  if (exceptionLineWrite != ExceptionLineWrite::Passes && fd != STDERR_FILENO && size > 15 &&
      std::memcmp(data, "Exception code:", 15) == 0) {
    if (exceptionLineWrite == ExceptionLineWrite::Hung)
      for (;;) pause();
    const bool lost = exceptionLineWrite == ExceptionLineWrite::Lost;
    exceptionLineWrite = ExceptionLineWrite::Passes;
    if (lost) {
      errno = EIO;
      return -1;
    }
    syscall(SYS_tgkill, getpid(), syscall(SYS_gettid), SIGRTMIN);
  }
  return static_cast<ssize_t>(syscall(SYS_write, fd, data, size));
}

// The C library's own allocator, past the sanitizer's, which would catch a double free first.
extern "C" void* __libc_malloc(size_t size);
extern "C" void __libc_free(void* memory);

namespace {

// Counts while the process lives, as the audio mixer's thread plays.
std::atomic<uint64_t> g_busyCount{0};
void* CountForever(void*) {
  for (;;) g_busyCount.fetch_add(1);
}

enum class Fault {
  Raise, Killed, Queued, ReadOnlyWrite, Read, Write, Jump, Abort, OtherThread, DeafMainThread, LostLine, HungLine, SignalledLine,
  DoubleFree, OtherThreadDoubleFree, TwoThreads, Overflow, Sandboxed
};
pid_t lastChild = 0;

// A store into a read-only page: a genuine fault that the sanitizers let through to the handler.
void WriteToReadOnlyPage() {
  void* page = mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (page == MAP_FAILED) _exit(92);
  *static_cast<volatile int*>(page) = 1;
}

// A load or store at `at` with no sanitizer check before it, so that the fault itself reaches the
// handler.
__attribute__((no_sanitize("address", "undefined"))) void Touch(volatile char* at, bool store) {
  if (store) {
    *at = 1;
  } else {
    (void)*at;
  }
}

__attribute__((no_sanitize("address", "undefined"))) void CallAt(volatile char* at) {
  reinterpret_cast<void (*)()>(const_cast<char*>(at))();
}

// Freed twice where the C library's allocator catches it and aborts, inside free with its
// arena's lock held: the size passes by the per-thread cache, the second block keeps the first
// from the top of the heap.
void FreeTwice() {
  void* memory = __libc_malloc(4096);
  void* const after = __libc_malloc(16);
  __libc_free(memory);
  __libc_free(memory);
  __libc_free(after);
}

// Deeper than any thread's stack.
volatile int g_deepest = 1 << 30;
__attribute__((no_sanitize("address", "undefined"))) int Recurse(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  return depth < g_deepest ? Recurse(depth + 1) + frame[0] : frame[0];
}

std::atomic<bool> g_faultNow{false};
void* StoreThroughNullWhenTold(void*) {
  while (!g_faultNow.load()) usleep(1000);
  Touch(nullptr, true);
  return nullptr;
}

// Faults while the other thread's crash is being reported.
void* StoreThroughNullDuringTheCrash(void*) {
  while (!CrashHandler::InCrash()) {
  }
  Touch(nullptr, true);
  return nullptr;
}

void* FreeTwiceWhenTold(void*) {
  while (!g_faultNow.load()) usleep(1000);
  FreeTwice();
  return nullptr;
}

// As the audio device's thread, which comes with no alternate stack: it gets one, then overflows.
void* OverflowWhenTold(void*) {
  stack_t none{};
  none.ss_flags = SS_DISABLE;
  sigaltstack(&none, nullptr);
  CrashHandler::PrepareThread();
  while (!g_faultNow.load()) usleep(1000);
  return reinterpret_cast<void*>(static_cast<intptr_t>(Recurse(0)));
}

// As a sandbox may: the look at another process's memory (here its own) is refused.
void RefuseProcessVmReadv() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_process_vm_readv, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) _exit(94);
}

// The box's command: a shell that keeps the signals it starts with blocked (bash, which keeps the
// mask it is given), the report it is given, its words (box word, process, window, saved path)
// and the states of the crashed process's threads meanwhile.
std::vector<std::string> RecordingBox(const std::string& folder) {
  // The mask is read first and by the shell's own commands, before it blocks anything of its own.
  const std::string script = "while read -r key value; do [ \"$key\" = SigBlk: ] && echo \"$value\" > '" + folder +
                             "/blocked.txt'; done < /proc/$$/status; cat > '" + folder +
                             "/box.txt'; printf '%s\\n' \"$0\" \"$1\" \"$2\" \"$3\" > '" + folder +
                             "/args.txt'; sed 's/.*) //' /proc/$1/task/*/stat | cut -c1 | tr -d '\\n' > '" + folder +
                             "/states.txt'";
  return {"/bin/bash", "-c", script};
}

// Sends each real-time signal the handler took to this process, as another program may.
void SendTheHandlersRealTimeSignals() {
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
    struct sigaction action;
    if (sigaction(signal, nullptr, &action) == 0 && (action.sa_flags & SA_SIGINFO) != 0) kill(getpid(), signal);
  }
}

constexpr unsigned long kWindow = 0x2A00007;

// Runs a child that installs the handler with `box` (the recording one when empty), reports into
// `folder` and then faults (Read, Write and Jump at `at`; Killed and Queued by `signal` from this
// process; OtherThread and DeafMainThread by a store through a null pointer on a second thread,
// the latter while the main thread takes no signal; TwoThreads on a second and a third), while
// another thread counts; answers how the child ended.
int CrashChild(const std::string& folder, int signal, Fault fault = Fault::Raise, volatile char* at = nullptr,
               std::vector<std::string> box = {}) {
  if (box.empty()) box = RecordingBox(folder);
  std::vector<const char*> words;
  for (const std::string& word : box) words.push_back(word.c_str());
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    CrashHandler::Install();
    if (!CrashHandler::SetReportFolder(folder.c_str())) _exit(90);
    CrashHandler::SetProgram("/usr/games/quillomar", "v.1.0.0.0");
    CrashHandler::SetScreenMode(800, 600, 32);
    CrashHandler::SetWindow(kWindow);
    if (!CrashHandler::SetBoxCommand(words.data(), words.size())) _exit(95);
    // A report that never ends ends the child soon.
    CrashHandler::SetReportLimit(1);
    pthread_t counter;
    pthread_create(&counter, nullptr, CountForever, nullptr);
    if (fault == Fault::Killed || fault == Fault::Queued) {
      // Tells the parent that the handler is in place, then waits for its signal.
      if (write(ready[1], "r", 1) == 1)
        for (;;) pause();
    } else if (fault == Fault::Read || fault == Fault::Write) {
      Touch(at, fault == Fault::Write);
    } else if (fault == Fault::Jump) {
      CallAt(at);
    } else if (fault == Fault::ReadOnlyWrite) {
      WriteToReadOnlyPage();
    } else if (fault == Fault::Abort) {
      abort();
    } else if (fault == Fault::DoubleFree) {
      FreeTwice();
    } else if (fault == Fault::Sandboxed) {
      RefuseProcessVmReadv();
      Touch(nullptr, true);
    } else if (fault == Fault::OtherThread || fault == Fault::DeafMainThread || fault == Fault::TwoThreads ||
               fault == Fault::OtherThreadDoubleFree || fault == Fault::Overflow) {
      pthread_t thread;
      pthread_t second;
      if (fault == Fault::TwoThreads) pthread_create(&second, nullptr, StoreThroughNullDuringTheCrash, nullptr);
      pthread_create(&thread, nullptr,
                     fault == Fault::OtherThreadDoubleFree ? FreeTwiceWhenTold
                     : fault == Fault::Overflow            ? OverflowWhenTold
                                                           : StoreThroughNullWhenTold,
                     nullptr);
      // With no crash, its own signals from outside change nothing.
      SendTheHandlersRealTimeSignals();
      sigset_t all;
      sigfillset(&all);
      if (fault == Fault::DeafMainThread) pthread_sigmask(SIG_BLOCK, &all, nullptr);
      g_faultNow.store(true);
      pthread_join(thread, nullptr);
    } else {
      exceptionLineWrite = fault == Fault::LostLine   ? ExceptionLineWrite::Lost
                           : fault == Fault::HungLine ? ExceptionLineWrite::Hung
                           : fault == Fault::SignalledLine ? ExceptionLineWrite::Signalled
                                                           : ExceptionLineWrite::Passes;
      raise(signal);
    }
    _exit(91);
  }
  lastChild = child;
  close(ready[1]);
  char byte;
  if ((fault == Fault::Killed || fault == Fault::Queued) && read(ready[0], &byte, 1) == 1)
    fault == Fault::Killed ? kill(child, signal) : sigqueue(child, signal, sigval{});
  close(ready[0]);
  // A child that hangs instead of ending is killed after ten seconds, which fails the test.
  int status = 0;
  for (int i = 0; i < 200 && waitpid(child, &status, WNOHANG) == 0; ++i) usleep(50000);
  if (waitpid(child, &status, WNOHANG) == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  return status;
}

// Whether a child ended by `signal`: not killed as hung, nor ended otherwise.
bool EndedBy(int status, int signal) { return WIFSIGNALED(status) && WTERMSIG(status) == signal; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Index of the first line at or after `from` that starts with `prefix`, or -1.
int Find(const std::vector<std::string>& lines, const std::string& prefix, int from = 0) {
  for (int i = from; i < static_cast<int>(lines.size()); ++i)
    if (lines[i].rfind(prefix, 0) == 0) return i;
  return -1;
}

class CrashHandlerTest : public ::testing::Test {
protected:
  // The line naming the signal in the one report of a child that ends by `signal` after `fault`.
  std::string ExceptionLine(int signal, Fault fault, volatile char* at = nullptr, std::vector<std::string> box = {}) {
    for (const char* name : {"Error.txt", "box.txt", "args.txt", "states.txt", "blocked.txt"}) unlink((folder / name).c_str());
    const int status = CrashChild(folder.Path(), signal, fault, at, std::move(box));
    const auto lines = Lines(ReadAll(folder / "Error.txt"));
    if (!EndedBy(status, signal)) return "ended by status " + std::to_string(status);
    return lines.size() > 1 ? lines[1] : "no report";
  }
  // In memory where the system lets us write there: a disk writing back a fresh build can stall a
  // file call for many seconds (seen on CI), past the report's limit and the wait for the child.
  ScratchFolder folder{access("/dev/shm", W_OK | X_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path()};
};

TEST_F(CrashHandlerTest, ReportHasItsLinesInOrderAndTheProcessEndsBySignal) {
  const int status = CrashChild(folder.Path(), SIGSEGV);
  ASSERT_TRUE(EndedBy(status, SIGSEGV)) << status;

  const std::string report = ReadAll(folder / "Error.txt");
  const auto lines = Lines(report);
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(lines[0], std::string(53, '='));
  // A sent signal names its sender, here the child itself, and no address.
  EXPECT_EQ(lines[1], "Exception code: 0000000B SIGSEGV (invalid memory access) sent by pid " + std::to_string(lastChild));
  EXPECT_EQ(lines[2].rfind("Fault address:  ", 0), 0u);
  ASSERT_EQ(lines[3].rfind("Date: ", 0), 0u);
  EXPECT_EQ(lines[3].size(), std::string("Date: 20261208 23:01:02.345").size());
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "Registers:");
  const int rax = Find(lines, "RAX:");
  const int rip = Find(lines, "CS:RIP:");
  const int flags = Find(lines, "Flags:");
  const int stack = Find(lines, "Call stack:");
  const int screen = Find(lines, "Screen: 800 X 600 Bits: 32");
  const int sdl = Find(lines, "libSDL2 v.");
  const int program = Find(lines, "/usr/games/quillomar v.1.0.0.0");
  const int build = Find(lines, "Build Date: ");
  EXPECT_EQ(rax, 6);
  EXPECT_LT(rax, rip);
  EXPECT_LT(rip, flags);
  EXPECT_LT(flags, stack);
  ASSERT_GT(stack, 0);
  // Frames follow the column heads: an address, then where it lies.
  ASSERT_GT(static_cast<int>(lines.size()), stack + 3);
  EXPECT_EQ(lines[stack + 3].find_first_not_of("0123456789ABCDEF"), 16u) << lines[stack + 3];
  EXPECT_LT(stack, screen);
  EXPECT_LT(screen, sdl);
  EXPECT_LT(sdl, program);
  EXPECT_EQ(build, static_cast<int>(lines.size()) - 1);
  // The box got the same text once the file was written, and its words.
  EXPECT_EQ(ReadAll(folder / "box.txt"), report);
  EXPECT_EQ(ReadAll(folder / "args.txt"),
            std::string(CrashHandler::kBoxWord) + "\n" + std::to_string(lastChild) + "\n2A00007\n" + folder / "Error.txt\n");
  // Sent by another process: by kill, as a shell's kill command, and by sigqueue.
  const std::string sent =
      "Exception code: 0000000B SIGSEGV (invalid memory access) sent by pid " + std::to_string(getpid());
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::Killed), sent);
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::Queued), sent);
}

TEST_F(CrashHandlerTest, TheProgramsEndPutsThePreviousHandlersBack) {
  static struct sigaction before;
  EXPECT_EXIT(
      {
        sigaction(SIGSEGV, nullptr, &before);
        // Runs after the handler's own end of program, which Install registers later.
        atexit([] {
          struct sigaction now;
          sigaction(SIGSEGV, nullptr, &now);
          _exit(now.sa_sigaction == before.sa_sigaction ? 0 : 93);
        });
        CrashHandler::Install();
        exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

// The box comes from a process of its own, whichever thread faulted and whatever lock the fault
// left held (the allocator's, in a double free), with the process's other threads stopped. A
// second thread's fault meanwhile waits; an overflow on a thread given its stack is reported; the
// real-time signal that stops the others does not stop the crashing thread.
TEST_F(CrashHandlerTest, AFaultOnAnyThreadStartsTheBoxWithTheWholeReportAndTheOthersStopped) {
  const struct {
    int signal;
    Fault fault;
  } crashes[] = {{SIGSEGV, Fault::Write},      {SIGSEGV, Fault::OtherThread},          {SIGSEGV, Fault::DeafMainThread},
                 {SIGABRT, Fault::DoubleFree}, {SIGABRT, Fault::OtherThreadDoubleFree}, {SIGSEGV, Fault::TwoThreads},
                 {SIGSEGV, Fault::Overflow},   {SIGSEGV, Fault::SignalledLine}};
  for (const auto& crash : crashes) {
    const int fault = static_cast<int>(crash.fault);
    EXPECT_EQ(ExceptionLine(crash.signal, crash.fault).rfind("Exception code: ", 0), 0u) << fault;
    const std::string report = ReadAll(folder / "Error.txt");
    const auto lines = Lines(report);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(53, '=')), 1) << fault;
    EXPECT_TRUE(!lines.empty() && lines.back().rfind("Build Date: ", 0) == 0) << fault;
    // As much as the handler keeps: all of it but for the overflow's many frames.
    EXPECT_EQ(ReadAll(folder / "box.txt"), report.substr(0, CrashHandler::kReportCapacity - 1)) << fault;
    const std::string states = ReadAll(folder / "states.txt");
    EXPECT_TRUE(!states.empty() && states.find_first_not_of('S') == std::string::npos) << fault << " " << states;
    EXPECT_EQ(ReadAll(folder / "blocked.txt"), "0000000000000000\n") << fault;
  }
}

// Where no box can start, the process ends by its fault at once, its report kept; so does a report
// that never ends, once its time is up.
TEST_F(CrashHandlerTest, WithoutABoxOrWithAReportThatHangsTheProcessStillEndsByItsFault) {
  for (const Fault fault : {Fault::Raise, Fault::OtherThread}) {
    EXPECT_EQ(ExceptionLine(SIGSEGV, fault, nullptr, {folder / "missing"}).rfind("Exception code: 0000000B", 0), 0u);
    EXPECT_NE(ReadAll(folder / "Error.txt").find("Build Date: "), std::string::npos);
  }
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::HungLine), "no report");
  EXPECT_FALSE(ReadAll(folder / "Error.txt").empty());
}

TEST_F(CrashHandlerTest, ReportsAreAppendedAndNamedBySignal) {
  ASSERT_TRUE(EndedBy(CrashChild(folder.Path(), SIGFPE), SIGFPE));
  const int status = CrashChild(folder.Path(), 0, Fault::Abort);
  ASSERT_TRUE(EndedBy(status, SIGABRT));
  const auto lines = Lines(ReadAll(folder / "Error.txt"));
  const int first = Find(lines, std::string(53, '='));
  const int second = Find(lines, std::string(53, '='), first + 1);
  ASSERT_EQ(first, 0);
  ASSERT_GT(second, first);
  EXPECT_EQ(lines[first + 1].rfind("Exception code: 00000008 SIGFPE", 0), 0u);
  EXPECT_EQ(lines[second + 1].rfind("Exception code: 00000006 SIGABRT", 0), 0u);
}

TEST_F(CrashHandlerTest, RealFaultIsReportedWithItsAddress) {
  const int status = CrashChild(folder.Path(), 0, Fault::ReadOnlyWrite);
  ASSERT_TRUE(EndedBy(status, SIGSEGV)) << status;
  const auto lines = Lines(ReadAll(folder / "Error.txt"));
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines[1].rfind("Exception code: 0000000B SIGSEGV (invalid memory access) at ", 0), 0u);
  EXPECT_EQ(lines[1].find("at 0000000000000000"), std::string::npos);
  // The faulting instruction lies in this test program.
  EXPECT_NE(lines[2].find("test_platform"), std::string::npos) << lines[2];
  // A null pointer's store is at 0; a read of a non-canonical address, whose fault the kernel sends
  // without one, shows none.
  const std::string segv = "Exception code: 0000000B SIGSEGV (invalid memory access)";
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::Write, nullptr), segv + " at 0000000000000000");
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::Read, reinterpret_cast<volatile char*>(0x8000000000000000)), segv);
  // A jump to an unmapped address: the report is written whole and reaches the box.
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::Jump, reinterpret_cast<volatile char*>(0x1000)), segv + " at 0000000000001000");
  EXPECT_NE(ReadAll(folder / "box.txt").find("Build Date: "), std::string::npos);
  // Where a sandbox refuses the look at memory the stack walk makes first, the stack is walked all
  // the same.
  EXPECT_EQ(ExceptionLine(SIGSEGV, Fault::Sandboxed), segv + " at 0000000000000000");
  const auto sandboxed = Lines(ReadAll(folder / "Error.txt"));
  const int stack = Find(sandboxed, "Call stack:");
  ASSERT_GT(stack, 0);
  ASSERT_GT(static_cast<int>(sandboxed.size()), stack + 3);
  EXPECT_EQ(sandboxed[stack + 3].find_first_not_of("0123456789ABCDEF"), 16u) << sandboxed[stack + 3];
  // A read of a mapped page wholly past the end of its file.
  const long page = sysconf(_SC_PAGESIZE);
  const int file = open((folder / "short").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_EQ(ftruncate(file, 1), 0);
  char* const mapped = static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ, MAP_SHARED, file, 0));
  close(file);
  ASSERT_NE(mapped, MAP_FAILED);
  char address[17];
  std::snprintf(address, sizeof address, "%016" PRIX64, reinterpret_cast<uint64_t>(mapped + page));
  EXPECT_EQ(ExceptionLine(SIGBUS, Fault::Read, mapped + page),
            "Exception code: 00000007 SIGBUS (bus error) at " + std::string(address));
  munmap(mapped, 2 * page);
}

TEST_F(CrashHandlerTest, LargeReportFileIsRotated) {
  {
    std::ofstream big(folder / "Error.txt", std::ios::binary);
    big << std::string(CrashHandler::kRotateBytes + 1, 'x');
  }
  ASSERT_TRUE(EndedBy(CrashChild(folder.Path(), SIGILL), SIGILL));
  struct stat old;
  ASSERT_EQ(stat((folder / "Error.old.txt").c_str(), &old), 0);
  EXPECT_EQ(old.st_size, CrashHandler::kRotateBytes + 1);
  const std::string fresh = ReadAll(folder / "Error.txt");
  EXPECT_EQ(fresh.rfind(std::string(53, '='), 0), 0u);
  EXPECT_LT(fresh.size(), 100000u);
}

TEST_F(CrashHandlerTest, LinkedReportFileIsNotFollowed) {
  const std::string target = folder / "elsewhere.txt";
  { std::ofstream(target) << "keep"; }
  ASSERT_EQ(symlink(target.c_str(), (folder / "Error.txt").c_str()), 0);
  const int status = CrashChild(folder.Path(), SIGBUS);
  ASSERT_TRUE(EndedBy(status, SIGBUS));
  EXPECT_EQ(ReadAll(target), "keep");
  // The report still reached the box, which learnt that no file took it.
  EXPECT_NE(ReadAll(folder / "box.txt").find("SIGBUS"), std::string::npos);
  const auto unsaved = [] { return std::string(CrashHandler::kBoxWord) + "\n" + std::to_string(lastChild) + "\n2A00007\n\n"; };
  EXPECT_EQ(ReadAll(folder / "args.txt"), unsaved());
  // Nor is a report saved whose file missed a line, though the lines after it reached the file.
  ASSERT_EQ(unlink((folder / "Error.txt").c_str()), 0);
  ASSERT_TRUE(EndedBy(CrashChild(folder.Path(), SIGBUS, Fault::LostLine), SIGBUS));
  EXPECT_NE(ReadAll(folder / "Error.txt").find("Build Date: "), std::string::npos);
  EXPECT_EQ(ReadAll(folder / "args.txt"), unsaved());
}

TEST_F(CrashHandlerTest, AReportFileSharedByAHardLinkIsReplacedByOneOfItsOwn) {
  const std::string other = folder / "elsewhere.txt";
  { std::ofstream(other) << "keep"; }
  ASSERT_EQ(link(other.c_str(), (folder / "Error.txt").c_str()), 0);
  ASSERT_TRUE(EndedBy(CrashChild(folder.Path(), SIGBUS), SIGBUS));
  EXPECT_EQ(ReadAll(other), "keep");
  EXPECT_EQ(ReadAll(folder / "Error.txt").rfind(std::string(53, '='), 0), 0u);
}

TEST_F(CrashHandlerTest, OnlyPrivateFoldersWithBoundedPathsAreAccepted) {
  const std::string shared = folder / "shared";
  ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);
  ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
  EXPECT_FALSE(CrashHandler::SetReportFolder(shared.c_str()));
  const std::string link = folder / "link";
  ASSERT_EQ(symlink(folder.Path().c_str(), link.c_str()), 0);
  EXPECT_FALSE(CrashHandler::SetReportFolder(link.c_str()));
  const std::string tooLong = "/" + std::string(CrashHandler::kPathCapacity + 10, 'a');
  EXPECT_FALSE(CrashHandler::SetReportFolder(tooLong.c_str()));
  EXPECT_FALSE(CrashHandler::SetReportFolder(nullptr));
  EXPECT_FALSE(CrashHandler::SetReportFolder(""));

  ASSERT_TRUE(CrashHandler::SetReportFolder(folder.Path().c_str()));
  EXPECT_EQ(std::string(CrashHandler::ReportPath()), folder / "Error.txt");
  EXPECT_FALSE(CrashHandler::SetReportFolder(shared.c_str()));
  EXPECT_EQ(std::string(CrashHandler::ReportPath()), folder / "Error.txt");
  EXPECT_FALSE(CrashHandler::InCrash());
}

}  // namespace
