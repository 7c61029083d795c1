// The end of a test in the browser: the score report's labels and lists, the review of a
// question from its list, the score history in a new tab, and the retake of the questions
// just missed.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { controlOf, openBrowser, settled, shot, startProgram, windowOf } from './program.mjs';

describe('the score report in the browser', () => {
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

  const questionFrame = () => page.frameLocator('.win[data-name="quest"] .ctl[data-name="WebBrowser1"] iframe');
  const questionShown = (n) => questionFrame().locator('td[valign=top]', { hasText: `${n}.) ` }).first().waitFor();
  const items = (list) => list.locator('.item').allTextContents();

  // Answers the question on screen: its first answer marked, or a fill-in answered wrong.
  async function answerAndNext(quest) {
    const fill = questionFrame().locator('input[name=txt_fill]');
    if (await fill.count()) await fill.fill('no such command');
    else await questionFrame().locator('input[type=radio], input[type=checkbox]').first().click();
    await controlOf(quest, 'cmd_buttons(0)').click();
    await settled(page);
  }

  test('a five-question quiz ends in the report, its history and its retake', async () => {
    await controlOf(windowOf(page, 'Welcome'), 'Image4(0)').click();
    const setup = windowOf(page, 'pick_a_quiz');
    await setup.waitFor();
    await controlOf(setup, 'which_quiz(2)').click();
    await setup.locator('.tabs .tab', { hasText: 'Advanced Options' }).click();
    // No explanation between the questions; the questions in bank order.
    for (const box of ['answer_when_right', 'answer_when_wrong', 'random_questions']) {
      const c = controlOf(setup, box);
      if ((await c.getAttribute('aria-checked')) === 'true') await c.click();
      await setup.locator(`.ctl[data-name="${box}"][aria-checked="false"]`).waitFor();
    }
    await setup.locator('.tabs .tab', { hasText: 'Select Categories' }).click();
    await controlOf(setup, 'cmd_remove_all_cat').click();
    await controlOf(setup, 'lst_cats_not_to_ask').locator('.item', { hasText: 'Chapter 17 IPv6' }).dblclick();
    await controlOf(setup, 'lst_cats_to_ask').locator('.item', { hasText: 'Chapter 17 IPv6' }).waitFor();
    await controlOf(setup, 'cmd_start_cat_quiz').click();

    const quest = windowOf(page, 'quest');
    await quest.waitFor();
    for (let n = 1; n <= 5; ++n) {
      await questionShown(n);
      await answerAndNext(quest);
    }
    const report = windowOf(page, 'finalscore');
    await report.waitFor();
    await quest.waitFor({ state: 'detached' });
    assert.equal(await report.locator('.title .caption').textContent(),
      'Practice Test Results for: Pelma KWEL GUDAR');
    const right = Number((await controlOf(report, 'rig').textContent()).trim());
    assert.equal(await controlOf(report, 'tot').textContent(), ' 5');
    assert.equal(await controlOf(report, 'per').textContent(), ` ${Math.floor((100 * right) / 5)}%`);
    assert.ok(right < 5, 'the fill-in was answered wrong');

    // The lists are list boxes: the category lines line up their "%" signs.
    const categories = await items(controlOf(report, 'list_cat'));
    assert.ok(categories.length >= 17, categories.join('\n'));
    assert.ok(categories.some((c) => / \(\d\/5\) Chapter 17 IPv6 /.test(c)), categories.join('\n'));
    for (const c of categories) assert.match(c, /^[ \d]{3}% \(\d+\/\d+\) /);
    const review = await items(controlOf(report, 'List1'));
    assert.equal(review.length, 5);
    review.forEach((line, k) => assert.match(line, new RegExp(`^ ${k + 1}\\.\\) \\[\\d+\\]  `)));
    await controlOf(report, 'whichq(0)').click();
    await settled(page);
    const missed = await items(controlOf(report, 'List1'));
    assert.equal(missed.length, 5 - right);
    // A double-clicked line of the missed list shows that question's explanation over the
    // report, which comes back when it is closed.
    const line = controlOf(report, 'List1').locator('.item').first();
    const qid = (await line.textContent()).match(/\[\s*(\d+)\]/)[1];
    await line.dblclick();
    const answer = windowOf(page, 'theanswer');
    await answer.waitFor();
    const explanation = answer.frameLocator('.ctl[data-name="text1"] iframe');
    await explanation.locator('body', { hasText: 'Incorrect.  Your answer was:' }).waitFor();
    assert.match(await explanation.locator('body').textContent(), new RegExp(`QID:\\s*${qid} `));
    await shot(page, '32-review-explanation');
    await controlOf(answer, 'Closeb').click();
    await answer.waitFor({ state: 'detached' });
    await report.waitFor();
    await controlOf(report, 'whichq(1)').click();
    await settled(page);
    await shot(report, '30-score-report');

    // The history opens in a new tab of the same browser.
    const [tab] = await Promise.all([
      browser.context.waitForEvent('page'),
      controlOf(report, 'Command2').click(),
    ]);
    await tab.waitForLoadState();
    assert.match(decodeURIComponent(tab.url()), /history\.46000\.STUDENT\.htm/);
    await tab.locator('h2', { hasText: 'History Report for STUDENT' }).waitFor();
    assert.match(await tab.locator('body').textContent(), /Results:/);
    await shot(tab, '31-score-history');
    await tab.close();

    // The retake asks the questions just missed.
    await controlOf(report, 'cmd_retake').click();
    await windowOf(page, 'quest').waitFor();
    await report.waitFor({ state: 'detached' });
    await questionShown(1);
    assert.equal(await windowOf(page, 'quest').locator('.title .caption').textContent(),
      `Practice Test for Pelma KWEL GUDAR - Question  1 of ${5 - right}`);
  });
});
