// What the exercise programs' pages share: the program's address with the page's secret,
// events sent in order, the state drawn as the program publishes it, and the signal that
// the tab still lives.
const SECRET = new URLSearchParams(location.search).get('s') || '';
export const q = (path) => path + (path.includes('?') ? '&' : '?') + 's=' + encodeURIComponent(SECRET);
export const $ = (id) => document.getElementById(id);
const ALIVE_MS = 4000; // the program ends when its tab has been silent for some seconds

let queue = Promise.resolve();

// Events go one after the other, in the order they were made.
export function send(event) {
  queue = queue
    .then(() =>
      fetch(q('/api/input'), {
        method: 'POST',
        headers: { 'Content-Type': 'application/json' },
        body: JSON.stringify(event),
      }),
    )
    .catch(() => {});
  return queue;
}

// Says the tab lives, then hands each state the program publishes to `show` with its
// version, until the program ends.
export async function run(show) {
  setInterval(() => send({ type: 'alive' }), ALIVE_MS);
  send({ type: 'alive' });
  let version = 0;
  for (;;) {
    try {
      const r = await fetch(q('/api/state?after=' + version));
      if (!r.ok) return;
      const reply = await r.json();
      if (reply.ended) return;
      version = reply.version;
      show(reply.state, version);
    } catch {
      return; // the program has ended
    }
  }
}
