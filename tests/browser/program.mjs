// Starts the program on a loopback port and opens its page in headless Chromium (Debian's
// build; playwright-core never downloads a browser).
import { spawn } from 'node:child_process';
import { mkdtempSync, mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

export const BUILD = path.resolve(process.env.PREPVANT_BUILD || 'build/default');
export const SHOTS = path.join(BUILD, 'browser-screenshots');
mkdirSync(SHOTS, { recursive: true });

const CHROMIUM_ARGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// The program in a fresh current folder and home, so no run sees another's files;
// `files` are written into that home first (name relative to it -> content).
export function startProgram(commandLine = ['46000'], files = {}) {
  return serve('prepvant', ['--no-browser', ...commandLine], files);
}

// A window with every kind of control, served by a test of the unit-test program.
export function startGallery() {
  return serve('unit_tests', ['--gtest_also_run_disabled_tests', '--gtest_filter=WebGallery.DISABLED_Serve']);
}

// Starts a program of the build that prints the page's address and serves it.
async function serve(binary, args, files = {}) {
  const home = mkdtempSync(path.join(tmpdir(), 'prepvant-browser-'));
  for (const [name, content] of Object.entries(files)) {
    mkdirSync(path.dirname(path.join(home, name)), { recursive: true });
    writeFileSync(path.join(home, name), content);
  }
  const child = spawn(path.join(BUILD, binary), args, {
    cwd: home,
    env: { ...process.env, HOME: home, XDG_CONFIG_HOME: path.join(home, '.config') },
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  let stderr = '';
  let stdout = '';
  child.stderr.on('data', (b) => { stderr += b; });
  child.stdout.on('data', (b) => { stdout += b; });
  const exited = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  const url = await new Promise((resolve, reject) => {
    let out = '';
    const timer = setTimeout(() => reject(new Error('no address from the program: ' + stderr)), 20000);
    child.stdout.on('data', (b) => {
      out += b;
      const m = out.match(/http:\/\/127\.0\.0\.1:\d+\/\?s=[0-9a-f]+/);
      if (m) {
        clearTimeout(timer);
        resolve(m[0]);
      }
    });
    child.on('exit', (code) => reject(new Error(`${binary} exited (${code}) before serving: ${stderr}`)));
  });
  return {
    url, child, exited, home,
    output: () => stdout + stderr,
    async stop() {
      if (child.exitCode === null) child.kill('SIGTERM');
      await exited;
      rmSync(home, { recursive: true, force: true });
    },
  };
}

// Playwright hides the page's scroll bars by default; people see them.
export async function openBrowser(viewport = { width: 1920, height: 1080 }) {
  const profile = mkdtempSync(path.join(tmpdir(), 'prepvant-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
    ignoreDefaultArgs: ['--hide-scrollbars'],
    viewport,
  });
  const page = context.pages()[0] || (await context.newPage());
  return {
    context, page,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

export const windowOf = (page, name) => page.locator(`.win[data-name="${name}"]`);
export const controlOf = (win, name) => win.locator(`.ctl[data-name="${name}"]`);

export async function shot(target, name) {
  await target.screenshot({ path: path.join(SHOTS, name + '.png') });
}

// Waits until the engine has carried out every event the page has sent, and the page has
// drawn the state that says so. Tests wait on this, never on time.
export async function settled(page) {
  await page.waitForFunction(() => window.pvStats.applied >= window.pvStats.sent);
}

// Clicks and waits until the page has drawn the state in which the engine has carried out
// the click; the time from the click until that drawing is done, in milliseconds.
export async function clickAndTime(page, locator) {
  const handle = await locator.elementHandle();
  return page.evaluate(async (node) => {
    const before = window.pvStats.sent;
    const start = performance.now();
    node.dispatchEvent(new MouseEvent('click', { bubbles: true }));
    const sent = window.pvStats.sent;
    if (sent === before) throw new Error('the click sent nothing');
    while (window.pvStats.applied < sent) {
      if (performance.now() - start > 5000) throw new Error('the click was not carried out');
      await new Promise((r) => setTimeout(r, 0));
    }
    return window.pvStats.drawnAt - start;
  }, handle);
}

export function median(values) {
  const s = [...values].sort((a, b) => a - b);
  const m = Math.floor(s.length / 2);
  return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2;
}
