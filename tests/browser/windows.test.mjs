// The program's windows in a real browser, driven as a user would: the start window, the
// setup window with its pages and options, a message box answered, and leaving the program.
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  clickAndTime, controlOf, median, openBrowser, shot, startProgram, windowOf,
} from './program.mjs';

describe('product 46000 in the browser', () => {
  let program;
  let browser;
  let page;

  before(async () => {
    program = await startProgram(['46000']);
    browser = await openBrowser();
    page = browser.page;
    await page.goto(program.url);
  });

  after(async () => {
    await browser?.close();
    await program?.stop();
  });

  test('the start window shows the cover with its Start and Quit buttons', async () => {
    const welcome = windowOf(page, 'Welcome');
    await welcome.waitFor();
    // A fixed dialog frame without a title bar, 5925 x 7800 twips at 15 twips a pixel.
    const box = await welcome.boundingBox();
    assert.equal(Math.round(box.width), 395);
    assert.equal(Math.round(box.height), 520);
    assert.equal(await welcome.locator('.title').isVisible(), false);
    const cover = controlOf(welcome, 'Image3');
    assert.ok(await cover.isVisible());
    const coverBox = await cover.boundingBox();
    assert.ok(coverBox.width >= 380 && coverBox.height >= 500, 'the cover fills the window');
    // The cover picture is drawn when its file is there, a box naming it when it is not.
    await cover.locator('img').evaluate((img) => img.decode().catch(() => {}));
    const src = await cover.locator('img').getAttribute('src');
    const file = new URL(src, program.url).searchParams.get('path');
    if (existsSync(file)) {
      assert.ok(await cover.locator('img').evaluate((img) => img.naturalWidth > 0), file);
    } else {
      console.log(`the cover picture ${file} is missing: a labelled box stands in for it`);
      await cover.locator('.missing', { hasText: path.basename(file) }).waitFor();
    }
    for (const button of ['Image4(0)', 'Image4(2)']) {
      const b = controlOf(welcome, button);
      assert.ok(await b.isVisible(), button);
      const bb = await b.boundingBox();
      assert.deepEqual([Math.round(bb.width), Math.round(bb.height)], [73, 45]);
    }
    // Buttons and panels lie above the cover; among the lighter controls the first of the
    // window's description is on top: the white panel over the cover.
    const topAt = (b) => page.evaluate(([x, y]) => document.elementFromPoint(x, y).closest('.ctl').dataset.name,
      [b.x + b.width / 2, b.y + b.height / 2]);
    assert.equal(await topAt(await controlOf(welcome, 'Image4(0)').boundingBox()), 'Image4(0)');
    assert.equal(await topAt(await controlOf(welcome, 'Label8').boundingBox()), 'Label8');
    // Hidden and off-window controls are not seen.
    assert.equal(await controlOf(welcome, 'Start_Quiz').isVisible(), false);
    await shot(welcome, '01-start-window');
  });

  test('Start opens the setup window and hides the start window', async () => {
    await controlOf(windowOf(page, 'Welcome'), 'Image4(0)').click();
    const setup = windowOf(page, 'pick_a_quiz');
    await setup.waitFor();
    await windowOf(page, 'Welcome').waitFor({ state: 'detached' });
    assert.notEqual((await setup.locator('.title .caption').textContent()).trim(), '');
    await shot(page, '02-setup-window');
  });

  test('the setup window shows its pages, and an option changes when clicked', async (t) => {
    const setup = windowOf(page, 'pick_a_quiz');
    const tabs = setup.locator('.tabs .tab');
    if ((await tabs.count()) === 0) {
      t.skip('the setup window has no tabbed pages yet');
      return;
    }
    const captions = (await tabs.allTextContents()).map((s) => s.trim());
    for (const c of ['General', 'Advanced Options', 'Select Categories', 'Study Saver'])
      assert.ok(captions.includes(c), `page "${c}" among ${captions.join(', ')}`);
    await setup.locator('.tabs .tab', { hasText: 'Advanced Options' }).click();
    await setup.locator('.tabs .tab.on', { hasText: 'Advanced Options' }).waitFor();
    const option = controlOf(setup, 'answer_when_right');
    if ((await option.count()) === 0) {
      t.skip('the "Advanced Options" page has no option answer_when_right yet');
      return;
    }
    await option.waitFor();
    const was = await option.getAttribute('aria-checked');
    await option.click();
    await setup.locator(`.ctl[data-name="answer_when_right"][aria-checked="${was === 'true' ? 'false' : 'true'}"]`).waitFor();
    await shot(setup, '03-advanced-options');
  });

  test('Exit Program asks first, and No keeps the program running', async (t) => {
    const setup = windowOf(page, 'pick_a_quiz');
    const file = setup.locator('.menubar .mtop', { hasText: 'File' });
    if ((await file.count()) === 0) {
      t.skip('the setup window has no File menu yet');
      return;
    }
    await file.dispatchEvent('pointerdown');
    await page.locator('.menu .mitem', { hasText: 'Exit Program' }).dispatchEvent('pointerup');
    const box = page.locator('.box[role="dialog"]');
    await box.waitFor();
    assert.equal((await box.locator('.title .caption').textContent()), 'Exit Program?');
    assert.equal((await box.locator('.text').textContent()), 'Are you sure you want to exit the program?');
    assert.deepEqual((await box.locator('.buttons button').allTextContents()), ['Yes', 'No']);
    await shot(page, '04-exit-question');
    await box.locator('button', { hasText: 'No' }).click();
    await box.waitFor({ state: 'detached' });
    assert.ok(await setup.isVisible());
  });

  test('a reloaded page shows the same windows', async () => {
    await page.reload();
    await windowOf(page, 'pick_a_quiz').waitFor();
    assert.equal(await windowOf(page, 'Welcome').count(), 0);
  });

  test('a click is drawn quickly', async () => {
    // Any click that changes the window will do: a page of the setup window when it has
    // pages, else minimising and restoring it.
    const setup = windowOf(page, 'pick_a_quiz');
    const tabs = setup.locator('.tabs .tab');
    const times = [];
    for (let k = 0; k < 20; k++) {
      if ((await tabs.count()) >= 2) {
        times.push(await clickAndTime(page, setup.locator('.tabs .tab:not(.on):not(.disabled)').first()));
      } else {
        times.push(await clickAndTime(page, setup.locator('.title button').first()));
      }
    }
    const m = median(times);
    console.log(`click to redrawn window: median ${m.toFixed(1)} ms over ${times.length} clicks` +
      ` (min ${Math.min(...times).toFixed(1)}, max ${Math.max(...times).toFixed(1)})`);
    assert.ok(m < 50, `median ${m} ms`);
    if (await setup.evaluate((n) => n.classList.contains('minimized')))
      await clickAndTime(page, setup.locator('.title button').first());
  });

  test('closing the setup window ends the program', async () => {
    const setup = windowOf(page, 'pick_a_quiz');
    await setup.locator('.title button').last().click();
    await page.locator('#status', { hasText: 'The program has ended.' }).waitFor();
    assert.equal(await program.exited, 0);
  });
});

describe('the start window\'s Quit', () => {
  test('ends the program and the page says so', async () => {
    const program = await startProgram(['46000']);
    const browser = await openBrowser();
    try {
      const page = browser.page;
      await page.goto(program.url);
      const welcome = windowOf(page, 'Welcome');
      await welcome.waitFor();
      const clicked = performance.now();
      await controlOf(welcome, 'Image4(2)').click();
      await page.locator('#status', { hasText: 'The program has ended.' }).waitFor();
      assert.equal(await program.exited, 0);
      const took = performance.now() - clicked;
      console.log(`Quit to the end of the process and the page's word of it: ${took.toFixed(0)} ms`);
      assert.ok(took < 500, `${took} ms`);
      await shot(page, '05-ended');
    } finally {
      await browser.close();
      await program.stop();
    }
  });
});
