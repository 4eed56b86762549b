// seasons.test.mjs: season files the player opens in the browser: the same
// start-up check and the same diagnosis `vnt-seasons check` prints, kept between visits, and
// the way back to the sample seasons.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { serve, launch, sel, checks, openPage, waitUntilReady, buildDir } from './harness.mjs';

const samples = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../seasons');
const { server, url } = await serve(path.join(buildDir, 'site'));
const { browser, close } = await launch();
const { step } = checks('seasons');

// Three seasons of the samples: 1987 whole, 1998's Deep file far larger than any season file,
// 2015's BPE file cut short in its records.
const picked = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-picked-'));
for (const year of ['1987', '1998', '2015']) {
  for (const kind of ['Deep', 'BPE', 'Weather', 'CPlay']) {
    fs.copyFileSync(path.join(samples, `${year}${kind}.vnt`), path.join(picked, `${year}${kind}.vnt`));
  }
}
const bpe = fs.readFileSync(path.join(picked, '2015BPE.vnt'));
fs.writeFileSync(path.join(picked, '2015BPE.vnt'), bpe.subarray(0, Math.floor(bpe.length / 2)));
fs.writeFileSync(path.join(picked, '1998Deep.vnt'), Buffer.alloc(5 * 1024 * 1024, 0x31));
fs.writeFileSync(path.join(picked, 'notes.txt'), 'not a season file');
const files = fs.readdirSync(picked).map((name) => path.join(picked, name));
const before = new Map(files.map((f) => [f, fs.readFileSync(f)]));

// What `vnt-seasons check` says of that folder, from the desktop build when there is one.
const tool = path.resolve(buildDir, '../ci/tools/vnt_seasons/vnt-seasons');
const desktopSays = () => {
  let out = '';
  try {
    out = execFileSync(tool, ['check'], { cwd: picked, encoding: 'utf8' });
  } catch (e) {
    out = e.stdout;  // check exits 1 when a season is not offered
  }
  return out.split('\n').filter((l) => /^\d{4} {2}/.test(l) && !/^\d{4} {2}offered$/.test(l));
};

try {
  const { page, errors } = await openPage(browser, url);
  const enabled = (index) => page.$eval(sel('optYear', index) + ' input', (e) => !e.disabled);
  const reportLines = () => page.$$eval('#season-report li', (items) => items.map((i) => i.textContent));
  const source = () => page.$eval('#season-source', (e) => e.textContent);

  await step('the six sample seasons are built in and offered', async () => {
    assert.equal(await source(), 'Sample seasons');
    for (const index of [3, 15, 26, 43, 44, 53]) assert.equal(await enabled(index), true, `optYear(${index})`);
    assert.deepEqual(await reportLines(), []);
  });

  await step('opening a damaged season file: that season not offered, why shown, the rest offered', async () => {
    const input = await page.$('#season-files');
    await input.uploadFile(...files);
    await page.waitForFunction(() => document.getElementById('season-source').textContent.startsWith('Your'));
    assert.equal(await source(), 'Your season files (12)');
    assert.equal(await enabled(15), true, '1987 is whole');
    assert.equal(await enabled(26), false, '1998: its Deep file is too large');
    assert.equal(await enabled(43), false, '2015: its BPE file is cut short');
    assert.equal(await enabled(44), false, '2016 was not opened');
    const lines = await reportLines();
    assert.ok(lines.some((l) => l === '1998  not offered  1998Deep.vnt: cannot be read'), lines.join('\n'));
    assert.ok(lines.some((l) => l.startsWith('2015  not offered  2015BPE.vnt')), lines.join('\n'));
    if (fs.existsSync(tool)) assert.deepEqual(lines, desktopSays());
  });

  await step('a whole folder can be opened', async () => {
    assert.equal(await page.$eval('#season-folder', (e) => e.webkitdirectory && e.multiple), true);
  });

  await step('the files opened are kept for the next visit', async () => {
    await page.reload();
    await waitUntilReady(page);
    assert.equal(await source(), 'Your season files (12)');
    assert.equal(await enabled(15), true);
    assert.equal(await enabled(26), false);
    assert.equal(await enabled(43), false);
  });

  await step('back to the sample seasons, also after the next visit', async () => {
    await page.click('#sample-seasons');
    assert.equal(await source(), 'Sample seasons');
    assert.equal(await enabled(43), true);
    await page.reload();
    await waitUntilReady(page);
    assert.equal(await source(), 'Sample seasons');
    assert.equal(await enabled(43), true);
  });

  await step('files that are no season files change nothing', async () => {
    const input = await page.$('#season-files');
    await input.uploadFile(path.join(picked, 'notes.txt'));
    await page.waitForFunction(() => !document.getElementById('season-report').hidden);
    assert.deepEqual(await reportLines(), ['No season files (1972..2025) among the files opened']);
    assert.equal(await source(), 'Sample seasons');
  });

  await step('the files the player picked are unchanged', async () => {
    for (const [file, data] of before) {
      assert.ok(fs.readFileSync(file).equals(data), file);
    }
  });

  await step('no page errors', async () => assert.deepEqual(errors, []));
} finally {
  await close();
  server.close();
  fs.rmSync(picked, { recursive: true, force: true });
}
