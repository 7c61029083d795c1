// Opening documents and links with the desktop's opener, and starting programs. Always an
// argument vector: no command shell ever sees a file name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

class FileAssociations;

struct ShellCall {
  std::string target;  // for open: the document or link; for start: argv joined by blanks
  std::string working_folder;
  int show = 1;
  std::string parent;  // name of the window that asked; "" for the desktop
  std::vector<std::string> argv;
};

// Shell results: 33 or more is success.
enum ShellResult : int {
  kShellFileNotFound = 2,
  kShellPathNotFound = 3,
  kShellAccessDenied = 5,
  kShellNoAssociation = 31,
  kShellOpened = 42,
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document, a web address or a "mailto:" link. Returns a code as the desktop
  // shell does: 33 or more on success; 2 file not found, 3 path not found, 5 access
  // denied, 31 no program to open it with.
  virtual int open(const ShellCall& call) = 0;
  // Starts a program without waiting for it. Returns the process id, or raises run-time
  // error 53 when the program cannot be started.
  virtual int start(const std::vector<std::string>& argv, int window_style) = 0;
};

// True for a web address, a "file://" address or a "mailto:" link; false for a file name.
bool looks_like_link(std::string_view target);

// What a PDF viewer page (".hta") asks for: the PDF and the page to show it at.
struct ViewerPage {
  std::string pdf_path;
  std::string page;  // digits
};
// Reads the page's "SRC" parameter and its "setCurrentPage" call; nothing when the page
// names no PDF. A page that is not a number reads as "1".
std::optional<ViewerPage> parse_viewer_page(std::string_view html);

// The desktop's opener ("xdg-open"). It is given `verdict_ms` to report that it cannot
// open a target; after that the target counts as opened. A viewer page opens the PDF it
// names at its page with the desktop's PDF viewer.
class PosixShell final : public Shell {
 public:
  explicit PosixShell(const FileAssociations& associations, int verdict_ms = 1500)
      : associations_(associations), verdict_ms_(verdict_ms) {}
  int open(const ShellCall& call) override;
  int start(const std::vector<std::string>& argv, int window_style) override;

 private:
  int open_viewer_page(const std::string& path, const std::string& folder);
  int run_opener(const std::string& target, const std::string& folder);

  const FileAssociations& associations_;
  int verdict_ms_;
};

}  // namespace pv
