#include "web/front_end.hpp"

#include "platform/event_loop.hpp"
#include "web/snapshot.hpp"

namespace pv {

FrontEnd::FrontEnd(EventLoop& loop, InputTarget target, WebServer::Options options)
    : target_(target), server_(std::move(options), [&loop, target](nlohmann::json event) {
        // HTTP threads only queue the event; the engine carries it out in turn.
        loop.post([target, event = std::move(event)] { apply_input(event, target); });
      }) {}

void FrontEnd::start() {
  server_.start();
  publish();
}

void FrontEnd::publish() {
  server_.publish(snapshot_json(target_.forms, target_.screen, target_.dialogs)
                      .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

}  // namespace pv
