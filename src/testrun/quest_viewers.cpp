// What the test window opens beside a question: its diagrams and exhibit in their own
// viewer windows, and the book chapter of its reference in the PDF reader.
#include "core/documents.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/quest.hpp"

namespace pv {

void quest::diagrambutton_Click(int Index) {
  std::string f;
  skip([&] { f = g.current_question.DiagramFile[Index + 1]; });
  if (f.empty()) return;
  Diagram& d = sys.forms.get<Diagram>();
  skip([&] { d.show(); });
  skip([&] { d.Image1.navigate(sys.files, g.media_folder + f); });
  skip([&] { d.refresh(); });
}

void quest::exhibitbutton_Click(int Index) {
  std::string f;
  skip([&] { f = g.current_question.ExhibitFile[Index + 1]; });
  if (f.empty()) return;
  Exhibit& e = sys.forms.get<Exhibit>();
  skip([&] {
    // Read whole before the box changes: a file that cannot be read leaves it as it was.
    std::string text;
    for (const std::string& line : read_lines(sys.files, g.media_folder + f))
      text += line + std::string(vbCrLf);
    e.load();
    // The exhibit replaces what the box held, so opening it again shows it once.
    e.text1.set_text(text);
  });
  skip([&] { e.show(); });
  skip([&] { e.refresh(); });
}

namespace {

bool begins_with_page(const std::string& reference, std::string& page) {
  const int64_t p = instr(reference, "##");
  if (p >= 1 && p <= 4) page = left(reference, p - 1);
  return p >= 5 || !page.empty();
}

}  // namespace

void quest::Command1_Click() {
  bool reader = false;
  skip([&] { reader = check_file_association(sys, ".pdf", "AcroExch.Document") == 1; });
  if (!reader) {
    skip([&] { offer_pdf_reader(sys, *this); });
    return;
  }
  skip([&] { g.book_pdf_path = g.book_pdf_paths[g.chosen_bank]; });
  skip([&] {
    if (g.current_question.ExhibitFile[3] == "new") g.book_pdf_path = g.book_pdf_paths[5];
  });
  // The file checked is the one the viewer opens.
  bool found = false;
  skip([&] { found = !g.book_pdf_path.empty() && sys.files.exists(g.book_pdf_path); });
  if (!found) {
    skip([&] { sys.dialogs.msgbox("Could not find " + g.book_pdf_path); });
    return;
  }
  bool go_on = true;
  skip([&] { go_on = begins_with_page(g.current_question.Reference, g.review_page); });
  if (!go_on) return;
  std::string viewer;
  skip([&] { viewer = make_pdf_viewer(sys, g.review_page, g.book_pdf_path); });
  int32_t r = 33;
  skip([&] { r = shell_open_maximized(sys, viewer, "", ""); });
  if (r == 31) {
    skip([&] { offer_pdf_reader(sys, *this); });
  } else if (r < 33) {
    skip([&] { shell_error_text(sys, r, vbTrue); });
  }
}

}  // namespace pv
