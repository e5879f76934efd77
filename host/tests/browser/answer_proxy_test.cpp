// The browser's proxy without a browser: what it serves to a client that speaks to it as the
// browser does, and what it refuses.
#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/browser/answer_proxy.h"
#include "host/browser/page_shim.h"

namespace PendrelBrowser {
namespace {

struct Response {
  std::string status;  // the status line
  std::string body;
  bool closed = false;  // whether the proxy closed the connection after it
};

class ProxyClient {
 public:
  explicit ProxyClient(int port) : m_fd(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    inet_pton(AF_INET, kProxyAddress, &address.sin_addr);
    // A proxy that neither answers nor closes fails the test instead of hanging it.
    const timeval patience{10, 0};
    setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    m_connected = connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~ProxyClient() { close(m_fd); }
  bool connected() const { return m_connected; }

  Response Ask(const std::string& requestLine) {
    const std::string request = requestLine + "\r\nHost: somewhere\r\nAccept: */*\r\n\r\n";
    send(m_fd, request.data(), request.size(), MSG_NOSIGNAL);
    Response response;
    size_t headEnd;
    while ((headEnd = m_bytes.find("\r\n\r\n")) == std::string::npos) {
      if (!ReadMore()) return response;
    }
    const std::string head = m_bytes.substr(0, headEnd);
    m_bytes.erase(0, headEnd + 4);
    response.status = head.substr(0, head.find("\r\n"));
    const size_t lengthAt = head.find("Content-Length: ");
    const size_t length = lengthAt == std::string::npos ? 0 : std::stoul(head.substr(lengthAt + 16));
    while (m_bytes.size() < length && ReadMore()) {
    }
    response.body = m_bytes.substr(0, length);
    m_bytes.erase(0, length);
    if (head.find("Connection: close") != std::string::npos) response.closed = !ReadMore();
    return response;
  }

 private:
  bool ReadMore() {
    char chunk[65536];
    const ssize_t got = recv(m_fd, chunk, sizeof chunk, 0);
    if (got <= 0) return false;
    m_bytes.append(chunk, size_t(got));
    return true;
  }

  int m_fd;
  bool m_connected = false;
  std::string m_bytes;
};

std::string HeldUrl(const std::string& ticket) { return kHeldAnswerPrefix + ticket; }

TEST(AnswerProxy, AHeldAnswerIsServedOnceByItsTicketOnAConnectionThatStaysOpen) {
  std::unique_ptr<AnswerProxy> proxy = AnswerProxy::Open();
  ASSERT_TRUE(proxy);
  // Large enough that it cannot go out in one write.
  std::string large(3'000'000, 'x');
  large.back() = 'y';
  const std::string first = proxy->Hold(large);
  const std::string second = proxy->Hold("{\"result\":{\"s\":\"Gr\xC3\xBC\xC3\x9F\x65\"}}");
  EXPECT_NE(first, second);
  EXPECT_THAT(first, ::testing::MatchesRegex("[0-9a-f]{32}"));

  ProxyClient client(proxy->Port());
  ASSERT_TRUE(client.connected());
  const Response served = client.Ask("GET " + HeldUrl(first) + " HTTP/1.1");
  EXPECT_EQ(served.status, "HTTP/1.1 200 OK");
  EXPECT_EQ(served.body, large);
  EXPECT_EQ(client.Ask("GET " + HeldUrl(first) + " HTTP/1.1").status, "HTTP/1.1 404 Not Found");
  EXPECT_EQ(client.Ask("GET " + HeldUrl("0") + " HTTP/1.1").status, "HTTP/1.1 404 Not Found");
  EXPECT_EQ(client.Ask("GET " + HeldUrl(second) + " HTTP/1.1").body,
            "{\"result\":{\"s\":\"Gr\xC3\xBC\xC3\x9F\x65\"}}");
}

// Whatever escapes the browser's interception reaches nothing through the proxy.
TEST(AnswerProxy, EveryOtherRequestIsRefusedAndItsConnectionClosed) {
  std::unique_ptr<AnswerProxy> proxy = AnswerProxy::Open();
  ASSERT_TRUE(proxy);
  const std::string ticket = proxy->Hold("kept");
  const std::vector<std::string> requestLines = {
      "GET http://www.example.com/ HTTP/1.1", "CONNECT www.example.com:443 HTTP/1.1",
      "POST " + HeldUrl(ticket) + " HTTP/1.1", "GET /held/" + ticket + " HTTP/1.1", "nonsense"};
  for (const std::string& requestLine : requestLines) {
    ProxyClient client(proxy->Port());
    ASSERT_TRUE(client.connected());
    const Response refused = client.Ask(requestLine);
    EXPECT_EQ(refused.status, "HTTP/1.1 502 Bad Gateway") << requestLine;
    EXPECT_TRUE(refused.closed) << requestLine;
  }
  // None of them took the held answer.
  ProxyClient client(proxy->Port());
  EXPECT_EQ(client.Ask("GET " + HeldUrl(ticket) + " HTTP/1.1").body, "kept");
}

}  // namespace
}  // namespace PendrelBrowser
