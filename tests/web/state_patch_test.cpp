// The changes published between two states, as the page applies them, and the polls that
// get only the changes.
#include "web/state_patch.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <memory>
#include <string>

#include "web/page_patch.hpp"
#include "web/server.hpp"

namespace pv::testing {
namespace {

using nlohmann::json;

json window(const std::string& name, int focus, const std::string& caption = "") {
  return {{"name", name},
          {"focus", focus},
          {"controls", {{{"name", "Text1"}, {"caption", caption}}, {{"name", "Command1"}}}}};
}

// Windows that open, close and change order are sent by name: a window kept is never sent
// again, only its own changes at its new position.
TEST(StatePatch, WindowsThatOpenCloseOrMoveAreNamedNotResent) {
  const json a = window("quest", 0, "Question 1"), big = window("theanswer", 1, "Incorrect.");
  const json test = {{"windows", {a}}};
  json answered = a;
  answered["focus"] = -1;
  struct Case {
    const char* what;
    json from, to, patch;
  };
  const Case cases[] = {
      {"one opens on top",
       test,
       {{"windows", {answered, big}}},
       {{{"windows"}, {"quest", big}, "names"}, {{"windows", 0, "focus"}, -1}}},
      {"the top one closes", {{"windows", {a, big}}}, test, {{{"windows"}, {"quest"}, "names"}}},
      {"two change places",
       {{"windows", {a, big}}},
       {{"windows", {big, answered}}},
       {{{"windows"}, {"theanswer", "quest"}, "names"}, {{"windows", 1, "focus"}, -1}}},
      {"one replaces another of the same count",
       test,
       {{"windows", {big}}},
       {{{"windows"}, {big}, "names"}}},
      // Controls of a control array share a name: such a list is compared by position.
      {"names that repeat",
       {{"list", {{{"name", "x"}}, {{"name", "x"}}}}},
       {{"list", {{{"name", "x"}}}}},
       {{{"list"}, {{{"name", "x"}}}}}},
  };
  for (const Case& c : cases) {
    const json patch = state_patch(c.from, c.to);
    EXPECT_EQ(patch, c.patch) << c.what;
    json state = c.from;
    apply(state, patch);
    EXPECT_EQ(state, c.to) << c.what;
    EXPECT_EQ(patch.dump().find("Question 1"), std::string::npos) << c.what;  // not resent
  }
}

TEST(StatePatch, NamesOnlyWhatChangedAndTurnsTheOldStateIntoTheNew) {
  const json saver = {
      {"windows",
       {{{"name", "Security"},
         {"controls",
          {{{"name", "Picture1"}, {"left", 4500}, {"visible", true}},
           {{"name", "lblQuestion"}, {"caption", "Q"}, {"foreColor", "#000000"}}}}}}},
      {"boxes", json::array()}};
  struct Case {
    const char* what;
    json to;
    json patch;
  };
  json moved = saver;
  moved["windows"][0]["controls"][0]["left"] = 4495;
  json lit = moved;
  lit["windows"][0]["controls"][1]["foreColor"] = "#ffffff";
  lit["windows"][0]["controls"][1]["caption"] = "Which?";
  json boxed = saver;
  boxed["boxes"] = json::array({{{"box", 1}, {"text", "Sure?"}}});
  json renamed = saver;
  renamed["windows"][0]["controls"][1].erase("foreColor");
  renamed["windows"][0]["controls"][1]["backColor"] = "#000000";
  json retyped = saver;
  retyped["windows"][0]["controls"][0]["left"] = 4495.5;
  const Case cases[] = {
      {"the same state", saver, json::array()},
      {"one number", moved, {{{"windows", 0, "controls", 0, "left"}, 4495}}},
      {"two members of one control",
       lit,
       {{{"windows", 0, "controls", 0, "left"}, 4495},
        {{"windows", 0, "controls", 1, "caption"}, "Which?"},
        {{"windows", 0, "controls", 1, "foreColor"}, "#ffffff"}}},
      {"a list that grew is sent whole", boxed, {{{"boxes"}, boxed["boxes"]}}},
      {"an object with other keys is sent whole",
       renamed,
       {{{"windows", 0, "controls", 1}, renamed["windows"][0]["controls"][1]}}},
      {"a whole number that became a fraction",
       retyped,
       {{{"windows", 0, "controls", 0, "left"}, 4495.5}}},
      {"another kind of state", json::array({1}), {{json::array(), json::array({1})}}},
  };
  for (const Case& c : cases) {
    const json patch = state_patch(saver, c.to);
    EXPECT_EQ(patch, c.patch) << c.what;
    json state = saver;
    apply(state, patch);
    EXPECT_EQ(state, c.to) << c.what;
  }
}

// A new question page keeps the scripts around its question: only the part between is
// sent, cut where the page counts characters, whatever letters lie at the cut.
TEST(StatePatch, ALongTextSendsOnlyThePartThatChanged) {
  const std::string script(300, 's'), end = "</table><script>focus()</script>";
  struct Case {
    const char* what;
    std::string from, to;
    bool spliced;
  };
  const Case cases[] = {
      {"a new question", script + "<p>12.) Which?" + end, script + "<p>13.) Where?" + end, true},
      {"a letter of two bytes at the cut", script + "caf\xc3\xa9 A" + end,
       script + "caf\xc3\xa8 B" + end, true},
      {"letters beyond U+FFFF before the cut", "\xf0\x9f\x98\x80" + script + "x\xe2\x82\xac" + end,
       "\xf0\x9f\x98\x80" + script + "y\xe2\x82\xac" + end, true},
      {"the same letters, one byte of two changed", script + "\xc3\xa9" + end,
       script + "\xc3\xa8" + end, true},
      {"text grown at its end", script, script + "more", true},
      {"text cut from its start", "abc" + script, script, true},
      {"a short text", "<p>1.)</p>", "<p>2.)</p>", false},
      {"nothing kept", std::string(300, 'a'), std::string(300, 'b'), false},
      // Written out, a byte that is no letter changes length: the text goes whole.
      {"a stray byte before the cut", "\xff" + script + "x", "\xff" + script + "y", false},
  };
  for (const Case& c : cases) {
    const json from = {{"html", c.from}}, to = {{"html", c.to}};
    const json patch = state_patch(from, to);
    ASSERT_EQ(patch.size(), 1u) << c.what;
    EXPECT_EQ(patch[0].size() == 3 && patch[0][2] == "splice", c.spliced) << c.what;
    if (c.spliced) {
      EXPECT_LT(patch.dump().size(), 100u) << c.what;
    }
    json state = from;
    apply(state, patch);
    EXPECT_EQ(state, to) << c.what;
  }
}

class PatchPolls : public ::testing::Test {
 protected:
  void SetUp() override { server.start(); }
  void TearDown() override { server.finish(); }
  void publish(const json& state) {
    server.publish(std::make_shared<const json>(state),
                   last_.is_null() ? std::string() : state_patch(last_, state).dump());
    last_ = state;
  }
  json poll(uint64_t after, bool patches = true) {
    httplib::Client c("127.0.0.1", server.port());
    c.set_read_timeout(5, 0);
    const std::string path = "/api/state?after=" + std::to_string(after) +
                             (patches ? "&patch=1" : "") + "&s=" + server.secret();
    auto res = c.Get(path.c_str());
    return res ? json::parse(res->body) : json();
  }
  static WebServer::Options quick_polls() {
    WebServer::Options o;
    o.poll_timeout = std::chrono::milliseconds(50);
    return o;
  }
  WebServer server{quick_polls(), [](const json&) {}};
  json last_;
};

// A page that holds the latest state hears, when its poll's time is up, only that: an idle
// page costs a few bytes a poll, however big the state.
TEST_F(PatchPolls, APollWithNothingNewAnswersInAFewBytes) {
  const json state = {{"windows", {window("Welcome", 0, std::string(20000, 'x'))}}};
  publish(state);
  for (const bool patches : {true, false}) {
    httplib::Client c("127.0.0.1", server.port());
    const std::string after = std::to_string(server.version());
    auto res =
        c.Get("/api/state?after=" + after + (patches ? "&patch=1" : "") + "&s=" + server.secret());
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, "{\"version\":" + after + "}");
  }
  // One behind still gets what it lacks.
  EXPECT_EQ(poll(server.version() - 1, false)["state"], state);
}

TEST_F(PatchPolls, APageThatKeepsUpGetsTheChangesAndOneFarBehindTheWholeState) {
  json state = {{"logo", 0}, {"card", 1}};
  publish(state);
  const uint64_t first = server.version();
  json reply = poll(0);
  EXPECT_EQ(reply["state"], state);
  EXPECT_GT(reply["at"].get<int64_t>(), 0);

  state["logo"] = 1;
  publish(state);
  state["logo"] = 2;
  state["card"] = 2;
  publish(state);
  reply = poll(first);
  EXPECT_EQ(reply["version"], first + 2);
  EXPECT_EQ(reply["from"], first);
  EXPECT_FALSE(reply.contains("state"));
  json drawn = {{"logo", 0}, {"card", 1}};
  for (const json& patch : reply["patches"]) apply(drawn, patch);
  EXPECT_EQ(drawn, state);
  EXPECT_EQ(reply["patches"].size(), 2u);
  EXPECT_EQ(poll(first + 1)["patches"].size(), 1u);
  // A poll that does not ask for changes gets the whole state.
  EXPECT_EQ(poll(first, false)["state"], state);

  for (size_t i = 0; i <= WebServer::kPatchesKept; ++i) {
    state["logo"] = 3 + static_cast<int>(i);
    publish(state);
  }
  reply = poll(first);  // more versions behind than are kept
  EXPECT_EQ(reply["state"], state);
  EXPECT_FALSE(reply.contains("patches"));
  reply = poll(server.version() - WebServer::kPatchesKept);
  EXPECT_EQ(reply["patches"].size(), WebServer::kPatchesKept);
}

}  // namespace
}  // namespace pv::testing
