// Documents the program opens while its windows are drawn in a browser: its own files open
// in tabs of that browser, everything else with the desktop.
#include "web/tab_shell.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

#include "support/fake_services.hpp"
#include "support/temp_folder.hpp"
#include "web/front_end.hpp"
#include "web/sample_form.hpp"

namespace pv::testing {
namespace {

using nlohmann::json;

TEST(BrowserTabShell, TheProgramsFilesOpenInTabsAndTheRestOnTheDesktop) {
  auto desktop_owned = std::make_unique<FakeShell>();
  FakeShell& desktop = *desktop_owned;
  desktop.open_result = 31;
  std::vector<std::string> tabs;
  BrowserTabShell shell(std::move(desktop_owned), [&](const std::string& path) {
    if (path.find("/outside/") != std::string::npos) return false;
    tabs.push_back(path);
    return true;
  });
  const struct {
    const char* target;
    int result;
    bool in_tab;
  } cases[] = {
      {"/opt/prepvant/pb_gudar/ex7.txt", kShellOpened, true},
      {"/home/u/history.46000.ANN.htm", kShellOpened, true},
      {"/outside/notes.txt", 31, false},
      {"/opt/prepvant/0460001.pdf.hta", 31, false},  // its PDF goes to the desktop's viewer
      {"https://www.pelmabooks.example", 31, false},
      {"mailto:support@pelmabooks.example", 31, false},
  };
  for (const auto& c : cases) {
    const size_t before = tabs.size(), desktop_before = desktop.opened.size();
    ShellCall call;
    call.target = c.target;
    EXPECT_EQ(shell.open(call), c.result) << c.target;
    EXPECT_EQ(tabs.size() - before, c.in_tab ? 1u : 0u) << c.target;
    EXPECT_EQ(desktop.opened.size() - desktop_before, c.in_tab ? 0u : 1u) << c.target;
  }
  shell.start({"/opt/prepvant/testsim.exe", "3550"}, 1);
  EXPECT_EQ(desktop.started.size(), 1u);
}

TEST(BrowserTabShell, ThePageLearnsOfEachTabOnceInItsState) {
  SampleModel m;
  TempFolder program, current, outside;
  program.write("ex7.txt", "exhibit");
  outside.write("secret.txt", "no");
  FrontEnd front(m.loop, m.input, m.screen,
                 {.current_folder = current.path(), .program_folder = program.path()});
  front.start();
  EXPECT_TRUE(front.open_tab(program / "ex7.txt"));
  EXPECT_FALSE(front.open_tab(outside / "secret.txt"));
  EXPECT_FALSE(front.open_tab(program / "missing.txt"));
  for (int i = 0; i < 9; ++i) EXPECT_TRUE(front.open_tab(program / "EX7.TXT"));  // any case
  front.publish();
  httplib::Client c("127.0.0.1", front.server().port());
  const auto res = c.Get(("/api/state?after=0&s=" + front.server().secret()).c_str());
  ASSERT_TRUE(res);
  const json tabs = json::parse(res->body)["state"]["tabs"];
  ASSERT_EQ(tabs.size(), 8u);  // the latest ones
  EXPECT_EQ(tabs.front()["id"], 3);
  EXPECT_EQ(tabs.back()["id"], 10);
  EXPECT_EQ(tabs.back()["path"], program / "ex7.txt");
  // A document of the current folder is served once the program opens it.
  current.write("history.htm", "<p>h</p>");
  const std::string url = "/file?path=history.htm&s=" + front.server().secret();
  EXPECT_EQ(c.Get(url.c_str())->status, 404);
  EXPECT_TRUE(front.open_tab("history.htm"));
  EXPECT_EQ(c.Get(url.c_str())->status, 200);
  // No notice until the engine has one; then every state carries it.
  EXPECT_FALSE(json::parse(res->body)["state"].contains("notice"));
  front.show_notice("The current folder /gone/ no longer exists.");
  front.publish();
  const auto noticed = c.Get(("/api/state?after=0&s=" + front.server().secret()).c_str());
  ASSERT_TRUE(noticed);
  EXPECT_EQ(json::parse(noticed->body)["state"]["notice"],
            "The current folder /gone/ no longer exists.");
  front.finish();
}

}  // namespace
}  // namespace pv::testing
