// A program with a small bank of its own for the study saver and the flash cards: records
// with markup, entities, a fill-in question and one without a correct answer.
#pragma once

#include <memory>
#include <string>

#include "studysaver/security.hpp"
#include "support/test_program.hpp"

namespace pv::testing {

inline void load_saver_bank(Shared& g) {
  g.test_title = "Saver Bank";
  g.product_title = "Saver Bank";
  for (int r = 1; r <= 1000; ++r) g.questions[r] = QuestionRecord{};
  const auto record = [&](int r, std::string question, std::vector<std::string> answers,
                          std::vector<int16_t> correct, std::string type = "single_answer") {
    QuestionRecord& q = g.questions[r];
    q.Question = std::move(question);
    for (size_t i = 0; i < answers.size(); ++i) q.Answer[static_cast<int>(i) + 1] = answers[i];
    for (size_t i = 0; i < correct.size(); ++i) q.Correct[static_cast<int>(i) + 1] = correct[i];
    q.Type = std::move(type);
    q.Explanation = "Because <b>" + std::to_string(r) + "</b>.";
    q.Category = 1;
  };
  record(1, "Which <b>two</b> protocols carry data?<br>Choose two.",
         {"TCP", "UDP &amp; IP", "ICMP"}, {1, 0, 1});
  record(2, "What does &amp;lt; stand for?", {"less than", "  ", "greater"}, {1, 0, 0});
  record(3, "Type the protocol of port 80.", {"HTTP", "http", "", "www"}, {1, 1, 0, 0},
         "fill_in_the_blank");
  record(4, "Which answer is right?", {"None", "Neither"}, {0, 0});
  g.category_names[1] = "Only";
  g.category_count = 1;
  g.categories_enabled = vbTrue;
  g.question_count = 4;
}

inline std::vector<BankModule> saver_banks() {
  return {{"PB_GUDAR_pelma", load_saver_bank},
          {"PB_GUDAR_velto", load_saver_bank},
          {"PB_GUDAR_combo", load_saver_bank}};
}

// The saver program, with settings put in place before it starts.
inline std::unique_ptr<TestProgram> saver_program(
    const std::vector<std::pair<std::string, std::string>>& settings = {}) {
  auto t = std::make_unique<TestProgram>("aaaa46000");
  t->use_banks(saver_banks());
  for (const auto& [key, value] : settings) t->settings->save(kSaverApp, kSaverSection, key, value);
  return t;
}

// Starts the program; the loop's first pass arms the timers the start-up enabled.
inline void start_and_pump(TestProgram& t) {
  t.start();
  t.program->do_events();
}

}  // namespace pv::testing
