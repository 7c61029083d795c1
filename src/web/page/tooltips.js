// The tips of the tooltip control (platform/tooltips.cpp).
import { el } from './dom.js';

// A tip attached to a window shows once the mouse has rested over that window for the
// tip's delay: near the mouse, or centred under the window for a centred tip. It goes
// after its visible time or when the mouse leaves the window.
let tooltips = [];
export function setTooltips(list) {
  tooltips = Array.isArray(list) ? list : [];
}

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
  if (tip.window !== null && tip.window === name) return; // a tip shown stays while inside
  hideTip();
  const t = name ? tooltips.find((x) => x.window === name) : null;
  if (!t || !t.text) return;
  tip.timer = setTimeout(() => showTip(t, winEl, e.clientX, e.clientY), t.initial);
});
