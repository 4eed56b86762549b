// keyboard.test.mjs: the page by keyboard only: Tab order and the focus after a
// click as the model's focus rules give them, access keys (Alt+letter), Enter and Space, and
// every control a real element of its role.
import assert from 'node:assert/strict';
import path from 'node:path';
import { serve, launch, sel, checks, driver, openPage, waitUntilReady, buildDir } from './harness.mjs';

const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('keyboard');
try {
  const { page, errors } = await openPage(browser, url);
  const d = driver(page);
  // The controls a player can reach by Tab, in the model's Tab order (one option of a group),
  // as "name(index)".
  const reachableOrder = () => page.evaluate(() => window.vntTabStops());
  // Puts the focus on the first of `order` and presses Tab until each has had it: where the
  // focus was each time.
  const tabWalk = async (order) => {
    await page.focus(sel(...order[0].replace(')', '').split('(')) + ':is(button, :scope > input)');
    const seen = [await d.focused()];
    for (let i = 1; i < order.length; ++i) {
      await page.keyboard.press('Tab');
      seen.push(await d.focused());
    }
    return seen;
  };

  await step('every control is a real element of its role, named by the model', async () => {
    const roles = await page.evaluate(() => [...document.querySelectorAll('[data-control]')].map((e) => ({
      name: e.dataset.control,
      tag: e.tagName.toLowerCase(),
      role: e.getAttribute('role'),
      input: e.querySelector(':scope > input')?.type ?? null,
    })));
    const of = (name) => roles.filter((r) => r.name === name);
    assert.ok(of('cmdChart').length === 14 && of('cmdChart').every((r) => r.tag === 'button'));
    assert.ok(of('optYear').every((r) => r.input === 'radio'));
    assert.ok(of('chkError').every((r) => r.input === 'checkbox'));
    assert.equal(of('fraSeasons')[0].role, 'radiogroup');
    assert.equal(of('List1')[0].tag, 'ul');
    // Every frame that holds option buttons is a radio group of its own.
    const groups = await page.evaluate(() => [...document.querySelectorAll('.frame')]
      .filter((f) => f.querySelector(':scope > label > input[type=radio]'))
      .map((f) => f.getAttribute('role')));
    assert.ok(groups.length > 5 && groups.every((r) => r === 'radiogroup'));
    assert.equal(await page.$eval(sel('Text1'), (e) => e.getAttribute('aria-live')), 'polite');
    assert.equal(await page.$eval(sel('List1'), (e) => e.getAttribute('aria-label')), 'Roll history');
    assert.equal(await page.$eval(sel('imgLogo') + ' svg', (e) => e.getAttribute('role')), 'img');
  });

  await step('Tab goes through the season window in the model\'s order, skipping the unreachable', async () => {
    const order = await reachableOrder();
    assert.ok(order.length > 2);
    assert.deepEqual(await tabWalk(order), order);
    // The document's order is the Tab order: no element carries a place of its own.
    assert.deepEqual(await page.$$eval('[tabindex]', (items) => items.filter((e) => e.tabIndex > 0).length), 0);
    // The seasons are one stop.
    assert.equal(order.filter((name) => name.startsWith('optYear')).length, 1);
  });

  await step('the arrow keys go through the seasons by year, selecting each, and round', async () => {
    await d.click('optYear', 43);
    await page.focus(sel('optYear', 43) + ' input');
    await page.keyboard.press('ArrowDown');
    await d.settle();
    assert.equal(await d.focused(), 'optYear(44)');
    assert.equal(await page.$eval(sel('optYear', 44) + ' input', (e) => e.checked), true);
    assert.equal(await page.$eval(sel('optYear', 43) + ' input', (e) => e.checked), false);
    // The stop follows the choice.
    assert.ok((await reachableOrder()).includes('optYear(44)'));
    await page.keyboard.press('ArrowUp');
    await d.settle();
    assert.equal(await d.focused(), 'optYear(43)');
    // From the first season, Up goes round to the last.
    const years = await page.$$eval(sel('optYear') + ':not([hidden]) input:not(:disabled)',
      (items) => items.map((e) => e.closest('[data-control]').dataset.index));
    await page.focus(sel('optYear', years[0]) + ' input');
    await page.keyboard.press('ArrowUp');
    await d.settle();
    assert.equal(await d.focused(), `optYear(${years[years.length - 1]})`);
  });

  await step('Space selects a season, Enter presses Select Season; focus goes to the chart menu', async () => {
    await page.focus(sel('optYear', 43) + ' input');
    await page.keyboard.press('Space');
    await d.settle();
    assert.equal(await page.$eval(sel('optYear', 43) + ' input', (e) => e.checked), true);
    await page.focus(sel('cmdYear'));
    await page.keyboard.press('Enter');
    await d.settle();
    assert.equal(await d.shown('cmdChart', 10), true);
    // The focused button went away: a button of the new screen holds the focus, not the page.
    const now = await d.focused();
    assert.match(now ?? '', /^cmd/);
    assert.equal(await page.$eval(sel(...now.replace(')', '').split('(')), (e) => !e.hidden), true);
  });

  await step('Tab on the chart menu follows the rows from the top', async () => {
    const order = await reachableOrder();
    assert.ok(order.includes('cmdChart(10)'));
    assert.deepEqual(await tabWalk(order), order);
  });

  await step('after a roll by keyboard the focus is on Continue', async () => {
    await page.focus(sel('cmdChart', 10));
    await page.keyboard.press('Enter');
    await d.settle();
    await d.click('optJump', 5);
    await d.queueRolls(0, 5);
    await page.focus(sel('cmdStealing'));
    await page.keyboard.press('Enter');
    await d.settle();
    assert.equal(await d.text('Text1'), 'CS');
    assert.equal(await d.focused(), 'cmdCancel');
    await page.keyboard.press('Enter');
    await d.settle();
    assert.equal(await d.shown('cmdChart', 10), true);
  });

  await step('Alt+letter presses the control whose caption marks it', async () => {
    await d.click('cmdChart', 10);
    assert.equal(await page.$eval(sel('cmdCancel'), (e) => e.getAttribute('aria-keyshortcuts')), 'Alt+C');
    assert.equal(await page.$eval(sel('cmdExit'), (e) => e.getAttribute('aria-keyshortcuts')), 'Alt+X');
    await page.keyboard.down('Alt');
    await page.keyboard.press('c');
    await page.keyboard.up('Alt');
    await d.settle();
    assert.equal(await d.shown('cmdChart', 10), true, 'back on the chart menu');
    assert.equal(await d.shown('cmdStealing'), false);
  });

  await step('a steal from a fresh load by keys alone: 22 presses at most (Tab, Shift+Tab, Space, Enter)', async () => {
    const fresh = await browser.newPage();
    await fresh.setViewport({ width: 900, height: 700 });
    await fresh.goto(url);
    await waitUntilReady(fresh);
    const k = driver(fresh);
    let presses = 0;
    const press = async (key, times = 1) => {
      for (let i = 0; i < times; ++i) {
        if (key === 'Shift+Tab') {
          await fresh.keyboard.down('Shift');
          await fresh.keyboard.press('Tab');
          await fresh.keyboard.up('Shift');
        } else {
          await fresh.keyboard.press(key);
        }
        ++presses;
        await k.settle();
      }
    };
    const stops = () => fresh.evaluate(() => window.vntTabStops());
    // Tab (or Shift+Tab, whichever is fewer) along the window's stops to `target`.
    const reach = async (target) => {
      const order = await stops();
      const from = order.indexOf(await k.focused());
      const to = order.indexOf(target);
      assert.ok(to >= 0, `${target} is a stop`);
      if (from < 0) await press('Tab', to + 1);
      else if (to >= from) await press('Tab', to - from);
      else await press('Shift+Tab', from - to);
      assert.equal(await k.focused(), target);
    };
    // A season (the group's stop), chosen; Select Season.
    const season = (await stops()).find((name) => name.startsWith('optYear'));
    await reach(season);
    await press('Space');
    await reach('cmdYear');
    await press('Enter');
    // The Steal chart on the chart menu.
    await reach('cmdChart(10)');
    await press('Enter');
    // A rating (the group's stop), chosen; Stealing.
    const rating = (await stops()).find((name) => name.startsWith('optJump'));
    await reach(rating);
    await press('Space');
    await k.queueRolls(50, 5);
    await reach('cmdStealing');
    await press('Enter');
    assert.notEqual(await k.text('Text1'), '');
    assert.ok((await k.history()).length > 0, 'rolled');
    console.log(`a steal from a fresh load: ${presses} key presses`);
    assert.ok(presses <= 22, `${presses} presses`);
    await fresh.close();
  });

  await step('every kind of control shows a focus ring of at least 2 px that nothing cuts off', async () => {
    await d.click('cmdChart', 10);
    // The ring as drawn round the first element on screen that `selector` finds, once focused,
    // or round the control holding its box.
    const ring = (selector) => page.$$eval(selector, (all) => {
      const e = all.find((x) => x.offsetParent !== null || x.type === 'file');
      if (!e) return { width: -1, cut: [] };
      e.focus();
      const drawn = [e, e.parentElement].find((x) => parseFloat(getComputedStyle(x).outlineWidth) > 0 &&
        getComputedStyle(x).outlineStyle !== 'none');
      if (!drawn) return { width: 0, cut: [] };
      const style = getComputedStyle(drawn);
      const width = parseFloat(style.outlineWidth);
      const out = width + parseFloat(style.outlineOffset);
      const r = drawn.getBoundingClientRect();
      const cut = [];
      for (let up = drawn.parentElement; up; up = up.parentElement) {
        if (getComputedStyle(up).overflow === 'visible') continue;
        const box = up.getBoundingClientRect();
        if (r.left - out < box.left - 0.5 || r.top - out < box.top - 0.5 ||
            r.right + out > box.right + 0.5 || r.bottom + out > box.bottom + 0.5) {
          cut.push(up.id || up.className || up.tagName);
        }
      }
      return { width, cut };
    });
    // Keyboard use: the browser shows rings for focus moved by script then too.
    await page.keyboard.press('Shift');
    await page.keyboard.press('F3');
    const kinds = {
      button: sel('cmdStealing'), option: sel('optJump', 5) + ' input',
      checkbox: '[data-control] > input[type=checkbox]',
      'page button': '#odds-button', 'zoom button': '#zoom-reset', 'page check box': '#own-dice',
      'file button': '#season-files', 'search box': '#log-search', 'log text': '#log-text',
    };
    for (const [kind, selector] of Object.entries(kinds)) {
      const { width, cut } = await ring(selector);
      assert.ok(width >= 2, `${kind}: ${width} px`);
      assert.deepEqual(cut, [], `${kind} is cut off by`);
    }
    await page.keyboard.press('F3');
    await d.click('cmdCancel');
  });

  await step('no page errors', async () => assert.deepEqual(errors, []));
} finally {
  await close();
  server.close();
}
