// The question types a bank record may store. The generator (tools/bankgen) writes a
// record's type as its index in this list and the load stores the name, so both read the
// one list.
#pragma once

#include <array>
#include <string_view>

namespace pv::banks {

inline constexpr std::array<std::string_view, 3> kTypeNames = {"single_answer", "multi_answer",
                                                               "fill_in_the_blank"};

}  // namespace pv::banks
