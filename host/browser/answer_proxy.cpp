#include "host/browser/answer_proxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

#include "host/browser/page_shim.h"

namespace PendrelBrowser {

namespace {

// A request head larger than this is no request of ours.
constexpr size_t kLargestHead = 64 * 1024;

bool SendAll(int fd, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += size_t(n);
  }
  return true;
}

std::string Response(const char* status, const std::string& body, bool close) {
  std::string head = std::string("HTTP/1.1 ") + status +
                     "\r\nContent-Type: text/plain; charset=utf-8\r\nCache-Control: no-store\r\n"
                     "Access-Control-Allow-Origin: *\r\nContent-Length: " +
                     std::to_string(body.size()) + "\r\n";
  if (close) head += "Connection: close\r\n";
  return head + "\r\n" + body;
}

std::string RandomTicket() {
  static std::mutex mutex;
  static std::random_device source;
  std::lock_guard lock(mutex);
  char text[33];
  for (int i = 0; i < 4; ++i) std::snprintf(text + 8 * i, 9, "%08x", unsigned(source()));
  return text;
}

}  // namespace

struct AnswerProxy::Client {
  int fd;
  std::string bytes;
};

std::unique_ptr<AnswerProxy> AnswerProxy::Open() {
  const int listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd < 0) return nullptr;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  inet_pton(AF_INET, kProxyAddress, &address.sin_addr);
  socklen_t length = sizeof address;
  int wake[2];
  if (bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listenFd, 16) != 0 ||
      getsockname(listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      pipe2(wake, O_CLOEXEC) != 0) {
    close(listenFd);
    return nullptr;
  }
  return std::unique_ptr<AnswerProxy>(new AnswerProxy(listenFd, ntohs(address.sin_port), wake[0], wake[1]));
}

AnswerProxy::AnswerProxy(int listenFd, int port, int wakeRead, int wakeWrite)
    : m_listenFd(listenFd), m_port(port), m_wakeRead(wakeRead), m_wakeWrite(wakeWrite) {
  m_thread = std::thread([this] { Serve(); });
}

AnswerProxy::~AnswerProxy() {
  const char stop = 0;
  while (write(m_wakeWrite, &stop, 1) < 0 && errno == EINTR) {
  }
  m_thread.join();
  for (const int fd : {m_listenFd, m_wakeRead, m_wakeWrite}) close(fd);
}

std::string AnswerProxy::Hold(std::string answer) {
  std::string ticket = RandomTicket();
  std::lock_guard lock(m_mutex);
  m_held[ticket] = std::move(answer);
  return ticket;
}

std::optional<std::string> AnswerProxy::TakeAnswer(const std::string& url) {
  if (!url.starts_with(kHeldAnswerPrefix)) return std::nullopt;
  std::lock_guard lock(m_mutex);
  auto held = m_held.find(url.substr(sizeof kHeldAnswerPrefix - 1));
  if (held == m_held.end()) return std::nullopt;
  std::string answer = std::move(held->second);
  m_held.erase(held);
  return answer;
}

bool AnswerProxy::AnswerRequests(Client* client) {
  for (size_t end; (end = client->bytes.find("\r\n\r\n")) != std::string::npos;) {
    const std::string head = client->bytes.substr(0, end);
    client->bytes.erase(0, end + 4);
    // The request line: method, URL (absolute, as a proxy is asked), version.
    const size_t firstSpace = head.find(' ');
    const size_t secondSpace = head.find(' ', firstSpace + 1);
    const std::string method = head.substr(0, firstSpace);
    const std::string url = firstSpace == std::string::npos
                                ? std::string()
                                : head.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    if (method != "GET" || !url.starts_with(kHeldAnswerPrefix)) {
      SendAll(client->fd, Response("502 Bad Gateway", "this browser reaches no network", true));
      return false;
    }
    const std::optional<std::string> answer = TakeAnswer(url);
    if (!SendAll(client->fd, answer ? Response("200 OK", *answer, false)
                                    : Response("404 Not Found", "", false))) {
      return false;
    }
  }
  return client->bytes.size() <= kLargestHead;
}

void AnswerProxy::Serve() {
  std::vector<Client> clients;
  std::vector<char> chunk(64 * 1024);
  for (;;) {
    std::vector<pollfd> watched = {{m_wakeRead, POLLIN, 0}, {m_listenFd, POLLIN, 0}};
    for (const Client& client : clients) watched.push_back({client.fd, POLLIN, 0});
    if (poll(watched.data(), watched.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (watched[0].revents) break;
    // From the last, so that closing one moves none still to be read.
    for (size_t i = clients.size(); i-- > 0;) {
      if (!watched[i + 2].revents) continue;
      const ssize_t got = recv(clients[i].fd, chunk.data(), chunk.size(), 0);
      if (got < 0 && errno == EINTR) continue;
      bool open = got > 0;
      if (open) {
        clients[i].bytes.append(chunk.data(), size_t(got));
        open = AnswerRequests(&clients[i]);
      }
      if (!open) {
        close(clients[i].fd);
        clients.erase(clients.begin() + std::ptrdiff_t(i));
      }
    }
    if (watched[1].revents & POLLIN) {
      const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) clients.push_back({fd, {}});
    }
  }
  for (const Client& client : clients) close(client.fd);
}

}  // namespace PendrelBrowser
