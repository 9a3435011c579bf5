#include "shell/qt/guard_process.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

// Set by the build from the install layout; this default is Debian's.
#ifndef KVZ_GUARD_FROM_GAMEDIR
#define KVZ_GUARD_FROM_GAMEDIR "../libexec/kvizarion"
#endif

extern char** environ;

namespace kvz {
namespace {

// posix_spawn's attributes and file actions, freed whatever happens.
struct SpawnSetup {
  SpawnSetup() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSetup() {
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
};

}  // namespace

std::unique_ptr<GuardProcess> GuardProcess::start(const std::string& program, const GuardOrders& orders) {
  int ends[2];
  // Close-on-exec: no other child of the game keeps the game's end open after a crash.
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return nullptr;
  // Above the guard's socket number, so that the move to it always clears close-on-exec.
  const int guardEnd = ::fcntl(ends[1], F_DUPFD_CLOEXEC, kGuardSocketFd + 1);
  ::close(ends[1]);
  if (guardEnd < 0) {
    ::close(ends[0]);
    return nullptr;
  }
  SpawnSetup setup;
  // Default action and no blocked signal, whatever the game has set; a session of its own.
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&setup.attributes, &all);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
  for (int fd = 0; fd <= 2; ++fd) posix_spawn_file_actions_addopen(&setup.actions, fd, "/dev/null", O_RDWR, 0);
  posix_spawn_file_actions_adddup2(&setup.actions, guardEnd, kGuardSocketFd);
  posix_spawn_file_actions_addclosefrom_np(&setup.actions, kGuardSocketFd + 1);
  posix_spawn_file_actions_addchdir_np(&setup.actions, "/");

  std::vector<std::string> arguments = guardArguments(orders);
  arguments.insert(arguments.begin(), std::string(kGuardProgram));
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
  ::close(guardEnd);
  if (error != 0) {
    ::close(ends[0]);
    return nullptr;
  }
  return std::unique_ptr<GuardProcess>(new GuardProcess(pid, ends[0]));
}

GuardProcess::~GuardProcess() {
  ::close(socket_);
  // Collected now if it has ended already; otherwise it outlives the game for a moment and
  // the system collects it.
  ::waitpid(pid_, nullptr, WNOHANG);
}

void GuardProcess::sayRestored() {
  // MSG_NOSIGNAL: a guard that has died must not take the game down with SIGPIPE.
  [[maybe_unused]] const ssize_t sent = ::send(socket_, &kGuardRestoredByte, 1, MSG_NOSIGNAL);
}

std::string guardProgramFor(const std::string& gameDir) {
  namespace fs = std::filesystem;
  const fs::path beside = fs::path(gameDir) / kGuardProgram;
  std::error_code ec;
  if (fs::exists(beside, ec)) return beside.string();
  return (fs::path(gameDir) / KVZ_GUARD_FROM_GAMEDIR / kGuardProgram).lexically_normal().string();
}

}  // namespace kvz
