// Draws the program's windows from the engine's state and sends back what the user does.
// Nothing here decides anything: every click, key and selection goes to the engine, and
// the page shows the state the engine publishes next. The messages both ways are written
// down in wire.md.
'use strict';

const TWIPS_PER_PIXEL = 15;
const SECRET = new URLSearchParams(location.search).get('s') || '';
// This page's name for itself, and the number of its last event: the engine reports which
// of a page's events it has taken.
const PAGE_ID = Array.from(crypto.getRandomValues(new Uint8Array(8)), (b) => b.toString(16).padStart(2, '0')).join('');
let sequence = 0;
const desktop = document.getElementById('desktop');
const boxLayer = document.getElementById('boxes');
const statusEl = document.getElementById('status');
// A notice of the engine's (such as a log it cannot write) stays until it is clicked.
const noticeEl = document.getElementById('notice');
let noticeDismissed = '';
noticeEl.addEventListener('click', () => {
  noticeDismissed = noticeEl.textContent;
  noticeEl.hidden = true;
});

const px = (twips) => Math.round(twips / TWIPS_PER_PIXEL);
const q = (path) => path + (path.includes('?') ? '&' : '?') + 's=' + encodeURIComponent(SECRET);
const fileUrl = (path) => q('/file?path=' + encodeURIComponent(path));

// Numbers the test suite reads: how many states were drawn and when the last one was, the
// number of the page's last event, and of the last one the drawn state has carried out,
// and how long after its publishing the last state was drawn.
// `windowDrawnAt`: when a window was first drawn after the page loaded.
const stats = { version: 0, draws: 0, drawnAt: 0, windowDrawnAt: 0, sent: 0, applied: 0, prints: 0, lateness: 0 };
window.pvStats = stats;

let state = null;
let ended = false;
// The last state drawn, as the engine published it (the tests read it).
window.pvState = () => state;
const windows = new Map();  // window name -> drawn window

// ---- Sending input -------------------------------------------------------------------

const outbox = [];
let sending = false;

function send(event) {
  const marks = collectMarks();
  if (marks.length) event.marks = marks;
  event.pageId = PAGE_ID;
  event.sequence = ++sequence;
  stats.sent = sequence;
  outbox.push(event);
  if (!sending) flush();
  return event.sequence;
}

// One request at a time, so the engine sees the events in the order the user made them.
async function flush() {
  sending = true;
  while (outbox.length && !ended) {
    const batch = outbox.splice(0, 64);  // the most the engine takes in one request
    try {
      const r = await fetch(q('/api/input'), {
        method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(batch),
      });
      // A refused request names the field at fault; the page's own error, so it is logged.
      if (!r.ok) console.error(`The program refused input (${r.status}): ${(await r.text()).trim()}`);
    } catch (e) {
      break;
    }
  }
  sending = false;
}

const ref = (win, c) => ({ window: win.name, control: c.control, name: c.name });
// The number of this page's last event that the drawn state has carried out.
const applied = () => (state && state.applied && state.applied[PAGE_ID]) || 0;

// ---- Receiving state ------------------------------------------------------------------

async function poll() {
  let failures = 0;
  while (!ended) {
    let reply;
    try {
      const r = await fetch(q('/api/state?patch=1&after=' + stats.version), { cache: 'no-store' });
      if (r.status === 403) {
        showStatus('This page belongs to another run of the program.');
        return;
      }
      if (!r.ok) throw new Error(String(r.status));
      reply = await r.json();
      failures = 0;
    } catch (e) {
      // The server is on this machine: one that does not answer a few quick tries is gone.
      if (++failures >= 3) {
        ended = true;
        showStatus('The program has ended.');
        return;
      }
      await new Promise((res) => setTimeout(res, 15 * failures));
      continue;
    }
    if (reply.version !== stats.version) {
      const next = reply.patches ? patched(reply) : reply.state;
      stats.version = next ? reply.version : 0;  // changes to a state not held: ask anew
      if (next) {
        draw(next);
        // From the engine's publishing of the state to its drawing here, in milliseconds.
        stats.lateness = Date.now() - reply.at;
      }
    }
    if (reply.ended) {
      ended = true;
      closeMenus();
      showStatus('The program has ended.');
    }
  }
}

// The drawn state with the engine's changes since it: each a path of keys and positions,
// and the value there (the path [] is the whole state).
function patched(reply) {
  if (!state || reply.from !== stats.version) return null;
  let next = state;
  for (const changes of reply.patches) {
    for (const [path, value] of changes) {
      if (!path.length) {
        next = value;
        continue;
      }
      let at = next;
      for (const step of path.slice(0, -1)) at = at[step];
      at[path[path.length - 1]] = value;
    }
  }
  return next;
}

function showStatus(text) {
  statusEl.textContent = text;
  statusEl.hidden = false;
  desktop.replaceChildren();
  boxLayer.replaceChildren();
  windows.clear();
}

// ---- Small helpers --------------------------------------------------------------------

function el(tag, cls, parent) {
  const e = document.createElement(tag);
  if (cls) e.className = cls;
  if (parent) parent.appendChild(e);
  return e;
}

// A caption with its access key ("&Start") drawn underlined; "&&" is a plain "&".
function setCaption(node, caption) {
  if (node._caption === caption) return;
  node._caption = caption;
  node.replaceChildren();
  let text = '';
  for (let i = 0; i < caption.length; i++) {
    const ch = caption[i];
    if (ch === '&' && i + 1 < caption.length) {
      i++;
      if (caption[i] === '&') {
        text += '&';
        continue;
      }
      if (text) node.appendChild(document.createTextNode(text));
      text = '';
      const u = el('span', 'u', node);
      u.textContent = caption[i];
      continue;
    }
    text += ch;
  }
  if (text) node.appendChild(document.createTextNode(text));
}

// The system's font names drawn in faces of the same widths, so that text the windows were
// laid out for fits: the sans-serif, serif and fixed faces of the Liberation family.
const FACES = {
  'ms sans serif': 'Liberation Sans', 'microsoft sans serif': 'Liberation Sans', arial: 'Liberation Sans',
  tahoma: 'Liberation Sans', verdana: 'Liberation Sans', helvetica: 'Liberation Sans', 'small fonts': 'Liberation Sans',
  'times new roman': 'Liberation Serif', times: 'Liberation Serif', 'ms serif': 'Liberation Serif',
  'courier new': 'Liberation Mono', courier: 'Liberation Mono', 'lucida console': 'Liberation Mono',
};
const GENERIC = { 'Liberation Serif': 'serif', 'Liberation Mono': 'monospace' };

function fontFamily(name) {
  const face = FACES[name.toLowerCase()];
  return face ? `"${face}", "${name}", ${GENERIC[face] || 'sans-serif'}` : `"${name}", "Liberation Sans", sans-serif`;
}

function fontCss(node, f) {
  if (!f) return;
  node.style.fontFamily = fontFamily(f.name);
  node.style.fontSize = f.size + 'pt';
  node.style.fontWeight = f.bold ? 'bold' : 'normal';
  node.style.fontStyle = f.italic ? 'italic' : 'normal';
  node.style.textDecoration = [f.underline ? 'underline' : '', f.strikethrough ? 'line-through' : ''].join(' ').trim() || 'none';
}

function pointerCss(pointer, icon) {
  switch (pointer) {
    case 11: return 'wait';
    case 1: return 'default';
    case 2: return 'crosshair';
    case 3: return 'text';
    case 5: case 15: return 'move';
    case 6: return 'nesw-resize';
    case 7: return 'ns-resize';
    case 8: return 'nwse-resize';
    case 9: return 'ew-resize';
    case 12: return 'no-drop';
    case 13: return 'progress';
    case 14: return 'help';
    case 99: return icon ? `url("${fileUrl(icon)}"), pointer` : '';
    default: return '';
  }
}

// A picture, or a labelled box in its place when the file is missing or unreadable.
function setPicture(holder, img, path) {
  if (img._path === path) return;
  img._path = path;
  holder.querySelector(':scope > .missing')?.remove();
  if (!path) {
    img.removeAttribute('src');
    img.hidden = true;
    return;
  }
  img.hidden = false;
  img.onerror = () => {
    img.hidden = true;
    const m = el('div', 'missing', holder);
    m.textContent = path.split('/').pop();
    m.title = path;
  };
  img.src = fileUrl(path);
}

// ---- Windows --------------------------------------------------------------------------

function topWindow() {
  const list = state ? state.windows : [];
  return list.length ? list[list.length - 1] : null;
}

function makeWindow(w) {
  const root = el('div', 'win', desktop);
  const title = el('div', 'title', root);
  const caption = el('span', 'caption', title);
  const minB = el('button', '', title);
  const maxB = el('button', '', title);
  const closeB = el('button', '', title);
  minB.textContent = '_';
  closeB.textContent = '\u2715';
  for (const b of [minB, maxB, closeB]) b.tabIndex = -1;
  const menubar = el('div', 'menubar', root);
  const client = el('div', 'client', root);
  const grip = el('div', 'grip', root);
  const win = { name: w.name, root, title, caption, minB, maxB, closeB, menubar, client, grip,
    controls: new Map(), model: w, focus: -1 };

  root.addEventListener('pointerdown', () => {
    const top = topWindow();
    if (top && top.name !== win.name && !win.model.topmost) send({ action: 'activate', window: win.name });
  }, true);
  // A minimised window's first button restores it (the engine knows to which state).
  const toggleState = (state) => send({ action: 'state', window: win.name, windowState: win.model.windowState === state ? 0 : state });
  minB.addEventListener('click', () => toggleState(1));
  maxB.addEventListener('click', () => toggleState(2));
  closeB.addEventListener('click', () => send({ action: 'close', window: win.name }));
  title.addEventListener('dblclick', (e) => {
    if (e.target.tagName === 'BUTTON') return;
    if (win.model.windowState === 1) toggleState(1);
    else if (win.model.maxButton && win.model.borderStyle === 2) toggleState(2);
  });
  dragger(title, win, false);
  dragger(grip, win, true);
  return win;
}

// Moving a window by its title bar, or sizing it by its corner: drawn at once, sent on
// release, and drawn where the drag left it until the engine has taken the move.
function dragger(handle, win, sizing) {
  handle.addEventListener('pointerdown', (e) => {
    if (e.button !== 0 || e.target.tagName === 'BUTTON' || win.model.windowState !== 0) return;
    if (sizing ? win.model.borderStyle !== 2 : win.model.borderStyle === 0) return;
    e.preventDefault();
    handle.setPointerCapture(e.pointerId);
    const start = { x: e.clientX, y: e.clientY, l: win.root.offsetLeft, t: win.root.offsetTop,
      w: win.root.offsetWidth, h: win.root.offsetHeight };
    let moved = false;
    win.dragging = true;
    const move = (ev) => {
      const dx = ev.clientX - start.x, dy = ev.clientY - start.y;
      moved = moved || dx !== 0 || dy !== 0;
      if (sizing) {
        win.root.style.width = Math.max(40, start.w + dx) + 'px';
        win.root.style.height = Math.max(24, start.h + dy) + 'px';
      } else {
        win.root.style.left = start.l + dx + 'px';
        win.root.style.top = start.t + dy + 'px';
      }
    };
    let done = false;
    const up = () => {
      if (done) return;
      done = true;
      handle.removeEventListener('pointermove', move);
      handle.removeEventListener('pointerup', up);
      handle.removeEventListener('lostpointercapture', up);
      win.dragging = false;
      if (!moved) return;
      const r = win.root;
      win.heldUntil = send(sizing
        ? { action: 'size', window: win.name, width: r.offsetWidth * TWIPS_PER_PIXEL, height: r.offsetHeight * TWIPS_PER_PIXEL }
        : { action: 'move', window: win.name, left: r.offsetLeft * TWIPS_PER_PIXEL, top: r.offsetTop * TWIPS_PER_PIXEL });
    };
    handle.addEventListener('pointermove', move);
    handle.addEventListener('pointerup', up);
    handle.addEventListener('lostpointercapture', up);
  });
}

function drawWindow(win, w, z, isTop, minimizedSlot) {
  win.model = w;
  const r = win.root;
  r.dataset.name = w.name;
  r.style.zIndex = String(z);
  r.classList.toggle('inactive', !isTop);
  r.classList.toggle('noborder', w.borderStyle === 0 || w.frameWidth === 0);
  r.classList.toggle('minimized', w.windowState === 1);
  const frame = px(w.frameWidth);
  r.style.borderWidth = frame + 'px';
  if (w.windowState === 2) {
    Object.assign(r.style, { left: '0px', top: '0px', width: '100%', height: '100%' });
  } else if (w.windowState === 1) {
    Object.assign(r.style, { left: 4 + minimizedSlot * 164 + 'px', top: '', bottom: '4px' });
  } else if (!win.dragging && applied() >= (win.heldUntil || 0)) {
    // While the user drags the window, the drag decides where it is drawn.
    Object.assign(r.style, { left: px(w.left) + 'px', top: px(w.top) + 'px', bottom: '',
      width: px(w.width) + 'px', height: px(w.height) + 'px' });
  }
  r.style.cursor = pointerCss(w.pointer, '');

  const titleH = w.windowState === 1 ? 20 : px(w.titleHeight);
  win.title.hidden = titleH === 0;
  win.title.style.height = titleH + 'px';
  win.caption.textContent = w.caption;
  win.minB.hidden = !w.controlBox || (!w.minButton && !w.maxButton);
  win.maxB.hidden = win.minB.hidden;
  win.minB.disabled = !w.minButton;
  win.minB.textContent = w.windowState === 1 ? '\u2750' : '_';
  win.minB.title = w.windowState === 1 ? 'Restore' : 'Minimize';
  win.maxB.disabled = !w.maxButton;
  win.maxB.textContent = w.windowState === 2 ? '\u2750' : '\u25a1';
  win.maxB.title = w.windowState === 2 ? 'Restore' : 'Maximize';
  win.closeB.hidden = !w.controlBox;
  win.grip.hidden = w.borderStyle !== 2 || w.windowState !== 0;

  drawMenuBar(win, w);
  const c = win.client;
  c.hidden = w.windowState === 1;
  c.style.backgroundColor = w.backColor;
  c.style.backgroundImage = w.picture ? `url("${fileUrl(w.picture)}")` : '';
  fontCss(c, w.font);
  if (w.windowState !== 1) drawControls(win, w, isTop);
}

// ---- Menus ----------------------------------------------------------------------------

let openMenu = null;  // { win, top index, element list }

function visibleItems(items) {
  return items.filter((m) => m.visible);
}

function drawMenuBar(win, w) {
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
function openTopMenu(win, m, anchor, byKey = false) {
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
function menuKey(e) {
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
  else if (e.key.length === 1) rows.find((r) => r._accessKey === e.key.toUpperCase() && !r.classList.contains('disabled'))?._choose();
}

function closeMenus() {
  if (!openMenu) return;
  openMenu.panels.forEach((p) => p.remove());
  openMenu.anchor.classList.remove('open');
  openMenu = null;
}

document.addEventListener('pointerdown', (e) => {
  if (openMenu && !e.target.closest('.menu')) closeMenus();
});

// ---- Controls -------------------------------------------------------------------------

// Buttons, picture boxes, frames and the other windowed controls lie above labels, images
// and lines; within each layer the first control of the description is on top.
const LIGHT = new Set(['label', 'image', 'line']);
const LIVE = new Set(['text', 'list', 'combo', 'scroll', 'tabs', 'browser']);

function drawControls(win, w, isTop) {
  const seen = new Set();
  const byNumber = new Map(w.controls.map((c) => [c.control, c]));
  const n = w.controls.length;
  // Every control exists before any is placed: a container may come after what it holds.
  for (const c of w.controls) {
    const key = controlKey(c);
    if (!win.controls.has(key)) win.controls.set(key, makeControl(win, c));
  }
  w.controls.forEach((c, order) => {
    const key = controlKey(c);
    seen.add(key);
    const d = win.controls.get(key);
    const parent = byNumber.get(c.parent);
    const host = parent ? win.controls.get(controlKey(parent)) : null;
    const into = host ? host.inner : win.client;
    if (d.root.parentNode !== into) into.appendChild(d.root);
    const onPage = !parent || parent.kind !== 'tabs' || c.page < 0 || parent.tab === c.page;
    d.root.hidden = !c.visible || !onPage;
    const z = String((LIGHT.has(c.kind) ? 0 : 100000) + (n - order));
    if (d.root.style.zIndex !== z) d.root.style.zIndex = z;
    d.model = c;
    if (!d.root.hidden) {
      // A control whose state is as last drawn is left alone; those that also show what
      // the user is doing in them are always brought up to date.
      const drawn = JSON.stringify(c);
      if (drawn !== d.drawn || LIVE.has(c.kind)) updateControl(win, d, c);
      d.drawn = drawn;
    } else {
      d.drawn = null;
    }
  });
  for (const [key, d] of win.controls) {
    if (!seen.has(key)) {
      d.root.remove();
      win.controls.delete(key);
    }
  }
  // Focus moved by the program: the page follows.
  if (w.focus !== win.focus) {
    win.focus = w.focus;
    const c = byNumber.get(w.focus);
    const d = c && win.controls.get(controlKey(c));
    if (d && isTop && !boxOpen() && document.activeElement !== d.focusEl) d.focusEl?.focus({ preventScroll: true });
  }
  for (const d of win.controls.values()) d.root.classList.toggle('focus', d.model.control === w.focus && d.model.kind !== 'text');
}

// A drawn control stays while its number, kind and name do.
function controlKey(c) {
  return c.control + ':' + c.kind + ':' + c.name;
}

function place(node, c) {
  node.style.left = px(c.left) + 'px';
  node.style.top = px(c.top) + 'px';
  node.style.width = px(c.width) + 'px';
  node.style.height = px(c.height) + 'px';
}

function common(d, c) {
  const r = d.root;
  place(r, c);
  fontCss(r, c.font);
  r.style.color = c.foreColor;
  r.title = c.toolTip || '';
  r.style.cursor = pointerCss(c.pointer, c.icon);
  r.classList.toggle('disabled', !c.enabled);
}

// A click belongs to the control under the pointer, not to its containers. Whether the
// control takes it (a disabled one does not) is the engine's to decide.
function clickable(win, d, node) {
  node.addEventListener('click', (e) => {
    e.preventDefault();
    e.stopPropagation();
    send(Object.assign({ action: 'click' }, ref(win, d.model)));
  });
  node.addEventListener('dblclick', (e) => {
    e.stopPropagation();
    if (d.model.handlesDblClick) send(Object.assign({ action: 'dblclick' }, ref(win, d.model)));
  });
}

function focusable(win, d, node) {
  d.focusEl = node;
  node.addEventListener('focus', () => {
    if (win.model.focus !== d.model.control) send(Object.assign({ action: 'focus' }, ref(win, d.model)));
  });
}

// How each kind of control is made: its elements and the events it sends.
const MAKERS = {
  button(win, d, c) {
    d.root = el('button', 'ctl btn');
    d.root.type = 'button';
    d.img = el('img', '', d.root);
    d.text = el('span', '', d.root);
    clickable(win, d, d.root);
    focusable(win, d, d.root);
  },
  label(win, d, c) {
    d.root = el('div', 'ctl lbl');
    clickable(win, d, d.root);
  },
  text(win, d, c) {
    d.root = el(c.multiLine ? 'textarea' : 'input', 'ctl');
    if (!c.multiLine) d.root.type = c.password ? 'password' : 'text';
    d.root.spellcheck = false;
    d.root.addEventListener('input', () => {
      d.typedSeq = send(Object.assign({ action: 'text', text: d.root.value }, ref(win, d.model)));
    });
    d.root.addEventListener('click', () => {
      if (d.model.handlesClick) send(Object.assign({ action: 'click' }, ref(win, d.model)));
    });
    focusable(win, d, d.root);
  },
  check(win, d, c) {
    d.root = el('div', 'ctl ' + (c.kind === 'check' ? 'chk' : 'opt'));
    d.root.tabIndex = 0;
    d.box = el('span', 'glyph', d.root);
    d.text = el('span', 'text', d.root);
    clickable(win, d, d.root);
    focusable(win, d, d.root);
  },
  option: (win, d, c) => MAKERS.check(win, d, c),
  list(win, d, c) {
    d.root = el('div', 'ctl list');
    d.root.tabIndex = 0;
    d.root.addEventListener('click', (e) => {
      const item = e.target.closest('.item');
      if (!item) return;
      send(Object.assign({ action: 'item', item: Number(item.dataset.item), modifiers: modifiers(e) }, ref(win, d.model)));
    });
    d.root.addEventListener('dblclick', (e) => {
      if (e.target.closest('.item') && d.model.handlesDblClick) send(Object.assign({ action: 'dblclick' }, ref(win, d.model)));
    });
    d.root.addEventListener('scroll', () => {
      const topIndex = Math.round(d.root.scrollTop / 13);
      if (topIndex !== d.model.topIndex) send(Object.assign({ action: 'scroll', topIndex }, ref(win, d.model)));
    });
    focusable(win, d, d.root);
  },
  combo(win, d, c) {
    if (c.style === 2) {
      d.root = el('select', 'ctl');
      d.root.addEventListener('change', () => {
        send(Object.assign({ action: 'item', item: d.root.selectedIndex }, ref(win, d.model)));
      });
    } else {
      d.root = el('input', 'ctl');
      d.list = el('datalist', '', document.body);
      d.list.id = 'dl-' + win.name + '-' + c.control;
      d.root.setAttribute('list', d.list.id);
      d.root.addEventListener('input', () => {
        const item = d.model.items.indexOf(d.root.value);
        d.typedSeq = send(Object.assign(item >= 0 ? { action: 'item', item } : { action: 'text', text: d.root.value }, ref(win, d.model)));
      });
    }
    focusable(win, d, d.root);
  },
  picturebox(win, d, c) {
    d.root = el('div', 'ctl pic');
    d.img = el('img', '', d.root);
    d.img.style.position = 'absolute';
    d.inner = d.root;
    clickable(win, d, d.root);
    // One that answers clicks takes the focus and stands for a button.
    d.root.tabIndex = -1;
    focusable(win, d, d.root);
  },
  image(win, d, c) {
    d.root = el('div', 'ctl img');
    d.img = el('img', '', d.root);
    clickable(win, d, d.root);
  },
  frame(win, d, c) {
    d.root = el('div', 'ctl frame');
    el('div', 'edge', d.root);
    d.legend = el('div', 'legend', d.root);
    d.inner = d.root;
    clickable(win, d, d.root);
  },
  scroll(win, d, c) {
    d.root = el('div', 'ctl scroll ' + (c.vertical ? 'v' : 'h'));
    const less = el('div', 'arrow ' + (c.vertical ? 'up' : 'left'), d.root);
    d.track = el('div', 'track', d.root);
    const more = el('div', 'arrow ' + (c.vertical ? 'down' : 'right'), d.root);
    d.thumb = el('div', 'thumb', d.track);
    d.arrows = [less, more];
    const step = (by) => {
      const m = d.model;
      const dir = m.max >= m.min ? 1 : -1;
      send(Object.assign({ action: 'scroll', value: m.value + dir * by }, ref(win, m)));
    };
    less.addEventListener('click', () => step(-d.model.smallChange));
    more.addEventListener('click', () => step(d.model.smallChange));
    d.track.addEventListener('click', (e) => {
      if (e.target === d.thumb) return;
      const r = d.thumb.getBoundingClientRect();
      const before = d.model.vertical ? e.clientY < r.top : e.clientX < r.left;
      step(before ? -d.model.largeChange : d.model.largeChange);
    });
    thumbDragger(win, d);
    d.root.tabIndex = 0;
    focusable(win, d, d.root);
  },
  tabs(win, d, c) {
    d.root = el('div', 'ctl tabs');
    d.rows = el('div', '', d.root);
    d.body = el('div', 'body', d.root);
    d.inner = d.root;
    d.root.tabIndex = -1;
    focusable(win, d, d.root);
  },
  line(win, d, c) {
    d.root = el('div', 'ctl line');
    d.svg = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    d.svg.style.overflow = 'visible';
    d.svg.style.position = 'absolute';
    d.line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
    d.svg.appendChild(d.line);
    d.root.appendChild(d.svg);
  },
  browser(win, d, c) {
    d.root = el('div', 'ctl browser');
    d.frame = el('iframe', '', d.root);
    // Same origin so the page can read the marks; no scripts, forms or navigation.
    d.frame.setAttribute('sandbox', 'allow-same-origin');
    d.frame.addEventListener('load', () => {
      d.loaded = true;
      wireDocument(win, d);
    });
    d.generation = -1;
    d.focusEl = d.frame;
  },
};

// The drawn control of each control element, for the mouse movements over it.
const drawnOf = new WeakMap();

function makeControl(win, c) {
  const d = { root: null, inner: null, focusEl: null, model: c };
  const make = MAKERS[c.kind];
  if (make) make(win, d, c);
  else d.root = el('div', 'ctl');
  if (!d.inner) d.inner = d.root;
  d.root.dataset.name = c.index >= 0 ? `${c.name}(${c.index})` : c.name;
  drawnOf.set(d.root, { win, d });
  return d;
}

function thumbDragger(win, d) {
  d.thumb.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    d.thumb.setPointerCapture(e.pointerId);
    const m = d.model;
    const vertical = m.vertical;
    const track = d.track.getBoundingClientRect();
    const thumb = d.thumb.getBoundingClientRect();
    const span = (vertical ? track.height - thumb.height : track.width - thumb.width) || 1;
    const start = vertical ? e.clientY : e.clientX;
    const from = vertical ? thumb.top - track.top : thumb.left - track.left;
    let value = m.value;
    const move = (ev) => {
      const off = Math.min(span, Math.max(0, from + (vertical ? ev.clientY : ev.clientX) - start));
      d.thumb.style[vertical ? 'top' : 'left'] = off + 'px';
      value = Math.round(m.min + (off / span) * (m.max - m.min));
    };
    const up = () => {
      d.thumb.removeEventListener('pointermove', move);
      d.thumb.removeEventListener('pointerup', up);
      if (value !== m.value) send(Object.assign({ action: 'scroll', value }, ref(win, m)));
    };
    d.thumb.addEventListener('pointermove', move);
    d.thumb.addEventListener('pointerup', up);
  });
}

// A text field shows the engine's text, except while the user is typing ahead of it: the
// engine has not yet taken all that was typed.
function syncValue(d, node, text) {
  if (node.value === text) return;
  const taken = applied();
  if (document.activeElement === node && taken < (d.typedSeq || 0)) return;
  node.value = text;
}

function updateControl(win, d, c) {
  common(d, c);
  const r = d.root;
  switch (c.kind) {
    case 'button':
      r.disabled = !c.enabled;
      r.classList.toggle('default', !!c.default);
      r.style.backgroundColor = c.backColor;
      setPicture(r, d.img, c.style === 1 ? c.picture : '');
      setCaption(d.text, c.caption);
      break;
    case 'label':
      setCaption(r, c.caption);
      r.style.backgroundColor = c.backStyle === 0 ? 'transparent' : c.backColor;
      r.style.textAlign = ['left', 'right', 'center'][c.alignment] || 'left';
      r.classList.toggle('border', c.borderStyle === 1);
      if (c.autoSize && !c.wordWrap) {
        r.style.width = 'auto';
        r.classList.add('nowrap');
      }
      break;
    case 'text':
      syncValue(d, r, c.caption);
      r.readOnly = !!c.locked;
      r.disabled = !c.enabled;
      if (c.maxLength > 0) r.maxLength = c.maxLength;
      else r.removeAttribute('maxlength');
      r.style.backgroundColor = c.backColor;
      r.style.textAlign = ['left', 'right', 'center'][c.alignment] || 'left';
      r.classList.toggle('flat', c.borderStyle === 0);
      if (c.multiLine) r.style.overflowY = c.scrollBars >= 2 ? 'scroll' : 'hidden';
      break;
    case 'check':
    case 'option':
      r.style.backgroundColor = c.backColor;
      setCaption(d.text, c.caption);
      r.setAttribute('role', c.kind === 'check' ? 'checkbox' : 'radio');
      r.setAttribute('aria-checked', c.kind === 'check' ? (c.value === 1 ? 'true' : c.value === 2 ? 'mixed' : 'false') : String(!!c.value));
      if (c.kind === 'check') {
        d.box.textContent = c.value ? '\u2713' : '';
        d.box.classList.toggle('grey', c.value === 2);
      } else {
        d.box.classList.toggle('on', !!c.value);
      }
      r.tabIndex = c.enabled ? 0 : -1;
      break;
    case 'list': drawList(d, c); break;
    case 'combo': drawCombo(d, c); break;
    case 'picturebox':
      r.style.backgroundColor = c.backColor;
      r.classList.toggle('border', c.borderStyle === 1);
      setPicture(r, d.img, c.picture);
      break;
    case 'image':
      r.classList.toggle('stretch', !!c.stretch);
      r.classList.toggle('border', c.borderStyle === 1);
      setPicture(r, d.img, c.picture);
      break;
    case 'frame':
      r.style.backgroundColor = c.backColor;
      d.legend.style.backgroundColor = c.backColor;
      d.legend.hidden = !c.caption;
      setCaption(d.legend, c.caption);
      r.firstChild.style.borderStyle = c.borderStyle === 0 ? 'none' : '';
      break;
    case 'scroll': drawScroll(d, c); break;
    case 'tabs': drawTabs(win, d, c); break;
    case 'line': {
      r.style.left = '0px';
      r.style.top = '0px';
      r.style.width = '0px';
      r.style.height = '0px';
      for (const [k, v] of [['x1', c.x1], ['y1', c.y1], ['x2', c.x2], ['y2', c.y2]]) d.line.setAttribute(k, px(v));
      d.line.setAttribute('stroke', c.borderColor);
      d.line.setAttribute('stroke-width', Math.max(1, c.borderWidth));
      break;
    }
    case 'browser': drawBrowser(win, d, c); break;
  }
}

function drawList(d, c) {
  const r = d.root;
  r.style.backgroundColor = c.backColor;
  r.setAttribute('aria-multiselectable', String(c.multiSelect > 0));
  const key = JSON.stringify(c.items);
  if (d.itemsKey !== key) {
    d.itemsKey = key;
    r.replaceChildren();
    c.items.forEach((text, i) => {
      const row = el('div', 'item', r);
      row.dataset.item = i;
      row.textContent = text;
    });
  }
  // A horizontal scroll range wider than the list gives it a horizontal scroll bar.
  r.style.overflowX = c.horizontalExtent > r.clientWidth ? 'auto' : 'hidden';
  const sel = new Set(c.selected);
  r.childNodes.forEach((row, i) => {
    row.style.minWidth = c.horizontalExtent > 0 ? c.horizontalExtent + 'px' : '';
    row.classList.toggle('sel', sel.has(i));
    row.classList.toggle('caret', c.multiSelect > 0 && i === c.listIndex);
  });
  if (d.topIndex !== c.topIndex) {
    d.topIndex = c.topIndex;
    r.scrollTop = c.topIndex * 13;
  }
  if (d.listIndex !== c.listIndex) {
    d.listIndex = c.listIndex;
    r.childNodes[c.listIndex]?.scrollIntoView({ block: 'nearest' });
  }
}

function drawCombo(d, c) {
  const r = d.root;
  const key = JSON.stringify(c.items);
  const target = c.style === 2 ? r : d.list;
  if (d.itemsKey !== key) {
    d.itemsKey = key;
    target.replaceChildren();
    for (const text of c.items) {
      const o = el('option', '', target);
      if (c.style === 2) o.textContent = text;
      else o.value = text;
    }
  }
  if (c.style === 2) r.selectedIndex = c.listIndex;
  else syncValue(d, r, c.caption);
  r.disabled = !c.enabled;
  r.style.height = '21px';
}

// A bar of any length shows both arrows: shorter than two full arrows, each takes half
// of it and the thumb is left out.
function drawScroll(d, c) {
  const length = c.vertical ? px(c.height) : px(c.width);
  const arrow = Math.min(16, Math.floor(length / 2));
  for (const a of d.arrows) a.style[c.vertical ? 'height' : 'width'] = arrow + 'px';
  const range = c.max - c.min;
  const track = Math.max(0, length - 2 * arrow);
  const thumb = Math.max(8, Math.min(track, range === 0 ? track : 16));
  d.thumb.hidden = track < 8;
  const at = range === 0 ? 0 : ((c.value - c.min) / range) * Math.max(0, track - thumb);
  Object.assign(d.thumb.style, c.vertical
    ? { left: '0', right: '0', top: at + 'px', height: thumb + 'px', width: '' }
    : { top: '0', bottom: '0', left: at + 'px', width: thumb + 'px', height: '' });
  d.root.setAttribute('role', 'scrollbar');
  d.root.setAttribute('aria-valuenow', c.value);
}

function drawTabs(win, d, c) {
  const perRow = Math.max(1, c.tabsPerRow || 1);
  const shown = c.tabs.map((t, k) => ({ t, k })).filter((x) => x.t.visible);
  const rows = Math.max(1, Math.ceil(shown.length / perRow));
  const key = JSON.stringify([c.tabs, c.tab, perRow]);
  d.body.style.top = rows * 20 + 'px';
  d.body.style.backgroundColor = c.backColor;
  if (d.key === key) return;
  d.key = key;
  d.rows.replaceChildren();
  const width = px(c.width) / perRow;
  // The row holding the selected tab is drawn next to the page, as the control does.
  const selectedRow = Math.floor(Math.max(0, shown.findIndex((x) => x.k === c.tab)) / perRow);
  for (let row = 0; row < rows; row++) {
    const line = el('div', 'row', d.rows);
    const slot = (row - selectedRow + rows * 2 - 1) % rows;
    line.style.top = slot * 20 + 'px';
    for (const { t, k } of shown.slice(row * perRow, (row + 1) * perRow)) {
      const tab = el('div', 'tab' + (k === c.tab ? ' on' : '') + (t.enabled ? '' : ' disabled'), line);
      tab.style.width = width + 'px';
      tab.dataset.tab = k;
      tab.setAttribute('role', 'tab');
      tab.setAttribute('aria-selected', String(k === c.tab));
      setCaption(tab, t.caption);
      tab.addEventListener('click', () => send(Object.assign({ action: 'tab', tab: k }, ref(win, d.model))));
    }
  }
}

// ---- Browser controls -----------------------------------------------------------------

const URL_ATTRS = [['img', 'src'], ['image', 'href'], ['input', 'src'], ['embed', 'src'],
  ['source', 'src'], ['audio', 'src'], ['video', 'src'], ['link', 'href'], ['object', 'data']];

// The written document with its file names turned into addresses of this server; it is
// parsed inertly here, so nothing of it loads before that.
function documentSource(doc) {
  const parsed = new DOMParser().parseFromString(doc.html || '', 'text/html');
  parsed.querySelectorAll('script, base, meta[http-equiv]').forEach((n) => n.remove());
  for (const [tag, attr] of URL_ATTRS) {
    parsed.querySelectorAll(`${tag}[${attr}]`).forEach((n) => {
      const v = n.getAttribute(attr).trim();
      if (/^(data|about):/i.test(v)) return;
      if (/^[a-z][a-z0-9+.-]*:\/\//i.test(v) && !/^file:/i.test(v)) {
        n.removeAttribute(attr);  // nothing outside this machine's loopback server
        return;
      }
      let path = v.replace(/^file:\/\//i, '').replace(/\\/g, '/');
      if (!path.startsWith('/') && doc.base) path = doc.base.replace(/\/?$/, '/') + path;
      n.setAttribute(attr, fileUrl(path));
    });
  }
  return '<!DOCTYPE html>' + parsed.documentElement.outerHTML;
}

function drawBrowser(win, d, c) {
  const doc = c.document;
  d.doc = doc;
  if (d.generation !== doc.generation) {
    d.generation = doc.generation;
    d.marksGeneration = -1;
    d.dirty = false;
    const fd = d.loaded ? d.frame.contentDocument : null;
    if (!fd) {
      d.frame.srcdoc = documentSource(doc);
      return;  // marks and handlers follow on load
    }
    // A frame that holds one of our pages takes the next one in place, as the program
    // writes it: no navigation, so the page is drawn at once.
    fd.open();
    fd.write(documentSource(doc));
    fd.close();
    wireDocument(win, d, true);
    return;
  }
  if (d.marksGeneration !== doc.marksGeneration) applyMarks(d);
  markClickables(d);
}

function fieldsOf(d) {
  const fd = d.frame.contentDocument;
  return fd ? Array.from(fd.querySelectorAll('input, select, textarea')) : [];
}

// The page and the engine know a field by its name (its id when it has none) and its
// position among the fields so named; where the two read odd markup differently, a field
// matched this way and of the same type is still the same field.
function byNameAndPosition(fields) {
  const count = new Map();
  const keyed = new Map();
  for (const f of fields) {
    const name = f.name || f.id || '';
    const n = count.get(name) || 0;
    count.set(name, n + 1);
    keyed.set(name + '\n' + n, f);
  }
  return keyed;
}

const fieldType = (f) => (f.type || f.tagName).toLowerCase();
// Fields whose text the engine may set; the others keep what the page gave them.
const TEXT_FIELDS = new Set(['text', 'search', 'tel', 'url', 'password', 'textarea']);

// The engine's marks and texts shown in the page. `written`: the page was just written in
// place, so its fields are all there.
function applyMarks(d, written = false) {
  const fd = d.frame.contentDocument;
  if (!fd || (!written && fd.readyState !== 'complete')) return;
  d.marksGeneration = d.doc.marksGeneration;
  const page = byNameAndPosition(fieldsOf(d));
  for (const [key, m] of byNameAndPosition(d.doc.fields)) {
    const f = page.get(key);
    if (!f || fieldType(f) !== m.type) continue;
    if (m.type === 'checkbox' || m.type === 'radio') f.checked = m.checked;
    else if (TEXT_FIELDS.has(m.type) && f.value !== m.value) f.value = m.value;
  }
}

function markClickables(d) {
  const fd = d.frame.contentDocument;
  if (!fd) return;
  const ids = new Set(d.doc.clicks);
  fd.querySelectorAll('[data-pv-click]').forEach((n) => {
    if (!ids.has(n.id)) n.removeAttribute('data-pv-click');
  });
  for (const id of ids) fd.getElementById(id)?.setAttribute('data-pv-click', '');
}

function wireDocument(win, d, written = false) {
  const fd = d.frame.contentDocument;
  if (!fd || !d.doc) return;
  applyMarks(d, written);
  markClickables(d);
  if (fd.pvWired === d.generation) return;  // this page's listeners are on already
  fd.pvWired = d.generation;
  fd.addEventListener('input', () => { d.dirty = true; }, true);
  fd.addEventListener('change', () => { d.dirty = true; }, true);
  fd.addEventListener('submit', (e) => e.preventDefault(), true);
  fd.addEventListener('click', (e) => {
    // The page never navigates or submits by itself.
    const link = e.target.closest('a[href], area[href], button, input[type=submit], input[type=image]');
    if (link && !(link.tagName === 'INPUT' && /^(checkbox|radio)$/i.test(link.type))) e.preventDefault();
    const target = e.target.closest('[id]');
    const handled = target && d.doc.clicks.includes(target.id) ? target : null;
    if (handled) {
      d.dirty = true;
      send(Object.assign({ action: 'element', element: handled.id }, ref(win, d.model)));
    }
  }, true);
  fd.addEventListener('keydown', (e) => forwardKey(e), true);
}

// The marks of every browser control the user changed since the last event.
function collectMarks() {
  const marks = [];
  for (const win of windows.values()) {
    for (const d of win.controls.values()) {
      if (d.model.kind !== 'browser' || !d.dirty) continue;
      d.dirty = false;
      const fields = fieldsOf(d).map((f) => ({
        id: f.id, name: f.name || '', type: fieldType(f), value: f.value || '', checked: !!f.checked,
      }));
      marks.push(Object.assign({ generation: d.generation, fields }, ref(win, d.model)));
    }
  }
  return marks;
}

// ---- Message boxes and input boxes ----------------------------------------------------

const ICONS = { 16: ['critical', '\u2715'], 32: ['question', '?'], 48: ['exclamation', '!'], 64: ['information', 'i'] };

let drawnBoxes = '';

function boxOpen() {
  return state && state.boxes.length > 0;
}

function answer(box, result, text) {
  send({ action: 'answer', box: box.box, result, text: text || '' });
}

function drawBoxes(boxes) {
  const key = JSON.stringify(boxes);
  if (key === drawnBoxes) return;
  drawnBoxes = key;
  boxLayer.replaceChildren();
  if (!boxes.length) return;
  closeMenus();
  el('div', 'shade', boxLayer);
  boxes.forEach((b, n) => {
    const last = n === boxes.length - 1;
    const box = el('div', 'box', boxLayer);
    box.setAttribute('role', 'dialog');
    box.dataset.box = b.box;
    const title = el('div', 'title', box);
    el('span', 'caption', title).textContent = b.title;
    const body = el('div', 'body', box);
    let input = null;
    let row;
    if (b.input) {
      el('div', 'prompt', body).textContent = b.text;
      row = el('div', 'side', body);
      input = el('input', '', box);
      input.value = b.default;
    } else {
      const icon = ICONS[b.style & 0x70];
      if (icon) {
        const i = el('div', 'icon ' + icon[0], body);
        i.textContent = icon[1];
      }
      el('div', 'text', body).textContent = b.text;
      row = el('div', 'buttons', box);
    }
    // The input box's OK answers with its text.
    const text = (result) => (input && result === 1 ? input.value : '');
    const buttons = b.buttons.map((button, k) => {
      const btn = el('button', k === b.defaultButton ? 'default' : '', row);
      btn.dataset.result = button.result;
      btn._accessKey = button.accessKey;
      setCaption(btn, button.caption);
      btn.addEventListener('click', () => answer(b, button.result, text(button.result)));
      return btn;
    });
    const cancel = b.cancelResult;
    const close = el('button', '', title);
    close.textContent = '\u2715';
    close.disabled = cancel === 0;
    close.tabIndex = -1;
    close.addEventListener('click', () => answer(b, cancel));
    if (!last) {
      box.inert = true;
      return;
    }
    box._keys = { buttons, cancel, input, b };
    setTimeout(() => (input ? input.select() : box.querySelector('button.default')?.focus()), 0);
  });
}

function boxKey(e) {
  const box = boxLayer.lastElementChild;
  const k = box && box._keys;
  if (!k) return;
  if (e.key === 'Escape' && k.cancel) {
    e.preventDefault();
    answer(k.b, k.cancel);
  } else if (e.key === 'Enter' && k.input) {
    e.preventDefault();
    k.buttons[k.b.defaultButton]?.click();
  } else if ((e.key === 'ArrowLeft' || e.key === 'ArrowRight') && !k.input) {
    // The arrows go along the buttons, as Tab does.
    e.preventDefault();
    const at = k.buttons.indexOf(document.activeElement);
    const step = e.key === 'ArrowLeft' ? -1 : 1;
    k.buttons[(Math.max(0, at) + step + k.buttons.length) % k.buttons.length]?.focus();
  } else if (e.key.length === 1 && !k.input && /^[a-z]$/i.test(e.key)) {
    const hit = k.buttons.find((btn) => btn._accessKey === e.key.toUpperCase());
    if (hit) {
      e.preventDefault();
      hit.click();
    }
  }
}

// ---- Keys -----------------------------------------------------------------------------

// Keys that type a character code besides the printable ones.
const PRESS_KEYS = { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 };

function modifiers(e) {
  return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
}

// Keys the engine moves the focus or presses controls with, as the desktop does: Tab (not
// within a page of a browser control, whose fields take it), Space on a button, check
// box, option button or picture box, the arrows on option buttons, lists, tabs and scroll
// bars.
const ARROWS = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight']);
function desktopKey(e, c, doc) {
  if (e.key === 'Tab') return doc === document;
  if (!c) return false;
  if (e.key === ' ') return ['button', 'check', 'option', 'picturebox'].includes(c.kind);
  return ARROWS.has(e.key) && ['option', 'list', 'tabs', 'scroll'].includes(c.kind);
}

// Keys for the topmost window: the engine runs the key handlers, access keys, the default
// button (Enter), the cancel button (Escape) and the keys of desktopKey.
function forwardKey(e) {
  if (boxOpen()) {
    boxKey(e);
    return;
  }
  const top = topWindow();
  if (!top || ['Shift', 'Control', 'Alt', 'Meta'].includes(e.key)) return;
  if (openMenu) {
    menuKey(e);
    return;
  }
  // The access keys of a page in a browser control are the page's own: its inputs take them.
  const doc = e.target && e.target.ownerDocument;
  if (e.altKey && doc && doc !== document && /^[a-z0-9]$/i.test(e.key) &&
      [...doc.querySelectorAll('[accesskey]')].some((n) => n.accessKey.toLowerCase() === e.key.toLowerCase()))
    return;
  if ((e.altKey && /^[a-z0-9]$/i.test(e.key)) || (e.key === 'F10' && !e.shiftKey)) {
    // An access key opens its menu; F10 the first one.
    const menu = visibleItems(top.menus).find((m) => m.enabled && (e.key === 'F10' || m.accessKey === e.key.toUpperCase()));
    const win = windows.get(top.name);
    if (menu && win) {
      e.preventDefault();
      openTopMenu(win, menu, win.menubar.querySelector(`[data-menu="${menu.control}"]`), true);
      return;
    }
  }
  const win = windows.get(top.name);
  const focused = win && [...win.controls.values()].find((d) => d.focusEl && d.focusEl === document.activeElement);
  // The engine's focus when the page's is nowhere (on the page itself).
  const c = focused ? focused.model : top.controls.find((x) => x.control === top.focus) || null;
  const wantsKeys = top.keyPreview || (c && c.handlesKeys);
  const special = e.key === 'Enter' || e.key === 'Escape' || e.altKey || desktopKey(e, c, doc);
  if (focused && c.kind === 'text' && e.key === 'Enter' && focused.root.tagName === 'TEXTAREA' && !wantsKeys) return;
  if (!wantsKeys && !special) return;
  if (special) e.preventDefault();
  const key = { action: 'key', window: top.name, keyCode: e.keyCode, modifiers: modifiers(e) };
  send(key);
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

document.addEventListener('keydown', forwardKey);
// A button pressed by Space is the engine's to press, not the browser's on the key's release.
document.addEventListener('keyup', (e) => {
  if (e.key === ' ' && e.target.tagName === 'BUTTON' && e.target.closest('.win')) e.preventDefault();
});

// ---- Mouse movements and full screen --------------------------------------------------

// Movements over a control that hears them go to the engine, at most one every 20 ms: the
// latest position, in twips from the control's top-left corner.
const MOUSE_INTERVAL_MS = 20;
const mouse = { pending: null, timer: 0, sentAt: -Infinity };

function sendMouse() {
  mouse.timer = 0;
  mouse.sentAt = performance.now();
  const ev = mouse.pending;
  mouse.pending = null;
  if (ev) send(ev);
}

document.addEventListener('pointermove', (e) => {
  const node = e.target instanceof Element ? e.target.closest('.ctl') : null;
  const hit = node && drawnOf.get(node);
  if (!hit || !hit.d.model.handlesMouseMove || boxOpen() || openMenu) return;
  const r = hit.d.root.getBoundingClientRect();
  mouse.pending = Object.assign({
    action: 'mousemove',
    x: Math.round((e.clientX - r.left) * TWIPS_PER_PIXEL),
    y: Math.round((e.clientY - r.top) * TWIPS_PER_PIXEL),
    button: (e.buttons & 1 ? 1 : 0) | (e.buttons & 2 ? 2 : 0),
    modifiers: modifiers(e),
  }, ref(hit.win, hit.d.model));
  if (!mouse.timer) mouse.timer = setTimeout(sendMouse, Math.max(0, mouse.sentAt + MOUSE_INTERVAL_MS - performance.now()));
});

// A borderless topmost window as large as the screen is a full-screen show: the page
// turns black around it and asks the browser for full screen as soon as a gesture of the
// user allows it.
function fullScreenShow(s) {
  return !!s && s.windows.some((w) => w.topmost && w.borderStyle === 0 && w.windowState === 0 &&
    px(w.width) >= s.screen.width && px(w.height) >= s.screen.height);
}

function askFullScreen() {
  if (!fullScreenShow(state) || document.fullscreenElement || !document.fullscreenEnabled) return;
  document.documentElement.requestFullscreen().catch(() => {});
}
for (const type of ['pointerdown', 'keydown', 'touchend']) document.addEventListener(type, askFullScreen, true);

// ---- Printing -------------------------------------------------------------------------

// Pages the program prints, each once, through the browser's print dialog, from a frame of
// its own that is never shown. A page loaded anew prints none of those sent before it.
let lastPrint = null;
function printPages(prints) {
  if (!Array.isArray(prints)) return;
  const newest = prints.reduce((m, p) => Math.max(m, p.id), 0);
  if (lastPrint !== null) for (const p of prints) if (p.id > lastPrint) printPage(p);
  lastPrint = Math.max(lastPrint ?? 0, newest);
}

function printPage(p) {
  const frame = el('iframe', 'print-frame', document.body);
  frame.setAttribute('sandbox', 'allow-same-origin allow-modals');
  frame.addEventListener('load', () => {
    const w = frame.contentWindow;
    w.addEventListener('afterprint', () => frame.remove(), { once: true });
    stats.prints++;
    w.print();
  }, { once: true });
  frame.srcdoc = documentSource({ html: p.html, base: p.base });
}

// ---- Tooltips of the tooltip control --------------------------------------------------

// A tip attached to a window shows once the mouse has rested over that window for the
// tip's delay: near the mouse, or centred under the window for a centred tip. It goes
// after its visible time or when the mouse leaves the window.
let tooltips = [];
const tipEl = el('div', 'tooltip', document.body);
tipEl.hidden = true;
const tip = { timer: 0, hideTimer: 0, window: null };

function hideTip() {
  clearTimeout(tip.timer);
  clearTimeout(tip.hideTimer);
  tipEl.hidden = true;
  tip.window = null;
}

function showTip(t, winEl, x, y) {
  tipEl.replaceChildren();
  if (t.title) {
    const title = el('div', 'tip-title', tipEl);
    if (t.icon >= 1 && t.icon <= 3) title.classList.add('icon' + t.icon);
    title.textContent = t.title;
  }
  el('div', 'tip-text', tipEl).textContent = t.text;
  tipEl.classList.toggle('balloon', t.balloon);
  tipEl.style.color = t.textColor || '';
  tipEl.style.background = t.backColor || '';
  tipEl.hidden = false;
  if (t.centered) {
    const r = winEl.getBoundingClientRect();
    x = r.left + r.width / 2 - tipEl.offsetWidth / 2;
    y = r.bottom + 2;
  } else {
    y += 20;
  }
  tipEl.style.left = Math.max(0, Math.min(x, window.innerWidth - tipEl.offsetWidth)) + 'px';
  tipEl.style.top = Math.max(0, Math.min(y, window.innerHeight - tipEl.offsetHeight)) + 'px';
  tip.window = t.window;
  tip.hideTimer = setTimeout(hideTip, t.autopop);
}

document.addEventListener('pointermove', (e) => {
  const winEl = e.target.closest ? e.target.closest('.win') : null;
  const name = winEl ? winEl.dataset.name : null;
  if (tip.window !== null && tip.window === name) return;  // a tip shown stays while inside
  hideTip();
  const t = name ? tooltips.find((x) => x.window === name) : null;
  if (!t || !t.text) return;
  tip.timer = setTimeout(() => showTip(t, winEl, e.clientX, e.clientY), t.initial);
});

// ---- Drawing a state ------------------------------------------------------------------

// Documents the program opens for the user, each in a new tab once. A page loaded anew
// opens none of those opened before it.
let lastTab = null;
function openTabs(tabs) {
  if (!Array.isArray(tabs)) return;
  const newest = tabs.reduce((m, t) => Math.max(m, t.id), 0);
  if (lastTab !== null)
    for (const t of tabs) if (t.id > lastTab) window.open(fileUrl(t.path), '_blank', 'noopener');
  lastTab = Math.max(lastTab ?? 0, newest);
}

function draw(next) {
  state = next;
  statusEl.hidden = true;
  document.body.classList.toggle('busy', next.pointer === 11);
  document.body.classList.toggle('nocursor', !next.cursorShown);
  document.body.classList.toggle('show', fullScreenShow(next));
  document.body.style.cursor = pointerCss(next.pointer, '');
  desktop.style.width = next.screen.width + 'px';
  desktop.style.height = next.screen.height + 'px';
  const live = new Set();
  const count = next.windows.length;
  let minimized = 0;
  next.windows.forEach((w, k) => {
    live.add(w.name);
    let win = windows.get(w.name);
    if (!win) {
      win = makeWindow(w);
      windows.set(w.name, win);
    }
    const z = (w.topmost ? 1000 : 0) + (w.modal ? 2000 : 0) + k + 1;
    drawWindow(win, w, z, k === count - 1, w.windowState === 1 ? minimized++ : 0);
  });
  for (const [name, win] of windows) {
    if (!live.has(name)) {
      win.root.remove();
      windows.delete(name);
      if (openMenu && openMenu.win === win) closeMenus();
    }
  }
  drawBoxes(next.boxes);
  stats.applied = applied();
  openTabs(next.tabs);
  printPages(next.prints);
  tooltips = Array.isArray(next.tooltips) ? next.tooltips : [];
  const notice = typeof next.notice === 'string' ? next.notice : '';
  noticeEl.textContent = notice;
  noticeEl.hidden = !notice || notice === noticeDismissed;
  stats.draws++;
  stats.drawnAt = performance.now();
  if (!stats.windowDrawnAt && next.windows.length) stats.windowDrawnAt = stats.drawnAt;
}

// The page is the screen: the engine places the windows in the viewport's size.
function reportScreen() {
  send({ action: 'screen', viewportWidth: window.innerWidth, viewportHeight: window.innerHeight });
}

window.addEventListener('resize', () => {
  clearTimeout(reportScreen.timer);
  reportScreen.timer = setTimeout(reportScreen, 200);
});
reportScreen();
poll();
