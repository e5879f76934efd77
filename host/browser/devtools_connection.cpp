#include "host/browser/devtools_connection.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <vector>
#include <nlohmann/json.hpp>

#include "host/browser/browser_launch.h"
#include "host/browser/devtools_text.h"
#include "platform/win32/message_queue.h"

namespace PendrelBrowser {

using nlohmann::json;

struct DevtoolsConnection::Pending {
  std::atomic<bool> done{false};
  DWORD waiter = 0;
  DevtoolsAnswer answer;
};

namespace {

struct SharedSlot {
  std::mutex mutex;
  std::shared_ptr<DevtoolsConnection> connection;
};

SharedSlot& TheSlot() {
  // Lives to the end of the process, so the browser is killed when the process ends.
  static SharedSlot slot;
  return slot;
}

std::string MakeProfileFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pendrel-browser-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return "";
  return pattern;
}

constexpr int kPipeBytes = 1 << 20;

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= size_t(written);
  }
  return true;
}

// Runs in the child between fork and exec: only calls that are safe there.
[[noreturn]] void ExecBrowser(const std::vector<char*>& argv, int commandFd, int answerFd) {
  // Dies with the thread that started it (the pipe reader, which lives as long as the browser).
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  // Its own process group, so that killing the group ends every process it started.
  setpgid(0, 0);
  // Moved out of the way first, so that neither lands on the other's number or keeps its
  // close-on-exec flag by being duplicated onto itself.
  const int commands = fcntl(commandFd, F_DUPFD, 10);
  const int answers = fcntl(answerFd, F_DUPFD, 10);
  dup2(commands, 3);
  dup2(answers, 4);
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, 0);
    dup2(devNull, 1);
    dup2(devNull, 2);
  }
  for (int fd = 5; fd < 1024; ++fd) close(fd);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

std::shared_ptr<DevtoolsConnection> DevtoolsConnection::Shared(std::string* error) {
  SharedSlot& slot = TheSlot();
  std::lock_guard lock(slot.mutex);
  if (slot.connection && slot.connection->Alive()) return slot.connection;
  std::shared_ptr<DevtoolsConnection> connection(new DevtoolsConnection);
  if (!connection->Start(error)) return nullptr;
  slot.connection = connection;
  return connection;
}

int DevtoolsConnection::SharedProcessId() {
  SharedSlot& slot = TheSlot();
  std::lock_guard lock(slot.mutex);
  return slot.connection && slot.connection->Alive() ? slot.connection->ProcessId() : 0;
}

bool DevtoolsConnection::Start(std::string* error) {
  const std::string binary = BrowserBinary();
  if (binary.empty()) {
    if (error) *error = "no browser found: install chromium-headless-shell or set PENDREL_BROWSER";
    return false;
  }
  // A browser that dies while a command is written must not end the host.
  signal(SIGPIPE, SIG_IGN);
  m_proxy = AnswerProxy::Open();
  if (!m_proxy) {
    if (error) *error = "cannot open a loopback port for the browser's proxy";
    return false;
  }
  m_profile = MakeProfileFolder();
  int commands[2], answers[2];
  if (m_profile.empty() || pipe2(commands, O_CLOEXEC) != 0) {
    if (error) *error = "cannot make the browser's profile folder or pipe";
    return false;
  }
  if (pipe2(answers, O_CLOEXEC) != 0) {
    close(commands[0]);
    close(commands[1]);
    if (error) *error = "cannot make the browser's pipe";
    return false;
  }
  // Room for a large message in one write, so that the two processes do not take turns
  // through it a page at a time (the kernel may give less; that only costs speed).
  for (const int fd : {commands[1], answers[0]}) fcntl(fd, F_SETPIPE_SZ, kPipeBytes);
  const std::vector<std::string> line = BrowserCommandLine(binary, m_profile, m_proxy->Port());
  std::promise<int> started;
  std::future<int> pid = started.get_future();
  // The reader thread starts the process, so that the process dies with the thread that reads it.
  m_reader = std::thread([this, line, commands, answers, &started] {
    std::vector<char*> argv;
    for (const std::string& word : line) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) ExecBrowser(argv, commands[0], answers[1]);
    close(commands[0]);
    close(answers[1]);
    m_pid = child;
    started.set_value(child);
    if (child < 0) {
      close(answers[0]);
      return;
    }
    ReadLoop(answers[0]);
  });
  const int child = pid.get();
  m_writeFd = commands[1];
  if (child <= 0) {
    m_reader.join();
    close(m_writeFd);
    if (error) *error = "cannot start " + binary;
    return false;
  }
  m_alive = true;
  return true;
}

DevtoolsConnection::~DevtoolsConnection() {
  KillProcess();
  // The last page may let go of a dead connection on its reader thread, which then just ends.
  if (m_reader.joinable()) {
    if (m_reader.get_id() == std::this_thread::get_id()) {
      m_reader.detach();
    } else {
      m_reader.join();
    }
  }
  if (m_writeFd >= 0) close(m_writeFd);
  if (!m_profile.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(m_profile, ignored);
  }
}

void DevtoolsConnection::KillProcess() {
  const int pid = m_pid.exchange(0);
  if (pid <= 0) return;
  kill(-pid, SIGKILL);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool DevtoolsConnection::ProcessEnded() {
  const int pid = m_pid;
  if (pid <= 0) return true;
  if (waitpid(pid, nullptr, WNOHANG) != pid) return false;
  // The processes it started may keep the pipe open: they go with it.
  kill(-pid, SIGKILL);
  m_pid = 0;
  return true;
}

void DevtoolsConnection::ReadLoop(int readFd) {
  std::string buffer;
  std::vector<char> chunk(kPipeBytes);
  for (;;) {
    pollfd readable{readFd, POLLIN, 0};
    if (poll(&readable, 1, 100) == 0) {
      if (ProcessEnded()) break;
      continue;
    }
    const ssize_t got = read(readFd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    // Only the new bytes can end a message.
    size_t searchFrom = buffer.size();
    buffer.append(chunk.data(), size_t(got));
    size_t start = 0;
    for (size_t end; (end = buffer.find('\0', searchFrom)) != std::string::npos; start = end + 1) {
      Route(buffer.substr(start, end - start));
      searchFrom = end + 1;
    }
    buffer.erase(0, start);
  }
  close(readFd);
  Fail();
}

void DevtoolsConnection::Route(const std::string& text) {
  json message = json::parse(text, nullptr, false);
  if (message.is_discarded()) message = json::parse(WellFormedProtocolText(text), nullptr, false);
  if (!message.is_object()) return;
  if (auto id = message.find("id"); id != message.end() && id->is_number_integer()) {
    std::shared_ptr<Pending> pending;
    {
      std::lock_guard lock(m_mutex);
      auto it = m_pending.find(id->get<int>());
      if (it == m_pending.end()) return;
      pending = it->second;
    }
    if (auto error = message.find("error"); error != message.end()) {
      pending->answer.error = error->value("message", std::string("protocol error"));
    } else {
      pending->answer.ok = true;
      pending->answer.result = std::make_shared<const json>(message.value("result", json::object()));
    }
    pending->done = true;
    win32::WakeThread(pending->waiter);
    return;
  }
  const std::string session = message.value("sessionId", std::string());
  std::shared_ptr<EventListener> listener;
  {
    std::lock_guard lock(m_mutex);
    auto it = m_listeners.find(session);
    if (it != m_listeners.end()) listener = it->second;
  }
  if (listener) (*listener)(message);
}

void DevtoolsConnection::Fail() {
  m_alive = false;
  std::map<int, std::shared_ptr<Pending>> pending;
  std::map<std::string, std::shared_ptr<EventListener>> listeners;
  {
    std::lock_guard lock(m_mutex);
    pending = m_pending;
    listeners = m_listeners;
  }
  for (auto& [id, waiting] : pending) {
    waiting->answer.error = "the browser process is gone";
    waiting->done = true;
    win32::WakeThread(waiting->waiter);
  }
  // Listeners learn of the end through a message of our own.
  const json gone = {{"method", "Pendrel.browserGone"}};
  for (auto& [session, listener] : listeners) (*listener)(gone);
}

int DevtoolsConnection::Send(const std::string& method, const json& params,
                             const std::string& session, bool awaited) {
  if (!m_alive) return 0;
  json message = {{"method", method}, {"params", params}};
  if (!session.empty()) message["sessionId"] = session;
  int id;
  {
    std::lock_guard lock(m_mutex);
    id = m_nextId++;
    if (awaited) {
      auto pending = std::make_shared<Pending>();
      pending->waiter = GetCurrentThreadId();
      m_pending[id] = pending;
    }
  }
  message["id"] = id;
  const std::string text = message.dump(-1, ' ', false, json::error_handler_t::replace);
  std::lock_guard lock(m_writeMutex);
  if (!WriteAll(m_writeFd, text.c_str(), text.size() + 1)) {
    std::lock_guard pendingLock(m_mutex);
    m_pending.erase(id);
    return 0;
  }
  return id;
}

DevtoolsAnswer DevtoolsConnection::Await(int id, DWORD timeoutMs) {
  std::shared_ptr<Pending> pending;
  {
    std::lock_guard lock(m_mutex);
    auto it = m_pending.find(id);
    if (it == m_pending.end()) return {false, "the browser process is gone", nullptr};
    pending = it->second;
    pending->waiter = GetCurrentThreadId();
  }
  const bool answered = win32::WaitDispatchingSentMessages(
      [&] { return pending->done.load() || !m_alive; }, timeoutMs);
  {
    std::lock_guard lock(m_mutex);
    m_pending.erase(id);
  }
  if (pending->done) return pending->answer;
  return {false, answered ? "the browser process is gone" : "no answer in time", nullptr};
}

DevtoolsAnswer DevtoolsConnection::Call(const std::string& method, const json& params,
                                        const std::string& session, DWORD timeoutMs) {
  const int id = Send(method, params, session);
  if (id == 0) return {false, "the browser process is gone", nullptr};
  return Await(id, timeoutMs);
}

void DevtoolsConnection::Listen(const std::string& session, EventListener listener) {
  std::lock_guard lock(m_mutex);
  m_listeners[session] = std::make_shared<EventListener>(std::move(listener));
}

void DevtoolsConnection::StopListening(const std::string& session) {
  std::lock_guard lock(m_mutex);
  m_listeners.erase(session);
}

}  // namespace PendrelBrowser
