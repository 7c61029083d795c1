#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/error_of.hpp"

#include <algorithm>
#include <cstdlib>

#include "core/program_name.hpp"
#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/picture.hpp"
#include "platform/settings.hpp"
#include "support/fake_services.hpp"
#include "support/file_size_limit.hpp"
#include "support/temp_folder.hpp"

namespace pv {
namespace {

using testing::TempFolder;

using testing::error_of;

// A store of the program's settings file in `folder`.
FileSettingsStore settings_in(const std::string& folder,
                              FileSettingsStore::Reporter report = nullptr) {
  return FileSettingsStore(folder, kProgramName.settings_header, std::move(report));
}

TEST(FileSystem, NamesAreRelativeToTheCurrentFolderAndFoundWithoutRegardToCase) {
  TempFolder cur, prog;
  DiskFileSystem fs(cur.path(), prog.path());
  EXPECT_EQ(fs.program_folder(), prog.path());
  ::mkdir((prog / "Sims").c_str(), 0755);
  prog.write("Sims/OUT.ini", "[Answer]\r\n");
  EXPECT_TRUE(fs.exists(prog.path() + "sims\\out.ini"));
  EXPECT_EQ(fs.resolve(prog.path() + "sims\\out.ini"), prog.path() + "Sims/OUT.ini");
  cur.write("History.46000.BOB.htm", "x");
  EXPECT_EQ(fs.read_all("history.46000.bob.htm"), "x");
  EXPECT_FALSE(fs.exists("missing.txt"));
  EXPECT_FALSE(fs.exists(prog.path() + "Sims"));  // a folder is not a file
  EXPECT_TRUE(fs.folder_exists(prog.path() + "sims"));
}

TEST(FileSystem, ErrorsHaveTheRuntimesNumbers) {
  TempFolder cur;
  DiskFileSystem fs(cur.path(), cur.path());
  EXPECT_EQ(error_of([&] { fs.read_all("nothing.txt"); }), 53);
  EXPECT_EQ(error_of([&] { fs.read_all("no/such/folder.txt"); }), 76);
  EXPECT_EQ(error_of([&] { fs.write_all("no/such/folder.txt", "x"); }), 76);
  EXPECT_EQ(error_of([&] { fs.remove("nothing.txt"); }), 53);
}

TEST(FileSystem, LinesEndWithCrLfAndAreReadWhateverTheirEnds) {
  TempFolder cur;
  DiskFileSystem fs(cur.path(), cur.path());
  fs.write_all("a.txt", join_lines({"one", "", "three"}));
  EXPECT_EQ(cur.read("a.txt"), "one\r\n\r\nthree\r\n");
  append_line(fs, "a.txt", "four");
  EXPECT_EQ(read_lines(fs, "a.txt"), (std::vector<std::string>{"one", "", "three", "four"}));
  EXPECT_EQ(split_lines("a\rb\nc\r\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(split_lines(""), std::vector<std::string>{});
}

TEST(FileSystem, AtomicReplaceLeavesNoTemporaryFileAndReadOnlyFoldersRefuse) {
  TempFolder cur;
  FakeFileSystem fs(cur.path(), cur.path());
  fs.write_all("r.txt", "old");
  fs.replace_atomic("r.txt", "new");
  EXPECT_EQ(cur.read("r.txt"), "new");
  fs.deny_writes_in(cur.path());
  EXPECT_EQ(error_of([&] { fs.replace_atomic("r.txt", "newer"); }), 75);
  EXPECT_EQ(error_of([&] { append_line(fs, "error.log", "x"); }), 75);
  EXPECT_EQ(cur.read("r.txt"), "new");
  EXPECT_FALSE(cur.exists("error.log"));
}

std::vector<std::string> entries_of(const TempFolder& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.path().c_str());
  while (const dirent* e = ::readdir(dir))
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

// A link planted where an earlier version put its temporary file, a write that fails
// half-way and a rename that fails: no other file changes, and no temporary file stays.
TEST(FileSystem, AtomicReplaceNeverFollowsAPlantedLinkAndCleansUpAfterAFailure) {
  TempFolder cur, other;
  DiskFileSystem fs(cur.path(), cur.path());
  other.write("victim.txt", "precious");
  const std::string predictable = "results.txt.tmp" + std::to_string(::getpid());
  ASSERT_EQ(::symlink((other / "victim.txt").c_str(), (cur / predictable).c_str()), 0);
  fs.replace_atomic("results.txt", "new results");
  EXPECT_EQ(cur.read("results.txt"), "new results");
  EXPECT_EQ(other.read("victim.txt"), "precious");
  EXPECT_EQ(entries_of(cur), (std::vector<std::string>{"results.txt", predictable}));

  {
    testing::FileSizeLimit full(4);
    EXPECT_EQ(error_of([&] { fs.replace_atomic("results.txt", "longer than four bytes"); }), 75);
  }
  EXPECT_EQ(cur.read("results.txt"), "new results");
  ASSERT_EQ(::mkdir((cur / "folder").c_str(), 0755), 0);
  cur.write("folder/inside", "x");
  EXPECT_NE(error_of([&] { fs.replace_atomic("folder", "over a folder"); }), 0);
  EXPECT_EQ(entries_of(cur), (std::vector<std::string>{"folder", "results.txt", predictable}));
}

TEST(FileSystem, StaleTemporaryFilesAreSweptAndNothingElse) {
  TempFolder cur, other;
  other.write("victim.pvtmp-0123456789abcdef", "precious");
  const std::vector<std::string> names = {
      ".results.txt.pvtmp-0123456789abcdef",  // stale: swept
      ".settings.pvtmp-fedcba9876543210",     // stale: swept
      ".young.pvtmp-00000000000000ff",        // another run's, still being written
      "notes.pvtmp-0123",                     // not one of ours
      "mine.pvtmp-0123456789ABCDEF",          // not one of ours
      "results.txt",
  };
  for (const std::string& n : names) cur.write(n, "x");
  const timespec old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
  for (const std::string& n : names)
    if (n != ".young.pvtmp-00000000000000ff") ::utimensat(AT_FDCWD, (cur / n).c_str(), old, 0);
  ASSERT_EQ(::symlink((other / "victim.pvtmp-0123456789abcdef").c_str(),
                      (cur / "link.pvtmp-0123456789abcdef").c_str()),
            0);
  sweep_temporary_files(cur.path());
  EXPECT_EQ(
      entries_of(cur),
      (std::vector<std::string>{".young.pvtmp-00000000000000ff", "link.pvtmp-0123456789abcdef",
                                "mine.pvtmp-0123456789ABCDEF", "notes.pvtmp-0123", "results.txt"}));
  EXPECT_EQ(other.read("victim.pvtmp-0123456789abcdef"), "precious");
}

// A NUL would cut the name short where the system reads it: "results.txt\0.jpg" is not
// "results.txt".
TEST(FileSystem, ANameWithANulIsRefused) {
  TempFolder cur;
  DiskFileSystem fs(cur.path(), cur.path());
  cur.write("results.txt", "private");
  const std::string nul("results.txt\0.jpg", 16);
  EXPECT_FALSE(fs.exists(nul));
  EXPECT_FALSE(fs.folder_exists(std::string("x\0", 2)));
  EXPECT_EQ(error_of([&] { fs.read_all(nul); }), 52);
  EXPECT_EQ(error_of([&] { fs.write_all(nul, "gone"); }), 52);
  EXPECT_EQ(error_of([&] { fs.append(nul, "more"); }), 52);
  EXPECT_EQ(error_of([&] { fs.replace_atomic(nul, "gone"); }), 52);
  EXPECT_EQ(error_of([&] { fs.remove(nul); }), 52);
  EXPECT_EQ(error_of([&] { fs.make_folder(std::string("new\0er", 6)); }), 52);
  EXPECT_EQ(cur.read("results.txt"), "private");
  EXPECT_EQ(entries_of(cur), std::vector<std::string>{"results.txt"});
}

TEST(Pictures, SizesAreReadFromTheFileAndOtherFilesAreRefused) {
  TempFolder cur;
  DiskFileSystem fs(cur.path(), cur.path());
  std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x45\0\0\0\x2d", 24);
  cur.write("b.png", png);
  const Picture p = load_picture(fs, "B.PNG");
  EXPECT_EQ(p.width_pixels, 69);
  EXPECT_EQ(p.height_pixels, 45);
  cur.write("c.jpg", "not a picture");
  EXPECT_EQ(error_of([&] { load_picture(fs, "c.jpg"); }), 481);
  EXPECT_EQ(error_of([&] { load_picture(fs, "d.jpg"); }), 53);
}

TEST(SettingsStore, ValuesSurviveARestartExactly) {
  TempFolder config;
  const std::string tricky = "  lead\tand \\ trail \r\nline2 \xE2\x80\x99 ";
  {
    FileSettingsStore store = settings_in(config.path() + "prepvant");
    store.save("veltotest", "stuff", "student", tricky);
    store.save("velto", "46000", "num_times", "3");
    store.save("VELTOTEST", "Stuff", "STUDENT", tricky + "x");  // the same key
  }
  FileSettingsStore again = settings_in(config.path() + "prepvant");
  EXPECT_EQ(again.get("veltotest", "stuff", "student", ""), tricky + "x");
  EXPECT_EQ(again.get("Velto", "46000", "Num_Times", ""), "3");
  EXPECT_EQ(again.get("velto", "46000", "missing", "dflt"), "dflt");
  again.remove("velto", "46000", "num_times");
  EXPECT_EQ(settings_in(config.path() + "prepvant").get("velto", "46000", "num_times", "0"), "0");
}

TEST(SettingsStore, ADamagedFileGivesTheDefaultsIsReportedAndKeptAside) {
  TempFolder config;
  ::mkdir((config / "prepvant").c_str(), 0700);
  config.write("prepvant/settings", "prepvant settings 1\nbroken line without tabs\n");
  std::vector<std::string> reports;
  FileSettingsStore store =
      settings_in(config.path() + "prepvant", [&](const std::string& m) { reports.push_back(m); });
  EXPECT_EQ(store.get("veltotest", "stuff", "x", "default"), "default");
  EXPECT_EQ(reports.size(), 1u);
  store.save("veltotest", "stuff", "x", "1");
  EXPECT_TRUE(config.exists("prepvant/settings.damaged"));
  EXPECT_EQ(settings_in(config.path() + "prepvant").get("veltotest", "stuff", "x", ""), "1");
  config.write("prepvant/settings", std::string("\0\xff garbage", 10));
  EXPECT_EQ(settings_in(config.path() + "prepvant").get("a", "b", "c", "d"), "d");
}

TEST(SettingsStore, AFailedSaveRaisesAndKeepsTheOldValue) {
  TempFolder config;
  config.write("blocker", "a file where the folder should be");
  FileSettingsStore store = settings_in(config.path() + "blocker/prepvant");
  EXPECT_EQ(error_of([&] { store.save("a", "b", "c", "d"); }), 75);
  EXPECT_EQ(store.get("a", "b", "c", "old"), "old");
}

// A value too long to keep is refused on a save and left out on a read; the file that held
// it is kept aside, and every later save rewrites only what is kept.
TEST(SettingsStore, AValueOverTheCapIsRefusedAndLeftOutOfAFile) {
  TempFolder config;
  const std::string folder = config.path() + "prepvant";
  const std::string longest(kSettingsValueBytes, 'x');
  {
    FileSettingsStore store = settings_in(folder);
    store.save("velto", "46000", "name", longest);
    const RuntimeError* refused = nullptr;
    try {
      store.save("velto", "46000", "name", longest + "x");
    } catch (const RuntimeError& e) {
      refused = &e;
      EXPECT_EQ(e.number, 75);
      EXPECT_NE(e.description.find("at most 65536"), std::string::npos) << e.description;
    }
    EXPECT_NE(refused, nullptr);
    EXPECT_EQ(store.get("velto", "46000", "name"), longest);
  }
  config.write("prepvant/settings", "prepvant settings 1\nvelto\t46000\tbig\t" +
                                        std::string(kSettingsValueBytes + 1, 'y') +
                                        "\nvelto\t46000\tnum_times\t3\n");
  std::vector<std::string> reports;
  FileSettingsStore store =
      settings_in(folder, [&](const std::string& m) { reports.push_back(m); });
  EXPECT_EQ(store.get("velto", "46000", "big", "none"), "none");
  EXPECT_EQ(store.get("velto", "46000", "num_times"), "3");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("velto\\46000\\big"), std::string::npos) << reports[0];
  store.save("velto", "46000", "num_times", "4");
  EXPECT_GT(config.read("prepvant/settings.damaged").size(), kSettingsValueBytes);
  EXPECT_LT(config.read("prepvant/settings").size(), 100u);
}

TEST(SettingsStore, TheFolderFollowsXdgConfigHome) {
  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
  EXPECT_EQ(FileSettingsStore::default_folder(kProgramName.folder), "/tmp/xdg-test/prepvant/");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(FileSettingsStore::default_folder(kProgramName.folder), "/home/u/.config/prepvant/");
}

// The per-user folders are named by the caller; an XDG variable counts only when absolute.
TEST(ProgramFolders, LieInTheUsersFoldersUnderTheNameGiven) {
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  const struct {
    const char* variable;
    const char* value;
    std::string (*folder)(std::string_view);
    const char* expected;
  } cases[] = {
      {"XDG_CONFIG_HOME", "/tmp/xdg", &FileSettingsStore::default_folder, "/tmp/xdg/other/"},
      {"XDG_CONFIG_HOME", "rel", &FileSettingsStore::default_folder, "/home/u/.config/other/"},
      {"XDG_CONFIG_HOME", nullptr, &FileSettingsStore::default_folder, "/home/u/.config/other/"},
      {"XDG_CACHE_HOME", "/tmp/xdg", &DiskFileSystem::default_cache_folder, "/tmp/xdg/other/"},
      {"XDG_CACHE_HOME", "", &DiskFileSystem::default_cache_folder, "/home/u/.cache/other/"},
      {"XDG_CACHE_HOME", nullptr, &DiskFileSystem::default_cache_folder, "/home/u/.cache/other/"},
  };
  ::setenv("HOME", "/home/u", 1);
  for (const auto& c : cases) {
    if (c.value != nullptr)
      ::setenv(c.variable, c.value, 1);
    else
      ::unsetenv(c.variable);
    EXPECT_EQ(c.folder("other"), c.expected) << c.variable << "=" << (c.value ? c.value : "-");
    ::unsetenv(c.variable);
  }
  ::setenv("HOME", home.c_str(), 1);
}

// The header given is what a file must start with and what a save writes first: another
// program's file is damaged to this one and is kept aside.
TEST(SettingsStore, TheHeaderGivenMarksTheFile) {
  TempFolder config;
  ::mkdir((config / "p").c_str(), 0700);
  config.write("p/settings", "prepvant settings 1\nvelto\t46000\tnum_times\t3\n");
  EXPECT_EQ(settings_in(config / "p").get("velto", "46000", "num_times"), "3");
  int reports = 0;
  FileSettingsStore other(config / "p", "other settings 1", [&](const std::string&) { ++reports; });
  EXPECT_EQ(other.get("velto", "46000", "num_times", "none"), "none");
  EXPECT_EQ(reports, 1);
  other.save("velto", "46000", "num_times", "4");
  EXPECT_EQ(config.read("p/settings"), "other settings 1\nvelto\t46000\tnum_times\t4\n");
  EXPECT_EQ(config.read("p/settings.damaged"), "prepvant settings 1\nvelto\t46000\tnum_times\t3\n");
}

// A log that cannot be written says so once, naming the lost current folder; lines that
// can be written again go on being written.
TEST(ErrorLog, ALostLogIsReportedOnceAndNamesAVanishedCurrentFolder) {
  TempFolder parent;
  const std::string folder = parent / "run/";
  ::mkdir(folder.c_str(), 0700);
  DiskFileSystem fs(folder, parent.path());
  FakeClock clock;
  ErrorLog log(fs, clock);
  std::vector<std::string> notices;
  log.report_loss_to([&](const std::string& text) { notices.push_back(text); });
  log.append("Form_Load()", "quest3.frm", RuntimeError(9));
  EXPECT_TRUE(parent.exists("run/error.log"));
  EXPECT_TRUE(notices.empty());

  ::unlink((folder + "error.log").c_str());
  ASSERT_EQ(::rmdir(folder.c_str()), 0);
  for (int i = 0; i < 3; ++i) log.append("Form_Load()", "quest3.frm", RuntimeError(9));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], "The current folder " + folder +
                            " no longer exists: error-log lines are not being written.");

  ::mkdir(folder.c_str(), 0700);
  log.append("Form_Load()", "quest3.frm", RuntimeError(9));
  EXPECT_TRUE(parent.exists("run/error.log"));
  EXPECT_EQ(notices.size(), 1u);
}

}  // namespace
}  // namespace pv
