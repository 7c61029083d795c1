// How fast the page comes up and answers: the time from loading the page until the start
// window is drawn, beside the same bytes from a static server, and from a click until the
// window is drawn again, each the median of several tries, printed. The bounds are loose:
// this machine is shared.
import assert from 'node:assert/strict';
import { createServer } from 'node:http';
import { after, before, describe, test } from 'node:test';
import { clickAndTime, median, openBrowser, settled, startProgram, windowOf } from './program.mjs';

// The floor of a page load: a static server giving the bytes the program gave for each
// address (fetched from it the first time), the state whole to the first poll, and polls
// after it that never end, as the program's while nothing changes.
async function staticCopy(programUrl) {
  const origin = new URL(programUrl).origin;
  const copies = new Map();
  const held = new Set();
  const server = createServer(async (req, res) => {
    const url = new URL(req.url, origin);
    if (url.pathname === '/api/state' && url.searchParams.get('after') !== '0') {
      held.add(res);
      return;
    }
    if (req.method === 'POST') {
      req.resume();
      res.end();
      return;
    }
    if (!copies.has(req.url)) {
      // The state's first reply alone, not the stream that follows it.
      const from = new URL(req.url, origin);
      from.searchParams.delete('stream');
      const r = await fetch(from);
      copies.set(req.url, { type: r.headers.get('content-type'), body: Buffer.from(await r.arrayBuffer()) });
    }
    const { type, body } = copies.get(req.url);
    res.writeHead(200, { 'Content-Type': type, 'Content-Length': body.length });
    res.end(body);
  });
  await new Promise((ready) => server.listen(0, '127.0.0.1', ready));
  const { search } = new URL(programUrl);
  return {
    url: `http://127.0.0.1:${server.address().port}/${search}`,
    close: () => {
      for (const r of held) r.destroy();
      server.close();
    },
  };
}

// The time from the start of a page's navigation until it drew a window, in a page of its
// own, as when the program opens it.
async function loadTime(browser, url) {
  const fresh = await browser.context.newPage();
  await fresh.goto(url);
  await fresh.waitForFunction(() => window.pvStats.windowDrawnAt > 0);
  const t = await fresh.evaluate(() => window.pvStats.windowDrawnAt);
  await fresh.close();
  return t;
}

describe('speed of the page', () => {
  let program;
  let browser;
  let page;

  before(async () => {
    program = await startProgram(['46000']);
    browser = await openBrowser({ width: 1280, height: 800 });
    page = browser.page;
    await page.goto(program.url);
    await windowOf(page, 'Welcome').waitFor();
  });

  after(async () => {
    await browser?.close();
    await program?.stop();
  });

  test('the start window is drawn soon after the page loads', async () => {
    // Loads from the program and from the static copy take turns; the copy's first load,
    // which fetches from the program, is left out.
    const copy = await staticCopy(program.url);
    await loadTime(browser, copy.url);
    const times = [];
    const floors = [];
    for (let k = 0; k < 10; k++) {
      times.push(await loadTime(browser, program.url));
      floors.push(await loadTime(browser, copy.url));
    }
    copy.close();
    const m = median(times);
    const floor = median(floors);
    console.log(
      `load to start window: median ${m.toFixed(1)} ms over ${times.length} loads` +
        ` (min ${Math.min(...times).toFixed(1)}, max ${Math.max(...times).toFixed(1)}); floor, the same bytes` +
        ` from a static server: ${floor.toFixed(1)} ms; ${(m / floor).toFixed(2)} times the floor`,
    );
    assert.ok(m < 500, `median ${m} ms`);
  });

  test('a click is drawn again soon', async () => {
    await settled(page);
    const welcome = windowOf(page, 'Welcome');
    await welcome.waitFor();
    await welcome.locator('.ctl[data-name="Image4(0)"]').click();
    const setup = windowOf(page, 'pick_a_quiz');
    await setup.waitFor();
    await settled(page);
    const times = [];
    for (let k = 0; k < 20; k++)
      times.push(await clickAndTime(page, setup.locator('.tabs .tab:not(.on):not(.disabled)').first()));
    const m = median(times);
    console.log(`click to redrawn window: median ${m.toFixed(1)} ms over ${times.length} clicks` +
      ` (min ${Math.min(...times).toFixed(1)}, max ${Math.max(...times).toFixed(1)})`);
    assert.ok(m < 100, `median ${m} ms`);
  });
});
