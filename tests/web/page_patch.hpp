// What the page does with the changes published to it, for the tests that check them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <nlohmann/json.hpp>

namespace pv::testing {

using nlohmann::json;

// Text as a script holds it, and back: code points, those above U+FFFF taking two units.
inline std::u32string points(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t p = n == 1 ? c : c & (0x3F >> (n - 1));
    for (size_t k = 1; k < n; ++k) p = (p << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(p);
    if (p > 0xFFFF) out.push_back(0);  // the second unit of a pair
    i += n;
  }
  return out;
}

inline std::string utf8(const std::u32string& units) {
  std::string out;
  for (const char32_t p : units) {
    if (p == 0) continue;
    if (p < 0x80) {
      out += static_cast<char>(p);
    } else if (p < 0x800) {
      out += static_cast<char>(0xC0 | (p >> 6));
      out += static_cast<char>(0x80 | (p & 0x3F));
    } else if (p < 0x10000) {
      out += static_cast<char>(0xE0 | (p >> 12));
      out += static_cast<char>(0x80 | ((p >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (p & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (p >> 18));
      out += static_cast<char>(0x80 | ((p >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((p >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (p & 0x3F));
    }
  }
  return out;
}

// What the page does with a splice: slices counted in UTF-16 units.
inline std::string spliced(const std::string& held, const json& splice) {
  const std::u32string text = points(held);
  const auto at = splice[0].get<size_t>(), cut = splice[1].get<size_t>();
  EXPECT_LE(at + cut, text.size());
  if (at + cut > text.size()) return held;
  return utf8(text.substr(0, at)) + splice[2].get<std::string>() + utf8(text.substr(at + cut));
}

// What the page does with a patch.
inline void apply(json& state, const json& patch) {
  for (const json& change : patch) {
    json* at = &state;
    for (const json& step : change[0])
      at = step.is_string() ? &(*at)[step.get<std::string>()] : &(*at)[step.get<size_t>()];
    if (change.size() < 3) {
      *at = change[1];
      continue;
    }
    if (change[2] == "splice") {
      *at = spliced(at->get<std::string>(), change[1]);
      continue;
    }
    ASSERT_EQ(change[2], "names");
    json list = json::array();
    for (const json& item : change[1]) {
      if (!item.is_string()) {
        list.push_back(item);
        continue;
      }
      const auto held =
          std::find_if(at->begin(), at->end(), [&](const json& w) { return w["name"] == item; });
      ASSERT_NE(held, at->end()) << item;
      list.push_back(*held);
    }
    *at = std::move(list);
  }
}

}  // namespace pv::testing
