#pragma once

namespace pv {

struct System;

// Looks in the product's setup log for a partner code followed by "_" and marks the
// partner edition. Failing statements are skipped.
void detect_partner_edition(System& sys);

}  // namespace pv
