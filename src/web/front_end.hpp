// The browser front-end: the loopback server, fed by the engine thread with the state of
// the window model after each handled event, and feeding the user's input back to the
// engine's event loop.
#pragma once

#include "web/input.hpp"
#include "web/server.hpp"

namespace pv {

class EventLoop;

class FrontEnd {
 public:
  FrontEnd(EventLoop& loop, InputTarget target, WebServer::Options options);

  // Starts serving (see WebServer::start) and publishes the first state.
  void start();
  // Publishes the model's state when it changed. Engine thread.
  void publish();
  // Ends the pages' session and stops serving.
  void finish() { server_.finish(); }
  WebServer& server() { return server_; }

 private:
  InputTarget target_;
  WebServer server_;
};

}  // namespace pv
