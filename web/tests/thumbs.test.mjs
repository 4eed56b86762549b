// thumbs.test.mjs: the page on tablets and phones, and what lies past the window: the Odds
// and Game Log panels open in view (over the window where there is no room beside it), the
// boxes' buttons are thumb-sized on every screen, the season report stays within reach.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve, launch, sel, checks, openPage, driver, buildDir } from './harness.mjs';

const samples = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../seasons');
const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('thumbs');

const screens = [
  { name: 'tablet 1024 x 768', width: 1024, height: 768, hasTouch: true },
  { name: 'phone 390 x 844', width: 390, height: 844, hasTouch: true, deviceScaleFactor: 3 },
  { name: 'desktop 1366 x 768', width: 1366, height: 768 },
];
const panels = [['Odds', '#odds-button', '#odds'], ['Game Log', '#log-button', '#game-log']];

// The box of an element against the viewport: the sides it crosses, none when inside.
const outside = (page, selector) => page.$eval(selector, (e) => {
  const r = e.getBoundingClientRect();
  const w = document.documentElement.clientWidth;
  const h = window.innerHeight;
  const off = [];
  if (r.left < -0.5) off.push(`left ${r.left}`);
  if (r.top < -0.5) off.push(`top ${r.top}`);
  if (r.right > w + 0.5) off.push(`right ${r.right} > ${w}`);
  if (r.bottom > h + 0.5) off.push(`bottom ${r.bottom} > ${h}`);
  if (r.width === 0 || r.height === 0) off.push('not drawn');
  return off;
});
// The drawn size in CSS pixels of the viewport (the window's scale included).
const size = (page, selector) => page.$eval(selector, (e) => {
  const r = e.getBoundingClientRect();
  return { width: r.width, height: r.height };
});

try {
  for (const screen of screens) {
    const { page, errors } = await openPage(browser, url, screen);
    const d = driver(page);

    for (const [title, button, panel] of panels) {
      await step(`${screen.name}: the ${title} panel opens in view, Escape closes it`, async () => {
        await page.click(button);
        await page.waitForSelector(`${panel}:not([hidden])`);
        assert.deepEqual(await outside(page, panel), [], `${title} panel off the viewport`);
        const sheet = await page.$eval(panel, (e) => e.classList.contains('sheet'));
        // A desktop screen has room beside the window, as before.
        assert.equal(sheet, Boolean(screen.hasTouch), `${title} as a sheet`);
        if (sheet) {
          assert.equal(await page.evaluate((p) => document.querySelector(p).contains(document.activeElement), panel),
            true, 'the focus inside the sheet');
          const close = await size(page, `${panel} .panel-close`);
          assert.ok(close.height >= 44 && close.width >= 44, `close button ${JSON.stringify(close)}`);
          await page.keyboard.press('Escape');
          assert.equal(await page.evaluate(() => document.activeElement.id), button.slice(1), 'the focus back');
        } else {
          await page.click(button);
        }
        assert.equal(await page.$eval(panel, (e) => e.hidden), true);
        assert.equal(await page.$eval(button, (e) => e.getAttribute('aria-expanded')), 'false');
      });
    }

    await step(`${screen.name}: the question box's Yes and No are at least 44 px`, async () => {
      await page.click(sel('cmdExit'));
      await page.waitForSelector('#overlay:not([hidden])');
      for (const answer of ['Yes', 'No']) {
        const box = await size(page, `#dialog-buttons button[data-answer="${answer}"]`);
        assert.ok(box.height >= 44 && box.width >= 44, `${answer} ${JSON.stringify(box)}`);
      }
      await page.click('#dialog-buttons button[data-answer="No"]');
      await d.settle();
    });

    await step(`${screen.name}: the die box's buttons are at least 44 px`, async () => {
      await page.click('#own-dice');
      await d.click('optYear', 43);
      await d.click('cmdYear');
      await d.click('cmdChart', 10);
      await d.click('optJump', 5);
      await page.click(sel('cmdStealing'));
      await page.waitForSelector('#die-overlay:not([hidden])');
      for (const id of ['#die-ok', '#die-roll']) {
        const box = await size(page, id);
        assert.ok(box.height >= 44 && box.width >= 44, `${id} ${JSON.stringify(box)}`);
      }
      await d.rollTheRest();
      await page.click('#own-dice');
      await d.click('cmdCancel');
    });

    await step(`${screen.name}: no page errors`, async () => assert.deepEqual(errors, []));
    await page.close();
  }

  await step('desktop 1366 x 768: the report of damaged season files and the way back are in reach', async () => {
    const picked = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-damaged-'));
    for (const year of ['1987', '2015']) {
      for (const kind of ['Deep', 'BPE', 'Weather', 'CPlay']) {
        fs.copyFileSync(path.join(samples, `${year}${kind}.vnt`), path.join(picked, `${year}${kind}.vnt`));
      }
    }
    const bpe = fs.readFileSync(path.join(picked, '2015BPE.vnt'));
    fs.writeFileSync(path.join(picked, '2015BPE.vnt'), bpe.subarray(0, Math.floor(bpe.length / 2)));
    fs.writeFileSync(path.join(picked, '1987Deep.vnt'), Buffer.alloc(1000, 0x31));
    const { page } = await openPage(browser, url, { width: 1366, height: 768 });
    try {
      const input = await page.$('#season-files');
      await input.uploadFile(...fs.readdirSync(picked).map((name) => path.join(picked, name)));
      await page.waitForFunction(() => !document.getElementById('season-report').hidden);
      for (const selector of ['#season-report', '#sample-seasons']) {
        await page.$eval(selector, (e) => e.scrollIntoView({ block: 'nearest' }));
        assert.deepEqual(await outside(page, selector), [], `${selector} out of reach`);
      }
      await page.click('#sample-seasons');
      await page.waitForFunction(() => document.getElementById('season-source').textContent === 'Sample seasons');
    } finally {
      await page.close();
      fs.rmSync(picked, { recursive: true, force: true });
    }
  });
} finally {
  await close();
  server.close();
}
