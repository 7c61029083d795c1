#include "core/about1.hpp"

#include "core/documents.hpp"
#include "core/layout.hpp"
#include "platform/errors.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

constexpr float kClientWidth = 6090;
constexpr float kClientHeight = 4455;

void set_notice_font(Label& l, float size, bool bold) {
  l.font.name = "Times New Roman";
  l.font.size = size;
  l.font.bold = bold;
  l.back_style = 0;
  l.word_wrap = true;
}

// A partner's support address goes into the link as it was read, blanks and all; only
// what would end the address or start another field of the link is escaped.
std::string partner_address(const std::string& address) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : address) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '?' || c == '&' || c == '#' || c == '%' || c < 0x20 || c == 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace

About1::About1(System& system) : SystemForm(system, "About1") {
  border_style = vbFixedSingle;
  min_button = false;
  max_button = false;
  design(0, 0, kClientWidth + 2 * frame_width(), kClientHeight + 2 * frame_width() + title_height(),
         "About Daza Vevade for Pelma Books");

  Command1.caption = "&Close";
  Command1.is_default = true;
  Command1.move(4920, 4020, 1095, 375);
  Frame1.caption = "";
  Frame1.move(5, -60, 6075, 4515);
  hmi_about_exit.caption = "E&xit";
  hmi_about_exit.move(4200, 4500, 735, 315);
  Label5.caption =
      std::string("Technical support and all other inquiries should be directed to:  ") +
      kPublisherSite + " ";
  Label5.move(240, 2700, 5535, 555);
  set_notice_font(Label5, 9.75f, true);
  Label4.caption =
      "Warning:  Using this program means that you accept the terms of its end-user license "
      "agreement. The program and its content are provided as they are, without warranty of "
      "any kind; you use them at your own risk.";
  Label4.move(240, 3300, 5535, 615);
  set_notice_font(Label4, 9, false);
  Label3.caption =
      "Parts of the question content are the property of Pelma Books and of the certification "
      "vendor whose exam they prepare for, and are used with permission. All other rights "
      "are reserved by their owners.";
  Label3.move(240, 1860, 5535, 795);
  set_notice_font(Label3, 9, false);
  Label2.caption =
      "Daza Vevade test engine, Pelma Books edition. Copyright Velto Software. All rights "
      "reserved. The test engine and its content are protected by copyright law; "
      "reproduction or distribution of any part of them without permission is prohibited. "
      "These practice tests are made for use with the study books of Pelma Books.";
  Label2.move(240, 360, 5535, 1455);
  set_notice_font(Label2, 9, false);
  Command3.caption = "&E-Mail Support";
  Command3.move(60, 4980, 1695, 375);
  for (Control* c :
       std::initializer_list<Control*>{&hmi_about_exit, &Label5, &Label4, &Label3, &Label2})
    c->container = &Frame1;

  add_all(Command1, Frame1, hmi_about_exit, Label5, Label4, Label3, Label2, Command3);
  Command1.on_click = [this] { Command1_Click(); };
  hmi_about_exit.on_click = [this] { hmi_about_exit_Click(); };
  Command3.on_click = [this] { Command3_Click(); };
}

void About1::Form_Load() {
  skip([&] { Frame1.visible = true; });
  skip([&] { center_form(*this); });
  skip([&] { refresh(); });
}

void About1::Command1_Click() {
  hide();
  unload();
}

void About1::hmi_about_exit_Click() {
  hide();
  unload();
}

void About1::Command3_Click() {
  // 1. The maker's address, or the partner's when it names one.
  std::string address;
  skip([&] {
    address = kSupportAddress;
    if (g.oem_mode == 1 && !trim(g.oem_support_address).empty())
      address = partner_address(g.oem_support_address);
  });
  // 2. The link; the values go in as they are.
  std::string link;
  skip([&] {
    link = "mailto:" + address + "?subject=Assistance Requested";
    link += "&BODY=Place question or comment here:";
    for (int i = 0; i < 6; ++i) link += "%0d%0a";
    link += "Test_Name=" + g.test_title + "%0d%0a";
    link += "Version:   " + g.product_version + "   Check for new versions regularly." + "%0d%0a";
    link += "Part_Number=" + g.part_number + "%0d%0a";
  });
  // 3. Open it.
  skip([&] { shell_open(sys, *this, link, 1); });
}

}  // namespace pv
