#include "platform/filesystem.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/errors.hpp"
#include "platform/random.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

bool is_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool is_folder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool path_exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Finds `entry` in `folder` ignoring letter case; "" when there is none.
std::string find_ignoring_case(const std::string& folder, const std::string& entry) {
  DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (dir == nullptr) return {};
  std::string found;
  while (const dirent* e = ::readdir(dir)) {
    if (iequals(e->d_name, entry)) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

[[noreturn]] void raise_for_errno(int err, bool reading) {
  switch (err) {
    case ENOENT:
      raise_error(reading ? 53 : 76);
    case ENOTDIR:
      raise_error(76);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      raise_error(75);
    case ENOSPC:
      raise_error(61);
    default:
      raise_error(75);
  }
}

// 0, or the errno of the failed write.
int write_fd_all(int fd, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

// Writes what `produce` puts to `fd`, gathered into writes of a buffer's size: a content
// put line by line costs no more calls than one put whole. A failed write raises.
void produce_into(int fd, const Producer& produce) {
  constexpr size_t kBuffer = 65536;
  std::string buffer;
  const auto flush = [&] {
    if (const int err = write_fd_all(fd, buffer); err != 0) raise_for_errno(err, false);
    buffer.clear();
  };
  produce([&](std::string_view piece) {
    if (buffer.size() + piece.size() > kBuffer) flush();
    if (piece.size() >= kBuffer) {
      if (const int err = write_fd_all(fd, piece); err != 0) raise_for_errno(err, false);
    } else {
      buffer += piece;
    }
  });
  flush();
}

Producer whole(std::string_view content) {
  return [content](const std::function<void(std::string_view)>& put) { put(content); };
}

void write_with_flags(const std::string& path, const Producer& produce, int flags) {
  const int fd = ::open(path.c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) raise_for_errno(errno, false);
  try {
    produce_into(fd, produce);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) raise_error(57);
}

// Reads a descriptor it owns.
class DiskFileReader final : public FileReader {
 public:
  explicit DiskFileReader(int fd) : fd_(fd) {}
  ~DiskFileReader() override { ::close(fd_); }
  DiskFileReader(const DiskFileReader&) = delete;
  DiskFileReader& operator=(const DiskFileReader&) = delete;

  size_t read(char* buffer, size_t size) override {
    while (true) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<size_t>(n);
      if (errno != EINTR) raise_error(errno == EISDIR ? 75 : 57);  // a folder is no file
    }
  }

 private:
  int fd_;
};

// A name with a NUL would name another file once it reaches the system.
void check_name(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) raise_error(52);
}

constexpr std::string_view kTemporaryMark = ".pvtmp-";
constexpr int kTemporaryHexDigits = 16;

std::string temporary_suffix() {
  std::optional<std::string> hex = random_hex(kTemporaryHexDigits / 2);
  if (!hex) raise_error(75);
  return std::move(*hex);
}

// A new temporary file beside `path` under a name nobody can guess, never through a link
// someone planted: its descriptor, and its name in `temp`.
int create_temporary(const std::string& path, std::string& temp) {
  const std::string folder = folder_of(path);
  const std::string base = path.substr(folder.size());
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp = folder + "." + base + std::string(kTemporaryMark) + temporary_suffix();
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) return fd;
    if (errno != EEXIST) raise_for_errno(errno, false);
  }
  raise_error(75);
}

// After a rename the folder's own entry must reach the disk too, or a crash can lose it.
void sync_folder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool is_temporary_name(std::string_view name) {
  const size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string_view::npos ||
      name.size() - mark - kTemporaryMark.size() != kTemporaryHexDigits)
    return false;
  return name.substr(mark + kTemporaryMark.size()).find_first_not_of("0123456789abcdef") ==
         std::string_view::npos;
}

}  // namespace

std::vector<std::string> split_lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> read_lines(const FileSystem& files, std::string_view name) {
  return split_lines(files.read_all(name));
}

std::string join_lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void append_line(FileSystem& files, std::string_view name, std::string_view line) {
  std::string text(line);
  text += "\r\n";
  files.append(name, text);
}

std::string folder_of(std::string_view path) {
  const auto p = path.rfind('/');
  return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

std::string with_trailing_slash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void make_folders(FileSystem& files, std::string_view folder) {
  const std::string path = replace(folder, "\\", "/");
  for (size_t slash = path.find('/', 1); true; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (!part.empty() && !files.folder_exists(part)) files.make_folder(part);
    if (slash == std::string::npos || slash + 1 == path.size()) break;
  }
}

DiskFileSystem::DiskFileSystem(std::string current_folder, std::string program_folder,
                               std::string cache_folder)
    : current_(with_trailing_slash(std::move(current_folder))),
      program_(with_trailing_slash(std::move(program_folder))),
      cache_(cache_folder.empty() ? std::string() : with_trailing_slash(std::move(cache_folder))) {}

std::string DiskFileSystem::default_cache_folder(std::string_view program_folder) {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  const std::string root = cache != nullptr && cache[0] == '/'
                               ? std::string(cache)
                               : std::string(home != nullptr ? home : "") + "/.cache";
  return root + '/' + std::string(program_folder) + '/';
}

void DiskFileSystem::set_current_folder(std::string folder) {
  current_ = with_trailing_slash(std::move(folder));
}

std::string DiskFileSystem::resolve(std::string_view name) const {
  std::string path = replace(name, "\\", "/");
  if (path.empty() || path[0] != '/') path = current_ + path;
  if (path_exists(path)) return path;
  // Walk the components, replacing each missing one by a differently-cased match.
  std::string resolved;
  size_t i = 1;
  while (i <= path.size()) {
    size_t next = path.find('/', i);
    if (next == std::string::npos) next = path.size();
    const std::string entry = path.substr(i, next - i);
    if (!entry.empty()) {
      std::string candidate = resolved + "/" + entry;
      if (!path_exists(candidate)) {
        const std::string match = find_ignoring_case(resolved, entry);
        if (match.empty()) return path;
        candidate = resolved + "/" + match;
      }
      resolved = candidate;
    }
    i = next + 1;
  }
  if (!path.empty() && path.back() == '/') resolved += '/';
  return resolved;
}

bool DiskFileSystem::exists(std::string_view name) const {
  return name.find('\0') == std::string_view::npos && is_file(resolve(name));
}

bool DiskFileSystem::folder_exists(std::string_view name) const {
  return name.find('\0') == std::string_view::npos && is_folder(resolve(name));
}

std::unique_ptr<FileReader> DiskFileSystem::open_reader(std::string_view name) const {
  check_name(name);
  // The exact name first: the page head is read for every question, so the common case
  // costs no more calls than it must.
  std::string path = replace(name, "\\", "/");
  if (path.empty() || path[0] != '/') path = current_ + path;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    path = resolve(name);
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT && !is_folder(folder_of(path))) raise_error(76);
    raise_for_errno(err, true);
  }
  return std::make_unique<DiskFileReader>(fd);
}

std::string DiskFileSystem::read_all(std::string_view name) const {
  const std::unique_ptr<FileReader> reader = open_reader(name);
  std::string content;
  char buf[65536];
  while (const size_t n = reader->read(buf, sizeof buf)) content.append(buf, n);
  return content;
}

void DiskFileSystem::check_writable(const std::string&) const {}

void DiskFileSystem::write_all(std::string_view name, std::string_view content) {
  write_all_from(name, whole(content));
}

void DiskFileSystem::write_all_from(std::string_view name, const Producer& produce) {
  check_name(name);
  const std::string path = resolve(name);
  check_writable(path);
  write_with_flags(path, produce, O_TRUNC);
}

void DiskFileSystem::append(std::string_view name, std::string_view content) {
  check_name(name);
  const std::string path = resolve(name);
  check_writable(path);
  write_with_flags(path, whole(content), O_APPEND);
}

void DiskFileSystem::replace_atomic(std::string_view name, std::string_view content) {
  replace_atomic_from(name, whole(content));
}

void DiskFileSystem::replace_atomic_from(std::string_view name, const Producer& produce) {
  check_name(name);
  const std::string path = resolve(name);
  check_writable(path);
  std::string temp;
  const int fd = create_temporary(path, temp);
  try {
    produce_into(fd, produce);
  } catch (...) {
    ::close(fd);
    ::unlink(temp.c_str());  // a failed write leaves nothing behind
    throw;
  }
  const bool synced = ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  const int rename_err = synced && closed && ::rename(temp.c_str(), path.c_str()) != 0 ? errno : 0;
  if (!synced || !closed || rename_err != 0) {
    ::unlink(temp.c_str());
    if (rename_err != 0) raise_for_errno(rename_err, false);
    raise_error(57);
  }
  sync_folder(folder_of(path));
}

void DiskFileSystem::remove(std::string_view name) {
  check_name(name);
  const std::string path = resolve(name);
  check_writable(path);
  if (!is_file(path)) raise_error(53);
  if (::unlink(path.c_str()) != 0) raise_for_errno(errno, false);
}

void DiskFileSystem::remove_every_case(std::string_view name) {
  check_name(name);
  const std::string path = resolve(name);
  const size_t slash = path.rfind('/');
  const std::string folder = path.substr(0, slash);
  const std::string entry = path.substr(slash + 1);
  std::vector<std::string> found;
  if (DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str())) {
    while (const dirent* e = ::readdir(dir))
      if (iequals(e->d_name, entry)) found.push_back(folder + "/" + e->d_name);
    ::closedir(dir);
  }
  for (const std::string& file : found) {
    if (!is_file(file)) continue;
    check_writable(file);
    if (::unlink(file.c_str()) != 0) raise_for_errno(errno, false);
  }
}

void DiskFileSystem::make_folder(std::string_view name) {
  check_name(name);
  const std::string path = resolve(name);
  check_writable(path);
  if (::mkdir(path.c_str(), 0755) != 0) raise_for_errno(errno, false);
}

void sweep_temporary_files(const std::string& folder, std::chrono::seconds older_than) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  const auto now = std::chrono::system_clock::now();
  while (const dirent* e = ::readdir(dir)) {
    if (!is_temporary_name(e->d_name)) continue;
    const std::string path = with_trailing_slash(folder) + e->d_name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const auto changed = std::chrono::system_clock::from_time_t(st.st_mtime);
    if (now - changed >= older_than) ::unlink(path.c_str());
  }
  ::closedir(dir);
}

}  // namespace pv
