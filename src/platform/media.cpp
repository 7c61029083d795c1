#include "platform/media.hpp"

#include <sys/stat.h>

#include "platform/process.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

// The multimedia interface's numbers for the refusals we can meet.
constexpr int kUnrecognizedCommand = 261;
constexpr int kFileNotFound = 275;
constexpr int kCannotStart = 263;

}  // namespace

int DesktopMedia::command(const std::string& text) {
  const std::string line = trim(replace(text, "\t", " "));
  const auto blank = line.find(' ');
  if (blank == std::string::npos || lcase(line.substr(0, blank)) != "play")
    return kUnrecognizedCommand;
  const std::string name = trim(line.substr(blank + 1));
  const bool address = name.find("://") != std::string::npos;
  struct stat st {};
  if (!address && ::stat(name.c_str(), &st) != 0) return kFileNotFound;
  // A name that begins with "-" must not read as an option of the opener.
  const int pid =
      spawn_program({"xdg-open", address ? name : (name[0] == '-' ? "./" + name : name)});
  if (pid < 0) return kCannotStart;
  wait_briefly(pid, 0);
  return 0;
}

}  // namespace pv
