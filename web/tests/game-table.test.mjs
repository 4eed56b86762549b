// game-table.test.mjs: the Game Log panel (F3 and its button: the rolls with
// their dice, search, copy, save as plain text, New Game) and "Roll my own dice" (the die box:
// refusals with the range, an entered value read exactly as a rolled one, "Roll for me",
// Escape, the setting kept over a reload), with real DOM events.
import assert from 'node:assert/strict';
import path from 'node:path';
import { serve, launch, sel, checks, driver, openPage, waitUntilReady, buildDir } from './harness.mjs';

const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('game table');
try {
  await browser.defaultBrowserContext().overridePermissions(new URL(url).origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const { page, errors } = await openPage(browser, url, { width: 1300, height: 800 });
  const d = driver(page);
  const logShown = () => page.$eval('#game-log', (e) => !e.hidden);
  const logText = () => page.$eval('#log-text', (e) => e.textContent);
  const latest = () => page.$eval('#log-latest', (e) => e.textContent);
  const search = async (query) => {
    await page.$eval('#log-search', (e) => {
      e.value = '';
      e.dispatchEvent(new Event('input'));
    });
    if (query) await page.type('#log-search', query);
  };
  // A steal with jump rating 5 from the chart menu, the values queued for the page's dice.
  const steal = async (...rolls) => {
    await d.click('cmdChart', 10);
    await d.click('optJump', 5);
    if (rolls.length) await d.queueRolls(...rolls);
  };
  // What the window shows after a roll: the result, the detail box and the history's last line.
  const outcome = async () => ({
    result: await d.text('Text1'),
    heading: await d.text('fraCrazyPlay'),
    detail: await d.text('lblCrazyPlay'),
    added: (await d.history()).at(-1),
  });
  const dieBox = () => page.waitForSelector('#die-overlay:not([hidden])');
  const dieBoxShown = () => page.$eval('#die-overlay', (e) => !e.hidden);
  const dieBoxText = () => page.evaluate(() => ({
    role: document.getElementById('die-dialog').getAttribute('role'),
    chart: document.getElementById('die-chart').textContent,
    asked: document.getElementById('die-asked').textContent,
    refusal: document.getElementById('die-refusal').hidden ? ''
      : document.getElementById('die-refusal').textContent,
    focused: document.activeElement.id,
  }));
  const enterDie = async (typed) => {
    await page.$eval('#die-entry', (e) => { e.value = ''; });
    await page.type('#die-entry', typed);
    await page.keyboard.press('Enter');
  };

  await d.click('optYear', 43);
  await d.click('cmdYear');

  await step('F3 opens the Game Log; a steal appears with its dice, the outcome on top', async () => {
    await page.keyboard.press('F3');
    assert.equal(await logShown(), true);
    assert.equal(await page.$eval('#log-button', (e) => e.getAttribute('aria-expanded')), 'true');
    assert.equal(await latest(), 'No rolls yet');
    assert.equal(await logText(), '');
    await steal(0, 5);
    await d.click('cmdStealing');
    assert.equal(await latest(), 'CS');
    const text = await logText();
    assert.match(text, /^Roll 1 - .* - 2015 - Stealing\n/);
    assert.match(text, /\n {2}Selections: Adjusted Steal Rating 5\n/);
    assert.match(text, /\n {2}Die: 0 \(0 to 99, rolled\) - the steal, read against the base and the steal rating\n/);
    assert.match(text, /\n {2}Die: 5 \(0 to 9, rolled\) - the umpire's call or the fight\n/);
    assert.match(text, /\n {2}Outcome: CS\n/);
    await d.click('cmdCancel');
  });

  await step('F3 and the Game Log button close and open it again', async () => {
    await page.keyboard.press('F3');
    assert.equal(await logShown(), false);
    await page.click('#log-button');
    assert.equal(await logShown(), true);
    assert.match(await logText(), /^Roll 1 /);
  });

  await step('a click that rolls nothing leaves the panel as drawn (redrawn on a new revision only)', async () => {
    await page.$eval('#log-text', (e) => { e.firstChild.kept = true; });
    await d.click('cmdChart', 10);
    await d.click('optJump', 7);
    assert.equal(await page.$eval('#log-text', (e) => e.firstChild.kept === true), true);
    await d.click('cmdCancel');
  });

  let reference = null;  // the steal read for a rolled 80
  await step('a second steal comes newest at the bottom, the first roll left as drawn', async () => {
    await page.$eval('#log-text', (e) => { e.firstElementChild.kept = true; });
    await steal(80);
    await d.click('cmdStealing');
    reference = await outcome();
    const text = await logText();
    assert.ok(text.indexOf('Roll 1 ') < text.indexOf('Roll 2 '));
    assert.equal(await page.$eval('#log-text', (e) => e.firstElementChild.kept === true), true);
    assert.match(text, /^Roll 1 [^]*\n\nRoll 2 /, 'a blank line between rolls, as in the plain text');
    assert.match(text, /\n {2}Die: 80 \(0 to 99, rolled\)/);
    assert.equal(await latest(), reference.result);
    await d.click('cmdCancel');
  });

  await step('search shows the rolls that hold the text, any letter case', async () => {
    const cases = [
      ['blown call', ['Roll 1 ']],
      ['Die: 80', ['Roll 2 ']],
      ['Stealing', ['Roll 1 ', 'Roll 2 ']],
      ['no such words', []],
      ['', ['Roll 1 ', 'Roll 2 ']],
    ];
    for (const [query, rolls] of cases) {
      await search(query);
      const text = await logText();
      assert.deepEqual(text.match(/^Roll \d+ /gm) || [], rolls, `search "${query}"`);
    }
  });

  await step('Copy puts the rolls shown on the clipboard', async () => {
    await search('blown');
    await page.click('#log-copy');
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    assert.equal(copied, await logText());
    assert.match(copied, /^Roll 1 /);
    assert.doesNotMatch(copied, /Roll 2 /);
    await search('');
  });

  await step('Save as plain text gives the whole game as a .txt download', async () => {
    await search('blown');
    await page.evaluate(() => {
      const make = URL.createObjectURL;
      window.savedBlobs = [];
      URL.createObjectURL = (blob) => { window.savedBlobs.push(blob); return make(blob); };
      document.addEventListener('click', (e) => {
        if (e.target instanceof HTMLAnchorElement && e.target.download) {
          window.savedName = e.target.download;
          e.preventDefault();
        }
      }, { capture: true });
    });
    await page.click('#log-save');
    const saved = await page.evaluate(async () => ({
      name: window.savedName, type: window.savedBlobs[0].type, text: await window.savedBlobs[0].text(),
    }));
    assert.equal(saved.name, 'game-log.txt');
    assert.equal(saved.type, 'text/plain');
    assert.match(saved.text, /^Roll 1 [^]*\n\nRoll 2 /, 'every roll, not only the ones found');
    await search('');
  });

  await step('Copy takes a selection within the rolls when there is one', async () => {
    const selected = await page.evaluate(() => {
      const text = document.getElementById('log-text').firstChild.firstChild;
      const range = document.createRange();
      range.setStart(text, 0);
      range.setEnd(text, 6);
      getSelection().removeAllRanges();
      getSelection().addRange(range);
      return getSelection().toString();
    });
    assert.equal(selected, 'Roll 1');
    await page.click('#log-copy');
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), 'Roll 1');
    await page.evaluate(() => getSelection().removeAllRanges());
  });

  await step('going back to other season files keeps the game in the log', async () => {
    const before = await logText();
    // The page's own module (the same one: a module is loaded once per page).
    await page.evaluate(async () => (await import('./page/seasons.js')).startOn(null));
    assert.equal(await logText(), before);
    await d.click('optYear', 43);
    await d.click('cmdYear');
    await steal(0, 5);
    await d.click('cmdStealing');
    assert.match(await logText(), /\n\nRoll 3 - /, 'numbered on from the game so far');
    await d.click('cmdCancel');
  });

  await step('New Game empties the log, and the next roll is the only one shown', async () => {
    await page.click('#log-new-game');
    assert.equal(await logText(), '');
    assert.equal(await latest(), 'No rolls yet');
    await steal(40);
    await d.click('cmdStealing');
    assert.deepEqual((await logText()).match(/^Roll \d+ /gm), ['Roll 1 ']);
    await d.click('cmdCancel');
    await page.click('#log-new-game');
    assert.equal(await logText(), '');
  });

  await step('Roll my own dice: the box names the chart, the die and its range, focus inside', async () => {
    await page.click('#own-dice');
    assert.match(await page.evaluate(() => localStorage.getItem('vnt-assistant.settings')), /^own-dice=on$/m);
    await steal();
    await page.click(sel('cmdStealing'));
    await dieBox();
    const box = await dieBoxText();
    assert.equal(box.role, 'dialog');
    assert.equal(box.chart, 'Stealing');
    assert.equal(box.asked, 'Your die for the steal, read against the base and the steal rating: 0 to 99');
    assert.equal(box.refusal, '');
    assert.equal(box.focused, 'die-entry');
    // Tab stays inside the box.
    for (const expected of ['die-ok', 'die-roll', 'die-entry']) {
      await page.keyboard.press('Tab');
      assert.equal((await dieBoxText()).focused, expected);
    }
  });

  await step('entries outside the range or not a number are refused with the range shown', async () => {
    const cases = [
      ['150', 'Outside the range: enter a number from 0 to 99.'],
      ['-1', 'Outside the range: enter a number from 0 to 99.'],
      ['\u22123', 'Outside the range: enter a number from 0 to 99.'],
      ['8o', 'Not a number: enter a number from 0 to 99.'],
      ['1'.repeat(80), 'Outside the range: enter a number from 0 to 99.'],
      [' ', 'Enter a number from 0 to 99.'],
    ];
    for (const [typed, refusal] of cases) {
      await enterDie(typed);
      await page.waitForFunction(() => !document.getElementById('die-refusal').hidden);
      const box = await dieBoxText();
      assert.equal(box.refusal, refusal, `"${typed}"`);
      assert.equal(await dieBoxShown(), true);
      assert.equal(await d.text('Text1'), '', 'no roll read yet');
      await page.$eval('#die-refusal', (e) => { e.hidden = true; });
    }
  });

  await step('80 entered reads as a rolled 80 does, and the log marks it entered', async () => {
    await enterDie('80');
    await d.settle();
    assert.equal(await dieBoxShown(), false);
    assert.deepEqual(await outcome(), reference);
    assert.match(await logText(), /\n {2}Die: 80 \(0 to 99, entered\) - the steal/);
    await d.click('cmdCancel');
  });

  await step('"Roll for me" rolls that die (and Escape does too)', async () => {
    for (const close of ['button', 'Escape']) {
      await page.click('#log-new-game');
      await steal(80);
      await page.click(sel('cmdStealing'));
      await dieBox();
      if (close === 'button') await page.click('#die-roll');
      else await page.keyboard.press('Escape');
      await d.settle();
      assert.equal(await dieBoxShown(), false);
      assert.deepEqual(await outcome(), reference, close);
      assert.match(await logText(), /\n {2}Die: 80 \(0 to 99, rolled\) - the steal/, close);
      await d.click('cmdCancel');
    }
  });

  await step('the setting and the game are kept over a reload, and off again rolls without asking', async () => {
    await page.reload();
    await waitUntilReady(page);
    assert.equal(await page.$eval('#own-dice', (e) => e.checked), true);
    // The game of the visit before, kept in the browser.
    await page.keyboard.press('F3');
    assert.match(await logText(), /^Roll 1 [^]*Die: 80 \(0 to 99, rolled\)/);
    await d.click('optYear', 43);
    await d.click('cmdYear');
    await steal();
    await page.click(sel('cmdStealing'));
    await dieBox();
    await page.click('#die-roll');
    await d.settle();
    await d.click('cmdCancel');
    await page.click('#own-dice');
    assert.match(await page.evaluate(() => localStorage.getItem('vnt-assistant.settings')), /^own-dice=off$/m);
    await steal(80);
    await d.click('cmdStealing');
    assert.equal(await dieBoxShown(), false);
    assert.deepEqual(await outcome(), reference);
  });

  await step('no page errors', async () => assert.deepEqual(errors, []));
} finally {
  await close();
  server.close();
}
