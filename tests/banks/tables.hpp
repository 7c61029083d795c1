// The figure tables of every bank, one for each file banks/<exam>/<bank>.txt, defined in
// tests/banks/<exam>/<bank>_figures.cpp; and the runs and lists that a book bank and the
// full exam repeating it both document, typed once in the book's file.
#pragma once

#include <vector>

#include "banks/checker/figures.hpp"

namespace pv::bankcheck {

const BankFigures& gudar_pelma_figures();
const BankFigures& gudar_velto_figures();
const BankFigures& gudar_combo_figures();

const BankFigures& holmi_pelma_figures();
const BankFigures& holmi_velto_figures();
const BankFigures& holmi_combo_figures();

const BankFigures& jeko_pelma_figures();
const BankFigures& jeko_velto_figures();
const BankFigures& jeko_combo_figures();
// The book's chapter runs, as both the book and the full exam document them.
std::vector<CategoryRun> jeko_book_chapters();

const BankFigures& piral_pelma_figures();
const BankFigures& piral_velto_figures();
const BankFigures& piral_combo_figures();
// The book's chapter runs, records 1 to 182, as both the book and the full exam document them.
std::vector<CategoryRun> piral_book_chapters();

const BankFigures& solk_solk_figures();
const BankFigures& solk_varb_figures();

const BankFigures& varb_pelma_figures();
const BankFigures& varb_velto_figures();
const BankFigures& varb_combo_figures();
// The book's chapter runs, as both the book and the full exam document them.
std::vector<CategoryRun> varb_book_chapters();

const BankFigures& wob_pelma_figures();
const BankFigures& wob_velto_figures();
const BankFigures& wob_combo_figures();
// The book's records typed multi_answer.
const std::vector<int>& wob_book_multi_answer();

const BankFigures& zum_pelma_figures();
const BankFigures& zum_velto_figures();
const BankFigures& zum_combo_figures();
// The book's chapter runs, as both the book and the full exam document them.
std::vector<CategoryRun> zum_book_chapters();

}  // namespace pv::bankcheck
