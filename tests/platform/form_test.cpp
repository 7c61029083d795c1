#include "platform/form.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/clock.hpp"
#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/screen.hpp"
#include "support/fake_desktop.hpp"

namespace pv {
namespace {

struct Harness : testing::FakeDesktop {
  std::vector<std::string> events;
  Harness() {
    forms.trace = [this](const std::string& e, const std::string& w) {
      events.push_back(e + " " + w);
    };
  }
};

// A window whose handlers are set by each test.
class Probe : public Form {
 public:
  Probe(FormRegistry& forms, std::string name) : Form(forms, std::move(name)) {
    add_all(button, timer);
  }
  void Form_Load() override {
    ++loads;
    if (on_load) on_load();
  }
  void Form_Unload(int& cancel) override {
    if (on_unload) on_unload(cancel);
  }
  void Form_Terminate() override { terminated = true; }
  void Form_Resize() override { ++resizes; }

  CommandButton button{"button"};
  Timer timer{"timer"};
  int loads = 0;
  int resizes = 0;
  bool terminated = false;
  std::function<void()> on_load;
  std::function<void(int&)> on_unload;
};
struct A : Probe {
  explicit A(FormRegistry& f) : Probe(f, "A") {}
};
struct B : Probe {
  explicit B(FormRegistry& f) : Probe(f, "B") {}
};
struct C : Probe {
  explicit C(FormRegistry& f) : Probe(f, "C") {}
};

void define_all(Harness& h) {
  h.forms.define<A>([&h] { return std::make_unique<A>(h.forms); });
  h.forms.define<B>([&h] { return std::make_unique<B>(h.forms); });
  h.forms.define<C>([&h] { return std::make_unique<C>(h.forms); });
}

TEST(FormLifeCycle, PropertyAccessLoadsOnceAndShowingIsModeless) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  EXPECT_EQ(a.state(), FormState::Unloaded);
  a.set_visible(false);
  EXPECT_EQ(a.loads, 1);
  EXPECT_FALSE(a.visible());
  a.load();
  a.show();
  EXPECT_EQ(a.loads, 1);
  EXPECT_TRUE(a.visible());
  EXPECT_EQ(a.resizes, 1);  // the first showing resizes
  EXPECT_EQ(h.events, (std::vector<std::string>{"load A"}));
}

TEST(FormLifeCycle, UnloadDiscardsAndTheNextUseStartsAfresh) {
  Harness h;
  define_all(h);
  A* first = &h.forms.get<A>();
  first->show();
  first->button.caption = "changed";
  first->unload();
  EXPECT_EQ(h.forms.find<A>(), nullptr);
  A& again = h.forms.get<A>();
  EXPECT_NE(&again, first);
  EXPECT_EQ(again.button.caption, "");
  EXPECT_EQ(again.state(), FormState::Unloaded);
  h.forms.unload<B>();  // never created: nothing happens
  EXPECT_EQ(h.forms.find<B>(), nullptr);
}

TEST(FormLifeCycle, UnloadCanBeCancelled) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  a.on_unload = [](int& cancel) { cancel = 1; };
  a.show();
  a.unload();
  EXPECT_TRUE(a.is_loaded());
  EXPECT_TRUE(a.visible());
}

TEST(FormLifeCycle, NestedUnloadsFinishFirstAndAWindowBeingUnloadedIsLeftAlone) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  B& b = h.forms.get<B>();
  C& c = h.forms.get<C>();
  for (Probe* p : std::initializer_list<Probe*>{&a, &b, &c}) p->show();
  // A closes B, B closes C, and C tries to close A and B again.
  a.on_unload = [&](int&) { h.forms.unload<B>(); };
  b.on_unload = [&](int&) { h.forms.unload<C>(); };
  c.on_unload = [&](int&) {
    h.forms.unload<A>();
    h.forms.unload<B>();
  };
  h.events.clear();
  a.unload();
  EXPECT_EQ(h.events, (std::vector<std::string>{"unload A", "unload B", "unload C"}));
  EXPECT_FALSE(h.forms.any_loaded());
}

TEST(FormLifeCycle, AWindowLoadingIsNotUnloadedByTheCascadeItStarts) {
  Harness h;
  define_all(h);
  B& b = h.forms.get<B>();
  b.show();
  A& a = h.forms.get<A>();
  // A's load closes B, whose unload tries to close A.
  a.on_load = [&] { h.forms.unload<B>(); };
  b.on_unload = [&](int&) { h.forms.unload<A>(); };
  a.show();
  EXPECT_TRUE(a.is_loaded());
  EXPECT_TRUE(a.visible());
  EXPECT_EQ(h.forms.find<B>(), nullptr);
}

TEST(FormLifeCycle, AHandlerThatUnloadsItsOwnWindowDoesNotLoadItAgain) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  a.show();
  a.button.on_click = [&] {
    a.unload();
    a.hide();  // a later statement of the same handler
    a.set_caption("x");
    EXPECT_EQ(a.state(), FormState::Discarded);
    EXPECT_EQ(a.loads, 1);
  };
  h.loop.post([&] { a.button.click(); });
  h.loop.do_events();  // the discarded window is destroyed once its handler is done
  EXPECT_EQ(h.events, (std::vector<std::string>{"load A", "unload A"}));
  EXPECT_EQ(h.forms.find<A>(), nullptr);
  EXPECT_FALSE(h.forms.any_loaded());
}

TEST(FormLifeCycle, TerminateRunsOnlyAtTeardownForEveryLiveWindow) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  B& b = h.forms.get<B>();
  C& c = h.forms.get<C>();
  a.show();
  EXPECT_FALSE(a.terminated);  // unloading or showing never terminates
  a.unload();
  h.forms.get<A>();
  h.forms.teardown();
  EXPECT_TRUE(h.forms.get<A>().terminated);
  EXPECT_TRUE(b.terminated);
  EXPECT_TRUE(c.terminated);
}

TEST(Timers, TickAfterTheirIntervalOnlyWhileEnabledAndLoaded) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  int ticks = 0;
  a.timer.on_timer = [&] { ++ticks; };
  a.timer.set_interval(2000);
  a.timer.set_enabled(true);
  h.loop.do_events();  // not loaded: nothing
  a.show();
  h.loop.do_events();  // starts the interval
  h.clock.advance_ms(1999);
  h.loop.do_events();
  EXPECT_EQ(ticks, 0);
  h.clock.advance_ms(1);
  h.loop.do_events();
  EXPECT_EQ(ticks, 1);
  h.clock.advance_ms(10000);  // missed ticks come as one
  h.loop.do_events();
  EXPECT_EQ(ticks, 2);
  a.timer.set_enabled(false);
  h.clock.advance_ms(5000);
  h.loop.do_events();
  EXPECT_EQ(ticks, 2);
}

TEST(Timers, ATickDoesNotReenterItsOwnHandler) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  a.show();
  int ticks = 0;
  a.timer.set_interval(100);
  a.timer.set_enabled(true);
  a.timer.on_timer = [&] {
    ++ticks;
    h.clock.advance_ms(500);
    h.loop.do_events();  // pumping inside the tick
  };
  h.loop.do_events();
  h.clock.advance_ms(100);
  h.loop.do_events();
  EXPECT_EQ(ticks, 1);
}

// A timer of the loop's own, with no window.
struct Metronome : LoopTimer {
  int running_interval() const override { return interval; }
  void tick() override { ++ticks; }
  void start_again() { restart(); }
  int interval = 50;
  int ticks = 0;
};

TEST(Timers, RegisterWithTheLoopAndLeaveItWithTheirWindow) {
  Harness h;
  define_all(h);
  Metronome beat;
  h.loop.add_timer(beat);
  h.loop.add_timer(beat);  // once only
  h.loop.do_events();      // starts its interval
  h.clock.advance_ms(50);
  h.loop.do_events();
  EXPECT_EQ(beat.ticks, 1);
  h.clock.advance_ms(30);
  beat.start_again();
  h.loop.do_events();
  h.clock.advance_ms(30);
  h.loop.do_events();
  EXPECT_EQ(beat.ticks, 1);  // restarted: due 50 after the restart
  h.clock.advance_ms(20);
  h.loop.do_events();
  EXPECT_EQ(beat.ticks, 2);
  h.loop.remove_timer(beat);
  h.clock.advance_ms(500);
  h.loop.do_events();
  EXPECT_EQ(beat.ticks, 2);

  // A window's timer ticks while the window is loaded; unloading and collecting the window
  // takes its timer out of the loop, and the next instance brings its own.
  int ticks = 0;
  const auto arm = [&](A& a) {
    a.timer.on_timer = [&] { ++ticks; };
    a.timer.set_interval(100);
    a.timer.set_enabled(true);
    a.show();
    h.loop.do_events();
  };
  arm(h.forms.get<A>());
  h.forms.get<A>().unload();
  h.loop.do_events();  // comes to rest: the discarded window is destroyed
  h.clock.advance_ms(1000);
  EXPECT_FALSE(h.loop.do_events());
  EXPECT_EQ(ticks, 0);
  arm(h.forms.get<A>());
  h.clock.advance_ms(100);
  h.loop.do_events();
  EXPECT_EQ(ticks, 1);
  // A timer whose enabled flag is cleared directly stops too, and starts afresh when set.
  h.forms.get<A>().timer.enabled = false;
  h.clock.advance_ms(100);
  h.loop.do_events();
  h.forms.get<A>().timer.enabled = true;
  h.loop.do_events();
  h.clock.advance_ms(99);
  h.loop.do_events();
  EXPECT_EQ(ticks, 1);
  h.clock.advance_ms(1);
  h.loop.do_events();
  EXPECT_EQ(ticks, 2);
}

TEST(EventLoop, UntrappedErrorsGoToTheHandlerAndTheLoopGoesOn) {
  Harness h;
  std::vector<int> errors;
  h.loop.on_error = [&](const RuntimeError& e) { errors.push_back(e.number); };
  int ran = 0;
  h.loop.post([] { raise_error(9); });
  h.loop.post([&] { ++ran; });
  h.loop.do_events();
  EXPECT_EQ(errors, std::vector<int>{9});
  EXPECT_EQ(ran, 1);
}

// With nothing queued and no timer due the real loop sleeps until an event comes: it does
// not wake on its own to look (it used to every half second).
TEST(EventLoop, AnIdleLoopSleepsUntilAnEventComes) {
  SystemClock clock;
  EventLoop loop(clock, true);
  std::atomic<int> waits{0};
  loop.before_wait = [&] { ++waits; };
  bool done = false;
  std::thread engine([&] { loop.run_until([&] { return done; }); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  EXPECT_EQ(waits.load(), 1);
  loop.post([&] { done = true; });
  engine.join();
}

// The front-end publishes before the loop sleeps only when an event began since it last
// published: events and ticks, nested ones and failing ones, are all counted.
TEST(EventLoop, CountsTheEventsAndTicksThatBegan) {
  Harness h;
  h.loop.on_error = [](const RuntimeError&) {};
  EXPECT_EQ(h.loop.events_begun(), 0u);
  h.loop.post([] {});
  h.loop.post([] { raise_error(5); });
  EXPECT_TRUE(h.loop.do_events());
  EXPECT_EQ(h.loop.events_begun(), 2u);
  h.loop.post([&] {
    h.loop.post([] {});
    h.loop.do_events();  // a handler that pumps the loop
  });
  h.loop.do_events();
  EXPECT_EQ(h.loop.events_begun(), 4u);
  EXPECT_FALSE(h.loop.do_events());
  EXPECT_EQ(h.loop.events_begun(), 4u);
}

TEST(EventLoop, AnIdleNestedLoopAsksTheTestInsteadOfWaitingForEver) {
  Harness h;
  define_all(h);
  A& a = h.forms.get<A>();
  int idles = 0;
  h.loop.idle = [&] {
    ++idles;
    a.hide();  // the user closes the modal window
  };
  a.show(true);
  EXPECT_EQ(idles, 1);
  EXPECT_FALSE(a.visible());
  h.loop.idle = nullptr;
  // The same modal wait with nobody to answer fails instead of hanging.
  EXPECT_THROW(a.show(true), std::logic_error);
}

}  // namespace
}  // namespace pv
