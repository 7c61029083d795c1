// The router simulator as a learner uses it: a switch task and a routing task of the banks
// solved by typing alone (abbreviations, Tab, "?", history, Ctrl+Z, the buttons reached by
// Tab), at both screen sizes; Done writes a result that the task's own checks accept.
import assert from "node:assert/strict";
import { existsSync, readFileSync, rmSync } from "node:fs";
import path from "node:path";
import { describe, test } from "node:test";
import { fileURLToPath } from "node:url";
import { BUILD, openBrowser, shot, startProgram } from "./program.mjs";

const BANKS = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../../banks");
const RESULT = path.join(BUILD, "out.ini");

// A simulator record of a bank: its question, lab, checks and model transcript, as the
// engine hands them over in "sim.txt" and "sim_showme.txt".
function bankTask(bank, record) {
  const text = readFileSync(path.join(BANKS, bank, "velto.txt"), "utf8");
  const start = text.indexOf(`\nrecord ${record}\n`);
  assert.ok(start >= 0, `${bank} has no record ${record}`);
  const lines = text.slice(start + 1).split("\n\n")[0].split("\n");
  const field = (name) => lines.filter((l) => l.startsWith(name + " ")).map((l) => l.slice(name.length + 1));
  const transcript = lines
    .filter((l) => l === "console" || l.startsWith("console ") || l.startsWith("console-clue "))
    .map((l) => l.replace(/^console(-clue)? ?/, ""));
  return {
    question: field("question")[0],
    lab: field("lab")[0] || "",
    checks: field("answer").map((a) => a.replaceAll("\\s", " ")),
    files: {
      "sim.txt": field("question")[0] + "\r\n",
      "sim_showme.txt": transcript.join("\r\n") + "\r\n",
    },
  };
}

// The result file's [general] values, read as the engine's checks read them.
function resultValues() {
  const values = new Map();
  for (const line of readFileSync(RESULT, "utf8").split("\r\n").slice(1)) {
    const eq = line.indexOf("=");
    if (eq > 0) values.set(line.slice(0, eq).trim().toLowerCase(), line.slice(eq + 1).trim().toLowerCase());
  }
  return values;
}

async function openTask(task, viewport) {
  rmSync(RESULT, { force: true });
  const program = await startProgram(["--simulator", task.lab], task.files);
  const browser = await openBrowser(viewport);
  const errors = [];
  browser.page.on("console", (m) => m.type() === "error" && errors.push(m.text()));
  browser.page.on("pageerror", (e) => errors.push(String(e)));
  await browser.page.goto(program.url);
  await browser.page.waitForFunction(() => window.pvSim && window.pvSim.status);
  return { program, browser, page: browser.page, errors };
}

async function close(run) {
  assert.deepEqual(run.errors, []);
  await run.browser.close();
  await run.program.stop();
  rmSync(RESULT, { force: true });
}

// The keys a learner presses, each waited on until the program has answered it:
// "text⏎" runs a line, "text⇥" completes, "text?" asks for help, "^Z", "↑" recalls.
async function press(page, keys) {
  const before = await page.evaluate(() => ({
    history: window.pvSim.history.length,
    seq: window.pvSim.edit.seq,
  }));
  const last = keys.slice(-1);
  if (keys === "^Z") {
    await page.keyboard.press("Control+z");
    await page.waitForFunction(() => window.pvSim.screen.endsWith("^Z\n"));
    return;
  }
  if (keys === "↑") {
    await page.keyboard.press("ArrowUp");
    return;
  }
  await page.keyboard.type(keys.slice(0, -1));
  if (last === "⏎") {
    await page.keyboard.press("Enter");
    await page.waitForFunction((n) => window.pvSim.history.length > n, before.history);
  } else {
    await page.keyboard.press(last === "⇥" ? "Tab" : "?");
    await page.waitForFunction(
      (seq) => window.pvSim.edit.seq > seq && document.getElementById("line").value === window.pvSim.edit.text,
      before.seq,
    );
  }
}

// Presses Tab until the button with this id has the focus.
async function tabTo(page, id) {
  for (let presses = 0; presses < 10; ++presses) {
    await page.keyboard.press("Tab");
    if (await page.evaluate((want) => document.activeElement.id === want, id)) return;
  }
  assert.fail(`Tab never reached #${id}`);
}

async function line(page) {
  return page.inputValue("#line");
}

const TASKS = [
  {
    name: "switch",
    task: bankTask("gudar", 89), // two VLANs, two access ports, a description
    prompt: "Switch#",
    show: ["sh vlan br⏎", /\n20 +Engineering +FastEthernet0\/6\n/],
    async solve(page) {
      // A false start, undone by Reset.
      for (const k of ["en⏎", "conf t⏎", "vlan 30⏎"]) await press(page, k);
      await tabTo(page, "reset");
      await page.keyboard.press("Enter");
      await page.waitForFunction(() => window.pvSim.prompt === "Switch>" && window.pvSim.screen === "");
      assert.equal(await page.evaluate(() => document.activeElement.id), "line");
      await press(page, "en⏎");
      await press(page, "conf⇥");
      assert.equal(await line(page), "configure ");
      await press(page, "t⏎");
      for (const k of ["vlan 10⏎", "name Sales⏎", "vl 20⏎", "na Engineering⏎", "int fa0/5⏎"]) await press(page, k);
      await press(page, "switchport access ?");
      assert.match(await page.evaluate(() => window.pvSim.screen), /\(config-if\)#switchport access \?\n {2}vlan\n/);
      await press(page, "vlan 10⏎");
      await press(page, "desc Front desk printer⏎");
      await press(page, "int fa0/6⏎");
      await press(page, "↑");
      assert.equal(await line(page), "int fa0/6");
      await page.keyboard.press("Control+a");
      await page.keyboard.press("Backspace");
      await press(page, "sw acc vl 20⏎");
    },
  },
  {
    name: "routing",
    task: bankTask("holmi", 93), // EIGRP variance and no automatic summarization
    prompt: "R1#",
    async solve(page) {
      for (const k of ["enable⏎", "conf t⏎", "router eigrp 100⏎"]) await press(page, k);
      // A reloaded tab goes on where it was.
      await page.reload();
      await page.waitForFunction(() => window.pvSim && window.pvSim.prompt === "R1(config-router)#");
      assert.equal(await page.evaluate(() => document.activeElement.id), "line");
      await press(page, "vari?");
      assert.match(await page.evaluate(() => window.pvSim.screen), /\(config-router\)#vari\?\n {2}variance\n/);
      await press(page, "ance 3⏎");
      await press(page, "no auto⇥");
      assert.equal(await line(page), "no auto-summary ");
      await press(page, "⏎");
    },
    show: ["sh run⏎", /\nrouter eigrp 100\n variance 3\n no auto-summary\n/],
  },
];

for (const viewport of [
  { width: 1024, height: 768 },
  { width: 1280, height: 800 },
]) {
  const size = `${viewport.width}x${viewport.height}`;
  describe(`the router simulator at ${size}`, () => {
    for (const { name, task, prompt, solve, show } of TASKS) {
      test(`a ${name} task solved by keyboard alone`, async () => {
        const run = await openTask(task, viewport);
        const { page } = run;
        assert.equal(await page.evaluate(() => window.pvSim.status), "ready");
        assert.equal(await page.textContent("#task"), task.question);
        assert.equal(await page.evaluate(() => document.activeElement.id), "line");
        await solve(page);
        await press(page, "^Z");
        assert.equal(await page.textContent("#prompt"), prompt);
        await press(page, show[0]);
        assert.match(await page.evaluate(() => window.pvSim.screen), show[1]);
        await tabTo(page, "showme");
        await page.keyboard.press("Enter");
        await page.waitForFunction(() => window.pvSim.showme !== "");
        assert.equal(await page.isVisible("#model-box"), true);
        const model = task.files["sim_showme.txt"].replaceAll("\r", "").replace(/\n+$/, "");
        assert.equal(await page.textContent("#model"), model);
        await shot(page, `sim-${name}-${size}`);
        await tabTo(page, "done");
        await page.keyboard.press("Enter");
        await page.waitForFunction(() => window.pvSim.status === "saved");
        assert.equal(await page.textContent("#message"), "Your work is saved. Return to the test and click Next.");
        const values = resultValues();
        for (const check of task.checks) {
          const eq = check.indexOf("=");
          const key = check.slice(0, eq).trim().toLowerCase();
          assert.equal(values.get(key), check.slice(eq + 1).trim().toLowerCase(), check);
        }
        await close(run);
      });
    }

    test("a missing task says so and writes nothing", async () => {
      const run = await openTask({ lab: "", files: {} }, viewport);
      const { page } = run;
      assert.equal(await page.evaluate(() => window.pvSim.status), "error");
      assert.match(await page.textContent("#message"), /^"sim\.txt" cannot be read \(.*\)\. Return to the test/);
      assert.equal(await page.isVisible("#terminal"), false);
      await shot(page, `sim-missing-${size}`);
      assert.equal(existsSync(RESULT), false);
      await close(run);
    });
  });
}
