// The documented figures of the WOB book bank, PB_WOB_Pelma. The full exam repeats its
// records 1 to 179 unchanged, so what it documents for them is checked here too.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

namespace {

const std::vector<int> kTwoAnswers = {126, 128, 131, 135, 137, 140, 148, 149,
                                      152, 154, 160, 163, 164, 175, 178};
const std::vector<int> kFourSingle = {14, 20, 21, 26, 28, 36, 37, 38,  39, 43,
                                      50, 54, 60, 84, 89, 92, 94, 102, 104};
const std::vector<int> kFourMulti = {33, 35, 40, 96, 97, 99, 105, 171, 173};

// Every record whose answers or flags differ from five answers and the usual flags of its
// kind (one for single choice, two for multiple choice).
std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  for (int r : kTwoAnswers) out.push_back({.record = r, .kind = K::single, .answers = 2});
  for (int r : kFourSingle) out.push_back({.record = r, .kind = K::single, .answers = 4});
  for (int r : kFourMulti) out.push_back({.record = r, .kind = K::multi, .answers = 4});
  out.push_back({.record = 34, .kind = K::single, .answers = 6, .flags = 1});
  for (int r : {44, 106, 136, 150})
    out.push_back({.record = r, .kind = K::multi, .answers = 6, .flags = 4});
  out.push_back({.record = 139, .kind = K::multi, .answers = 6, .flags = 5});
  out.push_back({.record = 123, .kind = K::multi, .answers = 5, .flags = 4});
  for (int r : {30,  32,  59,  81,  111, 115, 118, 120, 121, 122, 130,
                134, 143, 145, 146, 151, 155, 162, 169, 172, 174})
    out.push_back({.record = r, .kind = K::multi, .flags = 3});
  out.push_back({.record = 174, .category = 16});
  return out;
}

// Every reference but that of record 174 is a page, "##" and a section title.
Section titled_references(int first, int last) {
  return {.first = first, .last = last, .references = ReferenceForm::page_and_title};
}

}  // namespace

// The records typed multi_answer, which the full exam repeats under the same numbers.
const std::vector<int>& wob_book_multi_answer() {
  static const std::vector<int> list = joined({{6, 7, 17, 18, 19, 22, 23, 27},
                                               records(30, 33),
                                               {35, 40, 44, 47, 51, 53, 55, 59, 63, 70, 76},
                                               records(78, 82),
                                               {86, 90},
                                               records(96, 100),
                                               {103, 105, 106, 107, 111, 114, 115, 117, 118},
                                               records(120, 125),
                                               {129, 130, 132, 134, 136, 139, 143, 145, 146, 147,
                                                150, 151, 155, 156, 157, 159, 162, 165, 169},
                                               records(171, 174)});
  return list;
}

const BankFigures& wob_pelma_figures() {
  static const BankFigures figures{
      .module = "PB_WOB_Pelma",
      .description = "Pelma Books Questions for the WOB book.",
      .title = "FYRD - WOB",
      .version = "5.45",
      .stores_feedback_address = false,
      .question_count = 179,
      .category_count = 16,
      // The book's chapter titles, which the CD-ROM bank and the full exam repeat.
      .categories = {.names = {{1, "A Structured Troubleshooting Method"},
                               {2, "Documentation, Baselines and Change Control"},
                               {3, "Troubleshooting Tools and Commands"},
                               {4, "Cabling and Physical Layer Faults"},
                               {5, "Ethernet and Switch Port Faults"},
                               {6, "VLAN and Trunk Faults"},
                               {7, "Spanning Tree Faults"},
                               {8, "EtherChannel and First-Hop Redundancy Faults"},
                               {9, "IPv4 Addressing and DHCP Faults"},
                               {10, "IPv6 Addressing and Neighbor Discovery Faults"},
                               {11, "Static Routing and EIGRP Faults"},
                               {12, "OSPF Faults"},
                               {13, "BGP Faults"},
                               {14, "Redistribution and Route Filtering Faults"},
                               {15, "Access Lists, NAT and Network Services Faults"},
                               {16, "Management, Security and Performance Faults"}}},
      .sections =
          {{
               .first = 1,
               .last = 179,
               .kinds =
                   {{K::single, 106, {{2, 15}, {4, 19}, {5, 71}, {6, 1}}, {{1, 106}}},
                    {K::multi, 73, {{4, 9}, {5, 59}, {6, 5}}, {{2, 46}, {3, 21}, {4, 5}, {5, 1}}}},
               .exactly = {{P::typed_multi_answer, K::any, wob_book_multi_answer()},
                           {P::typed_single_answer, K::multi, {}},
                           {P::typed_fill_in_the_blank, K::any, {}},
                           {P::reference_empty, K::any, {174}},
                           {P::has_explanation, K::any, {}},
                           {P::has_clue, K::any, {}},
                           {P::has_picture, K::any, {}},
                           {P::has_exhibit, K::any, {}},
                           {P::has_lab, K::any, {}},
                           {P::question_has_markup, K::any, {}},
                           {P::answer_has_markup, K::any, {}},
                           {P::has_entity, K::any, {}},
                           {P::has_cr_or_lf, K::any, {}}},
               .bounds = {{M::page, K::any, 49, 323}},
               // category, records, count, multi-answer, five or six answers, explained, pages
               .runs = {{1, 1, 12, 12, 2, 12, 0, 49, 54},
                        {2, 13, 22, 10, 4, 7, 0, 63, 70},
                        {3, 23, 33, 11, 6, 8, 0, 79, 90},
                        {4, 34, 44, 11, 3, 4, 0, 103, 111},
                        {5, 45, 54, 10, 3, 8, 0, 121, 124},
                        {6, 55, 64, 10, 3, 9, 0, 134, 137},
                        {7, 65, 74, 10, 1, 10, 0, 146, 150},
                        {8, 75, 85, 11, 6, 10, 0, 159, 163},
                        {9, 86, 97, 12, 4, 7, 0, 171, 177},
                        {10, 98, 109, 12, 7, 8, 0, 190, 198},
                        {11, 110, 123, 14, 9, 14, 0, 210, 220},
                        {12, 124, 132, 9, 5, 6, 0, 231, 238},
                        {13, 133, 142, 10, 3, 7, 0, 249, 260},
                        {14, 143, 154, 12, 6, 8, 0, 269, 282},
                        {15, 155, 169, 15, 7, 12, 0, 296, 309},
                        {16, 170, 179, 10, 4, 6, 0, 319, 323}},
               // Some texts quote with typographic quotation marks, and no other character
               // beyond ASCII occurs.
               .characters_beyond_ascii = {{0x201C, 0x201D}},
           },
           titled_references(1, 173),
           titled_references(175, 179)},
      .records = telling_records(),
  };
  return figures;
}

TEST(WobPelmaBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(wob_pelma_figures())), "");
}

}  // namespace pv::bankcheck
