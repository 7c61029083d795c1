// The state the page last drew, as the engine published it (the tests read it), and this
// page's name for itself: the engine reports which of a page's events it has taken.
let state = null;
window.pvState = () => state;

export const PAGE_ID = Array.from(crypto.getRandomValues(new Uint8Array(8)), (b) =>
  b.toString(16).padStart(2, '0'),
).join('');

export const current = () => state;

export function setCurrent(next) {
  state = next;
}

export function topWindow() {
  const list = state ? state.windows : [];
  return list.length ? list[list.length - 1] : null;
}

export function boxOpen() {
  return !!state && state.boxes.length > 0;
}

// The number of this page's last event that the drawn state has carried out.
export const applied = () => (state && state.applied && state.applied[PAGE_ID]) || 0;
