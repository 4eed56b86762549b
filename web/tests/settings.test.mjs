// settings.test.mjs: the page's zoom and what it remembers. Ctrl+Plus/=,
// Ctrl+Minus, Ctrl+0 and the zoom buttons step through the zooms the desktop has, clamped at
// 50 and 300 %, drawn never larger than the browser's area (and on a touch screen never under
// the tap-target size); the zoom, the open panels and "Roll my own dice" are kept over a
// reload as the settings text; a damaged or foreign stored value gives the defaults and a page
// that works; the own-dice choice of the older page is taken over.
import assert from 'node:assert/strict';
import path from 'node:path';
import { serve, launch, sel, checks, driver, openPage, waitUntilReady, buildDir } from './harness.mjs';

const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('settings');
const KEY = 'vnt-assistant.settings';
const OLD_KEY = 'vnt-assistant.ownDice';
// Room for the window at 300 % with both panels shut.
const LARGE = { width: 2000, height: 2400 };

try {
  const { page, errors } = await openPage(browser, url, LARGE);
  const d = driver(page);
  // What the page shows of its zoom and settings, and whether the window lies inside the area.
  const state = () => page.evaluate((key) => {
    const rect = document.getElementById('app').getBoundingClientRect();
    const doc = document.documentElement;
    return {
      zoom: Number(document.body.dataset.zoom),
      scale: Number(document.body.dataset.scale),
      shown: document.getElementById('zoom-reset').textContent,
      larger: !document.getElementById('zoom-in').disabled,
      smaller: !document.getElementById('zoom-out').disabled,
      inside: rect.right <= doc.clientWidth + 1 && rect.bottom <= innerHeight + 1,
      odds: !document.getElementById('odds').hidden,
      log: !document.getElementById('game-log').hidden,
      oddsExpanded: document.getElementById('odds-button').getAttribute('aria-expanded'),
      logExpanded: document.getElementById('log-button').getAttribute('aria-expanded'),
      ownDice: document.getElementById('own-dice').checked,
      stored: localStorage.getItem(key),
    };
  }, KEY);
  const percentShown = (s) => Number(s.shown.replace(/\u00a0%$/, ''));
  const withCtrl = async (...keys) => {
    await page.keyboard.down('Control');
    for (const k of keys.slice(0, -1)) await page.keyboard.down(k);
    await page.keyboard.press(keys.at(-1));
    for (const k of keys.slice(0, -1).reverse()) await page.keyboard.up(k);
    await page.keyboard.up('Control');
  };
  const actions = {
    'Ctrl+=': () => withCtrl('Equal'),
    'Ctrl+Plus': () => withCtrl('Shift', 'Equal'),
    'Ctrl+keypad Plus': () => withCtrl('NumpadAdd'),
    'Ctrl+Minus': () => withCtrl('Minus'),
    'Ctrl+keypad Minus': () => withCtrl('NumpadSubtract'),
    'Ctrl+0': () => withCtrl('Digit0'),
    'the + button': () => page.click('#zoom-in'),
    'the - button': () => page.$eval('#zoom-out', (e) => e.click()),
    'the percent button': () => page.click('#zoom-reset'),
    // Space on the focused button: at the end of its way the focus stays in the zoom group.
    'the - button by keyboard': async () => {
      await page.focus('#zoom-out');
      await page.keyboard.press('Space');
      assert.equal(await page.evaluate(() => document.activeElement.closest('#zoom') !== null &&
        !document.activeElement.disabled), true, 'the focus on a button that can be pressed');
    },
  };
  const reload = async () => {
    await page.reload();
    await waitUntilReady(page);
  };
  // Stored values from before this test's cases go; the next load is a first visit.
  const firstVisit = async (stored = {}) => {
    await page.evaluate((values) => {
      localStorage.clear();
      for (const [key, value] of Object.entries(values)) localStorage.setItem(key, value);
    }, stored);
    await reload();
  };

  await step('a first visit fills the browser area, as large as the zooms go', async () => {
    await firstVisit();
    const s = await state();
    assert.equal(s.zoom, 300);
    assert.equal(s.shown, '300\u00a0%');
    assert.equal(s.scale, 3);
    assert.equal(s.inside, true);
    assert.deepEqual([s.larger, s.smaller], [false, true]);
    assert.equal(s.stored, null, 'nothing chosen, nothing kept');
  });

  await step('keys and buttons step through the zooms, clamped at 50 and 300 %', async () => {
    const cases = [
      ['Ctrl+=', 300],
      ['Ctrl+Plus', 300],
      ['the + button', 300],
      ['Ctrl+Minus', 250],
      ['the - button', 200],
      ['Ctrl+keypad Minus', 175],
      ['Ctrl+0', 100],
      ['the + button', 110],
      ['Ctrl+Plus', 125],
      ['Ctrl+keypad Plus', 150],
      ['Ctrl+=', 175],
      ['the percent button', 100],
      ['Ctrl+Minus', 90],
      ['the - button', 80],
      ['Ctrl+Minus', 75],
      ['Ctrl+Minus', 67],
      ['the - button by keyboard', 50],
      ['Ctrl+Minus', 50],
      ['the - button', 50],
      ['Ctrl+=', 67],
      ['Ctrl+0', 100],
    ];
    for (const [action, percent] of cases) {
      await actions[action]();
      const s = await state();
      const at = `${action} to ${percent} %`;
      assert.equal(s.zoom, percent, at);
      assert.equal(s.shown, `${percent}\u00a0%`, at);
      assert.ok(Math.abs(s.scale - percent / 100) < 1e-9, `${at}: scale ${s.scale}`);
      assert.equal(s.inside, true, `${at}: larger than the area`);
      assert.deepEqual([s.larger, s.smaller], [percent < 300, percent > 50], `${at}: the buttons`);
      // A key that changes nothing keeps nothing: the first visit's zoom is not written down.
      if (s.stored !== null || percent !== 300) assert.match(s.stored, new RegExp(`^zoom=${percent}$`, 'm'), at);
    }
  });

  await step('a zoom larger than the area is drawn as large as fits, never cut off', async () => {
    for (let i = 0; i < 15; ++i) await withCtrl('Equal');
    assert.equal((await state()).zoom, 300);
    const steps = [50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300];
    for (const viewport of [{ width: 1000, height: 700 }, { width: 700, height: 1000 }, { width: 360, height: 640 }]) {
      const area = `${viewport.width} x ${viewport.height}`;
      await page.setViewport(viewport);
      await page.waitForFunction((w) => document.documentElement.clientWidth === w, {}, viewport.width);
      await page.evaluate(() => new Promise(requestAnimationFrame));
      const s = await state();
      assert.equal(s.zoom, 300, area);
      assert.ok(s.scale < 3, `${area}: scale ${s.scale}`);
      assert.equal(s.inside, true, `${area}: larger than the area`);
      assert.equal(percentShown(s), Math.round(s.scale * 100), area);
      assert.equal(s.larger, false, `${area}: no room for larger`);
      // Ctrl+Plus changes nothing when there is no room; Ctrl+Minus steps down from the zoom drawn.
      await withCtrl('Equal');
      assert.equal((await state()).zoom, 300, area);
      await withCtrl('Minus');
      const below = steps.filter((p) => p < percentShown(s)).at(-1) ?? 50;
      const after = await state();
      assert.equal(after.zoom, below, area);
      assert.equal(after.inside, true, area);
      // Back to 300 % where there is room for it.
      await page.setViewport(LARGE);
      for (let i = 0; i < 15; ++i) await withCtrl('Equal');
      assert.equal((await state()).zoom, 300, area);
    }
    await page.setViewport(LARGE);
  });

  await step('the zoom and the open panels are kept over a reload', async () => {
    const cases = [
      // [zoom, Odds open, Game Log open]
      [150, true, true],
      [80, false, true],
      [250, true, false],
      [100, false, false],
    ];
    for (const [percent, odds, log] of cases) {
      const at = `${percent} %, Odds ${odds}, Game Log ${log}`;
      await firstVisit();
      await actions['Ctrl+0']();
      for (const p of [50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300]) {
        if (p <= 100 || p > percent) continue;
        await actions['Ctrl+=']();
      }
      for (const p of [90, 80]) if (p >= percent) await actions['Ctrl+Minus']();
      if (odds) await page.keyboard.press('F2');
      if (log) await page.click('#log-button');
      const before = await state();
      assert.equal(before.zoom, percent, at);
      assert.equal(before.stored, '# VNT Assistant settings: key=value, one a line\n' +
        `own-dice=off\nzoom=${percent}\nodds-window.open=${odds ? 'on' : 'off'}\n` +
        `game-log-window.open=${log ? 'on' : 'off'}\n`, at);
      await reload();
      const s = await state();
      assert.equal(s.zoom, percent, at);
      assert.deepEqual([s.odds, s.log], [odds, log], at);
      assert.deepEqual([s.oddsExpanded, s.logExpanded], [String(odds), String(log)], at);
      assert.equal(s.inside, true, at);
      assert.equal(s.scale <= percent / 100 + 1e-9, true, at);
      if (odds) assert.notEqual(await page.$eval('#odds-text', (e) => e.textContent), '', at);
      if (log) assert.equal(await page.$eval('#log-latest', (e) => e.textContent), 'No rolls yet', at);
    }
  });

  // A stored value the page did not write, or that broke: each setting it cannot read is left
  // at its default (the page's first-visit zoom fills the area), and the page works.
  await step('a damaged or foreign stored value gives the defaults and a working page', async () => {
    const defaults = { zoom: 300, odds: false, log: false, ownDice: false };
    const cases = [
      ['empty', '', defaults],
      ['binary junk', '\u0000\u00ff\ufffd=\n==\n\u0001zoom', defaults],
      ['JSON of another program', '{"zoom":150,"ownDice":true,"odds":"on"}', defaults],
      ['values out of range or of the wrong kind',
        'zoom=9999\nzoom=20\nzoom=1e2\nown-dice=maybe\nodds-window.open=2\ngame-log-window.open=\n', defaults],
      ['larger than a settings file', `zoom=150\nodds-window.open=on\n${'#'.repeat(70 * 1024)}\n`, defaults],
      ['readable lines among damaged ones', 'garbage\nzoom=125\nodds-window.open=on\n\u0000\n',
        { ...defaults, zoom: 125, odds: true }],
      ['the desktop\'s file, with window places',
        '# from the desktop\nown-dice=on\nzoom=90\nodds-window.open=off\nodds-window.geometry=10,20,300,400\n' +
        'game-log-window.open=on\ngame-log-window.geometry=700,20,420,500\nlater-version-key=1\n',
        { zoom: 90, odds: false, log: true, ownDice: true }],
    ];
    for (const [what, stored, expected] of cases) {
      await firstVisit({ [KEY]: stored });
      const s = await state();
      assert.deepEqual({ zoom: s.zoom, odds: s.odds, log: s.log, ownDice: s.ownDice }, expected, what);
      assert.equal(s.inside, true, what);
      // The page works: a season opens and its chart menu shows.
      await d.click('optYear', 43);
      await d.click('cmdYear');
      assert.equal(await d.shown('cmdChart', 10), true, what);
      // The next change keeps a settings text the model reads back, places from the desktop kept.
      await page.click('#zoom-reset');
      const kept = (await state()).stored;
      assert.match(kept, /^zoom=100$/m, what);
      assert.match(kept, new RegExp(`^own-dice=${expected.ownDice ? 'on' : 'off'}$`, 'm'), what);
      if (/geometry/.test(stored)) {
        assert.match(kept, /^odds-window\.geometry=10,20,300,400$/m, what);
        assert.match(kept, /^game-log-window\.geometry=700,20,420,500$/m, what);
        // The player's comments and keys of a later version stay, as the desktop keeps them.
        assert.match(kept, /^# from the desktop$/m, what);
        assert.match(kept, /^later-version-key=1$/m, what);
      }
    }
  });

  await step('"Roll my own dice" is kept, and the older page\'s choice is taken over', async () => {
    const cases = [
      // [stored before, own dice after load, the old key dropped]
      [{ [OLD_KEY]: 'on' }, true],
      [{ [OLD_KEY]: 'off' }, false],
      [{ [OLD_KEY]: 'on', [KEY]: 'own-dice=off\nzoom=110\n' }, false],
      [{ [OLD_KEY]: 'off', [KEY]: 'own-dice=on\n' }, true],
      [{ [KEY]: 'own-dice=on\n' }, true],
    ];
    for (const [stored, on] of cases) {
      const what = JSON.stringify(stored);
      await firstVisit(stored);
      const s = await state();
      assert.equal(s.ownDice, on, what);
      assert.equal(await page.evaluate((k) => localStorage.getItem(k), OLD_KEY), null, `${what}: old key`);
      assert.match(s.stored, new RegExp(`^own-dice=${on ? 'on' : 'off'}$`, 'm'), what);
      if (stored[KEY]?.includes('zoom=110')) assert.equal(s.zoom, 110, what);
      // The choice is the one the dice follow: a steal asks for its die only when it is on.
      await d.click('optYear', 43);
      await d.click('cmdYear');
      await d.click('cmdChart', 10);
      await d.click('optJump', 5);
      await d.queueRolls(80);
      await page.click(sel('cmdStealing'));
      await page.waitForFunction(() => !document.body.dataset.busy ||
        !document.getElementById('die-overlay').hidden);
      assert.equal(await page.$eval('#die-overlay', (e) => !e.hidden), on, `${what}: die box`);
      if (on) await page.click('#die-roll');
      await d.settle();
      await d.click('cmdCancel');
    }
    // Switched off here, off on the next visit.
    await page.click('#own-dice');
    await reload();
    assert.equal((await state()).ownDice, false);
  });

  await step('no page errors', async () => assert.deepEqual(errors, []));
  await page.close();

  // A 10-inch tablet: the zoom steps down no further than tap targets of 32 CSS px.
  const tablet = await openPage(browser, url, { width: 1280, height: 800, isMobile: true, hasTouch: true });
  await step('on a touch screen the zoom stays at tap-target size or larger', async () => {
    const t = tablet.page;
    await t.evaluate((key) => localStorage.setItem(key, 'zoom=50\n'), KEY);
    await t.reload();
    await waitUntilReady(t);
    const measure = () => t.evaluate(() => ({
      small: [...document.querySelectorAll('button[data-control], label[data-control], #tools button')]
        .filter((e) => e.offsetParent !== null && e.getBoundingClientRect().height < 32 - 0.01)
        .map((e) => e.dataset.control || e.id),
      smaller: !document.getElementById('zoom-out').disabled,
      larger: !document.getElementById('zoom-in').disabled,
      shown: document.getElementById('zoom-reset').textContent,
      scale: Number(document.body.dataset.scale),
    }));
    const m = await measure();
    assert.deepEqual(m.small, []);
    assert.equal(m.smaller, false, 'no smaller zoom to step to');
    assert.equal(m.shown, `${Math.round(m.scale * 100)}\u00a0%`);
    assert.ok(m.scale > 0.5, `scale ${m.scale}`);
    // The tap-target size is larger than what fits 1280 x 800: no zoom draws larger or smaller.
    assert.equal(m.larger, false, 'no larger zoom fits');
    for (const key of ['Equal', 'Minus']) {
      await t.keyboard.down('Control');
      await t.keyboard.press(key);
      await t.keyboard.up('Control');
      assert.deepEqual(await measure(), m, key);
      assert.equal(await t.evaluate((k) => localStorage.getItem(k), KEY), 'zoom=50\n', key);
    }
    assert.deepEqual(tablet.errors, []);
  });
  await tablet.page.close();
} finally {
  await close();
  server.close();
}
