// How each kind of control is made (web/snapshot.cpp names the kinds): its elements and
// the events it sends.
import { el, modifiers } from './dom.js';
import { ref, send } from './transport.js';
import { wireDocument } from './web_browser.js';

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

export const MAKERS = {
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
      send(
        Object.assign({ action: 'item', item: Number(item.dataset.item), modifiers: modifiers(e) }, ref(win, d.model)),
      );
    });
    d.root.addEventListener('dblclick', (e) => {
      if (e.target.closest('.item') && d.model.handlesDblClick)
        send(Object.assign({ action: 'dblclick' }, ref(win, d.model)));
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
        d.typedSeq = send(
          Object.assign(
            item >= 0 ? { action: 'item', item } : { action: 'text', text: d.root.value },
            ref(win, d.model),
          ),
        );
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
      wireDocument(win, d);
    });
    d.generation = -1;
    d.focusEl = d.frame;
  },
};

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
