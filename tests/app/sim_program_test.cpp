// The router simulator program driven through its request side, as its page drives it.
#include "app/sim_program.hpp"

#include "app/exercise_program.hpp"

#include <gtest/gtest.h>

#include "support/exercise_events.hpp"
#include "support/fake_services.hpp"
#include "support/temp_folder.hpp"

namespace pv::testing {
namespace {

constexpr const char* kTask =
    "<p>Name the switch Access1.</p>Click Launch Simulator to start the simulator.\r\n";
constexpr const char* kModel =
    "Switch>enable\r\nSwitch#configure terminal\r\nSwitch(config)#hostname Access1\r\n";

// The folders as the engine leaves them at presentation: the task and its transcript in
// the current folder.
struct Task {
  TempFolder current, program;
  FakeFileSystem files{current.path(), program.path()};
  explicit Task(const char* task = kTask, const char* model = kModel) {
    if (task != nullptr) current.write("sim.txt", task);
    if (model != nullptr) current.write("sim_showme.txt", model);
  }
  bool written() const { return current.exists("out.ini") || program.exists("out.ini"); }
};

std::string screen(const SimProgram& p) {
  return p.state()["screen"];
}

TEST(SimProgram, ATaskTypedInIsWrittenAtDoneWhereItCanBe) {
  for (const bool read_only : {false, true}) {
    Task t;
    if (read_only) t.files.deny_writes_in(t.program.path());
    SimProgram p("", t.files);
    ASSERT_EQ(p.state()["status"], "ready") << p.state()["message"];
    EXPECT_EQ(p.state()["task"], "Name the switch Access1.");
    EXPECT_EQ(p.state()["prompt"], "Switch>");
    p.handle(typed({"en", "conf t"}));
    EXPECT_EQ(p.state()["prompt"], "Switch(config)#");
    p.handle(sim_event("complete", "hostn"));
    EXPECT_EQ(p.state()["edit"]["text"], "hostname ");
    EXPECT_EQ(p.state()["edit"]["seq"], 1);
    p.handle(sim_event("help", "hostname "));
    EXPECT_EQ(p.state()["edit"]["text"], "hostname ");
    EXPECT_NE(screen(p).find("Switch(config)#hostname ?\n"), std::string::npos);
    p.handle(typed({"hostname Access1"}));
    p.handle(sim_event("ctrl_z"));
    EXPECT_EQ(p.state()["prompt"], "Access1#");
    EXPECT_EQ(p.state()["history"], nlohmann::json::array({"en", "conf t", "hostname Access1"}));
    EXPECT_NE(screen(p).find("Switch(config)#hostname Access1\nAccess1(config)#^Z\n"),
              std::string::npos);
    EXPECT_EQ(p.state()["showme"], "");
    p.handle(sim_event("showme"));
    EXPECT_EQ(p.state()["showme"],
              "Switch>enable\nSwitch#configure terminal\nSwitch(config)#hostname Access1");
    EXPECT_FALSE(t.written());
    p.handle(sim_event("done"));
    ASSERT_TRUE(p.saved()) << p.state()["message"];
    EXPECT_EQ(p.state()["message"], "Your work is saved. Return to the test and click Next.");
    const std::string ini = (read_only ? t.current : t.program).read("out.ini");
    EXPECT_TRUE(ini.starts_with("[general]\r\n")) << ini;
    EXPECT_NE(ini.find("\r\nhostname=Access1\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("executed_hostname_access1=true"), std::string::npos) << ini;
    EXPECT_EQ((read_only ? t.program : t.current).exists("out.ini"), false);
    p.handle(typed({"hostname Other"}));  // after Done the console takes nothing more
    p.finish();
    EXPECT_EQ((read_only ? t.current : t.program).read("out.ini"), ini);
  }
}

TEST(SimProgram, ResetRestoresTheStartingDeviceAndClosingTheTabKeepsTheWork) {
  Task t;
  SimProgram p("3550", t.files);
  p.handle(typed({"enable", "configure terminal", "hostname Core"}));
  p.handle(sim_event("reset"));
  EXPECT_EQ(p.state()["prompt"], "Switch>");
  EXPECT_EQ(screen(p), "");
  EXPECT_EQ(p.state()["message"], "The device is back at its starting configuration.");
  p.handle(sim_event("close"));  // written, and a reloaded page types on
  EXPECT_EQ(t.program.read("out.ini").find("Core"), std::string::npos);
  EXPECT_EQ(p.state()["status"], "ready");
  p.handle(typed({"enable", "configure terminal", "hostname Edge"}));
  p.finish();
  ASSERT_TRUE(p.saved());
  EXPECT_NE(t.program.read("out.ini").find("hostname=Edge"), std::string::npos);
}

// Without a transcript the lab gives the device; a blank task file still opens the console.
TEST(SimProgram, TheStartingDeviceComesFromTheTranscriptElseTheLab) {
  struct Case {
    const char* lab;
    const char* model;
    const char* prompt;
  };
  for (const Case c :
       {Case{"", "Intro text\r\nDS2#show vlan\r\n", "DS2#"}, Case{"2950", nullptr, "Switch>"},
        Case{"basicip", "", "Router>"}, Case{"", "R1(config)#hostname R2\r\n", "R1(config)#"}}) {
    Task t(kTask, c.model);
    SimProgram p(c.lab, t.files);
    EXPECT_EQ(p.state()["prompt"], c.prompt) << c.lab;
    p.handle(sim_event("showme"));
    if (c.model == nullptr || *c.model == 0) {
      EXPECT_EQ(p.state()["showme"], "This task has no model transcript.");
    }
  }
}

TEST(SimProgram, BadTasksShowAMessageAndWriteNothing) {
  const std::string huge(300 * 1024, 'x');
  struct Case {
    const char* lab;
    const char* task;
    bool unreadable;
    const char* message_start;
  };
  for (const Case c : {Case{"", nullptr, false, "\"sim.txt\" cannot be read"},
                       Case{"", kTask, true, "\"sim.txt\" cannot be read"},
                       Case{"", huge.c_str(), false, "\"sim.txt\" is larger"},
                       Case{"bigswitch", kTask, false, "The simulator has no lab named"}}) {
    Task t(c.task);
    if (c.unreadable) t.files.deny_reads_of(t.current / "sim.txt");
    SimProgram p(c.lab, t.files);
    EXPECT_EQ(p.state()["status"], "error");
    EXPECT_TRUE(p.state()["message"].get<std::string>().starts_with(c.message_start))
        << p.state()["message"];
    p.handle(typed({"enable"}));
    p.handle(sim_event("done"));
    p.finish();
    EXPECT_FALSE(t.written());
  }
}

TEST(SimProgram, LongLinesManyCommandsAndForeignEventsStayBounded) {
  Task t;
  SimProgram p("", t.files);
  p.handle(typed({std::string(100 * 1024, 'a')}));
  EXPECT_NE(screen(p).find("% The line is too long"), std::string::npos);
  EXPECT_LT(screen(p).size(), 1024u);
  for (int i = 0; i < 10000; ++i) p.handle(typed({"show version"}));
  EXPECT_LE(screen(p).size(), SimProgram::kMaxScreen);
  EXPECT_TRUE(screen(p).starts_with("Switch>")) << screen(p).substr(0, 40);
  EXPECT_EQ(p.state()["history"].size(), sim::kMaxHistory);
  // A paste of several lines is typed line by line.
  p.handle(sim_event("line", "enable\r\nconfigure terminal\nhostname Access1"));
  EXPECT_EQ(p.state()["prompt"], "Access1(config)#");
  for (const nlohmann::json& bad :
       {nlohmann::json::array({{{"type", "format"}}}), nlohmann::json::array({{{"type", "line"}}}),
        nlohmann::json::array({{{"type", "line"}, {"text", 5}}})})
    EXPECT_THROW(p.handle(bad), std::invalid_argument) << bad;
  EXPECT_EQ(p.state()["status"], "ready");
}

// A line of three-byte characters cut at the console's limit, a task saved in another
// encoding: the page still gets the state, with marks where the text was not UTF-8.
TEST(SimProgram, TextThatIsNotUtf8StillReachesThePage) {
  Task t("Name the switch Caf\xE9.\r\n");
  SimProgram p("", t.files);
  std::string euros;
  for (int i = 0; i < 200; ++i) euros += "\xE2\x82\xAC";
  p.handle(typed({euros}));
  p.handle(sim_event("help", euros));
  p.handle(typed({"enable", "configure terminal", "hostname Caf\xC3\xA9"}));
  nlohmann::json page;
  ASSERT_NO_THROW(page = nlohmann::json::parse(state_text(p.state())));
  EXPECT_EQ(page["task"], "Name the switch Caf\xEF\xBF\xBD.");
  EXPECT_EQ(page["prompt"], "Caf\xC3\xA9(config)#");
  EXPECT_EQ(page["screen"].get<std::string>().find("\xEF\xBF\xBD"), std::string::npos);
}

}  // namespace
}  // namespace pv::testing
