// A router-simulator task from its launch button to its grade: the test window writes the
// task and starts the simulator, the program (run here in-process, as the launcher's argv
// starts it) takes the learner's typing and writes the result, and Next grades it.
#include <gtest/gtest.h>

#include "app/sim_program.hpp"
#include "support/exercise_events.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

// The mixed bank, its simulator record a switch task with a transcript and two checks.
void bank_with_switch_task(Shared& g) {
  load_mixed_bank(g);
  QuestionRecord& q = g.questions[5];
  q.Question = "Name the switch Access1 and put port fa0/5 in VLAN 10.";
  q.Answer[1] = "hostname=Access1";
  q.Answer[2] = "interface_fa0/5_access_vlan=10";
  q.Clue =
      "Switch>enable\r\nSwitch#configure terminal\r\nSwitch(config)#hostname Access1\r\n"
      "Access1(config)#interface fa0/5\r\nAccess1(config-if)#switchport access vlan 10";
}

// The commands of a transcript: each line after its prompt.
std::vector<std::string> commands_of(const std::string& transcript) {
  std::vector<std::string> out;
  for (size_t from = 0; from < transcript.size();) {
    const size_t end = std::min(transcript.find('\n', from), transcript.size());
    const std::string line = transcript.substr(from, end - from);
    const size_t prompt = line.find_first_of(">#");
    if (prompt != std::string::npos) out.push_back(line.substr(prompt + 1));
    from = end + 1;
  }
  for (std::string& c : out) std::erase(c, '\r');
  return out;
}

class SimulatorLaunch : public TestRun {
 protected:
  void before_start() override {
    TestRun::before_start();
    app->use_banks({{"PB_GUDAR_pelma", bank_with_switch_task}});
  }

  // Presses the launch button, checks the command line the shell was given, and runs the
  // program it names as the learner does: typing the model's commands (or with another
  // VLAN) and Done.
  void launch_and_type(bool right) {
    const size_t started = app->shell->started.size();
    press(window().cmd_buttons[2]);
    ASSERT_EQ(app->shell->started.size(), started + 1);
    const std::vector<std::string>& argv = app->shell->started.back();
    ASSERT_EQ(argv, (std::vector<std::string>{app->program_folder.path() + "testsim.exe", "3550"}));
    SimProgram program(argv[1], *app->files);
    ASSERT_EQ(program.state()["status"], "ready") << program.state()["message"];
    EXPECT_EQ(program.state()["task"], "Name the switch Access1 and put port fa0/5 in VLAN 10.");
    std::vector<std::string> commands = commands_of(app->current.read("sim_showme.txt"));
    ASSERT_EQ(commands.size(), 5u);
    if (!right) commands.back() = "switchport access vlan 20";
    program.handle(typed(commands));
    EXPECT_EQ(program.state()["prompt"], "Access1(config-if)#");
    program.handle(sim_event("done"));
    EXPECT_TRUE(program.saved()) << program.state()["message"];
  }

  bool result_left() {
    return app->current.exists("out.ini") || app->program_folder.exists("out.ini");
  }
};

TEST_F(SimulatorLaunch, TheLearnersConfigurationIsGradedAtNextWhereverItWasWritten) {
  quest& w = start_test();
  for (int i = 0; i < 4; ++i) next();  // records 1 to 4 left unanswered: wrong
  ASSERT_EQ(g().widget_kind, "Sim");
  EXPECT_EQ(w.cmd_buttons[2].caption, "Launch Simulator");
  ASSERT_TRUE(w.cmd_buttons[2].visible);

  launch_and_type(true);
  EXPECT_NE(app->program_folder.read("out.ini").find("interface_fa0/5_access_vlan=10"),
            std::string::npos);
  next();
  EXPECT_EQ(w.score.caption, " 1/ 5");
  EXPECT_TRUE(app->program_folder.exists("out.ini"));  // kept until the task is shown again

  back();  // presenting the task removes the result; another VLAN grades it wrong
  ASSERT_EQ(g().widget_kind, "Sim");
  EXPECT_FALSE(result_left());
  launch_and_type(false);
  next();
  EXPECT_EQ(w.score.caption, " 0/ 5");

  // An installed program folder cannot be written: the result goes to the current folder,
  // where the engine reads it, and the next presentation removes it there too, so it cannot
  // grade the task again.
  back();
  EXPECT_FALSE(result_left());
  app->files->deny_writes_in(app->program_folder.path());
  launch_and_type(true);
  EXPECT_FALSE(app->program_folder.exists("out.ini"));
  EXPECT_TRUE(app->current.exists("out.ini"));
  next();
  EXPECT_EQ(w.score.caption, " 1/ 5");
  back();
  EXPECT_FALSE(result_left());
  next();
  EXPECT_EQ(w.score.caption, " 0/ 5");
  EXPECT_EQ(app->error_log().find("quest3"), std::string::npos);
}

}  // namespace
}  // namespace pv::testing
