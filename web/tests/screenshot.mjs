// node screenshot.mjs BUILD_DIR OUT_DIR [SCALE]: a picture of every chart's screen as the page
// draws it in headless Chromium (season window, chart menu, then each chart by its caption),
// for looking at beside the desktop program's pictures in docs/.
import fs from 'node:fs';
import path from 'node:path';
import { serve, launch, driver, openPage } from './harness.mjs';

const [buildDir, outDir, scale = '1'] = process.argv.slice(2);
fs.mkdirSync(outDir, { recursive: true });
const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const file = (name) => path.join(outDir, name.toLowerCase().replace(/[^a-z0-9]+/g, '-').replace(/-$/, '') + '.png');
try {
  const { page } = await openPage(browser, url, { width: 600, height: 660, deviceScaleFactor: Number(scale) });
  const d = driver(page);
  const shot = (name) => page.screenshot({ path: file(name) });
  await shot('seasons');
  await d.click('optYear', 43);
  await d.click('cmdYear');
  await shot('charts');
  const charts = await page.$$eval('[data-control="cmdChart"]', (items) => items.map((e) => [e.dataset.index, e.textContent]));
  for (const [index, caption] of charts) {
    await page.click(`[data-control="cmdChart"][data-index="${index}"]`);
    await page.waitForFunction(() => !document.body.dataset.busy || !document.getElementById('overlay').hidden);
    if (await page.$eval('#overlay', (e) => !e.hidden)) {
      await shot(caption + ' question');
      await page.click('#dialog-buttons button[data-answer="No"]');
      await d.settle();
    }
    await shot(caption);
    await d.click('cmdCancel');
  }
} finally {
  await close();
  server.close();
}
