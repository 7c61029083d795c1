#include "web/front_end.hpp"

#include "platform/event_loop.hpp"
#include "platform/user_input.hpp"
#include "web/input.hpp"
#include "web/snapshot.hpp"

namespace pv {

namespace {
constexpr size_t kPagesRemembered = 16;
constexpr size_t kTabsRemembered = 8;
}  // namespace

FrontEnd::FrontEnd(EventLoop& loop, UserInput& input, Screen& screen, WebServer::Options options)
    : input_(input),
      screen_(screen),
      server_(std::move(options), [this, &loop](nlohmann::json event) {
        // HTTP threads only queue the event; the engine carries it out in turn.
        loop.post([this, event = std::move(event)] {
          note_applied(event);
          apply_input(event, input_, screen_);
        });
      }) {}

void FrontEnd::note_applied(const nlohmann::json& event) {
  const auto page = event.find("pageId");
  const auto seq = event.find("sequence");
  if (page == event.end() || !page->is_string() || seq == event.end() || !seq->is_number_unsigned())
    return;
  const std::string& id = page->get_ref<const std::string&>();
  if (applied_.size() >= kPagesRemembered && !applied_.contains(id))
    applied_.erase(applied_.begin());
  applied_[id] = seq->get<uint64_t>();
}

void FrontEnd::start() {
  server_.start();
  publish();
}

void FrontEnd::publish() {
  nlohmann::json state = snapshot_json(input_.forms(), screen_, input_.boxes());
  state["applied"] = applied_;
  nlohmann::json tabs = nlohmann::json::array();
  for (const Tab& t : tabs_) tabs.push_back({{"id", t.id}, {"path", t.path}});
  state["tabs"] = std::move(tabs);
  server_.publish(state.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

bool FrontEnd::open_tab(const std::string& name) {
  std::string path = server_.served_path(name);
  if (path.empty()) return false;
  if (tabs_.size() >= kTabsRemembered) tabs_.erase(tabs_.begin());
  tabs_.push_back({++last_tab_, std::move(path)});
  return true;
}

}  // namespace pv
