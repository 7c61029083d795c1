// What the user's input does to the window model, as the desktop does it: clicks, keys,
// access keys, the default and cancel buttons, tab pages, menus, list selections, typing,
// the window frame and the answers to message boxes. The browser front-end and the tests
// both carry out every user action through these calls, posted to the event loop.
//
// An action that the user could not make is ignored: on a window that is not shown, or
// beneath the topmost modal window or an open message box; on a control that is hidden,
// disabled, inside a hidden or disabled container, or on a page of a tabbed dialog that is
// not shown; on a menu entry that is hidden or disabled, or under such a menu.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/web_browser.hpp"

namespace pv {

class DesktopDialogs;
class Form;
class FormRegistry;
struct OpenMenu;

// Shift states of keys and clicks, as the key handlers receive them.
enum ShiftState : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
// Key codes the desktop itself acts on.
enum KeyCode : int {
  vbKeyBack = 8,
  vbKeyTab = 9,
  vbKeyReturn = 13,
  vbKeyEscape = 27,
  vbKeySpace = 32,
  vbKeyLeft = 37,
  vbKeyUp = 38,
  vbKeyRight = 39,
  vbKeyDown = 40,
  vbKeyF10 = 121
};

class UserInput {
 public:
  // `boxes` are the message boxes shown on the desktop, null when the program shows none.
  // A window shown modally takes the focus: its first control in tab order gets it, unless
  // its handlers gave it to one already.
  UserInput(FormRegistry& forms, DesktopDialogs* boxes);
  ~UserInput();
  UserInput(const UserInput&) = delete;
  UserInput& operator=(const UserInput&) = delete;

  FormRegistry& forms() const { return forms_; }
  DesktopDialogs* boxes() const { return boxes_; }

  // The window takes input: it is shown, no message box is open, and it is the topmost
  // modal window when one is shown.
  bool takes_input(const Form& f) const;
  // The user can reach the control: its window takes input, and it and every container up
  // to the window are visible and enabled, on the tab page that is shown.
  bool reachable(const Control& c) const;

  // A click: the control takes the focus first; a check box toggles (grey becomes
  // checked), an option button is set, a menu entry is chosen, and any other control runs
  // its click handler. List and combo boxes, scroll bars and tabbed dialogs only take the
  // focus: their own calls below carry what the user does in them.
  void click(Control& c);
  void double_click(Control& c);
  // Gives the focus to a control that takes it (a command button only when it is a tab stop).
  void focus(Control& c);
  // A click on item `item` of a list with the shift state (vbShiftMask, vbCtrlMask), by
  // the list's selection style; in a combo box the item becomes the text. Out-of-range
  // items are ignored.
  void click_item(ListBox& list, int item, int shift = 0);
  void double_click_item(ListBox& list, int item);
  // The scroll bar's thumb moved to `value`, held within the bar's range.
  void scroll(ScrollBar& bar, int value);
  // The list scrolled so that item `top` is the first one shown.
  void scroll_list(ListBox& list, int top);
  // A click on the tab of page `page`; a hidden or disabled page is not chosen.
  void click_tab(TabbedDialog& tabs, int page);
  // A menu entry chosen: its click handler runs.
  void choose_menu(Menu& m);
  // The menus as the desktop runs them (Form::open_menu holds the open one). A click on a
  // menu of the menu bar opens it, or closes it when it is open; it runs the menu's click
  // handler as it opens (and a menu without entries only runs it). A click on an entry with
  // a submenu opens that; on any other entry it closes the menu and chooses the entry.
  void click_menu(Menu& m);
  // The mouse over an entry of the open menu lights it and opens its submenu.
  void light_menu(Menu& m);
  // Closes the window's open menu (the user clicked elsewhere).
  void close_menu(Form& f);

  // A key pressed in the window (a key code: letters as capitals). Alt and the access key
  // of a menu of the menu bar opens it, F10 the first one, with its first entry lit; while
  // a menu is open it takes every key: the up and down arrows light the next enabled entry
  // (going round), the right arrow opens the lit entry's submenu or the next menu of the
  // bar, the left arrow closes a submenu or opens the previous menu of the bar, Enter and
  // Space choose the lit entry, an entry's access key chooses it, and Escape closes a
  // level. Else the window's key handler runs
  // first when its key preview is on, then the focused control's (Tab reaches neither).
  // What they leave the
  // desktop carries out: with Alt an access key; Enter presses the focused button, else the
  // default button (not in a multi-line text box); Escape the cancel button; Space
  // presses the focused button or toggles the focused check box; Tab and Shift+Tab move the
  // focus in tab order, Ctrl+Tab and Ctrl+Shift+Tab show the next or previous tab page;
  // the arrow keys move among the option buttons of a group, within a list, and along a
  // scroll bar. A picture box that answers clicks stands for a button.
  void key_down(Form& f, int key_code, int shift);
  // A character typed in the window with no control to take it.
  void key_press(Form& f, int key_ascii);
  // A character typed in a control: the window's (with key preview) and the control's
  // key-press handlers may change or swallow it; in a text box what is left replaces the
  // `length` characters from `at` on (counted in characters), and Backspace deletes them
  // or the character before.
  void type_char(Control& c, int key_ascii, int at, int length);
  // The whole text of a text or combo box as the user left it; the box takes the focus
  // first. A locked text box keeps its text.
  void type_text(Control& c, std::string text);

  // The marks the user made in the document of a browser control, taken before the
  // action that follows them; marks made in an older document are dropped.
  void take_marks(WebBrowser& browser, uint64_t generation, std::vector<FieldMark> fields);
  // A click on an element of the browser control's document.
  void click_element(WebBrowser& browser, const std::string& id);

  // The mouse moved over the control to (x, y), in twips from its top-left corner, with
  // the buttons held (1 left, 2 right) and the shift state.
  void mouse_move(Control& c, float x, float y, int button = 0, int shift = 0);

  // The window frame: brought to the front, closed by its close button, minimised,
  // maximised or restored by its buttons (a minimised window is restored to the state it
  // was minimised from), moved by its title bar and sized by its border. A window without
  // a border does not move, and only a sizable one is sized.
  void activate(Form& f);
  void close(Form& f);
  void set_window_state(Form& f, int state);
  void move(Form& f, float left, float top);
  void size(Form& f, float width, float height);

  // The screen took a new size in pixels (the page's viewport). The first size reported
  // centres again the windows that were centred on the size assumed until then; a window
  // that covered the whole screen covers the new one (its resize handler lays it out
  // again), and every window keeps its title bar within reach.
  void resize_screen(int width_pixels, int height_pixels);

  // The user's answer to the open message or input box `id`.
  void answer_box(int id, int result, const std::string& text = "");

 private:
  bool takes_focus(const Control& c) const;
  bool desktop_key(Form& f, int key_code, int shift);
  void tab_to_next(Form& f, bool backwards);
  void next_tab_page(Form& f, bool backwards);
  bool arrow_key(Control& c, int step);
  bool press_access_key(Form& f, char key);
  void click_button_where(Form& f, bool CommandButton::*flag);
  bool box_open() const;
  bool menu_key(Form& f, int key_code, int shift);
  bool open_menu_key(Form& f, int key_code, int shift);
  void open_top_menu(Form& f, Menu& top, bool by_key);
  void open_submenu(Form& f, Menu& entry, bool by_key);
  void next_top_menu(Form& f, int step);
  void light_next(Form& f, int from, int step);
  OpenMenu& current_menu(Form& f) const;

  FormRegistry& forms_;
  DesktopDialogs* boxes_;
  bool screen_reported_ = false;
};

}  // namespace pv
