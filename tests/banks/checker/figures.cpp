#include "banks/checker/figures.hpp"

namespace pv::bankcheck {

std::vector<int> records(int first, int last) {
  std::vector<int> out;
  for (int r = first; r <= last; ++r) out.push_back(r);
  return out;
}

std::vector<int> joined(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> out;
  for (const std::vector<int>& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::string report(const std::vector<std::string>& failures) {
  std::string out;
  for (const std::string& f : failures) out += f + "\n";
  return out;
}

}  // namespace pv::bankcheck
