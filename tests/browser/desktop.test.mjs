// The windows as a desktop places them, at the page sizes people use: the page is the
// screen, so the start window is centred and whole in it; windows move by their title bar
// and size by their grip, and minimise, maximise and restore as their buttons say.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { controlOf, openBrowser, settled, shot, startProgram, windowOf } from './program.mjs';

const box = async (locator) => {
  const b = await locator.boundingBox();
  return { x: Math.round(b.x), y: Math.round(b.y), width: Math.round(b.width), height: Math.round(b.height) };
};

// Drags with the mouse from one point by (dx, dy), in steps, as a hand does.
async function drag(page, from, dx, dy) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(from.x + dx, from.y + dy, { steps: 6 });
  await page.mouse.up();
}

for (const [width, height] of [[1024, 768], [1280, 800]]) {
  describe(`the windows on a ${width} x ${height} page`, () => {
    let program;
    let browser;
    let page;

    before(async () => {
      program = await startProgram(['46000']);
      browser = await openBrowser({ width, height });
      page = browser.page;
      page.on('console', (m) => {
        if (m.type() === 'error' && !/favicon/.test(m.text())) console.log('page error:', m.text());
      });
      await page.goto(program.url);
    });

    after(async () => {
      await browser?.close();
      await program?.stop();
    });

    test('the start window is whole and centred on the page', async () => {
      const welcome = windowOf(page, 'Welcome');
      await welcome.waitFor();
      await settled(page);
      const b = await box(welcome);
      const view = await page.evaluate(() => [window.innerWidth, window.innerHeight]);
      assert.ok(Math.abs(b.x - (view[0] - b.width) / 2) <= 1 && Math.abs(b.y - (view[1] - b.height) / 2) <= 1,
        `centred in ${view}: ${JSON.stringify(b)}`);
      for (const name of ['Image4(0)', 'Image4(2)']) {
        const c = await box(controlOf(welcome, name));
        assert.ok(c.x >= 0 && c.y >= 0 && c.x + c.width <= view[0] && c.y + c.height <= view[1], `${name} on the page`);
      }
      await shot(page, `desktop-${width}-01-start`);
    });

    test('the setup window moves by its title bar and sizes by its grip, and stays put', async () => {
      await controlOf(windowOf(page, 'Welcome'), 'Image4(0)').click();
      const setup = windowOf(page, 'pick_a_quiz');
      await setup.waitFor();
      await settled(page);
      const start = await box(setup);
      assert.ok(start.x >= 0 && start.y >= 0 && start.x + start.width <= width && start.y + start.height <= height,
        `the setup window fits: ${JSON.stringify(start)}`);
      const title = await box(setup.locator('.title .caption'));
      await drag(page, { x: title.x + 20, y: title.y + 8 }, -60, -40);
      // Where the drag left it, at once and after the engine took the move.
      assert.deepEqual(await box(setup), { ...start, x: start.x - 60, y: start.y - 40 });
      await settled(page);
      assert.deepEqual(await box(setup), { ...start, x: start.x - 60, y: start.y - 40 });
      const grip = await box(setup.locator('.grip'));
      await drag(page, { x: grip.x + 6, y: grip.y + 6 }, 50, 30);
      await settled(page);
      const sized = await box(setup);
      assert.deepEqual(sized, { x: start.x - 60, y: start.y - 40, width: start.width + 50, height: start.height + 30 });
      // The engine has the same place and size, in twips.
      const model = await page.evaluate(() => window.pvState().windows.find((w) => w.name === 'pick_a_quiz'));
      assert.deepEqual([model.left, model.top, model.width, model.height].map((t) => Math.round(t / 15)),
        [sized.x, sized.y, sized.width, sized.height]);
      // A title bar dragged above the page comes back within reach.
      const moved = await box(setup.locator('.title .caption'));
      await drag(page, { x: moved.x + 20, y: moved.y + 8 }, 0, -height);
      await settled(page);
      assert.equal((await box(setup)).y, 0);
      await shot(page, `desktop-${width}-02-setup-moved`);
    });

    test('maximise, restore, minimise and restore give the window back as it was', async () => {
      const setup = windowOf(page, 'pick_a_quiz');
      const normal = await box(setup);
      const buttons = setup.locator('.title button');
      await buttons.nth(1).click();  // maximise
      await settled(page);
      assert.deepEqual(await box(setup), { x: 0, y: 0, width, height });
      await buttons.nth(1).click();  // restore
      await settled(page);
      assert.deepEqual(await box(setup), normal);
      await buttons.nth(0).click();  // minimise
      await settled(page);
      assert.equal(await setup.locator('.client').isVisible(), false);
      await shot(page, `desktop-${width}-03-minimised`);
      await buttons.nth(0).click();  // restore
      await settled(page);
      assert.deepEqual(await box(setup), normal);
      // Minimised from maximised, it comes back maximised.
      await buttons.nth(1).click();
      await buttons.nth(0).click();
      await settled(page);
      await buttons.nth(0).click();
      await settled(page);
      assert.deepEqual(await box(setup), { x: 0, y: 0, width, height });
      await buttons.nth(1).click();
      await settled(page);
      assert.deepEqual(await box(setup), normal);
    });
  });
}

// SIGTERM and SIGINT end the program as its Quit does: at once, cleanly, the page told.
for (const signal of ['SIGTERM', 'SIGINT']) {
  test(`${signal} ends the program cleanly and the page says so`, async () => {
    const program = await startProgram(['46000']);
    const browser = await openBrowser({ width: 1280, height: 800 });
    try {
      await browser.page.goto(program.url);
      await windowOf(browser.page, 'Welcome').waitFor();
      const sent = performance.now();
      program.child.kill(signal);
      assert.equal(await program.exited, 0);
      const took = performance.now() - sent;
      await browser.page.locator('#status', { hasText: 'The program has ended.' }).waitFor();
      console.log(`${signal} to the end of the process: ${took.toFixed(0)} ms`);
      assert.ok(took < 1000, `${took} ms`);
    } finally {
      await browser.close();
      await program.stop();
    }
  });
}
