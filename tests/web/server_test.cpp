#include "web/server.hpp"

#include <gtest/gtest.h>
#include <httplib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <mutex>
#include <thread>

#include "core/program_name.hpp"
#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/event_loop.hpp"
#include "support/temp_folder.hpp"
#include "web/front_end.hpp"
#include "web/page.hpp"
#include "web/raw_client.hpp"
#include "web/sample_form.hpp"

namespace pv::testing {
namespace {

using nlohmann::json;

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.write("cover.png", "PNG bytes");
    current.write("history.htm", "<p>history</p>");
    outside.write("secret.txt", "not for the page");
    ASSERT_EQ(::symlink((outside / "secret.txt").c_str(), (program / "link.txt").c_str()), 0);
    server.start();
  }

  httplib::Client client() {
    httplib::Client c("127.0.0.1", server.port());
    c.set_read_timeout(5, 0);
    return c;
  }
  std::string with_secret(const std::string& path) {
    return path + (path.find('?') == std::string::npos ? "?" : "&") + "s=" + server.secret();
  }
  std::string page_file(const std::string& name) { return "/page/" + server.secret() + "/" + name; }
  int status_of(const std::string& path, const httplib::Headers& headers = {}) {
    auto res = client().Get(path.c_str(), headers);
    return res ? res->status : -1;
  }
  std::string file(const std::string& path) {
    return with_secret("/file?path=" + httplib::detail::encode_query_param(path));
  }

  TempFolder current, program, outside;
  std::mutex mutex;
  std::vector<json> received;
  WebServer server{{.host = "127.0.0.1",
                    .port = 0,
                    .current_folder = current.path(),
                    .program_folder = program.path()},
                   [this](const json& events) {
                     std::lock_guard lock(mutex);
                     for (const json& e : events) received.push_back(e);
                   }};
};

TEST_F(ServerTest, ServesThePageOnlyWithTheSecretAndTheLoopbackHost) {
  auto page = client().Get(with_secret("/").c_str());
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("/page/" + server.secret() + "/main.js"), std::string::npos);
  EXPECT_NE(page->get_header_value("Content-Security-Policy").find("form-action 'none'"),
            std::string::npos);
  EXPECT_EQ(page->get_header_value("X-Frame-Options"), "DENY");
  EXPECT_EQ(server.url(),
            "http://127.0.0.1:" + std::to_string(server.port()) + "/?s=" + server.secret());

  auto refused = client().Get("/?s=0123456789abcdef0123456789abcdef");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 403);
  EXPECT_EQ(refused->get_header_value("Content-Type"), "text/plain; charset=utf-8");
  // The bare address says how to open the program.
  auto bare = client().Get("/");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->status, 403);
  EXPECT_EQ(bare->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(bare->body.find("start the program again"), std::string::npos);
  EXPECT_EQ(bare->body.find(server.secret()), std::string::npos);
  EXPECT_EQ(status_of("/api/state?after=0"), 403);
  EXPECT_EQ(status_of("/", {{"X-Prepvant-Secret", server.secret()}}), 200);
  // A name that resolves to this machine is still not this server's address.
  const std::string port = std::to_string(server.port());
  for (const std::string& host : std::vector<std::string>{
           "localhost:" + port, "evil.example:" + port, "127.0.0.1", "127.0.0.1:1"})
    EXPECT_EQ(status_of(with_secret("/"), {{"Host", host}}), 403) << host;
  EXPECT_EQ(status_of(with_secret("/"), {{"Origin", "http://evil.example"}}), 403);
  EXPECT_EQ(status_of(with_secret("/nothing")), 404);
}

// The script and the style carry a validator: a browser that holds them hears 304 and no
// body; a stale tag gets the file. The icon is answered without the secret, and empty.
TEST_F(ServerTest, ThePagesFilesAreValidatedAndTheIconIsAnswered) {
  for (const std::string& path : {page_file("main.js"), page_file("app.css")}) {
    SCOPED_TRACE(path);
    auto first = client().Get(path.c_str());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->status, 200);
    EXPECT_FALSE(first->body.empty());
    const std::string tag = first->get_header_value("ETag");
    EXPECT_EQ(tag.size(), 18u);
    EXPECT_EQ(first->get_header_value("Cache-Control"), "no-cache");
    auto again = client().Get(path.c_str(), {{"If-None-Match", tag}});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 304);
    EXPECT_TRUE(again->body.empty());
    auto stale = client().Get(path.c_str(), {{"If-None-Match", "\"0\""}});
    ASSERT_TRUE(stale);
    EXPECT_EQ(stale->status, 200);
    EXPECT_EQ(stale->body, first->body);
  }
  EXPECT_NE(client().Get(page_file("main.js").c_str())->get_header_value("ETag"),
            client().Get(page_file("app.css").c_str())->get_header_value("ETag"));
  EXPECT_EQ(status_of("/favicon.ico"), 204);
  EXPECT_EQ(status_of("/favicon.ico", {{"Host", "evil.example"}}), 403);
}

// Every file of the page's table is served from the folder the secret names, with its
// type; another folder, or the secret only as a query, is refused.
TEST_F(ServerTest, ServesEveryPageFileFromTheSecretsFolder) {
  bool script = false;
  for (const PageFile& f : page_files()) {
    if (f.name == "index.html") continue;
    SCOPED_TRACE(std::string(f.name));
    auto res = client().Get(page_file(std::string(f.name)).c_str());
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, f.bytes);
    EXPECT_EQ(res->get_header_value("Content-Type"), f.type);
    script = script || f.name == "main.js";
  }
  EXPECT_TRUE(script);
  EXPECT_EQ(status_of("/page/0123456789abcdef0123456789abcdef/main.js"), 403);
  EXPECT_EQ(status_of("/page/main.js"), 403);
  EXPECT_EQ(status_of(with_secret("/page/main.js")), 404);
  EXPECT_EQ(status_of(page_file("nothing.js")), 404);
  EXPECT_EQ(status_of(page_file("main.js"), {{"Host", "evil.example"}}), 403);
}

// Every route stands behind the one gate: without the secret, or from another Host, each
// is refused before its handler runs, and nothing reaches the input's sink.
TEST_F(ServerTest, EveryRoutePassesTheGate) {
  const std::string port = std::to_string(server.port());
  for (const std::string& path :
       {std::string("/"), std::string("/api/state?after=0"),
        std::string("/api/state?after=0&stream=1"), std::string("/file?path=cover.png"),
        std::string("/page/main.js")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(status_of(path), 403);
    EXPECT_EQ(status_of(with_secret(path), {{"Host", "evil.example:" + port}}), 403);
  }
  EXPECT_EQ(client().Post("/api/input", R"({"a":"x"})", "application/json")->status, 403);
  EXPECT_EQ(client()
                .Post(with_secret("/api/input").c_str(), {{"Origin", "http://evil.example"}},
                      R"({"a":"x"})", "application/json")
                ->status,
            403);
  std::lock_guard lock(mutex);
  EXPECT_TRUE(received.empty());
}

TEST_F(ServerTest, TakesInputOnlyAsJson) {
  auto posted = client().Post(with_secret("/api/input").c_str(), R"({"a":"click","w":"Welcome"})",
                              "application/json");
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 204);
  auto batch = client().Post(with_secret("/api/input").c_str(), R"([{"a":"x"},{"a":"y"}])",
                             "application/json; charset=utf-8");
  EXPECT_EQ(batch->status, 204);
  EXPECT_EQ(
      client()
          .Post(with_secret("/api/input").c_str(), "a=click", "application/x-www-form-urlencoded")
          ->status,
      415);
  EXPECT_EQ(client().Post(with_secret("/api/input").c_str(), R"({"a":"x"})", "text/plain")->status,
            415);
  EXPECT_EQ(
      client().Post(with_secret("/api/input").c_str(), "{not json", "application/json")->status,
      400);
  EXPECT_EQ(client().Post("/api/input", R"({"a":"x"})", "application/json")->status, 403);
  std::lock_guard lock(mutex);
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0]["w"], "Welcome");
  EXPECT_EQ(received[2]["a"], "y");
}

TEST_F(ServerTest, RefusesRequestsNestedDeepOrWithTooManyEvents) {
  const auto post = [&](const std::string& body) {
    auto res = client().Post(with_secret("/api/input").c_str(), body, "application/json");
    return res ? std::pair(res->status, res->body) : std::pair(-1, std::string());
  };
  // Marks nested 150,000 deep would overflow the stack of a recursive parser or copy.
  const std::string deep =
      R"({"action":"click","marks":)" + std::string(150000, '[') + std::string(150000, ']') + "}";
  EXPECT_EQ(post(deep), std::pair(400, std::string("Bad request: nested deeper than 16\n")));
  EXPECT_EQ(post(std::string(17, '[') + std::string(17, ']')).first, 400);
  EXPECT_EQ(post("[" + std::string(15, '[') + std::string(15, ']') + "]").first, 204);
  // Brackets inside texts do not nest.
  EXPECT_EQ(post(R"({"text":"[[[[[[[[[[[[[[[[[[[[\"{{{{{{{{{{{{{{{{{{{{{{"})").first, 204);

  json many = json::array();
  for (int i = 0; i < 65; ++i) many.push_back({{"action", "click"}, {"n", i}});
  EXPECT_EQ(post(many.dump()), std::pair(400, std::string("Bad request: more than 64 events\n")));
  many.erase(many.begin());
  EXPECT_EQ(post(many.dump()).first, 204);
  std::lock_guard lock(mutex);
  ASSERT_EQ(received.size(), 1u + 1u + 64u);
  EXPECT_EQ(received.back()["n"], 64);
}

TEST_F(ServerTest, ServesFilesOnlyFromTheAllowedFolders) {
  auto cover = client().Get(file(program / "cover.png").c_str());
  ASSERT_TRUE(cover);
  EXPECT_EQ(cover->status, 200);
  EXPECT_EQ(cover->body, "PNG bytes");
  EXPECT_EQ(cover->get_header_value("Content-Type"), "image/png");
  // Letter case, "\" separators and relative names as the program writes them.
  EXPECT_EQ(status_of(file(program / "COVER.PNG")), 200);
  // The current folder's files only once the program names them.
  EXPECT_EQ(status_of(file("history.htm")), 404);
  EXPECT_EQ(server.name_file("History.htm"), current / "history.htm");
  EXPECT_EQ(status_of(file("history.htm")), 200);
  EXPECT_EQ(status_of(file("cover.png")), 200);  // relative: current folder, then program folder
  std::string backslashed = program / "cover.png";
  backslashed.replace(backslashed.rfind('/'), 1, "\\");
  EXPECT_EQ(status_of(file(backslashed)), 200);
  const auto shown = client().Get(file(current / "history.htm").c_str());
  EXPECT_NE(shown->get_header_value("Content-Security-Policy").find("sandbox"), std::string::npos);

  for (const std::string& bad : std::vector<std::string>{
           outside / "secret.txt", program / "../" + outside.path().substr(5) + "secret.txt",
           program / "link.txt", std::string("/etc/passwd"), std::string("../../../../etc/passwd"),
           std::string("..\\..\\..\\..\\etc\\passwd"), program.path(), std::string()}) {
    auto res = client().Get(file(bad).c_str());
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 404) << bad;
    EXPECT_EQ(res->body.find("not for the page"), std::string::npos);
  }
  // Started in a home folder: its keys and documents are not the program's to show, nor are
  // files of unknown types in the program's own folders, nor a name cut short by a NUL.
  ASSERT_EQ(::mkdir((current / ".ssh").c_str(), 0700), 0);
  current.write(".ssh/id_rsa", "PRIVATE KEY");
  current.write("taxes.pdf", "%PDF");
  program.write("tool.bin", "binary");
  for (const std::string& bad : std::vector<std::string>{
           ".ssh/id_rsa", current / ".ssh/id_rsa", "taxes.pdf", program / "tool.bin",
           std::string("cover.png\0.txt", 14), program / std::string("cover.png\0.htm", 14)}) {
    auto res = client().Get(file(bad).c_str());
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 404) << bad;
  }
  EXPECT_EQ(server.name_file(".ssh/id_rsa"), "");
  EXPECT_EQ(server.name_file(current / "nothing.htm"), "");
  // The media folder is allowed once the program names it.
  server.add_file_root(outside.path());
  EXPECT_EQ(status_of(file(outside / "secret.txt")), 200);
}

// A folder of the program's swapped for a link to an outside folder while files are asked
// for: every answer is the inside file or a refusal, never the outside one.
TEST_F(ServerTest, AFolderSwappedForALinkNeverLeadsOutside) {
  ASSERT_EQ(::mkdir((program / "sub").c_str(), 0755), 0);
  program.write("sub/pic.png", "inside");
  outside.write("pic.png", "outside");
  std::atomic<bool> stop{false};
  std::thread swapper([&] {
    const std::string sub = program / "sub", kept = program / "sub.kept";
    while (!stop) {
      std::rename(sub.c_str(), kept.c_str());
      ::symlink(outside.path().c_str(), sub.c_str());
      std::this_thread::yield();
      ::unlink(sub.c_str());
      std::rename(kept.c_str(), sub.c_str());
    }
  });
  httplib::Client c = client();
  int inside = 0, leaked = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (int i = 0; i < 4000 && std::chrono::steady_clock::now() < until; ++i) {
    auto res = c.Get(file(program / "sub/pic.png").c_str());
    if (!res) continue;
    inside += res->status == 200 && res->body == "inside";
    leaked += res->body.find("outside") != std::string::npos;
  }
  stop = true;
  swapper.join();
  EXPECT_EQ(leaked, 0);
  EXPECT_GT(inside, 0);
}

// The program's files carry a validator and are sent again only when changed; the current
// folder's, which the program writes, are never kept.
TEST_F(ServerTest, ProgramFilesAreValidatedAndCurrentFilesAreNotKept) {
  auto first = client().Get(file(program / "cover.png").c_str());
  ASSERT_TRUE(first);
  const std::string tag = first->get_header_value("ETag");
  EXPECT_FALSE(tag.empty());
  EXPECT_EQ(first->get_header_value("Cache-Control"), "no-cache");
  for (const std::string& held : {tag, "\"other\", W/" + tag, std::string("*")}) {
    auto again = client().Get(file(program / "cover.png").c_str(), {{"If-None-Match", held}});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 304) << held;
    EXPECT_EQ(again->body, "");
  }
  program.write("cover.png", "PNG bytes, changed");
  auto changed = client().Get(file(program / "cover.png").c_str(), {{"If-None-Match", tag}});
  ASSERT_TRUE(changed);
  EXPECT_EQ(changed->status, 200);
  EXPECT_EQ(changed->body, "PNG bytes, changed");
  EXPECT_NE(changed->get_header_value("ETag"), tag);

  ASSERT_FALSE(server.name_file("history.htm").empty());
  auto written = client().Get(file("history.htm").c_str(), {{"If-None-Match", "*"}});
  ASSERT_TRUE(written);
  EXPECT_EQ(written->status, 200);
  EXPECT_EQ(written->get_header_value("Cache-Control"), "no-store");
  EXPECT_EQ(written->get_header_value("ETag"), "");
}

TEST_F(ServerTest, APollWaitsForTheNextStateAndLearnsOfTheEnd) {
  server.publish(R"({"n":1})");
  const uint64_t v = server.version();
  // Only a page's poll for the state says that a page is open.
  EXPECT_EQ(server.ms_since_last_poll(), -1);
  auto now = client().Get(with_secret("/api/state?after=0").c_str());
  ASSERT_TRUE(now);
  EXPECT_GE(server.ms_since_last_poll(), 0);
  EXPECT_LT(server.ms_since_last_poll(), 5000);
  EXPECT_EQ(json::parse(now->body)["state"]["n"], 1);
  server.publish(R"({"n":1})");  // the same state wakes nobody
  EXPECT_EQ(server.version(), v);

  auto waiting = std::async(std::launch::async, [&] {
    return client().Get(with_secret("/api/state?after=" + std::to_string(v)).c_str());
  });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  server.publish(R"({"n":2})");
  auto next = waiting.get();
  ASSERT_TRUE(next);
  const json reply = json::parse(next->body);
  EXPECT_EQ(reply["version"], v + 1);
  EXPECT_EQ(reply["state"]["n"], 2);
  EXPECT_EQ(reply["ended"], false);
  EXPECT_EQ(status_of(with_secret("/api/state?after=x")), 400);

  auto last = std::async(std::launch::async, [&] {
    return client().Get(with_secret("/api/state?after=" + std::to_string(v + 1)).c_str());
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  server.finish();
  auto end = last.get();
  ASSERT_TRUE(end);
  EXPECT_EQ(json::parse(end->body)["ended"], true);
  EXPECT_FALSE(client().Get(with_secret("/").c_str()));  // no longer serving
}

// A streamed poll hears each publish as a line of its own over one reply: the changes after
// the version the line before it carried, up to its bound of lines; the next stream ends
// when the program does.
TEST_F(ServerTest, AStreamedPollSendsEachNewStateAsALine) {
  server.publish(std::make_shared<const json>(json{{"n", 1}}), "");
  const uint64_t v = server.version();
  RawClient c(server.port());
  const auto ask = [&](uint64_t after) {
    return c.send("GET " +
                  with_secret("/api/state?patch=1&stream=1&after=" + std::to_string(after)) +
                  " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n\r\n");
  };
  const auto line = [&c] {
    const std::string chunk = c.until("\n\r\n");
    return json::parse(chunk.substr(chunk.find("\r\n") + 2));
  };
  ASSERT_TRUE(ask(0));
  EXPECT_NE(c.until("\r\n\r\n").find("Content-Type: application/x-ndjson"), std::string::npos);
  const json first = line();
  EXPECT_EQ(first["version"], v);
  EXPECT_EQ(first["state"], json({{"n", 1}}));
  for (size_t n = 2; n <= WebServer::kStreamParts; ++n) {
    server.publish(std::make_shared<const json>(json{{"n", n}}),
                   R"([[["n"],)" + std::to_string(n) + "]]");
    const json next = line();
    ASSERT_EQ(next["from"], v + n - 2);
    ASSERT_EQ(next["patches"], json::parse(R"([[[["n"],)" + std::to_string(n) + "]]]"));
  }
  EXPECT_EQ(c.until("0\r\n\r\n"), "0\r\n\r\n");

  // The next stream on the connection ends when the program does.
  ASSERT_TRUE(ask(server.version() - 1));
  c.until("\r\n\r\n");
  EXPECT_EQ(line()["version"], server.version());
  server.finish();
  EXPECT_EQ(line()["ended"], true);
  EXPECT_EQ(c.until("0\r\n\r\n"), "0\r\n\r\n");
  EXPECT_TRUE(c.closed());
}

TEST(WebServerBind, RefusesAnythingButALoopbackAddress) {
  for (const char* host : {"0.0.0.0", "::", "192.168.1.10", "localhost", "example.com"}) {
    WebServer::Options options;
    options.host = host;
    WebServer s(options, [](json) {});
    EXPECT_THROW(s.start(), std::runtime_error) << host;
  }
  EXPECT_TRUE(is_loopback_address("127.0.0.1"));
  EXPECT_TRUE(is_loopback_address("127.1.2.3"));
  EXPECT_TRUE(is_loopback_address("::1"));
  EXPECT_FALSE(is_loopback_address("128.0.0.1"));
  EXPECT_FALSE(is_loopback_address("::ffff:10.0.0.1"));
}

TEST(WebServerBind, ReportsAPortInUse) {
  WebServer first({}, [](json) {});
  first.start();
  WebServer::Options options;
  options.port = first.port();
  WebServer second(options, [](json) {});
  EXPECT_THROW(second.start(), std::runtime_error);
}

// A click sent over HTTP is carried out by the engine thread, whose next published state
// the page then reads.
TEST(FrontEndTest, InputMakesTheRoundTripThroughTheEngine) {
  SampleModel m;
  FrontEnd front(m.loop, m.input, m.screen, {});
  m.loop.after_event = [&] { front.publish(); };
  front.start();
  httplib::Client c("127.0.0.1", front.server().port());
  const std::string s = "s=" + front.server().secret();

  const json first = json::parse(c.Get(("/api/state?after=0&" + s).c_str())->body);
  EXPECT_EQ(first["state"]["windows"][0]["name"], "Sample");
  json click = m.on(m.form().sound, "click");
  click["pageId"] = "page1";
  click["sequence"] = 7;
  ASSERT_EQ(c.Post(("/api/input?" + s).c_str(), click.dump(), "application/json")->status, 204);
  EXPECT_EQ(m.form().sound.value(), 0);  // not before the engine takes it
  EXPECT_TRUE(m.loop.do_events());
  EXPECT_EQ(m.form().sound.value(), 1);

  const json after =
      json::parse(c.Get(("/api/state?after=" + first["version"].dump() + "&" + s).c_str())->body);
  EXPECT_GT(after["version"], first["version"]);
  EXPECT_EQ(after["state"]["applied"]["page1"], 7);  // the page learns its event was taken
  for (const json& ctl : after["state"]["windows"][0]["controls"]) {
    if (ctl["name"] == "chk_sound") {
      EXPECT_EQ(ctl["value"], 1);
    }
  }
  front.finish();
}

// A request's events are refused whole when one is bad, and carried out together with one
// state published after the last.
TEST(FrontEndTest, ARequestIsCheckedWholeAndPublishedOnce) {
  SampleModel m;
  FrontEnd front(m.loop, m.input, m.screen, {});
  int publishes = 0;
  m.loop.after_event = [&] {
    ++publishes;
    front.publish();
  };
  front.start();
  httplib::Client c("127.0.0.1", front.server().port());
  const std::string url = "/api/input?s=" + front.server().secret();

  json request = json::array(
      {m.on(m.form().sound, "click"),
       {{"action", "key"}, {"window", "Sample"}, {"keyCode", 1073741824}, {"modifiers", 4}}});
  auto refused = c.Post(url.c_str(), request.dump(), "application/json");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 400);
  EXPECT_EQ(refused->body, "Bad request: keyCode is out of its range 0..65535\n");
  EXPECT_FALSE(m.loop.do_events());  // nothing was queued, not even the good click

  request = json::array();
  for (int i = 0; i < 63; ++i) request.push_back(m.on(m.form().sound, "click"));
  request.push_back(m.on(m.form().ok, "click"));
  const uint64_t before = front.server().version();
  ASSERT_EQ(c.Post(url.c_str(), request.dump(), "application/json")->status, 204);
  EXPECT_TRUE(m.loop.do_events());
  EXPECT_EQ(m.form().sound_clicks, 63);
  EXPECT_EQ(m.form().ok_clicks, 1);
  EXPECT_EQ(publishes, 1);
  EXPECT_EQ(front.server().version(), before + 1);
  front.finish();
}

// Code that runs outside any event, as the start-up does, may wait on box after box: each
// wait, and the loop it ends in, publishes what the code did before it, so the page never
// stays on a state the user has already answered.
TEST(FrontEndTest, EveryWaitOfTheStartUpIsPublished) {
  SystemClock clock;
  EventLoop loop(clock, true);
  Screen screen;
  TableTextMeasure measure;
  FormRegistry forms(loop, screen, measure);
  DesktopDialogs dialogs(loop, kProgramTitle);
  UserInput input(forms, &dialogs);
  forms.define<SampleForm>([&] { return std::make_unique<SampleForm>(forms); });
  FrontEnd front(loop, input, screen, {});
  front.attach(loop, [] { return std::string(); });
  front.start();
  bool done = false;  // engine thread only
  std::thread engine([&] {
    dialogs.msgbox("The first box");
    dialogs.msgbox("The second box");
    forms.get<SampleForm>().show();
    loop.run_until([&] { return done; });
  });
  httplib::Client c("127.0.0.1", front.server().port());
  c.set_read_timeout(15, 0);
  uint64_t version = 0;
  // The next published states until one matches; null when the engine publishes no more.
  const auto published = [&](const std::function<bool(const json&)>& wanted) {
    for (;;) {
      const auto res =
          c.Get(("/api/state?after=" + std::to_string(version) + "&s=" + front.server().secret())
                    .c_str());
      if (!res) return json();
      const json reply = json::parse(res->body);
      if (reply["version"].get<uint64_t>() == version) return json();
      version = reply["version"].get<uint64_t>();
      if (wanted(reply["state"])) return reply["state"];
    }
  };
  const auto box_shown = [&](const std::string& text) {
    const json state = published(
        [&](const json& s) { return !s["boxes"].empty() && s["boxes"].back()["text"] == text; });
    EXPECT_FALSE(state.is_null()) << text << " was not published";
    return state.is_null() ? 0 : state["boxes"].back()["box"].get<int>();
  };
  const auto answer = [&](int box) { loop.post([&input, box] { input.answer_box(box, vbOK); }); };
  answer(box_shown("The first box"));
  answer(box_shown("The second box"));
  const json started =
      published([](const json& s) { return s["boxes"].empty() && !s["windows"].empty(); });
  EXPECT_FALSE(started.is_null()) << "the window shown after the boxes was not published";
  // Whatever was not published, the start-up ends: its boxes are answered.
  loop.post([&] {
    for (const DesktopDialogs::OpenBox& b : dialogs.open_boxes()) input.answer_box(b.id, vbOK);
    done = true;
  });
  engine.join();
  front.finish();
}

TEST(FrontEndTest, TextThatIsNotUtf8StillMakesAState) {
  SampleModel m;
  m.form().set_caption("caf\xE9");
  FrontEnd front(m.loop, m.input, m.screen, {});
  front.start();
  httplib::Client c("127.0.0.1", front.server().port());
  const auto res = c.Get(("/api/state?after=0&s=" + front.server().secret()).c_str());
  ASSERT_TRUE(res);
  EXPECT_EQ(json::parse(res->body)["state"]["windows"][0]["caption"], "caf\xEF\xBF\xBD");
}

}  // namespace
}  // namespace pv::testing
