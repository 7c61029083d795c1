// Every kind of control drawn in the browser and answering the user: a window built by a
// unit test for the purpose, so each kind is covered whatever the program's windows hold.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { controlOf, openBrowser, settled, shot, startGallery, windowOf } from './program.mjs';

describe('every control kind', () => {
  let gallery;
  let browser;
  let page;
  let win;
  const ctl = (name) => controlOf(win, name);
  const answer = () => ctl('lblAnswer').textContent();
  const answerBecomes = (text) => win.locator('.ctl[data-name="lblAnswer"]', { hasText: text }).waitFor();

  before(async () => {
    gallery = await startGallery();
    browser = await openBrowser();
    page = browser.page;
    await page.goto(gallery.url);
    win = windowOf(page, 'Gallery');
    await win.waitFor();
  });

  after(async () => {
    await browser?.close();
    await gallery?.stop();
  });

  test('draws each kind at its place with its state', async () => {
    const box = await win.boundingBox();
    assert.deepEqual([box.x, box.y, box.width, box.height], [40, 30, 640, 480]);
    assert.equal(await win.locator('.title .caption').textContent(), 'Every Control');
    // Access keys are underlined; "&" itself is not shown.
    assert.equal(await ctl('cmdAsk').locator('.u').textContent(), 'A');
    assert.equal((await ctl('cmdAsk').textContent()).trim(), 'Ask');
    assert.ok(await ctl('cmdAsk').evaluate((n) => n.classList.contains('default')));
    assert.equal(await ctl('txtName').inputValue(), 'STUDENT');
    assert.equal(await ctl('chkSound').getAttribute('aria-checked'), 'true');
    assert.equal(await ctl('chkGrey').getAttribute('aria-checked'), 'mixed');
    assert.ok(await ctl('chkGrey').evaluate((n) => n.classList.contains('disabled')));
    assert.equal(await ctl('optMode(0)').getAttribute('aria-checked'), 'true');
    assert.equal(await ctl('optMode(1)').getAttribute('aria-checked'), 'false');
    // The options sit inside their frame, placed relative to it.
    const frame = await ctl('fraMode').boundingBox();
    const option = await ctl('optMode(0)').boundingBox();
    assert.deepEqual([option.x - frame.x, option.y - frame.y], [8, 20]);
    assert.equal(await ctl('lstItems').locator('.item').count(), 8);
    assert.deepEqual(await ctl('lstItems').locator('.item.sel').allTextContents(), ['Routing']);
    assert.equal(await ctl('cboPicker').inputValue(), 'Book');
    assert.equal(await ctl('vsbCount').getAttribute('aria-valuenow'), '5');
    assert.equal((await ctl('picMissing').locator('.missing').textContent()), 'picture.png');
    assert.ok(await ctl('linRule').locator('line').count());
    assert.deepEqual((await ctl('tabPages').locator('.tab').allTextContents()), ['General', 'More']);
    assert.ok(await ctl('lblOnGeneral').isVisible());
    assert.equal(await ctl('chkRemember').isVisible(), false);
    assert.deepEqual(await win.locator('.menubar .mtop').allTextContents(), ['File', 'Help']);
    assert.ok(await win.locator('.menubar .mtop.disabled', { hasText: 'Help' }).count());
    const frameEl = ctl('webPage').locator('iframe');
    assert.equal(await frameEl.getAttribute('sandbox'), 'allow-same-origin');
    const doc = page.frameLocator('.ctl[data-name="webPage"] iframe');
    await doc.locator('#question').waitFor();
    await shot(win, '10-gallery');
  });

  test('check boxes, options, lists, combo boxes, scroll bars and tabs answer clicks', async () => {
    await ctl('chkSound').click();
    await win.locator('.ctl[data-name="chkSound"][aria-checked="false"]').waitFor();
    await ctl('chkGrey').click({ force: true });  // disabled: nothing happens
    await ctl('optMode(1)').click();
    await win.locator('.ctl[data-name="optMode(0)"][aria-checked="false"]').waitFor();
    await ctl('lstItems').locator('.item', { hasText: 'Security' }).click({ modifiers: ['Control'] });
    await answerBecomes('Selected: 2');
    await ctl('lstItems').locator('.item', { hasText: 'Voice' }).click({ modifiers: ['Shift'] });
    await answerBecomes('Selected: 3');
    // Shift selects the run from the last item clicked without it, and nothing else.
    assert.deepEqual(await ctl('lstItems').locator('.item.sel').allTextContents(),
      ['Security', 'Wireless', 'Voice']);
    await ctl('cboPicker').selectOption({ index: 2 });
    await settled(page);
    assert.equal(await ctl('cboPicker').inputValue(), 'Full exam');
    await ctl('vsbCount').locator('.arrow').last().click();
    await win.locator('.ctl[data-name="lblCount"]', { hasText: '6' }).waitFor();
    await ctl('tabPages').locator('.tab', { hasText: 'More' }).click();
    await ctl('chkRemember').waitFor();
    assert.equal(await ctl('lblOnGeneral').isVisible(), false);
    // The box's key-press handler upper-cases what is typed.
    await ctl('txtName').click();
    await page.keyboard.press('End');
    for (let k = 0; k < 7; k++) await page.keyboard.press('Backspace');
    await page.keyboard.type('ann');
    await settled(page);
    assert.equal(await ctl('txtName').inputValue(), 'ANN');
    await page.keyboard.press('Alt+G');  // a tab's access key
    await ctl('lblOnGeneral').waitFor();
    assert.equal(await ctl('chkGrey').getAttribute('aria-checked'), 'mixed');
    await shot(win, '11-gallery-after-clicks');
  });

  test('menus show check marks and run their entries', async () => {
    await win.locator('.menubar .mtop', { hasText: 'File' }).dispatchEvent('pointerdown');
    const item = page.locator('.menu .mitem', { hasText: 'Show Scores' });
    assert.equal(await item.locator('.mark').textContent(), '\u2713');
    assert.equal(await page.locator('.menu .mitem', { hasText: 'Exit' }).locator('.mkey').textContent(), 'Ctrl+Q');
    assert.equal(await page.locator('.menu .sep').count(), 1);
    await shot(page, '12-gallery-menu');
    await item.dispatchEvent('pointerup');
    await page.locator('.menu').waitFor({ state: 'detached' });
    await settled(page);
    await win.locator('.menubar .mtop', { hasText: 'File' }).dispatchEvent('pointerdown');
    assert.equal(await page.locator('.menu .mitem', { hasText: 'Show Scores' }).locator('.mark').textContent(), '');
    await page.keyboard.press('Escape');
    await page.locator('.menu').waitFor({ state: 'detached' });
  });

  test('a message box waits for its answer, keys included', async () => {
    await ctl('cmdAsk').click();
    const box = page.locator('.box[role="dialog"]');
    await box.waitFor();
    assert.equal(await box.locator('.title .caption').textContent(), 'Go On?');
    assert.equal(await box.locator('.text').textContent(), 'Do you want to go on?');
    assert.ok(await box.locator('.icon.question').count());
    assert.deepEqual(await box.locator('.buttons button').allTextContents(), ['Yes', 'No', 'Cancel']);
    // Beneath the box nothing answers.
    await ctl('chkSound').click({ force: true });
    await shot(page, '13-gallery-message-box');
    await page.keyboard.press('n');
    await box.waitFor({ state: 'detached' });
    await answerBecomes('No');
    assert.equal(await ctl('chkSound').getAttribute('aria-checked'), 'false');
    // Enter clicks the default button of the window.
    await ctl('txtName').focus();
    await page.keyboard.press('Enter');
    await box.waitFor();
    await box.locator('button', { hasText: 'Yes' }).click();
    await answerBecomes('Yes');
  });

  test('an input box returns the typed text', async () => {
    await ctl('cmdType').click();
    const box = page.locator('.box[role="dialog"]');
    await box.locator('input').waitFor();
    assert.equal(await box.locator('input').inputValue(), 'ANN');
    await box.locator('input').fill('Grace');
    await shot(page, '14-gallery-input-box');
    await page.keyboard.press('Enter');
    await answerBecomes('Typed: Grace');
  });

  test('the marks made in a page reach the engine with the click on an element', async () => {
    const doc = page.frameLocator('.ctl[data-name="webPage"] iframe');
    await doc.locator('#a1').check();
    await doc.locator('#reply').fill('forwarding');
    await doc.locator('#check').click();
    await answerBecomes('Marks: a1=on a2=off reply=forwarding');
    // Links and forms in the page go nowhere.
    await doc.locator('a').click();
    await doc.locator('#send').click();
    await settled(page);
    await doc.locator('#question').waitFor();
    assert.ok(page.url().startsWith(gallery.url.split('?')[0]));
    await shot(win, '15-gallery-page-marks');
  });

  test('the page shows the marks the engine sets, and they come back with the next event', async () => {
    const doc = page.frameLocator('.ctl[data-name="webPage"] iframe');
    await doc.locator('#mark').click();
    await settled(page);
    assert.ok(await doc.locator('#a2').isChecked());
    assert.equal(await doc.locator('#reply').inputValue(), 'set by the program');
    assert.ok(await doc.locator('#a1').isChecked());  // what the user marked before stays
    await doc.locator('#check').click();
    await answerBecomes('Marks: a1=on a2=on reply=set by the program');
  });

  test('the hourglass shows over the whole page', async () => {
    await ctl('cmdBusy').click();
    await page.locator('body.busy').waitFor();
    assert.equal(await page.evaluate(() => getComputedStyle(document.querySelector('.win')).cursor), 'wait');
    await ctl('cmdBusy').click();
    await page.locator('body:not(.busy)').waitFor();
  });

  test('a timer tick is drawn without any input', async () => {
    await win.locator('.ctl[data-name="lblStatus"]', { hasText: /Ticks: [1-9]/ }).waitFor();
  });

  test('a browser control shows a picture file, and its window a balloon tip', async () => {
    const viewer = windowOf(page, 'PictureViewer');
    const img = viewer.frameLocator('.ctl[data-name="Image1"] iframe').locator('img');
    await img.waitFor();
    const width = await img.evaluate(async (i) => {
      if (!i.complete) await new Promise((r) => i.addEventListener('load', r, { once: true }));
      return i.naturalWidth;
    });
    assert.ok(width > 0, 'the picture did not load');
    await viewer.locator('.title .caption').hover();
    const tip = page.locator('.tooltip:not([hidden])');
    await tip.waitFor();
    assert.equal(await tip.locator('.tip-title').textContent(), 'Diagram 1');
    assert.equal(await tip.locator('.tip-text').textContent(), 'The picture the question shows');
    assert.ok(await tip.evaluate((n) => n.classList.contains('balloon')));
    await shot(page, '31-picture-and-balloon-tip');
    await page.mouse.move(5, 1070);  // away from every window: the tip goes
    await page.locator('.tooltip[hidden]').waitFor({ state: 'attached' });
  });

  test('the window moves by its title bar and closes by its access key', async () => {
    const title = win.locator('.title');
    const b = await title.boundingBox();
    await page.mouse.move(b.x + 100, b.y + 8);
    await page.mouse.down();
    await page.mouse.move(b.x + 160, b.y + 48, { steps: 4 });
    await page.mouse.up();
    // Where the engine put the window, not where the drag drew it.
    await settled(page);
    assert.deepEqual(await win.evaluate((n) => [n.offsetLeft, n.offsetTop]), [100, 70]);
    await page.keyboard.press('Escape');  // the cancel button: Quit
    await page.locator('#status', { hasText: 'The program has ended.' }).waitFor();
    assert.equal(await gallery.exited, 0, gallery.output());
  });
});
