// Every window driven by the keyboard alone, at the page sizes people use: Tab to the start
// window's Start and Enter, Ctrl+Tab through the setup window's pages, an option set with
// the arrows, a check box with Space, the time spinner's arrows (with the mouse too), Save
// Settings with Enter and its box answered, and Exit Program from the menu by its keys.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { controlOf, openBrowser, settled, shot, startProgram, windowOf } from './program.mjs';

// The engine's focused control of a window, by the name the page draws it with.
const focusOf = (page, win) => page.evaluate((name) => {
  const w = window.pvState().windows.find((x) => x.name === name);
  const c = w && w.controls.find((x) => x.control === w.focus);
  return c ? (c.index >= 0 ? `${c.name}(${c.index})` : c.name) : '';
}, win);

const modelOf = (page, win, name) => page.evaluate(([w, n]) => window.pvState().windows
  .find((x) => x.name === w).controls.find((c) => (c.index >= 0 ? `${c.name}(${c.index})` : c.name) === n), [win, name]);

async function press(page, key) {
  await page.keyboard.press(key);
  await settled(page);
}

// Presses Tab until the engine has the focus on the control; the stops on the way.
async function tabTo(page, win, name) {
  const stops = [];
  for (let k = 0; k < 60; k++) {
    await press(page, 'Tab');
    const at = await focusOf(page, win);
    stops.push(at);
    if (at === name) return stops;
  }
  throw new Error(`Tab never reached ${name}: ${stops.join(' ')}`);
}

for (const [width, height] of [[1024, 768], [1280, 800]]) {
  describe(`the keyboard alone on a ${width} x ${height} page`, () => {
    let program;
    let browser;
    let page;

    before(async () => {
      program = await startProgram(['46000']);
      browser = await openBrowser({ width, height });
      page = browser.page;
      await page.goto(program.url);
      await windowOf(page, 'Welcome').waitFor();
      await settled(page);
    });

    after(async () => {
      await browser?.close();
      await program?.stop();
    });

    test('Tab reaches Start, which shows a focus mark, and Enter presses it', async () => {
      const welcome = windowOf(page, 'Welcome');
      await tabTo(page, 'Welcome', 'Image4(0)');
      const start = controlOf(welcome, 'Image4(0)');
      assert.ok(await start.evaluate((n) => n.classList.contains('focus')));
      await shot(page, `keyboard-${width}-01-start-focused`);
      await press(page, 'Enter');
      await windowOf(page, 'pick_a_quiz').waitFor();
      await welcome.waitFor({ state: 'detached' });
    });

    test('Ctrl+Tab and Ctrl+Shift+Tab go through the four pages', async () => {
      const setup = windowOf(page, 'pick_a_quiz');
      const shown = async () => (await setup.locator('.tabs .tab.on').textContent()).trim();
      const seen = [await shown()];
      for (let k = 0; k < 4; k++) {
        await press(page, 'Control+Tab');
        seen.push(await shown());
        await shot(page, `keyboard-${width}-02-page-${k + 1}`);
      }
      assert.deepEqual(seen, ['General', 'Advanced Options', 'Select Categories', 'Study Saver', 'General']);
      await press(page, 'Control+Shift+Tab');
      assert.equal(await shown(), 'Study Saver');
      await press(page, 'Control+Tab');
      assert.equal(await shown(), 'General');
    });

    test('the arrows set the next option of a group, whose focus mark is not its selection', async () => {
      const setup = windowOf(page, 'pick_a_quiz');
      const set = await modelOf(page, 'pick_a_quiz', 'which_quiz(1)');
      assert.equal(set.value, true);
      await tabTo(page, 'pick_a_quiz', 'which_quiz(1)');
      await press(page, 'ArrowDown');
      const now = await focusOf(page, 'pick_a_quiz');
      assert.notEqual(now, 'which_quiz(1)');
      assert.equal((await modelOf(page, 'pick_a_quiz', now)).value, true);
      assert.equal((await modelOf(page, 'pick_a_quiz', 'which_quiz(1)')).value, false);
      // The focus mark is a dotted outline round the caption; the selection is the dot.
      const mark = await controlOf(setup, now).locator('.text').evaluate((n) => getComputedStyle(n).outlineStyle);
      assert.equal(mark, 'dotted');
      await press(page, 'ArrowUp');
      assert.equal((await modelOf(page, 'pick_a_quiz', 'which_quiz(1)')).value, true);
      await shot(page, `keyboard-${width}-03-option`);
    });

    test('Space ticks the timer box, and the spinner\'s arrows lower and raise the minutes', async () => {
      const setup = windowOf(page, 'pick_a_quiz');
      await press(page, 'Control+Tab');  // Advanced Options
      await tabTo(page, 'pick_a_quiz', 'timeron');
      await press(page, 'Space');
      assert.equal((await modelOf(page, 'pick_a_quiz', 'timeron')).value, 1);
      const spinner = controlOf(setup, 'VScroll1');
      await spinner.waitFor();
      const box = await spinner.boundingBox();
      assert.deepEqual([Math.round(box.width), Math.round(box.height)], [17, 21]);
      const [up, down] = await spinner.locator('.arrow').all();
      for (const arrow of [up, down]) {
        const a = await arrow.boundingBox();
        assert.ok(a.height >= 8 && a.y >= box.y && a.y + a.height <= box.y + box.height + 0.5, 'an arrow within the bar');
      }
      const minutes = async () => (await modelOf(page, 'pick_a_quiz', 'timeamount')).caption;
      assert.equal(await minutes(), '75');
      await up.click();
      await settled(page);
      assert.equal(await minutes(), '76');
      await down.click();
      await settled(page);
      await down.click();
      await settled(page);
      assert.equal(await minutes(), '74');
      // The keyboard moves it too: up raises the minutes.
      await tabTo(page, 'pick_a_quiz', 'VScroll1');
      await press(page, 'ArrowUp');
      assert.equal(await minutes(), '75');
      await shot(setup, `keyboard-${width}-04-spinner`);
    });

    test('Enter on Save Settings saves, and Enter answers the box', async () => {
      await tabTo(page, 'pick_a_quiz', 'cmdSaveSet');
      await press(page, 'Enter');
      const box = page.locator('.box[role="dialog"]');
      await box.waitFor();
      assert.equal(await box.locator('.text').textContent(), 'User Settings have been saved.');
      await page.locator('.box button.default:focus').waitFor();
      await press(page, 'Enter');
      await box.waitFor({ state: 'detached' });
    });

    test('Exit Program from the menu by its keys ends the program at once', async () => {
      // F10 opens the first menu and Escape closes it; Alt and its letter open the File menu.
      const menu = page.locator('.menu');
      await page.keyboard.press('F10');
      await menu.waitFor();
      await page.keyboard.press('Escape');
      await menu.waitFor({ state: 'detached' });
      await press(page, 'Alt+F');
      await menu.waitFor();
      for (let k = 0; k < 10 && !/Exit Program/.test(await menu.locator('.mitem.hot').textContent()); k++)
        await press(page, 'ArrowDown');
      await shot(page, `keyboard-${width}-05-file-menu`);
      await press(page, 'Enter');
      const box = page.locator('.box[role="dialog"]');
      await box.waitFor();
      assert.equal(await box.locator('.text').textContent(), 'Are you sure you want to exit the program?');
      // The arrows go along the box's buttons; Yes, the default, has the focus again.
      await page.keyboard.press('ArrowRight');
      await box.locator('button:focus', { hasText: 'No' }).waitFor();
      await page.keyboard.press('ArrowLeft');
      await box.locator('button:focus', { hasText: 'Yes' }).waitFor();
      const asked = performance.now();
      await page.keyboard.press('Enter');
      assert.equal(await program.exited, 0);
      const took = performance.now() - asked;
      console.log(`Exit Program to the end of the process: ${took.toFixed(0)} ms`);
      assert.ok(took < 500, `${took} ms`);
      await page.locator('#status', { hasText: 'The program has ended.' }).waitFor();
    });
  });
}
