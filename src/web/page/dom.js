// Small helpers of drawing: elements, captions with their access keys, fonts, mouse
// pointers and pictures.
import { fileUrl } from './transport.js';

export const TWIPS_PER_PIXEL = 15;
export const px = (twips) => Math.round(twips / TWIPS_PER_PIXEL);

// The shift state of a key or a click, as the engine's handlers receive it.
export function modifiers(e) {
  return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
}

export function el(tag, cls, parent) {
  const e = document.createElement(tag);
  if (cls) e.className = cls;
  if (parent) parent.appendChild(e);
  return e;
}

// A text set only when it differs: setting it anew replaces the node's children.
export function setText(node, text) {
  if (node.textContent !== text) node.textContent = text;
}

// A caption with its access key ("&Start") drawn underlined; "&&" is a plain "&".
export function setCaption(node, caption) {
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
  'ms sans serif': 'Liberation Sans',
  'microsoft sans serif': 'Liberation Sans',
  arial: 'Liberation Sans',
  tahoma: 'Liberation Sans',
  verdana: 'Liberation Sans',
  helvetica: 'Liberation Sans',
  'small fonts': 'Liberation Sans',
  'times new roman': 'Liberation Serif',
  times: 'Liberation Serif',
  'ms serif': 'Liberation Serif',
  'courier new': 'Liberation Mono',
  courier: 'Liberation Mono',
  'lucida console': 'Liberation Mono',
};
const GENERIC = { 'Liberation Serif': 'serif', 'Liberation Mono': 'monospace' };

function fontFamily(name) {
  const face = FACES[name.toLowerCase()];
  return face ? `"${face}", "${name}", ${GENERIC[face] || 'sans-serif'}` : `"${name}", "Liberation Sans", sans-serif`;
}

export function fontCss(node, f) {
  if (!f) return;
  node.style.fontFamily = fontFamily(f.name);
  node.style.fontSize = f.size + 'pt';
  node.style.fontWeight = f.bold ? 'bold' : 'normal';
  node.style.fontStyle = f.italic ? 'italic' : 'normal';
  node.style.textDecoration =
    [f.underline ? 'underline' : '', f.strikethrough ? 'line-through' : ''].join(' ').trim() || 'none';
}

const POINTERS = {
  11: 'wait',
  1: 'default',
  2: 'crosshair',
  3: 'text',
  5: 'move',
  15: 'move',
  6: 'nesw-resize',
  7: 'ns-resize',
  8: 'nwse-resize',
  9: 'ew-resize',
  12: 'no-drop',
  13: 'progress',
  14: 'help',
};

export function pointerCss(pointer, icon) {
  if (pointer === 99) return icon ? `url("${fileUrl(icon)}"), pointer` : '';
  return POINTERS[pointer] || '';
}

// A picture, or a labelled box in its place when the file is missing or unreadable.
export function setPicture(holder, img, path) {
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
