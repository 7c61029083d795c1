#include "web/http.hpp"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

#include "support/temp_folder.hpp"
#include "web/front_end.hpp"
#include "web/sample_form.hpp"

namespace pv::testing {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

// A client that says exactly what it is told to, as a hostile one would.
class RawClient {
 public:
  explicit RawClient(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~RawClient() { ::close(fd_); }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool connected() const { return connected_; }
  bool send(const std::string& bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  // One whole response (by its Content-Length), or what came before the server closed or
  // `wait` passed.
  std::string response(std::chrono::milliseconds wait = 5000ms) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!complete()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      char buf[65536];
      const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
      if (n <= 0) {
        closed_ = true;
        break;
      }
      got_.append(buf, static_cast<size_t>(n));
    }
    const size_t end = complete() ? response_end() : got_.size();
    std::string r = got_.substr(0, end);
    got_.erase(0, end);
    return r;
  }
  // Whether the server closed the connection (within `wait`).
  bool closed(std::chrono::milliseconds wait = 5000ms) {
    if (!closed_) response(wait);
    return closed_;
  }

 private:
  size_t response_end() const {
    const size_t head = got_.find("\r\n\r\n");
    if (head == std::string::npos) return std::string::npos;
    const size_t cl = got_.find("Content-Length: ");
    const size_t length =
        cl != std::string::npos && cl < head ? std::stoul(got_.substr(cl + 16)) : 0;
    return head + 4 + length;
  }
  bool complete() const {
    const size_t end = response_end();
    return end != std::string::npos && got_.size() >= end;
  }

  int fd_ = -1;
  bool connected_ = false;
  bool closed_ = false;
  std::string got_;
};

int status_of(const std::string& response) {
  return response.size() > 12 ? std::stoi(response.substr(9, 3)) : -1;
}

std::string body_of(const std::string& response) {
  const size_t head = response.find("\r\n\r\n");
  return head == std::string::npos ? "" : response.substr(head + 4);
}

// A server with short limits, a route that echoes, one that waits until it is woken, and
// a check that refuses requests without "Host: ok".
class HttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.route("GET", "/echo", [](const http::Request& req, http::Response& res) {
      res.set_content(req.get_param_value("say"), "text/plain");
    });
    server.route("POST", "/echo", [](const http::Request& req, http::Response& res) {
      res.set_content(req.body, "text/plain");
    });
    server.route("GET", "/wait", [this](const http::Request& req, http::Response& res) {
      if (!ready && !req.last_call) return res.wait_for(10s);
      res.set_content(req.last_call ? "late" : "ready", "text/plain");
    });
    server.route("GET", "/file", [this](const http::Request&, http::Response& res) {
      res.set_file(folder / "big.bin", "application/octet-stream");
    });
    server.check_first([](const http::Request& req, http::Response& res) {
      if (req.get_header_value("Host") == "ok") return false;
      res.status = 403;
      res.set_content("no", "text/plain");
      return true;
    });
    port = server.bind("127.0.0.1", 0);
    server.start();
  }
  // Waits, without a fixed pause, until the server holds `n` connections.
  bool connections_become(size_t n) {
    for (int i = 0; i < 500 && server.connections() != n; ++i) std::this_thread::sleep_for(10ms);
    return server.connections() == n;
  }

  http::Limits limits{.connections = 64,
                      .header_bytes = 1024,
                      .headers = 8,
                      .body_bytes = 4096,
                      .file_bytes = 3 << 20,
                      .waiting = 4,
                      .header_time = 300ms,
                      .body_time = 300ms,
                      .idle_time = 2s,
                      .send_time = 2s};
  http::Server server{limits};
  TempFolder folder;
  std::atomic<bool> ready = false;
  int port = 0;
};

TEST_F(HttpTest, AnswersRequestsOneAfterAnotherOnAConnection) {
  RawClient c(port);
  ASSERT_TRUE(
      c.send("GET /echo?say=a%20b+c HTTP/1.1\r\nHost: ok\r\n\r\n"
             "POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 5\r\n\r\nhello"));
  const std::string first = c.response();
  EXPECT_EQ(status_of(first), 200);
  EXPECT_EQ(body_of(first), "a b c");
  EXPECT_EQ(body_of(c.response()), "hello");
  ASSERT_TRUE(c.send("GET /nothing HTTP/1.1\r\nHost: ok\r\n\r\n"));
  EXPECT_EQ(status_of(c.response()), 404);
  RawClient h(port);
  ASSERT_TRUE(h.send("HEAD /echo?say=xyz HTTP/1.1\r\nhost: ok\r\nConnection: close\r\n\r\n"));
  const std::string head = h.response(300ms);
  EXPECT_NE(head.find("Content-Length: 3\r\n"), std::string::npos);
  EXPECT_EQ(body_of(head), "");
  RawClient d(port);
  ASSERT_TRUE(d.send("DELETE /echo HTTP/1.1\r\nHost: ok\r\n\r\n"));
  EXPECT_EQ(status_of(d.response()), 405);
}

// Each hostile request is refused before it costs more than its limit, and the connection
// is closed.
TEST_F(HttpTest, RefusesWhatExceedsALimitBeforeReadingIt) {
  std::string many_headers = "GET /echo HTTP/1.1\r\nHost: ok\r\n";
  for (int i = 0; i < 9; ++i) many_headers += "X-" + std::to_string(i) + ": 1\r\n";
  const std::vector<std::pair<std::string, int>> cases = {
      {many_headers + "\r\n", 431},
      {"GET /echo HTTP/1.1\r\nHost: ok\r\nX-Long: " + std::string(2000, 'a') + "\r\n\r\n", 431},
      {"GET /echo HTTP/1.1\r\nHost: ok\r\nX-Long: " + std::string(2000, 'a'), 431},
      {"POST /echo HTTP/1.1\r\nHost: ok\r\nTransfer-Encoding: chunked\r\n\r\n", 411},
      {"POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 4097\r\n\r\n", 413},
      {"POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: -1\r\n\r\n", 400},
      {"POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 99999999999999999999\r\n\r\n", 400},
      {"GET /echo HTTP/1.1\r\nHost: ok\r\n folded\r\n\r\n", 400},
      {"GET /echo HTTP/1.1\r\nHost : ok\r\n\r\n", 400},
      {"GET /echo HTTP/2.0\r\nHost: ok\r\n\r\n", 400},
      {"GET echo HTTP/1.1\r\nHost: ok\r\n\r\n", 400},
      {"GARBAGE\r\n\r\n", 400},
      // Without the check's approval no body is read, however large it says it is.
      {"POST /echo HTTP/1.1\r\nHost: evil\r\nContent-Length: 4000\r\n\r\n", 403},
  };
  for (const auto& [request, status] : cases) {
    RawClient c(port);
    ASSERT_TRUE(c.send(request));
    const std::string r = c.response();
    EXPECT_EQ(status_of(r), status) << request.substr(0, 80);
    EXPECT_TRUE(c.closed()) << request.substr(0, 80);
  }
}

TEST_F(HttpTest, SlowOrSilentClientsAreCutOffByTheirTime) {
  RawClient silent(port);
  RawClient slow_head(port);
  RawClient slow_body(port);
  ASSERT_TRUE(slow_head.send("GET /echo HTTP/1.1\r\nHo"));
  ASSERT_TRUE(slow_body.send("POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 10\r\n\r\nab"));
  // One byte at a time keeps no connection open beyond the time for the whole head.
  RawClient trickle(port);
  const auto start = std::chrono::steady_clock::now();
  for (char ch : std::string("GET /echo HTTP/1.1\r\n")) {
    if (!trickle.send(std::string(1, ch))) break;
    std::this_thread::sleep_for(50ms);
  }
  EXPECT_TRUE(silent.closed());
  EXPECT_EQ(status_of(slow_head.response()), 408);
  EXPECT_EQ(status_of(slow_body.response()), 408);
  EXPECT_EQ(status_of(trickle.response()), 408);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_TRUE(connections_become(0));
}

TEST_F(HttpTest, WaitingRequestsHoldNoThreadAndGoWithTheirClient) {
  std::vector<std::unique_ptr<RawClient>> waiting;
  for (int i = 0; i < 4; ++i) {
    waiting.push_back(std::make_unique<RawClient>(port));
    ASSERT_TRUE(waiting.back()->send("GET /wait HTTP/1.1\r\nHost: ok\r\n\r\n"));
  }
  ASSERT_TRUE(connections_become(4));
  {
    // Other requests go on meanwhile; one more waiting request than allowed is answered now.
    RawClient other(port);
    ASSERT_TRUE(other.send("GET /echo?say=hi HTTP/1.1\r\nHost: ok\r\n\r\n"));
    EXPECT_EQ(body_of(other.response()), "hi");
    RawClient fifth(port);
    ASSERT_TRUE(fifth.send("GET /wait HTTP/1.1\r\nHost: ok\r\n\r\n"));
    EXPECT_EQ(body_of(fifth.response()), "late");
  }
  // A client that goes frees its request at once.
  waiting.pop_back();
  EXPECT_TRUE(connections_become(3));
  ready = true;
  server.wake();
  for (auto& w : waiting) EXPECT_EQ(body_of(w->response()), "ready");
  waiting.clear();
  ASSERT_TRUE(connections_become(0));
  // Stopping answers those still waiting before the connections close.
  ready = false;
  RawClient last(port);
  ASSERT_TRUE(last.send("GET /wait HTTP/1.1\r\nHost: ok\r\n\r\n"));
  ASSERT_TRUE(connections_become(1));
  server.stop();
  EXPECT_EQ(body_of(last.response()), "late");
  EXPECT_TRUE(last.closed());
}

TEST_F(HttpTest, FilesAreStreamedWithASizeCap) {
  std::string content(2 << 20, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 % 251);
  folder.write("big.bin", content);
  RawClient c(port);
  ASSERT_TRUE(c.send("GET /file HTTP/1.1\r\nHost: ok\r\n\r\n"));
  const std::string r = c.response();
  EXPECT_EQ(status_of(r), 200);
  EXPECT_TRUE(body_of(r) == content);
  folder.write("big.bin", std::string(3 << 20, 'x') + "!");
  RawClient d(port);
  ASSERT_TRUE(d.send("GET /file HTTP/1.1\r\nHost: ok\r\n\r\n"));
  EXPECT_EQ(status_of(d.response()), 413);
  ::unlink((folder / "big.bin").c_str());
  RawClient e(port);
  ASSERT_TRUE(e.send("GET /file HTTP/1.1\r\nHost: ok\r\n\r\n"));
  EXPECT_EQ(status_of(e.response()), 404);
}

long resident_kib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// The page under load on loopback: 200 polls waiting and 16 clients sending their headers
// slowly, while a click is carried out and its redrawn window reaches a poll fast.
TEST(FrontEndLoad, AClickIsRedrawnFastBeside200PollsAnd16SlowClients) {
  SampleModel m;
  FrontEnd front(m.loop, m.input, m.screen, {});
  m.loop.after_event = [&] { front.publish(); };
  front.start();
  std::atomic<bool> done = false;
  std::thread engine([&] {
    while (!done)
      if (!m.loop.do_events()) std::this_thread::sleep_for(1ms);
  });
  const long rss_before = resident_kib();
  const int port = front.server().port();
  const std::string host = "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
  const std::string s = front.server().secret();
  const auto poll_request = [&] {
    return "GET /api/state?after=" + std::to_string(front.server().version()) + "&s=" + s +
           " HTTP/1.1\r\n" + host + "\r\n";
  };
  std::vector<std::unique_ptr<RawClient>> polls, slow;
  for (int i = 0; i < 200; ++i) {
    polls.push_back(std::make_unique<RawClient>(port));
    ASSERT_TRUE(polls.back()->send(poll_request()));
  }
  for (int i = 0; i < 16; ++i) {
    slow.push_back(std::make_unique<RawClient>(port));
    ASSERT_TRUE(slow.back()->send("GET /?s=" + s + " HTTP/1.1\r\n" + host + "X-Slow: "));
  }
  std::vector<double> took;
  for (int k = 0; k < 5; ++k) {
    RawClient watcher(port), clicker(port);
    ASSERT_TRUE(watcher.send(poll_request()));
    const std::string click = m.on(m.form().sound, "click").dump();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(clicker.send("POST /api/input?s=" + s + " HTTP/1.1\r\n" + host +
                             "Content-Type: application/json\r\nContent-Length: " +
                             std::to_string(click.size()) + "\r\n\r\n" + click));
    const std::string redrawn = watcher.response();
    took.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    ASSERT_EQ(status_of(redrawn), 200);
    const json state = json::parse(body_of(redrawn))["state"];
    json sound;
    for (const json& c : state["windows"][0]["controls"])
      if (c["name"] == "chk_sound") sound = c;
    EXPECT_EQ(sound["value"], k % 2 == 0 ? 1 : 0) << "click " << k << sound.dump();
    EXPECT_EQ(status_of(clicker.response()), 204);
  }
  // Every waiting poll heard of the first click.
  for (auto& p : polls) EXPECT_EQ(status_of(p->response()), 200);
  std::sort(took.begin(), took.end());
  EXPECT_LT(took[took.size() / 2], 100.0);
  EXPECT_LT(resident_kib() - rss_before, 100 * 1024);
  done = true;
  engine.join();
  front.finish();
}

}  // namespace
}  // namespace pv::testing
