// Draws the program's windows from the engine's state and sends back what the user does.
// Nothing here decides anything: every click, key and selection goes to the engine, and
// the page shows the state the engine publishes next. The messages both ways are written
// down in wire.md; each module keeps its own part of the page.
import { clearBoxes, drawBoxes } from './dialogs.js';
import { pointerCss } from './dom.js';
import { forwardKey } from './keys.js';
import { closeMenus } from './menus.js';
import { fullScreenShow } from './pointer.js';
import { printPages } from './printer.js';
import { applied, setCurrent } from './state.js';
import { setTooltips } from './tooltips.js';
import { fileUrl, onSend, poll, send, stats } from './transport.js';
import { collectMarks, onFrameKey } from './web_browser.js';
import { clearWindows, drawTouched, drawWindows, windows } from './windows.js';

const statusEl = document.getElementById('status');
// A notice of the engine's (such as a log it cannot write) stays until it is clicked.
const noticeEl = document.getElementById('notice');
let noticeDismissed = '';
noticeEl.addEventListener('click', () => {
  noticeDismissed = noticeEl.textContent;
  noticeEl.hidden = true;
});

// Documents the program opens for the user, each in a new tab once. A page loaded anew
// opens none of those opened before it.
let lastTab = null;
function openTabs(tabs) {
  if (!Array.isArray(tabs)) return;
  const newest = tabs.reduce((m, t) => Math.max(m, t.id), 0);
  if (lastTab !== null) for (const t of tabs) if (t.id > lastTab) window.open(fileUrl(t.path), '_blank', 'noopener');
  lastTab = Math.max(lastTab ?? 0, newest);
}

function draw(next, touched) {
  setCurrent(next);
  // Changes to some controls alone (the study saver's drifting logo) draw those only.
  if (touched && drawTouched(next, touched)) stats.controlDraws++;
  else drawAll(next);
  stats.draws++;
  stats.drawnAt = performance.now();
  if (!stats.windowDrawnAt && next.windows.length) stats.windowDrawnAt = stats.drawnAt;
}

function drawAll(next) {
  statusEl.hidden = true;
  document.body.classList.toggle('busy', next.pointer === 11);
  document.body.classList.toggle('nocursor', !next.cursorShown);
  document.body.classList.toggle('show', fullScreenShow(next));
  document.body.style.cursor = pointerCss(next.pointer, '');
  drawWindows(next);
  drawBoxes(next.boxes);
  stats.applied = applied();
  openTabs(next.tabs);
  printPages(next.prints);
  setTooltips(next.tooltips);
  const notice = typeof next.notice === 'string' ? next.notice : '';
  noticeEl.textContent = notice;
  noticeEl.hidden = !notice || notice === noticeDismissed;
}

// The windows give way to a line: the program has ended, or the page is not its.
function showStatus(text) {
  closeMenus();
  statusEl.textContent = text;
  statusEl.hidden = false;
  clearWindows();
  clearBoxes();
}

// The page is the screen: the engine places the windows in the viewport's size.
function reportScreen() {
  send({ action: 'screen', viewportWidth: window.innerWidth, viewportHeight: window.innerHeight });
}

let resized = 0;
window.addEventListener('resize', () => {
  clearTimeout(resized);
  resized = setTimeout(reportScreen, 200);
});

onSend(() => collectMarks(windows.values()));
onFrameKey(forwardKey);
reportScreen();
poll(draw, showStatus);
