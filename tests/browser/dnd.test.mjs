// The drag-and-drop program as a learner uses it: one exercise solved by mouse, one by
// keyboard alone, each at both screen sizes; Done writes the result the test grades.
import assert from "node:assert/strict";
import { existsSync, readFileSync, rmSync } from "node:fs";
import path from "node:path";
import { describe, test } from "node:test";
import { BUILD, openBrowser, shot, startProgram } from "./program.mjs";

// The RIP timers exercise of the GUDAR CD-ROM: each item and the target it belongs on.
const SOLUTION = [
  ["Update timer", "sends its full routing table"],
  ["Invalid timer", "marks the route unreachable"],
  ["Holddown timer", "accepts a worse route"],
  ["Flush timer", "removes the route from its routing table"],
];
const RESULT = path.join(BUILD, "out.ini");

async function openExercise(viewport) {
  rmSync(RESULT, { force: true });
  const program = await startProgram(["--exercise", "46000Q3"]);
  const browser = await openBrowser(viewport);
  const errors = [];
  browser.page.on(
    "console",
    (m) => m.type() === "error" && errors.push(m.text()),
  );
  browser.page.on("pageerror", (e) => errors.push(String(e)));
  await browser.page.goto(program.url);
  await browser.page.waitForFunction(
    () => window.pvExercise && window.pvExercise.status === "ready",
  );
  return { program, browser, page: browser.page, errors };
}

const tile = (page, text) => page.locator(".tile", { hasText: text });
const zone = (page, text) => page.locator(".zone", { hasText: text });

// Presses Tab until the focused element is the item tile or the zone (by its heading) or
// the button named; fails when a whole round of the page's stops does not reach it.
async function tabTo(page, what) {
  for (let presses = 0; presses < 60; ++presses) {
    await page.keyboard.press("Tab");
    const there = await page.evaluate(({ kind, text }) => {
      const el = document.activeElement;
      if (kind === "tile")
        return el.matches(".tile") && el.textContent === text;
      if (kind === "zone")
        return (
          el.matches(".zone") &&
          el.querySelector("h2").textContent.includes(text)
        );
      return el.id === text;
    }, what);
    if (there) return;
  }
  assert.fail(`Tab never reached the ${what.kind} "${what.text}"`);
}

async function finish(run, name) {
  const { page } = run;
  await page.waitForFunction(() => window.pvExercise.status !== "ready");
  await shot(page, name);
  const instruction = await page.textContent("#instruction");
  assert.match(instruction, /^Drag each RIP timer .* runs out\.$/);
  assert.equal(readFileSync(RESULT, "utf8"), "[Answer]\r\nresult=Success\r\n");
  assert.deepEqual(run.errors, []);
  await run.browser.close();
  await run.program.stop();
  rmSync(RESULT, { force: true });
}

for (const viewport of [
  { width: 1024, height: 768 },
  { width: 1280, height: 800 },
]) {
  const size = `${viewport.width}x${viewport.height}`;
  describe(`the drag-and-drop program at ${size}`, () => {
    test("solved by mouse", async () => {
      const run = await openExercise(viewport);
      const { page } = run;
      for (const [item, target] of SOLUTION) {
        await tile(page, item).hover();
        await page.mouse.down();
        await zone(page, target).hover();
        await page.mouse.up();
        await zone(page, target).locator(".tile", { hasText: item }).waitFor();
      }
      await page.click("#done");
      await finish(run, `dnd-mouse-${size}`);
    });

    test("solved by keyboard alone", async () => {
      const run = await openExercise(viewport);
      const { page } = run;
      for (const [item, target] of SOLUTION) {
        await tabTo(page, { kind: "tile", text: item });
        await page.keyboard.press("Space");
        await tabTo(page, { kind: "zone", text: target });
        await page.keyboard.press("Enter");
        await zone(page, target).locator(".tile", { hasText: item }).waitFor();
      }
      await tabTo(page, { kind: "button", text: "done" });
      await page.keyboard.press("Enter");
      await finish(run, `dnd-keyboard-${size}`);
      assert.equal(existsSync(RESULT), false);
    });
  });
}
