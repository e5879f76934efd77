// The browser process's proxy: a loopback port of this process, the only place the browser's own
// network requests can go. It serves the answers of calls that are held for the page to fetch,
// since bytes over a socket cost the browser far less than the same bytes in a debugging
// message, and refuses everything else, so that a request that escapes interception still
// reaches nothing. An answer is served once, to whoever names its ticket, which is random so
// that nothing else on the machine can guess it.
//
// Owned by the connection to the browser process (host/browser/devtools_connection.h), made
// before the process starts; its thread serves until it goes.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace PendrelBrowser {

// The loopback address the proxy listens on: one of its own, so that the browser's launch flags
// can let it reach this address alone while every other one, 127.0.0.1 included, resolves
// nowhere.
inline constexpr char kProxyAddress[] = "127.84.0.1";

class AnswerProxy {
 public:
  // Listening on kProxyAddress; null when no port can be had there.
  static std::unique_ptr<AnswerProxy> Open();
  ~AnswerProxy();
  AnswerProxy(const AnswerProxy&) = delete;
  AnswerProxy& operator=(const AnswerProxy&) = delete;

  int Port() const { return m_port; }
  // Keeps `answer` (UTF-8 text) until it is fetched from kHeldAnswerPrefix + the ticket.
  std::string Hold(std::string answer);

 private:
  struct Client;
  AnswerProxy(int listenFd, int port, int wakeRead, int wakeWrite);
  void Serve();
  // Answers the requests complete in the client's bytes; false when it is to be closed.
  bool AnswerRequests(Client* client);
  std::optional<std::string> TakeAnswer(const std::string& url);

  int m_listenFd;
  int m_port;
  int m_wakeRead;
  int m_wakeWrite;
  std::mutex m_mutex;
  std::map<std::string, std::string> m_held;  // by ticket
  std::thread m_thread;
};

}  // namespace PendrelBrowser
