// layout.test.mjs: every chart's screen as the page draws it, at 100 % and at
// 200 % (two device pixels to a CSS pixel, as Ctrl+Plus twice gives): no two shown controls of
// one frame (or of the window) overlap, and every caption fits its control uncut, at the size
// the model chose, no smaller than its floor. Ballpark names from files have no length limit:
// one of 5,000 characters is cut with "…", and nothing overflows.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve, launch, checks, driver, openPage, sel, waitUntilReady, buildDir } from './harness.mjs';

const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('layout');

// 2015's season files with three of its ballparks renamed in every file that names them: a
// name of 5,000 characters in words, one of 5,000 without a blank, and a short one with an
// ampersand, which is a character of the name and no access key.
const samples = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../seasons');
const longNames = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-long-names-'));
const words = 'Memorial Stadium & Field of Dreams '.repeat(200).slice(0, 5000);
const renamed = [
  { index: 0, was: 'Arizona', name: words, cut: true },
  { index: 1, was: 'Atlanta', name: 'W'.repeat(5000), cut: true },
  { index: 2, was: 'Baltimore', name: 'Camden Yards & Co', cut: false },
];
for (const kind of ['Deep', 'BPE', 'Weather', 'CPlay']) {
  let text = fs.readFileSync(path.join(samples, `2015${kind}.vnt`), 'latin1');
  for (const { was, name } of renamed) text = text.replace(`"${was}"`, `"${name}"`);
  fs.writeFileSync(path.join(longNames, `2015${kind}.vnt`), text, 'latin1');
}
const longNameFiles = fs.readdirSync(longNames).map((name) => path.join(longNames, name));

// The captions on screen the model had to cut or shrink below their floor (the sample seasons'
// and the program's own texts never need it).
const cutCaptions = () => window.vntCaptions()
  .filter((c) => c.onScreen && c.shown !== c.caption)
  .map((c) => `${c.name}${c.index >= 0 ? `(${c.index})` : ''} cut to ${JSON.stringify(c.shown)}`);
// Each caption drawn at the size the model chose for it.
const unfitted = () => {
  const out = [];
  for (const c of window.vntCaptions()) {
    if (!c.onScreen || !c.shown) continue;
    const e = document.querySelector(`[data-control="${c.name}"]` + (c.index >= 0 ? `[data-index="${c.index}"]` : ''));
    const drawn = e.matches('label.control') ? e.lastChild : e.matches('.frame') ? e.firstChild : e;
    const size = parseFloat(getComputedStyle(drawn).fontSize);
    // The floor: seven tenths of the control's own size (the window's where it names none),
    // never below 5 points; 4/3 px to a point.
    const own = c.pointSize > 0 ? c.pointSize
      : parseFloat(getComputedStyle(document.getElementById('window')).fontSize) * 3 / 4;
    if (Math.abs(size - c.points * 4 / 3) > 0.01) out.push(`${c.name} drawn at ${size}px, not ${c.points}pt`);
    if (c.points < Math.max(5, 0.7 * own) - 1e-9) out.push(`${c.name} at ${c.points}pt, below its floor`);
  }
  return out;
};

// What is wrong with the page as drawn, as a list of texts.
const problems = () => {
  const out = [];
  const name = (e) => e.dataset.control + (e.dataset.index !== undefined ? `(${e.dataset.index})` : '');
  const shown = [...document.querySelectorAll('[data-control]')].filter((e) => e.offsetParent !== null &&
    getComputedStyle(e).visibility !== 'hidden');
  // Room for a caption: a pixel of rounding, no more.
  const cut = (inner, outer) => inner.scrollWidth > outer.clientWidth + 1 || inner.scrollHeight > outer.clientHeight + 1;
  for (const e of shown) {
    if (e.matches('button, .label')) {
      if (e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 1) out.push(`the caption of ${name(e)} does not fit`);
    } else if (e.matches('label.control')) {
      const text = e.lastChild;
      if (text.getBoundingClientRect().right > e.getBoundingClientRect().right + 1 || cut(e, e)) {
        out.push(`the caption of ${name(e)} does not fit`);
      }
    } else if (e.matches('.frame')) {
      const caption = e.querySelector(':scope > .caption');
      if (caption.textContent && caption.getBoundingClientRect().right > e.getBoundingClientRect().right) {
        out.push(`the caption of ${name(e)} does not fit`);
      }
    }
  }
  for (let i = 0; i < shown.length; ++i) {
    for (let j = i + 1; j < shown.length; ++j) {
      const a = shown[i];
      const b = shown[j];
      if (a.parentElement !== b.parentElement) continue;
      const p = a.getBoundingClientRect();
      const q = b.getBoundingClientRect();
      const w = Math.min(p.right, q.right) - Math.max(p.left, q.left);
      const h = Math.min(p.bottom, q.bottom) - Math.max(p.top, q.top);
      if (w > 0.5 && h > 0.5) out.push(`${name(a)} overlaps ${name(b)}`);
    }
  }
  // A frame's title is painted too: it must cover neither a control beside the frame nor one
  // inside it.
  for (const frame of shown.filter((e) => e.matches('.frame'))) {
    const caption = frame.querySelector(':scope > .caption');
    if (!caption.textContent) continue;
    const p = caption.getBoundingClientRect();
    for (const other of shown) {
      if (other === frame || !(other.parentElement === frame.parentElement || other.parentElement === frame)) continue;
      const q = other.getBoundingClientRect();
      const w = Math.min(p.right, q.right) - Math.max(p.left, q.left);
      const h = Math.min(p.bottom, q.bottom) - Math.max(p.top, q.top);
      if (w > 0.5 && h > 0.5) out.push(`the caption of ${name(frame)} overlaps ${name(other)}`);
    }
  }
  return out;
};

try {
  for (const scale of [1, 2]) {
    const { page, errors } = await openPage(browser, url, { width: 900, height: 700, deviceScaleFactor: scale });
    const d = driver(page);
    const at = `at ${scale * 100} %`;
    // Nothing overlaps or sticks out, nothing was cut, each caption at the size chosen for it.
    const fits = async () => {
      assert.deepEqual(await page.evaluate(problems), []);
      assert.deepEqual(await page.evaluate(cutCaptions), []);
      assert.deepEqual(await page.evaluate(unfitted), []);
    };
    await step(`the season window ${at}`, fits);
    await d.click('optYear', 43);
    await d.click('cmdYear');
    await step(`the chart menu ${at}`, fits);
    const charts = await page.$$eval('[data-control="cmdChart"]', (items) => items.map((e) => [e.dataset.index, e.textContent]));
    // A chart may ask a question before its screen shows (the wild pitch's "Possible Foul
    // Ball?"): each answer has a screen of its own.
    const open = async (index, answer) => {
      await page.click(`[data-control="cmdChart"][data-index="${index}"]`);
      await page.waitForFunction(() => !document.body.dataset.busy || !document.getElementById('overlay').hidden);
      const asked = await page.$eval('#overlay', (e) => !e.hidden);
      if (asked) {
        await page.click(`#dialog-buttons button[data-answer="${answer}"]`);
        await d.settle();
      }
      return asked;
    };
    for (const [index, caption] of charts) {
      for (const answer of ['Yes', 'No']) {
        const asked = await open(index, answer);
        await step(`${caption}${asked ? ` (${answer})` : ''} ${at}`, fits);
        await d.click('cmdCancel');
        if (!asked) break;
      }
    }
    // The options of the renamed ballparks on the deep drive's screen, and a roll there.
    const longNamesShown = async () => {
      await d.click('optYear', 43);
      await d.click('cmdYear');
      await d.click('cmdChart', 3);
      assert.deepEqual(await page.evaluate(problems), []);
      assert.deepEqual(await page.evaluate(unfitted), []);
      for (const { index, name, cut } of renamed) {
        const drawn = await page.$eval(sel('optBallpark', index), (e) => ({
          text: e.lastChild.textContent, keys: e.querySelectorAll('u').length }));
        const input = await page.$(sel('optBallpark', index) + ' input');
        const { name: heard } = await page.accessibility.snapshot({ root: input, interestingOnly: false });
        assert.equal(drawn.keys, 0, `${name.slice(0, 20)}: an '&' of a name is no access key`);
        if (!cut) {
          assert.equal(drawn.text, name);
          assert.equal(heard, name);
          continue;
        }
        // Cut to its beginning, the rest of what the option could ever show still read out.
        assert.ok(drawn.text.endsWith('…') && name.startsWith(drawn.text.slice(0, -1)), drawn.text);
        assert.ok(heard === name || (heard.endsWith('…') && name.startsWith(heard.slice(0, -1)) &&
          heard.length > drawn.text.length), heard);
      }
      // Still playable: a deep drive rolled at the ballpark of the longest name.
      await d.click('OptBatting', 3);
      await d.clickElement('Option1', 2);
      await d.click('optBallpark', 0);
      await d.click('optWind', 0);
      await d.queueRolls(5, 50, 50, 50);
      await d.click('cmdDeep');
      assert.equal(await page.$eval('#overlay', (e) => e.hidden), true, 'no message');
      assert.notEqual(await d.text('Text1'), '');
      assert.deepEqual(await page.evaluate(problems), []);
      await d.click('cmdCancel');
    };
    await step(`ballpark names of 5,000 characters, cut with "…" ${at}`, async () => {
      await (await page.$('#season-files')).uploadFile(...longNameFiles);
      await page.waitForFunction(() => document.getElementById('season-source').textContent.startsWith('Your'));
      try {
        await longNamesShown();
      } finally {
        // The files opened are kept for the next visit: back to the samples for the next page.
        await page.click('#sample-seasons');
        await page.waitForFunction(() => document.getElementById('season-source').textContent === 'Sample seasons');
      }
    });
    await step(`no page errors ${at}`, async () => assert.deepEqual(errors, []));
    await page.close();
  }
  // The window fills the browser's area on a desktop, and on a 10-inch tablet in either
  // orientation every control is a tap target of at least 32 CSS px, nothing cut off.
  const screens = [
    ['a desktop browser', { width: 1600, height: 1000 }, false],
    ['a tablet, landscape', { width: 1280, height: 800, isMobile: true, hasTouch: true }, true],
    ['a tablet, portrait', { width: 800, height: 1280, isMobile: true, hasTouch: true }, true],
  ];
  for (const [what, viewport, touch] of screens) {
    const { page } = await openPage(browser, url, viewport);
    const d = driver(page);
    // Every control's drawn size, and whether the window lies inside what the page can show.
    // Measured once the web fonts are in and the page has drawn with them: the fit to the
    // area is redone when they arrive, and a busy machine can be mid-way.
    const measure = () => page.evaluate(async () => {
      await document.fonts.ready;
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
      const rect = document.getElementById('app').getBoundingClientRect();
      const doc = document.documentElement;
      const small = [...document.querySelectorAll('button[data-control], label[data-control]')]
        .filter((e) => e.offsetParent !== null)
        .map((e) => ({ name: e.dataset.control, r: e.getBoundingClientRect() }))
        .filter(({ r }) => r.height < 32 - 0.01)
        .map(({ name, r }) => `${name} ${r.width.toFixed(1)}x${r.height.toFixed(1)}`);
      return { small, right: rect.right + scrollX, bottom: rect.bottom + scrollY,
        scrollWidth: doc.scrollWidth, scrollHeight: doc.scrollHeight,
        innerWidth, innerHeight, scale: Number(document.body.dataset.scale) };
    });
    const check = async (screen) => {
      const m = await measure();
      assert.ok(m.right <= m.scrollWidth + 1 && m.bottom <= m.scrollHeight + 1, `${screen}: cut off`);
      if (touch) assert.deepEqual(m.small, [], `${screen}: tap targets under 32 px`);
      else {
        assert.ok(m.right <= m.innerWidth + 1 && m.bottom <= m.innerHeight + 1, `${screen}: larger than the area`);
        assert.ok(m.scale > 1.4, `${screen}: scale ${m.scale}`);
      }
    };
    await step(`${what}: the season window, chart menu and a chart`, async () => {
      await check('seasons');
      await d.click('optYear', 43);
      await d.click('cmdYear');
      await check('charts');
      await d.click('cmdChart', 1);
      await check('bunt');
    });
    await page.close();
  }

  // The window is in the page as served, before the program runs, and the program takes
  // those elements over rather than drawing a second window beside them.
  const drawn = () => page.evaluate(() => [...document.querySelectorAll('#window [data-control]')]
    .map((e) => `${e.dataset.control}${e.dataset.index ?? ''} ${e.hidden ? 'hidden' : 'shown'} ${
      e.style.left} ${e.style.top} ${e.textContent}`));
  const page = await browser.newPage();
  await page.setJavaScriptEnabled(false);
  await page.goto(url);
  const served = await drawn();
  await page.setJavaScriptEnabled(true);
  await page.goto(url);
  await waitUntilReady(page);
  await step('the window is drawn into the page as served, and the program takes it over', async () => {
    assert.ok(served.some((line) => line.startsWith('cmdYear shown') && line.endsWith('Select Season')),
      served.slice(0, 5).join('\n'));
    const running = await drawn();
    assert.equal(running.length, served.length, 'one element per control');
    assert.deepEqual(running, served, 'as the program draws it on the samples');
    await driver(page).click('optYear', 43);
    await driver(page).click('cmdYear');
    assert.equal(await page.$eval(sel('cmdChart', 10), (e) => e.hidden), false, 'it clicks as before');
  });
  await page.close();
} finally {
  await close();
  server.close();
  fs.rmSync(longNames, { recursive: true, force: true });
}
