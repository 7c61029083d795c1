// The keyboard into the question pages and the modal windows, a start-up that asks before
// it shows the start window, and windows kept on a page that gets smaller, at the page
// sizes people use.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { after, before, describe, test } from "node:test";
import {
  controlOf,
  openBrowser,
  settled,
  shot,
  startProgram,
  windowOf,
} from "./program.mjs";

// The engine's focused control of a window, by the name the page draws it with.
const focusOf = (page, win) =>
  page.evaluate((name) => {
    const w = window.pvState().windows.find((x) => x.name === name);
    const c = w && w.controls.find((x) => x.control === w.focus);
    return c ? (c.index >= 0 ? `${c.name}(${c.index})` : c.name) : "";
  }, win);

async function press(page, key) {
  await page.keyboard.press(key);
  await settled(page);
}

// Presses the key until the engine has the focus on the control.
async function keyTo(page, win, name, key = "Tab") {
  const stops = [];
  for (let k = 0; k < 40; k++) {
    await press(page, key);
    stops.push(await focusOf(page, win));
    if (stops.at(-1) === name) return;
  }
  throw new Error(`${key} never reached ${name}: ${stops.join(" ")}`);
}

// The answers of the GUDAR CD-ROM bank's chapter 17, in bank order.
function chapter17() {
  const text = readFileSync(
    new URL("../../banks/gudar/velto.txt", import.meta.url),
    "utf8",
  );
  const records = [];
  let r = null;
  for (const line of text.split("\n")) {
    const m = line.match(/^(\S+)(?: (.*))?$/);
    if (!m) continue;
    const [, key, value = ""] = m;
    if (key === "record")
      r = { type: "", category: 0, answers: [], correct: [] };
    if (key === "record") records.push(r);
    else if (r && key === "type") r.type = value;
    else if (r && key === "category") r.category = Number(value);
    else if (r && key.startsWith("answer")) {
      if (key === "answer*") r.correct.push(r.answers.length);
      r.answers.push(value.replace(/\\s/g, " "));
    }
  }
  return records.filter((x) => x.category === 17);
}

// The fields of the test window's question page, and the one with the page's focus.
const PAGE = '.win[data-name="quest"] .ctl[data-name="WebBrowser1"] iframe';
const pageFocus = (page) =>
  page.evaluate((sel) => {
    const doc = document.querySelector(sel).contentDocument;
    const a = doc.activeElement;
    const inputs = [...doc.querySelectorAll("input:not([type=hidden])")].filter(
      (n) => n.getClientRects().length,
    );
    return {
      frame: document.activeElement === document.querySelector(sel),
      at: inputs.indexOf(a),
      type: a.type,
    };
  }, PAGE);

for (const [width, height] of [
  [1024, 768],
  [1280, 800],
]) {
  describe(`the keyboard into pages and modal windows on a ${width} x ${height} page`, () => {
    let program;
    let browser;
    let page;

    before(async () => {
      program = await startProgram(["46000"]);
      browser = await openBrowser({ width, height });
      page = browser.page;
      await page.goto(program.url);
    });

    after(async () => {
      await browser?.close();
      await program?.stop();
    });

    test("a whole test by the keyboard alone, the explanation window closed by Enter", async () => {
      // The quiz is chosen with the mouse; the test is taken with the keys.
      await controlOf(windowOf(page, "Welcome"), "Image4(0)").click();
      const setup = windowOf(page, "pick_a_quiz");
      await setup.waitFor();
      await controlOf(setup, "which_quiz(2)").click();
      await setup
        .locator(".tabs .tab", { hasText: "Advanced Options" })
        .click();
      await controlOf(setup, "random_questions").click();
      await setup
        .locator('.ctl[data-name="random_questions"][aria-checked="false"]')
        .waitFor();
      await setup
        .locator(".tabs .tab", { hasText: "Select Categories" })
        .click();
      await controlOf(setup, "cmd_remove_all_cat").click();
      await controlOf(setup, "lst_cats_not_to_ask")
        .locator(".item", { hasText: "Chapter 17 IPv6" })
        .dblclick();
      await controlOf(setup, "lst_cats_to_ask")
        .locator(".item", { hasText: "Chapter 17 IPv6" })
        .waitFor();
      await controlOf(setup, "cmd_start_cat_quiz").click();
      const quest = windowOf(page, "quest");
      await quest.waitFor();
      await settled(page);

      const frame = page.frameLocator(PAGE);
      // The page's answers in its order, by the text that follows each input.
      const shownAnswers = () =>
        frame
          .locator("input[type=radio], input[type=checkbox]")
          .evaluateAll((inputs) =>
            inputs.map((i) =>
              (i.nextSibling?.textContent || "").replace(/^[A-F]\.\t/, ""),
            ),
          );
      const isRight = (r, text) => r.correct.some((a) => r.answers[a] === text);
      const records = chapter17();
      let wrong = false;
      for (const [k, r] of records.entries()) {
        await frame
          .locator("td[valign=top]", { hasText: `${k + 1}.) ` })
          .first()
          .waitFor();
        // Tab reaches the page: its first stop takes the focus.
        await keyTo(page, "quest", "WebBrowser1");
        const entered = await pageFocus(page);
        assert.ok(entered.frame && entered.at === 0, JSON.stringify(entered));
        if (r.type === "fill_in_the_blank") {
          assert.equal(entered.type, "text");
          await page.keyboard.type(r.answers[0]);
          assert.equal(
            await frame.locator("input[name=txt_fill]").inputValue(),
            r.answers[0],
          );
        } else if (r.type === "multi_answer") {
          // Each check box is a stop; Space marks it.
          const shown = await shownAnswers();
          for (const [a, text] of shown.entries()) {
            if (a > 0) await page.keyboard.press("Tab");
            assert.equal((await pageFocus(page)).at, a);
            if (isRight(r, text)) await page.keyboard.press("Space");
          }
        } else {
          // The option group is one stop: the arrows move and set, Space sets the first.
          const choose = (await shownAnswers()).findIndex(
            (text) => isRight(r, text) === wrong,
          );
          wrong = true;
          if (choose === 0) await page.keyboard.press("Space");
          for (let a = 0; a < choose; a++)
            await page.keyboard.press("ArrowDown");
          await frame.locator("input[type=radio]:checked").waitFor();
          assert.equal(
            await frame.locator("input[type=radio]").nth(choose).isChecked(),
            true,
          );
          // Shift+Tab from the group goes back out of the page, Tab comes in again.
          await keyTo(page, "quest", "WebBrowser1", "Shift+Tab");
          assert.notEqual(await focusOf(page, "quest"), "");
        }
        if (k === 0) {
          // The panels' edges are drawn whole, over the labels they hold.
          const edges = await quest.evaluate((w) => {
            const client = w.querySelector(".client").getBoundingClientRect();
            return [...w.querySelectorAll(".ctl.frame > .edge")].map((e) => {
              const r = e.getBoundingClientRect();
              const z = Number(getComputedStyle(e).zIndex);
              const over = [...e.parentNode.children].filter(
                (n) => n.matches(".ctl") && Number(n.style.zIndex) >= z,
              );
              return (
                r.right <= client.right + 0.5 &&
                r.bottom <= client.bottom + 0.5 &&
                over.length === 0
              );
            });
          });
          assert.deepEqual(edges, [true, true]);
          await shot(quest, `page-keys-${width}-01-question-by-keys`);
        }
        // Past the page's last stop Tab goes on to the window's controls.
        await keyTo(page, "quest", "cmd_buttons(0)");
        await press(page, "Enter");
        const answer = windowOf(page, "theanswer");
        if (
          r.type === "single_answer" &&
          k === records.findIndex((x) => x.type === "single_answer")
        ) {
          // The first single-answer question was answered wrong: its explanation holds the focus.
          await answer.waitFor();
          await settled(page);
          assert.equal(await focusOf(page, "theanswer"), "Closeb");
          const close = controlOf(answer, "Closeb");
          // The focus mark shows: a dotted outline inside the button.
          assert.deepEqual(
            await close.evaluate((n) => [
              document.activeElement === n,
              getComputedStyle(n).outlineStyle,
            ]),
            [true, "dotted"],
          );
          await shot(page, `page-keys-${width}-02-explanation-focused`);
          // Keys meant for the test window behind do nothing while it is open.
          await page.keyboard.press("Escape");
          await settled(page);
          assert.ok(await answer.isVisible());
          await press(page, "Enter");
          await answer.waitFor({ state: "detached" });
        }
      }
      await windowOf(page, "finalscore").waitFor();
      const score = await page.evaluate(() =>
        window
          .pvState()
          .windows.find((w) => w.name === "finalscore")
          .controls.map((c) => c.caption)
          .join(" | "),
      );
      assert.match(score, /\b4\b/);
    });
  });
}

// What each way of naming no product asks before the start window shows.
for (const [what, commandLine] of [
  ["an unknown product code", ["99999"]],
  ["no product code", []],
]) {
  test(`${what} reaches the start window once its boxes are answered`, async () => {
    const program = await startProgram(commandLine);
    const browser = await openBrowser({ width: 1024, height: 768 });
    const { page } = browser;
    try {
      await page.goto(program.url);
      const box = page.locator('.box[role="dialog"]');
      const welcome = windowOf(page, "Welcome");
      const answered = [];
      for (let k = 0; k < 6; k++) {
        await Promise.race([box.waitFor(), welcome.waitFor()]);
        if (await welcome.isVisible()) break;
        answered.push(await box.locator(".text").textContent());
        await page.locator(".box button.default:focus").waitFor();
        const shown = await page.evaluate(() => window.pvState().boxes[0].box);
        await page.keyboard.press("Enter");
        await page.waitForFunction(
          (n) => !window.pvState().boxes.some((b) => b.box === n),
          shown,
        );
      }
      await welcome.waitFor();
      assert.ok(answered.length >= 1, "a box asked first");
      await shot(
        page,
        `page-keys-start-${commandLine.length ? "unknown" : "none"}`,
      );
    } finally {
      await browser.close();
      await program.stop();
    }
  });
}

// The page made smaller: every window's title bar stays on it, and the study saver covers
// the new size.
const titleBarsOnPage = (page) =>
  page.evaluate(() =>
    [...document.querySelectorAll(".win")].flatMap((w) => {
      const t = w.querySelector(".title");
      if (!t || t.hidden || w.classList.contains("minimized")) return [];
      const r = t.getBoundingClientRect();
      const on =
        r.top >= 0 &&
        r.bottom <= window.innerHeight &&
        r.right >= 32 &&
        r.left <= window.innerWidth - 32;
      return on
        ? []
        : [`${w.dataset.name} ${r.left},${r.top},${r.right},${r.bottom}`];
    }),
  );

async function resizeTo(page, width, height) {
  await page.setViewportSize({ width, height });
  await page.waitForFunction(
    ([w, h]) => {
      const s = window.pvState().screen;
      return s.width === w && s.height === h;
    },
    [width, height],
  );
  await settled(page);
}

test("a page made smaller keeps every title bar on it", async () => {
  const program = await startProgram(["46000"]);
  const browser = await openBrowser({ width: 1280, height: 800 });
  const { page } = browser;
  try {
    await page.goto(program.url);
    await controlOf(windowOf(page, "Welcome"), "Image4(0)").click();
    const setup = windowOf(page, "pick_a_quiz");
    await setup.waitFor();
    // Dragged towards the bottom right corner, then the page shrinks twice.
    const bar = await setup.locator(".title").boundingBox();
    await page.mouse.move(bar.x + 60, bar.y + 5);
    await page.mouse.down();
    await page.mouse.move(1200, 760, { steps: 4 });
    await page.mouse.up();
    await settled(page);
    for (const [w, h] of [
      [1024, 768],
      [640, 480],
    ]) {
      await resizeTo(page, w, h);
      assert.deepEqual(await titleBarsOnPage(page), [], `${w} x ${h}`);
    }
    await shot(page, "page-keys-shrunk");
  } finally {
    await browser.close();
    await program.stop();
  }
});

test("the study saver follows the page size", async () => {
  const program = await startProgram(["aaaa46000"]);
  const browser = await openBrowser({ width: 1280, height: 800 });
  const { page } = browser;
  try {
    await page.goto(program.url);
    const saver = windowOf(page, "Security");
    await saver.waitFor();
    await settled(page);
    await resizeTo(page, 1024, 768);
    await page.waitForFunction(() => {
      const w = window.pvState().windows.find((x) => x.name === "Security");
      return w.width === 1024 * 15 && w.height === 768 * 15;
    });
    const box = await saver.boundingBox();
    assert.deepEqual(
      [Math.round(box.width), Math.round(box.height)],
      [1024, 768],
    );
    const logo = await controlOf(saver, "Picture1").boundingBox();
    assert.ok(
      logo.y + logo.height <= 768 && logo.y + logo.height > 700,
      `logo at ${logo.y}`,
    );
  } finally {
    await browser.close();
    await program.stop();
  }
});
