// The build's bank generator: a well-formed file becomes its module's table, and a
// malformed one stops the build with the file, the line and what is wrong.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.hpp"

extern char** environ;

namespace pv::testing {
namespace {

struct Outcome {
  int status = -1;
  std::string errors;
};

// Runs bankgen with the arguments, its standard error captured.
Outcome run_bankgen(const TempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(), PREPVANT_BANKGEN);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string errors = folder.path() + "stderr.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  Outcome out;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  out.errors = folder.read("stderr.txt");
  return out;
}

constexpr const char* kHeader =
    "module PB_TEST_pelma\n"     // 1
    "feedback no\n"              // 2
    "description Test bank\n"    // 3
    "title Test\n"               // 4
    "version 1.0\n"              // 5
    "category Chapter 1 One\n"   // 6
    "category Chapter 2 Two\n"   // 7
    "\n"                         // 8
    "record 1\n"                 // 9
    "type single_answer\n"       // 10
    "category 1\n"               // 11
    "question What is 1 + 1?\n"  // 12
    "answer* 2\n"                // 13
    "answer 3\n";                // 14

Outcome generate(const TempFolder& folder, const std::string& name, const std::string& text) {
  folder.write(name, text);
  return run_bankgen(
      folder, {folder.path() + name, folder.path() + "out.cpp", folder.path() + "out.cpp.d"});
}

TEST(BankGenerator, TurnsAWellFormedFileIntoItsModulesTable) {
  TempFolder folder;
  const Outcome out = generate(folder, "pelma.txt",
                               std::string(kHeader) +
                                   "reference 12##\\sOne\n"
                                   "\n"
                                   "record 2\n"
                                   "type single_answer\n"
                                   "category 2\n"
                                   "question Configure it.\n"
                                   "answer hostname=R1\n"
                                   "diagram xxsim\n"
                                   "lab 3550\n"
                                   "console-explanation\n"
                                   "console Router>enable\n"
                                   "console Router#conf\n"
                                   "+ igure terminal\n"
                                   "console-clue <done>\n");
  ASSERT_EQ(out.status, 0) << out.errors;
  const std::string cpp = folder.read("out.cpp");
  EXPECT_NE(cpp.find("namespace pv::banks::PB_TEST_pelma {"), std::string::npos);
  EXPECT_NE(cpp.find("void load_bank(Shared& g)"), std::string::npos);
  EXPECT_NE(cpp.find("\"12## One\""), std::string::npos);
  // A row names each member it sets; the empty texts are left out.
  EXPECT_NE(cpp.find(".length = {.question = 14, .answer = {1, 1}, .reference = 8},\n"
                     "     .type = 0,\n     .correct = 1,\n     .category = 1}"),
            std::string::npos)
      << cpp;
  // The transcript, as the explanation and as the clue.
  EXPECT_NE(cpp.find("\"<br>Router&gt;enable<br>Router#configure terminal\""), std::string::npos);
  EXPECT_NE(cpp.find("\"Router>enable\\015\\012Router#configure terminal\\015\\012<done>\""),
            std::string::npos);
  EXPECT_NE(folder.read("out.cpp.d").find(folder.path() + "pelma.txt"), std::string::npos);
}

struct Malformed {
  const char* text;  // appended to the header (lines 1 to 14)
  int line;
  const char* message;
};

TEST(BankGenerator, NamesTheFileAndLineOfWhatIsMalformed) {
  const Malformed cases[] = {
      {"anwser 4\n", 15, "unknown record keyword \"anwser\""},
      {"answer\n", 15, "an empty answer"},
      {"answer 4\nanswer 5\nanswer 6\nanswer 7\nanswer 8\n", 19, "more than 6 answers"},
      {"\nrecord 3\n", 16, "record 3 follows record 1"},
      {"\nrecord 2\ntype single_answer\ncategory 1\n", 16, "record 2 has no question"},
      {"\nrecord 2\ntype single_answer\ncategory 3\n", 18, "the category 3 is outside 1 to 2"},
      {"\nrecord 2\ntype single\n", 17,
       "unknown type \"single\" (known: single_answer multi_answer fill_in_the_blank)"},
      {"\nrecord 2\ntype single_answer\ntype single_answer\n", 18, "a second \"type\" line"},
      {"explanation Press \\q\n", 15, "unknown escape \\q"},
      {"explanation Trailing blank \n", 15, "blank at the end of the line"},
      {"explanation  Two blanks\n", 15, "more than one blank after \"explanation\""},
      {"explanation text\nconsole Router>\n", 9, "has console lines and an explanation or clue"},
      {"clue \xC3\x28\n", 15, "not valid UTF-8"},
      {"clue a\x01z\n", 15, "control character"},
      {"  answer 4\n", 15, "a line begins with its keyword"},
      {"\n+ more\n", 16, "\"+\" continues"},
      {"\ninclude PB_TEST_velto 1-2\n", 16, "a bank with records of its own cannot include"},
  };
  for (const Malformed& c : cases) {
    TempFolder folder;
    const Outcome out = generate(folder, "pelma.txt", std::string(kHeader) + c.text);
    const std::string where = folder.path() + "pelma.txt:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(out.status, 1) << c.message;
    EXPECT_EQ(out.errors.rfind(where, 0), 0u) << "expected " << where << "\ngot " << out.errors;
    EXPECT_NE(out.errors.find(c.message), std::string::npos) << "got " << out.errors;
    EXPECT_FALSE(folder.exists("out.cpp"));
  }
}

TEST(BankGenerator, NamesWhatIsWrongInAHeader) {
  const std::pair<const char*, const char*> cases[] = {
      {"feedback no\n", "1: the file begins with its \"module\" line"},
      {"module PB-X\n", "1: the module name must be letters, digits and \"_\""},
      {"module PB_X\nfeedback maybe\n", "2: \"feedback\" is yes or no"},
      {"module PB_X\nfeedback no\ndescription d\ntitle t\ncategory C\nrecord 1\n",
       "6: the header has no \"version\" line"},
      {"module PB_X\nfeedback no\ndescription d\ntitle t\nversion 1\nrecord 1\n",
       "6: a bank with records needs \"category\" lines"},
      {"module PB_X\nfeedback no\ndescription d\ntitle t\nversion 1\ncategory C\n",
       "7: the bank has no records"},
  };
  for (const auto& [text, message] : cases) {
    TempFolder folder;
    const Outcome out = generate(folder, "x.txt", text);
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.errors.rfind(folder.path() + "x.txt:" + message, 0), 0u) << out.errors;
  }
}

// A drag-and-drop record after the header: record 2 (line 16) with its exercise number,
// its data lines from line 22.
constexpr const char* kDndRecord =
    "\n"                    // 15
    "record 2\n"            // 16
    "type single_answer\n"  // 17
    "category 1\n"          // 18
    "question Match.\n"     // 19
    "answer 7\n"            // 20
    "diagram xxxdnd\n";     // 21
constexpr const char* kTwoByTwo = "dnd-item a\ndnd-item b\ndnd-target X\ndnd-target Y\n";

TEST(BankGenerator, WritesADragAndDropExerciseBesideItsRecord) {
  TempFolder folder;
  const Outcome out =
      generate(folder, "velto.txt",
               std::string(kHeader) + kDndRecord + kTwoByTwo +
                   "dnd-item c\ndnd-match a = Y\ndnd-match b = X\ndnd-match c = Y\n" +
                   "\nrecord 3\ntype single_answer\ncategory 1\nquestion Order.\nanswer 8\n"
                   "diagram xxxdnd\ndnd-order first\ndnd-order \\sthen\n");
  ASSERT_EQ(out.status, 0) << out.errors;
  const std::string cpp = folder.read("out.cpp");
  for (const char* part :
       {"kDnd2Items[] = {\n    \"a\",\n    \"b\",\n    \"c\",\n};",
        "kDnd2Targets[] = {\n    \"X\",\n    \"Y\",\n};", "kDnd2Solution[] = {1, 0, 1};",
        "kDnd3Items[] = {\n    \"first\",\n    \" then\",\n};",
        "{.record = 2, .number = 7, .items = kDnd2Items, .targets = kDnd2Targets, "
        ".solution = kDnd2Solution},\n    {.record = 3, .number = 8, .items = kDnd3Items},",
        ".exercises = kExercises,"})
    EXPECT_NE(cpp.find(part), std::string::npos) << part << "\n" << cpp;
}

TEST(BankGenerator, NamesWhatIsWrongInADragAndDropExercise) {
  const std::string dnd = std::string(kDndRecord) + kTwoByTwo;
  struct Case {
    std::string text;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"dnd-item a\n", 15, "record 1 has drag-and-drop lines but is no drag-and-drop task"},
      {kDndRecord, 16, "record 2 is a drag-and-drop task without its exercise"},
      {dnd + "dnd-match a = Z\n", 26, "unknown target \"Z\""},
      {dnd + "dnd-match c = X\n", 26, "unknown item \"c\""},
      {dnd + "dnd-match a = X\ndnd-match a = Y\n", 27, "item \"a\" is placed twice"},
      {dnd + "dnd-match a = X\n", 23, "item \"b\" has no dnd-match line"},
      {dnd + "dnd-match a = X\ndnd-match b = X\n", 25, "target \"Y\" receives no item"},
      {dnd + "dnd-match a X\n", 26, "a match reads: dnd-match <item> = <target>"},
      {dnd + "dnd-order c\n", 26, "either dnd-order lines or items and targets"},
      {dnd + "dnd-target X\n", 26, "target \"X\" is listed twice"},
      {dnd + "dnd-items c\n", 26, "unknown record keyword \"dnd-items\""},
      {std::string(kDndRecord) + "dnd-item a = b\n", 22, "an item cannot hold \" = \""},
      {std::string(kDndRecord) + "dnd-order a\n", 22, "at least two items or entries"},
      {std::string(kDndRecord) + "dnd-item a\ndnd-target X\ndnd-match a = X\n", 22,
       "at least two items or entries"},
      {std::string(kDndRecord) + "answer 8\ndnd-order a\ndnd-order b\n", 16,
       "its one answer is its exercise number"},
      {std::string(kDndRecord) + "dnd-order a\ndnd-order b\n\nrecord 3\ntype single_answer\n"
                                 "category 1\nquestion Q\nanswer 7\ndiagram xxxdnd\n"
                                 "dnd-order a\ndnd-order b\n",
       25, "record 3 has exercise 7, as record 2 has"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const Outcome out = generate(folder, "velto.txt", std::string(kHeader) + c.text);
    const std::string where = folder.path() + "velto.txt:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(out.status, 1) << c.message;
    EXPECT_EQ(out.errors.rfind(where, 0), 0u) << "expected " << where << "\ngot " << out.errors;
    EXPECT_NE(out.errors.find(c.message), std::string::npos) << "got " << out.errors;
  }
}

// A full exam beside its sources.
constexpr const char* kFullHeader =
    "module PB_TEST_combo\n"      // 1
    "feedback yes\n"              // 2
    "description Both\n"          // 3
    "title Test\n"                // 4
    "version 1.0\n"               // 5
    "categories PB_TEST_pelma\n"  // 6
    "category Simulator\n"        // 7
    "include PB_TEST_pelma 1\n";  // 8

TEST(BankGenerator, ComposesAFullExamFromTheBanksOfItsFolder) {
  TempFolder folder;
  folder.write("pelma.txt", std::string(kHeader));
  const Outcome out = generate(folder, "combo.txt",
                               std::string(kFullHeader) +
                                   "include PB_TEST_pelma 1-1 map 2=3 1=0\n"
                                   "except 1 category 3\n");
  ASSERT_EQ(out.status, 0) << out.errors;
  const std::string cpp = folder.read("out.cpp");
  EXPECT_NE(cpp.find("{.source = &PB_TEST_pelma::table, .first = 1, .last = 1, "
                     ".category_map = kMap1}"),
            std::string::npos)
      << cpp;
  EXPECT_NE(cpp.find("{{.from = 2, .to = 3}, {.from = 1, .to = 0}, }"), std::string::npos) << cpp;
  EXPECT_NE(cpp.find("{.record = 1, .category = 3},"), std::string::npos) << cpp;
  EXPECT_NE(cpp.find(".categories_from = &PB_TEST_pelma::table,\n    .categories = kCategories"),
            std::string::npos)
      << cpp;
  // The full exam's table is regenerated when the bank it includes changes.
  EXPECT_NE(folder.read("out.cpp.d").find(folder.path() + "pelma.txt"), std::string::npos);
}

TEST(BankGenerator, WritesTheTypeAndFlagExceptionsOfAFullExam) {
  TempFolder folder;
  folder.write("pelma.txt", std::string(kHeader));
  const Outcome out = generate(folder, "combo.txt",
                               std::string(kFullHeader) +
                                   "except 1 correct none\n"
                                   "except 1 type multi_answer\n"
                                   "except 1 category 2\n");
  ASSERT_EQ(out.status, 0) << out.errors;
  const std::string cpp = folder.read("out.cpp");
  EXPECT_NE(
      cpp.find("constexpr TypeException kTypeExceptions[] = {\n    {.record = 1, .type = 1},"),
      std::string::npos)
      << cpp;
  EXPECT_NE(
      cpp.find("constexpr FlagException kFlagExceptions[] = {\n    {.record = 1, .correct = 0},"),
      std::string::npos)
      << cpp;
  EXPECT_NE(cpp.find("    .exceptions = kExceptions,\n    .type_exceptions = kTypeExceptions,\n"
                     "    .flag_exceptions = kFlagExceptions,\n"),
            std::string::npos)
      << cpp;

  // Without exceptions of a field, the table names no list for it.
  TempFolder plain;
  plain.write("pelma.txt", std::string(kHeader));
  ASSERT_EQ(generate(plain, "combo.txt", std::string(kFullHeader) + "except 1 type single_answer\n")
                .status,
            0);
  const std::string only_type = plain.read("out.cpp");
  EXPECT_NE(only_type.find(".type_exceptions = kTypeExceptions"), std::string::npos);
  EXPECT_EQ(only_type.find("kFlagExceptions"), std::string::npos);
  EXPECT_EQ(only_type.find("kExceptions"), std::string::npos);
}

TEST(BankGenerator, NamesWhatIsWrongInAFullExam) {
  const Malformed cases[] = {
      {"include PB_TEST_velto 1-2\n", 9, "no bank file in"},
      {"include PB_TEST_pelma 1-2\n", 9, "\"PB_TEST_pelma\" has 1 records, not 2"},
      {"include PB_TEST_pelma 2-1\n", 9, "the range 2-1 runs backwards"},
      {"include PB_TEST_pelma 1 map 3=1\n", 9, "\"PB_TEST_pelma\" has no category 3"},
      {"include PB_TEST_pelma 1 map 1=4\n", 9, "the full exam has no category 4"},
      {"include PB_TEST_pelma 1 map 1=2 1=3\n", 9, "category 1 is mapped twice"},
      {"except 3 category 1\n", 9, "the full exam has 1 records, not 3"},
      {"except 1 category 1\nexcept 1 category 2\n", 10, "record 1 has a second exception"},
      {"except 1 level 2\n", 9, "an exception reads: except <record> category <number>"},
      {"except 1 type double_answer\n", 9, "unknown type \"double_answer\""},
      {"except 1 correct 2\n", 9, "a flag exception reads: except <record> correct none"},
      {"except 1 type single_answer extra\n", 9, "an exception reads:"},
      {"except 2 correct none\n", 9, "the full exam has 1 records, not 2"},
      {"except 1 type single_answer\nexcept 1 type multi_answer\n", 10,
       "record 1 has a second exception of its type"},
      {"except 1 correct none\nexcept 1 correct none\n", 10,
       "record 1 has a second exception of its correct flags"},
      {"record 2\n", 9, "a full exam takes its records through \"include\" lines"},
      {"category Late\n", 9, "belongs to the header, before the first \"include\" line"},
  };
  for (const Malformed& c : cases) {
    TempFolder folder;
    folder.write("pelma.txt", std::string(kHeader));
    const Outcome out = generate(folder, "combo.txt", std::string(kFullHeader) + c.text);
    const std::string where = folder.path() + "combo.txt:" + std::to_string(c.line) + ": ";
    EXPECT_EQ(out.status, 1) << c.message;
    EXPECT_EQ(out.errors.rfind(where, 0), 0u) << "expected " << where << "\ngot " << out.errors;
    EXPECT_NE(out.errors.find(c.message), std::string::npos) << "got " << out.errors;
  }
}

TEST(BankGenerator, RefusesToIncludeAFullExam) {
  TempFolder folder;
  folder.write("pelma.txt", std::string(kHeader));
  folder.write("combo.txt", std::string(kFullHeader));
  const Outcome out = generate(folder, "other.txt",
                               "module PB_TEST_other\nfeedback no\ndescription d\ntitle t\n"
                               "version 1\ncategory C\ninclude PB_TEST_combo 1\n");
  EXPECT_EQ(out.status, 1);
  EXPECT_NE(out.errors.find("other.txt:7: \"PB_TEST_combo\" is a full exam itself"),
            std::string::npos)
      << out.errors;
}

TEST(BankGenerator, ListsTheModulesAndRefusesAModuleDefinedTwice) {
  TempFolder folder;
  folder.write("a.txt", "module PB_A\n");
  folder.write("b.txt", "# b\nmodule PB_B\n");
  Outcome out = run_bankgen(folder, {"--list", folder.path() + "list.inc", folder.path() + "a.txt",
                                     folder.path() + "b.txt"});
  ASSERT_EQ(out.status, 0) << out.errors;
  const std::string list = folder.read("list.inc");
  EXPECT_NE(list.find("PV_BANK(PB_A)\nPV_BANK(PB_B)\n"), std::string::npos) << list;

  folder.write("c.txt", "module PB_A\n");
  out = run_bankgen(folder, {"--list", folder.path() + "list2.inc", folder.path() + "a.txt",
                             folder.path() + "c.txt"});
  EXPECT_EQ(out.status, 1);
  EXPECT_NE(out.errors.find("c.txt:1: module PB_A is also defined by"), std::string::npos)
      << out.errors;
}

}  // namespace
}  // namespace pv::testing
