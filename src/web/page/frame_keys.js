// Tab between a window's controls and the fields of a browser control's document, as the
// desktop's browser control takes it: the engine's Tab that reaches the control goes on to
// the document's first field (its last when going back), the fields take Tab among
// themselves (an option group is one stop), and Tab past the last field (or back past the
// first) goes on to the window's next control.

let backwards = false;

// The direction of the latest Tab, which a document entered by it starts from.
export function notedTab(e) {
  backwards = e.shiftKey;
}

const FIELDS = 'input:not([type=hidden]), select, textarea, button, a[href], [tabindex]';

// The document's stops in order, each a list of its fields: an option group's buttons are
// one stop.
function stops(doc) {
  const groups = new Map();
  const out = [];
  for (const n of doc.querySelectorAll(FIELDS)) {
    if (n.disabled || n.tabIndex < 0 || n.getClientRects().length === 0) continue;
    if (n.type === 'radio' && n.name) {
      const key = n.name + '\n' + (n.form ? [...doc.forms].indexOf(n.form) : -1);
      if (groups.has(key)) {
        groups.get(key).push(n);
        continue;
      }
      groups.set(key, [n]);
      out.push(groups.get(key));
    } else {
      out.push([n]);
    }
  }
  return out;
}

// The engine gave the focus to the browser control: its document's first or last stop
// takes it (an option group's set button, else its first or last one).
export function enterDocument(frame) {
  frame.focus({ preventScroll: true });
  const doc = frame.contentDocument;
  if (!doc) return;
  const all = stops(doc);
  if (all.length === 0) return;
  const stop = all[backwards ? all.length - 1 : 0];
  const field = stop.find((n) => n.checked) || stop[backwards ? stop.length - 1 : 0];
  field.focus({ preventScroll: true });
}

// Whether a Tab pressed in a document leaves it: from its last stop (its first going
// back), or from a document without any.
export function leavesDocument(e) {
  const all = stops(e.target.ownerDocument);
  if (all.length === 0) return true;
  const at = all.findIndex((stop) => stop.includes(e.target));
  if (at < 0) return false; // from the document itself: the browser goes to its first or last field
  return e.shiftKey ? at === 0 : at === all.length - 1;
}
