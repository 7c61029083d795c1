#include "setup/results_file.hpp"

#include <vector>

#include "core/system.hpp"
#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

constexpr int kPresetEntries = 300;
constexpr int kLastEntry = 1000;

bool kept_in_name(unsigned char c) {
  return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

// The comma-separated fields of the file in order; blank lines hold none.
std::vector<std::string> fields_of(std::string_view text) {
  std::vector<std::string> fields;
  for (const std::string& line : split_lines(text)) {
    if (trim(line).empty()) continue;
    size_t start = 0;
    while (true) {
      const size_t comma = line.find(',', start);
      fields.push_back(trim(std::string_view(line).substr(start, comma - start)));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return fields;
}

}  // namespace

std::string clean_student_name(std::string_view typed) {
  std::string name = ucase(typed);
  if (trim(name).empty()) name = "STUDENT";
  std::string cleaned;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (kept_in_name(c)) {
      cleaned += static_cast<char>(c);
      continue;
    }
    cleaned += ' ';
    // One blank for the whole character, however many bytes it takes.
    while (i + 1 < name.size() && (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) ++i;
  }
  return cleaned;
}

std::string results_file_name(const Shared& g) {
  return g.part_number + "." + clean_student_name(g.student_name) + ".results";
}

std::string history_file_name(const Shared& g) {
  return "history." + g.product_id + "." + trim(clean_student_name(g.student_name)) + ".htm";
}

void save_results_file(System& sys) {
  const Shared& g = sys.g;
  std::string content;
  for (int n = 1; n <= kLastEntry; ++n) {
    const std::string& flag = g.missed_flags[n];
    if (flag.empty()) break;
    content += str(val(flag)) + "," + str(int64_t{n}) + "\r\n";
  }
  try {
    sys.files.replace_atomic(results_file_name(g), content);
  } catch (const RuntimeError& e) {
    sys.error_log.append("save_results_file()", "quest3.frm", e);
  }
}

void load_the_results(System& sys) {
  Shared& g = sys.g;
  for (int n = 1; n <= kPresetEntries; ++n) g.missed_flags[n] = "0";
  std::vector<std::string> fields;
  try {
    const std::string name = results_file_name(g);
    if (!sys.files.exists(name)) return;
    fields = fields_of(sys.files.read_all(name));
  } catch (const RuntimeError&) {
    return;  // an unreadable file leaves the preset
  }
  // Fields pair up whatever the line breaks; a last field without its partner is lost.
  int n = 0;
  for (size_t f = 0; f + 1 < fields.size() && n < kLastEntry; f += 2)
    g.missed_flags[++n] = cstr(val(fields[f]));
}

}  // namespace pv
