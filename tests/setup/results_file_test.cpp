#include "setup/results_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>

#include "platform/filesystem.hpp"
#include "setup/setup_fixture.hpp"
#include "support/memory_peak.hpp"

namespace pv::testing {
namespace {

class ResultsFile : public SetupTest {
 protected:
  void SetUp() override {
    start();
    g().part_number = "46000";
    g().student_name = "ANN";
  }
  void save() { save_results_file(app->sys()); }
  void load() { load_the_results(app->sys()); }
  std::string file() { return app->current.read("46000.ANN.results"); }
  void write(const std::string& content) { app->current.write("46000.ANN.results", content); }
};

TEST_F(ResultsFile, RoundTripKeepsEveryEntryUpToTheFirstGap) {
  load();
  g().missed_flags[7] = "1";
  g().missed_flags[9] = "0";
  save();
  const std::vector<std::string> lines = split_lines(file());
  ASSERT_EQ(lines.size(), 300u);
  EXPECT_EQ(lines[0], " 0, 1");
  EXPECT_EQ(lines[6], " 1, 7");
  EXPECT_EQ(lines[8], " 0, 9");
  EXPECT_EQ(file().substr(0, 14), " 0, 1\r\n 0, 2\r\n");
  // Entries set above 300 in one run are written while there is no gap.
  g().missed_flags[301] = "1";
  g().missed_flags[303] = "1";  // above the first empty entry: not written
  save();
  EXPECT_EQ(split_lines(file()).size(), 301u);
  for (int n = 1; n <= 1000; ++n) g().missed_flags[n].clear();
  load();
  EXPECT_EQ(g().missed_flags[7], "1");
  EXPECT_EQ(g().missed_flags[8], "0");
  EXPECT_EQ(g().missed_flags[301], "1");
  EXPECT_EQ(g().missed_flags[302], "");
}

TEST_F(ResultsFile, NoFileMeansNothingMissed) {
  g().missed_flags[301] = "1";
  load();
  EXPECT_EQ(g().missed_flags[1], "0");
  EXPECT_EQ(g().missed_flags[300], "0");
  EXPECT_EQ(g().missed_flags[301], "1");  // earlier tests of the run keep theirs
}

TEST_F(ResultsFile, EntriesAreNumberedByFieldPairsNotBySecondFields) {
  write(" 0, 1\r\n 1, 5\r\n\r\n   \r\n2.5,3\r\nyes, 4\r\n-1 , 5\r\n");
  load();
  EXPECT_EQ(g().missed_flags[2], "1");    // the second line, whatever its number says
  EXPECT_EQ(g().missed_flags[3], "2.5");  // blank lines are skipped
  EXPECT_EQ(g().missed_flags[4], "0");    // text counts as 0
  EXPECT_EQ(g().missed_flags[5], "-1");
  EXPECT_EQ(g().missed_flags[6], "0");
}

TEST_F(ResultsFile, AShortPairShiftsTheRestAndALastHalfPairIsLost) {
  write(" 1\r\n 0, 2\r\n 1, 3\r\n");
  load();
  // Fields: 1 | 0, 2 | 1, 3: pairs (1, 0), (2, 1); the lone 3 is dropped.
  EXPECT_EQ(g().missed_flags[1], "1");
  EXPECT_EQ(g().missed_flags[2], "2");
  EXPECT_EQ(g().missed_flags[3], "0");
}

TEST_F(ResultsFile, ReadsAtMostAThousandEntries) {
  std::string content;
  for (int n = 1; n <= 1001; ++n) content += " 1," + std::to_string(n) + "\r\n";
  write(content);
  g().missed_flags[1000].clear();
  load();
  EXPECT_EQ(g().missed_flags[1000], "1");
  std::string short_content;
  for (int n = 1; n <= 310; ++n) short_content += " 1," + std::to_string(n) + "\r\n";
  write(short_content);
  g().missed_flags[311] = "7";
  load();
  EXPECT_EQ(g().missed_flags[310], "1");
  EXPECT_EQ(g().missed_flags[311], "7");
}

// Only as much is read as the thousand entries need, and a field is kept in part only.
TEST_F(ResultsFile, AHugeFileIsReadOnlyAsFarAsItsEntriesNeed) {
  {
    std::ofstream out(app->current / "46000.ANN.results", std::ios::binary);
    const std::string commas(1 << 20, ',');
    for (int i = 0; i < 56; ++i) out << commas;
  }
  g().missed_flags[1000] = "7";
  const auto start = std::chrono::steady_clock::now();
  const long growth = peak_growth([&] { load(); });
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  if (kPeakMeasured) {
    EXPECT_LT(growth, 50L << 20);
  }
  EXPECT_EQ(g().missed_flags[1], "0");
  EXPECT_EQ(g().missed_flags[1000], "0");  // empty fields pair up too

  // Endless fields: blanks and tabs inside a flag are not part of its number, and the
  // second field is passed over without being kept.
  {
    std::ofstream out(app->current / "46000.ANN.results", std::ios::binary);
    const std::string blanks(1 << 20, ' ');
    out << " 1";
    for (int i = 0; i < 20; ++i) out << blanks;
    out << "\t2,";
    for (int i = 0; i < 20; ++i) out << std::string(1 << 20, '9');
    out << "\r\n 1, 2";
  }
  const long long_fields = peak_growth([&] { load(); });
  if (kPeakMeasured) {
    EXPECT_LT(long_fields, 10L << 20);
  }
  EXPECT_EQ(g().missed_flags[1], "12");
  EXPECT_EQ(g().missed_flags[2], "1");
}

TEST_F(ResultsFile, EachUserKeepsAFileOfTheirOwn) {
  load();
  g().missed_flags[3] = "1";
  save();
  g().student_name = "BOB";
  load();
  EXPECT_EQ(g().missed_flags[3], "0");
  save();
  EXPECT_TRUE(app->current.exists("46000.BOB.results"));
  g().student_name = "ANN";
  load();
  EXPECT_EQ(g().missed_flags[3], "1");
}

TEST_F(ResultsFile, AReadOnlyFolderKeepsTheOldFile) {
  write(" 1, 1\r\n");
  app->files->deny_writes_in(app->current.path());
  load();
  g().missed_flags[1] = "0";
  save();
  EXPECT_EQ(file(), " 1, 1\r\n");
}

TEST(ResultsFileLog, AFolderInThePlaceOfTheFileIsLoggedAndTheRunGoesOn) {
  TestProgram app;
  Shared& g = app.g();
  g.part_number = "46000";
  g.student_name = "ANN";
  ASSERT_EQ(::mkdir((app.current / "46000.ANN.results").c_str(), 0755), 0);
  g.missed_flags[1] = "1";
  save_results_file(app.sys());
  EXPECT_NE(app.error_log().find(" - save_results_file() - quest3.frm75 - Path/File access "
                                 "error - \r\n"),
            std::string::npos)
      << app.error_log();
  load_the_results(app.sys());  // unreadable: the preset stays
  EXPECT_EQ(g.missed_flags[1], "0");
}

}  // namespace
}  // namespace pv::testing
