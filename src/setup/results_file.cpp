#include "setup/results_file.hpp"

#include <memory>

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

// A flag's text is read up to this many characters (blanks not counted): its number is
// read from its start, and a file of one endless field must not fill the memory.
constexpr size_t kFlagTextKept = 4096;

// Reads the file's comma-separated fields as they come and pairs them up: the first of
// each pair is an entry's flag, the second is dropped. A blank line holds no field, and a
// line end or a comma ends one. Only the flags are kept, so a file of any size costs
// one field's memory, and the reading stops at the last entry.
class FlagReader {
 public:
  using Flags = decltype(Shared::missed_flags);
  explicit FlagReader(Flags& flags) : flags_(flags) {}
  bool full() const { return entries_ >= kLastEntry; }

  // False once every entry is read.
  bool take(std::string_view piece) {
    for (const char c : piece) {
      if (c == '\r' || c == '\n') {
        if (line_has_text_) end_field();
        line_has_text_ = false;
      } else if (c == ',') {
        line_has_text_ = true;
        end_field();
      } else if (c != ' ') {
        line_has_text_ = true;
        // The number's value ignores blanks and tabs.
        if (!partner_ && c != '\t' && field_.size() < kFlagTextKept) field_ += c;
      }
      if (full()) return false;
    }
    return true;
  }
  void finish() {
    if (line_has_text_ && !full()) end_field();
  }

 private:
  // Fields pair up whatever the line breaks; a last flag without its partner is lost.
  void end_field() {
    if (partner_)
      flags_[++entries_] = cstr(val(flag_));
    else
      flag_ = std::move(field_);
    partner_ = !partner_;
    field_.clear();
  }

  Flags& flags_;
  int entries_ = 0;
  bool line_has_text_ = false;
  bool partner_ = false;
  std::string field_, flag_;
};

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
  // The flags are set as their pairs are read: a file that fails part way keeps those.
  FlagReader flags(g.missed_flags);
  try {
    const std::string name = results_file_name(g);
    if (!sys.files.exists(name)) return;
    const std::unique_ptr<FileReader> file = sys.files.open_reader(name);
    char buf[16384];
    while (const size_t n = file->read(buf, sizeof buf))
      if (!flags.take(std::string_view(buf, n))) return;
    flags.finish();
  } catch (const RuntimeError&) {
    // an unreadable file leaves the preset and what was read
  }
}

}  // namespace pv
