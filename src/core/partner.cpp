#include "core/partner.hpp"

#include <array>

#include "core/system.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"

namespace pv {

// The newsletter partner, wux, and the third partner, in the order they are tested.
inline constexpr std::array<const char*, 3> kPartnerCodes = {"nlq", "wux", "tpk"};

void detect_partner_edition(System& sys) {
  Shared& g = sys.g;
  std::string log_path;
  skip([&] { log_path = sys.files.program_folder() + replace(g.data_file, ".dat", ".log"); });
  g.is_partner_edition = vbFalse;
  bool exists = false;
  skip([&] { exists = sys.files.exists(log_path); });
  if (!exists) return;
  std::vector<std::string> lines;
  try {
    lines = read_lines(sys.files, log_path);
  } catch (const RuntimeError&) {
    return;  // an unreadable log ends the scan
  }
  for (const std::string& line : lines) {
    const std::string lower = lcase(line);
    for (const char* code : kPartnerCodes) {
      if (lower.find(std::string(code) + "_") != std::string::npos) {
        g.is_partner_edition = vbTrue;
        g.edition_code = code;
        return;
      }
    }
  }
}

}  // namespace pv
