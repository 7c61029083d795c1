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
#include "web/raw_client.hpp"
#include "web/sample_form.hpp"
#include "web/server.hpp"

namespace pv::testing {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using nlohmann::json;

// Streams "v<version>" lines while `version` moves on, waiting `wait` ms (a query) for
// each next one, each after `pad` dots (a query, none when absent); the third part is the
// last.
void stream_route(http::Server& server, const std::atomic<uint64_t>& version) {
  server.route("GET", "/stream", [&version](const http::Request& req, http::Response& res) {
    const uint64_t now = version;
    if (req.last_call) return res.set_content("end\n", "text/plain");
    if (now == req.mark) return res.wait_for(10s);
    const std::string pad = req.get_param_value("pad");
    res.set_content(std::string(pad.empty() ? 0 : std::stoul(pad), '.') +
                        (req.parts == 2 ? "last " : "v") + std::to_string(now) + "\n",
                    "text/plain");
    if (req.parts < 2)
      res.stream(now, std::chrono::milliseconds(std::stoi(req.get_param_value("wait"))));
  });
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
    stream_route(server, version);
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
  std::atomic<uint64_t> version = 0;
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

// A head read two ways could smuggle a second request past the check: it is refused.
TEST_F(HttpTest, RefusesAHeadThatCouldBeReadTwoWays) {
  const std::string get = "GET /echo?say=x HTTP/1.1\r\nHost: ok\r\n";
  const std::vector<std::string> cases = {
      "POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\nabcd",
      get + "Host: ok\r\n\r\n",
      get + "Host: other\r\n\r\n",
      "POST /echo HTTP/1.1\r\nHost: ok\r\nTransfer-Encoding: chunked\r\n"
      "Transfer-Encoding: chunked\r\n\r\n",
      get + "X-A: a\rb\r\n\r\n",
      get + "X-A: a\nb\r\n\r\n",
      get + "X-A: a\0b\r\n\r\n"s,
      "GET /echo\0 HTTP/1.1\r\nHost: ok\r\n\r\n"s,
      // Lines ended by LF alone are refused at once, not left to time out.
      "GET /echo HTTP/1.1\nHost: ok\n\n",
      get + "X-A: a\n",
  };
  for (const std::string& request : cases) {
    RawClient c(port);
    ASSERT_TRUE(c.send(request));
    EXPECT_EQ(status_of(c.response(250ms)), 400) << json(request).dump();
    EXPECT_TRUE(c.closed()) << json(request).dump();
  }
  // The same length twice says one thing.
  RawClient same(port);
  ASSERT_TRUE(same.send(
      "POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 2\r\ncontent-length: 2\r\n\r\nok"));
  EXPECT_EQ(body_of(same.response()), "ok");
}

// Requests sent with the client's half-close right behind them are each answered (a
// waiting one at once), then the connection closes.
TEST_F(HttpTest, AClientThatHalfClosesIsAnsweredThenClosed) {
  const std::string echo = "GET /echo?say=hi HTTP/1.1\r\nHost: ok\r\n\r\n";
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {echo, {"hi"}},
      {echo + "POST /echo HTTP/1.1\r\nHost: ok\r\nContent-Length: 3\r\n\r\nyes", {"hi", "yes"}},
      {"GET /wait HTTP/1.1\r\nHost: ok\r\n\r\n", {"late"}},
      {echo + "GET /echo HTTP/1.1\r\nHost: ok\r\n", {"hi"}},  // the second is incomplete
  };
  for (const auto& [requests, bodies] : cases) {
    RawClient c(port);
    ASSERT_TRUE(c.send(requests));
    c.half_close();
    for (const std::string& body : bodies) EXPECT_EQ(body_of(c.response(1000ms)), body) << requests;
    EXPECT_TRUE(c.closed(1000ms)) << requests;
  }
  EXPECT_TRUE(connections_become(0));
}

// When the table is full, a connection that never passed the check makes room for a new
// one, the oldest first; those that passed it stay.
TEST_F(HttpTest, AFullTableMakesRoomFromConnectionsThatShowedNothing) {
  std::vector<std::unique_ptr<RawClient>> waiting, silent;
  for (int i = 0; i < 2; ++i) {
    waiting.push_back(std::make_unique<RawClient>(port));
    ASSERT_TRUE(waiting.back()->send("GET /wait HTTP/1.1\r\nHost: ok\r\n\r\n"));
  }
  ASSERT_TRUE(connections_become(2));
  for (size_t i = 2; i < limits.connections; ++i)
    silent.push_back(std::make_unique<RawClient>(port));
  ASSERT_TRUE(connections_become(limits.connections));
  std::vector<std::unique_ptr<RawClient>> admitted;  // kept open, so each needs room
  for (int k = 0; k < 3; ++k) {
    admitted.push_back(std::make_unique<RawClient>(port));
    ASSERT_TRUE(admitted.back()->send("GET /echo?say=in HTTP/1.1\r\nHost: ok\r\n\r\n"));
    EXPECT_EQ(body_of(admitted.back()->response()), "in");
    EXPECT_TRUE(silent[k]->closed(1000ms)) << k;
  }
  EXPECT_FALSE(silent[3]->closed(50ms));
  ready = true;
  server.wake();
  for (auto& w : waiting) EXPECT_EQ(body_of(w->response()), "ready");
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

TEST_F(HttpTest, AStreamedReplySendsAChunkPerChangeAndEndsAtItsBound) {
  RawClient c(port);
  ASSERT_TRUE(c.send("GET /stream?wait=5000 HTTP/1.1\r\nHost: ok\r\n\r\n"));
  ASSERT_TRUE(connections_become(1));
  version = 1;
  server.wake();
  const std::string head = c.until("\r\n\r\n");
  EXPECT_EQ(status_of(head), 200);
  EXPECT_NE(head.find("Transfer-Encoding: chunked\r\n"), std::string::npos);
  EXPECT_EQ(head.find("Content-Length"), std::string::npos);
  EXPECT_EQ(c.until("\n\r\n"), "3\r\nv1\n\r\n");
  // A wake with nothing new sends nothing; each change is one chunk.
  server.wake();
  version = 2;
  server.wake();
  EXPECT_EQ(c.until("\n\r\n"), "3\r\nv2\n\r\n");
  version = 3;
  server.wake();
  EXPECT_EQ(c.until("0\r\n\r\n"), "7\r\nlast 3\n\r\n0\r\n\r\n");
  // The connection serves the next request after the stream.
  ASSERT_TRUE(c.send("GET /echo?say=next HTTP/1.1\r\nHost: ok\r\n\r\n"));
  EXPECT_EQ(body_of(c.response()), "next");
  // A client that reads no chunks hears one reply.
  ASSERT_TRUE(c.send("GET /stream?wait=5000 HTTP/1.0\r\nHost: ok\r\n\r\n"));
  const std::string once = c.response();
  EXPECT_NE(once.find("Content-Length: 4"), std::string::npos);
  EXPECT_EQ(body_of(once), "end\n");

  // Its time up, a stream ends with the last call's part; a client that goes frees its
  // stream at once.
  RawClient timed(port), gone(port);
  for (RawClient* r : {&timed, &gone})
    ASSERT_TRUE(r->send("GET /stream?wait=200 HTTP/1.1\r\nHost: ok\r\n\r\n"));
  ASSERT_NE(gone.until("v3\n\r\n").find("v3"), std::string::npos);
  ::shutdown(gone.fd(), SHUT_RDWR);
  EXPECT_NE(timed.until("v3\n\r\n").find("v3"), std::string::npos);
  EXPECT_EQ(timed.until("0\r\n\r\n"), "4\r\nend\n\r\n0\r\n\r\n");
  EXPECT_TRUE(connections_become(1));
}

TEST(HttpStream, WaitsBetweenPartsBeyondTheSendTimeAndCountsAsWaiting) {
  http::Server server({.waiting = 1, .send_time = 100ms});
  std::atomic<uint64_t> version = 0;
  stream_route(server, version);
  server.route("GET", "/wait", [](const http::Request& req, http::Response& res) {
    if (!req.last_call) return res.wait_for(10s);
    res.set_content("late", "text/plain");
  });
  const int port = server.bind("127.0.0.1", 0);
  server.start();
  version = 1;
  RawClient c(port);
  ASSERT_TRUE(c.send("GET /stream?wait=5000 HTTP/1.1\r\n\r\n"));
  ASSERT_NE(c.until("v1\n\r\n").find("v1"), std::string::npos);
  // The stream holds the one waiting place: another waiting request is answered now.
  RawClient other(port);
  ASSERT_TRUE(other.send("GET /wait HTTP/1.1\r\n\r\n"));
  EXPECT_EQ(body_of(other.response()), "late");
  std::this_thread::sleep_for(300ms);
  version = 2;
  server.wake();
  EXPECT_EQ(c.until("v2\n\r\n"), "3\r\nv2\n\r\n");
  server.stop();
  EXPECT_EQ(c.until("0\r\n\r\n"), "4\r\nend\n\r\n0\r\n\r\n");
}

// A change made while a part is still going out is sent after it, with no other wake.
TEST_F(HttpTest, AChangeDuringAPartFollowsIt) {
  version = 1;
  RawClient c(port);
  ASSERT_TRUE(c.send("GET /stream?wait=5000&pad=16000000 HTTP/1.1\r\nHost: ok\r\n\r\n"));
  ASSERT_EQ(status_of(c.until("\r\n\r\n")), 200);  // the part's 16 MB fill the socket
  version = 2;
  server.wake();
  EXPECT_NE(c.until("v1\n\r\n").find("v1"), std::string::npos);
  EXPECT_NE(c.until("v2\n\r\n", 3000ms).find("v2"), std::string::npos);
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

long status_kib(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  return -1;
}

long resident_kib() {
  return status_kib("VmRSS:");
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

// The real page with its gate, on a port of its own.
struct PageServer {
  PageServer() { web.start(); }
  std::string page_request() const {
    return "GET /?s=" + web.secret() +
           " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(web.port()) + "\r\n\r\n";
  }
  TempFolder folder;
  WebServer web{{.current_folder = folder.path(), .program_folder = folder.path()},
                [](const json&) {}};
};

// A local process holds 600 connections without the secret, opening each again the moment
// it closes; the page's requests still all succeed.
TEST(WebServerLoad, ThePageIsServedBeside600HeldConnections) {
  PageServer page;
  const int port = page.web.port();
  std::vector<std::unique_ptr<RawClient>> held;
  for (int i = 0; i < 600; ++i) held.push_back(std::make_unique<RawClient>(port));
  // Answered after all of them, so each of them was taken in.
  RawClient probe(port);
  ASSERT_TRUE(probe.send("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n\r\n"));
  ASSERT_EQ(status_of(probe.response()), 403);
  std::atomic<bool> done = false;
  std::thread holder([&] {
    std::vector<pollfd> fds(held.size());
    while (!done) {
      for (size_t i = 0; i < held.size(); ++i) fds[i] = {held[i]->fd(), POLLIN, 0};
      if (::poll(fds.data(), fds.size(), 20) <= 0) continue;
      for (size_t i = 0; i < held.size(); ++i)
        if (fds[i].revents != 0) held[i] = std::make_unique<RawClient>(port);
    }
  });
  int served = 0;
  for (int k = 0; k < 20; ++k) {
    RawClient c(port);
    served += c.send(page.page_request()) && status_of(c.response()) == 200 ? 1 : 0;
  }
  done = true;
  holder.join();
  EXPECT_EQ(served, 20);
}

// 500 connections without the secret send endless heads: each is refused at the head
// limit, and the peak memory stays small.
TEST(WebServerLoad, AHeaderFloodOf500ConnectionsStaysUnder20MB) {
  PageServer page;
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  const long before = status_kib("VmRSS:");
  const std::string flood = "GET /?s=" + std::string(128 * 1024, 'a');
  std::vector<std::unique_ptr<RawClient>> clients;
  for (int i = 0; i < 500; ++i) clients.push_back(std::make_unique<RawClient>(page.web.port()));
  for (auto& c : clients) c->send(flood);
  int refused = 0;
  for (auto& c : clients) refused += status_of(c->response()) == 431 ? 1 : 0;
  EXPECT_EQ(refused, 500);
  EXPECT_LT(status_kib("VmHWM:") - before, 20 * 1024);
}

}  // namespace
}  // namespace pv::testing
