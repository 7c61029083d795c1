#include "platform/associations.hpp"

#include <gtest/gtest.h>

#include "platform/desktop_helpers.hpp"

namespace pv {
namespace {

using Argv = std::vector<std::string>;

TEST(DesktopEntries, ExecLinesSplitAsDesktopEntriesQuote) {
  EXPECT_EQ(split_exec("viewer --new  %U"), (Argv{"viewer", "--new", "%U"}));
  EXPECT_EQ(split_exec("\"/opt/my viewer/run\" \"a \\\"b\\\"\" %f"),
            (Argv{"/opt/my viewer/run", "a \"b\"", "%f"}));
  EXPECT_EQ(split_exec(""), Argv{});
}

TEST(DesktopEntries, ViewersGetThePageInTheirOwnForm) {
  const std::string pdf = "/books/my book.pdf";
  const std::string url = "file:///books/my%20book.pdf";
  EXPECT_EQ(viewer_command("evince %U", pdf, "45"), (Argv{"evince", "--page-index=45", url}));
  EXPECT_EQ(viewer_command("/usr/bin/atril %U", pdf, "3"),
            (Argv{"/usr/bin/atril", "--page-index=3", url}));
  EXPECT_EQ(viewer_command("okular %U", pdf, "45"), (Argv{"okular", "-p", "45", url}));
  EXPECT_EQ(viewer_command("zathura %f", pdf, "45"), (Argv{"zathura", "--page=45", pdf}));
  EXPECT_EQ(viewer_command("mupdf %f", pdf, "45"), (Argv{"mupdf", pdf, "45"}));
  EXPECT_EQ(viewer_command("qpdfview --unique %F", pdf, "45"),
            (Argv{"qpdfview", "--unique", pdf + "#45"}));
  EXPECT_EQ(viewer_command("firefox %u", pdf, "45"), (Argv{"firefox", url + "#page=45&zoom=100"}));
  EXPECT_EQ(viewer_command("env GDK_BACKEND=x11 chromium %U", pdf, "2"),
            (Argv{"env", "GDK_BACKEND=x11", "chromium", url + "#page=2&zoom=100"}));
  // Unknown viewers, entries without a field code, and the other field codes.
  EXPECT_EQ(viewer_command("reader %i --title=%c 100%% %f %F", pdf, "45"),
            (Argv{"reader", "100%", pdf}));
  EXPECT_EQ(viewer_command("reader", pdf, "45"), (Argv{"reader", pdf}));
  EXPECT_EQ(viewer_command("", pdf, "45"), Argv{});
}

TEST(DesktopEntries, FoundInTheUsersApplicationsFolder) {
  testing::DesktopStandIns desktop;
  desktop.root.write("data/applications/v.desktop",
                     "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nName=V\nExecArgs=no\n"
                     "Exec = v\\s--x %U\r\n");
  EXPECT_EQ(desktop_entry_command("v.desktop"), "v --x %U");
  EXPECT_EQ(desktop_entry_command("none.desktop"), std::nullopt);
  EXPECT_EQ(desktop_entry_command("../data/applications/v.desktop"), std::nullopt);
}

TEST(FileAssociations, PdfCountsAsItsDocumentClassWhenAViewerIsInstalled) {
  testing::DesktopStandIns desktop;
  DesktopFileAssociations associations;
  EXPECT_EQ(associations.default_application("application/pdf"), "");  // no helper
  EXPECT_EQ(registered_class(associations, ".pdf"), "");
  desktop.program("xdg-mime", "echo ' viewer.desktop'");
  EXPECT_EQ(associations.default_application("application/pdf"), "viewer.desktop");
  EXPECT_EQ(desktop.record("xdg-mime"), "query\ndefault\napplication/pdf\n");
  EXPECT_EQ(registered_class(associations, ".pdf"), "AcroExch.Document");
  EXPECT_EQ(registered_class(associations, ".Pdf"), "AcroExch.Document");
  EXPECT_EQ(registered_class(associations, ".doc"), "");
  desktop.program("xdg-mime", "echo viewer.desktop; exit 4");
  EXPECT_EQ(registered_class(associations, ".pdf"), "");
}

}  // namespace
}  // namespace pv
