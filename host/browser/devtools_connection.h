// The one browser process of the host process and the debugging pipe to it. The process starts
// on first use; when it has died, the next use starts a new one. A pipe I/O thread reads the
// process's messages and only routes them: answers to the waiting caller, events to the listener
// of their session (which must not block). The process is killed, with every process it started,
// when the connection goes or the host process ends.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <nlohmann/json_fwd.hpp>

#include "host/browser/answer_proxy.h"
#include "platform/win32/types.h"

namespace PendrelBrowser {

// The answer to one command: the result, or the protocol's error text, or why none came.
struct DevtoolsAnswer {
  bool ok = false;
  std::string error;
  std::shared_ptr<const nlohmann::json> result;
};

class DevtoolsConnection {
 public:
  using EventListener = std::function<void(const nlohmann::json& message)>;

  // The connection of this process, started when there is none or the last one has died; null
  // with `error` set when no browser can be started.
  static std::shared_ptr<DevtoolsConnection> Shared(std::string* error);
  // The process id of the shared connection's browser, 0 when none runs.
  static int SharedProcessId();

  ~DevtoolsConnection();
  DevtoolsConnection(const DevtoolsConnection&) = delete;
  DevtoolsConnection& operator=(const DevtoolsConnection&) = delete;

  bool Alive() const { return m_alive; }
  // Keeps a call's answer for the page to fetch through the browser's proxy: its ticket.
  std::string HoldAnswer(std::string answer) { return m_proxy->Hold(std::move(answer)); }
  int ProcessId() const { return m_pid; }

  // Sends a command and returns its id without waiting; 0 when the connection is gone. Its
  // answer is kept for Await unless `awaited` is false.
  int Send(const std::string& method, const nlohmann::json& params, const std::string& session,
           bool awaited = true);
  // Sends a command and waits for its answer, dispatching sent messages meanwhile.
  DevtoolsAnswer Call(const std::string& method, const nlohmann::json& params,
                      const std::string& session, DWORD timeoutMs);
  // Waits for the answer of a command sent before; forgets it either way.
  DevtoolsAnswer Await(int id, DWORD timeoutMs);

  void Listen(const std::string& session, EventListener listener);
  void StopListening(const std::string& session);

 private:
  struct Pending;
  DevtoolsConnection() = default;
  bool Start(std::string* error);
  void ReadLoop(int readFd);
  void Route(const std::string& text);
  void Fail();
  void KillProcess();
  // Whether the browser process has ended (reaped here, with the rest of its group killed).
  bool ProcessEnded();

  std::atomic<bool> m_alive{false};
  std::atomic<int> m_pid{0};
  int m_writeFd = -1;
  std::string m_profile;
  std::unique_ptr<AnswerProxy> m_proxy;
  std::thread m_reader;
  std::mutex m_writeMutex;
  std::mutex m_mutex;
  int m_nextId = 1;
  std::map<int, std::shared_ptr<Pending>> m_pending;
  std::map<std::string, std::shared_ptr<EventListener>> m_listeners;
};

}  // namespace PendrelBrowser
