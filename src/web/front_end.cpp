#include "web/front_end.hpp"

#include <cstdio>
#include <memory>

#include "platform/event_loop.hpp"
#include "platform/user_input.hpp"
#include "web/input.hpp"
#include "web/snapshot.hpp"

namespace pv {

namespace {
constexpr size_t kPagesRemembered = 16;
constexpr size_t kTabsRemembered = 8;
constexpr size_t kPrintsRemembered = 4;

std::string colour_text(uint32_t c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06x", c & 0xFFFFFFu);
  return buf;
}

// Every tool of every tooltip window: the window it belongs to and what its tip shows.
nlohmann::json tooltips_json(const TooltipTable& table) {
  nlohmann::json tips = nlohmann::json::array();
  for (const auto& [handle, w] : table.windows())
    for (const ToolInfo& tool : w.tools)
      tips.push_back({{"window", tool.id},
                      {"text", tool.text},
                      {"title", w.title},
                      {"icon", w.icon},
                      {"balloon", (w.style & TTS_BALLOON) != 0},
                      {"centered", (tool.flags & TTF_CENTERTIP) != 0},
                      {"textColor", w.text_color_set ? colour_text(w.text_color) : ""},
                      {"backColor", w.back_color_set ? colour_text(w.back_color) : ""},
                      {"initial", w.initial_ms},
                      {"autopop", w.autopop_ms}});
  return tips;
}
}  // namespace

FrontEnd::FrontEnd(EventLoop& loop, UserInput& input, Screen& screen, WebServer::Options options)
    : input_(input),
      screen_(screen),
      server_(std::move(options), [this, &loop](const nlohmann::json& request) {
        // HTTP threads decode a request's events, all or none, and only queue them; the
        // engine carries them out in turn and publishes its state once after the last.
        std::vector<std::function<void()>> events;
        for (const nlohmann::json& e : request)
          events.push_back([this, event = decode_input(e)] {
            note_applied(event);
            apply_input(event, input_);
          });
        loop.post_all(std::move(events));
      }) {}

void FrontEnd::note_applied(const InputEvent& event) {
  if (event.page_id.empty() || !event.sequence) return;
  if (applied_.size() >= kPagesRemembered && !applied_.contains(event.page_id))
    applied_.erase(applied_.begin());
  applied_[event.page_id] = *event.sequence;
}

void FrontEnd::attach(EventLoop& loop, std::function<std::string()> media_folder) {
  const auto publish = [this, &loop, media_folder = std::move(media_folder)] {
    server_.add_file_root(media_folder());
    this->publish();
    published_after_ = loop.events_begun();
    published_waits_ = loop.waits_begun();
  };
  loop.after_event = publish;
  // A wait begun outside any event (a box of the start-up, or the loop the start-up ends
  // in) shows what the code before it did.
  loop.before_wait = [this, &loop, publish] {
    if (loop.depth() > 0 || loop.events_begun() != published_after_ ||
        loop.waits_begun() != published_waits_)
      publish();
  };
}

void FrontEnd::start() {
  server_.start();
  publish();
}

void FrontEnd::publish() {
  nlohmann::json state = snapshot_rest(screen_, input_.boxes());
  state["applied"] = applied_;
  nlohmann::json tabs = nlohmann::json::array();
  for (const Tab& t : tabs_) tabs.push_back({{"id", t.id}, {"path", t.path}});
  state["tabs"] = std::move(tabs);
  nlohmann::json prints = nlohmann::json::array();
  for (const Print& p : prints_)
    prints.push_back({{"id", p.id}, {"html", p.job.html}, {"base", p.job.base_folder}});
  state["prints"] = std::move(prints);
  state["tooltips"] = tooltips_ != nullptr ? tooltips_json(*tooltips_) : nlohmann::json::array();
  if (!notice_.empty()) state["notice"] = notice_;
  // Pages are sent what changed; a page that holds no state yet gets it whole.
  const nlohmann::json changes = snapshot_.update(input_.forms(), std::move(state));
  if (changes.is_array() && changes.empty()) return;
  std::string patch;
  if (!changes.is_null())
    patch = changes.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  patch_bytes_ += patch.size();
  server_.publish(snapshot_.writer(), std::move(patch));
}

bool FrontEnd::open_tab(const std::string& name) {
  std::string path = server_.name_file(name);
  if (path.empty()) return false;
  if (tabs_.size() >= kTabsRemembered) tabs_.erase(tabs_.begin());
  tabs_.push_back({++last_tab_, std::move(path)});
  return true;
}

bool FrontEnd::print_page(const PrintJob& job) {
  if (prints_.size() >= kPrintsRemembered) prints_.erase(prints_.begin());
  prints_.push_back({++last_print_, job});
  return true;
}

}  // namespace pv
