// Next and Back: the user's answer read from the page into the question's record, the
// grading, and the step to the next or the previous question.
#include "platform/errors.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/quest.hpp"

namespace pv {

void quest::cmd_buttons_Click(int Index) {
  // A click while a question is being presented or graded would grade the wrong page.
  if (presenting_) return;
  const Presenting presenting(*this);
  switch (Index) {
    case 0:
      skip([&] { g.answer_submitted = vbTrue; });
      skip([&] { WebBrowser1.set_focus(); });
      skip([&] { read_page(); });
      skip([&] { grade_and_next(); });
      break;
    case 1:
      skip([&] { go_back(); });
      break;
    case 2:
    case 3:
      skip([&] { launch_sim(); });
      break;
    default:
      break;
  }
}

void quest::grade_and_next() {
  skip([&] {
    if (const auto line = status_line(g)) whatdoin.caption = *line;
  });
  skip([&] { check_answer(); });
  if (closed()) return;  // the time ran out while the explanation was open
  skip([&] { show_quest(); });
}

void quest::go_back() {
  skip([&] { WebBrowser1.set_focus(); });
  skip([&] { read_page(); });
  skip([&] { g.question_counter = static_cast<int16_t>(std::max(0, g.question_counter - 2)); });
  skip([&] { sys.forms.unload<Diagram>(); });
  skip([&] { sys.forms.unload<Exhibit>(); });
  skip([&] { show_quest(); });
}

std::optional<bool> quest::field_checked(const std::string& name, int index) const {
  return WebBrowser1.document.checked({"frm", name, static_cast<size_t>(index)});
}

std::optional<std::string> quest::field_value(const std::string& name) const {
  return WebBrowser1.document.value({"frm", name, 0});
}

void quest::read_page() {
  QuestionRecord& record = g.questions[g.current_record];
  // A field that cannot be read counts as not marked: a page without its form must not
  // give the user every answer.
  const auto mark = [](std::optional<bool> checked) -> int16_t {
    return checked.value_or(false) ? 1 : 0;
  };
  if (g.widget_kind == "Radio_Button") {
    for (int i = 1; i <= g.answer_count; ++i)
      skip([&] { record.Choice[i] = mark(field_checked("radio1", i - 1)); });
  } else if (g.widget_kind == "Check_Box") {
    skip([&] {
      for (int k = 1; k <= 6; ++k) record.Choice[k] = 0;
    });
    for (int k = 1; k <= 6 && k <= g.answer_count; ++k)
      skip([&] { record.Choice[k] = mark(field_checked("ans" + std::to_string(k), 0)); });
  } else if (g.widget_kind == "Fill_In") {
    skip([&] {
      if (const auto typed = field_value("txt_fill")) record.Reply = *typed;
    });
  }
}

}  // namespace pv
