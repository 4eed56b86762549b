// accessibility.test.mjs: axe-core (pinned in package.json) finds nothing on any screen of the
// page: the season window, the chart menu and every chart, with the Odds and Game Log panels
// open, with a question box and with the die box up. One test per screen; VNT_AXE_COUNT=1
// prints how many violations each screen has instead of failing.
import assert from 'node:assert/strict';
import path from 'node:path';
import { serve, launch, sel, checks, driver, openPage, audit, buildDir } from './harness.mjs';

const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('accessibility');
const clean = async (page, screen) => {
  const violations = await audit(page);
  if (process.env.VNT_AXE_COUNT) console.log(`axe ${screen}: ${violations.length} ${violations.join(' | ')}`);
  else assert.deepEqual(violations, []);
};
try {
  const { page, errors } = await openPage(browser, url);
  const d = driver(page);
  // A box the model opened: its buttons are there.
  const boxUp = () => page.waitForFunction(() => !document.getElementById('overlay').hidden ||
    !document.getElementById('die-overlay').hidden || !document.body.dataset.busy);

  await step('the season window', () => clean(page, 'seasons'));

  await step('the season window with the Odds and Game Log panels open', async () => {
    await page.keyboard.press('F2');
    await page.keyboard.press('F3');
    await clean(page, 'seasons + panels');
    await page.keyboard.press('F2');
    await page.keyboard.press('F3');
  });

  await step('the chart menu', async () => {
    await d.click('optYear', 43);
    await d.click('cmdYear');
    await clean(page, 'chart menu');
  });

  await step('the Exit question', async () => {
    await page.click(sel('cmdExit'));
    await boxUp();
    await clean(page, 'exit question');
    await page.click('#dialog-buttons button[data-answer="No"]');
    await d.settle();
  });

  const charts = await page.$$eval(sel('cmdChart'), (items) => items.map((e) => [Number(e.dataset.index), e.textContent]));
  for (const [index, caption] of charts) {
    await step(`the chart "${caption}", its question box if it asks one, with its result`, async () => {
      await page.click(sel('cmdChart', index));
      await boxUp();
      if (await page.$eval('#overlay', (e) => !e.hidden)) {
        await clean(page, `${caption} question`);
        await page.click('#dialog-buttons button[data-answer="No"]');
        await d.settle();
      }
      await clean(page, caption);
      await d.click('cmdCancel');
    });
  }

  await step('a steal with its result, the panels open', async () => {
    await d.click('cmdChart', 10);
    await d.click('optJump', 5);
    await d.queueRolls(0, 5);
    await d.click('cmdStealing');
    await page.keyboard.press('F2');
    await page.keyboard.press('F3');
    await clean(page, 'steal result + panels');
    await page.keyboard.press('F2');
    await page.keyboard.press('F3');
    await d.click('cmdCancel');
  });

  await step('the die box of "Roll my own dice"', async () => {
    await page.click('#own-dice');
    await d.click('cmdChart', 10);
    await d.click('optJump', 5);
    await page.click(sel('cmdStealing'));
    await page.waitForFunction(() => !document.getElementById('die-overlay').hidden);
    await clean(page, 'die box');
    // This die and any further one of the roll: the program's own.
    await d.rollTheRest();
    await page.click('#own-dice');
    await d.click('cmdCancel');
  });

  await step('no page errors', async () => assert.deepEqual(errors, []));
} finally {
  await close();
  server.close();
}
