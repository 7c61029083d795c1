// A drag-and-drop task from its launch button to its grade: the test window starts the
// exercise program, the program (run here in-process, as the launcher's argv starts it)
// writes the learner's result, and Next grades it and removes it.
#include <gtest/gtest.h>

#include "app/exercise_program.hpp"
#include "support/exercise_events.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

// The mixed bank, its drag-and-drop record presenting the RIP timers exercise (46000Q3).
void bank_with_rip_timers(Shared& g) {
  load_mixed_bank(g);
  g.questions[4].Answer[1] = "3";
}

class ExerciseLaunch : public TestRun {
 protected:
  void before_start() override {
    TestRun::before_start();
    app->use_banks({{"PB_GUDAR_pelma", bank_with_rip_timers}});
  }

  // Presses the launch button, checks the command line the shell was given, and runs the
  // program it names as the learner does: placing the items (rightly or not) and Done.
  void launch_and_answer(bool right) {
    const size_t started = app->shell->started.size();
    press(window().cmd_buttons[3]);
    ASSERT_EQ(app->shell->started.size(), started + 1);
    const std::vector<std::string>& argv = app->shell->started.back();
    ASSERT_EQ(argv, (std::vector<std::string>{app->program_folder.path() + "pbDragnDrop.exe",
                                              "46000Q3"}));
    ExerciseProgram program(argv[1], *app->files);
    ASSERT_EQ(program.state()["status"], "ready");
    const banks::DndExercise* e = exercises::find_exercise("46000", 3);
    ASSERT_NE(e, nullptr);
    program.handle(done_event(right ? solution_of(*e) : wrong_placement(*e)));
    EXPECT_TRUE(program.saved());
  }

  bool result_left() {
    return app->current.exists("out.ini") || app->program_folder.exists("out.ini");
  }
};

TEST_F(ExerciseLaunch, TheProgramsResultIsGradedAtNextWhereverItWasWritten) {
  quest& w = start_test();
  for (int i = 0; i < 3; ++i) next();  // records 1 to 3 left unanswered: wrong
  ASSERT_EQ(g().widget_kind, "Drag_Drop");
  EXPECT_EQ(w.cmd_buttons[3].caption, "Launch Drag and Drop");
  ASSERT_TRUE(w.cmd_buttons[3].visible);

  launch_and_answer(true);
  EXPECT_TRUE(app->program_folder.exists("out.ini"));
  next();
  EXPECT_EQ(w.score.caption, " 1/ 4");
  EXPECT_FALSE(result_left());

  back();  // a Failure grades the same task wrong
  ASSERT_EQ(g().widget_kind, "Drag_Drop");
  launch_and_answer(false);
  EXPECT_EQ(app->program_folder.read("out.ini"), "[Answer]\r\nresult=Failure\r\n");
  next();
  EXPECT_EQ(w.score.caption, " 0/ 4");
  EXPECT_FALSE(result_left());

  // An installed program folder cannot be written: the result goes to the current folder,
  // where the engine reads it.
  back();
  app->files->deny_writes_in(app->program_folder.path());
  launch_and_answer(true);
  EXPECT_FALSE(app->program_folder.exists("out.ini"));
  EXPECT_EQ(app->current.read("out.ini"), "[Answer]\r\nresult=Success\r\n");
  next();
  EXPECT_EQ(w.score.caption, " 1/ 4");
  EXPECT_FALSE(result_left());
  EXPECT_EQ(app->error_log().find("quest3"), std::string::npos);
}

}  // namespace
}  // namespace pv::testing
