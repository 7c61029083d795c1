// The drawing of the controls that show more than a caption: lists, combo boxes, scroll
// bars and tabbed dialogs, and the text of a field the user may be typing ahead in.
import { el, px, setCaption } from './dom.js';
import { applied } from './state.js';
import { ref, send } from './transport.js';

// engine has not yet taken all that was typed.
export function syncValue(d, node, text) {
  if (node.value === text) return;
  const taken = applied();
  if (document.activeElement === node && taken < (d.typedSeq || 0)) return;
  node.value = text;
}

export function drawList(d, c) {
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

export function drawCombo(d, c) {
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
export function drawScroll(d, c) {
  const length = c.vertical ? px(c.height) : px(c.width);
  const arrow = Math.min(16, Math.floor(length / 2));
  for (const a of d.arrows) a.style[c.vertical ? 'height' : 'width'] = arrow + 'px';
  const range = c.max - c.min;
  const track = Math.max(0, length - 2 * arrow);
  const thumb = Math.max(8, Math.min(track, range === 0 ? track : 16));
  d.thumb.hidden = track < 8;
  const at = range === 0 ? 0 : ((c.value - c.min) / range) * Math.max(0, track - thumb);
  Object.assign(
    d.thumb.style,
    c.vertical
      ? { left: '0', right: '0', top: at + 'px', height: thumb + 'px', width: '' }
      : { top: '0', bottom: '0', left: at + 'px', width: thumb + 'px', height: '' },
  );
  d.root.setAttribute('role', 'scrollbar');
  d.root.setAttribute('aria-valuenow', c.value);
}

export function drawTabs(win, d, c) {
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
  const selectedRow = Math.floor(
    Math.max(
      0,
      shown.findIndex((x) => x.k === c.tab),
    ) / perRow,
  );
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
