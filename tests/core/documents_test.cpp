#include "core/documents.hpp"

#include <gtest/gtest.h>

#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/shell.hpp"
#include "support/test_program.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

using testing::TestProgram;

TEST(ShellErrorText, EveryCode) {
  TestProgram t;
  const std::string unknown = "Unknown error";
  const std::map<int, std::string> known = {
      {2, "File not found"},
      {3, "Path not found"},
      {5, "Access denied"},
      {8, "Out of memory"},
      {11, "Invalid EXE file or error in EXE image"},
      {26, "A sharing violation occurred"},
      {27, "Incomplete or invalid file association"},
      {28, "DDE Time out"},
      {29, "DDE transaction failed"},
      {30, "DDE busy"},
      {31,
       "Please install the Adobe Acrobat Reader to view PDF files.  You can download this "
       "program from https://www.adobe.com"},
      {32, "DLL not found"}};
  for (int code = -1; code <= 32; ++code) {
    const auto it = known.find(code);
    EXPECT_EQ(shell_error_text(t.sys(), code, vbFalse), it == known.end() ? unknown : it->second)
        << code;
  }
  EXPECT_TRUE(t.dialogs->messages.empty());
  EXPECT_EQ(shell_error_text(t.sys(), 33, vbTrue), "");
  EXPECT_EQ(shell_error_text(t.sys(), 40, vbTrue), "");
  EXPECT_TRUE(t.dialogs->messages.empty());

  EXPECT_EQ(shell_error_text(t.sys(), 20, vbTrue), unknown);
  EXPECT_EQ(shell_error_text(t.sys(), 5, vbTrue), "Access denied");
  ASSERT_EQ(t.dialogs->messages.size(), 2u);
  EXPECT_EQ(t.dialogs->messages[0].text, unknown);
  EXPECT_EQ(t.dialogs->messages[1].text, "Access denied");
  EXPECT_EQ(t.dialogs->messages[1].title, "Error:");
  EXPECT_EQ(t.dialogs->messages[1].style, vbOKOnly | vbCritical);
}

TEST(ShellOpen, NamesThePathMeantAndIgnoresFailures) {
  TestProgram t;
  t.shell->open_result = kShellNoAssociation;
  quest& window = t.forms().get<quest>();
  shell_open(t.sys(), window, "notes.txt", 1);
  shell_open(t.sys(), window, "mailto:someone@example.org?subject=a b", 1);
  shell_open(t.sys(), window, "https://example.org/x", 3);
  ASSERT_EQ(t.shell->opened.size(), 3u);
  EXPECT_EQ(t.shell->opened[0].target, t.current / "notes.txt");
  EXPECT_EQ(t.shell->opened[0].parent, "quest");
  EXPECT_EQ(t.shell->opened[0].working_folder, "");
  EXPECT_EQ(t.shell->opened[1].target, "mailto:someone@example.org?subject=a b");
  EXPECT_EQ(t.shell->opened[2].target, "https://example.org/x");
  EXPECT_EQ(t.shell->opened[2].show, 3);
  EXPECT_TRUE(t.dialogs->messages.empty());
}

TEST(ShellOpen, MaximizedReturnsTheShellsResult) {
  TestProgram t;
  t.shell->open_result = 42;
  EXPECT_EQ(shell_open_maximized(t.sys(), t.program_folder / "book.pdf.hta", "", ""), 42);
  t.shell->open_result = kShellNoAssociation;
  EXPECT_EQ(shell_open_maximized(t.sys(), "book.pdf.hta", t.program_folder.path(), "ignored"), 31);
  ASSERT_EQ(t.shell->opened.size(), 2u);
  EXPECT_EQ(t.shell->opened[0].target, t.program_folder / "book.pdf.hta");
  EXPECT_EQ(t.shell->opened[0].show, 3);
  EXPECT_EQ(t.shell->opened[0].parent, "");
  EXPECT_EQ(t.shell->opened[1].target, t.current / "book.pdf.hta");
  EXPECT_EQ(t.shell->opened[1].working_folder, t.program_folder.path());
}

TEST(FileAssociation, OnlyTheExactHandlerMatches) {
  TestProgram t;
  EXPECT_EQ(check_file_association(t.sys(), ".pdf", "AcroExch.Document"), 0);  // no viewer
  t.associations->defaults["application/pdf"] = "viewer.desktop";
  EXPECT_EQ(check_file_association(t.sys(), ".pdf", "AcroExch.Document"), 1);
  EXPECT_EQ(check_file_association(t.sys(), ".PDF", "AcroExch.Document"), 1);
  EXPECT_EQ(check_file_association(t.sys(), ".pdf", "acroexch.document"), 0);
  EXPECT_EQ(check_file_association(t.sys(), ".pdf", "AcroExch.Document.7"), 0);
  EXPECT_EQ(check_file_association(t.sys(), ".pdf", "AcroExch"), 0);
  EXPECT_EQ(check_file_association(t.sys(), ".txt", "AcroExch.Document"), 0);
  EXPECT_EQ(check_file_association(t.sys(), ".txt", ""), 1);  // nothing registered reads as ""
}

TEST(PdfViewer, WritesThePageBesideThePdf) {
  TestProgram t;
  const std::string pdf = t.program_folder / "book.pdf";
  EXPECT_EQ(make_pdf_viewer(t.sys(), " 45 ", pdf), pdf + ".hta");
  EXPECT_EQ(t.program_folder.read("book.pdf.hta"),
            "\r\n"
            "<html><head><title>Pelma Books PDF Viewer   </title></head>\r\n"
            "<body bgcolor='#FFFFFF'><OBJECT id=PDF height=100% width=100% "
            "classid='clsid:CA8A9780-280D-11CF-A24D-444553540000'>\r\n"
            "<PARAM NAME='SRC' VALUE='" +
                pdf +
                "'>\r\n"
                "</OBJECT> <script language=javascript>\r\n"
                "PDF.setLayoutMode('PDFLayoutOneColumn');\r\n"
                "PDF.setZoom('100');\r\n"
                "PDF.setShowScrollbars(true);\r\n"
                "PDF.setCurrentPage(45);\r\n"
                "</script></body></html>\r\n");
  // Written again on every call.
  make_pdf_viewer(t.sys(), "7", pdf);
  EXPECT_NE(t.program_folder.read("book.pdf.hta").find("PDF.setCurrentPage(7);\r\n"),
            std::string::npos);
}

TEST(PdfViewer, EscapesThePathAndKeepsThePageANumber) {
  TestProgram t;
  const std::string pdf = t.program_folder / "it's <b>&\"x\".pdf";
  const std::string path = make_pdf_viewer(t.sys(), "45'); alert(1); ('", pdf);
  const std::string text = t.sys().files.read_all(path);
  EXPECT_NE(text.find("<PARAM NAME='SRC' VALUE='" + t.program_folder.path() +
                      "it&#39;s &lt;b&gt;&amp;&quot;x&quot;.pdf'>\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("PDF.setCurrentPage(1);\r\n"), std::string::npos);
  // What the shell reads back from the page is the PDF and the page meant.
  const auto page = parse_viewer_page(text);
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(page->pdf_path, pdf);
  EXPECT_EQ(page->page, "1");
  EXPECT_EQ(parse_viewer_page(t.sys().files.read_all(make_pdf_viewer(t.sys(), "12", pdf)))->page,
            "12");
  for (const char* odd : {"", "  ", "4 5", "-3", "1.5", "x"})
    EXPECT_NE(t.sys().files.read_all(make_pdf_viewer(t.sys(), odd, pdf)).find("setCurrentPage(1);"),
              std::string::npos)
        << odd;
}

TEST(PdfViewer, ReadOnlyProgramFolderWritesIntoTheCache) {
  TestProgram t;
  const std::string pdf = t.program_folder / "book.pdf";
  t.program_folder.write("book.pdf.hta", "stale");
  t.files->deny_writes_in(t.program_folder.path());
  const std::string path = make_pdf_viewer(t.sys(), "45", pdf);
  EXPECT_EQ(path, t.cache / "prepvant/book.pdf.hta");
  EXPECT_NE(t.cache.read("prepvant/book.pdf.hta").find("VALUE='" + pdf + "'"), std::string::npos);
  EXPECT_EQ(t.program_folder.read("book.pdf.hta"), "stale");

  // Neither place writable: an error, and no path of a page not written now.
  t.files->deny_writes_in(t.cache.path());
  std::string returned = "unset";
  EXPECT_THROW(returned = make_pdf_viewer(t.sys(), "46", pdf), RuntimeError);
  EXPECT_EQ(returned, "unset");
}

TEST(PdfReaderOffer, YesOpensTheDownloadPageMaximized) {
  TestProgram t;
  t.dialogs->answers = {vbNo, vbYes};
  quest& owner = t.forms().get<quest>();
  offer_pdf_reader(t.sys(), owner);
  EXPECT_TRUE(t.shell->opened.empty());
  offer_pdf_reader(t.sys(), owner);
  ASSERT_EQ(t.dialogs->messages.size(), 2u);
  EXPECT_EQ(t.dialogs->messages[0].text,
            "Adobe Acrobat Reader is required to view PDF files.  Would you like to visit Adobe "
            "to install Acrobat Reader?");
  EXPECT_EQ(t.dialogs->messages[0].title, "Adobe Acrobat not Found");
  EXPECT_EQ(t.dialogs->messages[0].style, vbYesNo);
  ASSERT_EQ(t.shell->opened.size(), 1u);
  EXPECT_EQ(t.shell->opened[0].target, "https://www.adobe.com/products/acrobat/readstep2.html");
  EXPECT_EQ(t.shell->opened[0].show, 3);
  EXPECT_EQ(t.shell->opened[0].parent, "quest");
}

}  // namespace
}  // namespace pv
