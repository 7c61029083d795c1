// The setup window's category page: the two category lists, the moves between them and
// the category quiz, which asks every question of the categories left to ask.
#include "core/navigation.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"

namespace pv {
namespace {

// Appends the items of `from` to `to` in their order, only the selected ones when
// `selected_only`; the items left behind keep their order.
void move_items(ListBox& from, ListBox& to, bool selected_only) {
  int n = from.list_count();
  int i = 0;
  while (i < n) {
    if (!selected_only || from.selected(i)) {
      to.add_item(from.list(i));
      from.remove_item(i);
      n = from.list_count();  // the next item moved up into position i
    } else {
      ++i;
    }
  }
}

}  // namespace

void pick_a_quiz::fill_the_cats() {
  lst_cats_to_ask.clear();
  lst_cats_not_to_ask.clear();
  for (int c = 1; c <= g.category_count; ++c) lst_cats_to_ask.add_item(g.category_names[c]);
}

void pick_a_quiz::Form_Activate() {
  Trap step(sys.error_log, "pick_a_quiz form Activate()", "pick_a_quiz.frm");
  step([&] { fill_the_cats(); });
  step([&] { fit_list_scroll(lst_cats_not_to_ask, sys.screen); });
  step([&] { fit_list_scroll(lst_cats_to_ask, sys.screen); });
}

void pick_a_quiz::add_the_cats() {
  skip([&] { move_items(lst_cats_not_to_ask, lst_cats_to_ask, true); });
  skip([&] { lst_cats_not_to_ask.set_focus(); });
}

void pick_a_quiz::remove_the_cats() {
  skip([&] { move_items(lst_cats_to_ask, lst_cats_not_to_ask, true); });
  skip([&] { lst_cats_to_ask.set_focus(); });
}

void pick_a_quiz::cmd_add_cat_Click() {
  add_the_cats();
  skip([&] { fit_list_scroll(lst_cats_not_to_ask, sys.screen); });
  skip([&] { fit_list_scroll(lst_cats_to_ask, sys.screen); });
}

void pick_a_quiz::cmd_remove_cat_Click() {
  remove_the_cats();
  skip([&] { fit_list_scroll(lst_cats_not_to_ask, sys.screen); });
  skip([&] { fit_list_scroll(lst_cats_to_ask, sys.screen); });
}

void pick_a_quiz::cmd_add_all_cat_Click() {
  skip([&] { move_items(lst_cats_not_to_ask, lst_cats_to_ask, false); });
  skip([&] { lst_cats_to_ask.set_focus(); });
  skip([&] { fit_list_scroll(lst_cats_not_to_ask, sys.screen); });
  skip([&] { fit_list_scroll(lst_cats_to_ask, sys.screen); });
}

void pick_a_quiz::cmd_remove_all_cat_Click() {
  skip([&] { move_items(lst_cats_to_ask, lst_cats_not_to_ask, false); });
  skip([&] { lst_cats_not_to_ask.set_focus(); });
  skip([&] { fit_list_scroll(lst_cats_not_to_ask, sys.screen); });
  skip([&] { fit_list_scroll(lst_cats_to_ask, sys.screen); });
}

void pick_a_quiz::lst_cats_not_to_ask_DblClick() {
  cmd_add_cat_Click();
}

void pick_a_quiz::lst_cats_to_ask_DblClick() {
  cmd_remove_cat_Click();
}

void pick_a_quiz::cmd_start_cat_quiz_Click() {
  skip([&] { which_quiz[5].set_value(true); });
  skip([&] { askwrong.set_value(0); });
  g.category_quiz = vbTrue;
  for (int c = 1; c <= 50; ++c) g.category_chosen[c] = vbFalse;
  if (lst_cats_to_ask.list_count() == 0) {
    skip([&] { sys.dialogs.msgbox("You must select at least one category"); });
    return;
  }
  // Every listed name chooses its categories, selected or not.
  for (int item = 0; item < lst_cats_to_ask.list_count(); ++item) {
    const std::string name = lcase(trim(lst_cats_to_ask.list(item)));
    for (int c = 1; c <= g.category_count; ++c)
      skip([&] {
        if (lcase(trim(g.category_names[c])) == name) g.category_chosen[c] = vbTrue;
      });
  }
  skip([&] { start_the_quiz_from_command1(); });
}

}  // namespace pv
