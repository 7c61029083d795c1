#include "web/state_patch.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pv {
namespace {

using nlohmann::json;

// Texts at least this long that keep some of their start or end are sent as a splice.
constexpr size_t kSpliceFrom = 256;

// A step of a path while it is walked: the key of an object member, or (key null) the
// position in an array. Paths are built only for what changed.
struct Step {
  const std::string* key;
  size_t index;
};

bool same_keys(const json& a, const json& b) {
  if (a.size() != b.size()) return false;
  for (auto ia = a.begin(), ib = b.begin(); ib != b.end(); ++ia, ++ib)
    if (ia.key() != ib.key()) return false;
  return true;
}

void add_change(const std::vector<Step>& path, const json& value, json& out) {
  json p = json::array();
  for (const Step& s : path) p.push_back(s.key != nullptr ? json(*s.key) : json(s.index));
  out.push_back(json::array({std::move(p), value}));
}

// The name of each item of a list of objects named uniquely (the windows), or nothing.
std::optional<std::vector<std::string_view>> unique_names(const json& list) {
  std::vector<std::string_view> names;
  for (const json& item : list) {
    if (!item.is_object()) return std::nullopt;
    const auto name = item.find("name");
    if (name == item.end() || !name->is_string()) return std::nullopt;
    names.push_back(name->get_ref<const std::string&>());
  }
  std::vector<std::string_view> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return std::nullopt;
  return names;
}

void compare(const json& a, const json& b, std::vector<Step>& path, json& out);

// The length of valid UTF-8 text in UTF-16 units, as the page counts a string; nothing
// for text that is not valid (written out, it changes length).
std::optional<size_t> utf16_units(std::string_view s) {
  size_t units = 0;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return std::nullopt;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return std::nullopt;
    const auto second = static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]);
    if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second >= 0xA0) ||
        (c == 0xF0 && second < 0x90) || (c == 0xF4 && second >= 0x90))
      return std::nullopt;  // too long a form, a surrogate, or beyond U+10FFFF
    units += n == 4 ? 2 : 1;
    i += n;
  }
  return units;
}

bool continuation(std::string_view s, size_t at) {
  return at < s.size() && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80;
}

// A long text of which only a part changed (a new question page keeps its scripts): the
// change [path, [at, cut, text], "splice"], the `cut` characters from `at` replaced.
bool splice(std::string_view a, std::string_view b, const std::vector<Step>& path, json& out) {
  if (b.size() < kSpliceFrom) return false;
  const size_t most = std::min(a.size(), b.size());
  size_t head = 0;
  while (head < most && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < most - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  while (head > 0 && (continuation(a, head) || continuation(b, head))) --head;
  while (tail > 0 && (continuation(a, a.size() - tail) || continuation(b, b.size() - tail))) --tail;
  if (head + tail < kSpliceFrom / 4) return false;
  const auto at = utf16_units(a.substr(0, head));
  const auto kept_tail = utf16_units(a.substr(a.size() - tail));
  const auto cut = utf16_units(a.substr(head, a.size() - tail - head));
  if (!at || !kept_tail || !cut) return false;
  add_change(path, json::array({*at, *cut, b.substr(head, b.size() - tail - head)}), out);
  out.back().push_back("splice");
  return true;
}

// A list of named items that gained, lost or reordered some: the new list as the names of
// the items kept and the new items whole, then the changes to each kept item.
bool compare_by_name(const json& a, const json& b, std::vector<Step>& path, json& out) {
  const auto old_names = unique_names(a);
  const auto new_names = old_names ? unique_names(b) : std::nullopt;
  if (!new_names) return false;
  json items = json::array();
  std::vector<std::pair<size_t, size_t>> kept;  // (old position, new position)
  for (size_t i = 0; i < new_names->size(); ++i) {
    const auto at = std::find(old_names->begin(), old_names->end(), (*new_names)[i]);
    if (at == old_names->end()) {
      items.push_back(b[i]);
      continue;
    }
    items.push_back((*new_names)[i]);
    kept.emplace_back(static_cast<size_t>(at - old_names->begin()), i);
  }
  add_change(path, items, out);
  out.back().push_back("names");
  for (const auto& [from, to] : kept) {
    path.push_back({nullptr, to});
    compare(a[from], b[to], path, out);
    path.pop_back();
  }
  return true;
}

bool same_names(const json& a, const json& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const bool named = a[i].is_object() && b[i].is_object() && a[i].contains("name");
    if (named && a[i]["name"] != b[i]["name"]) return false;
  }
  return true;
}

void compare(const json& a, const json& b, std::vector<Step>& path, json& out) {
  if (a.is_array() && b.is_array() && !same_names(a, b) && compare_by_name(a, b, path, out)) return;
  if (a.is_object() && b.is_object() && same_keys(a, b)) {
    for (auto ia = a.begin(), ib = b.begin(); ib != b.end(); ++ia, ++ib) {
      path.push_back({&ib.key(), 0});
      compare(ia.value(), ib.value(), path, out);
      path.pop_back();
    }
  } else if (a.is_array() && b.is_array() && a.size() == b.size()) {
    for (size_t i = 0; i < b.size(); ++i) {
      path.push_back({nullptr, i});
      compare(a[i], b[i], path, out);
      path.pop_back();
    }
  } else if (a.is_string() && b.is_string() && a != b) {
    if (!splice(a.get_ref<const std::string&>(), b.get_ref<const std::string&>(), path, out))
      add_change(path, b, out);
  } else if (a != b) {
    add_change(path, b, out);
  }
}

}  // namespace

json state_patch(const json& from, const json& to) {
  json out = json::array();
  std::vector<Step> path;
  compare(from, to, path, out);
  return out;
}

}  // namespace pv
