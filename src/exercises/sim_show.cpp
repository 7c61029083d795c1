#include "exercises/sim_show.hpp"

#include <algorithm>
#include <map>

namespace pv::sim {

namespace {

struct Captures {
  std::vector<std::string> values;  // {1}, {2} ...
  InterfaceName interface;          // {if}
};

// Matches setting words against a shape's words ("{}" one word, "{*}" the rest, "{if}").
bool match_words(std::string_view shape, const std::vector<std::string>& words, Captures& c) {
  const std::vector<std::string> want = split_words(shape);
  size_t i = 0;
  for (const std::string& w : want) {
    if (w == "{*}") {
      if (i >= words.size()) return false;
      std::string rest;
      for (; i < words.size(); ++i) rest += (rest.empty() ? "" : " ") + words[i];
      c.values.push_back(rest);
      continue;
    }
    if (i >= words.size()) return false;
    if (w == "{if}") {
      if (!interface_name(words[i], c.interface)) return false;
    } else if (w == "{}") {
      c.values.push_back(words[i]);
    } else if (lower(w) != lower(words[i])) {
      return false;
    }
    ++i;
  }
  return i == words.size();
}

std::string modified(const std::string& v, char how) {
  std::string out = v;
  InterfaceName n;
  if (how == 's' && interface_name(v, n)) return n.brief;
  if (how == 'u') std::replace(out.begin(), out.end(), '-', '_');
  if (how == '_') std::replace(out.begin(), out.end(), ' ', '_');
  if (how == 'd' && out.size() >= 2 && out.back() == out.front())
    out = out.substr(1, out.size() - 2);
  return out;
}

// Fills a key or value template; {if} is the interface in the given form.
std::string fill(std::string_view tpl, const Captures& c, const std::string& interface) {
  std::string out;
  for (size_t i = 0; i < tpl.size(); ++i) {
    const size_t close = tpl.find('}', i);
    if (tpl[i] != '{' || close == std::string_view::npos) {
      out += tpl[i];
      continue;
    }
    const std::string_view inner = tpl.substr(i + 1, close - i - 1);
    if (inner == "if") {
      out += interface;
    } else if (!inner.empty() && inner[0] >= '1' && inner[0] <= '9') {
      const size_t n = static_cast<size_t>(inner[0] - '1');
      if (n < c.values.size()) out += modified(c.values[n], inner.size() > 1 ? inner[1] : ' ');
    }
    i = close;
  }
  return out;
}

// UTF-8 safe cut to the length a result value is read with.
std::string bounded(std::string v) {
  if (v.size() <= kMaxValue) return v;
  size_t cut = kMaxValue;
  while (cut > 0 && (static_cast<unsigned char>(v[cut]) & 0xC0) == 0x80) --cut;
  return v.substr(0, cut);
}

class KeyWriter {
 public:
  void put(const std::string& key, const std::string& value) {
    const auto [it, fresh] = index_.try_emplace(key, out_.size());
    if (fresh)
      out_.emplace_back(key, bounded(value));
    else
      out_[it->second].second = bounded(value);
  }
  void setting(const KeyShape& shape, const Captures& c) {
    const std::string value = fill(shape.value, c, c.interface.brief);
    put(fill(shape.key, c, c.interface.brief), value);
    if (!c.interface.full.empty()) put(fill(shape.key, c, c.interface.full), value);
  }
  std::vector<std::pair<std::string, std::string>> out_;

 private:
  std::map<std::string, size_t> index_;
};

void derive(KeyWriter& w, const std::string* header, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const std::vector<std::string> words = split_words(line);
    for (const KeyShape& shape : key_shapes()) {
      Captures c;
      if (header == nullptr
              ? !shape.section.empty()
              : shape.section.empty() || !match_words(shape.section, split_words(*header), c))
        continue;
      if (match_words(shape.line, words, c)) w.setting(shape, c);
    }
  }
}

std::string line_of(const Section& s, std::string_view setting) {
  for (const std::string& l : s.lines)
    if (l.starts_with(setting)) return l.substr(setting.size());
  return "";
}

std::string ip_brief(const Device& dev) {
  std::string out = "Interface            IP address                       Status\n";
  for (const Section& s : dev.sections) {
    if (!s.header.starts_with("interface ")) continue;
    std::string address = line_of(s, "ip address ");
    if (address.empty()) address = "unassigned";
    const bool down = std::find(s.lines.begin(), s.lines.end(), "shutdown") != s.lines.end();
    std::string name = s.header.substr(10);
    name.resize(std::max<size_t>(name.size() + 1, 21), ' ');
    address.resize(std::max<size_t>(address.size() + 1, 33), ' ');
    out += name + address + (down ? "administratively down" : "up") + "\n";
  }
  return out;
}

std::string vlan_brief(const Device& dev) {
  std::string out = "VLAN Name                             Ports\n1    default\n";
  for (const Section& s : dev.sections) {
    if (!s.header.starts_with("vlan ")) continue;
    std::string id = s.header.substr(5), ports;
    for (const Section& i : dev.sections)
      if (line_of(i, "switchport access vlan ") == id)
        ports += (ports.empty() ? "" : ", ") + i.header.substr(10);
    std::string name = line_of(s, "name ");
    id.resize(std::max<size_t>(id.size() + 1, 5), ' ');
    name.resize(std::max<size_t>(name.size() + 1, 33), ' ');
    out += id + name + ports + "\n";
  }
  return out;
}

// The configured settings of the interface a show command names, if the model has it.
std::string interface_settings(const Device& dev, const std::vector<std::string>& words) {
  for (const std::string& w : words) {
    InterfaceName n;
    std::string joined = w;
    joined.erase(std::remove(joined.begin(), joined.end(), ' '), joined.end());
    if (!interface_name(joined, n)) continue;
    for (const Section& s : dev.sections)
      if (lower(s.header) == lower("interface " + n.full)) {
        std::string out = n.full + " is configured with:\n";
        for (const std::string& l : s.lines) out += " " + l + "\n";
        return out;
      }
    return n.full + " has no settings beyond its defaults.\n";
  }
  return "";
}

}  // namespace

std::string running_config(const Device& dev) {
  std::string out = "Current configuration:\n!\nhostname " + dev.hostname + "\n!\n";
  for (const std::string& l : dev.global)
    if (!l.starts_with("hostname ")) out += l + "\n";
  for (const Section& s : dev.sections) {
    out += "!\n" + s.header + "\n";
    for (const std::string& l : s.lines) out += " " + l + "\n";
  }
  return out + "!\nend\n";
}

std::string priv_output(const Device& dev, const Pattern& p,
                        const std::vector<std::string>& words) {
  const std::string text = [&] {
    std::string t;
    for (const std::string& w : words) t += (t.empty() ? "" : " ") + w;
    return t;
  }();
  if (text == "show running-config") return running_config(dev);
  if (text == "show ip interface brief") return ip_brief(dev);
  if (text == "show vlan brief") return vlan_brief(dev);
  if (text == "copy running-config startup-config") return "The running configuration is saved.\n";
  if (text == "erase startup-config") return "The saved configuration is erased.\n";
  if (p.words[0] != "show")
    return "The simulator carries no traffic, so there is nothing to report.\n";
  if (std::string s = interface_settings(dev, words); !s.empty()) return s;
  return "The simulator does not keep what this command shows; \"show running-config\" lists "
         "the configuration.\n";
}

std::vector<std::pair<std::string, std::string>> state_keys(const Device& dev) {
  KeyWriter w;
  std::vector<std::string> global = dev.global;
  global.insert(global.begin(), "hostname " + dev.hostname);
  derive(w, nullptr, global);
  for (const Section& s : dev.sections) {
    derive(w, &s.header, s.lines);
  }
  return w.out_;
}

std::string Console::result_ini() const {
  std::string out = "[general]\r\n";
  for (const std::string& k : dev_.executed) out += k + "=true\r\n";
  if (!dev_.last_config.empty()) out += "command=" + bounded(dev_.last_config) + "\r\n";
  for (const auto& [k, v] : state_keys(dev_)) out += k + "=" + v + "\r\n";
  return out;
}

}  // namespace pv::sim
