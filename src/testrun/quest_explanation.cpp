// The explanation of a question, composed by the test window and shown in the explanation
// window. Until that window is built, the call is only counted.
#include "testrun/quest.hpp"

namespace pv {

void quest::show_answer() {
  ++show_answer_calls;
}

}  // namespace pv
