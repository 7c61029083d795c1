#include "platform/shell.hpp"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/associations.hpp"
#include "platform/desktop_helpers.hpp"
#include "platform/media.hpp"
#include "platform/process.hpp"
#include "support/fake_services.hpp"

namespace pv {
namespace {

class RealShell : public ::testing::Test {
 protected:
  int open(const std::string& target, const std::string& folder = "") {
    ShellCall call;
    call.target = target;
    call.working_folder = folder;
    return shell.open(call);
  }
  testing::DesktopStandIns desktop;
  FakeFileAssociations associations;
  PosixShell shell{associations, 2000};
};

TEST_F(RealShell, ResultsFollowWhatTheOpenerDid) {
  desktop.root.write("doc.txt", "x");
  const std::string doc = desktop.root / "doc.txt";
  EXPECT_EQ(open(doc), kShellNoAssociation);  // no opener at all
  desktop.program("xdg-open", "exit 0");
  EXPECT_EQ(open(doc, desktop.root / "bin"), kShellOpened);
  EXPECT_EQ(desktop.record("xdg-open"), doc + "\n");
  EXPECT_EQ(desktop.folder("xdg-open"), (desktop.root / "bin") + "\n");
  for (const auto& [code, result] : std::vector<std::pair<int, int>>{{2, kShellFileNotFound},
                                                                     {3, kShellNoAssociation},
                                                                     {4, kShellNoAssociation},
                                                                     {5, kShellAccessDenied},
                                                                     {1, kShellNoAssociation}}) {
    desktop.program("xdg-open", "exit " + std::to_string(code));
    EXPECT_EQ(open(doc), result) << code;
  }
}

TEST_F(RealShell, MissingFilesAndFoldersAreReportedBeforeAnythingStarts) {
  desktop.program("xdg-open");
  EXPECT_EQ(open(desktop.root / "none.txt"), kShellFileNotFound);
  EXPECT_EQ(open(desktop.root / "no/none.txt"), kShellPathNotFound);
  EXPECT_EQ(open(""), kShellFileNotFound);
  EXPECT_FALSE(desktop.root.exists("xdg-open.record"));
}

TEST_F(RealShell, LinksGoToTheOpenerAsTheyAre) {
  desktop.program("xdg-open");
  const std::string link = "mailto:?subject= a b &BODY=x%0d%0ay";
  EXPECT_EQ(open(link), kShellOpened);
  EXPECT_EQ(desktop.record("xdg-open"), link + "\n");
}

TEST_F(RealShell, AnOpenerStillRunningCountsAsOpened) {
  desktop.root.write("doc.txt", "x");
  desktop.program("xdg-open", "sleep 5");
  PosixShell quick(associations, 100);
  ShellCall call;
  call.target = desktop.root / "doc.txt";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(quick.open(call), kShellOpened);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(RealShell, ViewerPageOpensThePdfAtItsPage) {
  desktop.root.write("my book.pdf", "%PDF-1.4");
  const std::string pdf = desktop.root / "my book.pdf";
  desktop.root.write("page.hta",
                     "\r\n<PARAM NAME='SRC' VALUE='" + pdf + "'>\r\nPDF.setCurrentPage(45);\r\n");
  const std::string hta = desktop.root / "page.hta";
  EXPECT_EQ(open(hta), kShellNoAssociation);  // no PDF viewer

  associations.defaults["application/pdf"] = "viewer.desktop";
  desktop.desktop_entry("viewer.desktop", desktop.program("evince") + " %U");
  EXPECT_EQ(open(hta), kShellOpened);
  EXPECT_EQ(desktop.record("evince"), "--page-index=45\n" + file_url(pdf) + "\n");

  // A viewer the shell does not know opens the document through the opener.
  associations.defaults["application/pdf"] = "missing.desktop";
  desktop.program("xdg-open");
  EXPECT_EQ(open(hta), kShellOpened);
  EXPECT_EQ(desktop.record("xdg-open"), pdf + "\n");

  desktop.root.write("gone.hta", "<PARAM NAME='SRC' VALUE='" + (desktop.root / "gone.pdf") + "'>");
  EXPECT_EQ(open(desktop.root / "gone.hta"), kShellFileNotFound);
}

TEST(ViewerPage, ReadsTheEscapedPathAndThePage) {
  const auto page = parse_viewer_page(
      "<PARAM NAME='SRC' VALUE='/b/it&#39;s &amp; &lt;&gt;&quot;&#10;.pdf'>\r\n"
      "PDF.setCurrentPage(0012);");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->pdf_path, "/b/it's & <>\"\n.pdf");
  EXPECT_EQ(page->page, "0012");
  EXPECT_EQ(parse_viewer_page("<PARAM NAME='SRC' VALUE='/a.pdf'>PDF.setCurrentPage(x);")->page,
            "1");
  EXPECT_EQ(parse_viewer_page("<PARAM NAME='SRC' VALUE='/a.pdf'>")->page, "1");
  EXPECT_FALSE(parse_viewer_page("<PARAM NAME='SRC' VALUE=''>"));
  EXPECT_FALSE(parse_viewer_page("<PARAM NAME='SRC' VALUE='/a.pdf"));
  EXPECT_FALSE(parse_viewer_page(""));
}

TEST(RealMedia, PlaysWithTheDesktopsPlayer) {
  testing::DesktopStandIns desktop;
  DesktopMedia media;
  desktop.root.write("my video.wmv", "v");
  const std::string video = desktop.root / "my video.wmv";
  EXPECT_EQ(media.command("play " + desktop.root.path() + "none.wmv  "), 275);
  EXPECT_EQ(media.command("stop " + video), 261);
  EXPECT_EQ(media.command("play"), 261);
  desktop.program("xdg-open");
  EXPECT_EQ(media.command("play " + video + "  "), 0);
  EXPECT_EQ(desktop.record("xdg-open"), video + "\n");
}

TEST(Processes, CaptureEndsOnTimeAndOnFailure) {
  testing::DesktopStandIns desktop;
  desktop.program("talker", "echo said; exit 0");
  desktop.program("failer", "echo said; exit 1");
  desktop.program("sleeper", "sleep 5");
  EXPECT_EQ(run_and_capture({"talker"}, 3000), "said\n");
  EXPECT_EQ(run_and_capture({"failer"}, 3000), std::nullopt);
  EXPECT_EQ(run_and_capture({"absent"}, 3000), std::nullopt);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(run_and_capture({"sleeper"}, 200), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_TRUE(on_search_path("talker"));
  EXPECT_FALSE(on_search_path("absent"));
}

}  // namespace
}  // namespace pv
