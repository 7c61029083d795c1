#include "web/state_patch.hpp"

#include <string>
#include <vector>

namespace pv {
namespace {

using nlohmann::json;

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

void compare(const json& a, const json& b, std::vector<Step>& path, json& out) {
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
