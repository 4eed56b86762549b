// click-through.test.mjs: plays a steal and a bunt with its two Yes/No
// questions in the page with real DOM events (mouse clicks and keys), and checks what the page shows.
import assert from 'node:assert/strict';
import path from 'node:path';
import { serve, launch, waitUntilReady, checks, buildDir } from './harness.mjs';

// VNT_WEB_PAGE_URL, e.g. file:///.../vnt-assistant.html, tests the one-file page instead.
const pageUrl = process.env.VNT_WEB_PAGE_URL;
const served = await serve(path.join(buildDir, 'site'));
const { server } = served;
const url = pageUrl || served.url;
const { browser, close } = await launch();
let pageForShots = null;
let shots = 0;

const sel = (name, index) =>
  `[data-control="${name}"]` + (index !== undefined ? `[data-index="${index}"]` : '');

// VNT_SHOTS=DIR: a picture of the page at each failure.
const { step } = checks('click-through', async () => {
  if (process.env.VNT_SHOTS) await pageForShots?.screenshot({ path: process.env.VNT_SHOTS + '/' + ++shots + '.png' });
});

try {
  const page = await browser.newPage();
  pageForShots = page;
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  // Message boxes are in-page dialogs: a browser alert/confirm is a fault.
  page.on('dialog', async (d) => { errors.push('browser dialog: ' + d.message()); await d.dismiss(); });
  await page.goto(url);
  await waitUntilReady(page);

  // What a control shows as its caption (a frame's is its heading).
  const text = (name, index) => page.$eval(sel(name, index),
    (e) => (e.classList.contains('frame') ? e.querySelector('.caption') : e).textContent);
  const shown = (name, index) => page.$eval(sel(name, index), (e) => !e.hidden);
  const history = () => page.$$eval(sel('List1') + ' li', (items) => items.map((i) => i.textContent));
  // A click is done when the page has drawn the model's new state.
  const settle = () => page.waitForFunction(() => !document.body.dataset.busy);
  const click = async (name, index) => { await page.click(sel(name, index)); await settle(); };
  // The bunt-rating frame lies under the infield-defence frame at the same place, so a
  // mouse click at its options' centres lands on a defence check box: dispatch it instead.
  const clickElement = async (name, index) => {
    await page.$eval(sel(name, index), (e) => e.click());
    await settle();
  };
  const dialog = () => page.waitForSelector('#overlay:not([hidden])');
  const dialogText = () => page.evaluate(() => ({
    role: document.getElementById('dialog').getAttribute('role'),
    title: document.getElementById('dialog-title').textContent,
    text: document.getElementById('dialog-text').textContent,
    buttons: [...document.querySelectorAll('#dialog-buttons button')].map((b) => b.textContent),
    focused: document.activeElement && document.activeElement.textContent,
  }));

  await step('the season window: every control named, sample seasons enabled', async () => {
    assert.equal(await page.title(), 'VNT Assistant');
    assert.equal(await text('cmdYear'), 'Select Season');
    assert.equal(await page.$eval(sel('optYear', 43) + ' input', (e) => e.disabled), false);
    assert.equal(await page.$eval(sel('optYear', 0) + ' input', (e) => e.disabled), true);
    assert.equal(await page.$eval(sel('fraSeasons'), (e) => e.getAttribute('role')), 'radiogroup');
    assert.equal(await page.$eval(sel('Text1'), (e) => e.getAttribute('aria-live')), 'polite');
    // A status, as the model's accessibility rules have it: a role that keeps its name.
    assert.equal(await page.$eval(sel('Text1'), (e) => e.getAttribute('role')), 'status');
  });

  await step('choosing 2015 opens the chart menu', async () => {
    await click('optYear', 43);
    assert.equal(await page.$eval(sel('optYear', 43) + ' input', (e) => e.checked), true);
    await click('cmdYear');
    assert.equal(await shown('cmdChart', 10), true);
    assert.equal(await text('cmdChart', 10), 'Steal');
    assert.equal(await shown('fraSeasons'), false);
  });

  await step('a steal: jump rating, roll, result and history', async () => {
    await click('cmdChart', 10);
    assert.equal(await shown('fraJump'), true);
    await click('optJump', 5);
    await page.evaluate(() => window.vntQueueRolls(0, 5));
    await click('cmdStealing');
    assert.equal(await text('Text1'), 'CS');
    assert.deepEqual(await history(), ['Blown Call', 'CS']);
    assert.equal(await text('fraCrazyPlay'), 'Blown Call');
    assert.equal(await text('cmdCancel'), 'Continue');
    assert.equal(await shown('cmdStealing'), false);
    await click('cmdCancel');
    assert.equal(await shown('cmdChart', 10), true);
  });

  // A bunt on grass, rolled until its first question is up.
  const rollBuntToFirstQuestion = async () => {
    await click('cmdChart', 1);
    await click('optSurface', 0);
    await clickElement('Option1', 0);
    await page.evaluate(() => window.vntQueueRolls(5, 70));
    await page.click(sel('cmdRollBunt'));
    await dialog();
  };

  await step('a bunt asks two questions in one click; Yes by mouse, keys for the dialog', async () => {
    await rollBuntToFirstQuestion();
    const first = await dialogText();
    assert.equal(first.role, 'alertdialog');
    assert.equal(first.title, 'Lead Out?');
    assert.equal(first.text, 'Are you bunting for a hit?');
    assert.deepEqual(first.buttons, ['Yes', 'No']);
    assert.equal(first.focused, 'Yes');
    // Tab stays inside the dialog.
    await page.keyboard.press('Tab');
    assert.equal((await dialogText()).focused, 'No');
    await page.keyboard.press('Tab');
    assert.equal((await dialogText()).focused, 'Yes');
    await page.click('#dialog-buttons button[data-answer="Yes"]');
    await settle();
    assert.equal(await text('Text1'), 'Lead Out?');
    assert.equal(await text('fraCrazyPlay'), 'Beat Out?');
    assert.equal(await shown('cmdBuntSpeed'), true);
    await click('cmdCancel');
  });

  await step('Escape answers No', async () => {
    await rollBuntToFirstQuestion();
    await page.keyboard.press('Escape');
    // The second question follows in the same click.
    await page.waitForFunction(() => document.getElementById('dialog-text').textContent !==
      'Are you bunting for a hit?' || document.getElementById('overlay').hidden);
    const second = await dialogText();
    if (!(await page.$eval('#overlay', (e) => e.hidden))) {
      assert.deepEqual(second.buttons, ['Yes', 'No']);
      await page.keyboard.press('Enter');
    }
    await settle();
    assert.equal(await text('Text1'), 'Lead Out?');
    await click('cmdCancel');
  });

  await step('a weather roll: sky, temperature and wind in the history', async () => {
    await click('cmdChart', 11);
    await click('optBallpark', 0);
    await click('optMonth', 0);
    await click('optTime', 0);
    await page.evaluate(() => window.vntQueueRolls(0, 80, 0));
    await click('cmdWeather');
    const lines = await history();
    // The sample 2015 season's first ballpark in April, by day.
    assert.deepEqual(lines.slice(-3), ['Clear', 'Warm', 'Wind In']);
    assert.equal(await page.$eval(sel('chkError', 0) + ' input', (e) => e.checked), false);
    await click('cmdCancel');
  });

  // The odds as the panel shows them, a line per row: "  WORD  PERCENT" (the word and the
  // percentage cells of a row with a bar).
  const odds = () => page.$eval('#odds-text', (e) => [...e.children].map((part) => (part.matches('table')
    ? [...part.rows].map((r) => `  ${r.cells[0].textContent}  ${r.cells[1].textContent}`).join('\n')
    : part.textContent)).join('\n'));
  const oddsPanelShown = () => page.$eval('#odds', (e) => !e.hidden);
  await step('the Odds panel opens with F2 and follows the selections', async () => {
    await click('cmdChart', 10);
    await page.keyboard.press('F2');
    assert.equal(await oddsPanelShown(), true);
    assert.match(await odds(), /Select a steal rating/);
    await click('optJump', 0);
    const rating10 = await odds();
    assert.match(rating10, /^ {2}SB {2}75%$/m);
    assert.match(rating10, /^ {2}CS {2}6%$/m);
    // Each row's bar as long as its chance, the percentages right-aligned in one column.
    const rows = await page.$$eval('#odds-text .odds-rows tr', (trs) => trs.map((r) => {
      const cell = r.cells[2];
      const padding = parseFloat(getComputedStyle(cell).paddingLeft) + parseFloat(getComputedStyle(cell).paddingRight);
      return { word: r.cells[0].textContent, percent: r.cells[1].textContent,
        bar: 100 * cell.firstChild.offsetWidth / (cell.clientWidth - padding),
        align: getComputedStyle(r.cells[1]).textAlign, right: r.cells[1].getBoundingClientRect().right };
    }));
    assert.ok(rows.length >= 2, JSON.stringify(rows));
    for (const row of rows) {
      const percent = parseFloat(row.percent);
      if (!Number.isNaN(percent)) assert.ok(Math.abs(row.bar - percent) < 1.5, `${row.word} bar ${row.bar} for ${row.percent}`);
      else assert.ok(row.bar > 0, `${row.word}: a sliver for ${row.percent}`);
      assert.equal(row.align, 'right', row.word);
    }
    // Stealing home: recomputed on the click.
    await click('optTime', 1);
    assert.match(await odds(), /^ {2}CS {2}53%$/m);
    await page.keyboard.press('F2');
    assert.equal(await oddsPanelShown(), false);
  });

  await step('the Odds button does what F2 does, for touch screens', async () => {
    assert.equal(await page.$eval('#odds-button', (e) => e.getAttribute('aria-expanded')), 'false');
    await page.click('#odds-button');
    assert.equal(await oddsPanelShown(), true);
    assert.equal(await page.$eval('#odds-button', (e) => e.getAttribute('aria-expanded')), 'true');
    assert.match(await odds(), /^ {2}CS {2}53%$/m);
    await page.click('#odds-button');
    assert.equal(await oddsPanelShown(), false);
    await click('cmdCancel');
  });

  await step('Exit, No: nothing changes; Yes: the page says the game is kept and starts again', async () => {
    // On the chart menu, where the steps before left it.
    assert.equal(await shown('cmdChart', 10), true);
    await page.click(sel('cmdExit'));
    await dialog();
    assert.deepEqual((await dialogText()).text, 'Confirm Exit');
    await page.click('#dialog-buttons button[data-answer="No"]');
    await settle();
    assert.equal(await shown('cmdChart', 10), true);
    const rolls = await history();
    await page.click(sel('cmdExit'));
    await dialog();
    await page.click('#dialog-buttons button[data-answer="Yes"]');
    // The page's own box says what happened.
    await page.waitForFunction(() => /kept/.test(document.getElementById('dialog-text').textContent) &&
      !document.getElementById('overlay').hidden);
    const said = await dialogText();
    assert.equal(said.title, 'Exit Assistant');
    assert.deepEqual(said.buttons, ['OK']);
    await page.click('#dialog-buttons button[data-answer="OK"]');
    await settle();
    // Back at the start: the season window, the game kept in the log.
    assert.equal(await shown('cmdYear'), true);
    assert.equal(await shown('cmdChart', 10), false);
    assert.ok(rolls.length > 0);
    const logged = await page.evaluate(() => {
      document.getElementById('log-button').click();
      return document.getElementById('log-text').children.length;
    });
    assert.ok(logged > 0, 'the Game Log holds the game');
    await page.click('#log-button');
  });

  await step('no page errors', async () => assert.deepEqual(errors, []));
} finally {
  await close();
  server.close();
}
