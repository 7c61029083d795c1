// The product catalogue: the command-line product code selects a product, its files and
// tests, and the bank of the chosen test is loaded into the question table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv {

struct System;

void select_product(System& sys);

// The product codes the catalogue knows, in order, and the code a command line names (the
// command line less blanks around it and every lower-case "a" and "p").
std::vector<std::string> product_codes();
std::string product_code(const std::string& command_line);

// The bank modules of a product's tests (book, CD-ROM, full exam); none for an unknown code.
std::vector<std::string_view> product_banks(std::string_view code);

}  // namespace pv
