// Handing documents, web addresses and mail links to the desktop's shell, and the PDF
// reader hand-over of the Review Chapter button.
#pragma once

#include <cstdint>
#include <string>

namespace pv {

struct System;
class Form;

// The question of the PDF reader box, asked by offer_pdf_reader and by the Review
// Chapter button when no reader is registered.
inline constexpr const char* kPdfReaderQuestion =
    "Adobe Acrobat Reader is required to view PDF files.  Would you like to visit Adobe to "
    "install Acrobat Reader?";
inline constexpr const char* kPdfReaderTitle = "Adobe Acrobat not Found";
inline constexpr const char* kPdfReaderSite = "https://www.adobe.com";
inline constexpr const char* kPdfReaderDownloadPage =
    "https://www.adobe.com/products/acrobat/readstep2.html";

// Opens a document (relative to the current folder unless it names a folder), an
// address or a mail link with the program the desktop has for it, `window` as the
// parent. A failure shows nothing.
void shell_open(System& sys, Form& window, const std::string& target, int32_t show);
// Opens `target` maximised with the desktop as parent and returns the shell's result
// (33 or more on success, 31 when no program opens it). `extra` is not used.
int32_t shell_open_maximized(System& sys, const std::string& target, const std::string& folder,
                             const std::string& extra);
// The words for a failed shell result ("" for 33 or more); shown in an error box too
// when `show_box` is True.
std::string shell_error_text(System& sys, int32_t code, int16_t show_box);

// 1 when the desktop registers exactly `handler` for `extension`, otherwise 0.
int32_t check_file_association(System& sys, const std::string& extension,
                               const std::string& handler);
// Writes the viewer page that shows `pdf_path` at `page` and returns its path: the PDF's
// path followed by ".hta", or the same name in the per-user cache folder when the PDF's
// folder refuses the write. Raises when it can write neither.
std::string make_pdf_viewer(System& sys, const std::string& page, const std::string& pdf_path);
// Offers the PDF reader's download page (Yes opens it maximised, `owner` as the parent).
void offer_pdf_reader(System& sys, Form& owner);

}  // namespace pv
