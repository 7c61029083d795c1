#include "web/launch_page.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/html_parser.hpp"

namespace pv {
namespace {

// A folder of our own: a run-time folder only we can enter, else the temporary folder.
std::string private_or_temporary_folder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (runtime != nullptr && runtime[0] == '/' && ::lstat(runtime, &st) == 0 &&
      S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0)
    return runtime;
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
}

std::string parent_folder() {
  std::string folder = private_or_temporary_folder();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

LaunchPage::LaunchPage(const std::string& address) {
  // mkdtemp makes the folder with mode 0700 under a name nobody can guess.
  std::string folder = parent_folder() + "/prepvant-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr)
    throw std::runtime_error("cannot make a folder for the launch page: " +
                             std::string(std::strerror(errno)));
  folder_ = folder;
  path_ = folder_ + "/open.html";
  const std::string a = html_escaped(address);
  const std::string page =
      "<!DOCTYPE html>\n<meta charset=\"utf-8\">\n<meta name=\"referrer\" "
      "content=\"no-referrer\">\n"
      "<meta http-equiv=\"refresh\" content=\"0; url=" +
      a + "\">\n<a href=\"" + a + "\">" + a + "</a>\n";
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  bool written =
      fd >= 0 && ::write(fd, page.data(), page.size()) == static_cast<ssize_t>(page.size());
  if (fd >= 0) written = ::close(fd) == 0 && written;
  if (!written) {
    const std::string why = std::strerror(errno);
    ::unlink(path_.c_str());
    ::rmdir(folder_.c_str());
    throw std::runtime_error("cannot write the launch page: " + why);
  }
}

LaunchPage::~LaunchPage() {
  ::unlink(path_.c_str());
  ::rmdir(folder_.c_str());
}

}  // namespace pv
