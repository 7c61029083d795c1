#include "testrun/written_page.hpp"

#include "core/shared.hpp"
#include "core/system.hpp"
#include "platform/clock.hpp"
#include "platform/error_log.hpp"
#include "platform/event_loop.hpp"
#include "platform/form.hpp"
#include "platform/web_browser.hpp"

namespace pv {
namespace {

void load_blank_page(System& sys, const Form& owner, WebBrowser& browser) {
  Shared& g = sys.g;
  skip([&] { g.page_loaded = 0; });
  const int64_t start = sys.clock.monotonic_ms() / 1000;
  skip([&] { browser.navigate(sys.files, "FILE://" + g.media_folder + "blank.htm"); });
  skip([&] {
    sys.loop.run_until([&] {
      return g.page_loaded != 0 || owner.state() != FormState::Loaded ||
             sys.clock.monotonic_ms() / 1000 - start >= 2;
    });
  });
}

}  // namespace

bool show_written_page(System& sys, const Form& owner, WebBrowser& browser, bool prime,
                       const std::string& html, const std::string& procedure,
                       const std::string& source) {
  const auto closed = [&owner] { return owner.state() != FormState::Loaded; };
  if (prime) load_blank_page(sys, owner, browser);
  if (closed()) return false;
  HtmlDocument& doc = browser.document;
  skip([&] {
    doc.clear();
    doc.open();
    doc.clear();
    doc.write(sys.g.page_head + html + "</body></html>");
    doc.close();
  });
  skip([&] { sys.loop.do_events(); });
  if (browser.busy() && !closed()) {
    const int64_t since = sys.clock.monotonic_ms();
    bool ran_out = false;
    skip([&] {
      sys.loop.run_until([&] {
        ran_out = sys.clock.monotonic_ms() - since >= kPageWaitMs;
        return !browser.busy() || closed() || ran_out;
      });
    });
    if (ran_out)
      sys.error_log.append(procedure, source,
                           RuntimeError(5, "The page was still loading after " +
                                               std::to_string(kPageWaitMs / 1000) + " seconds"));
  }
  return !closed();
}

}  // namespace pv
