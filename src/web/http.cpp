#include "web/http.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace pv::http {
namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr auto kStopGrace = std::chrono::milliseconds(300);
constexpr auto kDrainTime = std::chrono::milliseconds(500);
constexpr int kAcceptBatch = 64;
// Descriptors kept for what is not a connection (files sent, the engine's own).
constexpr rlim_t kSpareDescriptors = 256;

bool iequals(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string decode(std::string_view s, bool plus_is_blank) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && hex_value(s[i + 1]) >= 0 && hex_value(s[i + 2]) >= 0) {
      out += static_cast<char>(hex_value(s[i + 1]) * 16 + hex_value(s[i + 2]));
      i += 2;
    } else {
      out += plus_is_blank && s[i] == '+' ? ' ' : s[i];
    }
  }
  return out;
}

std::multimap<std::string, std::string> parse_query(std::string_view q) {
  std::multimap<std::string, std::string> params;
  while (!q.empty()) {
    const size_t amp = q.find('&');
    const std::string_view pair = q.substr(0, amp);
    const size_t eq = pair.find('=');
    if (!pair.empty())
      params.emplace(decode(pair.substr(0, eq), true),
                     eq == std::string_view::npos ? "" : decode(pair.substr(eq + 1), true));
    if (amp == std::string_view::npos) break;
    q.remove_prefix(amp + 1);
  }
  return params;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

const char* reason(int status) {
  switch (status) {
    case 100:
      return "Continue";
    case 200:
      return "OK";
    case 204:
      return "No Content";
    case 304:
      return "Not Modified";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 408:
      return "Request Timeout";
    case 411:
      return "Length Required";
    case 413:
      return "Content Too Large";
    case 415:
      return "Unsupported Media Type";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Error";
  }
}

bool has_body(int status) {
  return status != 204 && status != 304 && status >= 200;
}

// One Host, one Transfer-Encoding, and one Content-Length value: a second one of them
// could be read differently by whoever stands in front of us.
bool unambiguous_framing(const std::vector<std::pair<std::string, std::string>>& headers) {
  int hosts = 0, encodings = 0;
  const std::string* length = nullptr;
  for (const auto& [name, value] : headers) {
    hosts += iequals(name, "Host") ? 1 : 0;
    encodings += iequals(name, "Transfer-Encoding") ? 1 : 0;
    if (!iequals(name, "Content-Length")) continue;
    if (length != nullptr && *length != value) return false;
    length = &value;
  }
  return hosts <= 1 && encodings <= 1;
}

// The request line and headers (without the blank line that ends them); 0, or the status
// that refuses them.
int parse_head(std::string_view head, size_t max_headers, Request& req, bool& close_after) {
  const size_t line_end = head.find("\r\n");
  const std::string_view line = head.substr(0, line_end);
  const size_t sp1 = line.find(' '), sp2 = line.rfind(' ');
  if (sp1 == std::string_view::npos || sp2 == sp1) return 400;
  req.method = std::string(line.substr(0, sp1));
  const std::string_view target = line.substr(sp1 + 1, sp2 - sp1 - 1);
  const std::string_view version = line.substr(sp2 + 1);
  if ((version != "HTTP/1.1" && version != "HTTP/1.0") || target.empty() || target[0] != '/')
    return 400;
  const size_t q = target.find('?');
  req.path = decode(target.substr(0, q), false);
  if (q != std::string_view::npos) req.params = parse_query(target.substr(q + 1));
  for (size_t at = line_end; at != std::string_view::npos;) {
    const size_t next = head.find("\r\n", at + 2);
    const std::string_view h =
        head.substr(at + 2, next == std::string_view::npos ? next : next - at - 2);
    at = next;
    const size_t colon = h.find(':');
    // No folded lines, no blank before the colon.
    if (colon == std::string_view::npos || colon == 0 || h[0] == ' ' || h[0] == '\t' ||
        h.substr(0, colon).find_first_of(" \t") != std::string_view::npos)
      return 400;
    if (req.headers.size() == max_headers) return 431;
    req.headers.emplace_back(std::string(h.substr(0, colon)),
                             std::string(trim(h.substr(colon + 1))));
  }
  if (!unambiguous_framing(req.headers)) return 400;
  req.chunks = version == "HTTP/1.1";
  const std::string connection = req.get_header_value("Connection");
  close_after =
      version == "HTTP/1.0" ? !iequals(connection, "keep-alive") : iequals(connection, "close");
  return 0;
}

std::string header_value(const std::vector<std::pair<std::string, std::string>>& headers,
                         const std::string& name) {
  for (const auto& [n, v] : headers)
    if (iequals(n, name)) return v;
  return {};
}

}  // namespace

std::string Request::get_param_value(const std::string& key) const {
  const auto it = params.find(key);
  return it == params.end() ? std::string() : it->second;
}

std::string Request::get_header_value(const std::string& name) const {
  return header_value(headers, name);
}

std::string Response::get_header_value(const std::string& name) const {
  return header_value(headers, name);
}

void Response::set_header(const std::string& name, const std::string& value) {
  for (auto& [n, v] : headers)
    if (iequals(n, name)) {
      v = value;
      return;
    }
  headers.emplace_back(name, value);
}

void Response::set_content(std::string body, const std::string& type) {
  set_pieces({std::make_shared<const std::string>(std::move(body))}, type);
}

void Response::set_pieces(std::vector<std::shared_ptr<const std::string>> pieces,
                          const std::string& type) {
  pieces_ = std::move(pieces);
  file_.clear();
  file_fd_.reset();
  set_header("Content-Type", type);
}

void Response::set_file(std::string path, const std::string& type) {
  pieces_.clear();
  file_ = std::move(path);
  file_fd_.reset();
  set_header("Content-Type", type);
}

void Response::set_file(int fd, const std::string& type) {
  pieces_.clear();
  file_.clear();
  file_fd_ = std::shared_ptr<const int>(new int(fd), [](const int* p) {
    ::close(*p);
    delete p;
  });
  set_header("Content-Type", type);
}

struct Server::Connection {
  // Draining: the reply is out and the connection closes once the client has closed its
  // side (or after a moment); closing with its bytes unread would reset the connection
  // before the client read the reply.
  enum class Phase { Head, Body, Waiting, Sending, Draining };

  explicit Connection(int socket) : fd(socket) {}
  ~Connection() {
    if (file >= 0) ::close(file);
    ::close(fd);
  }

  int fd;
  Phase phase = Phase::Head;
  Clock::time_point accepted = Clock::now();
  Clock::time_point deadline;
  bool closed = false;
  bool peer_closed = false;  // the client has sent all it will send
  bool trusted = false;      // a request of it passed the check
  std::string in;            // received and not yet taken
  size_t head_scanned = 0;   // bytes of `in` known to hold no end of head and no bad byte
  Request request;
  size_t body_wanted = 0;
  const Handler* waiting = nullptr;
  bool head_only = false;
  bool close_after = false;
  // What is being sent: the head, then the pieces, then the file in chunks.
  std::string out;
  size_t out_at = 0;
  std::vector<std::shared_ptr<const std::string>> pieces;
  size_t piece = 0, piece_at = 0;
  int file = -1;
  uint64_t file_left = 0;
  // A streamed reply under way: between its parts it waits as a request does.
  bool streaming = false;
  Clock::duration part_wait{};
  bool woken = false;  // while a part was being sent: the handler is called once it is out
};

Server::Server(Limits limits) : limits_(limits) {}

Server::~Server() {
  stop();
  if (listen_fd_ >= 0) ::close(listen_fd_);
  if (wake_fd_ >= 0) ::close(wake_fd_);
}

void Server::route(const std::string& method, const std::string& path, Handler handler) {
  routes_[{method, path}] = std::move(handler);
}

int Server::bind(const std::string& host, int port) {
  sockaddr_storage addr{};
  socklen_t len = 0;
  auto* v4 = reinterpret_cast<sockaddr_in*>(&addr);
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&addr);
  if (::inet_pton(AF_INET, host.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<uint16_t>(port));
    len = sizeof *v4;
  } else if (::inet_pton(AF_INET6, host.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<uint16_t>(port));
    len = sizeof *v6;
  } else {
    throw std::runtime_error("not an address: " + host);
  }
  listen_fd_ = ::socket(addr.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listen_fd_ < 0) throw std::runtime_error("no socket: " + std::string(std::strerror(errno)));
  // Not SO_REUSEPORT: that would let any later socket of the same user share the port.
  const int yes = 1;
  ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (::bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
      ::listen(listen_fd_, SOMAXCONN) != 0)
    throw std::runtime_error("cannot bind port " + std::to_string(port) + " on " + host);
  if (::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    throw std::runtime_error("cannot read the bound port");
  return ntohs(addr.ss_family == AF_INET ? v4->sin_port : v6->sin6_port);
}

void Server::start() {
  // Each connection takes a descriptor: ask for as many as the table needs.
  rlimit files{};
  if (::getrlimit(RLIMIT_NOFILE, &files) == 0) {
    const rlim_t wanted = limits_.connections + kSpareDescriptors;
    if (files.rlim_cur < wanted) {
      files.rlim_cur = std::min(wanted, files.rlim_max);
      ::setrlimit(RLIMIT_NOFILE, &files);
      ::getrlimit(RLIMIT_NOFILE, &files);
    }
    const rlim_t usable =
        files.rlim_cur > kSpareDescriptors ? files.rlim_cur - kSpareDescriptors : 1;
    table_ = static_cast<size_t>(std::min<rlim_t>(limits_.connections, usable));
  }
  wake_fd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake_fd_ < 0) throw std::runtime_error("no eventfd");
  thread_ = std::thread([this] { run(); });
}

void Server::wake() {
  const uint64_t one = 1;
  if (wake_fd_ >= 0) (void)!::write(wake_fd_, &one, sizeof one);
}

void Server::stop() {
  if (!thread_.joinable()) return;
  stopping_ = true;
  wake();
  thread_.join();
  // No client is left waiting in the queue of a server that is gone.
  ::close(listen_fd_);
  listen_fd_ = -1;
}

size_t Server::connections() const {
  return open_;
}

void Server::run() {
  Clock::time_point stopped_at{};
  while (true) {
    if (stopping_ && stopped_at == Clock::time_point{}) {
      stopped_at = Clock::now();
      rerun_waiting(true);
      for (auto& c : connections_) {
        c->close_after = true;
        if (c->phase != Connection::Phase::Sending) c->closed = true;
      }
    }
    std::erase_if(connections_, [](const auto& c) { return c->closed; });
    open_ = connections_.size();
    if (stopping_ && (connections_.empty() || Clock::now() - stopped_at > kStopGrace)) break;
    serve_once();
  }
  connections_.clear();
  open_ = 0;
}

void Server::serve_once() {
  std::vector<pollfd> fds;
  fds.push_back({wake_fd_, POLLIN, 0});
  fds.push_back({stopping_ ? -1 : listen_fd_, POLLIN, 0});
  for (const auto& c : connections_) {
    short events = POLLIN | POLLRDHUP;
    if (c->phase == Connection::Phase::Sending)
      events = POLLOUT;
    else if (c->peer_closed || room(*c) == 0)
      events = 0;  // nothing more is read now
    fds.push_back({c->fd, events, 0});
  }
  const auto until = next_deadline() - Clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(until).count() + 1;
  const int n = ::poll(fds.data(), fds.size(), static_cast<int>(std::clamp<int64_t>(ms, 0, 1000)));
  if (n < 0) return;
  if (fds[0].revents != 0) {
    uint64_t count = 0;
    (void)!::read(wake_fd_, &count, sizeof count);
    rerun_waiting(false);
  }
  // The connections polled are the first ones; those accepted now come after them.
  const size_t polled = connections_.size();
  for (size_t i = 0; i < polled; ++i) {
    Connection& c = *connections_[i];
    const short ev = fds[i + 2].revents;
    if (ev == 0 || c.closed) continue;
    if (c.phase == Connection::Phase::Sending) {
      if ((ev & (POLLERR | POLLHUP)) != 0)
        c.closed = true;
      else
        write_to(c);
    } else if ((ev & POLLERR) != 0) {
      c.closed = true;  // reset by the client
    } else {
      read_from(c);
    }
  }
  if (fds[1].revents != 0) accept_all();
  expire(Clock::now());
}

void Server::accept_all() {
  size_t open = std::count_if(connections_.begin(), connections_.end(),
                              [](const auto& c) { return !c->closed; });
  // A few at a time: those accepted are read before many more come and push them out.
  for (int i = 0; i < kAcceptBatch; ++i) {
    const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (open >= table_ && !evict_untrusted()) {
      ::close(fd);  // full of clients that passed the check: this one may try again
      continue;
    }
    open = std::min(open + 1, table_);
    const int yes = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    auto c = std::make_unique<Connection>(fd);
    set_deadline(*c, limits_.idle_time);
    connections_.push_back(std::move(c));
  }
}

// Closes the oldest connection none of whose requests passed the check; false when there
// is none.
bool Server::evict_untrusted() {
  for (auto& c : connections_)
    if (!c->closed && !c->trusted) {
      c->closed = true;
      return true;
    }
  return false;
}

// How much more a connection may hold: while its head is incomplete no more than the head
// limit, so a client that has not passed the check costs little whatever it sends.
size_t Server::room(const Connection& c) const {
  const size_t head = limits_.header_bytes + 1;
  switch (c.phase) {
    case Connection::Phase::Head:
    case Connection::Phase::Waiting:  // what comes meanwhile is the next request's head
      return c.in.size() < head ? head - c.in.size() : 0;
    case Connection::Phase::Body:
      return c.in.size() < c.body_wanted + head ? c.body_wanted + head - c.in.size() : 0;
    case Connection::Phase::Draining:
      return SIZE_MAX;  // read and dropped
    case Connection::Phase::Sending:
      return 0;
  }
  return 0;
}

void Server::read_from(Connection& c) {
  char buf[16 * 1024];
  while (!c.closed && !c.peer_closed) {
    const size_t want = std::min(sizeof buf, room(c));
    if (want == 0) break;
    const ssize_t n = ::recv(c.fd, buf, want, 0);
    if (n == 0) {
      c.peer_closed = true;
      break;
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) c.closed = true;
      break;
    }
    if (c.phase == Connection::Phase::Draining) continue;
    // A request's time runs from its first byte.
    if (c.phase == Connection::Phase::Head && c.in.empty()) {
      set_deadline(c, limits_.header_time);
      c.in.reserve(limits_.header_bytes + 1);
    }
    c.in.append(buf, static_cast<size_t>(n));
    advance(c);
  }
  after_peer_closed(c);
}

// A client that has closed its side still hears the answers to what it sent, then the
// connection closes; one whose request is waiting hears it now.
void Server::after_peer_closed(Connection& c) {
  if (c.closed || !c.peer_closed) return;
  if (c.phase == Connection::Phase::Waiting)
    call_waiting(c, true);
  else if (c.phase != Connection::Phase::Sending)
    c.closed = true;
}

void Server::set_deadline(Connection& c, Clock::duration wait) {
  c.deadline = Clock::now() + wait;
  // One that has not shown it may ask for anything has a short time in all.
  if (!c.trusted) c.deadline = std::min(c.deadline, c.accepted + limits_.untrusted_time);
}

void Server::advance(Connection& c) {
  if (c.closed) return;
  if (c.phase == Connection::Phase::Head && !take_head(c)) return;
  if (c.phase != Connection::Phase::Body || c.in.size() < c.body_wanted) return;
  c.request.body = c.in.substr(0, c.body_wanted);
  c.in.erase(0, c.body_wanted);
  dispatch(c);
}

// Reads the request line and headers once they are all in; false while they are not (or
// when the request was answered already).
bool Server::take_head(Connection& c) {
  const size_t end = scan_head(c);
  if (end == kBadHead) {
    answer_error(c, 400);
    return false;
  }
  if (end == std::string::npos) {
    if (c.in.size() > limits_.header_bytes) answer_error(c, 431);
    return false;
  }
  if (end + 4 > limits_.header_bytes) {
    answer_error(c, 431);
    return false;
  }
  Request req;
  bool close_after = false;
  const int bad =
      parse_head(std::string_view(c.in).substr(0, end), limits_.headers, req, close_after);
  c.in.erase(0, end + 4);
  c.head_scanned = 0;
  c.close_after = close_after;
  if (bad != 0) {
    answer_error(c, bad);
    return false;
  }
  req.received = Clock::now();
  c.head_only = req.method == "HEAD";
  if (c.head_only) req.method = "GET";
  c.request = std::move(req);
  Response refused;
  if (check_ && check_(c.request, refused)) {
    c.close_after = true;  // its body, if any, is not read
    answer(c, std::move(refused));
    return false;
  }
  c.trusted = true;
  return take_body_length(c);
}

// Where the head ends (at its blank line), npos while it is incomplete, or kBadHead for a
// CR or LF that is not part of a line end, or a NUL: lines are read one way only. Each
// byte is looked at once however the head arrives.
size_t Server::scan_head(Connection& c) {
  const std::string& in = c.in;
  for (size_t& i = c.head_scanned; i < in.size(); ++i) {
    const char ch = in[i];
    if (ch == '\0') return kBadHead;
    if (ch == '\r') {
      if (i + 1 == in.size()) break;  // its LF may come next
      if (in[i + 1] != '\n') return kBadHead;
    } else if (ch == '\n') {
      if (i == 0 || in[i - 1] != '\r') return kBadHead;
      if (i >= 3 && in.compare(i - 3, 4, "\r\n\r\n") == 0) return i - 3;
    }
  }
  return std::string::npos;
}

bool Server::take_body_length(Connection& c) {
  // A chunked body has no size to check before it is read.
  if (!c.request.get_header_value("Transfer-Encoding").empty()) {
    answer_error(c, 411);
    return false;
  }
  const std::string length = c.request.get_header_value("Content-Length");
  c.body_wanted = 0;
  if (!length.empty()) {
    if (length.size() > 12 || length.find_first_not_of("0123456789") != std::string::npos) {
      answer_error(c, 400);
      return false;
    }
    c.body_wanted = std::stoull(length);
    if (c.body_wanted > limits_.body_bytes) {
      answer_error(c, 413);
      return false;
    }
  }
  if (c.body_wanted > 0 && iequals(c.request.get_header_value("Expect"), "100-continue")) {
    static constexpr std::string_view kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
    (void)!::send(c.fd, kContinue.data(), kContinue.size(), MSG_NOSIGNAL);
  }
  c.phase = Connection::Phase::Body;
  c.deadline = Clock::now() + limits_.body_time;
  return true;
}

void Server::dispatch(Connection& c) {
  const auto it = routes_.find({c.request.method, c.request.path});
  if (it == routes_.end()) {
    const bool other_method = std::any_of(routes_.begin(), routes_.end(), [&](const auto& r) {
      return r.first.second == c.request.path;
    });
    answer_error(c, other_method ? 405 : 404);
    return;
  }
  Response res;
  try {
    it->second(c.request, res);
  } catch (const std::exception&) {
    answer_error(c, 500);
    return;
  }
  if (res.wait_ > Clock::duration::zero() || res.streamed_) {
    if (room_to_wait() && (!res.streamed_ || can_stream(c))) {
      c.waiting = &it->second;
      if (res.streamed_) {
        start_stream(c, std::move(res));
        return;
      }
      c.phase = Connection::Phase::Waiting;
      c.deadline = Clock::now() + res.wait_;
      return;
    }
    // Too many wait already, or a stream it cannot have: this one is answered now.
    c.request.last_call = true;
    res = Response{};
    it->second(c.request, res);
  }
  answer(c, std::move(res));
}

// A stream needs a body to stream in and a client that reads chunks; a request that
// cannot have one hears what a last call gives.
bool Server::can_stream(const Connection& c) {
  return !c.head_only && c.request.chunks;
}

bool Server::room_to_wait() const {
  const size_t waiting = std::count_if(connections_.begin(), connections_.end(), [](const auto& o) {
    return o->phase == Connection::Phase::Waiting;
  });
  return waiting < limits_.waiting && !stopping_;
}

void Server::call_waiting(Connection& c, bool last_call) {
  c.request.last_call = last_call;
  Response res;
  try {
    (*c.waiting)(c.request, res);
  } catch (const std::exception&) {
    // The head of a stream is out: its reply ends where it is.
    if (c.streaming)
      send_part(c, Response{}, true);
    else
      answer_error(c, 500);
    return;
  }
  if (res.wait_ > Clock::duration::zero() && !res.streamed_ && !last_call) return;  // not yet
  const bool last = last_call || !res.streamed_;
  if (c.streaming)
    send_part(c, std::move(res), last);
  else if (!last && can_stream(c))
    start_stream(c, std::move(res));
  else
    answer(c, std::move(res));
}

void Server::rerun_waiting(bool last_call) {
  for (auto& c : connections_) {
    if (c->closed) continue;
    if (c->phase == Connection::Phase::Waiting)
      call_waiting(*c, last_call);
    else if (c->streaming)
      c->woken = true;  // what woke it may be newer than the part being sent
  }
}

void Server::answer_error(Connection& c, int status) {
  Response res;
  res.status = status;
  if (error_) error_(status, res);
  c.close_after = c.close_after || status >= 400;
  answer(c, std::move(res));
}

std::string Server::head_of(const Connection& c, const Response& res) const {
  std::string out = "HTTP/1.1 " + std::to_string(res.status) + " " + reason(res.status) + "\r\n";
  for (const auto& [name, value] : default_headers_)
    if (res.get_header_value(name).empty()) out += name + ": " + value + "\r\n";
  for (const auto& [name, value] : res.headers) out += name + ": " + value + "\r\n";
  if (c.close_after) out += "Connection: close\r\n";
  return out;
}

void Server::answer(Connection& c, Response res) {
  c.pieces = std::move(res.pieces_);
  c.piece = c.piece_at = 0;
  uint64_t length = 0;
  for (const auto& p : c.pieces) length += p->size();
  if (!res.file_.empty() || res.file_fd_) {
    const int fd = res.file_fd_ ? ::fcntl(*res.file_fd_, F_DUPFD_CLOEXEC, 0)
                                : ::open(res.file_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    struct stat st {};
    const bool ok = fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!ok || static_cast<uint64_t>(st.st_size) > limits_.file_bytes) {
      if (fd >= 0) ::close(fd);
      answer_error(c, ok ? 413 : 404);
      return;
    }
    c.file = fd;
    c.file_left = length = static_cast<uint64_t>(st.st_size);
  }
  c.out = head_of(c, res);
  if (has_body(res.status)) c.out += "Content-Length: " + std::to_string(length) + "\r\n";
  c.out += "\r\n";
  c.out_at = 0;
  if (c.head_only || !has_body(res.status)) {
    c.pieces.clear();
    if (c.file >= 0) ::close(c.file);
    c.file = -1;
    c.file_left = 0;
  }
  c.phase = Connection::Phase::Sending;
  c.deadline = Clock::now() + limits_.send_time;
  write_to(c);
}

// The head of a streamed reply goes out with its first part.
void Server::start_stream(Connection& c, Response res) {
  c.out = head_of(c, res) + "Transfer-Encoding: chunked\r\n\r\n";
  c.out_at = 0;
  c.streaming = true;
  send_part(c, std::move(res), false);
}

// One chunk of a streamed reply (none for no content), and the chunk that ends it after
// the last part.
void Server::send_part(Connection& c, Response res, bool last) {
  c.pieces.clear();
  c.piece = c.piece_at = 0;
  uint64_t length = 0;
  for (const auto& p : res.pieces_) length += p->size();
  if (length > 0) {
    char size[24];
    std::snprintf(size, sizeof size, "%llx\r\n", static_cast<unsigned long long>(length));
    c.pieces.push_back(std::make_shared<const std::string>(size));
    c.pieces.insert(c.pieces.end(), res.pieces_.begin(), res.pieces_.end());
    c.pieces.push_back(std::make_shared<const std::string>("\r\n"));
  }
  if (last) {
    static const auto kEnd = std::make_shared<const std::string>("0\r\n\r\n");
    c.pieces.push_back(kEnd);
    c.streaming = false;
  } else {
    ++c.request.parts;
    c.request.mark = res.mark_;
    c.part_wait = res.wait_;
  }
  c.phase = Connection::Phase::Sending;
  c.deadline = Clock::now() + limits_.send_time;
  write_to(c);
}

bool Server::fill_from_file(Connection& c) {
  c.out.resize(static_cast<size_t>(std::min<uint64_t>(kChunk, c.file_left)));
  const ssize_t n = ::read(c.file, c.out.data(), c.out.size());
  if (n <= 0) return false;  // the file shrank or failed: the client sees a short reply
  c.out.resize(static_cast<size_t>(n));
  c.out_at = 0;
  c.file_left -= static_cast<uint64_t>(n);
  return true;
}

void Server::write_to(Connection& c) {
  while (!c.closed) {
    const std::string* buf = nullptr;
    size_t* at = nullptr;
    if (c.out_at < c.out.size()) {
      buf = &c.out;
      at = &c.out_at;
    } else if (c.piece < c.pieces.size()) {
      if (c.piece_at >= c.pieces[c.piece]->size()) {
        ++c.piece;
        c.piece_at = 0;
        continue;
      }
      buf = c.pieces[c.piece].get();
      at = &c.piece_at;
    } else if (c.file_left > 0) {
      if (!fill_from_file(c)) c.closed = true;
      continue;
    } else {
      break;
    }
    const ssize_t n = ::send(c.fd, buf->data() + *at, buf->size() - *at, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) c.closed = true;
      return;
    }
    *at += static_cast<size_t>(n);
    c.deadline = Clock::now() + limits_.send_time;
  }
  if (!c.closed) next_request(c);
}

// All sent: the connection waits for its next request, or for the next part of its
// stream.
void Server::next_request(Connection& c) {
  if (c.file >= 0) ::close(c.file);
  c.file = -1;
  c.pieces.clear();
  c.out.clear();
  c.out_at = 0;
  if (c.streaming) {
    c.phase = Connection::Phase::Waiting;
    c.deadline = Clock::now() + c.part_wait;
    const bool last_call = stopping_ || c.peer_closed;
    if (std::exchange(c.woken, false) || last_call) call_waiting(c, last_call);
    return;
  }
  if (c.close_after && (stopping_ || c.peer_closed)) {
    c.closed = true;
    return;
  }
  if (c.close_after) {
    ::shutdown(c.fd, SHUT_WR);
    c.phase = Connection::Phase::Draining;
    c.deadline = Clock::now() + kDrainTime;
    std::string().swap(c.in);
    return;
  }
  c.phase = Connection::Phase::Head;
  c.request = Request{};
  c.waiting = nullptr;
  set_deadline(c, c.in.empty() ? limits_.idle_time : limits_.header_time);
  advance(c);
  after_peer_closed(c);
}

Clock::time_point Server::next_deadline() const {
  Clock::time_point next = Clock::now() + std::chrono::seconds(1);
  for (const auto& c : connections_) next = std::min(next, c->deadline);
  return next;
}

void Server::expire(Clock::time_point now) {
  for (auto& c : connections_) {
    if (c->closed || c->deadline > now) continue;
    switch (c->phase) {
      case Connection::Phase::Head:
        if (c->in.empty())
          c->closed = true;  // idle between requests
        else
          answer_error(*c, 408);
        break;
      case Connection::Phase::Body:
        answer_error(*c, 408);
        break;
      case Connection::Phase::Waiting:
        call_waiting(*c, true);
        break;
      case Connection::Phase::Sending:  // the client takes nothing
      case Connection::Phase::Draining:
        c->closed = true;
        break;
    }
  }
}

}  // namespace pv::http
