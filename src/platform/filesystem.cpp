#include "platform/filesystem.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/errors.hpp"
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

void write_fd_all(int fd, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      raise_for_errno(err, false);
    }
    done += static_cast<size_t>(n);
  }
}

void write_with_flags(const std::string& path, std::string_view content, int flags) {
  const int fd = ::open(path.c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) raise_for_errno(errno, false);
  write_fd_all(fd, content);
  if (::close(fd) != 0) raise_error(57);
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
      cache_(with_trailing_slash(std::move(cache_folder))) {}

std::string DiskFileSystem::default_cache_folder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/prepvant/";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.cache/prepvant/";
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
  return is_file(resolve(name));
}

bool DiskFileSystem::folder_exists(std::string_view name) const {
  return is_folder(resolve(name));
}

std::string DiskFileSystem::read_all(std::string_view name) const {
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
  std::string content;
  char buf[65536];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      const int err = errno;
      if (err == EINTR) continue;
      ::close(fd);
      raise_error(err == EISDIR ? 75 : 57);  // a folder is no file to read
    }
    if (n == 0) break;
    content.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return content;
}

void DiskFileSystem::check_writable(const std::string&) const {}

void DiskFileSystem::write_all(std::string_view name, std::string_view content) {
  const std::string path = resolve(name);
  check_writable(path);
  write_with_flags(path, content, O_TRUNC);
}

void DiskFileSystem::append(std::string_view name, std::string_view content) {
  const std::string path = resolve(name);
  check_writable(path);
  write_with_flags(path, content, O_APPEND);
}

void DiskFileSystem::replace_atomic(std::string_view name, std::string_view content) {
  const std::string path = resolve(name);
  check_writable(path);
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) raise_for_errno(errno, false);
  write_fd_all(fd, content);
  const bool synced = ::fsync(fd) == 0;
  if (::close(fd) != 0 || !synced) {
    ::unlink(temp.c_str());
    raise_error(57);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    raise_for_errno(err, false);
  }
}

void DiskFileSystem::remove(std::string_view name) {
  const std::string path = resolve(name);
  check_writable(path);
  if (!is_file(path)) raise_error(53);
  if (::unlink(path.c_str()) != 0) raise_for_errno(errno, false);
}

void DiskFileSystem::make_folder(std::string_view name) {
  const std::string path = resolve(name);
  check_writable(path);
  if (::mkdir(path.c_str(), 0755) != 0) raise_for_errno(errno, false);
}

}  // namespace pv
