#include "platform/printer.hpp"

#include "platform/errors.hpp"

namespace pv {

void DialogPrinter::print_page(const PrintJob& job) {
  if (!dialog_ || !dialog_(job)) throw RuntimeError(482, "Printer error");
}

}  // namespace pv
