// The drag-and-drop exercise program's page: draws the exercise the program serves, lets
// the learner place its items by mouse or keyboard, and sends the placement at Done.
import { board, draw } from './dnd_board.js';
import { $, run, send } from './exercise_link.js';

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

$('reset').addEventListener('click', () => {
  board.reset();
  draw();
});
$('done').addEventListener('click', () => send({ type: 'done', placement: board.placement() }));
run(show);
