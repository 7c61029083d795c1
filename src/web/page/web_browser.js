// The browser control (platform/web_browser.cpp): the program's document written into a
// sandboxed frame, with the marks the user makes in its fields sent back before each event.
import { fileUrl, ref, send } from './transport.js';

// Keys pressed in a frame go where the page's own keys go.
let frameKey = () => {};
export function onFrameKey(handle) {
  frameKey = handle;
}

// The attributes that name a file to load, by element.
const URL_ATTRS = {
  img: 'src',
  image: 'href',
  input: 'src',
  embed: 'src',
  source: 'src',
  audio: 'src',
  video: 'src',
  link: 'href',
  object: 'data',
};
// Elements whose text is not markup: it runs to their end tag.
const RAW_TEXT = new Set(['style', 'textarea', 'title', 'xmp', 'noembed', 'noframes', 'iframe', 'noscript']);
const ENTITIES = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'", nbsp: '\u00a0' };

const decode = (v) =>
  v.replace(/&(#x[0-9a-f]+|#\d+|[a-z]+);/gi, (m, e) => {
    if (e[0] !== '#') return ENTITIES[e.toLowerCase()] ?? m;
    const code = e[1] === 'x' || e[1] === 'X' ? parseInt(e.slice(2), 16) : parseInt(e.slice(1), 10);
    return code > 0 && code <= 0x10ffff ? String.fromCodePoint(code) : m;
  });
const quoted = (v) => '"' + v.replace(/&/g, '&amp;').replace(/"/g, '&quot;') + '"';

// The desktop's browser reads a length with blanks before its unit ("20 pt"), which CSS
// drops: a declaration holding one such length gets it without them.
const SPACED_LENGTH =
  /(:\s*)([+-]?(?:\d+\.?\d*|\.\d+))\s+(pt|px|pc|em|ex|rem|in|cm|mm|%)(?=\s*(?:!important\s*)?(?:[;}"']|$))/gi;
export const tolerantCss = (css) => css.replace(SPACED_LENGTH, '$1$2$3');

// A file name of the document as an address of this server; "" for one elsewhere.
function address(v, base) {
  v = v.trim();
  if (/^(data|about):/i.test(v)) return v;
  if (/^[a-z][a-z0-9+.-]*:\/\//i.test(v) && !/^file:/i.test(v)) return ''; // nothing outside this machine
  let path = v.replace(/^file:\/\//i, '').replace(/\\/g, '/');
  if (!path.startsWith('/') && base) path = base.replace(/\/?$/, '/') + path;
  return fileUrl(path);
}

// The attributes of the start tag from `at`: [name, raw text, value or null] each, and
// where the tag ends (after its ">", or the text's end).
function readAttributes(html, at) {
  const attrs = [];
  const re = /[\s/]*(?:([^\s/>=][^\s/>=]*)(\s*=\s*(?:"([^"]*)"?|'([^']*)'?|([^\s>]*)))?)?/y;
  for (;;) {
    re.lastIndex = at;
    const m = re.exec(html);
    if (!m || !m[1]) {
      const close = html.indexOf('>', re.lastIndex);
      return { attrs, end: close < 0 ? html.length : close + 1 };
    }
    attrs.push([m[1].toLowerCase(), m[1] + (m[2] ?? ''), m[3] ?? m[4] ?? m[5] ?? null]);
    at = re.lastIndex;
  }
}

// A start tag as the frame gets it: no event handlers, files as addresses, lengths as CSS
// reads them; null for one that is dropped.
function startTag(tag, attrs, base) {
  if (tag === 'base' || tag === 'script') return null;
  if (tag === 'meta' && attrs.some(([n]) => n === 'http-equiv')) return null;
  let out = '<' + tag;
  for (const [name, raw, value] of attrs) {
    if (name.startsWith('on')) continue; // the page's scripts do not run
    if (value !== null && name === URL_ATTRS[tag]) {
      const url = address(decode(value), base);
      if (url) out += ' ' + name + '=' + quoted(url);
    } else if (value !== null && name === 'style') {
      out += ' style=' + quoted(tolerantCss(decode(value)));
    } else {
      out += ' ' + raw;
    }
  }
  return out + '>';
}

// Two effects the scripts of a page ask for, which the front-end gives it as their scripts
// do not run: no context menu, no text selection.
const EFFECTS = [
  ['noMenu', /document\.oncontextmenu\s*=/i],
  ['noSelect', /document\.onselectstart\s*=/i],
];

// The written document as the frame shows it, in one pass over its text: scripts and
// handlers out, its file names turned into addresses of this server, its styles read as
// the desktop's browser reads them. The frame parses the result once.
function rewrite(doc) {
  const html = doc.html || '';
  const page = { html: /^\s*<!doctype/i.test(html) ? '' : '<!DOCTYPE html>', noMenu: false, noSelect: false };
  const tagName = /<([a-z][^\s/>]*)/iy;
  let at = 0;
  while (at < html.length) {
    const lt = html.indexOf('<', at);
    if (lt < 0) {
      page.html += html.slice(at);
      break;
    }
    page.html += html.slice(at, lt);
    if (html.startsWith('<!--', lt)) {
      const close = html.indexOf('-->', lt + 4);
      at = close < 0 ? html.length : close + 3;
      page.html += html.slice(lt, at);
      continue;
    }
    tagName.lastIndex = lt;
    const m = tagName.exec(html);
    if (!m) {
      page.html += '<'; // an end tag or text: the frame reads it as it is
      at = lt + 1;
      continue;
    }
    const name = m[1].toLowerCase();
    const { attrs, end } = readAttributes(html, tagName.lastIndex);
    const kept = startTag(name, attrs, doc.base);
    if (kept !== null) page.html += kept;
    at = end;
    if (name === 'script' || RAW_TEXT.has(name)) at = rawText(html, at, name, page);
  }
  return page;
}

// The text of a script or raw-text element from `at`, up to its end tag, which is left to
// follow as markup (a script's goes with it); returns where the text ends.
function rawText(html, at, name, page) {
  const closing = new RegExp('</' + name + '[\\s/>]', 'ig');
  closing.lastIndex = at;
  const c = closing.exec(html);
  const textEnd = c ? c.index : html.length;
  const text = html.slice(at, textEnd);
  if (name === 'style') page.html += tolerantCss(text);
  else if (name !== 'script') page.html += text;
  if (name !== 'script') return textEnd;
  for (const [effect, asks] of EFFECTS) if (asks.test(text)) page[effect] = true;
  return c ? readAttributes(html, c.index + 2 + name.length).end : textEnd;
}

export const documentSource = (doc) => rewrite(doc).html;

export function drawBrowser(win, d, c) {
  const doc = c.document;
  d.doc = doc;
  if (d.generation !== doc.generation) {
    d.generation = doc.generation;
    d.marksGeneration = -1;
    d.dirty = false;
    d.fields = null;
    const page = rewrite(doc);
    d.effects = page;
    // The frame takes each page in place, as the program writes it, its first one
    // included (into the frame's empty first document): no navigation, so the page is
    // drawn in the same frame as the window around it.
    const fd = d.frame.isConnected ? d.frame.contentDocument : null;
    if (!fd) {
      d.frame.srcdoc = page.html;
      return; // marks and handlers follow on load
    }
    fd.open();
    fd.write(page.html);
    fd.close();
    wireDocument(win, d, true);
    return;
  }
  if (d.marksGeneration !== doc.marksGeneration) applyMarks(d);
  markClickables(d);
}

// The page's fields, read once for each document written (once it is all there).
function fieldsOf(d) {
  const fd = d.frame.contentDocument;
  if (!fd) return [];
  if (d.fields && d.fields.doc === fd) return d.fields;
  const fields = Array.from(fd.querySelectorAll('input, select, textarea'));
  if (fd.readyState !== 'loading') d.fields = Object.assign(fields, { doc: fd });
  return fields;
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
  // Each mark goes to the engine as it is made, so that a page loaded anew shows it.
  const marked = () => {
    d.dirty = true;
    queueMicrotask(() => {
      if (d.dirty) send({ action: 'marks' });
    });
  };
  fd.addEventListener('input', marked, true);
  fd.addEventListener('change', marked, true);
  fd.addEventListener('contextmenu', (e) => {
    if (d.effects?.noMenu) e.preventDefault();
  });
  fd.addEventListener('selectstart', (e) => {
    if (d.effects?.noSelect && !e.target.closest?.('input, textarea')) e.preventDefault();
  });
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
