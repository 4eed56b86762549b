// node keyboard.test.mjs BUILD_DIR: the page by keyboard only: Tab order and the focus after a
// click as the model's focus rules give them, access keys (Alt+letter), Enter and Space, and
// every control a real element of its role.
import assert from 'node:assert/strict';
import path from 'node:path';
import { serve, launch, sel, checks, driver, openPage } from './harness.mjs';

const [buildDir] = process.argv.slice(2);
const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step, report } = checks('keyboard');
try {
  const { page, errors } = await openPage(browser, url);
  const d = driver(page);
  // The controls a player can reach by Tab, in the order the page's tabindex gives (the
  // model's Tab order), as "name(index)".
  const reachableOrder = () => page.evaluate(() => {
    const items = [...document.querySelectorAll('[data-control] button, [data-control] input, button[data-control]')]
      .filter((e) => e.tabIndex > 0 && !e.disabled && e.offsetParent !== null)
      .sort((a, b) => a.tabIndex - b.tabIndex);
    return items.map((e) => {
      const c = e.closest('[data-control]');
      return c.dataset.control + (c.dataset.index !== undefined ? `(${c.dataset.index})` : '');
    });
  });
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
    assert.ok(order.length > 5);
    assert.deepEqual(await tabWalk(order), order);
    // The seasons by year, one after the other.
    assert.ok(order.indexOf('optYear(43)') + 1 === order.indexOf('optYear(44)'));
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

  await step('no page errors', async () => assert.deepEqual(errors, []));
} finally {
  await close();
  server.close();
}
process.exit(report());
