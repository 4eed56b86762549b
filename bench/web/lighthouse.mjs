// node bench/web/lighthouse.mjs [BUILD_DIR] [RUNS]: Lighthouse (pinned in web/tests) on the
// built page served as a web host serves it (serve-gzip.mjs), in Debian's headless Chromium:
// RUNS runs (3 unless told) with the mobile preset (throttled CPU and network, simulated),
// then RUNS with the desktop one. Prints each run's category scores, the best run of each
// preset (by performance) and that run's failing audits. Reports as JSON in build/lighthouse/
// of this work tree (VNT_LIGHTHOUSE_OUT to put them elsewhere). Scores depend on the machine
// and its load: this is a benchmark, never a test. VNT_LIGHTHOUSE_PRESETS=mobile (or desktop)
// runs one preset only.
import fs from 'node:fs';
import path from 'node:path';
import { spawn, spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, '../..');
const tests = path.join(repo, 'web/tests');
const buildDir = path.resolve(process.argv[2] || path.join(repo, 'build/web'));
const runs = Number(process.argv[3] || 3);
const site = path.join(buildDir, 'site');
const outDir = path.resolve(process.env.VNT_LIGHTHOUSE_OUT || path.join(repo, 'build/lighthouse'));
const presets = (process.env.VNT_LIGHTHOUSE_PRESETS || 'mobile,desktop').split(',');
const chrome = process.env.CHROME_PATH || '/usr/bin/chromium';

if (!fs.existsSync(path.join(site, 'index.html'))) {
  console.error(`No built page at ${site}: build it first (scripts/web.sh --build) or name BUILD_DIR`);
  process.exit(2);
}
// Lighthouse is a dev dependency of web/tests: the browser tests install without it.
const cli = path.join(tests, 'node_modules/lighthouse/cli/index.js');
if (!fs.existsSync(cli)) {
  console.log('Installing web/tests dependencies with Lighthouse (npm ci)');
  const r = spawnSync('npm', ['ci', '--no-audit', '--no-fund', '--loglevel=error'], { cwd: tests, stdio: 'inherit' });
  if (r.status !== 0) process.exit(r.status ?? 1);
}
const lighthouseVersion = JSON.parse(fs.readFileSync(path.join(tests, 'node_modules/lighthouse/package.json'))).version;
const chromeVersion = spawnSync(chrome, ['--version'], { encoding: 'utf8' }).stdout.trim();

const { serveLikeHost } = await import(path.join(here, 'serve-gzip.mjs'));
const { server, url } = await serveLikeHost(site, Number(process.env.VNT_WEB_PORT ?? 0));
fs.mkdirSync(outDir, { recursive: true });

const chromeFlags = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run'];

// One Lighthouse run as a child process (this process keeps serving meanwhile).
function lighthouse(preset, out) {
  const args = [cli, url, '--output=json', `--output-path=${out}`, '--quiet',
    `--chrome-flags=${chromeFlags.join(' ')}`, '--max-wait-for-load=90000'];
  if (preset === 'desktop') args.push('--preset=desktop');
  return new Promise((resolve, reject) => {
    const child = spawn(process.execPath, args, { env: { ...process.env, CHROME_PATH: chrome }, stdio: ['ignore', 'inherit', 'inherit'] });
    child.on('error', reject);
    child.on('exit', (code) => (code === 0 ? resolve() : reject(new Error(`lighthouse exited with ${code}`))));
  });
}

const categories = ['performance', 'accessibility', 'best-practices', 'seo'];
const score = (lhr, id) => {
  const s = lhr.categories[id]?.score;
  return s === null || s === undefined ? NaN : Math.round(s * 100);
};
const cell = (v) => (Number.isNaN(v) ? 'n/a' : String(v)).padStart(6);
const metrics = ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time',
  'cumulative-layout-shift', 'speed-index'];
const metricLine = (lhr) => metrics.map((id) => `${id.split('-').map((w) => w[0].toUpperCase()).join('')} ${lhr.audits[id]?.displayValue ?? 'n/a'}`).join(', ');

// The audits that cost points: those weighed in a category first (by points lost), then the
// performance diagnostics that only point at savings.
function failing(lhr) {
  const rows = [];
  for (const id of categories) {
    const category = lhr.categories[id];
    if (!category) continue;
    for (const ref of category.auditRefs) {
      const audit = lhr.audits[ref.id];
      if (!audit || audit.score === null || audit.score >= 1) continue;
      if (['notApplicable', 'manual', 'informative'].includes(audit.scoreDisplayMode)) continue;
      const total = category.auditRefs.reduce((sum, r) => sum + r.weight, 0);
      rows.push({ category: id, id: ref.id, title: audit.title, value: audit.displayValue || '',
        score: audit.score, lost: total ? (ref.weight * (1 - audit.score) * 100) / total : 0 });
    }
  }
  return rows.sort((a, b) => b.lost - a.lost || a.score - b.score);
}

console.log(`Lighthouse ${lighthouseVersion}, ${chromeVersion}, ${url} serving ${site}`);
console.log(`Reports: ${outDir}`);
try {
  for (const preset of presets) {
    console.log(`\n${preset} preset, ${runs} runs`);
    console.log(`  run   ${categories.map((c) => c.slice(0, 6).padStart(6)).join(' ')}   CPU index   metrics`);
    const results = [];
    for (let i = 1; i <= runs; ++i) {
      const out = path.join(outDir, `${preset}-${i}.json`);
      await lighthouse(preset, out);
      const lhr = JSON.parse(fs.readFileSync(out, 'utf8'));
      results.push({ i, lhr, out });
      console.log(`  ${String(i).padStart(3)}   ${categories.map((c) => cell(score(lhr, c))).join(' ')}   ` +
        `${String(Math.round(lhr.environment?.benchmarkIndex ?? NaN)).padStart(9)}   ${metricLine(lhr)}`);
      if (lhr.runtimeError) console.log(`        runtime error: ${lhr.runtimeError.code} ${lhr.runtimeError.message}`);
    }
    const sum = (lhr) => categories.reduce((s, c) => s + (score(lhr, c) || 0), 0);
    const best = results.reduce((a, b) => (score(b.lhr, 'performance') > score(a.lhr, 'performance') ||
      (score(b.lhr, 'performance') === score(a.lhr, 'performance') && sum(b.lhr) > sum(a.lhr)) ? b : a));
    console.log(`  best  ${categories.map((c) => cell(score(best.lhr, c))).join(' ')}   (run ${best.i}, ${best.out})`);
    console.log(`  failing audits of run ${best.i} (points lost in their category, score, value):`);
    for (const row of failing(best.lhr).slice(0, 15)) {
      console.log(`    ${row.category.padEnd(14)} ${row.lost.toFixed(1).padStart(5)}  ${row.score.toFixed(2)}  ` +
        `${row.id}: ${row.title}${row.value ? ` (${row.value})` : ''}`);
    }
  }
} finally {
  server.close();
}
