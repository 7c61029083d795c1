#include "web/server.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/filesystem.hpp"
#include "platform/random.hpp"
#include "web/http.hpp"
#include "web/page.hpp"

namespace pv {
namespace {

int64_t steady_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// When a state was published, for the page to tell how late it drew it.
int64_t wall_clock_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

constexpr size_t kFilesNamed = 256;

std::string random_secret() {
  std::optional<std::string> hex = random_hex(16);
  if (!hex) throw std::runtime_error("no random numbers for the secret");
  return *hex;
}

// Compares without stopping at the first difference, so the time taken tells nothing.
bool same_secret(const std::string& given, const std::string& secret) {
  if (given.size() != secret.size()) return false;
  unsigned diff = 0;
  for (size_t i = 0; i < given.size(); ++i)
    diff |= static_cast<unsigned char>(given[i]) ^ static_cast<unsigned char>(secret[i]);
  return diff == 0;
}

// The bare address, as a bookmark or a typed address gives it: how to reach the windows.
constexpr const char* kNoSecretPage =
    "<!doctype html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Prepvant</title>"
    "</head>\n<body style=\"font-family: sans-serif; margin: 2em\">\n<h1>Prepvant</h1>\n"
    "<p>This address lacks the program's key, so it shows none of its windows.</p>\n"
    "<p>Open the whole address the program printed on its terminal when it started (it ends "
    "in <code>?s=</code> and a key), or start the program again: it opens its page "
    "itself.</p>\n</body></html>\n";

void plain(http::Response& res, int status, const std::string& text) {
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

// The pictures, sounds, films, pages and texts the windows show.
bool known_type(const std::string& path) {
  return content_type(path) != "application/octet-stream";
}

// Whether a real path lies in a folder (whose own real path is looked up).
bool under(const std::string& path, const std::string& folder) {
  if (folder.empty()) return false;
  const std::string real = real_path(folder);
  if (real.empty()) return false;
  const std::string prefix = real == "/" ? real : real + "/";
  return path.compare(0, prefix.size(), prefix) == 0;
}

// A validator of a file's content: the same text gives the same tag.
std::string entity_tag(std::string_view text) {
  uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  char buf[24];
  std::snprintf(buf, sizeof buf, "\"%016llx\"", static_cast<unsigned long long>(h));
  return buf;
}

// One of the page's own files, prepared once: each request shares its text.
struct PageFileServed {
  std::shared_ptr<const std::string> text;
  std::string type, tag;
};

PageFileServed page_file(std::string text, std::string type) {
  std::string tag = entity_tag(text);
  return {std::make_shared<const std::string>(std::move(text)), std::move(type), std::move(tag)};
}

// Answers 304 when the browser holds this very file; it asks again each time (no-cache).
void serve_page_file(const PageFileServed& f, const http::Request& req, http::Response& res) {
  res.set_header("Cache-Control", "no-cache");
  res.set_header("ETag", f.tag);
  if (req.get_header_value("If-None-Match") == f.tag) {
    res.status = 304;
    return;
  }
  res.set_pieces({f.text}, f.type);
}

// A descriptor closed when it goes, unless it was handed on.
class OwnedFd {
 public:
  explicit OwnedFd(int fd) : fd_(fd) {}
  ~OwnedFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  OwnedFd(const OwnedFd&) = delete;
  OwnedFd& operator=(const OwnedFd&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// Opens the regular file at an absolute path without following a link anywhere on the way,
// one folder at a time from "/": a folder swapped for a link after the path was checked
// makes the open fail instead of leading elsewhere. -1 when it fails.
int open_without_links(const std::string& path, struct stat& st) {
  if (path.empty() || path[0] != '/') return -1;
  OwnedFd folder(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  size_t from = 1;
  while (folder.get() >= 0) {
    const size_t slash = path.find('/', from);
    const std::string entry = path.substr(from, slash - from);
    if (entry.empty() || entry == "." || entry == "..") return -1;
    if (slash == std::string::npos) {
      OwnedFd file(
          ::openat(folder.get(), entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
      if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
      return file.release();
    }
    folder.reset(
        ::openat(folder.get(), entry.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    from = slash + 1;
  }
  return -1;
}

// A validator of a file as it is on disk: any change of its content gives it a new size,
// time or (replaced) inode.
std::string file_tag(const struct stat& st) {
  char buf[96];
  std::snprintf(
      buf, sizeof buf, "\"%llx-%llx-%llx-%llx.%lx\"", static_cast<unsigned long long>(st.st_dev),
      static_cast<unsigned long long>(st.st_ino), static_cast<unsigned long long>(st.st_size),
      static_cast<unsigned long long>(st.st_mtim.tv_sec), st.st_mtim.tv_nsec);
  return buf;
}

// Whether an If-None-Match header names the tag: one of a list, weak or not, or "*".
bool tag_matches(std::string_view header, std::string_view tag) {
  while (!header.empty()) {
    const size_t comma = header.find(',');
    std::string_view one = header.substr(0, comma);
    while (!one.empty() && (one.front() == ' ' || one.front() == '\t')) one.remove_prefix(1);
    while (!one.empty() && (one.back() == ' ' || one.back() == '\t')) one.remove_suffix(1);
    if (one.starts_with("W/")) one.remove_prefix(2);
    if (one == "*" || one == tag) return true;
    if (comma == std::string_view::npos) break;
    header.remove_prefix(comma + 1);
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
  roots_ = {options_.program_folder};
}

WebServer::~WebServer() {
  finish();
}

std::string WebServer::url() const {
  return "http://" + host_with_port() + "/?s=" + secret_;
}

void WebServer::start() {
  if (!is_loopback_address(options_.host))
    throw std::runtime_error("the front-end serves the loopback address only, not " +
                             options_.host);
  http_ = std::make_unique<http::Server>();
  port_ = http_->bind(options_.host, options_.port);
  install_routes();
  http_->start();
}

// Where the page's files are served: under a folder named by the secret, which their
// relative imports keep (they drop a query).
std::string WebServer::page_folder() const {
  return std::string(kPageFolder) + secret_ + "/";
}

std::string WebServer::host_with_port() const {
  const bool v6 = options_.host.find(':') != std::string::npos;
  return (v6 ? "[" + options_.host + "]" : options_.host) + ":" + std::to_string(port_);
}

// The secret a request carries: its query "s", its header, or the folder of a page file.
std::string WebServer::secret_given(const http::Request& req) const {
  std::string given = req.get_param_value("s");
  if (given.empty()) given = req.get_header_value("X-Prepvant-Secret");
  if (given.empty() && req.path.starts_with(kPageFolder)) {
    const size_t from = kPageFolder.size();
    given = req.path.substr(from, req.path.find('/', from) - from);
  }
  return given;
}

// Runs before a body is read, so nobody without the secret makes the server hold one.
bool WebServer::security_gate(const http::Request& req, http::Response& res) const {
  if (req.get_header_value("Host") != host_with_port()) {
    plain(res, 403, "Forbidden: unexpected Host");
    return true;
  }
  // A browser asks for the icon without the secret; there is none to give.
  if (req.path == "/favicon.ico" && req.method == "GET") {
    res.status = 204;
    return true;
  }
  const std::string given = secret_given(req);
  if (!same_secret(given, secret_)) {
    if (given.empty() && req.path == "/" && req.method == "GET") {
      res.status = 403;
      res.set_content(kNoSecretPage, "text/html; charset=utf-8");
    } else {
      plain(res, 403, "Forbidden");
    }
    return true;
  }
  const std::string origin = req.get_header_value("Origin");
  if (!origin.empty() && origin != "http://" + host_with_port()) {
    plain(res, 403, "Forbidden: foreign origin");
    return true;
  }
  if (req.method != "GET" && !is_json(req.get_header_value("Content-Type"))) {
    plain(res, 415, "Unsupported media type: JSON only");
    return true;
  }
  return false;
}

void WebServer::install_routes() {
  http::Server& s = *http_;
  s.default_headers({{"Cache-Control", "no-store"},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Referrer-Policy", "no-referrer"}});
  s.check_first(
      [this](const http::Request& req, http::Response& res) { return security_gate(req, res); });
  s.on_error([](int status, http::Response& res) {
    plain(res, status, status == 404 ? "Not found" : "Request refused");
  });
  install_page();
  s.route("GET", "/api/state", [this](const http::Request& req, http::Response& res) {
    uint64_t after = 0;
    try {
      after =
          std::stoull(req.get_param_value("after").empty() ? "0" : req.get_param_value("after"));
    } catch (const std::exception&) {
      plain(res, 400, "Bad request: after");
      return;
    }
    last_poll_ms_ = steady_ms();
    if (req.get_param_value("stream") == "1")
      stream_reply(req, after, res);
    else
      state_reply(after, req.get_param_value("patch") == "1", req.last_call, "", res);
  });
  s.route("POST", "/api/input",
          [this](const http::Request& req, http::Response& res) { input_reply(req.body, res); });
  s.route("GET", "/file", [this](const http::Request& req, http::Response& res) {
    const std::string path = served_path(req.get_param_value("path"));
    // The file is checked by its name, then opened without following links: what is sent
    // is the file that was checked.
    struct stat st {};
    OwnedFd fd(path.empty() ? -1 : open_without_links(path, st));
    if (fd.get() < 0) {
      plain(res, 404, "Not found");
      return;
    }
    // A document shown on its own runs no script and cannot navigate the page.
    res.set_header(
        "Content-Security-Policy",
        "sandbox; default-src 'self'; style-src 'self' 'unsafe-inline'; script-src 'none'");
    // The program's and the media's files are asked for again each time and sent only
    // when changed; the current folder's, which the program writes, are not kept.
    if (in_roots(path)) {
      const std::string tag = file_tag(st);
      res.set_header("Cache-Control", "no-cache");
      res.set_header("ETag", tag);
      if (tag_matches(req.get_header_value("If-None-Match"), tag)) {
        res.status = 304;
        return;
      }
    }
    res.set_file(fd.release(), content_type(path));
  });
}

// The page itself at "/", its other files in the page folder, each as the table has it.
void WebServer::install_page() {
  for (const PageFile& f : page_files()) {
    if (f.name != options_.index) {
      const PageFileServed file = page_file(std::string(f.bytes), std::string(f.type));
      http_->route("GET", page_folder() + std::string(f.name),
                   [file](const http::Request& req, http::Response& res) {
                     serve_page_file(file, req, res);
                   });
      continue;
    }
    // Every module is asked for at once, not import by import.
    std::string preloads;
    for (const PageFile& m : page_files())
      if (m.name.ends_with(".js"))
        preloads +=
            "<link rel=\"modulepreload\" href=\"/page/{{SECRET}}/" + std::string(m.name) + "\">\n";
    std::string index(f.bytes);
    if (const size_t at = index.find("{{MODULES}}"); at != std::string::npos)
      index.replace(at, 11, preloads);
    for (size_t at; (at = index.find("{{SECRET}}")) != std::string::npos;)
      index.replace(at, 10, secret_);
    const auto page = std::make_shared<const std::string>(std::move(index));
    http_->route("GET", "/", [page](const http::Request&, http::Response& res) {
      res.set_header("Content-Security-Policy",
                     "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
                     "img-src 'self' data:; media-src 'self'; connect-src 'self'; "
                     "frame-src 'self'; base-uri 'none'; form-action 'none'; "
                     "frame-ancestors 'none'");
      res.set_header("X-Frame-Options", "DENY");
      res.set_pieces({page}, "text/html; charset=utf-8");
    });
  }
}

void WebServer::input_reply(const std::string& text, http::Response& res) {
  if (nests_deeper_than(text, kMaxNesting)) {
    plain(res, 400, "Bad request: nested deeper than " + std::to_string(kMaxNesting));
    return;
  }
  nlohmann::json body = nlohmann::json::parse(text, nullptr, false);
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
}

std::string WebServer::served_path(const std::string& name) const {
  if (name.find('\0') != std::string::npos) return {};
  // The name as the program wrote it: "\" separators and letter case are forgiven, and a
  // relative name is looked for in the current folder, then in the program folder.
  const DiskFileSystem files(options_.current_folder, options_.program_folder);
  std::string path = real_path(files.resolve(name));
  if (path.empty() && !name.empty() && name[0] != '/' && name[0] != '\\')
    path =
        real_path(DiskFileSystem(options_.program_folder, options_.program_folder).resolve(name));
  if (path.empty() || !files.exists(path) || !file_allowed(path)) return {};
  return path;
}

std::string WebServer::name_file(const std::string& name) {
  const std::string path = served_path(name);
  if (!path.empty()) return path;
  const DiskFileSystem files(options_.current_folder, options_.program_folder);
  std::string named = real_path(files.resolve(name));
  if (named.empty() || name.find('\0') != std::string::npos || !files.exists(named) ||
      !under(named, options_.current_folder) || !known_type(named))
    return {};
  std::lock_guard lock(mutex_);
  if (named_.size() >= kFilesNamed) named_.erase(named_.begin());
  named_.push_back(named);
  return named;
}

// Pictures, pages and texts of the program's own folders; from the current folder, which
// may be the user's home folder, only the files the program named.
bool WebServer::file_allowed(const std::string& path) const {
  if (!known_type(path)) return false;
  {
    std::lock_guard lock(mutex_);
    if (std::find(named_.begin(), named_.end(), path) != named_.end()) return true;
  }
  return in_roots(path);
}

bool WebServer::in_roots(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return std::any_of(roots_.begin(), roots_.end(),
                     [&](const std::string& root) { return under(path, root); });
}

// Answers a poll once there is a state newer than `after`, the program has ended, or the
// poll's time is up; until then the poll waits without holding a thread. A poll that asks
// for changes and is at most kPatchesKept versions behind gets only those.
std::optional<WebServer::Answered> WebServer::state_reply(uint64_t after, bool patches,
                                                          bool last_call, const char* end,
                                                          http::Response& res) {
  std::lock_guard lock(mutex_);
  if (version_ <= after && !ended_ && !last_call) {
    res.wait_for(options_.poll_timeout);
    return std::nullopt;
  }
  const Answered answered{version_, ended_};
  // A poll whose time is up while the page holds the latest state hears only that.
  if (version_ == after && !ended_) {
    res.set_content("{\"version\":" + std::to_string(version_) + "}" + end,
                    "application/json; charset=utf-8");
    return answered;
  }
  const std::string head = "{\"version\":" + std::to_string(version_) +
                           ",\"ended\":" + (ended_ ? "true" : "false") +
                           ",\"at\":" + std::to_string(published_at_);
  if (patches && after < version_ && !patches_.empty() && after + 1 >= patches_.front().version) {
    // Changes are small: one text, sent at once rather than piece by piece.
    std::string body = head + ",\"from\":" + std::to_string(after) + ",\"patches\":[";
    bool first = true;
    for (const Patch& p : patches_) {
      if (p.version <= after) continue;
      if (!first) body += ',';
      body += *p.text;
      first = false;
    }
    res.set_content(body + "]}" + end, "application/json; charset=utf-8");
    return answered;
  }
  if (!state_) state_ = std::make_shared<const std::string>(write_state_());
  // The state itself is shared by every reply, not copied.
  res.set_pieces({std::make_shared<const std::string>(head + ",\"state\":"), state_,
                  std::make_shared<const std::string>(std::string("}") + end)},
                 "application/json; charset=utf-8");
  return answered;
}

// Polls answered one after the other over one held reply, a line each: while states come
// fast the page makes no request for each. Each line answers a poll after the version the
// last one carried.
void WebServer::stream_reply(const http::Request& req, uint64_t after, http::Response& res) {
  const bool patches = req.get_param_value("patch") == "1";
  const std::optional<Answered> answered =
      state_reply(req.parts > 0 ? req.mark : after, patches, req.last_call, "\n", res);
  if (!answered) return;
  res.set_header("Content-Type", "application/x-ndjson; charset=utf-8");
  if (answered->ended || req.parts + 1 >= kStreamParts) return;
  const auto left = req.received + options_.poll_timeout - http::Clock::now();
  if (left > http::Clock::duration::zero()) res.stream(answered->version, left);
}

void WebServer::publish(std::string state) {
  {
    std::lock_guard lock(mutex_);
    if (ended_ || (state_ && state == *state_)) return;
    state_ = std::make_shared<const std::string>(std::move(state));
    write_state_ = nullptr;
    patches_.clear();
    ++version_;
    published_at_ = wall_clock_ms();
  }
  if (http_) http_->wake();
}

void WebServer::publish(std::shared_ptr<const nlohmann::json> state, std::string patch) {
  publish(
      [state = std::move(state)] {
        return state->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
      },
      std::move(patch));
}

void WebServer::publish(std::function<std::string()> write_state, std::string patch) {
  {
    std::lock_guard lock(mutex_);
    if (ended_) return;
    write_state_ = std::move(write_state);
    state_.reset();
    ++version_;
    published_at_ = wall_clock_ms();
    if (patch.empty()) {
      patches_.clear();
    } else {
      patches_.push_back({version_, std::make_shared<const std::string>(std::move(patch))});
      if (patches_.size() > kPatchesKept) patches_.pop_front();
    }
  }
  if (http_) http_->wake();
}

int64_t WebServer::ms_since_last_poll() const {
  const int64_t last = last_poll_ms_;
  return last < 0 ? -1 : steady_ms() - last;
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
  // The waiting polls hear of the end before the server stops.
  if (http_) http_->stop();
}

}  // namespace pv
