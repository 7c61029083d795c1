// The check of a loaded bank against its figure table: one failure line for each figure the
// bank does not hold, naming the record or the figure.
#include <algorithm>
#include <cctype>
#include <set>

#include "banks/checker/figures.hpp"
#include "banks/checker/testing.hpp"
#include "banks/registry.hpp"

namespace pv::bankcheck {

namespace {

std::string text(int n) {
  return std::to_string(n);
}

std::string list_text(const std::vector<int>& v) {
  std::string out;
  for (int n : v) out += (out.empty() ? "" : ",") + text(n);
  return out.empty() ? "none" : out;
}

std::string dist_text(const Dist& d) {
  std::string out;
  for (const auto& [value, n] : d) out += (out.empty() ? "" : " ") + text(value) + ":" + text(n);
  return "{" + out + "}";
}

// An interface's short name as check keys write it: "s0/0", "fa0/1", "g0/1", "lo0", "tu0".
bool interface_name(std::string_view s) {
  static const std::set<std::string_view> kShort = {"e", "fa", "g", "gi", "te", "s", "lo", "tu"};
  const size_t digit = s.find_first_of("0123456789");
  return digit != std::string_view::npos && kShort.contains(s.substr(0, digit)) &&
         s.find_first_not_of("0123456789/.:", digit) == std::string_view::npos;
}

CheckKey key_form(const std::string& key, const std::string& value) {
  if (command_check(key, value)) return CheckKey::command;
  if (interface_name(std::string_view(key).substr(0, key.find('_'))))
    return CheckKey::interface_first;
  const size_t last = key.rfind('_');
  if (last != std::string::npos && interface_name(std::string_view(key).substr(last + 1)))
    return CheckKey::interface_last;
  return CheckKey::device;
}

bool dotted_address(std::string_view s) {
  int parts = 0;
  for (size_t start = 0;; ++parts) {
    const size_t dot = s.find('.', start);
    const std::string_view part = s.substr(start, dot - start);
    if (part.empty() || part.size() > 3 || !all_of_chars(part, "0123456789") ||
        std::stoi(std::string(part)) > 255)
      return false;
    if (dot == std::string_view::npos) return parts == 3;
    start = dot + 1;
  }
}

CheckValue value_form(const std::string& v) {
  if (v == "true") return CheckValue::truth;
  if (v == "no") return CheckValue::no;
  if (all_of_chars(v, "0123456789")) return CheckValue::number;
  if (dotted_address(v)) return CheckValue::address;
  if (all_of_chars(v, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-") &&
      std::any_of(v.begin(), v.end(),
                  [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
    return CheckValue::capitals;
  if (v.find('_') != std::string::npos) return CheckValue::joined_words;
  return CheckValue::other;
}

const char* name(CheckKey k) {
  switch (k) {
    case CheckKey::command:
      return "command";
    case CheckKey::interface_first:
      return "interface first";
    case CheckKey::interface_last:
      return "interface last";
    case CheckKey::device:
      return "device";
  }
  return "?";
}

const char* name(CheckValue v) {
  switch (v) {
    case CheckValue::truth:
      return "true";
    case CheckValue::no:
      return "no";
    case CheckValue::number:
      return "number";
    case CheckValue::address:
      return "address";
    case CheckValue::capitals:
      return "capitals";
    case CheckValue::joined_words:
      return "joined words";
    case CheckValue::other:
      return "other";
  }
  return "?";
}

// "command 18, device 4": the forms that occur, in the order of their enumeration.
template <class E>
std::string forms_text(const std::map<E, int>& counts) {
  std::string out;
  for (const auto& [form, n] : counts)
    if (n != 0) out += (out.empty() ? "" : ", ") + std::string(name(form)) + " " + text(n);
  return out.empty() ? "none" : out;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool has_form(std::string_view a, Form f) {
  constexpr std::string_view kDigits = "0123456789";
  constexpr std::string_view kWords = "abcdefghijklmnopqrstuvwxyz -";
  switch (f) {
    case Form::numeral:
      return all_of_chars(a, kDigits);
    case Form::grouped_numeral: {
      // 1 to 3 digits, then one or more groups of "," and 3 digits.
      const size_t lead = a.find(',');
      if (lead == std::string_view::npos || lead == 0 || lead > 3 || (a.size() - lead) % 4 != 0 ||
          !all_of_chars(a.substr(0, lead), kDigits))
        return false;
      for (size_t at = lead; at < a.size(); at += 4)
        if (a[at] != ',' || !all_of_chars(a.substr(at + 1, 3), kDigits)) return false;
      return true;
    }
    case Form::words:
      return all_of_chars(a, kWords) && a.find_first_not_of(" -") != std::string_view::npos;
    case Form::hyphenated_words:
      return has_form(a, Form::words) && a.find('-') != std::string_view::npos;
    case Form::capitalised_words:
      return !a.empty() && std::isupper(static_cast<unsigned char>(a[0])) &&
             (a.size() == 1 || all_of_chars(a.substr(1), kWords));
  }
  return false;
}

const char* form_name(Form f) {
  switch (f) {
    case Form::numeral:
      return "a numeral";
    case Form::grouped_numeral:
      return "a numeral with thousands separators";
    case Form::words:
      return "a number in words";
    case Form::hyphenated_words:
      return "a number in words with a hyphen";
    case Form::capitalised_words:
      return "a number in words with a capital";
  }
  return "?";
}

class Checker {
 public:
  Checker(const Shared& g, const BankFigures& f) : g_(g), f_(f) {}

  std::vector<std::string> run(const std::string& feedback_before) {
    identity(feedback_before);
    categories();
    for (const Section& s : f_.sections) section(s);
    for (const RecordFact& r : f_.records) fact(r);
    for (const EqualRun& e : f_.equal) equal(e);
    if (f_.shared_explanations) shared_explanations(*f_.shared_explanations);
    return std::move(failures_);
  }

 private:
  void fail(const std::string& where, const std::string& what) {
    failures_.push_back(f_.module + ": " + where + ": " + what);
  }
  template <class T>
  void expect(const std::string& where, const std::string& what, const T& actual,
              const T& expected) {
    if (!(actual == expected))
      fail(where, what + " is " + show(actual) + ", table says " + show(expected));
  }
  static std::string show(int n) { return text(n); }
  static std::string show(const std::string& s) { return "\"" + s + "\""; }
  static std::string show(const Dist& d) { return dist_text(d); }
  static std::string show(const std::vector<int>& v) { return list_text(v); }

  bool valid_record(int r) const { return r >= 1 && r <= g_.question_count && r <= 1000; }
  const QuestionRecord& rec(int r) const { return g_.questions[r]; }
  static bool of_kind(const QuestionRecord& q, Kind k) { return k == Kind::any || kind_of(q) == k; }

  void identity(const std::string& feedback_before) {
    expect("identity", "test_description", g_.test_description, f_.description);
    expect("identity", "product_title", g_.product_title, f_.title);
    expect("identity", "test_title", g_.test_title, f_.title);
    expect("identity", "product_version", g_.product_version, f_.version);
    expect("identity", "feedback_address", g_.feedback_address,
           f_.stores_feedback_address ? std::string(kSalesAddress) : feedback_before);
    expect("bank", "question_count", int{g_.question_count}, f_.question_count);
    expect("bank", "category_count", int{g_.category_count}, f_.category_count);
    expect("bank", "categories_enabled", int{g_.categories_enabled}, int{vbTrue});
  }

  void categories() {
    const CategoryFigures& c = f_.categories;
    std::optional<int> shortest, longest;
    for (int i = 1; i <= c.chapters; ++i) {
      const std::string& name = g_.category_names[i];
      const std::string prefix = "Chapter " + text(i) + " ";
      if (name.rfind(prefix, 0) != 0 || name.size() == prefix.size())
        fail("category " + text(i), "name \"" + name + "\" is not \"" + prefix + "<title>\"");
      const int n = chars(name);
      shortest = std::min(shortest.value_or(n), n);
      longest = std::max(longest.value_or(n), n);
    }
    if (c.shortest)
      expect("categories", "shortest chapter name", shortest.value_or(0), *c.shortest);
    if (c.longest) expect("categories", "longest chapter name", longest.value_or(0), *c.longest);
    for (const NameLengths& l : c.lengths) name_lengths(l);
    for (int i = c.chapters + 1; i <= f_.category_count; ++i) {
      const std::string& name = g_.category_names[i];
      if (name.empty() || name.rfind("Chapter ", 0) == 0)
        fail("category " + text(i), "is not a named category of its own: \"" + name + "\"");
    }
    if (c.at_most)
      for (int i = 1; i <= f_.category_count; ++i)
        if (chars(g_.category_names[i]) > *c.at_most)
          fail("category " + text(i), "name is longer than " + text(*c.at_most) + " characters");
    if (c.at_most && c.at_most_reached_by) {
      std::vector<int> reached;
      for (int i = 1; i <= f_.category_count; ++i)
        if (chars(g_.category_names[i]) == *c.at_most) reached.push_back(i);
      expect("categories", "names of " + text(*c.at_most) + " characters", reached,
             *c.at_most_reached_by);
    }
    for (int i = f_.category_count + 1; i <= 150; ++i)
      if (!g_.category_names[i].empty()) fail("category " + text(i), "is not empty");
    for (const auto& [i, name] : c.names)
      expect("category " + text(i), "name", g_.category_names[std::clamp(i, 0, 150)], name);
    for (const SameNames& same : c.same_as) {
      const auto other = load_module(same.module);
      if (!other) return fail("categories", "module " + same.module + " is not built in");
      if (!same.from.empty() && static_cast<int>(same.from.size()) != same.count)
        return fail("categories", "the table maps " + text(static_cast<int>(same.from.size())) +
                                      " of " + text(same.count) + " names");
      for (int i = 1; i <= same.count; ++i) {
        const int j = same.from.empty() ? i : std::clamp(same.from[i - 1], 0, 150);
        if (j == 0) {
          for (int k = 1; k <= 150; ++k)
            if (!other->category_names[k].empty() &&
                g_.category_names[i] == other->category_names[k])
              fail("category " + text(i), "name \"" + g_.category_names[i] + "\" is " +
                                              same.module + "'s name " + text(k) +
                                              ", table says a name of its own");
          continue;
        }
        const std::string as = same.from.empty() ? "" : text(j) + " ";
        expect("category " + text(i), "name (as " + as + "in " + same.module + ")",
               g_.category_names[i], other->category_names[j]);
      }
    }
  }

  void name_lengths(const NameLengths& l) {
    std::optional<int> shortest, longest;
    for (int i : l.categories) {
      if (i < 1 || i > 150) return fail("categories", "category " + text(i) + " is out of range");
      const std::string& name = g_.category_names[i];
      const int n = chars(name);
      shortest = std::min(shortest.value_or(n), n);
      longest = std::max(longest.value_or(n), n);
      if (l.cut_inside_word &&
          (name.empty() || !std::isalnum(static_cast<unsigned char>(name.back()))))
        fail("category " + text(i), "name \"" + name + "\" does not end inside a word");
    }
    const std::string w = "categories " + list_text(l.categories);
    expect(w, "shortest name", shortest.value_or(0), l.shortest);
    expect(w, "longest name", longest.value_or(0), l.longest);
  }

  std::vector<int> selected(const Section& s, Kind k, Property p) const {
    std::vector<int> out;
    for (int r = s.first; r <= s.last; ++r)
      if (valid_record(r) && of_kind(rec(r), k) && p.holds(rec(r))) out.push_back(r);
    return out;
  }

  Dist distribution(const Section& s, Kind k, Measure m, int first = 0, int last = 0,
                    std::optional<int> answers = {}) const {
    Dist d;
    for (int r = first ? first : s.first; r <= (last ? last : s.last); ++r)
      if (valid_record(r) && of_kind(rec(r), k) && (!answers || answer_count(rec(r)) == *answers))
        if (const auto v = m.of(rec(r))) ++d[*v];
    return d;
  }

  // Names the records whose measure lies outside the bounds.
  void within(const Section& s, const Bounds& b, const std::string& where) {
    std::vector<int> outside;
    for (int r = s.first; r <= s.last; ++r)
      if (valid_record(r) && of_kind(rec(r), b.kind))
        if (const auto v = b.measure.of(rec(r)); v && (*v < b.lowest || *v > b.highest))
          outside.push_back(r);
    if (!outside.empty())
      fail(where, "records with the " + std::string(b.measure.text) + " outside " + text(b.lowest) +
                      "-" + text(b.highest) + " are " + list_text(outside));
  }

  static int count_in(const Dist& d) {
    int n = 0;
    for (const auto& [v, c] : d) n += c;
    return n;
  }

  void section(const Section& s) {
    const std::string where = "records " + text(s.first) + "-" + text(s.last);
    if (!valid_record(s.first) || !valid_record(s.last))
      return fail(where, "lie outside the loaded records 1-" + text(g_.question_count));

    kinds(s, where);
    for (const Count& c : s.counts)
      expect(where + ", " + kind_name(c.kind), std::string("records ") + c.property.text,
             static_cast<int>(selected(s, c.kind, c.property).size()), c.records);
    for (const Exactly& e : s.exactly)
      expect(where + ", " + kind_name(e.kind), std::string("records ") + e.property.text,
             selected(s, e.kind, e.property), e.records);
    measured(s, where);
    for (const std::vector<int>& group : s.one_check_key) one_check_key(group);
    if (s.characters_beyond_ascii)
      expect(
          where, "characters beyond ASCII", characters_beyond_ascii(s),
          std::vector<int>(s.characters_beyond_ascii->begin(), s.characters_beyond_ascii->end()));
    value_sets(s, where);
    if (s.explanation_sharing) explanation_sharing(s, *s.explanation_sharing, where);
    if (!s.check_keys.empty() || !s.setting_values.empty()) check_forms(s, where);
    for (const Sum& sum : s.sums) {
      int total = 0;
      for (const auto& [v, n] : distribution(s, sum.kind, sum.measure)) total += v * n;
      expect(where + ", " + kind_name(sum.kind), std::string("total ") + sum.measure.text, total,
             sum.total);
    }

    runs(s, where);
    category_kinds(s, where);
    if (s.page_drops)
      expect(where, "records with a page below an earlier one of their category", page_drops(s),
             *s.page_drops);
    answer_lengths(s, where);
    if (s.reference_sharing) reference_sharing(s, *s.reference_sharing, where);
    references(s, where);
    if (s.shared_questions)
      shared(s, where, "question", &QuestionRecord::Question, *s.shared_questions);
    if (s.shared_explanations)
      shared(s, where, "explanation", &QuestionRecord::Explanation, *s.shared_explanations);
    record_forms(s);
  }

  void kinds(const Section& s, const std::string& where) {
    if (!s.kinds.empty())
      for (Kind k : {Kind::single, Kind::multi, Kind::fill, Kind::dnd, Kind::sim}) {
        const auto row = std::find_if(s.kinds.begin(), s.kinds.end(),
                                      [k](const KindRow& r) { return r.kind == k; });
        const std::string w = where + ", " + kind_name(k);
        const int n = static_cast<int>(selected(s, k, properties::always).size());
        expect(w, "number of records", n, row == s.kinds.end() ? 0 : row->records);
        if (row == s.kinds.end()) continue;
        if (!row->answers.empty())
          expect(w, "answers per record", distribution(s, k, measures::answers), row->answers);
        if (!row->flags.empty())
          expect(w, "correct flags per record", distribution(s, k, measures::flags), row->flags);
      }
  }

  // The distributions and the bounds of the measures.
  void measured(const Section& s, const std::string& where) {
    for (const Distribution& d : s.distributions) {
      Dist actual = distribution(s, d.kind, d.measure, 0, 0, d.answers);
      if (!d.complete)
        std::erase_if(actual, [&d](const auto& kv) { return !d.values.contains(kv.first); });
      Dist expected = d.values;
      if (!d.complete)  // a value the table lists with 0 records does not show up at all
        std::erase_if(expected, [](const auto& kv) { return kv.second == 0; });
      const std::string with =
          d.answers ? ", with " + text(*d.answers) + " answers" : std::string();
      expect(where + ", " + kind_name(d.kind) + with, std::string("records by ") + d.measure.text,
             actual, expected);
    }
    for (const Bounds& b : s.bounds) {
      const Dist d = distribution(s, b.kind, b.measure);
      const std::string w = where + ", " + kind_name(b.kind);
      if (d.empty()) {
        fail(w, std::string("no record to measure the ") + b.measure.text);
        continue;
      }
      if (b.within) {
        within(s, b, w);
        continue;
      }
      expect(w, std::string("lowest ") + b.measure.text, d.begin()->first, b.lowest);
      expect(w, std::string("highest ") + b.measure.text, d.rbegin()->first, b.highest);
    }
    for (const Bounds& b : s.within) {
      const Dist d = distribution(s, b.kind, b.measure);
      if (!d.empty() && (d.begin()->first < b.lowest || d.rbegin()->first > b.highest))
        fail(where + ", " + kind_name(b.kind),
             std::string(b.measure.text) + " runs from " + text(d.begin()->first) + " to " +
                 text(d.rbegin()->first) + ", table says within " + text(b.lowest) + " to " +
                 text(b.highest));
    }
  }

  // The form of every reference, and the lab of every simulator task.
  void record_forms(const Section& s) {
    for (int r = s.first; r <= s.last; ++r) {
      const QuestionRecord& q = rec(r);
      const std::string w = "record " + text(r);
      const auto page = page_of(q);
      const size_t hashes = q.Reference.find("##");
      if (s.references == ReferenceForm::page_and_title &&
          (!page || hashes + 2 >= q.Reference.size()))
        fail(w, "reference \"" + q.Reference + "\" is not page, \"##\" and a section title");
      if (s.references == ReferenceForm::page_only && (!page || hashes + 2 != q.Reference.size()))
        fail(w, "reference \"" + q.Reference + "\" is not a page and \"##\" alone");
      if (s.references == ReferenceForm::page_only_or_empty && !q.Reference.empty() &&
          (!page || hashes + 2 != q.Reference.size()))
        fail(w, "reference \"" + q.Reference + "\" is neither empty nor a page and \"##\" alone");
      if (s.lab) {
        const std::string expected = kind_of(q) == Kind::sim ? *s.lab : "";
        expect(w, "ExhibitFile(2)", q.ExhibitFile[2], expected);
      }
    }
  }

  void explanation_sharing(const Section& s, const SharedTexts& expected,
                           const std::string& where) {
    std::map<std::string, int> holders;
    for (int r = s.first; r <= s.last; ++r)
      if (!rec(r).Explanation.empty()) ++holders[rec(r).Explanation];
    SharedTexts actual{.smallest = 0, .largest = 0};
    for (const auto& [explanation, n] : holders) {
      if (n < 2) continue;
      ++actual.texts;
      actual.records += n;
      actual.smallest = actual.texts == 1 ? n : std::min(actual.smallest, n);
      actual.largest = std::max(actual.largest, n);
    }
    expect(where, "explanations shared by several records", actual.texts, expected.texts);
    expect(where, "records sharing an explanation", actual.records, expected.records);
    expect(where, "smallest group sharing an explanation", actual.smallest, expected.smallest);
    expect(where, "largest group sharing an explanation", actual.largest, expected.largest);
  }

  void check_forms(const Section& s, const std::string& where) {
    std::map<CheckKey, int> keys;
    std::map<CheckValue, int> values;
    for (int r = s.first; r <= s.last; ++r)
      if (kind_of(rec(r)) == Kind::sim)
        for (const auto& [key, value] : checks_of(rec(r))) {
          const CheckKey form = key_form(key, value);
          ++keys[form];
          if (form != CheckKey::command) ++values[value_form(value)];
        }
    if (!s.check_keys.empty())
      expect(where, "checks by the form of their key", forms_text(keys), forms_text(s.check_keys));
    if (!s.setting_values.empty())
      expect(where, "setting checks by the form of their value", forms_text(values),
             forms_text(s.setting_values));
  }

  // One key for the whole group, and a value of its own in each record.
  void one_check_key(const std::vector<int>& group) {
    std::set<std::string> keys, values;
    for (int r : group) {
      if (!valid_record(r)) return fail("record " + text(r), "is not loaded");
      for (const auto& [key, value] : checks_of(rec(r))) {
        keys.insert(key);
        if (!values.insert(value).second)
          fail("record " + text(r), "checks the value \"" + value + "\" of another record");
      }
    }
    if (keys.size() != 1)
      fail("records " + list_text(group),
           "check " + text(static_cast<int>(keys.size())) + " keys, table says one");
  }

  // The code points beyond ASCII of every text the section's records hold.
  std::vector<int> characters_beyond_ascii(const Section& s) const {
    std::set<int> found;
    for (int r = s.first; r <= s.last; ++r) {
      std::vector<std::string_view> texts = texts_of(rec(r));
      texts.push_back(rec(r).Clue);
      for (std::string_view t : texts)
        for (size_t i = 0; i < t.size(); ++i) {
          const auto c = static_cast<unsigned char>(t[i]);
          if (c < 0x80 || (c & 0xC0) == 0x80) continue;
          const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
          int point = c & (0x3F >> extra);
          for (int k = 1; k <= extra && i + k < t.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3F);
          found.insert(point);
        }
    }
    return {found.begin(), found.end()};
  }

  std::vector<int> page_drops(const Section& s) const {
    std::vector<int> out;
    std::map<int, int> highest;  // category -> highest page so far
    for (int r = s.first; r <= s.last; ++r) {
      const auto page = valid_record(r) ? page_of(rec(r)) : std::nullopt;
      if (!page) continue;
      const auto [at, first] = highest.try_emplace(rec(r).Category, *page);
      if (first) continue;
      if (*page < at->second) out.push_back(r);
      at->second = std::max(at->second, *page);
    }
    return out;
  }

  // How many different references there are, and which records share one with another
  // category.
  void references(const Section& s, const std::string& where) {
    std::map<std::string, std::vector<int>> users;
    for (int r = s.first; r <= s.last; ++r)
      if (!rec(r).Reference.empty()) users[rec(r).Reference].push_back(r);
    if (s.distinct_references)
      expect(where, "different references", static_cast<int>(users.size()), *s.distinct_references);
    if (!s.references_across_categories) return;
    std::vector<int> across;
    for (const auto& [reference, group] : users)
      if (std::any_of(group.begin(), group.end(),
                      [&](int r) { return rec(r).Category != rec(group.front()).Category; }))
        across.insert(across.end(), group.begin(), group.end());
    std::sort(across.begin(), across.end());
    expect(where, "records sharing a reference with another category", across,
           *s.references_across_categories);
  }

  void answer_lengths(const Section& s, const std::string& where) {
    if (s.shortest_answer) {
      std::optional<int> shortest;
      for (int r = s.first; r <= s.last; ++r)
        for (int i = 1; i <= answer_count(rec(r)); ++i)
          shortest = std::min(shortest.value_or(chars(rec(r).Answer[i])), chars(rec(r).Answer[i]));
      expect(where, "shortest answer", shortest.value_or(0), *s.shortest_answer);
    }
    if (!s.answer_lengths) return;
    std::optional<int> shortest, longest;
    for (int r = s.first; r <= s.last; ++r)
      for (int i = 1; i <= answer_count(rec(r)); ++i) {
        const int n = chars(rec(r).Answer[i]);
        shortest = std::min(shortest.value_or(n), n);
        longest = std::max(longest.value_or(n), n);
      }
    expect(where, "shortest answer", shortest.value_or(0), s.answer_lengths->shortest);
    expect(where, "longest answer", longest.value_or(0), s.answer_lengths->longest);
  }

  void reference_sharing(const Section& s, const ReferenceSharing& sharing,
                         const std::string& where) {
    std::map<std::string, std::vector<int>> citing;
    for (int r = s.first; r <= s.last; ++r)
      if (!rec(r).Reference.empty()) citing[rec(r).Reference].push_back(r);
    Dist by_size;
    for (const auto& [reference, group] : citing) {
      ++by_size[static_cast<int>(group.size())];
      if (sharing.within_one_category && std::any_of(group.begin(), group.end(), [&](int r) {
            return rec(r).Category != rec(group.front()).Category;
          }))
        fail("records " + list_text(group), "share one reference across categories");
    }
    if (!sharing.records_per_reference.empty())
      expect(where, "references by the records citing each", by_size,
             sharing.records_per_reference);
  }

  void value_sets(const Section& s, const std::string& where) {
    for (const ValueSet& v : s.value_sets) {
      std::vector<int> occurring;
      for (const auto& [value, n] : distribution(s, v.kind, v.measure)) occurring.push_back(value);
      expect(where + ", " + kind_name(v.kind), std::string("values of the ") + v.measure.text,
             occurring, std::vector<int>(v.values.begin(), v.values.end()));
    }
  }

  void runs(const Section& s, const std::string& where) {
    if (s.runs.empty()) return;
    int covered = 0;
    for (const CategoryRun& run : s.runs) {
      const std::string w = where + ", category " + text(run.category);
      covered += run.last - run.first + 1;
      expect(w, "run length", run.last - run.first + 1, run.count);
      bool in_run = true;
      for (int r = run.first; r <= run.last; ++r)
        if (!valid_record(r) || rec(r).Category != run.category) in_run = false;
      if (!in_run)
        fail(w,
             "records " + text(run.first) + "-" + text(run.last) + " are not all in the category");
      int total = 0;
      for (int r = s.first; r <= s.last; ++r)
        if (rec(r).Category == run.category) ++total;
      expect(w, "records in the category", total, run.count);
      Section one{.first = run.first, .last = run.last};
      expect(w, "multiple-answer records",
             static_cast<int>(selected(one, Kind::multi, properties::always).size()), run.multi);
      expect(w, "records with 5 or 6 answers",
             static_cast<int>(selected(one, Kind::any, properties::five_or_six_answers).size()),
             run.five_or_six);
      expect(w, "records with an explanation",
             static_cast<int>(selected(one, Kind::any, properties::has_explanation).size()),
             run.with_explanation);
      Dist pages;
      for (int r = run.first; r <= run.last; ++r)
        if (valid_record(r) &&
            std::find(run.off_range.begin(), run.off_range.end(), r) == run.off_range.end())
          if (const auto page = page_of(rec(r))) ++pages[*page];
      if (pages.empty()) {
        fail(w, "no reference pages");
      } else {
        expect(w, "lowest page", pages.begin()->first, run.page_lowest);
        expect(w, "highest page", pages.rbegin()->first, run.page_highest);
      }
      if (run.blank_after_hashes)
        expect(w, "references with a blank after \"##\"",
               static_cast<int>(selected(one, Kind::any, properties::blank_after_hashes).size()),
               *run.blank_after_hashes);
    }
    expect(where, "records covered by the category runs", covered, s.last - s.first + 1);
  }

  void category_kinds(const Section& s, const std::string& where) {
    if (s.category_kinds.empty()) return;
    int covered = 0;
    for (const CategoryKinds& row : s.category_kinds) {
      const std::string w = where + ", category " + text(row.category);
      covered += row.records;
      std::map<Kind, int> by_kind;
      int total = 0;
      for (int r = s.first; r <= s.last; ++r)
        if (rec(r).Category == row.category) {
          ++total;
          ++by_kind[kind_of(rec(r))];
        }
      expect(w, "records", total, row.records);
      const std::pair<Kind, std::optional<int>> columns[] = {{Kind::single, row.single},
                                                             {Kind::multi, row.multi},
                                                             {Kind::fill, row.fill},
                                                             {Kind::dnd, row.dnd},
                                                             {Kind::sim, row.sim}};
      for (const auto& [k, expected] : columns)
        if (expected) expect(w, std::string(kind_name(k)) + " records", by_kind[k], *expected);
      if (row.page_lowest || row.page_highest) category_pages(s, row, w);
    }
    expect(where, "records in the categories of the table", covered, s.last - s.first + 1);
  }

  void category_pages(const Section& s, const CategoryKinds& row, const std::string& w) {
    Dist pages;
    for (int r = s.first; r <= s.last; ++r)
      if (rec(r).Category == row.category &&
          std::find(row.off_range.begin(), row.off_range.end(), r) == row.off_range.end())
        if (const auto page = page_of(rec(r))) ++pages[*page];
    if (pages.empty()) return fail(w, "no reference pages");
    if (row.page_lowest) expect(w, "lowest page", pages.begin()->first, *row.page_lowest);
    if (row.page_highest) expect(w, "highest page", pages.rbegin()->first, *row.page_highest);
  }

  // The records of the section grouped by one text field: the groups of more than one
  // record must be exactly `groups`.
  void shared(const Section& s, const std::string& where, const std::string& what,
              std::string QuestionRecord::*field, const std::vector<std::vector<int>>& groups) {
    std::map<std::string, std::vector<int>> by_text;
    for (int r = s.first; r <= s.last; ++r) by_text[rec(r).*field].push_back(r);
    std::vector<std::vector<int>> actual;
    for (const auto& [text, records] : by_text)
      if (records.size() > 1) actual.push_back(records);
    std::vector<std::vector<int>> expected = groups;
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    if (actual != expected)
      fail(where, "records sharing one " + what + " are " + groups_text(actual) + ", table says " +
                      groups_text(expected));
  }

  static std::string groups_text(const std::vector<std::vector<int>>& groups) {
    std::string out;
    for (const std::vector<int>& g : groups) out += (out.empty() ? "" : " ") + list_text(g);
    return out.empty() ? "none" : out;
  }

  void fact(const RecordFact& f) {
    const std::string w = "record " + text(f.record);
    if (!valid_record(f.record)) return fail(w, "is not loaded");
    const QuestionRecord& q = rec(f.record);
    if (f.kind && kind_of(q) != *f.kind)
      fail(w, std::string("is ") + kind_name(kind_of(q)) + ", table says " + kind_name(*f.kind));
    if (f.answers) expect(w, "answers", answer_count(q), *f.answers);
    if (f.correct) expect(w, "correct answers", flagged(q), *f.correct);
    if (f.flags) expect(w, "correct flags", static_cast<int>(flagged(q).size()), *f.flags);
    if (f.explanation)
      expect(w, "explanation", std::string(q.Explanation.empty() ? "empty" : "set"),
             std::string(*f.explanation ? "set" : "empty"));
    if (f.page) expect(w, "reference page", page_of(q).value_or(-1), *f.page);
    if (f.blank_after_hashes)
      expect(w, "blank after \"##\"",
             std::string(properties::blank_after_hashes.holds(q) ? "yes" : "no"),
             std::string(*f.blank_after_hashes ? "yes" : "no"));
    if (f.category) expect(w, "category", int{q.Category}, *f.category);
    if (f.answer1) expect(w, "Answer(1)", q.Answer[1], *f.answer1);
    if (f.lab) expect(w, "ExhibitFile(2)", q.ExhibitFile[2], *f.lab);
    if (f.clue_lines)
      expect(w, "clue lines", measures::clue_lines.of(q).value_or(0), *f.clue_lines);
    if (f.spellings || f.capitalised_lower_upper) spellings(q, f, w);
    if (f.explanation_length)
      expect(w, "explanation length", chars(q.Explanation), *f.explanation_length);
    if (f.same_question_as) {
      const int o = *f.same_question_as;
      if (!valid_record(o))
        fail(w, "record " + text(o) + " is not loaded");
      else if (q.Question != rec(o).Question)
        fail(w, "question differs from the question of record " + text(o));
      else if (q.Explanation == rec(o).Explanation)
        fail(w, "explanation is the explanation of record " + text(o));
    }
    if (f.question_length) expect(w, "question length", chars(q.Question), *f.question_length);
    if (f.same_reference_as) {
      const int o = *f.same_reference_as;
      if (!valid_record(o))
        fail(w, "record " + text(o) + " is not loaded");
      else if (q.Reference != rec(o).Reference)
        fail(w, "reference differs from the reference of record " + text(o));
    }
    if (f.answer_length)
      for (int i = 1; i <= answer_count(q); ++i)
        expect(w, "length of answer " + text(i), chars(q.Answer[i]), *f.answer_length);
    if (f.answer_texts)
      for (int i = 1; i <= 6; ++i) {
        const size_t slot = static_cast<size_t>(i - 1);
        expect(w, "Answer(" + text(i) + ")", q.Answer[i],
               slot < f.answer_texts->size() ? (*f.answer_texts)[slot] : std::string());
      }
    if (f.forms) forms(q, *f.forms, w);
    if (f.clue) expect(w, "Clue", q.Clue, *f.clue);
    if (f.clue_length) expect(w, "clue length", chars(q.Clue), *f.clue_length);
    if (f.exhibit) expect(w, "ExhibitFile(1)", q.ExhibitFile[1], *f.exhibit);
    if (f.picture) expect(w, "DiagramFile(1)", q.DiagramFile[1], *f.picture);
    if (f.command_checks)
      expect(w, "command checks", measures::command_checks.of(q).value_or(-1), *f.command_checks);
    if (f.explanation_lines)
      expect(w, "explanation lines", measures::explanation_lines.of(q).value_or(0),
             *f.explanation_lines);
    if (f.same_explanation_as)
      same_as(w, *f.same_explanation_as, "explanation",
              [&](int o) { return q.Explanation == rec(o).Explanation; });
    if (f.same_answers_as)
      same_as(w, *f.same_answers_as, "answers", [&](int o) {
        for (int i = 1; i <= 6; ++i)
          if (q.Answer[i] != rec(o).Answer[i]) return false;
        return true;
      });
  }

  template <class Same>
  void same_as(const std::string& w, int other, const char* what, Same same) {
    if (!valid_record(other)) return fail(w, "record " + text(other) + " is not loaded");
    if (!same(other)) fail(w, std::string(what) + " differ from those of record " + text(other));
  }

  void forms(const QuestionRecord& q, const std::vector<Form>& forms, const std::string& w) {
    expect(w, "answers", answer_count(q), static_cast<int>(forms.size()));
    std::set<std::string> numbers;
    for (size_t i = 0; i < forms.size() && i < 6; ++i) {
      const std::string& a = q.Answer[i + 1];
      if (!has_form(a, forms[i]))
        fail(w, "answer " + text(static_cast<int>(i + 1)) + " \"" + a + "\" is not " +
                    form_name(forms[i]));
      if (forms[i] == Form::numeral || forms[i] == Form::grouped_numeral) {
        std::string digits = a;
        std::erase(digits, ',');
        numbers.insert(digits);
      }
    }
    if (numbers.size() > 1) fail(w, "its numerals name different numbers");
  }

  void spellings(const QuestionRecord& q, const RecordFact& f, const std::string& w) {
    std::map<std::string, std::set<std::string>> by_spelling;
    for (int i = 1; i <= 6; ++i)
      if (!q.Answer[i].empty()) by_spelling[lower(q.Answer[i])].insert(q.Answer[i]);
    if (f.spellings) expect(w, "spellings", static_cast<int>(by_spelling.size()), *f.spellings);
    if (f.capitalised_lower_upper && *f.capitalised_lower_upper)
      for (const auto& [low, written] : by_spelling) {
        std::string capitalised = low;
        capitalised[0] =
            static_cast<char>(std::toupper(static_cast<unsigned char>(capitalised[0])));
        const std::set<std::string> expected = {capitalised, low, upper(low)};
        if (written != expected || answer_count(q) != 3 * static_cast<int>(by_spelling.size()))
          fail(w, "\"" + low +
                      "\" is not written exactly capitalised, in lower case and in upper case");
      }
  }

  void equal(const EqualRun& e) {
    const auto other = load_module(e.module);
    if (!other) return fail("records", "module " + e.module + " is not built in");
    for (int r = e.first; r <= e.last; ++r) {
      const int s = e.source_first + (r - e.first);
      if (!valid_record(r) || s > other->question_count) {
        fail("record " + text(r), "has no counterpart in " + e.module);
        continue;
      }
      QuestionRecord expected = other->questions[s];
      if (const auto to = e.categories.find(expected.Category); to != e.categories.end())
        expected.Category = static_cast<int16_t>(to->second);
      excepted(e, r, expected);
      const std::string diff = bank_field_differences(rec(r), expected);
      if (!diff.empty())
        fail("record " + text(r),
             "differs from record " + text(s) + " of " + e.module + " in " + diff);
    }
  }

  // The documented differences of record r from its source record, applied to that record.
  void excepted(const EqualRun& e, int r, QuestionRecord& expected) {
    const std::string w = "record " + text(r);
    if (const auto type = e.types.find(r); type != e.types.end()) {
      if (expected.Type == type->second) fail(w, "is typed " + type->second + " in its source too");
      expected.Type = type->second;
    }
    if (e.flags_cleared.contains(r)) {
      if (flagged(expected).empty()) fail(w, "has no correct flags in its source either");
      for (int i = 1; i <= 6; ++i) expected.Correct[i] = 0;
    }
  }

  void shared_explanations(const SharedExplanations& shared) {
    std::map<std::string, std::vector<int>> by_text;
    for (int r = 1; r <= std::min<int>(g_.question_count, 1000); ++r)
      if (!rec(r).Explanation.empty()) by_text[rec(r).Explanation].push_back(r);
    int largest = 0;
    for (const auto& [explanation, group] : by_text) {
      largest = std::max(largest, static_cast<int>(group.size()));
      const bool one_category = std::all_of(group.begin(), group.end(), [&](int r) {
        return rec(r).Category == rec(group.front()).Category;
      });
      if (shared.within_one_category && !one_category)
        fail("records " + list_text(group), "share one explanation across categories");
    }
    expect("explanations", "largest group of records sharing one", largest, shared.largest);
  }

  const Shared& g_;
  const BankFigures& f_;
  std::vector<std::string> failures_;
};
}  // namespace

std::vector<std::string> check_figures(const Shared& g, const BankFigures& f,
                                       const std::string& feedback_before) {
  return Checker(g, f).run(feedback_before);
}

std::vector<std::string> validate_module(const BankFigures& f) {
  const std::string before = "before-the-load@example.invalid";
  auto g = std::make_unique<Shared>();
  g->feedback_address = before;
  if (!load_into(*g, f.module)) return {f.module + ": not built in"};
  return check_figures(*g, f, before);
}

}  // namespace pv::bankcheck
