// Helpers of the bank tests: loading a module into a fresh question table, comparing
// records, and finding the bank data files.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "banks/checker/record_text.hpp"
#include "core/shared.hpp"

namespace pv::bankcheck {

// A fresh Shared (on the heap: the question table is large) with `module` loaded.
std::unique_ptr<Shared> load_module(std::string_view module);
// Loads `module` into g; false when no such module is built in.
bool load_into(Shared& g, std::string_view module);

// The fields a bank load writes, compared for the equality of two records.
bool same_bank_fields(const QuestionRecord& a, const QuestionRecord& b);
// Which of them differ, for messages.
std::string bank_field_differences(const QuestionRecord& a, const QuestionRecord& b);

// A bank data file under banks/<exam>/, with the lines of a full exam that say where its
// records come from.
struct BankFileInfo {
  std::string path{};
  std::string module{};
  struct Inclusion {
    std::string module{};
    int first = 0;
    int last = 0;
    std::vector<std::pair<int, int>> category_map{};
  };
  std::vector<Inclusion> inclusions{};
  std::vector<std::pair<int, int>> exceptions{};               // record -> category
  std::vector<std::pair<int, std::string>> type_exceptions{};  // record -> type
  std::vector<int> flags_cleared{};                            // records without flags
};
std::vector<BankFileInfo> bank_files();

}  // namespace pv::bankcheck
