#include "platform/error_log.hpp"

#include "platform/clock.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"

namespace pv {

std::string ErrorLog::line_for(const std::string& procedure, const std::string& source,
                               const RuntimeError& error) const {
  return format_date_time(clock_.now()) + " - " + procedure + " - " + source +
         std::to_string(error.number) + " - " + error.description + " - ";
}

void ErrorLog::append(const std::string& procedure, const std::string& source,
                      const RuntimeError& error) noexcept {
  try {
    append_line(files_, "error.log", line_for(procedure, source, error));
  } catch (...) {
    // The log is best effort: the trapped procedure goes on either way.
    report_loss();
  }
}

void ErrorLog::report_loss() noexcept {
  if (loss_reported_ || !on_lost_) return;
  loss_reported_ = true;
  try {
    const std::string folder = files_.current_folder();
    on_lost_(files_.folder_exists(folder)
                 ? "Error-log lines cannot be written to \"error.log\" in " + folder + "."
                 : "The current folder " + folder +
                       " no longer exists: error-log lines are not being written.");
  } catch (...) {
  }
}

}  // namespace pv
