// The question page in the test window's browser control, as a learner meets it: the font
// size chosen is the size shown, the page's exhibit link reaches the program, the page
// opens no context menu and allows no selection, a reload keeps the marks not yet
// submitted, and nothing of it logs an error.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { controlOf, openBrowser, settled, shot, startProgram, windowOf } from './program.mjs';

const FRAME = '.win[data-name="quest"] .ctl[data-name="WebBrowser1"] iframe';

for (const viewport of [
  { width: 1024, height: 768 },
  { width: 1280, height: 800 },
]) {
  describe(`the question page at ${viewport.width}x${viewport.height}`, () => {
    let program;
    let browser;
    let page;
    const errors = [];
    const frame = () => page.frameLocator(FRAME);
    const questionShown = (n) =>
      frame()
        .locator('td[valign=top]', { hasText: `${n}.) ` })
        .first()
        .waitFor();

    before(async () => {
      program = await startProgram(['46003']);
      browser = await openBrowser(viewport);
      page = browser.page;
      page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
      page.on('pageerror', (e) => errors.push(String(e)));
      await page.goto(program.url);
      await watchFrames();
      // The CD-ROM bank's EIGRP configuration chapter in bank order; no explanations.
      await controlOf(windowOf(page, 'Welcome'), 'Image4(0)').click();
      const setup = windowOf(page, 'pick_a_quiz');
      await setup.waitFor();
      await controlOf(setup, 'which_quiz(2)').click();
      await setup.locator('.tabs .tab', { hasText: 'Advanced Options' }).click();
      for (const option of ['random_questions', 'answer_when_wrong']) {
        await controlOf(setup, option).click();
        await setup.locator(`.ctl[data-name="${option}"][aria-checked="false"]`).waitFor();
      }
      await setup.locator('.tabs .tab', { hasText: 'Select Categories' }).click();
      await controlOf(setup, 'cmd_remove_all_cat').click();
      const chapter = 'EIGRP Configuration, Tuning and Summarization';
      await controlOf(setup, 'lst_cats_not_to_ask').locator('.item', { hasText: chapter }).dblclick();
      await controlOf(setup, 'lst_cats_to_ask').locator('.item', { hasText: chapter }).waitFor();
      await controlOf(setup, 'cmd_start_cat_quiz').click();
      await questionShown(1);
    });

    // Every frame painted from now on: the question the window's caption names and the one
    // of the page the engine published, against the page in the frame.
    const watchFrames = () =>
      page.evaluate(async (sel) => {
        const { current } = await import(`/page/${new URLSearchParams(location.search).get('s')}/state.js`);
        window.pvMismatches = [];
        const number = (text, re) => (text || '').match(re)?.[1];
        const watch = () => {
          const quest = current()?.windows.find((w) => w.name === 'quest');
          const published = quest?.controls.find((c) => c.name === 'WebBrowser1')?.document.html;
          const caption = document.querySelector('.win[data-name="quest"] .title .caption')?.textContent;
          const cell = document.querySelector(sel)?.contentDocument?.querySelector('td[valign=top]');
          const shown = number(caption, /Question +(\d+) of/);
          const written = number(cell?.textContent, /(\d+)\.\) /);
          const expected = number(published, /(\d+)\.\) /);
          if ((shown && written && written !== shown) || (expected && written !== expected))
            window.pvMismatches.push(`caption ${shown}, page ${written}, published ${expected}`);
          requestAnimationFrame(watch);
        };
        requestAnimationFrame(watch);
      }, FRAME);

    // No frame painted the window's caption over another question's page.
    const drawnInOneFrame = async () => assert.deepEqual(await page.evaluate(() => window.pvMismatches), []);

    after(async () => {
      await browser?.close();
      await program?.stop();
    });

    // The computed sizes of the page's body and its question cell, in points.
    const pageSizes = () =>
      page.evaluate((sel) => {
        const doc = document.querySelector(sel).contentDocument;
        const pt = (n) => Math.round((parseFloat(getComputedStyle(n).fontSize) * 3) / 4);
        return [pt(doc.body), pt(doc.querySelector('td[valign=top]'))];
      }, FRAME);

    test('the font size chosen is the size the page shows', async () => {
      const quest = windowOf(page, 'quest');
      for (const size of [8, 20, 12]) {
        await quest.locator('.menubar .mtop', { hasText: 'Font' }).dispatchEvent('pointerdown');
        await page.locator('.menu .mitem', { hasText: `Size ${size}` }).dispatchEvent('pointerup');
        await settled(page);
        await questionShown(1);
        await page.waitForFunction(
          ([sel, want]) => {
            const body = document.querySelector(sel).contentDocument?.body;
            return body && Math.round((parseFloat(getComputedStyle(body).fontSize) * 3) / 4) === want;
          },
          [FRAME, size],
        );
        assert.deepEqual(await pageSizes(), [size, size]);
        if (size === 20) await shot(quest, `20-question-size-20-${viewport.width}`);
      }
    });

    test('the page opens no context menu and allows no selection', async () => {
      const refused = await page.evaluate((sel) => {
        const doc = document.querySelector(sel).contentDocument;
        const cell = doc.querySelector('td[valign=top]');
        const fire = (node, type) => {
          const e = new Event(type, { bubbles: true, cancelable: true });
          node.dispatchEvent(e);
          return e.defaultPrevented;
        };
        return {
          menu: fire(cell, 'contextmenu'),
          select: fire(cell.firstChild, 'selectstart'),
        };
      }, FRAME);
      assert.deepEqual(refused, { menu: true, select: true });
    });

    test('a reload keeps the mark not yet submitted', async () => {
      const second = frame().locator('input[type=radio][value=V2]');
      await second.click();
      await settled(page);
      await drawnInOneFrame();
      await page.reload();
      await watchFrames();
      await questionShown(1);
      await frame().locator('input[type=radio][value=V2]:checked').waitFor();
      await drawnInOneFrame();
      assert.equal(await frame().locator('input[type=radio]:checked').count(), 1);
    });

    test("the window and its page change in one frame; the page's exhibit link opens the exhibit", async () => {
      const next = controlOf(windowOf(page, 'quest'), 'cmd_buttons(0)');
      const link = frame().locator('#Exhibit1');
      for (let n = 2; !(await link.count()); ++n) {
        assert.ok(n < 12, 'no question of the chapter has an exhibit link');
        await next.click();
        await questionShown(n);
      }
      await drawnInOneFrame();
      const opened = page.context().waitForEvent('page');
      await link.click();
      const exhibit = await opened;
      assert.match(decodeURIComponent(exhibit.url()), /q31\.txt/i);
      await exhibit.close();
      await settled(page);
    });

    test('no page logged an error', () => {
      assert.deepEqual(errors, []);
    });
  });
}
