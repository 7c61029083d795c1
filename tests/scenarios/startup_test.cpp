// The start-up sequence and the start window, driven as the runtime and a user do.
#include <gtest/gtest.h>

#include <tuple>

#include "core/layout.hpp"
#include "core/welcome.hpp"
#include "studysaver/security.hpp"
#include "support/file_size_limit.hpp"
#include "support/test_program.hpp"

namespace pv {
namespace {

using testing::TestProgram;

const char* kUnknownProduct =
    "Please Run the Practice Test from the Start Menu at Programs->Pelma Books->Pelma KWEL Test.";

// A picture file the start window can load as the product's cover.
void install_cover(TestProgram& t, const std::string& name) {
  t.program_folder.write(name,
                         std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x03\x16\0\0\x04\x0a", 24));
}

TEST(StartUp, ProductGudarShowsTheStartWindowAtItsFixedSize) {
  TestProgram t("46000");
  install_cover(t, "GUDAR_front_cover.jpg");
  t.start();
  Welcome* w = t.loaded<Welcome>();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"Welcome"});
  EXPECT_EQ(w->caption(), "");
  EXPECT_EQ(w->width(), 5925);
  EXPECT_EQ(w->height(), 7800);
  EXPECT_EQ(w->back_color(), rgb(255, 204, 0));
  EXPECT_EQ(w->Image3.picture, t.program_folder.path() + "GUDAR_front_cover.jpg");
  EXPECT_EQ(w->Image3.width, 5925);
  EXPECT_EQ(w->Image3.height, 7800);
  EXPECT_EQ(w->Image4[0].left, 4740);
  EXPECT_EQ(w->Image4[0].top, 5580);
  EXPECT_EQ(w->Image4[2].left, 4740);
  EXPECT_EQ(w->Image4[2].top, 6960);
  EXPECT_EQ(w->Label8.left, 4740);
  EXPECT_FALSE(w->Start_Quiz.visible);
  EXPECT_FALSE(w->Image1.visible);
  EXPECT_TRUE(w->Image4[0].visible);
  // Centred on the 1920 x 1080 pixel screen.
  EXPECT_EQ(w->left(), (28800 - 5925) / 2.0f);
  EXPECT_EQ(w->top(), (16200 - 7800) / 2.0f);
  EXPECT_EQ(t.forms().find<loading>(), nullptr);
  EXPECT_TRUE(t.dialogs->messages.empty());
  EXPECT_EQ(t.error_log(), "");

  Shared& g = t.g();
  EXPECT_EQ(g.app_folder, t.program_folder.path());
  EXPECT_EQ(g.product_id, "46000");
  EXPECT_EQ(g.part_number, "46000");
  EXPECT_EQ(g.data_file_base, "pb_gudar");
  EXPECT_EQ(g.feedback_cc, "qc_pb_gudar@pelmabooks.example");
  EXPECT_EQ(g.media_folder, t.program_folder.path() + "pb_gudar/");
  EXPECT_EQ(g.questions[1].Number, 1);
  EXPECT_EQ(g.questions[900].Number, 900);
  EXPECT_EQ(g.questions[901].Number, 0);
  EXPECT_EQ(g.questions[0].Number, 0);
  EXPECT_EQ(g.questions_to_ask, g.question_count / 4);
  EXPECT_EQ(g.study_saver_mode, 0);
  EXPECT_EQ(g.oem_mode, 0);
  EXPECT_EQ(t.current.read("file.wrt"), "TEST\r\n");
  EXPECT_EQ(t.sys().screen.mouse_pointer, vbDefault);
}

TEST(StartUp, AQuarterOfTheChosenBankIsAsked) {
  for (auto [bank, count, ask] : {std::tuple{0, 242, 60}, {3, 350, 87}, {2, 108, 27}}) {
    TestProgram t("46000");
    t.g().chosen_bank = static_cast<int16_t>(bank);
    t.start();
    EXPECT_EQ(t.g().question_count, count);
    EXPECT_EQ(t.g().questions_to_ask, ask);
  }
}

TEST(StartUp, FlashCardProductGetsItsOwnSizeEvenAtAnotherDensity) {
  for (int ppi : {96, 120}) {
    TestProgram t("46008", ppi);
    t.start();
    Welcome* w = t.loaded<Welcome>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->width(), 5270) << ppi;
    EXPECT_EQ(w->height(), 8140) << ppi;
    EXPECT_EQ(w->Image4[0].left, 4085) << ppi;
    EXPECT_EQ(w->Image4[2].left, 4085) << ppi;
    EXPECT_EQ(w->Image4[0].top, 5920) << ppi;
    EXPECT_EQ(w->Image4[2].top, 7300) << ppi;
  }
}

TEST(StartUp, AtAHigherDensityControlsAndFontsAreRescaled) {
  TestProgram t("46000", 120);
  t.start();
  Welcome* w = t.loaded<Welcome>();
  ASSERT_NE(w, nullptr);
  // Hidden buttons keep the rescaled size; fonts of 8 points or less become Small Fonts.
  EXPECT_EQ(w->About.width, 1215 / 1.25f);
  EXPECT_EQ(w->About.font.name, "MS Sans Serif");  // 8.25 points is above the limit
  EXPECT_FLOAT_EQ(w->About.font.size, 6.6f);
  // The resize rule still holds the window and re-anchors the picture buttons.
  EXPECT_EQ(w->width(), 5925);
  EXPECT_EQ(w->Image4[0].left, 4740);
}

TEST(StartUp, ScaleForDpiTurnsSmallFontsIntoSmallFonts) {
  TestProgram t("46000", 120);
  t.start();
  Welcome& w = *t.loaded<Welcome>();
  w.Label1.font.size = 8;
  w.Label1.width = 1500;
  // A second start-up run (a reload of the window) scales a fresh window again.
  scale_for_dpi(w, t.sys().screen);
  EXPECT_EQ(w.Label1.font.name, "Small Fonts");
  EXPECT_FLOAT_EQ(w.Label1.font.size, 6.4f);
  EXPECT_EQ(w.Label1.width, 1200);
}

TEST(StartUp, CommandLinesSelectTheProductOrShowTheMessageTwice) {
  for (const char* line : {"46000", "  46000  ", "p46000", "pa46000a"}) {
    TestProgram t(line);
    t.start();
    EXPECT_EQ(t.g().product_id, "46000") << line;
    EXPECT_TRUE(t.dialogs->messages.empty()) << line;
  }
  for (const char* line : {"AAAA46000", "A46000", "46001", "", "46009", "4600O"}) {
    TestProgram t(line);
    t.start();
    ASSERT_EQ(t.dialogs->messages.size(), 2u) << line;
    for (const auto& m : t.dialogs->messages) {
      EXPECT_EQ(m.text, kUnknownProduct);
      EXPECT_EQ(m.title, "Prepvant");
      EXPECT_EQ(m.style, vbOKOnly);
    }
    EXPECT_EQ(t.g().product_id, "") << line;
    EXPECT_EQ(t.g().data_file, "pb_trov.dat");
    EXPECT_EQ(t.g().question_count, 0);
    EXPECT_EQ(t.g().questions_to_ask, 0);
    EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"Welcome"}) << line;
    EXPECT_EQ(t.loaded<Welcome>()->width(), 5925);
    EXPECT_EQ(t.loaded<Welcome>()->height(), 7800);
  }
}

TEST(StartUp, TheSaverPrefixStartsTheFullScreenStudySaver) {
  TestProgram t("aaaa46000");
  t.start();
  EXPECT_EQ(t.g().study_saver_mode, 1);
  EXPECT_EQ(t.g().product_id, "46000");
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"Security"});
  Welcome* w = t.loaded<Welcome>();
  ASSERT_NE(w, nullptr);  // loaded and hidden
  EXPECT_FALSE(w->visible());
  Security* s = t.loaded<Security>();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->width(), t.sys().screen.width());
  EXPECT_LT(t.sys().screen.cursor_count(), 0);
}

TEST(StartUp, PartnerFileDecidesTheOemMode) {
  struct Case {
    std::string content;
    int16_t oem_mode;
    std::string edition, address;
    bool logged;
  };
  for (const Case& c : std::vector<Case>{
           {"ED1\r\n  velto \r\n", 0, "ED1", "  velto ", false},
           {"ED2\r\nVELTO", 0, "ED2", "VELTO", false},
           {"ED3\r\nhelp@partner.example\r\n", 1, "ED3", "help@partner.example", false},
           {"ED4\r\n", 1, "ED4", "", true},
           {"", 1, "", "", true},
       }) {
    TestProgram t("46000");
    t.current.write("oem.oem", c.content);
    t.start();
    EXPECT_EQ(t.g().oem_mode, c.oem_mode) << c.content;
    EXPECT_EQ(t.g().edition_code, c.edition) << c.content;
    EXPECT_EQ(t.g().oem_support_address, c.address) << c.content;
    EXPECT_EQ(t.error_log().find("Welcome.frm62 - Input past end of file - ") != std::string::npos,
              c.logged)
        << c.content;
  }
}

TEST(StartUp, SetupLogMarksAPartnerEdition) {
  struct Case {
    std::string log;
    int16_t partner;
    std::string edition;
  };
  for (const Case& c : std::vector<Case>{
           {"installed by WUX_setup 2.1\r\n", vbTrue, "wux"},
           {"line one\r\nnlq_x and wux_y\r\n", vbTrue, "nlq"},
           {"wux_y then nlq_x\r\n", vbTrue, "nlq"},  // the earlier code of the list wins
           {"wux without underscore\r\n", vbFalse, "OEMCODE"},
           {"", vbFalse, "OEMCODE"},
       }) {
    TestProgram t("46000");
    t.current.write("oem.oem", "OEMCODE\r\nvelto\r\n");
    t.program_folder.write("pb_gudar.log", c.log);
    t.start();
    EXPECT_EQ(t.g().is_partner_edition, c.partner) << c.log;
    EXPECT_EQ(t.g().edition_code, c.edition) << c.log;
  }
  TestProgram none("46000");
  none.start();
  EXPECT_EQ(none.g().is_partner_edition, vbFalse);
  EXPECT_EQ(none.g().edition_code, "");
}

TEST(StartUp, ErrorsAreLoggedAndTheSequenceGoesOn) {
  TestProgram t("46000");  // no cover picture beside the program
  t.start();
  EXPECT_EQ(t.error_log(),
            "12/9/2026 4:16:33 AM - Welcome form load() - Welcome.frm53 - File not found - \r\n");
  Welcome* w = t.loaded<Welcome>();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->visible());
  EXPECT_EQ(w->Image3.picture, t.program_folder.path() + kDefaultCoverPicture);
}

TEST(StartUp, AReadOnlyFolderGivesTheFilePermissionsMessage) {
  TestProgram t("46000");
  t.files->deny_writes_in(t.current.path());
  t.start();
  ASSERT_EQ(t.dialogs->messages.size(), 1u);
  EXPECT_EQ(t.dialogs->messages[0].title, "File Permissions");
  EXPECT_EQ(t.dialogs->messages[0].text,
            "You do not appear to have file system permissions.  Please log off and log on as "
            "administrator.");
  EXPECT_EQ(t.dialogs->messages[0].style, vbOKOnly);
  EXPECT_FALSE(t.current.exists("file.wrt"));
  EXPECT_FALSE(t.current.exists("error.log"));  // the log could not be written either
  EXPECT_TRUE(t.loaded<Welcome>()->visible());
}

// On a full disk the probe file is made but its line is not written.
TEST(StartUp, AProbeLeftEmptyByAFullDiskGivesTheFilePermissionsMessage) {
  TestProgram t("46000");
  {
    testing::FileSizeLimit full(0);
    t.start();
  }
  ASSERT_EQ(t.dialogs->messages.size(), 1u);
  EXPECT_EQ(t.dialogs->messages[0].title, "File Permissions");
  EXPECT_FALSE(t.current.exists("file.wrt"));  // the next start probes again
  EXPECT_TRUE(t.loaded<Welcome>()->visible());
}

TEST(StartUp, AnExistingWriteProbeIsLeftAlone) {
  TestProgram t("46000");
  t.current.write("file.wrt", "old");
  t.start();
  EXPECT_EQ(t.current.read("file.wrt"), "old");
}

// A probe left from an earlier start: no box, but a folder that can no longer be written,
// full or read-only, is logged at once, and a log that is lost too is noticed.
TEST(StartUp, AFolderNoLongerWritableBesideAnOldProbeIsNoticed) {
  enum class Folder { Writable, ReadOnly, Full };
  for (const Folder folder : {Folder::Writable, Folder::ReadOnly, Folder::Full}) {
    TestProgram t("46000");
    t.current.write("file.wrt", "TEST\r\n");
    std::vector<std::string> notices;
    t.program->error_log().report_loss_to(
        [&](const std::string& text) { notices.push_back(text); });
    if (folder == Folder::ReadOnly) t.files->deny_writes_in(t.current.path());
    {
      testing::FileSizeLimit full(folder == Folder::Full ? 0 : RLIM_INFINITY);
      t.start();
    }
    EXPECT_TRUE(t.dialogs->messages.empty());
    EXPECT_EQ(t.current.read("file.wrt"), "TEST\r\n");
    EXPECT_FALSE(t.current.exists(".file.wrt.probe"));
    EXPECT_EQ(notices.size(), folder == Folder::Writable ? 0u : 1u);
    if (folder == Folder::Writable) {
      EXPECT_EQ(t.error_log().find("Welcome.frm75"), std::string::npos) << t.error_log();
    }
    EXPECT_TRUE(t.loaded<Welcome>()->visible());
  }
}

TEST(StartWindow, ItsSizeIsRestoredAfterEveryResize) {
  TestProgram t("46000");
  t.start();
  Welcome& w = *t.loaded<Welcome>();
  w.set_width(3000);
  EXPECT_EQ(w.width(), 5925);
  w.set_height(9000);
  EXPECT_EQ(w.height(), 7800);
  EXPECT_EQ(w.Image3.height, 7800);
  EXPECT_EQ(w.Image4[2].top, 6960);
}

TEST(StartWindow, ClicksOnTheCoverOrThePanelDoNothing) {
  TestProgram t("46000");
  t.start();
  Welcome& w = *t.loaded<Welcome>();
  t.click(w.Image3);
  t.click(w.Label8);
  t.click(w.Image4[1]);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"Welcome"});
  EXPECT_FALSE(t.program->ended());
}

}  // namespace
}  // namespace pv
