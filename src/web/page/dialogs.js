// The message and input boxes of the desktop (platform/dialogs.cpp), above every window;
// only the newest takes the user's input.
import { el, setCaption } from './dom.js';
import { send } from './transport.js';

const boxLayer = document.getElementById('boxes');
const ICONS = { 16: ['critical', '\u2715'], 32: ['question', '?'], 48: ['exclamation', '!'], 64: ['information', 'i'] };

let drawnBoxes = '';

function answer(box, result, text) {
  send({ action: 'answer', box: box.box, result, text: text || '' });
}

export function drawBoxes(boxes) {
  const key = JSON.stringify(boxes);
  if (key === drawnBoxes) return;
  drawnBoxes = key;
  boxLayer.replaceChildren();
  if (!boxes.length) return;
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

export function boxKey(e) {
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

export function clearBoxes() {
  boxLayer.replaceChildren();
  drawnBoxes = '';
}
