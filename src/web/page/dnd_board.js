// The exercise's board: a tray of items and the targets (or one list to arrange), where
// items move by pointer (press, move, release over a zone or a tile) or by keyboard (Space
// or Enter picks an item up, Tab or arrows go to a zone, Space or Enter drops it there).
const $ = (id) => document.getElementById(id);
const TRAY = -1;

export const board = {
  items: null, // [{id, text}] in the tray's order
  targets: [],
  ordered: false,
  where: new Map(), // match: item id -> target index or TRAY
  order: [], // order: item ids as arranged
  held: null,
  start(state) {
    this.items = state.items;
    this.targets = state.targets;
    this.ordered = state.kind === 'order';
    this.reset();
  },
  reset() {
    this.held = null;
    this.where = new Map(this.items.map((i) => [i.id, TRAY]));
    this.order = this.items.map((i) => i.id);
  },
  placement() {
    if (this.ordered) return [...this.order];
    return [...this.where.keys()].sort((a, b) => a - b).map((id) => this.where.get(id));
  },
  // Puts the held item on a zone (match) or before an item, or at the end (order).
  drop(zone, before) {
    const id = this.held;
    this.held = null;
    if (id === null) return;
    if (!this.ordered) {
      this.where.set(id, zone);
      return;
    }
    this.order = this.order.filter((x) => x !== id);
    const at = before === undefined ? -1 : this.order.indexOf(before);
    this.order.splice(at < 0 ? this.order.length : at, 0, id);
  },
};

const text = (id) => board.items.find((i) => i.id === id).text;

function tile(id) {
  const t = document.createElement('div');
  t.className = 'tile' + (board.held === id ? ' held' : '');
  t.tabIndex = 0;
  t.setAttribute('role', 'button');
  t.setAttribute('aria-pressed', board.held === id ? 'true' : 'false');
  t.dataset.item = id;
  t.textContent = text(id);
  t.addEventListener('keydown', (e) => onTileKey(e, id));
  t.addEventListener('pointerdown', (e) => onPointerDown(e, id));
  return t;
}

function zone(index, title, ids) {
  const z = document.createElement('section');
  z.className = 'zone' + (board.held !== null ? ' armed' : '');
  z.tabIndex = 0;
  z.dataset.zone = index;
  z.setAttribute('aria-label', title);
  const h = document.createElement('h2');
  h.textContent = title;
  z.append(h, ...ids.map(tile));
  z.addEventListener('keydown', (e) => onZoneKey(e, index));
  return z;
}

// Draws the board, the focus kept on the item or zone that had it.
export function draw(focus) {
  const b = $('board');
  const zones = board.ordered
    ? [zone(0, 'Arrange in order', board.order)]
    : [
        zone(
          TRAY,
          'Items',
          board.items.map((i) => i.id).filter((id) => board.where.get(id) === TRAY),
        ),
        ...board.targets.map((t, n) =>
          zone(
            n,
            t,
            board.items.map((i) => i.id).filter((id) => board.where.get(id) === n),
          ),
        ),
      ];
  b.replaceChildren(...zones);
  if (focus) b.querySelector(focus)?.focus();
}

const isPress = (e) => e.key === ' ' || e.key === 'Enter';

function onTileKey(e, id) {
  if (board.held !== null && board.ordered && isPress(e)) {
    e.preventDefault();
    e.stopPropagation();
    board.drop(0, board.held === id ? undefined : id);
    draw(`[data-item="${id}"]`);
    return;
  }
  if (!isPress(e) || board.held !== null) return;
  e.preventDefault();
  e.stopPropagation();
  board.held = id;
  draw(`[data-item="${id}"]`);
}

function onZoneKey(e, index) {
  const zones = [...document.querySelectorAll('.zone')];
  const at = zones.indexOf(e.currentTarget);
  if (e.key === 'Escape' && board.held !== null) {
    const id = board.held;
    board.held = null;
    draw(`[data-item="${id}"]`);
  } else if (isPress(e) && board.held !== null && e.target === e.currentTarget) {
    e.preventDefault();
    const id = board.held;
    board.drop(index);
    draw(`[data-item="${id}"]`);
  } else if (board.held !== null && (e.key === 'ArrowRight' || e.key === 'ArrowDown')) {
    e.preventDefault();
    zones[(at + 1) % zones.length].focus();
  } else if (board.held !== null && (e.key === 'ArrowLeft' || e.key === 'ArrowUp')) {
    e.preventDefault();
    zones[(at + zones.length - 1) % zones.length].focus();
  }
}

function onPointerDown(e, id) {
  if (e.button !== 0 || document.body.classList.contains('finished')) return;
  e.preventDefault();
  board.held = id;
  draw();
  const up = (u) => {
    window.removeEventListener('pointerup', up);
    const under = document.elementFromPoint(u.clientX, u.clientY);
    const z = under?.closest('.zone');
    const before = under?.closest('.tile');
    if (z) board.drop(Number(z.dataset.zone), before ? Number(before.dataset.item) : undefined);
    board.held = null;
    draw(`[data-item="${id}"]`);
  };
  window.addEventListener('pointerup', up);
}
