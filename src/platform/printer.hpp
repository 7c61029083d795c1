// Printing a page: the print command of a browser control, with its print dialog, where
// the user picks the printer or cancels.
#pragma once

#include <functional>
#include <string>

namespace pv {

// A page to print: the document's text and the folder its relative names are read from.
struct PrintJob {
  std::string html;
  std::string base_folder;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // Hands the page to the print dialog and returns; what the user chooses there is not
  // reported. Raises run-time error 482 when there is no print dialog to ask.
  virtual void print_page(const PrintJob& job) = 0;
};

// Prints through whoever draws the windows: `dialog` opens the print dialog for the page
// and is false when it cannot.
class DialogPrinter final : public Printer {
 public:
  explicit DialogPrinter(std::function<bool(const PrintJob& job)> dialog)
      : dialog_(std::move(dialog)) {}
  void print_page(const PrintJob& job) override;

 private:
  std::function<bool(const PrintJob& job)> dialog_;
};

}  // namespace pv
