#include "web/server.hpp"

#include <arpa/inet.h>
#include <httplib.h>
#include <sys/random.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <stdexcept>

#include "platform/filesystem.hpp"
#include "web/page.hpp"

namespace pv {
namespace {

constexpr auto kPollTimeout = std::chrono::seconds(25);
constexpr size_t kMaxRequestBody = 1 << 20;

std::string random_secret() {
  unsigned char bytes[16];
  size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0) throw std::runtime_error("no random numbers for the secret");
    got += static_cast<size_t>(n);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s;
  for (unsigned char b : bytes) {
    s += kHex[b >> 4];
    s += kHex[b & 15];
  }
  return s;
}

// Compares without stopping at the first difference, so the time taken tells nothing.
bool same_secret(const std::string& given, const std::string& secret) {
  if (given.size() != secret.size()) return false;
  unsigned diff = 0;
  for (size_t i = 0; i < given.size(); ++i)
    diff |= static_cast<unsigned char>(given[i]) ^ static_cast<unsigned char>(secret[i]);
  return diff == 0;
}

void plain(httplib::Response& res, int status, const std::string& text) {
  res.status = status;
  res.set_content(text + "\n", "text/plain; charset=utf-8");
}

std::string real_path(const std::string& path) {
  char buf[PATH_MAX];
  return ::realpath(path.c_str(), buf) != nullptr ? std::string(buf) : std::string();
}

std::string content_type(const std::string& path) {
  const auto dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "png") return "image/png";
  if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
  if (ext == "gif") return "image/gif";
  if (ext == "bmp") return "image/bmp";
  if (ext == "ico" || ext == "cur") return "image/x-icon";
  if (ext == "svg") return "image/svg+xml";
  if (ext == "htm" || ext == "html") return "text/html; charset=utf-8";
  if (ext == "txt" || ext == "ini" || ext == "log") return "text/plain; charset=utf-8";
  if (ext == "css") return "text/css";
  if (ext == "wav") return "audio/wav";
  if (ext == "mp3") return "audio/mpeg";
  if (ext == "mp4") return "video/mp4";
  if (ext == "pdf") return "application/pdf";
  return "application/octet-stream";
}

// Whether JSON text nests deeper than `limit`, read without parsing it: a parser or a copy
// that recurses would run out of stack on a hostile request first.
bool nests_deeper_than(const std::string& text, int limit) {
  int depth = 0;
  bool in_string = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_string) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

bool is_json(const std::string& content_type_header) {
  const std::string type = content_type_header.substr(0, content_type_header.find(';'));
  return type == "application/json";
}

}  // namespace

bool is_loopback_address(const std::string& host) {
  in_addr v4{};
  if (::inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return ::inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

WebServer::WebServer(Options options, InputSink sink)
    : options_(std::move(options)), sink_(std::move(sink)), secret_(random_secret()) {
  roots_ = {options_.program_folder, options_.current_folder};
}

WebServer::~WebServer() {
  finish();
}

std::string WebServer::url() const {
  const bool v6 = options_.host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + options_.host + "]" : options_.host) + ":" +
         std::to_string(port_) + "/?s=" + secret_;
}

void WebServer::start() {
  if (!is_loopback_address(options_.host))
    throw std::runtime_error("the front-end serves the loopback address only, not " +
                             options_.host);
  http_ = std::make_unique<httplib::Server>();
  // Each open page holds one long poll; a few more threads take its input.
  http_->new_task_queue = [] { return new httplib::ThreadPool(16); };
  http_->set_payload_max_length(kMaxRequestBody);
  // The library's default also shares the port with any later socket of the same user
  // (SO_REUSEPORT), which would let another program take this page's requests.
  http_->set_socket_options([](socket_t sock) {
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  // Small replies go out at once instead of waiting for the last one's acknowledgement.
  http_->set_tcp_nodelay(true);
  // An idle connection holds a thread until this runs out, also when the server stops.
  http_->set_keep_alive_timeout(1);
  install_routes();
  if (options_.port == 0) {
    port_ = http_->bind_to_any_port(options_.host);
    if (port_ <= 0) throw std::runtime_error("cannot bind a port on " + options_.host);
  } else {
    if (!http_->bind_to_port(options_.host, options_.port))
      throw std::runtime_error("cannot bind port " + std::to_string(options_.port));
    port_ = options_.port;
  }
  thread_ = std::thread([this] { http_->listen_after_bind(); });
  // stop() is only heard once the server runs.
  for (int waited = 0; !http_->is_running(); ++waited) {
    if (waited == 5000 || !thread_.joinable()) throw std::runtime_error("the server did not start");
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void WebServer::install_routes() {
  httplib::Server& s = *http_;
  const std::string host_v6 =
      options_.host.find(':') != std::string::npos ? "[" + options_.host + "]" : options_.host;

  s.set_pre_routing_handler([this, host_v6](const httplib::Request& req, httplib::Response& res) {
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Referrer-Policy", "no-referrer");
    if (req.get_header_value("Host") != host_v6 + ":" + std::to_string(port_)) {
      plain(res, 403, "Forbidden: unexpected Host");
      return httplib::Server::HandlerResponse::Handled;
    }
    std::string given = req.get_param_value("s");
    if (given.empty()) given = req.get_header_value("X-Prepvant-Secret");
    if (!same_secret(given, secret_)) {
      plain(res, 403, "Forbidden");
      return httplib::Server::HandlerResponse::Handled;
    }
    const std::string origin = req.get_header_value("Origin");
    if (!origin.empty() && origin != "http://" + host_v6 + ":" + std::to_string(port_)) {
      plain(res, 403, "Forbidden: foreign origin");
      return httplib::Server::HandlerResponse::Handled;
    }
    if (req.method != "GET" && req.method != "HEAD" &&
        !is_json(req.get_header_value("Content-Type"))) {
      plain(res, 415, "Unsupported media type: JSON only");
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  s.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty())
      plain(res, res.status, res.status == 404 ? "Not found" : "Request refused");
  });
  s.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
    plain(res, 500, "Internal error");
  });

  s.Get("/", [this](const httplib::Request&, httplib::Response& res) {
    std::string page(kIndexHtml);
    for (size_t at; (at = page.find("{{SECRET}}")) != std::string::npos;)
      page.replace(at, 10, secret_);
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
                   "img-src 'self' data:; media-src 'self'; connect-src 'self'; "
                   "frame-src 'self'; base-uri 'none'; form-action 'none'; "
                   "frame-ancestors 'none'");
    res.set_header("X-Frame-Options", "DENY");
    res.set_content(page, "text/html; charset=utf-8");
  });
  s.Get("/app.js", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(kAppJs), "text/javascript; charset=utf-8");
  });
  s.Get("/app.css", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(kAppCss), "text/css; charset=utf-8");
  });
  s.Get("/api/state", [this](const httplib::Request& req, httplib::Response& res) {
    uint64_t after = 0;
    try {
      after =
          std::stoull(req.get_param_value("after").empty() ? "0" : req.get_param_value("after"));
    } catch (const std::exception&) {
      plain(res, 400, "Bad request: after");
      return;
    }
    // With a charset the library does not compress the reply: compressing a snapshot took
    // longer than anything else between a click and its drawing.
    res.set_content(state_reply(after), "application/json; charset=utf-8");
  });
  s.Post("/api/input", [this](const httplib::Request& req, httplib::Response& res) {
    if (nests_deeper_than(req.body, kMaxNesting)) {
      plain(res, 400, "Bad request: nested deeper than " + std::to_string(kMaxNesting));
      return;
    }
    nlohmann::json body = nlohmann::json::parse(req.body, nullptr, false);
    if (body.is_discarded() || !(body.is_object() || body.is_array())) {
      plain(res, 400, "Bad request: not a JSON event");
      return;
    }
    if (body.is_object()) body = nlohmann::json::array({std::move(body)});
    if (body.size() > kMaxEventsPerRequest) {
      plain(res, 400, "Bad request: more than " + std::to_string(kMaxEventsPerRequest) + " events");
      return;
    }
    try {
      sink_(body);
    } catch (const std::invalid_argument& e) {
      plain(res, 400, std::string("Bad request: ") + e.what());
      return;
    }
    res.status = 204;
  });
  s.Get("/file", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string path = served_path(req.get_param_value("path"));
    if (path.empty()) {
      plain(res, 404, "Not found");
      return;
    }
    const DiskFileSystem files(options_.current_folder, options_.program_folder);
    try {
      res.set_content(files.read_all(path), content_type(path));
    } catch (const std::exception&) {
      plain(res, 404, "Not found");
      return;
    }
    // A document shown on its own runs no script and cannot navigate the page.
    res.set_header(
        "Content-Security-Policy",
        "sandbox; default-src 'self'; style-src 'self' 'unsafe-inline'; script-src 'none'");
  });
}

std::string WebServer::served_path(const std::string& name) const {
  // The name as the program wrote it: "\" separators and letter case are forgiven, and a
  // relative name is looked for in the current folder, then in the program folder.
  const DiskFileSystem files(options_.current_folder, options_.program_folder);
  std::string path = real_path(files.resolve(name));
  if (path.empty() && !name.empty() && name[0] != '/' && name[0] != '\\')
    path =
        real_path(DiskFileSystem(options_.program_folder, options_.program_folder).resolve(name));
  if (path.empty() || !file_allowed(path) || !files.exists(path)) return {};
  return path;
}

bool WebServer::file_allowed(const std::string& path) const {
  std::vector<std::string> roots;
  {
    std::lock_guard lock(mutex_);
    roots = roots_;
  }
  for (const std::string& root : roots) {
    if (root.empty()) continue;
    const std::string real = real_path(root);
    if (real.empty()) continue;
    const std::string prefix = real == "/" ? real : real + "/";
    if (path.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

std::string WebServer::state_reply(uint64_t after) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, kPollTimeout, [&] { return version_ > after || ended_; });
  return "{\"version\":" + std::to_string(version_) + ",\"ended\":" + (ended_ ? "true" : "false") +
         ",\"state\":" + state_ + "}";
}

void WebServer::publish(std::string state) {
  {
    std::lock_guard lock(mutex_);
    if (ended_ || state == state_) return;
    state_ = std::move(state);
    ++version_;
  }
  changed_.notify_all();
}

uint64_t WebServer::version() const {
  std::lock_guard lock(mutex_);
  return version_;
}

void WebServer::add_file_root(const std::string& folder) {
  std::lock_guard lock(mutex_);
  if (folder.empty() || std::find(roots_.begin(), roots_.end(), folder) != roots_.end()) return;
  roots_.push_back(folder);
}

void WebServer::finish() {
  {
    std::lock_guard lock(mutex_);
    if (!ended_) ++version_;
    ended_ = true;
  }
  changed_.notify_all();
  if (!http_ || !thread_.joinable()) return;
  // Requests in flight, the woken polls among them, are answered before the threads end.
  http_->stop();
  thread_.join();
}

}  // namespace pv
