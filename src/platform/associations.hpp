// Which program the desktop opens a kind of document with, read from its MIME defaults,
// and how such a program is started on a document at a given page.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

class FileAssociations {
 public:
  virtual ~FileAssociations() = default;
  // The desktop entry ("viewer.desktop") that opens documents of this MIME type by
  // default, or "" when none does.
  virtual std::string default_application(const std::string& mime_type) const = 0;
};

// Asks the desktop ("xdg-mime query default TYPE"); "" when it cannot tell.
class DesktopFileAssociations final : public FileAssociations {
 public:
  std::string default_application(const std::string& mime_type) const override;
};

// The document class registered for a file extension (letter case ignored, as the
// desktop registry of the system's original platform does): ".pdf" is
// "AcroExch.Document" whenever a PDF viewer is installed. "" when nothing opens it.
std::string registered_class(const FileAssociations& associations, std::string_view extension);

// The command line of a desktop entry ("Exec="), found in the applications folders of
// $XDG_DATA_HOME and $XDG_DATA_DIRS; nothing when the entry is missing.
std::optional<std::string> desktop_entry_command(const std::string& entry_id);
// Splits an Exec value into its words (quoting and escapes as desktop entries have them).
std::vector<std::string> split_exec(std::string_view exec);
// The argument vector that starts a PDF viewer's Exec line on `pdf_path` at `page` (a
// page number in digits): the viewers known to take a page get it in their own form, web
// browsers get "#page=N" on the file's address; any other viewer opens the document.
std::vector<std::string> viewer_command(std::string_view exec, const std::string& pdf_path,
                                        const std::string& page);
// "file://" and the path with every byte outside the unreserved set percent-escaped.
std::string file_url(std::string_view path);

}  // namespace pv
