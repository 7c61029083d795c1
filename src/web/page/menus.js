// The menu bar of a window and the menu open from it. The engine keeps which menu is open
// and which entry is lit (platform/user_input.cpp takes the keys and clicks on them); the
// page draws them and sends what the mouse does there.
import { el, setCaption } from './dom.js';
import { applied, boxOpen } from './state.js';
import { ref, send } from './transport.js';

// The drawn panels, the menu bar's menu first; the window they belong to; what they were
// drawn from.
const panels = [];
let owner = null;
let drawnFrom = '';
// The last event that may open a menu: until the engine has taken it, keys go to it.
let mayOpen = 0;

export const menuOpen = () => panels.length > 0;
export const menuOpening = () => applied() < mayOpen;
export function mayOpenMenu(sequence) {
  mayOpen = sequence;
}

export function visibleItems(items) {
  return items.filter((m) => m.visible);
}

const menuEvent = (action, win, m) => Object.assign({ action }, ref(win, m));

// The bar, and the window's open menu when it is the top window and no box covers it.
export function drawMenuBar(win, w, isTop) {
  const tops = visibleItems(w.menus);
  win.menubar.hidden = tops.length === 0 || w.windowState === 1;
  const key = JSON.stringify(tops.map((m) => [m.control, m.caption, m.enabled]));
  if (win.menubar._key !== key) {
    win.menubar._key = key;
    win.menubar.replaceChildren();
    for (const m of tops) {
      const t = el('div', 'mtop' + (m.enabled ? '' : ' disabled'), win.menubar);
      t.dataset.menu = m.control;
      setCaption(t, m.caption);
      t.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        e.stopPropagation();
        mayOpenMenu(send(menuEvent('menu', win, m)));
      });
    }
  }
  for (const t of win.menubar.children) t.classList.toggle('open', Number(t.dataset.menu) === w.openMenus[0]);
  if (isTop && !boxOpen() && w.openMenus.length) drawPanels(win, w);
  else if (owner === win) closeMenus();
}

// The menus of the window by their numbers.
function menusOf(w) {
  const found = new Map();
  const walk = (items) =>
    items.forEach((m) => {
      found.set(m.control, m);
      walk(m.items);
    });
  walk(w.menus);
  return found;
}

// Each open menu's panel: the first under its entry of the bar, each submenu beside its
// entry in the panel before.
function drawPanels(win, w) {
  const from = JSON.stringify([w.name, w.openMenus, w.litMenu, w.menus]);
  if (owner === win && from === drawnFrom) return;
  closeMenus();
  owner = win;
  drawnFrom = from;
  const menus = menusOf(w);
  let anchor = win.menubar.querySelector(`[data-menu="${w.openMenus[0]}"]`);
  let r = anchor && anchor.getBoundingClientRect();
  let [x, y] = r ? [r.left, r.bottom] : [0, 0];
  for (let depth = 0; depth < w.openMenus.length; depth++) {
    const menu = menus.get(w.openMenus[depth]);
    if (!menu) break;
    const next = w.openMenus[depth + 1];
    const panel = drawPanel(win, menu, (c) => c === next || c === w.litMenu, x, y);
    anchor = next === undefined ? null : panel.querySelector(`[data-menu="${next}"]`);
    if (!anchor) break;
    r = anchor.getBoundingClientRect();
    [x, y] = [r.right - 2, r.top - 3];
  }
}

function drawPanel(win, menu, hot, x, y) {
  const panel = el('div', 'menu', document.body);
  panel.style.left = x + 'px';
  panel.style.top = y + 'px';
  panels.push(panel);
  for (const m of visibleItems(menu.items)) {
    if (m.caption === '-') {
      el('div', 'sep', panel);
      continue;
    }
    const row = el('div', 'mitem' + (m.enabled ? '' : ' disabled') + (hot(m.control) ? ' hot' : ''), panel);
    row.dataset.menu = m.control;
    el('span', 'mark', row).textContent = m.checked ? '\u2713' : '';
    setCaption(el('span', 'mcap', row), m.caption);
    const sub = visibleItems(m.items).length > 0;
    if (m.shortcut) el('span', 'mkey', row).textContent = m.shortcut;
    if (sub) el('span', 'sub', row).textContent = '\u25b8';
    row.addEventListener('pointerenter', () => {
      if (m.enabled && !row.classList.contains('hot')) send(menuEvent('menulight', win, m));
    });
    row.addEventListener('pointerup', (e) => {
      e.stopPropagation();
      if (m.enabled && !sub) send(menuEvent('menu', win, m));
    });
  }
  return panel;
}

// Takes the drawn menu off the page (the engine's state closes it).
export function closeMenus() {
  panels.splice(0).forEach((p) => p.remove());
  owner = null;
  drawnFrom = '';
}

export function closeMenusOf(win) {
  if (owner === win) closeMenus();
}

// A click elsewhere closes the menu.
document.addEventListener('pointerdown', (e) => {
  if (owner && !e.target.closest('.menu')) send({ action: 'menuclose', window: owner.name });
});
