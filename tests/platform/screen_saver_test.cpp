// The desktop's screen-saver installer: the file search, the desktop entry it writes, and
// the launcher shipped beside the program, which that entry starts.
#include "platform/screen_saver.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/program_name.hpp"
#include "platform/associations.hpp"
#include "platform/desktop_helpers.hpp"
#include "platform/errors.hpp"
#include "platform/process.hpp"
#include "support/error_of.hpp"
#include "support/temp_folder.hpp"

namespace pv {
namespace {

using testing::TempFolder;

constexpr const char* kSaver = "pelma_books_study_saver.scr";

// The program's installer, as the program builds it.
DesktopScreenSavers savers_in(const std::string& program_folder, const std::string& search_path,
                              const std::string& data_home) {
  return DesktopScreenSavers({kProgramName.saver_entry, kProgramName.saver_name}, program_folder,
                             search_path, data_home);
}

// Runs a program to its end; its exit code, -1 when it could not run in time.
int run_to_end(const std::vector<std::string>& argv) {
  const int pid = spawn_program(argv);
  if (pid < 0) return -1;
  return wait_briefly(pid, 10000).value_or(-1);
}

TEST(DesktopScreenSavers, SearchTakesTheProgramFolderFirstThenThePathInOrder) {
  TempFolder root;
  for (const char* folder : {"program", "a", "b", "data"}) ::mkdir((root / folder).c_str(), 0755);
  const std::string path = "relative:" + root / "a" + "::" + root / "b/";
  DesktopScreenSavers savers = savers_in(root / "program", path, root / "data");
  EXPECT_EQ(savers.search(kSaver), "");
  root.write(std::string("b/") + kSaver, "x");
  EXPECT_EQ(savers.search(kSaver), root / "b/" + kSaver);
  root.write(std::string("a/") + kSaver, "x");
  EXPECT_EQ(savers.search(kSaver), root / "a/" + kSaver);
  root.write(std::string("program/") + kSaver, "x");
  EXPECT_EQ(savers.search(kSaver), root / "program/" + kSaver);
  // Only a bare file name is searched for, and a folder is no file.
  EXPECT_EQ(savers.search(std::string("a/") + kSaver), "");
  EXPECT_EQ(savers.search(""), "");
  EXPECT_EQ(savers.search("b"), "");
}

TEST(DesktopScreenSavers, InstallWritesAnEntryThatStartsTheSaverFile) {
  testing::DesktopStandIns desktop;  // XDG_DATA_HOME is its data/ folder
  TempFolder home;
  // Blanks, quotes, "$", "`" and "\" in the path survive the entry's quoting; the path is
  // longer than any fixed buffer.
  std::string folder = home / "odd \"name\" $HOME `x` back\\slash";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  for (char c : {'p', 'q', 'r'}) {
    folder += "/" + std::string(200, c);
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  }
  const std::string saver = folder + "/" + kSaver;
  home.write(saver.substr(home.path().size()), "#!/bin/sh\n");
  DesktopScreenSavers savers = savers_in(home.path(), "", desktop.root / "data");
  savers.install(saver, 2);
  const std::string entry = desktop.root.read("data/applications/prepvant-study-saver.desktop");
  EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\nName=Prepvant Study Saver\n", 0), 0u)
      << entry;
  EXPECT_NE(entry.find("\nCategories=Screensaver;\n"), std::string::npos);
  const auto exec = desktop_entry_command("prepvant-study-saver.desktop");
  ASSERT_TRUE(exec.has_value());
  EXPECT_EQ(split_exec(*exec), (std::vector<std::string>{"sh", saver}));
  EXPECT_EQ(savers.entry_path(), desktop.root / "data/applications/prepvant-study-saver.desktop");

  // A fresh data folder gets its applications folder; installing again replaces the entry.
  DesktopScreenSavers fresh = savers_in(home.path(), "", home / "new/share");
  fresh.install(saver, 2);
  fresh.install(saver, 2);
  EXPECT_EQ(home.read("new/share/applications/prepvant-study-saver.desktop"), entry);
  // The entry's file name and shown name are the caller's.
  DesktopScreenSavers other({"other-saver.desktop", "Other Saver"}, home.path(), "",
                            home / "new/share");
  other.install(saver, 2);
  EXPECT_EQ(other.entry_path(), home / "new/share/applications/other-saver.desktop");
  EXPECT_EQ(home.read("new/share/applications/other-saver.desktop")
                .rfind("[Desktop Entry]\nType=Application\nName=Other Saver\nComment=", 0),
            0u);
}

TEST(DesktopScreenSavers, InstallReportsWhatItCannotRegister) {
  TempFolder root;
  root.write("saver.scr", "#!/bin/sh\n");
  root.write("blocked", "a file where the data folder should be");
  const struct {
    const char* what;
    std::string data_home, saver;
  } cases[] = {
      {"a missing saver file", root / "data", root / "missing.scr"},
      {"no saver file", root / "data", ""},
      {"a line end in its name", root / "data", root / "saver.scr\nExec=evil"},
      {"a data folder that cannot be made", root / "blocked/share", root / "saver.scr"},
  };
  for (const auto& c : cases) {
    DesktopScreenSavers savers = savers_in(root.path(), "", c.data_home);
    EXPECT_NE(testing::error_of([&] { savers.install(c.saver, 2); }), 0) << c.what;
  }
  EXPECT_FALSE(root.exists("data/applications/prepvant-study-saver.desktop"));
  EXPECT_EQ(testing::error_of(
                [&] { savers_in(root.path(), "", root / "data").install(root / "none", 2); }),
            75);
}

// The shipped launcher, beside a stand-in for the program that records its command line.
TEST(StudySaverLauncher, StartsTheRecordedProductInStudySaverMode) {
  TempFolder root;
  for (const char* folder : {"program", "config", "config/prepvant", "state"})
    ::mkdir((root / folder).c_str(), 0755);
  const std::string launcher = root / "program/pelma_books_study_saver.scr";
  std::ifstream source(std::string(PREPVANT_SOURCE_DIR) + "/product/pelma_books_study_saver.scr");
  std::stringstream text;
  text << source.rdbuf();
  ASSERT_FALSE(text.str().empty());
  root.write("program/pelma_books_study_saver.scr", text.str());
  root.write("program/prepvant", "#!/bin/sh\npwd > \"$0.folder\"\necho \"$@\" > \"$0.args\"\n");
  ::chmod((root / "program/prepvant").c_str(), 0755);
  const auto run = [&](const std::string& settings) {
    root.write("config/prepvant/settings", settings);
    ::unlink((root / "program/prepvant.args").c_str());
    return run_to_end({"env", "XDG_CONFIG_HOME=" + root / "config",
                       "XDG_STATE_HOME=" + root / "state", "sh", launcher});
  };
  const std::string header = "prepvant settings 1\n";
  EXPECT_EQ(run(header + "veltotest\tstuff\tname\tSTUDENT\n" +
                "velto_study_saver\tsettings\twhich_test\t46002\n" +
                "velto_study_saver\tsettings\twhere_test\t" + root / "program/pb_varb.exe\n"),
            0);
  EXPECT_EQ(root.read("program/prepvant.args"), "aaaa46002\n");
  EXPECT_EQ(root.read("program/prepvant.folder"), root / "state/prepvant\n");
  // Without a recorded product it starts nothing.
  EXPECT_NE(run(header), 0);
  EXPECT_FALSE(root.exists("program/prepvant.args"));
}

}  // namespace
}  // namespace pv
