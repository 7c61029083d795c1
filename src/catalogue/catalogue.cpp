#include "catalogue/catalogue.hpp"

#include <array>

#include "banks/registry.hpp"
#include "core/program_name.hpp"
#include "core/system.hpp"
#include "platform/dialogs.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

struct Product {
  const char* code;
  std::array<const char*, 3> tests;
  std::array<const char*, 3> descriptions;
  const char* data_file;
  const char* cover_picture;
  const char* photo;
  const char* program_file;  // nullptr: none
  const char* book_pdf;      // book PDF name (the flash cards: the VARB half)
  const char* second_pdf;    // the flash cards' SOLK half, else nullptr
  bool book_pdf_per_test;    // without a second half: every test's PDF is the book PDF
  std::array<const char*, 3> banks;
};

constexpr const char* kD1 = "Chapter-opening multiple-choice questions from the book.";
constexpr const char* kD3 = "A complete exam, which includes all book and CD-ROM questions.";

// Book numbers are this project's own.
constexpr std::array<Product, 8> kProducts = {{
    {"46000",
     {"GUDAR Book Quiz", "GUDAR CD-ROM Quiz", "Full GUDAR Exam"},
     {"", "Includes questions from the Book and CD-ROM combined.", ""},
     "pb_gudar.dat",
     "GUDAR_front_cover.jpg",
     "GUDAR_photo.jpg",
     nullptr,
     "0460001.pdf",
     nullptr,
     false,
     {"PB_GUDAR_pelma", "PB_GUDAR_velto", "PB_GUDAR_combo"}},
    {"46002",
     {"VARB Book Questions", "VARB CD-ROM Questions", "Full VARB Exam"},
     {kD1, "Unique multiple choice, fill-in-the-blank and drag & drop questions.", kD3},
     "pb_varb.dat",
     "VARB_front_cover.jpg",
     "GUDAR_photo.jpg",
     "pb_varb.exe",
     "0460021.pdf",
     nullptr,
     true,
     {"PB_VARB_Pelma", "PB_VARB_Velto", "PB_VARB_combo"}},
    {"46003",
     {"Book Questions", "CD-ROM Questions", "Full KWEL HOLMI Exam"},
     {kD1, "Unique multiple choice, fill-in-the-blank, drag & drop, and simulation questions.",
      kD3},
     "pb_holmi.dat",
     "KWEL_HOLMI_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_holmi.exe",
     "0460031.pdf",
     nullptr,
     true,
     {"PB_HOLMI_Pelma", "PB_HOLMI_Velto", "PB_HOLMI_Combo"}},
    {"46004",
     {"Book Questions", "CD-ROM Questions", "Full KWEL ZUM Exam"},
     {kD1,
      "Unique multiple choice, fill-in-the-blank, drag-and-drop questions, and simulation "
      "questions.",
      kD3},
     "pb_zum.dat",
     "KWEL_ZUM_QOX_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_zum.exe",
     "0460041.pdf",
     nullptr,
     true,
     {"PB_ZUM_Pelma", "PB_ZUM_Velto", "PB_ZUM_Combo"}},
    {"46005",
     {"Book Questions", "CD-ROM Questions", "Full KWEL JEKO Exam"},
     {kD1, "Unique multiple choice, fill-in-the-blank, drag & drop, and simulation questions.",
      kD3},
     "pb_jeko.dat",
     "KWEL_JEKO_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_jeko.exe",
     "0460051.pdf",
     nullptr,
     true,
     {"PB_JEKO_Pelma", "PB_JEKO_Velto", "PB_JEKO_Combo"}},
    {"46006",
     {"Book Questions", "CD-ROM Questions", "Full FYRD PIRAL Exam"},
     {kD1, "Unique multiple-choice, fill-in-the-blank, drag-and-drop, and simulation questions.",
      kD3},
     "pb_piral.dat",
     "FYRD_PIRAL_QOX_Front_Cover.jpg",
     "FYRD_Photo.jpg",
     "pb_piral.exe",
     "0460061.pdf",
     nullptr,
     true,
     {"PB_PIRAL_Pelma", "PB_PIRAL_Velto", "PB_PIRAL_Combo"}},
    {"46007",
     {"Book Questions", "CD-ROM Questions", "Full FYRD WOB Exam"},
     {kD1, "Unique multiple-choice, fill-in-the-blank, drag-and-drop, and simulation questions.",
      kD3},
     "pb_wob.dat",
     "FYRD_WOB_QOX_Front_Cover.jpg",
     "FYRD_Photo.jpg",
     "pb_wob.exe",
     "0460071.pdf",
     nullptr,
     true,
     {"PB_WOB_Pelma", "PB_WOB_Velto", "PB_WOB_Combo"}},
    {"46008",
     {"VARB Questions", "SOLK Questions", ""},
     {"Unique multiple-choice, fill-in-the-blank, and drag-and-drop questions.",
      "Unique multiple-choice, fill-in-the-blank, and drag-and-drop questions.", ""},
     "pb_solk_flash.dat",
     "SOLK_Flash_Front_Cover.jpg",
     "GUDAR_photo.jpg",
     "pb_solk_flash.exe",
     "0460081_VARB.pdf",
     "0460081_SOLK.pdf",
     true,
     {"PB_SOLK_VARB", "PB_SOLK_SOLK", "PB_SOLK_VARB"}},
}};

constexpr const char* kDefaultPdf = "0460000.bookmarks.pdf";

std::string media_folder_for(const Shared& g) {
  return g.app_folder + replace(g.data_file, ".dat", "/");
}

}  // namespace

std::string product_code(const std::string& command_line) {
  std::string code;
  for (char c : trim(command_line))
    if (c != 'a' && c != 'p') code += c;
  return code;
}

std::vector<std::string> product_codes() {
  std::vector<std::string> codes;
  for (const Product& p : kProducts) codes.emplace_back(p.code);
  return codes;
}

std::vector<std::string_view> product_banks(std::string_view code) {
  for (const Product& p : kProducts)
    if (code == p.code) return {p.banks.begin(), p.banks.end()};
  return {};
}

void select_product(System& sys) {
  Shared& g = sys.g;
  g.data_file = "pb_trov.dat";
  const std::string code = product_code(sys.command_line);
  g.media_folder = media_folder_for(g);
  g.book_pdf_name = kDefaultPdf;
  g.book_pdf_path = g.app_folder + g.book_pdf_name;

  const Product* product = nullptr;
  for (const Product& p : kProducts)
    if (code == p.code) {
      product = &p;
      break;
    }
  if (product == nullptr) {
    sys.dialogs.msgbox(
        "Please Run the Practice Test from the Start Menu at Programs->Pelma Books->Pelma KWEL "
        "Test.",
        vbOKOnly, kProgramTitle);
    return;
  }

  g.feedback_address = kSalesAddress;
  g.part_number = product->code;
  g.product_id = product->code;
  for (int t = 0; t < 3; ++t) {
    if (product->tests[t][0] != '\0') {
      g.test_names[t + 1] = product->tests[t];
      g.test_titles[t + 1] = product->tests[t];
    }
    if (product->descriptions[t][0] != '\0') g.test_descriptions[t + 1] = product->descriptions[t];
  }
  g.data_file = product->data_file;
  g.media_folder = media_folder_for(g);
  g.book_pdf_name = product->book_pdf;
  g.book_pdf_path = g.app_folder + g.book_pdf_name;
  if (product->second_pdf != nullptr) {
    g.book_pdf_paths[1] = g.book_pdf_path;
    g.book_pdf_paths[2] = g.app_folder + product->second_pdf;
  } else if (product->book_pdf_per_test) {
    for (int i = 1; i <= 5; ++i) g.book_pdf_paths[i] = g.book_pdf_path;
  }
  g.cover_picture = product->cover_picture;
  g.photo_path = g.app_folder + product->photo;
  if (product->program_file != nullptr) g.program_file = product->program_file;

  int test = g.chosen_bank != 0 ? g.chosen_bank : (g.selected_quiz != 0 ? g.selected_quiz : 1);
  if (test != 2 && test != 3) test = 1;
  const std::string_view module = product->banks[static_cast<size_t>(test - 1)];
  if (const BankModule* bank = sys.bank_lookup ? sys.bank_lookup(module) : find_bank(module))
    bank->load_bank(g);
}

}  // namespace pv
