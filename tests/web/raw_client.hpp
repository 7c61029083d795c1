// A client for tests that says exactly what it is told to, as a hostile one would.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace pv::testing {

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
  int fd() const { return fd_; }
  // Says it will send no more.
  void half_close() { ::shutdown(fd_, SHUT_WR); }
  bool send(const std::string& bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  // One whole response (by its Content-Length), or what came before the server closed or
  // `wait` passed.
  std::string response(std::chrono::milliseconds wait = std::chrono::milliseconds(5000)) {
    receive_while([this] { return !complete(); }, wait);
    const size_t end = complete() ? response_end() : got_.size();
    std::string r = got_.substr(0, end);
    got_.erase(0, end);
    return r;
  }
  // What came up to and with `end` (a part of a streamed reply), or what came before the
  // server closed or `wait` passed.
  std::string until(const std::string& end,
                    std::chrono::milliseconds wait = std::chrono::milliseconds(5000)) {
    receive_while([&] { return got_.find(end) == std::string::npos; }, wait);
    const size_t at = got_.find(end);
    const size_t n = at == std::string::npos ? got_.size() : at + end.size();
    std::string r = got_.substr(0, n);
    got_.erase(0, n);
    return r;
  }
  // Whether the server closed the connection (within `wait`).
  bool closed(std::chrono::milliseconds wait = std::chrono::milliseconds(5000)) {
    if (!closed_) response(wait);
    return closed_;
  }

 private:
  template <typename More>
  void receive_while(More more, std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (more()) {
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
  }
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

inline int status_of(const std::string& response) {
  return response.size() > 12 ? std::stoi(response.substr(9, 3)) : -1;
}

inline std::string body_of(const std::string& response) {
  const size_t head = response.find("\r\n\r\n");
  return head == std::string::npos ? "" : response.substr(head + 4);
}

}  // namespace pv::testing
