// The keys the user presses (platform/user_input.cpp decides what they do): they go to
// the engine as its key codes, with the typed characters the handlers of the window want.
import { boxKey } from './dialogs.js';
import { modifiers } from './dom.js';
import { leavesDocument, notedTab } from './frame_keys.js';
import { mayOpenMenu, menuOpening } from './menus.js';
import { boxOpen, topWindow } from './state.js';
import { ref, send } from './transport.js';
import { windows } from './windows.js';

// Keys that type a character code besides the printable ones.
const PRESS_KEYS = { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 };

// Keys the engine moves the focus or presses controls with, as the desktop does: Tab (within
// a page of a browser control only past its first or last field, its fields take it
// otherwise), Space on a button, check box, option button or picture box, the arrows on
// option buttons, lists, tabs and scroll bars.
const ARROWS = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight']);
function desktopKey(e, c, doc) {
  if (e.key === 'Tab') return doc === document || leavesDocument(e);
  if (!c) return false;
  if (e.key === ' ') return ['button', 'check', 'option', 'picturebox'].includes(c.kind);
  return ARROWS.has(e.key) && ['option', 'list', 'tabs', 'scroll'].includes(c.kind);
}

// Keys for the topmost window: the engine runs the menus, the key handlers, access keys,
// the default button (Enter), the cancel button (Escape) and the keys of desktopKey.
export function forwardKey(e) {
  if (boxOpen()) {
    boxKey(e);
    return;
  }
  const top = topWindow();
  if (!top || ['Shift', 'Control', 'Alt', 'Meta'].includes(e.key)) return;
  // A window beneath a modal one hears no key, even where the page's focus was left in it.
  const from = windowOfKey(e);
  if (top.modal && from && from !== top.name) {
    e.preventDefault();
    return;
  }
  if (e.key === 'Tab') notedTab(e);
  const key = { action: 'key', window: top.name, keyCode: e.keyCode, modifiers: modifiers(e) };
  // While a menu is open, or may be opening, the engine takes every key.
  if (top.openMenus.length || menuOpening()) {
    e.preventDefault();
    send(key);
    return;
  }
  // The access keys of a page in a browser control are the page's own: its inputs take them.
  const doc = e.target && e.target.ownerDocument;
  if (
    e.altKey &&
    doc &&
    doc !== document &&
    /^[a-z0-9]$/i.test(e.key) &&
    [...doc.querySelectorAll('[accesskey]')].some((n) => n.accessKey.toLowerCase() === e.key.toLowerCase())
  )
    return;
  const win = windows.get(top.name);
  const focused = win && [...win.controls.values()].find((d) => d.focusEl && d.focusEl === document.activeElement);
  // The engine's focus when the page's is nowhere (on the page itself).
  const c = focused ? focused.model : top.controls.find((x) => x.control === top.focus) || null;
  const wantsKeys = top.keyPreview || (c && c.handlesKeys);
  // In a window with a menu bar, Alt and a letter or F10 may open a menu: the engine decides.
  const opensMenu = top.menus.length > 0 && ((e.altKey && /^[a-z0-9]$/i.test(e.key)) || e.key === 'F10');
  const special = e.key === 'Enter' || e.key === 'Escape' || e.altKey || opensMenu || desktopKey(e, c, doc);
  if (focused && c.kind === 'text' && e.key === 'Enter' && focused.root.tagName === 'TEXTAREA' && !wantsKeys) return;
  if (!wantsKeys && !special) return;
  if (e.key === 'Tab' && doc !== document && !special) return;
  if (special) e.preventDefault();
  // Tab out of a page the user clicked into: the engine moves on from the browser control.
  if (special && e.key === 'Tab' && c && c.kind === 'browser' && top.focus !== c.control)
    send(Object.assign({ action: 'focus' }, ref(win, c)));
  const sent = send(key);
  if (opensMenu) mayOpenMenu(sent);
  // A typed character in a box whose handlers want it: the engine decides what goes in. The
  // page shows it at once and takes the engine's text when the engine has it.
  const ascii = e.key.length === 1 ? e.key.codePointAt(0) : PRESS_KEYS[e.key];
  if (wantsKeys && ascii && !e.ctrlKey && !e.altKey) {
    const ev = Object.assign({ action: 'press', window: top.name, keyAscii: ascii }, c ? ref(win, c) : {});
    if (focused && c.kind === 'text' && !c.locked && ascii !== 13 && ascii !== 27) {
      e.preventDefault();
      const node = focused.root;
      const chars = (s) => Array.from(s).length;
      let from = node.selectionStart;
      const to = node.selectionEnd;
      Object.assign(ev, { at: chars(node.value.slice(0, from)), length: chars(node.value.slice(from, to)) });
      if (ascii === 8 && from === to && from > 0) from -= 1;
      node.setRangeText(ascii === 8 ? '' : e.key, from, to, 'end');
      focused.typedSeq = send(ev);
    } else {
      send(ev);
    }
  }
}

// The window the key was pressed in, by where the page's focus is (null for none).
function windowOfKey(e) {
  const doc = e.target && e.target.ownerDocument;
  const node = doc && doc !== document ? doc.defaultView && doc.defaultView.frameElement : e.target;
  const w = node && node.closest ? node.closest('.win') : null;
  return w ? w.dataset.name : null;
}

document.addEventListener('keydown', forwardKey);
// A button pressed by Space is the engine's to press, not the browser's on the key's release.
document.addEventListener('keyup', (e) => {
  if (e.key === ' ' && e.target.tagName === 'BUTTON' && e.target.closest('.win')) e.preventDefault();
});
