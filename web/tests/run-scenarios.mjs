// node run-scenarios.mjs SITE_DIR FILE...: plays scenario files inside the web page in headless
// Chromium with the wasm build of vnt-scenario, prints what it prints and exits as it does.
import fs from 'node:fs';
import path from 'node:path';
import http from 'node:http';
import os from 'node:os';
import puppeteer from 'puppeteer-core';

const [siteDir, ...args] = process.argv.slice(2);
if (!siteDir || args.length === 0) {
  console.error('usage: web-scenarios.sh FILE...');
  process.exit(2);
}

// The scenario files and every file of the folders they copy from, at their absolute paths,
// so the runner reads the same paths (relative or absolute) it would read on the desktop.
const files = new Map();
const addFile = (p) => { if (!files.has(p)) files.set(p, [...fs.readFileSync(p)]); };
for (const arg of args) {
  const abs = path.resolve(arg);
  if (!fs.existsSync(abs)) continue;  // the runner reports a missing file itself
  addFile(abs);
  for (const line of fs.readFileSync(abs, 'utf8').split(/\r?\n/)) {
    const m = /^\s*copy\s+(\S+)\s*$/.exec(line);
    if (!m) continue;
    const dir = path.resolve(path.dirname(abs), m[1]);
    if (!fs.existsSync(dir) || !fs.statSync(dir).isDirectory()) continue;
    for (const name of fs.readdirSync(dir)) {
      const p = path.join(dir, name);
      if (fs.statSync(p).isFile()) addFile(p);
    }
  }
}

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.woff2': 'font/woff2', '.ttf': 'font/ttf', '.png': 'image/png' };
const server = http.createServer((req, res) => {
  const rel = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '');
  const p = path.resolve(siteDir, rel);
  if (!p.startsWith(path.resolve(siteDir)) || !fs.existsSync(p) || !fs.statSync(p).isFile()) {
    res.writeHead(404); res.end(); return;
  }
  res.writeHead(200, { 'Content-Type': types[path.extname(p)] || 'application/octet-stream' });
  fs.createReadStream(p).pipe(res);
});
await new Promise((r) => server.listen(0, '127.0.0.1', r));
const port = server.address().port;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    `--user-data-dir=${profile}`],
});
let code = 1;
try {
  const page = await browser.newPage();
  page.on('pageerror', (e) => console.error('page error: ' + e.message));
  await page.goto(`http://127.0.0.1:${port}/scenarios.html`);
  const result = await page.evaluate(
    (list, cwd, argv) => window.runScenarios(list, cwd, argv),
    [...files].map(([p, data]) => ({ path: p, data })), process.cwd(), args);
  process.stdout.write(result.output);
  code = result.code;
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
process.exit(code);
