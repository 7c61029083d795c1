#include "app/program.hpp"

#include "core/about1.hpp"
#include "core/program_name.hpp"
#include "core/welcome.hpp"
#include "setup/pick_a_quiz.hpp"
#include "studysaver/security.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/finalscore.hpp"
#include "testrun/quest.hpp"
#include "testrun/theanswer.hpp"

namespace pv {
namespace {

template <class T>
void define(FormRegistry& forms, System& sys) {
  forms.define<T>([&sys] { return std::make_unique<T>(sys); });
}

}  // namespace

Program::Program(Services services, std::string command_line)
    : services_(std::move(services)), shared_(std::make_unique<Shared>()) {
  loop_ = std::make_unique<EventLoop>(*services_.clock, services_.real_time);
  forms_ = std::make_unique<FormRegistry>(*loop_, services_.screen, *services_.measure);
  // Without dialogs of its own the program shows its boxes on the desktop, where they
  // take the user's input.
  DesktopDialogs* desktop_boxes = nullptr;
  if (!services_.dialogs) {
    auto desktop = std::make_unique<DesktopDialogs>(*loop_, kProgramTitle);
    desktop_boxes = desktop.get();
    services_.dialogs = std::move(desktop);
  }
  input_ = std::make_unique<UserInput>(*forms_, desktop_boxes);
  error_log_ = std::make_unique<ErrorLog>(*services_.files, *services_.clock);
  loop_->on_error = [this](const RuntimeError& e) { log_untrapped(e); };
  system_ = std::make_unique<System>(System{
      *shared_, *forms_, *loop_, *services_.dialogs, *services_.settings, *services_.files,
      *services_.shell, services_.screen, *services_.measure, *services_.clipboard,
      *services_.random, *services_.clock, *error_log_, *services_.media, *services_.associations,
      *services_.printer, *services_.tooltips, *services_.screen_savers, std::move(command_line)});
  System& sys = *system_;
  define<Welcome>(*forms_, sys);
  define<loading>(*forms_, sys);
  define<About1>(*forms_, sys);
  define<pick_a_quiz>(*forms_, sys);
  define<quest>(*forms_, sys);
  define<finalscore>(*forms_, sys);
  define<theanswer>(*forms_, sys);
  define<Exhibit>(*forms_, sys);
  define<Diagram>(*forms_, sys);
  define<Security>(*forms_, sys);
}

Program::~Program() = default;

void Program::guarded(const std::function<void()>& event) {
  if (ended_) return;
  try {
    event();
  } catch (const ProgramEnded&) {
    ended_ = true;
  } catch (const RuntimeError& e) {
    log_untrapped(e);
  }
}

void Program::log_untrapped(const RuntimeError& e) {
  // An error that no handler trapped: logged, and the program keeps running.
  error_log_->append("unhandled event", kProgramTitle, e);
}

void Program::end_when_no_window_is_loaded() {
  if (ended_ || forms_->any_loaded()) return;
  // With no window left the runtime releases the windows, which runs their terminate
  // handlers; the program ends after them.
  try {
    forms_->teardown();
  } catch (const ProgramEnded&) {
  }
  ended_ = true;
}

void Program::start() {
  guarded([this] { forms_->get<Welcome>().load(); });
  if (loop_->depth() == 0) forms_->collect();
  end_when_no_window_is_loaded();
}

void Program::dispatch(const std::function<void()>& event) {
  if (ended_) return;
  loop_->post(event);
  do_events();
}

void Program::do_events() {
  guarded([this] { loop_->do_events(); });
  if (loop_->depth() == 0) forms_->collect();
  end_when_no_window_is_loaded();
}

void Program::run() {
  while (!ended_) {
    guarded([this] { loop_->run_until([this] { return ended_ || !forms_->any_loaded(); }); });
    end_when_no_window_is_loaded();
  }
}

}  // namespace pv
