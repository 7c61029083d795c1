// The menu bar of a window and the menus opened from it.
import { el, setCaption } from './dom.js';
import { ref, send } from './transport.js';

let openMenu = null; // { win, top index, element list }

export const menuOpen = () => openMenu !== null;

export function visibleItems(items) {
  return items.filter((m) => m.visible);
}

export function drawMenuBar(win, w) {
  const tops = visibleItems(w.menus);
  win.menubar.hidden = tops.length === 0 || w.windowState === 1;
  const key = JSON.stringify(tops.map((m) => [m.control, m.caption, m.enabled]));
  if (win.menubar._key === key) return;
  win.menubar._key = key;
  win.menubar.replaceChildren();
  for (const m of tops) {
    const t = el('div', 'mtop' + (m.enabled ? '' : ' disabled'), win.menubar);
    t.dataset.menu = m.control;
    setCaption(t, m.caption);
    t.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      e.stopPropagation();
      const cur = win.model.menus.find((x) => x.control === m.control);
      if (openMenu && openMenu.top === m.control) closeMenus();
      else if (cur && cur.enabled) openTopMenu(win, cur, t);
    });
  }
}

const menuEvent = (win, m) => Object.assign({ action: 'menu' }, ref(win, m));

// A top-level menu runs its click handler when it opens, as the desktop's menus do.
// `byKey`: opened from the keyboard, so its first entry is lit.
export function openTopMenu(win, m, anchor, byKey = false) {
  closeMenus();
  const items = visibleItems(m.items);
  if (m.handlesClick || !items.length) send(menuEvent(win, m));
  if (!items.length) return;
  anchor.classList.add('open');
  const rect = anchor.getBoundingClientRect();
  openMenu = { win, top: m.control, anchor, panels: [] };
  const panel = openPanel(win, items, rect.left, rect.bottom, 0);
  if (byKey) lightRow(panel, 0, 1);
}

function openPanel(win, items, x, y, depth) {
  openMenu.panels.splice(depth).forEach((p) => p.remove());
  const panel = el('div', 'menu', document.body);
  panel.style.left = x + 'px';
  panel.style.top = y + 'px';
  panel._rows = [];
  openMenu.panels[depth] = panel;
  for (const m of items) {
    if (m.caption === '-') {
      el('div', 'sep', panel);
      continue;
    }
    const row = el('div', 'mitem' + (m.enabled ? '' : ' disabled'), panel);
    row.dataset.menu = m.control;
    el('span', 'mark', row).textContent = m.checked ? '\u2713' : '';
    setCaption(el('span', 'mcap', row), m.caption);
    const sub = visibleItems(m.items);
    if (m.shortcut) el('span', 'mkey', row).textContent = m.shortcut;
    if (sub.length) el('span', 'sub', row).textContent = '\u25b8';
    // Lighting an entry opens its submenu; `byKey` lights the submenu's first entry too.
    row._light = (byKey) => {
      panel.querySelectorAll('.hot').forEach((h) => h.classList.remove('hot'));
      row.classList.add('hot');
      if (sub.length && m.enabled) {
        const r = row.getBoundingClientRect();
        const next = openPanel(win, sub, r.right - 2, r.top - 3, depth + 1);
        if (byKey) lightRow(next, 0, 1);
      } else {
        openMenu.panels.splice(depth + 1).forEach((p) => p.remove());
      }
    };
    row._choose = () => {
      if (!m.enabled) return;
      if (sub.length) {
        row._light(true);
        return;
      }
      closeMenus();
      send(menuEvent(win, m));
    };
    row._accessKey = access(m.caption);
    panel._rows.push(row);
    row.addEventListener('pointerenter', () => row._light(false));
    row.addEventListener('pointerup', (e) => {
      e.stopPropagation();
      if (m.enabled && !sub.length) row._choose();
    });
  }
  return panel;
}

// The upper-cased access key of a caption ("E&xit" gives "X"), "" for none.
function access(caption) {
  const m = /&([^&])/.exec(caption.replace(/&&/g, ''));
  return m ? m[1].toUpperCase() : '';
}

// Lights the enabled entry `from` or the next one in the direction `step`, going round.
function lightRow(panel, from, step) {
  const rows = panel._rows;
  for (let k = 0; k < rows.length; k++) {
    const row = rows[(((from + step * k) % rows.length) + rows.length) % rows.length];
    if (!row.classList.contains('disabled')) {
      openMenu.panels.splice(openMenu.panels.indexOf(panel) + 1).forEach((p) => p.remove());
      panel.querySelectorAll('.hot').forEach((h) => h.classList.remove('hot'));
      row.classList.add('hot');
      return;
    }
  }
}

// The keys of an open menu: the arrows move along the entries and between the menus of
// the bar, Enter or Space or an entry's access key chooses, Escape closes a level.
export function menuKey(e) {
  const { win, panels } = openMenu;
  const panel = panels[panels.length - 1];
  const rows = panel._rows;
  const hot = rows.findIndex((r) => r.classList.contains('hot'));
  const tops = visibleItems(win.model.menus).filter((m) => m.enabled);
  const switchTop = (step) => {
    const k = tops.findIndex((m) => m.control === openMenu.top);
    const next = tops[(k + step + tops.length) % tops.length];
    if (next) openTopMenu(win, next, win.menubar.querySelector(`[data-menu="${next.control}"]`), true);
  };
  e.preventDefault();
  if (e.key === 'ArrowDown') lightRow(panel, hot + 1, 1);
  else if (e.key === 'ArrowUp') lightRow(panel, hot < 0 ? rows.length - 1 : hot - 1, -1);
  else if (e.key === 'ArrowRight') {
    if (hot >= 0 && rows[hot].querySelector('.sub')) rows[hot]._light(true);
    else switchTop(1);
  } else if (e.key === 'ArrowLeft') {
    if (panels.length > 1) panels.pop().remove();
    else switchTop(-1);
  } else if (e.key === 'Escape') {
    if (panels.length > 1) panels.pop().remove();
    else closeMenus();
  } else if ((e.key === 'Enter' || e.key === ' ') && hot >= 0) rows[hot]._choose();
  else if (e.key.length === 1)
    rows.find((r) => r._accessKey === e.key.toUpperCase() && !r.classList.contains('disabled'))?._choose();
}

export function closeMenus() {
  if (!openMenu) return;
  openMenu.panels.forEach((p) => p.remove());
  openMenu.anchor.classList.remove('open');
  openMenu = null;
}

export function closeMenusOf(win) {
  if (openMenu && openMenu.win === win) closeMenus();
}

document.addEventListener('pointerdown', (e) => {
  if (openMenu && !e.target.closest('.menu')) closeMenus();
});
