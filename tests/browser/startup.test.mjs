// A start-up in a current folder where the write probe cannot be written: the page shows
// the "File Permissions" box, and once it is answered, what the start-up does next.
import assert from "node:assert/strict";
import { readFileSync, statSync } from "node:fs";
import path from "node:path";
import { test } from "node:test";
import { openBrowser, shot, startProgram, windowOf } from "./program.mjs";

const kProbeText =
  "You do not appear to have file system permissions.  Please log off and log on as " +
  "administrator.";

// A folder where the probe file should be: no one, not even root, writes a file there.
const kUnwritableProbe = { "file.wrt/keep": "" };

// The boxes the engine has open, as it published them.
const openBoxes = (page) =>
  page.evaluate(() =>
    window.pvState().boxes.map((b) => `${b.title}: ${b.text}`),
  );

// Answers the engine's first open box and waits until the engine has closed it.
async function answerBox(page, answer) {
  const shown = await page.evaluate(() => window.pvState().boxes[0].box);
  await answer();
  await page.waitForFunction(
    (n) => !window.pvState().boxes.some((b) => b.box === n),
    shown,
  );
}

for (const [width, height] of [
  [1024, 768],
  [1280, 800],
]) {
  test(`at ${width}x${height} the File Permissions box leads on to the start window`, async () => {
    const program = await startProgram(["46000"], kUnwritableProbe);
    const browser = await openBrowser({ width, height });
    const { page } = browser;
    try {
      await page.goto(program.url);
      const box = page.locator('.box[role="dialog"]');
      await box.waitFor();
      assert.equal(
        await box.locator(".caption").textContent(),
        "File Permissions",
      );
      assert.equal(await box.locator(".text").textContent(), kProbeText);
      assert.deepEqual(await openBoxes(page), [
        `File Permissions: ${kProbeText}`,
      ]);
      await shot(page, `startup-${width}-file-permissions`);
      await answerBox(page, () => box.locator("button.default").click());
      // The start-up's later boxes, if any, then the start window, never "Please Wait".
      const welcome = windowOf(page, "Welcome");
      for (let k = 0; k < 6; k++) {
        await Promise.race([box.waitFor(), welcome.waitFor()]);
        if (await welcome.isVisible()) break;
        await page.locator(".box button.default:focus").waitFor();
        await answerBox(page, () => page.keyboard.press("Enter"));
      }
      await welcome.waitFor();
      assert.equal(await windowOf(page, "loading").isVisible(), false);
      assert.deepEqual(await openBoxes(page), []);
      assert.ok(statSync(path.join(program.home, "file.wrt")).isDirectory());
      assert.match(
        readFileSync(path.join(program.home, "error.log"), "latin1"),
        /Welcome form load\(\)/,
      );
      await shot(page, `startup-${width}-after-file-permissions`);
    } finally {
      await browser.close();
      await program.stop();
    }
  });
}
