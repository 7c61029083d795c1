#include "catalogue/catalogue.hpp"

#include <gtest/gtest.h>

#include <array>

#include "support/test_program.hpp"

namespace pv {
namespace {

using testing::TestProgram;

struct Expected {
  std::string code;
  std::array<std::string, 3> tests;
  std::array<std::string, 3> descriptions;
  std::string data_file, media, cover, photo, program_file, pdf, second_pdf;
};

const std::string kD1 = "Chapter-opening multiple-choice questions from the book.";
const std::string kD3 = "A complete exam, which includes all book and CD-ROM questions.";

const std::vector<Expected> kProducts = {
    {"46000",
     {"GUDAR Book Quiz", "GUDAR CD-ROM Quiz", "Full GUDAR Exam"},
     {"", "Includes questions from the Book and CD-ROM combined.", ""},
     "pb_gudar.dat",
     "pb_gudar/",
     "GUDAR_front_cover.jpg",
     "GUDAR_photo.jpg",
     "",
     "0460001.pdf",
     ""},
    {"46002",
     {"VARB Book Questions", "VARB CD-ROM Questions", "Full VARB Exam"},
     {kD1, "Unique multiple choice, fill-in-the-blank and drag & drop questions.", kD3},
     "pb_varb.dat",
     "pb_varb/",
     "VARB_front_cover.jpg",
     "GUDAR_photo.jpg",
     "pb_varb.exe",
     "0460021.pdf",
     ""},
    {"46003",
     {"Book Questions", "CD-ROM Questions", "Full KWEL HOLMI Exam"},
     {kD1, "Unique multiple choice, fill-in-the-blank, drag & drop, and simulation questions.",
      kD3},
     "pb_holmi.dat",
     "pb_holmi/",
     "KWEL_HOLMI_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_holmi.exe",
     "0460031.pdf",
     ""},
    {"46004",
     {"Book Questions", "CD-ROM Questions", "Full KWEL ZUM Exam"},
     {kD1,
      "Unique multiple choice, fill-in-the-blank, drag-and-drop questions, and simulation "
      "questions.",
      kD3},
     "pb_zum.dat",
     "pb_zum/",
     "KWEL_ZUM_QOX_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_zum.exe",
     "0460041.pdf",
     ""},
    {"46005",
     {"Book Questions", "CD-ROM Questions", "Full KWEL JEKO Exam"},
     {kD1, "Unique multiple choice, fill-in-the-blank, drag & drop, and simulation questions.",
      kD3},
     "pb_jeko.dat",
     "pb_jeko/",
     "KWEL_JEKO_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_jeko.exe",
     "0460051.pdf",
     ""},
    {"46006",
     {"Book Questions", "CD-ROM Questions", "Full FYRD PIRAL Exam"},
     {kD1, "Unique multiple-choice, fill-in-the-blank, drag-and-drop, and simulation questions.",
      kD3},
     "pb_piral.dat",
     "pb_piral/",
     "FYRD_PIRAL_QOX_Front_Cover.jpg",
     "FYRD_Photo.jpg",
     "pb_piral.exe",
     "0460061.pdf",
     ""},
    {"46007",
     {"Book Questions", "CD-ROM Questions", "Full FYRD WOB Exam"},
     {kD1, "Unique multiple-choice, fill-in-the-blank, drag-and-drop, and simulation questions.",
      kD3},
     "pb_wob.dat",
     "pb_wob/",
     "FYRD_WOB_QOX_Front_Cover.jpg",
     "FYRD_Photo.jpg",
     "pb_wob.exe",
     "0460071.pdf",
     ""},
    {"46008",
     {"VARB Questions", "SOLK Questions", ""},
     {"Unique multiple-choice, fill-in-the-blank, and drag-and-drop questions.",
      "Unique multiple-choice, fill-in-the-blank, and drag-and-drop questions.", ""},
     "pb_solk_flash.dat",
     "pb_solk_flash/",
     "SOLK_Flash_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_solk_flash.exe",
     "0460081_VARB.pdf",
     "0460081_SOLK.pdf"},
};

void select(TestProgram& t) {
  t.program->dispatch([&t] { select_product(t.sys()); });
}

TEST(Catalogue, EveryProductGetsItsIdentityFilesAndTests) {
  for (const Expected& p : kProducts) {
    TestProgram t(p.code);
    Shared& g = t.g();
    g.app_folder = "/opt/prep/";
    select(t);
    SCOPED_TRACE(p.code);
    EXPECT_EQ(g.product_id, p.code);
    EXPECT_EQ(g.part_number, p.code);
    EXPECT_EQ(g.feedback_address, "sales@pelmabooks.example");
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(g.test_names[i + 1], p.tests[static_cast<size_t>(i)]);
      EXPECT_EQ(g.test_titles[i + 1], p.tests[static_cast<size_t>(i)]);
      EXPECT_EQ(g.test_descriptions[i + 1], p.descriptions[static_cast<size_t>(i)]);
    }
    for (int i : {0, 4, 5}) {
      EXPECT_EQ(g.test_names[i], "");
      EXPECT_EQ(g.test_descriptions[i], "");
      EXPECT_EQ(g.test_titles[i], "");
    }
    EXPECT_EQ(g.data_file, p.data_file);
    EXPECT_EQ(g.media_folder, "/opt/prep/" + p.media);
    EXPECT_EQ(g.cover_picture, p.cover);
    EXPECT_EQ(g.photo_path, "/opt/prep/" + p.photo);
    EXPECT_EQ(g.program_file, p.program_file);
    EXPECT_EQ(g.book_pdf_name, p.pdf);
    EXPECT_EQ(g.book_pdf_path, "/opt/prep/" + p.pdf);
    EXPECT_EQ(g.book_pdf_paths[0], "");
    if (p.code == "46000") {
      for (int i = 1; i <= 5; ++i) EXPECT_EQ(g.book_pdf_paths[i], "");
    } else if (p.code == "46008") {
      EXPECT_EQ(g.book_pdf_paths[1], "/opt/prep/" + p.pdf);
      EXPECT_EQ(g.book_pdf_paths[2], "/opt/prep/" + p.second_pdf);
      EXPECT_EQ(g.book_pdf_paths[3], "");
    } else {
      for (int i = 1; i <= 5; ++i) EXPECT_EQ(g.book_pdf_paths[i], "/opt/prep/" + p.pdf);
    }
    EXPECT_TRUE(t.dialogs->messages.empty());
  }
}

TEST(Catalogue, AnUnknownCodeSetsOnlyTheDefaultsAndSaysSo) {
  TestProgram t("46001");
  Shared& g = t.g();
  g.app_folder = "/opt/prep/";
  select(t);
  EXPECT_EQ(g.data_file, "pb_trov.dat");
  EXPECT_EQ(g.media_folder, "/opt/prep/pb_trov/");
  EXPECT_EQ(g.book_pdf_name, "0460000.bookmarks.pdf");
  EXPECT_EQ(g.book_pdf_path, "/opt/prep/0460000.bookmarks.pdf");
  EXPECT_EQ(g.product_id, "");
  EXPECT_EQ(g.feedback_address, "");
  EXPECT_EQ(g.test_names[1], "");
  EXPECT_EQ(g.question_count, 0);
  ASSERT_EQ(t.dialogs->messages.size(), 1u);
  EXPECT_EQ(t.dialogs->messages[0].title, "Prepvant");
}

TEST(Catalogue, TwoCallsInARowLeaveTheSameState) {
  TestProgram t("46003");
  select(t);
  const std::string first = t.g().media_folder + t.g().photo_path + t.g().book_pdf_paths[3];
  select(t);
  EXPECT_EQ(t.g().media_folder + t.g().photo_path + t.g().book_pdf_paths[3], first);
}

}  // namespace
}  // namespace pv
