// node screenshot-game-table.mjs BUILD_DIR OUT_DIR: pictures of the Game Log panel after a few
// rolls and of the die box of "Roll my own dice" with a refused entry, for docs/web/.
import fs from 'node:fs';
import path from 'node:path';
import { serve, launch, driver, openPage, sel } from './harness.mjs';

const [buildDir, outDir] = process.argv.slice(2);
fs.mkdirSync(outDir, { recursive: true });
const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
try {
  const { page } = await openPage(browser, url, { width: 960, height: 700 });
  const d = driver(page);
  await d.click('optYear', 43);
  await d.click('cmdYear');
  await page.keyboard.press('F3');
  for (const rolls of [[0, 5], [80], [40]]) {
    await d.click('cmdChart', 10);
    await d.click('optJump', 5);
    await d.queueRolls(...rolls);
    await d.click('cmdStealing');
    await d.click('cmdCancel');
  }
  await page.screenshot({ path: path.join(outDir, 'game-log.png') });
  await page.click('#own-dice');
  await d.click('cmdChart', 10);
  await d.click('optJump', 5);
  await page.click(sel('cmdStealing'));
  await page.waitForSelector('#die-overlay:not([hidden])');
  await page.type('#die-entry', '150');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('die-refusal').hidden);
  await page.screenshot({ path: path.join(outDir, 'die-box.png') });
  await page.click('#die-roll');
  await d.settle();
  // The setting stays in this throw-away browser profile only.
} finally {
  await close();
  server.close();
}
