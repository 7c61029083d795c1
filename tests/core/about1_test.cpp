#include "core/about1.hpp"

#include <gtest/gtest.h>

#include "platform/event_loop.hpp"
#include "support/test_program.hpp"

namespace pv {
namespace {

using testing::TestProgram;

class AboutBox : public ::testing::Test {
 protected:
  AboutBox() {
    t.g().test_title = "Pelma Books GUDAR";
    t.g().product_version = "5.31";
    t.g().part_number = "46000";
  }
  // Shows the box modally; `act` is what the user does while it waits.
  void show_and(const std::function<void(About1&)>& act) {
    t.program->loop().idle = [this, act] {
      About1* box = t.loaded<About1>();
      ASSERT_NE(box, nullptr);
      act(*box);
    };
    t.program->dispatch([this] { t.forms().get<About1>().show(true); });
    t.program->loop().idle = nullptr;
  }
  std::string link_for_support() {
    show_and([this](About1& box) {
      t.click(box.Command3);
      t.click(box.Command1);
    });
    EXPECT_EQ(t.shell->opened.size(), 1u);
    return t.shell->opened.empty() ? "" : t.shell->opened.back().target;
  }
  TestProgram t;
};

const std::string kBody =
    "?subject=Assistance Requested&BODY=Place question or comment "
    "here:%0d%0a%0d%0a%0d%0a%0d%0a%0d%0a%0d%0aTest_Name=Pelma Books GUDAR%0d%0aVersion:   5.31   "
    "Check for new versions regularly.%0d%0aPart_Number=46000%0d%0a";

TEST_F(AboutBox, LooksAsDescribed) {
  show_and([this](About1& box) {
    EXPECT_EQ(box.caption(), "About Daza Vevade for Pelma Books");
    EXPECT_EQ(box.client_width(), 6090);
    EXPECT_EQ(box.client_height(), 4455);
    EXPECT_TRUE(box.visible());
    EXPECT_TRUE(box.modal);
    EXPECT_EQ(box.Command1.caption, "&Close");
    EXPECT_TRUE(box.Command1.is_default);
    EXPECT_EQ(box.hmi_about_exit.caption, "E&xit");
    EXPECT_EQ(box.Command3.caption, "&E-Mail Support");
    EXPECT_EQ(box.Label5.caption,
              "Technical support and all other inquiries should be directed to:  "
              "www.pelmabooks.example ");
    EXPECT_EQ(box.Label4.caption.rfind("Warning:  ", 0), 0u);
    t.click(box.Command1);
  });
  EXPECT_EQ(t.loaded<About1>(), nullptr);
  EXPECT_TRUE(t.shell->opened.empty());
}

TEST_F(AboutBox, ExitClosesTooAndEveryShowingLoadsAgain) {
  show_and([this](About1& box) { t.click(box.hmi_about_exit); });
  EXPECT_EQ(t.loaded<About1>(), nullptr);
  show_and([this](About1& box) { t.click(box.Command1); });
  EXPECT_EQ(t.loaded<About1>(), nullptr);
}

TEST_F(AboutBox, MakersAddressWithoutPartner) {
  t.g().oem_mode = 0;
  t.g().oem_support_address = "help@partner.example";
  EXPECT_EQ(link_for_support(), "mailto:support@pelmabooks.example" + kBody);
  EXPECT_EQ(t.shell->opened.back().parent, "About1");
  EXPECT_EQ(t.shell->opened.back().show, 1);
}

TEST_F(AboutBox, PartnerAddressKeepsItsBlanks) {
  t.g().oem_mode = 1;
  t.g().oem_support_address = "  help@partner.example ";
  EXPECT_EQ(link_for_support(), "mailto:  help@partner.example " + kBody);
}

TEST_F(AboutBox, BlankPartnerAddressFallsBackToTheMakers) {
  t.g().oem_mode = 1;
  t.g().oem_support_address = "   ";
  EXPECT_EQ(link_for_support(), "mailto:support@pelmabooks.example" + kBody);
}

TEST_F(AboutBox, PartnerAddressCannotAddFieldsToTheLink) {
  t.g().oem_mode = 1;
  t.g().oem_support_address = "a@b.example?cc=x&bcc=y#z%\r";
  EXPECT_EQ(link_for_support(), "mailto:a@b.example%3Fcc=x%26bcc=y%23z%25%0D" + kBody);
}

TEST_F(AboutBox, ValuesGoInUnescaped) {
  t.g().test_title = "GUDAR & More";
  const std::string link = link_for_support();
  EXPECT_NE(link.find("Test_Name=GUDAR & More%0d%0a"), std::string::npos);
}

}  // namespace
}  // namespace pv
