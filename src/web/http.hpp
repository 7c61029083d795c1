// A small HTTP/1.1 server for the loopback front-end. One thread serves every connection
// with non-blocking sockets, so neither a slow client nor a waiting poll holds a thread,
// and every resource a client can make it spend is bounded before a handler sees the
// request: connections (those that have not passed the check go first), header count and
// bytes (a head is never held beyond its limit), the time to send the headers and the body,
// the body's size (chunked bodies are refused), files (streamed with a size cap) and the
// number of waiting requests. A streamed reply counts as waiting between its parts, the
// send time applies to each part only, and its handler bounds how long it lasts.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace pv::http {

using Clock = std::chrono::steady_clock;

struct Request {
  std::string method;                              // "HEAD" requests are handled as "GET"
  std::string path;                                // decoded, without the query
  std::multimap<std::string, std::string> params;  // the decoded query
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  // Set when a waiting request's time is up: the handler must answer now.
  bool last_call = false;
  Clock::time_point received;  // when its head was in
  bool chunks = true;          // the client reads a chunked reply (not HTTP/1.0)
  // In a streamed reply: the parts sent so far, and the mark the handler gave the last.
  size_t parts = 0;
  uint64_t mark = 0;

  std::string get_param_value(const std::string& key) const;
  // The first header of that name (case-insensitive); "" when there is none.
  std::string get_header_value(const std::string& name) const;
};

struct Response {
  int status = 200;
  std::vector<std::pair<std::string, std::string>> headers;

  void set_header(const std::string& name, const std::string& value);
  std::string get_header_value(const std::string& name) const;
  void set_content(std::string body, const std::string& type);
  // A body of shared pieces, sent one after the other without being copied.
  void set_pieces(std::vector<std::shared_ptr<const std::string>> pieces, const std::string& type);
  // The body is the file at `path`, read as it is sent.
  void set_file(std::string path, const std::string& type);
  // The body is the regular file open at `fd`, read from its start as it is sent: the file
  // a handler checked is the one sent, whatever happens to its name meanwhile. The
  // response owns `fd` from here on.
  void set_file(int fd, const std::string& type);
  // Not yet: the server calls the handler again when woken (Server::wake) and, with
  // last_call set, once `wait` has passed.
  void wait_for(Clock::duration wait) { wait_ = wait; }
  // The content (pieces, not a file) goes out now as one part of a reply streamed in
  // chunks, and the reply goes on: the handler is called again as for wait_for (with the
  // request's `parts` and `mark`) until one answers without streaming (the last part) or
  // its time is up.
  void stream(uint64_t mark, Clock::duration wait) {
    streamed_ = true;
    mark_ = mark;
    wait_ = wait;
  }

 private:
  friend class Server;
  std::vector<std::shared_ptr<const std::string>> pieces_;
  std::string file_;
  std::shared_ptr<const int> file_fd_;  // closes the descriptor with its last owner
  Clock::duration wait_{};
  bool streamed_ = false;
  uint64_t mark_ = 0;
};

struct Limits {
  // Open connections; when full, the oldest that has not passed the check makes room.
  size_t connections = 4096;
  size_t header_bytes = 16 * 1024;  // request line and headers
  size_t headers = 64;
  size_t body_bytes = 1 << 20;
  uint64_t file_bytes = uint64_t{256} << 20;
  size_t waiting = 256;  // requests waiting at once; beyond that they are answered at once
  Clock::duration header_time = std::chrono::seconds(5);
  Clock::duration body_time = std::chrono::seconds(10);
  Clock::duration idle_time = std::chrono::seconds(5);   // between requests of a connection
  Clock::duration send_time = std::chrono::seconds(10);  // without the client taking a byte
  // From its opening, for a connection none of whose requests passed the check yet.
  Clock::duration untrusted_time = std::chrono::seconds(2);
};

class Server {
 public:
  using Handler = std::function<void(const Request&, Response&)>;
  // Runs once the headers are in, before the body is read: true when it answered (the
  // request goes no further and the connection closes).
  using Check = std::function<bool(const Request&, Response&)>;

  explicit Server(Limits limits = {});
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  void route(const std::string& method, const std::string& path, Handler handler);
  void check_first(Check check) { check_ = std::move(check); }
  // Headers every response carries unless it sets its own.
  void default_headers(std::vector<std::pair<std::string, std::string>> headers) {
    default_headers_ = std::move(headers);
  }
  // Answers for a status without a body of its own (404, 405, 408, 413, ...).
  void on_error(std::function<void(int status, Response&)> error) { error_ = std::move(error); }

  // Binds a loopback address; port 0 takes any free port. Returns the port, or throws
  // std::runtime_error.
  int bind(const std::string& host, int port);
  void start();
  // Calls the waiting requests' handlers again. Any thread.
  void wake();
  // Calls the waiting handlers a last time, sends what is ready (a short while at most),
  // then closes every connection and ends the thread. Idempotent.
  void stop();
  // Open connections.
  size_t connections() const;

 private:
  struct Connection;
  void run();
  void serve_once();
  void accept_all();
  bool evict_untrusted();
  size_t room(const Connection& c) const;
  void read_from(Connection& c);
  void after_peer_closed(Connection& c);
  void set_deadline(Connection& c, Clock::duration wait);
  static constexpr size_t kBadHead = static_cast<size_t>(-2);
  static size_t scan_head(Connection& c);
  void advance(Connection& c);
  bool take_head(Connection& c);
  bool take_body_length(Connection& c);
  void dispatch(Connection& c);
  void call_waiting(Connection& c, bool last_call);
  bool room_to_wait() const;
  static bool can_stream(const Connection& c);
  void start_stream(Connection& c, Response res);
  void send_part(Connection& c, Response res, bool last);
  void rerun_waiting(bool last_call);
  std::string head_of(const Connection& c, const Response& res) const;
  void answer(Connection& c, Response res);
  void answer_error(Connection& c, int status);
  void write_to(Connection& c);
  bool fill_from_file(Connection& c);
  void next_request(Connection& c);
  Clock::time_point next_deadline() const;
  void expire(Clock::time_point now);

  Limits limits_;
  size_t table_ = limits_.connections;  // as many as there are descriptors for
  std::map<std::pair<std::string, std::string>, Handler> routes_;
  Check check_;
  std::vector<std::pair<std::string, std::string>> default_headers_;
  std::function<void(int, Response&)> error_;
  int listen_fd_ = -1;
  int wake_fd_ = -1;
  std::thread thread_;
  std::vector<std::unique_ptr<Connection>> connections_;  // server thread only
  std::atomic<bool> stopping_{false};
  std::atomic<size_t> open_{0};
};

}  // namespace pv::http
