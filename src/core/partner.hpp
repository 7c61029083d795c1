// The partner editions: which partner installed the product, and the picture and caption
// the one partner with its own artwork shows in the setup window and the study saver.
#pragma once

namespace pv {

struct System;

// The partner whose edition shows its picture and names the study-saver tab.
inline constexpr const char* kPicturePartner = "wux";
inline constexpr const char* kPartnerPicture = "wux_partner.jpg";
inline constexpr const char* kPartnerSaverCaption = "WUX Study Saver";

// Looks in the product's setup log for a partner code followed by "_" and marks the
// partner edition. Failing statements are skipped.
void detect_partner_edition(System& sys);

}  // namespace pv
