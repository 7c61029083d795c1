// The explanation of a question: its page composed by the test window, shown modally in a
// fresh explanation window or printed from it.
#include "core/layout.hpp"
#include "platform/errors.hpp"
#include "platform/html_parser.hpp"
#include "platform/vbtext.hpp"
#include "testrun/quest.hpp"
#include "testrun/question_page.hpp"
#include "testrun/theanswer.hpp"

namespace pv {
namespace {

constexpr std::array<const char*, 7> kLetters = {"", "A", "B", "C", "D", "E", "F"};

bool is_task_marker(const std::string& name) {
  return name == "xxsim" || name == "xxxdnd" || name == "xxxmssim" || name == "xxxmssim2";
}

// The result line: the wording follows the record's own result, so a question that was
// never graded does not borrow the verdict of the one graded last.
std::string result_line(const Shared& g, const QuestionRecord& q) {
  if (q.State == 1) return "Correct.<br>The answer(s): ";
  // A typed reply is the user's text, not markup.
  return "Incorrect.  Your answer was: " + html_escaped(g.chosen_letters[g.current_record]) +
         "<br>The correct answer(s): ";
}

std::string reference_line(const std::string& reference) {
  if (reference.find("##") == std::string::npos) return reference;
  return replace("Pelma Books Book Reference: PDF Page - " + reference, "##", "<br>");
}

// The page body: result line, question, answers, explanation and book reference.
std::string explanation_body(Shared& g) {
  const QuestionRecord& q = g.current_question;
  std::array<std::string, 7> a;
  for (int i = 1; i <= 6; ++i) a[static_cast<size_t>(i)] = q.Answer[i];
  std::string question = q.Question, explanation = q.Explanation;
  prefix_first_picture(g, question);
  for (int i = 1; i <= 6; ++i) prefix_first_picture(g, a[static_cast<size_t>(i)]);
  prefix_first_picture(g, explanation);
  if (q.State == 1) g.answer_verdict = 1;
  if (q.State == 2) g.answer_verdict = 99;

  std::string r = result_line(g, q);
  std::string b = "<br><br>" + question;
  if (ucase(left(q.Type, 4)) == "FILL") {
    r += a[1];
  } else {
    for (int i = 1; i <= 6; ++i)
      if (q.Correct[i] == 1) r += std::string(" ") + kLetters[static_cast<size_t>(i)];
    for (int i = 1; i <= 6; ++i)
      if (!trim(a[static_cast<size_t>(i)]).empty())
        b += std::string("<br>") + kLetters[static_cast<size_t>(i)] + ".)  " +
             a[static_cast<size_t>(i)];
  }
  const std::string reference = reference_line(q.Reference);
  b += "<br><br><br>" + explanation + "<br><br>" + reference;
  b = g.answer_position == "bottom" ? b + "<br><br><br>" + r : r + b;
  if (is_task_marker(q.DiagramFile[1])) b = explanation + "<br><br>" + reference;
  return b;
}

// The last web address of the page ("http://" in any case), up to the first line end or
// blank after it; nothing when the page has none.
std::optional<std::string> last_web_link(const std::string& page) {
  const std::string upper = [&] {
    std::string u = page;
    for (char& c : u)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
  }();
  const size_t start = upper.rfind("HTTP://");
  if (start == std::string::npos) return std::nullopt;
  const size_t end = page.find_first_of("\r\n ", start);
  return trim(page.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

}  // namespace

void quest::show_answer() {
  run_handler([&] {
    std::string body;
    skip([&] { g.current_question = g.questions[g.current_record]; });
    skip([&] { body = explanation_body(g); });
    skip([&] { sys.forms.unload<theanswer>(); });
    theanswer& w = sys.forms.get<theanswer>();
    w.run_handler([&] {
      skip([&] { w.load(); });
      skip([&] {
        std::string page = body;
        w.set_wow_explanation_html(page);
      });
      if (w.state() != FormState::Loaded) return;
      skip([&] {
        w.webcmd.visible = false;
        if (const auto link = last_web_link(body)) {
          g.explanation_web_link = *link;
          w.webcmd.visible = true;
        }
      });
      skip([&] { center_form(w); });
      if (g.print_explanation == 99) {
        skip([&] { w.Command2_Click(); });
        skip([&] { w.hide(); });
        return;
      }
      skip([&] { w.show(true); });
      skip([&] { w.unload(); });
    });
  });
}

}  // namespace pv
