#include "testrun/exercises.hpp"

#include "platform/vbtext.hpp"

namespace pv {

ExerciseCommand exercise_command(const std::string& folder, const std::string& program_part,
                                 const std::string& argument) {
  const std::string program = rtrim(program_part);
  return {folder + program_part + argument, {folder + program, argument}};
}

std::string exercise_argument(const std::string& product_id, const std::string& number) {
  return trim(product_id + "Q" + number);
}

}  // namespace pv
