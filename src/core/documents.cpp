#include "core/documents.hpp"

#include "core/system.hpp"
#include "platform/associations.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/html_parser.hpp"
#include "platform/shell.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

// A file name goes to the shell as the path it stands for here, so that the program's
// current folder, not the process's, is the one meant.
std::string shell_target(const System& sys, const std::string& target) {
  return target.empty() || looks_like_link(target) ? target : sys.files.resolve(target);
}

// The page as the script's number: digits, or 1.
std::string script_page(const std::string& page) {
  const std::string p = trim(page);
  return !p.empty() && p.find_first_not_of("0123456789") == std::string::npos ? p : "1";
}

std::string base_name(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void shell_open(System& sys, Form& window, const std::string& target, int32_t show) {
  ShellCall call;
  call.target = shell_target(sys, target);
  call.show = show;
  call.parent = window.name();
  sys.shell.open(call);
}

int32_t shell_open_maximized(System& sys, const std::string& target, const std::string& folder,
                             const std::string&) {
  ShellCall call;
  call.target = shell_target(sys, target);
  call.working_folder = folder.empty() ? folder : sys.files.resolve(folder);
  call.show = 3;
  return sys.shell.open(call);
}

std::string shell_error_text(System& sys, int32_t code, int16_t show_box) {
  if (code >= 33) return {};
  std::string message;
  switch (code) {
    case 2:
      message = "File not found";
      break;
    case 3:
      message = "Path not found";
      break;
    case 5:
      message = "Access denied";
      break;
    case 8:
      message = "Out of memory";
      break;
    case 11:
      message = "Invalid EXE file or error in EXE image";
      break;
    case 26:
      message = "A sharing violation occurred";
      break;
    case 27:
      message = "Incomplete or invalid file association";
      break;
    case 28:
      message = "DDE Time out";
      break;
    case 29:
      message = "DDE transaction failed";
      break;
    case 30:
      message = "DDE busy";
      break;
    case 31:
      message = std::string(
                    "Please install the Adobe Acrobat Reader to view PDF files.  You can "
                    "download this program from ") +
                kPdfReaderSite;
      break;
    case 32:
      message = "DLL not found";
      break;
    default:
      message = "Unknown error";
  }
  if (show_box != 0) sys.dialogs.msgbox(message, vbOKOnly | vbCritical, "Error:");
  return message;
}

int32_t check_file_association(System& sys, const std::string& extension,
                               const std::string& handler) {
  return registered_class(sys.associations, extension) == handler ? 1 : 0;
}

std::string make_pdf_viewer(System& sys, const std::string& page, const std::string& pdf_path) {
  // 1. The page with its two placeholders.
  std::string text = std::string(vbCrLf) +
                     "<html><head><title>Pelma Books PDF Viewer   </title></head>\r\n"
                     "<body bgcolor='#FFFFFF'><OBJECT id=PDF height=100% width=100% "
                     "classid='clsid:CA8A9780-280D-11CF-A24D-444553540000'>\r\n"
                     "<PARAM NAME='SRC' VALUE='ZZFILE'>\r\n"
                     "</OBJECT> <script language=javascript>\r\n"
                     "PDF.setLayoutMode('PDFLayoutOneColumn');\r\n"
                     "PDF.setZoom('100');\r\n"
                     "PDF.setShowScrollbars(true);\r\n"
                     "PDF.setCurrentPage(ZZPAGENUM);\r\n"
                     "</script></body></html>";
  // 2. The page number, then the file, each in the form its place takes.
  text = replace(text, "ZZPAGENUM", script_page(page));
  text = replace(text, "ZZFILE", html_escaped(pdf_path));
  // 3. One print: the text and a line end. An installed program's folder is read-only
  // for its users; the page then goes to the per-user cache folder.
  text += vbCrLf;
  std::string path = pdf_path + ".hta";
  try {
    sys.files.write_all(path, text);
  } catch (const RuntimeError&) {
    const std::string folder = sys.files.cache_folder();
    if (folder.empty()) throw;  // "" would name the current folder
    make_folders(sys.files, folder);
    path = folder + base_name(pdf_path) + ".hta";
    sys.files.write_all(path, text);
  }
  // 4. The page's path.
  return path;
}

void offer_pdf_reader(System& sys, Form& owner) {
  if (sys.dialogs.msgbox(kPdfReaderQuestion, vbYesNo, kPdfReaderTitle) != vbYes) return;
  shell_open(sys, owner, kPdfReaderDownloadPage, 3);
}

}  // namespace pv
