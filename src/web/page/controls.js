// The controls of a window as the engine describes them (web/snapshot.cpp): each made
// once, kept while its number, kind and name stay, and drawn again when its state changed.
import { el, fontCss, pointerCss, px, setCaption, setPicture } from './dom.js';
import { MAKERS } from './control_makers.js';
import { drawCombo, drawList, drawScroll, drawTabs, syncValue } from './control_kinds.js';
import { enterDocument } from './frame_keys.js';
import { boxOpen } from './state.js';
import { drawBrowser } from './web_browser.js';

// Buttons, picture boxes, frames and the other windowed controls lie above labels, images
// and lines; within each layer the first control of the description is on top.
const LIGHT = new Set(['label', 'image', 'line']);
const LIVE = new Set(['text', 'list', 'combo', 'scroll', 'tabs', 'browser']);

export function drawControls(win, w, isTop) {
  const seen = new Set();
  const byNumber = new Map(w.controls.map((c) => [c.control, c]));
  const n = w.controls.length;
  // Every control exists before any is placed: a container may come after what it holds.
  for (const c of w.controls) {
    const key = controlKey(c);
    if (!win.controls.has(key)) win.controls.set(key, makeControl(win, c));
  }
  w.controls.forEach((c, order) => {
    seen.add(controlKey(c));
    drawControl(win, c, order, n, byNumber);
  });
  for (const [key, d] of win.controls) {
    if (!seen.has(key)) {
      d.root.remove();
      win.controls.delete(key);
    }
  }
  // Focus moved by the program, or the window came to the front again: the page follows.
  const front = isTop && !boxOpen();
  if (w.focus !== win.focus || (front && !win.front)) {
    win.focus = w.focus;
    const c = byNumber.get(w.focus);
    const d = c && win.controls.get(controlKey(c));
    if (d && front && document.activeElement !== d.focusEl) {
      if (c.kind === 'browser') enterDocument(d.frame);
      else d.focusEl?.focus({ preventScroll: true });
    }
  }
  win.front = front;
  for (const d of win.controls.values())
    d.root.classList.toggle('focus', d.model.control === w.focus && d.model.kind !== 'text');
}

// Draws again only the controls at the positions `list`, and what they hold, when nothing
// else of the window changed (the study saver's drifting logo); false when one of them is
// not drawn yet.
export function redrawControls(win, w, list) {
  const byNumber = new Map(w.controls.map((c) => [c.control, c]));
  const drawn = new Set(list);
  // What a control holds follows it: it may be on another of its pages now.
  for (const k of drawn) {
    const c = w.controls[k];
    if (!c || !win.controls.has(controlKey(c))) return false;
    w.controls.forEach((inside, at) => {
      if (inside.parent === c.control) drawn.add(at);
    });
  }
  for (const k of drawn) drawControl(win, w.controls[k], k, w.controls.length, byNumber);
  return true;
}

function drawControl(win, c, order, n, byNumber) {
  const d = win.controls.get(controlKey(c));
  const parent = byNumber.get(c.parent);
  const host = parent ? win.controls.get(controlKey(parent)) : null;
  const into = host ? host.inner : win.client;
  if (d.root.parentNode !== into) into.appendChild(d.root);
  const onPage = !parent || parent.kind !== 'tabs' || c.page < 0 || parent.tab === c.page;
  const hidden = !c.visible || !onPage;
  if (d.root.hidden !== hidden) d.root.hidden = hidden;
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
}

// A group box reaching past what holds it draws its edge where it is cut off, so the box
// still shows closed.
function keepEdgeInView(r) {
  const host = r.parentNode;
  if (!host || host.clientWidth === 0) return;
  const edge = r.firstChild.style;
  edge.right = Math.max(0, r.offsetLeft + r.offsetWidth - host.clientWidth) + 'px';
  edge.bottom = Math.max(0, r.offsetTop + r.offsetHeight - host.clientHeight) + 'px';
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

// The drawn control of each control element, for the mouse movements over it.
export const drawnOf = new WeakMap();

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
      r.setAttribute(
        'aria-checked',
        c.kind === 'check' ? (c.value === 1 ? 'true' : c.value === 2 ? 'mixed' : 'false') : String(!!c.value),
      );
      if (c.kind === 'check') {
        d.box.textContent = c.value ? '\u2713' : '';
        d.box.classList.toggle('grey', c.value === 2);
      } else {
        d.box.classList.toggle('on', !!c.value);
      }
      r.tabIndex = c.enabled ? 0 : -1;
      break;
    case 'list':
      drawList(d, c);
      break;
    case 'combo':
      drawCombo(d, c);
      break;
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
      keepEdgeInView(r);
      break;
    case 'scroll':
      drawScroll(d, c);
      break;
    case 'tabs':
      drawTabs(win, d, c);
      break;
    case 'line': {
      r.style.left = '0px';
      r.style.top = '0px';
      r.style.width = '0px';
      r.style.height = '0px';
      for (const [k, v] of [
        ['x1', c.x1],
        ['y1', c.y1],
        ['x2', c.x2],
        ['y2', c.y2],
      ])
        d.line.setAttribute(k, px(v));
      d.line.setAttribute('stroke', c.borderColor);
      d.line.setAttribute('stroke-width', Math.max(1, c.borderWidth));
      break;
    }
    case 'browser':
      drawBrowser(win, d, c);
      break;
  }
}
