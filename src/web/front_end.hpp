// The browser front-end: the loopback server, fed by the engine thread with the state of
// the window model after each handled event, and feeding the user's input back to the
// engine's event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/printer.hpp"
#include "platform/tooltips.hpp"
#include "web/input.hpp"
#include "web/server.hpp"
#include "web/snapshot.hpp"

namespace pv {

class EventLoop;
class Screen;
class UserInput;

class FrontEnd {
 public:
  // Draws the windows of `input`'s registry and its open boxes on `screen`, and carries
  // the page's input out through `input`.
  FrontEnd(EventLoop& loop, UserInput& input, Screen& screen, WebServer::Options options);

  // When the page updates: after every handled event or tick, and when the loop is about
  // to sleep if something may have changed since (an event began, a handler waits in a
  // nested loop, or code outside any event, such as the start-up, begins a wait). Each publish
  // first serves the current media folder as a file root.
  void attach(EventLoop& loop, std::function<std::string()> media_folder);
  // Starts serving (see WebServer::start) and publishes the first state.
  void start();
  // Publishes the model's state when it changed. Engine thread.
  void publish();
  // Ends the pages' session and stops serving.
  void finish() { server_.finish(); }
  // Has the page open a document in a new tab of its browser; false (and nothing opened)
  // for a file the server does not serve. Engine thread.
  bool open_tab(const std::string& name);
  // Has the page print a document through its browser's print dialog. Engine thread.
  bool print_page(const PrintJob& job);
  // Draws the tips of these tooltip windows over the windows they belong to.
  void show_tooltips(const TooltipTable* tooltips) { tooltips_ = tooltips; }
  // A line the page shows above the windows until the user dismisses it.
  void show_notice(std::string text) { notice_ = std::move(text); }
  WebServer& server() { return server_; }
  // The bytes of every change published so far (the benchmarks read it).
  uint64_t patch_bytes() const { return patch_bytes_; }

 private:
  // Notes the page's number of an event the engine is carrying out. Engine thread.
  void note_applied(const InputEvent& event);

  UserInput& input_;
  Screen& screen_;
  std::string notice_;
  WebServer server_;
  // For each open page, the number of the last of its events the engine took: a page
  // shows the model's text in a field once the model has seen what was typed there.
  std::map<std::string, uint64_t> applied_;
  // The latest documents opened in tabs, numbered: a page opens those newer than it knows.
  struct Tab {
    uint64_t id;
    std::string path;
  };
  std::vector<Tab> tabs_;
  uint64_t last_tab_ = 0;
  // The latest pages to print, numbered likewise: a page prints those newer than it knows.
  struct Print {
    uint64_t id;
    PrintJob job;
  };
  std::vector<Print> prints_;
  uint64_t last_print_ = 0;
  const TooltipTable* tooltips_ = nullptr;
  // The loop's count of begun events at the last publish of an attached loop.
  uint64_t published_after_ = UINT64_MAX;
  // The loop's count of begun waits at that publish.
  uint64_t published_waits_ = UINT64_MAX;
  // The last published state, which the next one is compared with.
  SnapshotKeeper snapshot_;
  uint64_t patch_bytes_ = 0;
};

}  // namespace pv
