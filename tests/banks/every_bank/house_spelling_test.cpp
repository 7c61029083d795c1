// The product reads as one book: each term is spelled one way in every bank.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "banks/checker/testing.hpp"
#include "platform/vbtext.hpp"

namespace pv::bankcheck {
namespace {

struct Spelling {
  const char* other;  // matched in any letter case, unless `exact_case`
  const char* house;
  bool exact_case = false;
};

constexpr Spelling kSpellings[] = {
    {"e-mail", "email"},
    {"punchdown", "punch-down"},
    {"non-repudiation", "nonrepudiation"},
    {"anti-malware", "antimalware"},
    {"error-disabled", "err-disabled"},
    {"nonbackbone", "non-backbone"},
    {"non-broadcast", "nonbroadcast"},
    {"hold-down", "holddown"},
    {"set-up", "setup"},
    {"the internet", "the Internet", true},
};

// Where `other` stands in `text`; "the internet layer" names a layer of a model.
bool uses(std::string_view text, const Spelling& s) {
  const std::string hay = s.exact_case ? std::string(text) : lcase(text);
  for (size_t at = hay.find(s.other); at != std::string::npos; at = hay.find(s.other, at + 1)) {
    const std::string_view rest = std::string_view(hay).substr(at + std::strlen(s.other));
    if (!(s.exact_case && rest.starts_with(" layer"))) return true;
  }
  return false;
}

TEST(EveryBankFile, SpellsEachTermTheHouseWay) {
  for (const BankFileInfo& file : bank_files()) {
    const auto g = load_module(file.module);
    ASSERT_TRUE(g) << file.module;
    for (int r = 1; r <= g->question_count; ++r) {
      const QuestionRecord& q = g->questions[r];
      std::string text = q.Question + "\n" + q.Explanation + "\n" + q.Clue + "\n" + q.Reference;
      for (int i = 1; i <= 6; ++i) text += "\n" + q.Answer[i];
      for (const Spelling& s : kSpellings)
        EXPECT_FALSE(uses(text, s)) << file.module << " record " << r << " writes \"" << s.other
                                    << "\" for \"" << s.house << "\"";
    }
  }
}

}  // namespace
}  // namespace pv::bankcheck
