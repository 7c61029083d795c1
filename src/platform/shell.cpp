#include "platform/shell.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/associations.hpp"
#include "platform/errors.hpp"
#include "platform/process.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

bool ends_with_ignoring_case(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && iequals(s.substr(s.size() - suffix.size()), suffix);
}

// The attribute escapes a viewer page writes, undone.
std::string unescape_attribute(std::string_view v) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&#39;", '\''}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}};
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    bool replaced = false;
    if (v[i] == '&') {
      for (const auto& [entity, c] : kEntities) {
        if (v.substr(i, entity.size()) == entity) {
          out += c;
          i += entity.size() - 1;
          replaced = true;
          break;
        }
      }
      // Control characters are written as "&#N;".
      const auto semi = v.find(';', i);
      if (!replaced && v.substr(i, 2) == "&#" && semi != std::string_view::npos && semi - i <= 4) {
        const std::string_view digits = v.substr(i + 2, semi - i - 2);
        if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos) {
          out += static_cast<char>(std::stoi(std::string(digits)));
          i = semi;
          replaced = true;
        }
      }
    }
    if (!replaced) out += v[i];
  }
  return out;
}

// The shell result for the opener's exit code.
int result_of_exit(int code) {
  switch (code) {
    case 0:
      return kShellOpened;
    case 2:
      return kShellFileNotFound;  // the file does not exist
    case 5:
      return kShellAccessDenied;  // no permission to read it
    default:
      return kShellNoAssociation;  // no program could open it
  }
}

// A relative name that begins with "-" must not read as an option.
std::string as_operand(const std::string& target) {
  return !target.empty() && target[0] == '-' ? "./" + target : target;
}

}  // namespace

bool looks_like_link(std::string_view target) {
  return target.find("://") != std::string_view::npos || iequals(target.substr(0, 7), "mailto:");
}

std::optional<ViewerPage> parse_viewer_page(std::string_view html) {
  static constexpr std::string_view kSource = "<PARAM NAME='SRC' VALUE='";
  static constexpr std::string_view kPage = "PDF.setCurrentPage(";
  const auto src = html.find(kSource);
  if (src == std::string_view::npos) return std::nullopt;
  const auto from = src + kSource.size();
  const auto close = html.find('\'', from);
  if (close == std::string_view::npos) return std::nullopt;
  ViewerPage page{unescape_attribute(html.substr(from, close - from)), "1"};
  if (page.pdf_path.empty()) return std::nullopt;
  const auto call = html.find(kPage);
  if (call != std::string_view::npos) {
    const auto start = call + kPage.size();
    const auto end = html.find(')', start);
    const std::string_view digits =
        end == std::string_view::npos ? std::string_view() : html.substr(start, end - start);
    if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos)
      page.page = std::string(digits);
  }
  return page;
}

int PosixShell::open(const ShellCall& call) {
  const std::string& target = call.target;
  if (target.empty()) return kShellFileNotFound;
  if (!looks_like_link(target)) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
      const auto slash = target.rfind('/');
      const std::string folder =
          slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
      return ::stat(folder.c_str(), &st) == 0 ? kShellFileNotFound : kShellPathNotFound;
    }
    if (::access(target.c_str(), R_OK) != 0) return kShellAccessDenied;
    if (ends_with_ignoring_case(target, ".hta"))
      return open_viewer_page(target, call.working_folder);
  }
  return run_opener(target, call.working_folder);
}

int PosixShell::run_opener(const std::string& target, const std::string& folder) {
  if (!on_search_path("xdg-open")) return kShellNoAssociation;
  const int pid = spawn_program({"xdg-open", as_operand(target)}, folder);
  if (pid < 0) return kShellNoAssociation;
  const auto code = wait_briefly(pid, verdict_ms_);
  return code ? result_of_exit(*code) : kShellOpened;
}

int PosixShell::open_viewer_page(const std::string& path, const std::string& folder) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) return kShellAccessDenied;
  const auto page = parse_viewer_page(text.str());
  if (!page) return kShellNoAssociation;  // not a page this shell can show
  struct stat st {};
  if (::stat(page->pdf_path.c_str(), &st) != 0) return kShellFileNotFound;
  const std::string viewer = associations_.default_application("application/pdf");
  if (viewer.empty()) return kShellNoAssociation;
  const auto exec = desktop_entry_command(viewer);
  if (!exec) return run_opener(page->pdf_path, folder);
  const std::vector<std::string> argv = viewer_command(*exec, page->pdf_path, page->page);
  const int pid = spawn_program(argv, folder);
  if (pid < 0) return kShellNoAssociation;
  const auto code = wait_briefly(pid, 0);
  return code && *code != 0 ? kShellNoAssociation : kShellOpened;
}

int PosixShell::start(const std::vector<std::string>& argv, int) {
  const int pid = spawn_program(argv);
  if (pid < 0) raise_error(53);
  return pid;
}

}  // namespace pv
