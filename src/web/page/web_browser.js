// The browser control (platform/web_browser.cpp): the program's document written into a
// sandboxed frame, with the marks the user makes in its fields sent back before each event.
import { fileUrl, ref, send } from './transport.js';

// Keys pressed in a frame go where the page's own keys go.
let frameKey = () => {};
export function onFrameKey(handle) {
  frameKey = handle;
}

const URL_ATTRS = [
  ['img', 'src'],
  ['image', 'href'],
  ['input', 'src'],
  ['embed', 'src'],
  ['source', 'src'],
  ['audio', 'src'],
  ['video', 'src'],
  ['link', 'href'],
  ['object', 'data'],
];

// The written document with its file names turned into addresses of this server; it is
// parsed inertly here, so nothing of it loads before that.
export function documentSource(doc) {
  const parsed = new DOMParser().parseFromString(doc.html || '', 'text/html');
  parsed.querySelectorAll('script, base, meta[http-equiv]').forEach((n) => n.remove());
  for (const [tag, attr] of URL_ATTRS) {
    parsed.querySelectorAll(`${tag}[${attr}]`).forEach((n) => {
      const v = n.getAttribute(attr).trim();
      if (/^(data|about):/i.test(v)) return;
      if (/^[a-z][a-z0-9+.-]*:\/\//i.test(v) && !/^file:/i.test(v)) {
        n.removeAttribute(attr); // nothing outside this machine's loopback server
        return;
      }
      let path = v.replace(/^file:\/\//i, '').replace(/\\/g, '/');
      if (!path.startsWith('/') && doc.base) path = doc.base.replace(/\/?$/, '/') + path;
      n.setAttribute(attr, fileUrl(path));
    });
  }
  return '<!DOCTYPE html>' + parsed.documentElement.outerHTML;
}

export function drawBrowser(win, d, c) {
  const doc = c.document;
  d.doc = doc;
  if (d.generation !== doc.generation) {
    d.generation = doc.generation;
    d.marksGeneration = -1;
    d.dirty = false;
    const fd = d.loaded ? d.frame.contentDocument : null;
    if (!fd) {
      d.frame.srcdoc = documentSource(doc);
      return; // marks and handlers follow on load
    }
    // A frame that holds one of our pages takes the next one in place, as the program
    // writes it: no navigation, so the page is drawn at once.
    fd.open();
    fd.write(documentSource(doc));
    fd.close();
    wireDocument(win, d, true);
    return;
  }
  if (d.marksGeneration !== doc.marksGeneration) applyMarks(d);
  markClickables(d);
}

function fieldsOf(d) {
  const fd = d.frame.contentDocument;
  return fd ? Array.from(fd.querySelectorAll('input, select, textarea')) : [];
}

// The page and the engine know a field by its name (its id when it has none) and its
// position among the fields so named; where the two read odd markup differently, a field
// matched this way and of the same type is still the same field.
function byNameAndPosition(fields) {
  const count = new Map();
  const keyed = new Map();
  for (const f of fields) {
    const name = f.name || f.id || '';
    const n = count.get(name) || 0;
    count.set(name, n + 1);
    keyed.set(name + '\n' + n, f);
  }
  return keyed;
}

const fieldType = (f) => (f.type || f.tagName).toLowerCase();
// Fields whose text the engine may set; the others keep what the page gave them.
const TEXT_FIELDS = new Set(['text', 'search', 'tel', 'url', 'password', 'textarea']);

// The engine's marks and texts shown in the page. `written`: the page was just written in
// place, so its fields are all there.
function applyMarks(d, written = false) {
  const fd = d.frame.contentDocument;
  if (!fd || (!written && fd.readyState !== 'complete')) return;
  d.marksGeneration = d.doc.marksGeneration;
  const page = byNameAndPosition(fieldsOf(d));
  for (const [key, m] of byNameAndPosition(d.doc.fields)) {
    const f = page.get(key);
    if (!f || fieldType(f) !== m.type) continue;
    if (m.type === 'checkbox' || m.type === 'radio') f.checked = m.checked;
    else if (TEXT_FIELDS.has(m.type) && f.value !== m.value) f.value = m.value;
  }
}

function markClickables(d) {
  const fd = d.frame.contentDocument;
  if (!fd) return;
  const ids = new Set(d.doc.clicks);
  fd.querySelectorAll('[data-pv-click]').forEach((n) => {
    if (!ids.has(n.id)) n.removeAttribute('data-pv-click');
  });
  for (const id of ids) fd.getElementById(id)?.setAttribute('data-pv-click', '');
}

export function wireDocument(win, d, written = false) {
  const fd = d.frame.contentDocument;
  if (!fd || !d.doc) return;
  applyMarks(d, written);
  markClickables(d);
  if (fd.pvWired === d.generation) return; // this page's listeners are on already
  fd.pvWired = d.generation;
  fd.addEventListener(
    'input',
    () => {
      d.dirty = true;
    },
    true,
  );
  fd.addEventListener(
    'change',
    () => {
      d.dirty = true;
    },
    true,
  );
  fd.addEventListener('submit', (e) => e.preventDefault(), true);
  fd.addEventListener(
    'click',
    (e) => {
      // The page never navigates or submits by itself.
      const link = e.target.closest('a[href], area[href], button, input[type=submit], input[type=image]');
      if (link && !(link.tagName === 'INPUT' && /^(checkbox|radio)$/i.test(link.type))) e.preventDefault();
      const target = e.target.closest('[id]');
      const handled = target && d.doc.clicks.includes(target.id) ? target : null;
      if (handled) {
        d.dirty = true;
        send(Object.assign({ action: 'element', element: handled.id }, ref(win, d.model)));
      }
    },
    true,
  );
  fd.addEventListener('keydown', (e) => frameKey(e), true);
}

// The marks of every browser control the user changed since the last event.
export function collectMarks(windows) {
  const marks = [];
  for (const win of windows) {
    for (const d of win.controls.values()) {
      if (d.model.kind !== 'browser' || !d.dirty) continue;
      d.dirty = false;
      const fields = fieldsOf(d).map((f) => ({
        id: f.id,
        name: f.name || '',
        type: fieldType(f),
        value: f.value || '',
        checked: !!f.checked,
      }));
      marks.push(Object.assign({ generation: d.generation, fields }, ref(win, d.model)));
    }
  }
  return marks;
}
