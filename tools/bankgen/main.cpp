// bankgen: turns a question-bank data file into the C++ table of its module.
//
//   bankgen <bank.txt> <out.cpp> <out.d>   one bank; <out.d> lists the files read
//   bankgen --list <out.inc> <bank.txt>... the list of modules, for the registry
//
// A malformed file stops the build with "file:line: message" on standard error.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "bank_file.hpp"

namespace fs = std::filesystem;
using namespace bankgen;

namespace {

// A C++ string literal of the bytes of s; everything but printable ASCII is escaped.
std::string literal(std::string_view s) {
  std::string out = "\"";
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c >= 0x20 && c < 0x7F) {
      out += ch;
    } else {
      char octal[5];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    }
  }
  return out + "\"";
}

// The generated tables name every member they set (designated initialisers): a member of
// pv::banks' structs that moves or changes its name stops the build instead of handing
// one field's text to another. Members left out are zero or empty.

// One RecordRow: its texts one literal, in the order of the members of FieldLengths.
void record_row(std::ostream& out, const Record& r, size_t number) {
  std::vector<std::string> texts;
  std::vector<std::string> lengths;
  const auto field = [&](const char* member, const std::string& s) {
    if (s.empty()) return;
    texts.push_back(literal(s));
    lengths.push_back(std::string(".") + member + " = " + std::to_string(s.size()));
  };
  field("question", r.question);
  if (!r.answers.empty()) {
    std::string answers;
    for (const std::string& a : r.answers) {
      texts.push_back(literal(a));
      answers += (answers.empty() ? "" : ", ") + std::to_string(a.size());
    }
    lengths.push_back(".answer = {" + answers + "}");
  }
  field("explanation", r.explanation);
  field("clue", r.clue);
  field("reference", r.reference);
  field("diagram", r.diagram);
  field("exhibit", r.exhibit);
  field("lab", r.lab);

  const auto joined = [](const std::vector<std::string>& parts, const char* between) {
    std::string s;
    for (const std::string& p : parts) s += (s.empty() ? "" : between) + p;
    return s;
  };
  out << "    {// record " << number << "\n"
      << "     .text = " << (texts.empty() ? "\"\"" : joined(texts, "\n             ")) << ",\n"
      << "     .length = {" << joined(lengths, ", ") << "},\n"
      << "     .type = " << r.type << ",\n"
      << "     .correct = " << static_cast<int>(r.correct) << ",\n"
      << "     .category = " << r.category << "},\n";
}

// The drag-and-drop exercises of a bank's records: their texts and solutions, then one row
// per exercise in the order of the records.
void exercise_rows(std::ostream& out, const BankFile& bank) {
  std::ostringstream rows;
  for (size_t i = 0; i < bank.records.size(); ++i) {
    const Record& r = bank.records[i];
    if (r.dnd.line == 0) continue;
    const std::string id = "kDnd" + std::to_string(i + 1);
    const auto texts = [&](const char* suffix, const std::vector<std::string>& list) {
      out << "constexpr std::string_view " << id << suffix << "[] = {\n";
      for (const std::string& s : list) out << "    " << literal(s) << ",\n";
      out << "};\n";
    };
    texts("Items", r.dnd.items);
    rows << "    {.record = " << i + 1 << ", .number = " << r.exercise << ", .items = " << id
         << "Items";
    if (!r.dnd.ordered) {
      texts("Targets", r.dnd.targets);
      out << "constexpr uint8_t " << id << "Solution[] = {";
      for (size_t k = 0; k < r.dnd.solution.size(); ++k)
        out << (k == 0 ? "" : ", ") << r.dnd.solution[k];
      out << "};\n";
      rows << ", .targets = " << id << "Targets, .solution = " << id << "Solution";
    }
    rows << "},\n";
    out << "\n";
  }
  if (!rows.str().empty())
    out << "constexpr DndExercise kExercises[] = {\n" << rows.str() << "};\n\n";
}

void declare_table(std::ostream& out, const std::string& module) {
  out << "namespace pv::banks::" << module << " {\nextern const BankTable table;\n}\n";
}

// A full exam's runs of records, with their category maps, and its exceptions.
void full_exam_runs(std::ostream& out, const BankFile& bank) {
  for (size_t i = 0; i < bank.inclusions.size(); ++i) {
    const Inclusion& inc = bank.inclusions[i];
    if (inc.category_map.empty()) continue;
    out << "constexpr CategoryMapping kMap" << i << "[] = {";
    for (const auto& [from, to] : inc.category_map)
      out << "{.from = " << from << ", .to = " << to << "}, ";
    out << "};\n";
  }
  if (!bank.inclusions.empty()) {
    out << "constexpr Inclusion kInclusions[] = {\n";
    for (size_t i = 0; i < bank.inclusions.size(); ++i) {
      const Inclusion& inc = bank.inclusions[i];
      out << "    {.source = &" << inc.module << "::table, .first = " << inc.first
          << ", .last = " << inc.last;
      if (!inc.category_map.empty()) out << ", .category_map = kMap" << i;
      out << "},\n";
    }
    out << "};\n\n";
  }
  std::vector<Exception> sorted = bank.exceptions;
  std::sort(sorted.begin(), sorted.end(),
            [](const Exception& a, const Exception& b) { return a.record < b.record; });
  const auto list = [&](Exception::Field field, const char* type, const char* name,
                        const auto& row) {
    if (std::none_of(sorted.begin(), sorted.end(),
                     [field](const Exception& e) { return e.field == field; }))
      return;
    out << "constexpr " << type << " " << name << "[] = {\n";
    for (const Exception& e : sorted)
      if (e.field == field) out << "    {.record = " << e.record << row(e) << "},\n";
    out << "};\n\n";
  };
  list(Exception::Field::category, "CategoryException", "kExceptions",
       [](const Exception& e) { return ", .category = " + std::to_string(e.category); });
  list(Exception::Field::type, "TypeException", "kTypeExceptions",
       [](const Exception& e) { return ", .type = " + std::to_string(e.type); });
  list(Exception::Field::correct, "FlagException", "kFlagExceptions",
       [](const Exception&) { return std::string(", .correct = 0"); });
}

std::string generate(const BankFile& bank, const Resolved& resolved) {
  std::ostringstream out;
  out << "// Generated by bankgen from " << bank.path.filename().string()
      << "; edit the data file, not this one.\n"
      << "#include \"banks/bank_table.hpp\"\n\n";
  for (const BankFile& src : resolved.sources) declare_table(out, src.module);
  declare_table(out, bank.module);

  out << "\nnamespace pv::banks::" << bank.module << " {\nnamespace {\n\n";
  if (!bank.categories.empty()) {
    out << "constexpr std::string_view kCategories[] = {\n";
    for (const std::string& c : bank.categories) out << "    " << literal(c) << ",\n";
    out << "};\n\n";
  }
  if (!bank.records.empty()) {
    out << "constexpr RecordRow kRecords[] = {\n";
    for (size_t i = 0; i < bank.records.size(); ++i) record_row(out, bank.records[i], i + 1);
    out << "};\n\n";
  }
  exercise_rows(out, bank);
  full_exam_runs(out, bank);

  out << "}  // namespace\n\n"
      << "constinit const BankTable table{\n"
      << "    .module = " << literal(bank.module) << ",\n"
      << "    .stores_feedback_address = " << (bank.feedback ? "true" : "false") << ",\n"
      << "    .description = " << literal(bank.description) << ",\n"
      << "    .title = " << literal(bank.title) << ",\n"
      << "    .version = " << literal(bank.version) << ",\n";
  if (!bank.categories_from.empty())
    out << "    .categories_from = &" << bank.categories_from << "::table,\n";
  if (!bank.categories.empty()) out << "    .categories = kCategories,\n";
  if (!bank.records.empty()) out << "    .records = kRecords,\n";
  if (std::any_of(bank.records.begin(), bank.records.end(),
                  [](const Record& r) { return r.dnd.line != 0; }))
    out << "    .exercises = kExercises,\n";
  if (!bank.inclusions.empty()) out << "    .inclusions = kInclusions,\n";
  const auto any = [&bank](Exception::Field field) {
    return std::any_of(bank.exceptions.begin(), bank.exceptions.end(),
                       [field](const Exception& e) { return e.field == field; });
  };
  if (any(Exception::Field::category)) out << "    .exceptions = kExceptions,\n";
  if (any(Exception::Field::type)) out << "    .type_exceptions = kTypeExceptions,\n";
  if (any(Exception::Field::correct)) out << "    .flag_exceptions = kFlagExceptions,\n";
  out << "};\n\n"
      << "void load_bank(Shared& g) { load(table, g); }\n\n"
      << "}  // namespace pv::banks::" << bank.module << "\n";
  return out.str();
}

// Writes the file only when its content changes, so that nothing depending on it rebuilds
// needlessly.
void write_if_changed(const fs::path& path, const std::string& content) {
  {
    std::ifstream in(path, std::ios::binary);
    std::stringstream old;
    old << in.rdbuf();
    if (in && old.str() == content) return;
  }
  fs::create_directories(path.parent_path());
  const fs::path temp = path.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary);
    out << content;
    if (!out.flush()) throw std::runtime_error("cannot write " + temp.string());
  }
  fs::rename(temp, path);
}

std::string depfile_path(const fs::path& p) {
  std::string out;
  for (char c : fs::absolute(p).string()) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

int generate_bank(const fs::path& input, const fs::path& output, const fs::path& depfile) {
  const BankFile bank = read_bank_file(input);
  const Resolved resolved = bank.composed() ? resolve_composition(bank) : Resolved{};
  write_if_changed(output, generate(bank, resolved));
  std::string deps = depfile_path(output) + ": " + depfile_path(input);
  for (const BankFile& src : resolved.sources) deps += " \\\n  " + depfile_path(src.path);
  write_if_changed(depfile, deps + "\n");
  return 0;
}

int list_modules(const fs::path& output, const std::vector<fs::path>& inputs) {
  std::map<std::string, fs::path> modules;
  std::string content = "// Generated by bankgen: the bank modules built into the program.\n";
  for (const fs::path& f : inputs) {
    const std::string module = module_name_of(f);
    if (module.empty()) throw FormatError(f, 1, "the file has no \"module\" line");
    const auto [it, added] = modules.emplace(module, f);
    if (!added)
      throw FormatError(f, 1, "module " + module + " is also defined by " + it->second.string());
    content += "PV_BANK(" + module + ")\n";
  }
  write_if_changed(output, content);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 3 && std::string_view(argv[1]) == "--list")
      return list_modules(argv[2], std::vector<fs::path>(argv + 3, argv + argc));
    if (argc == 4) return generate_bank(argv[1], argv[2], argv[3]);
    std::cerr << "usage: bankgen <bank.txt> <out.cpp> <out.d>\n"
                 "       bankgen --list <out.inc> <bank.txt>...\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
