// The loopback HTTP server of the browser front-end. It serves the page, the latest state
// of the window model (long-polled by version), the program's pictures and documents, and
// takes the user's input. It never touches the model: input goes to a sink (which posts it
// to the engine's event loop) and the state comes in as published text.
//
// Security: it binds a loopback address only; every request must carry the per-launch
// secret and the Host "127.0.0.1:<port>", checked by one gate (security_gate) before any
// route and before any body is read. The secret comes as the query "s" or the header
// "X-Prepvant-Secret"; the page's files other than the page itself are served from the
// folder /page/<secret>/, so that the relative imports of its modules, which drop a query,
// carry it in their path (no cookie: it would be shared by every port of the host).
// Requests that change anything must be JSON; files are
// served only from the allowed folders after resolving the real path; errors are plain
// text. What any client can make it spend is bounded (see web/http.hpp): a poll waits
// without holding a thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

namespace http {
class Server;
struct Request;
struct Response;
}  // namespace http

class WebServer {
 public:
  struct Options {
    std::string host = "127.0.0.1";
    int port = 0;  // 0: any free port
    std::string current_folder;
    std::string program_folder;
    // The page file served at "/": the program's windows, or the exercise program's page.
    std::string index = "index.html";
    // A poll is answered within this time even when nothing changed, in a few bytes.
    std::chrono::milliseconds poll_timeout{30000};
  };
  // Takes the events of one request, a list of at most kMaxEventsPerRequest. It throws
  // std::invalid_argument to refuse them; the page then hears its text.
  using InputSink = std::function<void(const nlohmann::json& events)>;
  static constexpr size_t kMaxEventsPerRequest = 64;
  static constexpr int kMaxNesting = 16;

  WebServer(Options options, InputSink sink);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // Binds and serves on a thread of its own. Throws std::runtime_error for an address that
  // is not a loopback address, or when the port cannot be bound.
  void start();
  int port() const { return port_; }
  const std::string& secret() const { return secret_; }
  // The page's address, secret included.
  std::string url() const;

  // A new state of the window model (JSON text); pollers wake when it differs from the
  // last one. Any thread.
  void publish(std::string state);
  // A new state that differs from the last one, with the changes that turn the last one
  // into it (see state_patch; "" when there is no last state). A poll that asks for
  // changes and holds a state of the last kPatchesKept versions gets only the changes.
  // The state is not changed afterwards. Any thread.
  void publish(std::shared_ptr<const nlohmann::json> state, std::string patch);
  // The same with the state written as text only when a reply first needs it, by a
  // function that reads nothing that changes afterwards (it runs on a server thread).
  void publish(std::function<std::string()> write_state, std::string patch);
  static constexpr size_t kPatchesKept = 32;
  // A streamed poll ends after this many replies, or the poll's time after it was asked.
  static constexpr size_t kStreamParts = 256;
  uint64_t version() const;
  // Milliseconds since a page last asked for the state, -1 when none has: a page that is
  // open asks again at least every poll's time. Any thread.
  int64_t ms_since_last_poll() const;
  // Another folder files may be served from (the product's media folder). Any thread.
  void add_file_root(const std::string& folder);
  // The real path of the file a name stands for, when it is served; "" when not. Served
  // are the known types of picture, sound, film, page and text from the program folder
  // and the media folders, and from the current folder only the files named below. Any
  // thread.
  std::string served_path(const std::string& name) const;
  // Serves a file of the current folder the program itself shows the user (a document it
  // opens); its real path, or "" when it is not served. Any thread.
  std::string name_file(const std::string& name);
  // Tells the pages that the program has ended, then stops serving. Idempotent.
  void finish();

 private:
  // The page's files other than the page itself lie in this folder (see above).
  static constexpr std::string_view kPageFolder = "/page/";
  // Every request passes this gate before any route sees it; true when it refused it.
  bool security_gate(const http::Request& req, http::Response& res) const;
  std::string secret_given(const http::Request& req) const;
  std::string host_with_port() const;
  std::string page_folder() const;
  void install_routes();
  void install_page();
  void input_reply(const std::string& body, http::Response& res);
  struct Answered {
    uint64_t version;
    bool ended;
  };
  // The reply to a poll ended by `end`; none while it waits.
  std::optional<Answered> state_reply(uint64_t after, bool patches, bool last_call, const char* end,
                                      http::Response& res);
  void stream_reply(const http::Request& req, uint64_t after, http::Response& res);

  bool file_allowed(const std::string& real_path) const;
  // Whether a real path lies in the program folder or a media folder.
  bool in_roots(const std::string& real_path) const;

  Options options_;
  InputSink sink_;
  std::string secret_;
  int port_ = 0;
  std::unique_ptr<http::Server> http_;

  mutable std::mutex mutex_;
  std::atomic<int64_t> last_poll_ms_{-1};  // on the steady clock
  uint64_t version_ = 0;
  // The state as text, written by `write_state_` when a reply first needs it.
  std::shared_ptr<const std::string> state_ = std::make_shared<const std::string>("{}");
  std::function<std::string()> write_state_;
  // The changes to each of the latest versions, oldest first, up to `version_`.
  struct Patch {
    uint64_t version;
    std::shared_ptr<const std::string> text;
  };
  std::deque<Patch> patches_;
  int64_t published_at_ = 0;  // when `version_` was published: ms since 1970
  bool ended_ = false;
  std::vector<std::string> roots_;  // allowed folders as given
  std::vector<std::string> named_;  // real paths of files named in the current folder
};

// True for 127.0.0.0/8 and ::1.
bool is_loopback_address(const std::string& host);

}  // namespace pv
