// offline.test.mjs: the page plays without a network once loaded (service
// worker), is installable (manifest), and the one-file build opens from file:// and settles
// a roll, small enough to mail.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { spawnSync } from 'node:child_process';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { serve, launch, checks, driver, openPage, waitUntilReady, buildDir } from './harness.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('offline');

// A steal with a rating of 5 and the rolls 0, 5: the umpire blows the call, CS.
async function settleSteal(page) {
  const d = driver(page);
  await d.click('optYear', 43);
  await d.click('cmdYear');
  await d.click('cmdChart', 10);
  await d.click('optJump', 5);
  await d.queueRolls(0, 5);
  await d.click('cmdStealing');
  assert.equal(await d.text('Text1'), 'CS');
  assert.deepEqual(await d.history(), ['Blown Call', 'CS']);
}

try {
  await step('the one-file page opens from file:// and settles a roll', async () => {
    const file = path.resolve(buildDir, 'vnt-assistant.html');
    const { page, errors } = await openPage(browser, pathToFileURL(file).href);
    // Nothing is fetched from beside it: everything is inside.
    const fetched = [];
    page.on('request', (r) => { if (!r.url().startsWith('data:')) fetched.push(r.url()); });
    await settleSteal(page);
    assert.deepEqual(errors, []);
    assert.deepEqual(fetched, []);
    await page.close();
  });

  await step('the one-file page is under 1 MB gzipped', async () => {
    const size = zlib.gzipSync(fs.readFileSync(path.join(buildDir, 'vnt-assistant.html')), { level: 9 }).length;
    assert.ok(size < 1024 * 1024, `${size} bytes gzipped`);
  });

  await step('the manifest makes it installable', async () => {
    const { page } = await openPage(browser, url);
    const manifest = await page.evaluate(async () =>
      (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    assert.equal(manifest.name, 'VNT Assistant');
    assert.equal(manifest.display, 'standalone');
    assert.ok(manifest.icons.length > 0);
    await page.close();
  });

  await step('scripts/web.sh\'s server on a port already taken says so in one line, naming VNT_WEB_PORT', async () => {
    const port = new URL(url).port;
    const run = spawnSync(process.execPath, [path.join(here, 'serve.mjs'), path.join(buildDir, 'site'), port],
      { encoding: 'utf8', timeout: 20000 });
    assert.equal(run.status, 1);
    assert.equal(run.stdout, '');
    assert.match(run.stderr, new RegExp(`^Port ${port} is taken.*VNT_WEB_PORT.*\n$`));
  });

  await step('Chromium finds it installable, its icons served as pictures of their sizes', async () => {
    const { page } = await openPage(browser, url);
    // Page.getInstallabilityErrors is Chromium's own (DevTools protocol): no other browser says.
    const client = await page.target().createCDPSession();
    const { installabilityErrors } = await client.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.map((e) => e.errorId), []);
    const icons = await page.evaluate(async () => {
      const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
      const touch = document.querySelector('link[rel=apple-touch-icon]').href;
      const all = manifest.icons.concat([{ src: touch, sizes: '180x180', type: 'image/png', purpose: 'any' }]);
      return Promise.all(all.map(async (icon) => {
        const response = await fetch(new URL(icon.src, document.baseURI));
        const bytes = new DataView(await response.arrayBuffer());
        // A PNG's width and height stand at bytes 16 and 20.
        const size = icon.type === 'image/png' ? `${bytes.getUint32(16)}x${bytes.getUint32(20)}` : 'any';
        return { ...icon, served: response.headers.get('content-type'), size };
      }));
    });
    for (const icon of icons) {
      assert.equal(icon.served, icon.type, icon.src);
      assert.equal(icon.size, icon.sizes, icon.src);
    }
    assert.ok(icons.some((i) => i.purpose === 'maskable'));
    assert.ok(icons.some((i) => i.sizes === '512x512' && i.purpose === 'any'));
    await page.close();
  });

  await step('with the network cut off after the first load, the page loads and plays', async () => {
    const { page, errors } = await openPage(browser, url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The worker keeps what it was installed with; wait until it controls the page.
    await page.reload();
    await waitUntilReady(page);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await page.setOfflineMode(true);
    await page.reload();
    await waitUntilReady(page);
    await settleSteal(page);
    assert.equal(await page.evaluate(() => document.fonts.check('8pt "VNT Sans Condensed"')), true);
    assert.deepEqual(errors, []);
    await page.close();
  });
} finally {
  await close();
  server.close();
}
