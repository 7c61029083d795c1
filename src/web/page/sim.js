// The router simulator's page: the task above, a console below. Every key that changes the
// device goes to the program; the page draws the screen the program answers with.
import { $, q, run, send } from './exercise_link.js';

const MAX_PASTE = 200000; // characters of one paste sent to the program

const page = { history: [], recall: 0, seq: 0, asked: '', drawn: false };
function showTerminal(state) {
  const screen = $('screen');
  screen.textContent = state.screen;
  screen.scrollTop = screen.scrollHeight;
  $('prompt').textContent = state.prompt;
  if (state.history.length !== page.history.length || page.recall >= page.history.length)
    page.recall = state.history.length;
  page.history = state.history;
  if (state.edit.seq !== page.seq) {
    page.seq = state.edit.seq;
    // A completion that comes back after the learner typed on is dropped, not their keys.
    const line = $('line');
    if (line.value === page.asked) {
      line.value = state.edit.text;
      line.setSelectionRange(line.value.length, line.value.length);
    }
  }
  const box = $('model-box');
  if (state.showme && box.hidden) {
    $('model').textContent = state.showme;
    box.hidden = false;
    box.scrollIntoView({ block: 'nearest' });
  }
}

function show(state) {
  window.pvSim = state;
  $('message').textContent = state.message || '';
  document.body.classList.toggle('error', state.status === 'error');
  if (state.status === 'error') return;
  if (!page.drawn) {
    page.drawn = true;
    $('task').textContent = state.task;
    $('line').focus();
  }
  showTerminal(state);
  const finished = state.status !== 'ready';
  for (const id of ['line', 'reset', 'done']) $(id).disabled = finished;
  document.body.classList.toggle('finished', finished);
}

function recall(step) {
  const h = page.history;
  page.recall = Math.max(0, Math.min(h.length, page.recall + step));
  const line = $('line');
  line.value = h[page.recall] || '';
  line.setSelectionRange(line.value.length, line.value.length);
}

function onKey(e) {
  const line = e.target;
  if (e.key === 'Enter') {
    send({ type: 'line', text: line.value });
    line.value = '';
  } else if (e.key === 'Tab' && !e.shiftKey && line.value.trim() !== '') {
    // On an empty line Tab leaves the console for the buttons, as everywhere else.
    page.asked = line.value;
    send({ type: 'complete', text: line.value });
  } else if (e.key === '?') {
    page.asked = line.value;
    send({ type: 'help', text: line.value });
  } else if (e.ctrlKey && (e.key === 'z' || e.key === 'Z')) {
    send({ type: 'ctrl_z' });
    line.value = '';
  } else if (e.key === 'ArrowUp' || e.key === 'ArrowDown') {
    recall(e.key === 'ArrowUp' ? -1 : 1);
  } else {
    return;
  }
  e.preventDefault();
}

// A paste of several lines is typed line by line, as a terminal takes it.
function onPaste(e) {
  const text = (e.clipboardData && e.clipboardData.getData('text')) || '';
  if (!text.includes('\n')) return;
  e.preventDefault();
  const line = $('line');
  send({ type: 'line', text: (line.value + text).slice(0, MAX_PASTE) });
  line.value = '';
}

$('line').addEventListener('keydown', onKey);
$('line').addEventListener('paste', onPaste);
$('screen').addEventListener('click', () => $('line').focus());
$('showme').addEventListener('click', () => send({ type: 'showme' }));
$('reset').addEventListener('click', () => {
  send({ type: 'reset' });
  $('line').focus();
});
$('done').addEventListener('click', () => send({ type: 'done' }));
// Closing the tab keeps the work, as Done does.
addEventListener('pagehide', () => {
  fetch(q('/api/input'), {
    method: 'POST',
    keepalive: true,
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify({ type: 'close' }),
  }).catch(() => {});
});
run((state, version) => {
  show(state);
  window.pvSimVersion = version;
});
