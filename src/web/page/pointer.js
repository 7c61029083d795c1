// The mouse's movements over the controls that hear them, and the full-screen show.
import { drawnOf } from './controls.js';
import { TWIPS_PER_PIXEL, modifiers, px } from './dom.js';
import { menuOpen } from './menus.js';
import { boxOpen, current } from './state.js';
import { ref, send } from './transport.js';

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
  if (!hit || !hit.d.model.handlesMouseMove || boxOpen() || menuOpen()) return;
  const r = hit.d.root.getBoundingClientRect();
  mouse.pending = Object.assign(
    {
      action: 'mousemove',
      x: Math.round((e.clientX - r.left) * TWIPS_PER_PIXEL),
      y: Math.round((e.clientY - r.top) * TWIPS_PER_PIXEL),
      button: (e.buttons & 1 ? 1 : 0) | (e.buttons & 2 ? 2 : 0),
      modifiers: modifiers(e),
    },
    ref(hit.win, hit.d.model),
  );
  if (!mouse.timer)
    mouse.timer = setTimeout(sendMouse, Math.max(0, mouse.sentAt + MOUSE_INTERVAL_MS - performance.now()));
});

// A borderless topmost window as large as the screen is a full-screen show: the page
// turns black around it and asks the browser for full screen as soon as a gesture of the
// user allows it.
export function fullScreenShow(s) {
  return (
    !!s &&
    s.windows.some(
      (w) =>
        w.topmost &&
        w.borderStyle === 0 &&
        w.windowState === 0 &&
        px(w.width) >= s.screen.width &&
        px(w.height) >= s.screen.height,
    )
  );
}

function askFullScreen() {
  if (!fullScreenShow(current()) || document.fullscreenElement || !document.fullscreenEnabled) return;
  document.documentElement.requestFullscreen().catch(() => {});
}
for (const type of ['pointerdown', 'keydown', 'touchend']) document.addEventListener(type, askFullScreen, true);
