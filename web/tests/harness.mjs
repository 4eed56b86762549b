// Shared by the browser tests: a static server for build/web/site on 127.0.0.1 and
// Debian's headless Chromium driven by puppeteer-core (no browser download).
import fs from 'node:fs';
import path from 'node:path';
import http from 'node:http';
import os from 'node:os';
import { test } from 'node:test';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

// The web build the tests run on: VNT_WEB_BUILD, else this work tree's build/web.
export const buildDir = process.env.VNT_WEB_BUILD ||
  path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../build/web');

// What each kind of file is: a browser installs the page as an app only with its icons served
// as pictures, and compiles the .wasm while it loads only as application/wasm.
export const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.css': 'text/css; charset=utf-8', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png',
  '.ico': 'image/x-icon', '.ttf': 'font/ttf', '.woff': 'font/woff', '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
};

export async function serve(siteDir, port = 0) {
  const root = path.resolve(siteDir);
  const server = http.createServer((req, res) => {
    let rel = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '');
    if (rel === '') rel = 'index.html';
    const p = path.resolve(root, rel);
    if (!(p === root || p.startsWith(root + path.sep)) || !fs.existsSync(p) ||
        !fs.statSync(p).isFile()) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': types[path.extname(p).toLowerCase()] || 'application/octet-stream' });
    fs.createReadStream(p).pipe(res);
  });
  // A port already taken rejects (error.code 'EADDRINUSE').
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => { server.off('error', reject); resolve(); });
  });
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// axe-core (pinned in package.json): the accessibility rules a page is checked against.
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The page as it stands checked by axe-core: each violation as "rule (impact): elements".
export async function audit(page) {
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axeSource);
  return page.evaluate(async () => {
    const { violations } = await window.axe.run(document, { resultTypes: ['violations'] });
    return violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  });
}

// The selector of a control by the model's name (and index, for a control array).
export const sel = (name, index) =>
  `[data-control="${name}"]` + (index !== undefined ? `[data-index="${index}"]` : '');

// Each check a test of node's test runner (`node --test` counts them), named after the file's
// title; a failed check does not stop the ones after it. `onFailure` runs before a failure is
// reported (a screenshot, say).
export function checks(title, onFailure = null) {
  const step = (name, body) => test(`${title}: ${name}`, async () => {
    try {
      await body();
    } catch (e) {
      if (onFailure) await onFailure(e);
      throw e;
    }
  });
  return { step };
}

// What the tests do with the page: click by the model's names (a real mouse click at the
// element), wait until the page has drawn the click's result, read captions.
export function driver(page) {
  // Settled: the click has ended and the game is kept in the browser.
  const settle = () => page.waitForFunction(() => !document.body.dataset.busy && !document.body.dataset.keeping);
  return {
    settle,
    click: async (name, index) => { await page.click(sel(name, index)); await settle(); },
    // For a control lying under another one (the bunt-rating options under the defence frame).
    clickElement: async (name, index) => {
      await page.$eval(sel(name, index), (e) => e.click());
      await settle();
    },
    text: (name, index) => page.$eval(sel(name, index),
      (e) => (e.classList.contains('frame') ? e.querySelector('.caption') : e).textContent),
    shown: (name, index) => page.$eval(sel(name, index), (e) => !e.hidden),
    history: () => page.$$eval(sel('List1') + ' li', (items) => items.map((i) => i.textContent)),
    // The focused control as "name" or "name(index)".
    focused: () => page.evaluate(() => {
      const e = document.activeElement?.closest('[data-control]');
      if (!e) return document.activeElement?.id || null;
      return e.dataset.control + (e.dataset.index !== undefined ? `(${e.dataset.index})` : '');
    }),
    queueRolls: (...values) => page.evaluate((v) => window.vntQueueRolls(...v), values),
    // Every die the roll under way still asks for: "Roll for me", until no die box opens.
    rollTheRest: async () => {
      for (;;) {
        await page.waitForFunction(() => !document.getElementById('die-overlay').hidden || !document.body.dataset.busy);
        if (await page.$eval('#die-overlay', (e) => e.hidden)) break;
        await page.click('#die-roll');
      }
      await settle();
    },
  };
}

// The program loaded and its window drawn. Compiling the .wasm on a busy two-core machine can
// take longer than puppeteer's 30 s default, which is a slow machine, not a fault.
export function waitUntilReady(page) {
  return page.waitForSelector('body[data-ready]', { timeout: 120000 });
}

// A page of the served site, ready to be clicked.
export async function openPage(browser, url, viewport = { width: 900, height: 700 }) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.setViewport(viewport);
  await page.goto(url);
  await waitUntilReady(page);
  return { page, errors };
}
