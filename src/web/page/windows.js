// The windows of the desktop (platform/form.cpp): the frame, title bar and buttons of each,
// moved and sized by the user, with its menu bar and controls drawn inside.
import { TWIPS_PER_PIXEL, el, fontCss, pointerCss, px, setText } from './dom.js';
import { drawControls, redrawControls } from './controls.js';
import { closeMenusOf, drawMenuBar } from './menus.js';
import { applied, topWindow } from './state.js';
import { fileUrl, send } from './transport.js';

const desktop = document.getElementById('desktop');
// Window name -> drawn window.
export const windows = new Map();

// Draws the state's windows, bottom to top, and removes those it no longer holds.
export function drawWindows(next) {
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
      closeMenusOf(win);
    }
  }
}

// Draws again only the controls `touched` holds (window position -> control positions) when
// nothing else changed, leaving the rest of the page as it is; false when that cannot be
// done and everything must be drawn.
export function drawTouched(next, touched) {
  for (const [k, list] of touched) {
    const w = next.windows[k];
    const win = w && windows.get(w.name);
    if (!win || w.windowState === 1) return false;
    win.model = w;
    if (!redrawControls(win, w, list)) return false;
  }
  return true;
}

export function clearWindows() {
  desktop.replaceChildren();
  windows.clear();
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
  const win = {
    name: w.name,
    root,
    title,
    caption,
    minB,
    maxB,
    closeB,
    menubar,
    client,
    grip,
    controls: new Map(),
    model: w,
    focus: -1,
  };

  root.addEventListener(
    'pointerdown',
    () => {
      const top = topWindow();
      if (top && top.name !== win.name && !win.model.topmost) send({ action: 'activate', window: win.name });
    },
    true,
  );
  // A minimised window's first button restores it (the engine knows to which state).
  const toggleState = (state) =>
    send({ action: 'state', window: win.name, windowState: win.model.windowState === state ? 0 : state });
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
    const r = win.root;
    const start = { x: e.clientX, y: e.clientY, l: r.offsetLeft, t: r.offsetTop, w: r.offsetWidth, h: r.offsetHeight };
    let moved = false;
    win.dragging = true;
    const move = (ev) => {
      const dx = ev.clientX - start.x,
        dy = ev.clientY - start.y;
      moved = moved || dx !== 0 || dy !== 0;
      if (sizing) {
        r.style.width = Math.max(40, start.w + dx) + 'px';
        r.style.height = Math.max(24, start.h + dy) + 'px';
      } else {
        r.style.left = start.l + dx + 'px';
        r.style.top = start.t + dy + 'px';
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
      const t = TWIPS_PER_PIXEL;
      win.heldUntil = send(
        sizing
          ? { action: 'size', window: win.name, width: r.offsetWidth * t, height: r.offsetHeight * t }
          : { action: 'move', window: win.name, left: r.offsetLeft * t, top: r.offsetTop * t },
      );
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
  r.style.borderWidth = px(w.frameWidth) + 'px';
  if (w.windowState === 2) {
    Object.assign(r.style, { left: '0px', top: '0px', width: '100%', height: '100%' });
  } else if (w.windowState === 1) {
    Object.assign(r.style, { left: 4 + minimizedSlot * 164 + 'px', top: '', bottom: '4px' });
  } else if (!win.dragging && applied() >= (win.heldUntil || 0)) {
    // While the user drags the window, the drag decides where it is drawn.
    Object.assign(r.style, {
      left: px(w.left) + 'px',
      top: px(w.top) + 'px',
      bottom: '',
      width: px(w.width) + 'px',
      height: px(w.height) + 'px',
    });
  }
  r.style.cursor = pointerCss(w.pointer, '');
  drawTitleBar(win, w);
  drawMenuBar(win, w, isTop);
  const c = win.client;
  c.hidden = w.windowState === 1;
  c.style.backgroundColor = w.backColor;
  c.style.backgroundImage = w.picture ? `url("${fileUrl(w.picture)}")` : '';
  fontCss(c, w.font);
  if (w.windowState !== 1) drawControls(win, w, isTop);
}

function drawTitleBar(win, w) {
  const titleH = w.windowState === 1 ? 20 : px(w.titleHeight);
  win.title.hidden = titleH === 0;
  win.title.style.height = titleH + 'px';
  setText(win.caption, w.caption);
  win.minB.hidden = !w.controlBox || (!w.minButton && !w.maxButton);
  win.maxB.hidden = win.minB.hidden;
  win.minB.disabled = !w.minButton;
  setText(win.minB, w.windowState === 1 ? '\u2750' : '_');
  win.minB.title = w.windowState === 1 ? 'Restore' : 'Minimize';
  win.maxB.disabled = !w.maxButton;
  setText(win.maxB, w.windowState === 2 ? '\u2750' : '\u25a1');
  win.maxB.title = w.windowState === 2 ? 'Restore' : 'Maximize';
  win.closeB.hidden = !w.controlBox;
  win.grip.hidden = w.borderStyle !== 2 || w.windowState !== 0;
}
