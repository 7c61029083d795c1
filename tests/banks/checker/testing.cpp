#include "banks/checker/testing.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "banks/registry.hpp"

namespace pv::bankcheck {

bool load_into(Shared& g, std::string_view module) {
  const BankModule* bank = find_bank(module);
  if (bank == nullptr) return false;
  bank->load_bank(g);
  return true;
}

std::unique_ptr<Shared> load_module(std::string_view module) {
  auto g = std::make_unique<Shared>();
  if (!load_into(*g, module)) return nullptr;
  return g;
}

std::string bank_field_differences(const QuestionRecord& a, const QuestionRecord& b) {
  std::string out;
  const auto differ = [&out](bool same, const std::string& name) {
    if (!same) out += (out.empty() ? "" : ", ") + name;
  };
  differ(a.Question == b.Question, "Question");
  for (int i = 1; i <= 6; ++i) {
    differ(a.Answer[i] == b.Answer[i], "Answer(" + std::to_string(i) + ")");
    differ(a.Correct[i] == b.Correct[i], "Correct(" + std::to_string(i) + ")");
  }
  differ(a.Explanation == b.Explanation, "Explanation");
  differ(a.Type == b.Type, "Type");
  for (int i = 1; i <= 3; ++i) {
    differ(a.DiagramFile[i] == b.DiagramFile[i], "DiagramFile(" + std::to_string(i) + ")");
    differ(a.ExhibitFile[i] == b.ExhibitFile[i], "ExhibitFile(" + std::to_string(i) + ")");
  }
  differ(a.Clue == b.Clue, "Clue");
  differ(a.Reference == b.Reference, "Reference");
  differ(a.Category == b.Category, "Category");
  differ(a.TutorVideo == b.TutorVideo, "TutorVideo");
  return out;
}

bool same_bank_fields(const QuestionRecord& a, const QuestionRecord& b) {
  return bank_field_differences(a, b).empty();
}

namespace {

// "a-b" or "a".
std::pair<int, int> range_of(const std::string& s) {
  const size_t dash = s.find('-');
  const int first = std::stoi(s.substr(0, dash));
  return {first, dash == std::string::npos ? first : std::stoi(s.substr(dash + 1))};
}

BankFileInfo read_info(const std::filesystem::path& path) {
  BankFileInfo info;
  info.path = path.string();
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "module") {
      words >> info.module;
    } else if (keyword == "include") {
      BankFileInfo::Inclusion inc;
      std::string range, map;
      words >> inc.module >> range >> map;
      std::tie(inc.first, inc.last) = range_of(range);
      for (std::string pair; words >> pair;) {
        const size_t eq = pair.find('=');
        inc.category_map.emplace_back(std::stoi(pair.substr(0, eq)),
                                      std::stoi(pair.substr(eq + 1)));
      }
      info.inclusions.push_back(inc);
    } else if (keyword == "except") {
      std::string record, field, setting;
      words >> record >> field >> setting;
      if (field == "category")
        info.exceptions.emplace_back(std::stoi(record), std::stoi(setting));
      else if (field == "type")
        info.type_exceptions.emplace_back(std::stoi(record), setting);
      else if (field == "correct")
        info.flags_cleared.push_back(std::stoi(record));
    }
  }
  return info;
}

}  // namespace

std::vector<BankFileInfo> bank_files() {
  std::vector<std::filesystem::path> paths;
  for (const auto& exam :
       std::filesystem::directory_iterator(std::string(PREPVANT_SOURCE_DIR) + "/banks"))
    if (exam.is_directory())
      for (const auto& f : std::filesystem::directory_iterator(exam.path()))
        if (f.path().extension() == ".txt") paths.push_back(f.path());
  std::sort(paths.begin(), paths.end());
  std::vector<BankFileInfo> files;
  for (const auto& p : paths) files.push_back(read_info(p));
  return files;
}

}  // namespace pv::bankcheck
