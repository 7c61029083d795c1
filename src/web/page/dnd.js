// The drag-and-drop exercise program's page: draws the exercise the program serves, lets
// the learner place its items by mouse or keyboard, and sends the placement at Done.
import { board, draw } from './dnd_board.js';

const SECRET = new URLSearchParams(location.search).get('s') || '';
const q = (path) => path + (path.includes('?') ? '&' : '?') + 's=' + encodeURIComponent(SECRET);
const $ = (id) => document.getElementById(id);
const ALIVE_MS = 4000; // the program ends when its tab has been silent for some seconds

async function send(event) {
  await fetch(q('/api/input'), {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(event),
  });
}

function show(state) {
  window.pvExercise = state;
  $('message').textContent = state.message || '';
  document.body.classList.toggle('error', state.status === 'error');
  if (state.status === 'error') return;
  if (!board.items) {
    $('instruction').textContent = state.instruction;
    board.start(state);
    draw();
  }
  const finished = state.status !== 'ready';
  $('done').disabled = finished;
  $('reset').disabled = finished;
  document.body.classList.toggle('finished', finished);
}

async function poll() {
  let version = 0;
  for (;;) {
    try {
      const r = await fetch(q('/api/state?after=' + version));
      if (!r.ok) return;
      const reply = await r.json();
      if (reply.ended) return;
      version = reply.version;
      show(reply.state);
    } catch {
      return; // the program has ended
    }
  }
}

$('reset').addEventListener('click', () => {
  board.reset();
  draw();
});
$('done').addEventListener('click', () => send({ type: 'done', placement: board.placement() }));
setInterval(() => send({ type: 'alive' }).catch(() => {}), ALIVE_MS);
send({ type: 'alive' }).catch(() => {});
poll();
