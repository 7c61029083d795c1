// What an idle page costs: the bytes of a poll whose time is up with nothing new, headers
// included, counted per minute at the program's poll time.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "web/server.hpp"

namespace {

// The bytes of the reply to one GET on the loopback port, read until the server closes.
size_t reply_bytes(int port, const std::string& request) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return 0;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  size_t got = 0;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
      ::send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
    char buf[4096];
    for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, 0)) > 0;) got += static_cast<size_t>(n);
  }
  ::close(fd);
  return got;
}

void BM_IdlePoll(benchmark::State& state) {
  pv::WebServer::Options options;
  options.poll_timeout = std::chrono::milliseconds(1);
  pv::WebServer server(options, [](const nlohmann::json&) {});
  server.start();
  // A state of the setup window's size, which an idle poll must not send again.
  server.publish(std::make_shared<const nlohmann::json>(
                     nlohmann::json{{"windows", {{{"caption", std::string(30000, 'x')}}}}}),
                 "");
  const std::string request = "GET /api/state?patch=1&after=" + std::to_string(server.version()) +
                              "&s=" + server.secret() +
                              " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                              "\r\nConnection: close\r\n\r\n";
  size_t bytes = 0;
  for (auto _ : state) bytes = reply_bytes(server.port(), request);
  const double per_minute =
      60.0 / std::chrono::duration<double>(pv::WebServer::Options{}.poll_timeout).count();
  state.counters["reply_bytes"] = static_cast<double>(bytes);
  state.counters["bytes_per_minute"] = static_cast<double>(bytes) * per_minute;
  server.finish();
}
BENCHMARK(BM_IdlePoll)->Unit(benchmark::kMicrosecond);

}  // namespace
