// The drag-and-drop program driven through its request side, as its page drives it.
#include "app/exercise_program.hpp"

#include <gtest/gtest.h>

#include "catalogue/catalogue.hpp"
#include "exercises/dnd.hpp"
#include "support/exercise_events.hpp"
#include "support/fake_services.hpp"
#include "support/temp_folder.hpp"

namespace pv::testing {
namespace {

struct Folders {
  TempFolder current, program;
  FakeFileSystem files{current.path(), program.path()};
};

// The first exercise of the first product that has one, and its argument.
const banks::DndExercise* first_exercise(std::string& argument) {
  for (const std::string& code : product_codes())
    for (int n = 1; n <= 300; ++n)
      if (const auto* e = exercises::find_exercise(code, n)) {
        argument = code + "Q" + std::to_string(n);
        return e;
      }
  return nullptr;
}

TEST(ExerciseProgram, GradesDoneOnceAndWritesTheResultWhereItCan) {
  std::string argument;
  const banks::DndExercise* e = first_exercise(argument);
  ASSERT_NE(e, nullptr);
  struct Case {
    bool right;
    bool program_read_only;
    const char* in;  // "program", "current" or "" for nowhere
  };
  for (const Case c :
       {Case{true, false, "program"}, Case{false, false, "program"}, Case{true, true, "current"}}) {
    Folders f;
    if (c.program_read_only) f.files.deny_writes_in(f.program.path());
    ExerciseProgram p(argument, f.files);
    EXPECT_EQ(p.state()["status"], "ready");
    EXPECT_FALSE(p.state()["instruction"].get<std::string>().empty());
    EXPECT_EQ(p.state()["items"].size(), e->items.size());
    const std::vector<int> placement = c.right ? solution_of(*e) : wrong_placement(*e);
    p.handle(nlohmann::json::array({{{"type", "alive"}}}));
    EXPECT_FALSE(p.saved());
    p.handle(done_event(placement));
    EXPECT_TRUE(p.saved());
    EXPECT_EQ(p.state()["message"], "Your answer is saved. Return to the test and click Next.");
    const TempFolder& where = std::string(c.in) == "program" ? f.program : f.current;
    EXPECT_EQ(where.read("out.ini"),
              std::string("[Answer]\r\nresult=") + (c.right ? "Success" : "Failure") + "\r\n");
    EXPECT_FALSE((&where == &f.program ? f.current : f.program).exists("out.ini"));
    p.handle(done_event(solution_of(*e)));  // a second Done changes nothing
    EXPECT_EQ(where.read("out.ini").find("Success") != std::string::npos, c.right);
  }
}

// Every exercise's page shows its instruction without the sentence that sends the learner
// to the test window's launch button, in each of the banks' wordings.
TEST(ExerciseProgram, InstructionsLeaveOutTheTestWindowsLaunchButton) {
  int shown = 0;
  for (const std::string& code : product_codes())
    for (int n = 1; n <= 300; ++n) {
      std::string question, message;
      if (exercise_named(code + "Q" + std::to_string(n), question, message) == nullptr) continue;
      ++shown;
      EXPECT_EQ(question.find("Launch Drag and Drop"), std::string::npos) << question;
      ASSERT_FALSE(question.empty()) << code << "Q" << n;
      EXPECT_NE(std::string(".?:").find(question.back()), std::string::npos) << question;
      EXPECT_NE(question.front(), ' ') << question;
    }
  EXPECT_GE(shown, 186);
  std::string question, message;
  ASSERT_NE(exercise_named("46000Q3", question, message), nullptr);
  EXPECT_EQ(question,
            "Drag each RIP timer (update, invalid, holddown, flush) to what the router does when "
            "that timer runs out.");
}

TEST(ExerciseProgram, BadInputShowsAMessageAndWritesNothing) {
  struct Case {
    const char* argument;
    const char* message;
  };
  for (const Case c : {
           Case{"",
                "\"\" names no exercise: the program is started with <product>Q<number>, "
                "for example 46000Q7."},
           Case{"46000X7",
                "\"46000X7\" names no exercise: the program is started with "
                "<product>Q<number>, for example 46000Q7."},
           Case{"46000Q",
                "\"46000Q\" names no exercise: the program is started with "
                "<product>Q<number>, for example 46000Q7."},
           Case{"99999Q1", "No product has the code 99999, so exercise 1 cannot be shown."},
           Case{"46000Q9999", "Product 46000 has no drag-and-drop exercise 9999."},
       }) {
    Folders f;
    ExerciseProgram p(c.argument, f.files);
    EXPECT_EQ(p.state()["status"], "error") << c.argument;
    EXPECT_EQ(p.state()["message"], c.message);
    p.handle(done_event({0, 1}));
    EXPECT_FALSE(p.saved());
    EXPECT_FALSE(f.program.exists("out.ini") || f.current.exists("out.ini"));
  }
  Folders f;  // neither folder writable: said so, nothing written
  f.files.deny_writes_in(f.program.path());
  f.files.deny_writes_in(f.current.path());
  std::string argument;
  const banks::DndExercise* e = first_exercise(argument);
  ASSERT_NE(e, nullptr);
  ExerciseProgram p(argument, f.files);
  p.handle(done_event(solution_of(*e)));
  EXPECT_EQ(p.state()["status"], "unsaved");
  EXPECT_FALSE(f.program.exists("out.ini") || f.current.exists("out.ini"));
  EXPECT_THROW(p.handle(nlohmann::json::array({{{"type", "steal"}}})), std::invalid_argument);
}

}  // namespace
}  // namespace pv::testing
