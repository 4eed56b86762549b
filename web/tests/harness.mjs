// Shared by the browser tests: a static server for build/web/site on 127.0.0.1 and
// Debian's headless Chromium driven by puppeteer-core (no browser download).
import fs from 'node:fs';
import path from 'node:path';
import http from 'node:http';
import os from 'node:os';
import puppeteer from 'puppeteer-core';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.ttf': 'font/ttf', '.woff': 'font/woff', '.webmanifest': 'application/manifest+json', '.txt': 'text/plain', '.png': 'image/png' };

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
    res.writeHead(200, { 'Content-Type': types[path.extname(p)] || 'application/octet-stream' });
    fs.createReadStream(p).pipe(res);
  });
  await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
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

// The selector of a control by the model's name (and index, for a control array).
export const sel = (name, index) =>
  `[data-control="${name}"]` + (index !== undefined ? `[data-index="${index}"]` : '');

// A named check that counts its failure and goes on; report() prints the total and exits.
export function checks(title) {
  let failures = 0;
  const step = async (name, body) => {
    try {
      await body();
      console.log('ok   ' + name);
    } catch (e) {
      ++failures;
      console.log('FAIL ' + name + ': ' + (e && e.message));
    }
  };
  const report = () => {
    console.log(failures === 0 ? `${title}: all passed` : `${title}: ${failures} failed`);
    return failures === 0 ? 0 : 1;
  };
  return { step, report };
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
