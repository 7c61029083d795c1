// How fast the page comes up and answers: the time from loading the page until the start
// window is drawn, and from a click until the window is drawn again, each the median of
// several tries, printed. The bounds are loose: this machine is shared.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { clickAndTime, median, openBrowser, settled, startProgram, windowOf } from './program.mjs';

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
    // Each load in a page of its own, as when the program opens it; the times are from the
    // page's start of navigation.
    const times = [];
    for (let k = 0; k < 10; k++) {
      const fresh = await browser.context.newPage();
      await fresh.goto(program.url);
      await fresh.waitForFunction(() => window.pvStats.windowDrawnAt > 0);
      times.push(await fresh.evaluate(() => window.pvStats.windowDrawnAt));
      await fresh.close();
    }
    const m = median(times);
    console.log(`load to start window: median ${m.toFixed(1)} ms over ${times.length} loads` +
      ` (min ${Math.min(...times).toFixed(1)}, max ${Math.max(...times).toFixed(1)})`);
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
