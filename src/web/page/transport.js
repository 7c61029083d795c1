// The page's two lines to the engine (web/server.cpp): events go out in order, one request
// at a time, and the state comes back by a streamed long poll, whole or as changes to the
// state held.
import { PAGE_ID, current } from './state.js';

const SECRET = new URLSearchParams(location.search).get('s') || '';

// Numbers the test suite reads: how many states were drawn and when the last one was, the
// number of the page's last event, and of the last one the drawn state has carried out,
// and how long after its publishing the last state was drawn.
// `windowDrawnAt`: when a window was first drawn after the page loaded.
// `controlDraws`: the states drawn by drawing some controls alone.
export const stats = {
  version: 0,
  draws: 0,
  controlDraws: 0,
  drawnAt: 0,
  windowDrawnAt: 0,
  sent: 0,
  applied: 0,
  prints: 0,
  lateness: 0,
};
window.pvStats = stats;

export const q = (path) => path + (path.includes('?') ? '&' : '?') + 's=' + encodeURIComponent(SECRET);
export const fileUrl = (path) => q('/file?path=' + encodeURIComponent(path));
// The fields that name a control of a drawn window in an event.
export const ref = (win, c) => ({ window: win.name, control: c.control, name: c.name });

let sequence = 0;
let ended = false;
const outbox = [];
let sending = false;
// What goes with every event before it (the marks made in browser controls).
let collectMarks = () => [];

export const isEnded = () => ended;

export function onSend(collect) {
  collectMarks = collect;
}

export function send(event) {
  const marks = collectMarks();
  if (marks.length) event.marks = marks;
  event.pageId = PAGE_ID;
  event.sequence = ++sequence;
  stats.sent = sequence;
  outbox.push(event);
  if (!sending) flush();
  return event.sequence;
}

// One request at a time, so the engine sees the events in the order the user made them.
async function flush() {
  sending = true;
  while (outbox.length && !ended) {
    const batch = outbox.splice(0, 64); // the most the engine takes in one request
    try {
      const r = await fetch(q('/api/input'), {
        method: 'POST',
        headers: { 'Content-Type': 'application/json' },
        body: JSON.stringify(batch),
      });
      // A refused request names the field at fault; the page's own error, so it is logged.
      if (!r.ok) console.error(`The program refused input (${r.status}): ${(await r.text()).trim()}`);
    } catch (e) {
      break;
    }
  }
  sending = false;
}

// Polls until the program ends: `draw` gets each new state (and the controls its changes
// touched, when they touched nothing else), `end` a line to show instead of the windows.
// The poll is streamed: the replies come a line each over one held response, which the
// engine ends after a while; the page then asks again.
export async function poll(draw, end) {
  let failures = 0;
  while (!ended) {
    try {
      const r = await fetch(q('/api/state?patch=1&stream=1&after=' + stats.version), { cache: 'no-store' });
      if (r.status === 403) {
        end('This page belongs to another run of the program.');
        return;
      }
      if (!r.ok) throw new Error(String(r.status));
      failures = 0;
      await readLines(r, (reply) => take(reply, draw, end));
    } catch (e) {
      // The server is on this machine: one that does not answer a few quick tries is gone.
      if (++failures >= 3) {
        ended = true;
        end('The program has ended.');
        return;
      }
      await new Promise((res) => setTimeout(res, 15 * failures));
    }
  }
}

// Hands each line of the reply to `take` while it says to go on; a reply that is not
// streamed is one line without its end.
async function readLines(response, take) {
  const reader = response.body.pipeThrough(new TextDecoderStream()).getReader();
  let held = '';
  for (;;) {
    const { value, done } = await reader.read();
    if (done) {
      if (held.trim()) take(JSON.parse(held));
      return;
    }
    held += value;
    for (let nl = held.indexOf('\n'); nl >= 0; nl = held.indexOf('\n')) {
      const line = held.slice(0, nl);
      held = held.slice(nl + 1);
      if (!take(JSON.parse(line))) {
        reader.cancel();
        return;
      }
    }
  }
}

// Draws a reply; false when the stream it came in cannot go on (the program ended, or its
// changes were to a state the page does not hold, so the page asks anew).
function take(reply, draw, end) {
  if (reply.version !== stats.version) {
    const next = reply.patches ? patched(reply) : reply.state;
    stats.version = next ? reply.version : 0; // changes to a state not held: ask anew
    if (next) {
      draw(next, reply.patches ? touchedControls(reply) : null);
      // From the engine's publishing of the state to its drawing here, in milliseconds.
      stats.lateness = Date.now() - reply.at;
    }
  }
  if (reply.ended) {
    ended = true;
    end('The program has ended.');
  }
  return !ended && stats.version === reply.version;
}

// The drawn state with the engine's changes since it: each a path of keys and positions,
// and the value there (the path [] is the whole state). A list of named items (the
// windows) comes as the names of the items it keeps and the new items whole, a long text
// that kept some of its start or end as the part that changed.
function patched(reply) {
  let next = current();
  if (!next || reply.from !== stats.version) return null;
  for (const changes of reply.patches) {
    for (const [path, value, how] of changes) {
      if (!path.length) {
        next = value;
        continue;
      }
      let at = next;
      for (const step of path.slice(0, -1)) at = at[step];
      const last = path[path.length - 1];
      if (how === 'names') at[last] = byName(at[last], value);
      else if (how === 'splice') at[last] = spliced(at[last], value);
      else at[last] = value;
    }
  }
  return next;
}

// The controls a reply's changes touched, as window position -> control positions, when
// nothing but controls changed; otherwise null.
function touchedControls(reply) {
  const touched = new Map();
  for (const changes of reply.patches) {
    for (const [path, , how] of changes) {
      if (path.length < 4 || path[0] !== 'windows' || path[2] !== 'controls' || how === 'names') return null;
      if (!touched.has(path[1])) touched.set(path[1], new Set());
      touched.get(path[1]).add(path[3]);
    }
  }
  return touched;
}

function byName(held, items) {
  const named = new Map(held.map((item) => [item.name, item]));
  return items.map((item) => (typeof item === 'string' ? named.get(item) : item));
}

function spliced(held, [at, cut, text]) {
  return held.slice(0, at) + text + held.slice(at + cut);
}
