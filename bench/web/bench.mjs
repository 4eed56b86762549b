// node bench/web/bench.mjs [BUILD_DIR] [ROUNDS]: the web edition's figures in headless Chromium
// (Debian's, through web/tests' puppeteer-core): first paint against a static page with the
// same controls, and when the program runs; sizes raw and gzipped; click to painted result
// (p50/p99) for a steal roll and a deep drive; the odds worked out anew per click. Prints the
// figures; asserts nothing.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const tests = path.resolve(here, '../../web/tests');
const { serve, launch, openPage, driver } = await import(path.join(tests, 'harness.mjs'));
const buildDir = path.resolve(process.argv[2] || path.join(here, '../../build/web'));
const rounds = Number(process.argv[3] || 200);
const site = path.join(buildDir, 'site');

const quantile = (values, q) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
};
const ms = (v) => (typeof v === 'number' && !Number.isNaN(v) ? v.toFixed(2) : 'n/a').padStart(8) + ' ms';
const kb = (bytes) => (bytes / 1024).toFixed(0).padStart(6) + ' KiB';

// Sizes.
console.log('Sizes (raw, gzip -9)');
for (const file of ['site/vnt-assistant.wasm', 'site/vnt-assistant.js', 'app.js', 'vnt-assistant.html']) {
  const data = fs.readFileSync(path.join(buildDir, file));
  console.log(`  ${file.padEnd(26)} ${kb(data.length)} ${kb(zlib.gzipSync(data, { level: 9 }).length)}`);
}

// A static copy of the page as drawn: the same controls, styles and fonts, no program.
const staticDir = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-static-'));
fs.cpSync(site, staticDir, { recursive: true });
const { server, url } = await serve(staticDir);
const { browser, close } = await launch();
try {
  {
    const { page } = await openPage(browser, url);
    const body = await page.evaluate(() => document.body.innerHTML.replace(/<script[\s\S]*?<\/script>/g, ''));
    fs.writeFileSync(path.join(staticDir, 'static.html'),
      `<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>VNT Assistant</title>` +
      `<link rel="stylesheet" href="style.css"></head><body data-ready="true">${body}</body></html>`);
    await page.close();
  }

  // First paint: a fresh page each time (cache off), the page's own paint timing.
  const firstPaint = async (pageUrl, ready) => {
    const times = [];
    for (let i = 0; i < 15; ++i) {
      const page = await browser.newPage();
      await page.setCacheEnabled(false);
      await page.goto(pageUrl);
      await page.waitForSelector(ready);
      // The paint entry can be filed a frame after the controls are there: wait for it.
      times.push(await page.evaluate(() => new Promise((resolve) => {
        const drawn = performance.getEntriesByName('vnt-program-running')[0];
        const ready = drawn ? drawn.startTime : NaN;
        new PerformanceObserver((list, observer) => {
          const paint = list.getEntriesByName('first-contentful-paint')[0];
          if (paint) { observer.disconnect(); resolve({ paint: paint.startTime, ready }); }
        }).observe({ type: 'paint', buffered: true });
      })));
      await page.close();
    }
    return times;
  };
  const program = await firstPaint(url, 'body[data-ready] [data-control="cmdYear"]');
  const baseline = await firstPaint(url + 'static.html', '[data-control="cmdYear"]');
  const med = (list, key) => quantile(list.map((t) => t[key]), 0.5);
  console.log('First contentful paint (median of 15, cache off)');
  console.log(`  static page, same controls ${ms(med(baseline, 'paint'))}`);
  console.log(`  the program                ${ms(med(program, 'paint'))}  (${(med(program, 'paint') / med(baseline, 'paint')).toFixed(2)}x)`);
  // The window is drawn into the page as served; this is when the program has loaded and
  // taken it over (clicks work from here).
  console.log(`  the program running        ${ms(med(program, 'ready'))}  (window taken over)`);

  // Click to painted result: from the click event to the next animation frame after the page
  // has drawn the model's state (what the player sees).
  const { page } = await openPage(browser, url);
  const d = driver(page);
  await d.click('optYear', 43);
  await d.click('cmdYear');
  // A player's click falls anywhere between two frames: each timed click waits a random part
  // of a frame first (the steps before it would otherwise set it just after one).
  const timedClick = (name) => page.evaluate((control) => new Promise((resolve) => setTimeout(() => {
    const element = document.querySelector(`[data-control="${control}"]`);
    const start = performance.now();
    element.click();
    const wait = () => {
      if (document.body.dataset.busy) { queueMicrotask(wait); return; }
      const drawn = performance.now() - start;
      requestAnimationFrame(() => resolve([drawn, performance.now() - start]));
    };
    wait();
  }, Math.random() * 1000 / 60)), name);
  const measure = async (title, setUp, button, rolls, count = rounds) => {
    const drawn = [];
    const framed = [];
    for (let i = 0; i < count; ++i) {
      await setUp();
      await d.queueRolls(...rolls(i));
      const [work, frame] = await timedClick(button);
      drawn.push(work);
      framed.push(frame);
      await d.click('cmdCancel');
    }
    console.log(`  ${title.padEnd(27)}page drawn  p50 ${ms(quantile(drawn, 0.5))}   p99 ${ms(quantile(drawn, 0.99))}`);
    console.log(`  ${''.padEnd(27)}next frame  p50 ${ms(quantile(framed, 0.5))}   p99 ${ms(quantile(framed, 0.99))}`);
  };
  // "page drawn": the click's own work, the model's and the page's, until the window's
  // elements show the result; "next frame": until the frame after it begins, which adds the
  // wait for the display's next refresh (up to 16.7 ms at 60 Hz, wherever the click fell).
  console.log(`Click to painted result (${rounds} rolls each)`);
  const stealScreen = async () => { await d.click('cmdChart', 10); await d.click('optJump', 5); };
  await measure('steal roll', stealScreen, 'cmdStealing', (i) => [i % 100, (i * 7) % 100]);
  await measure('deep drive', async () => {
    await d.click('cmdChart', 3);
    await d.click('OptBatting', 3);
    await d.clickElement('Option1', 2);
    await d.click('optBallpark', 1);
    await d.click('optWind', 0);
  }, 'cmdDeep', (i) => [i % 10, (i * 13) % 100, (i * 7) % 100, (i * 3) % 100]);

  // The odds the panel shows, worked out anew as after each click.
  await d.click('cmdChart', 10);
  await d.click('optJump', 5);
  const odds = await page.evaluate((n) => {
    const times = [];
    for (let i = 0; i < n; ++i) {
      const start = performance.now();
      window.vntOddsText();
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    return [times[Math.floor(n / 2)], times[Math.floor(n * 0.99)]];
  }, rounds * 5);
  console.log(`Odds recompute per click (steal, ${rounds * 5} times)  p50 ${ms(odds[0])}   p99 ${ms(odds[1])}`);

  // A long evening: the steal again with the Game Log panel open, the log holding every roll
  // above.
  await d.click('cmdCancel');
  await page.keyboard.press('F3');
  const logged = await page.$$eval('#log-text > div', (rolls) => rolls.length);
  console.log(`With the Game Log open (${logged} rolls in it, ${Math.min(rounds, 100)} rolls)`);
  await measure('steal roll', stealScreen, 'cmdStealing', (i) => [i % 100, (i * 7) % 100],
    Math.min(rounds, 100));
} finally {
  await close();
  server.close();
  fs.rmSync(staticDir, { recursive: true, force: true });
}
