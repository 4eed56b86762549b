// node run-scenarios.mjs SITE_DIR FILE...: plays scenario files inside the web page in headless
// Chromium with the wasm build of vnt-scenario, prints what it prints and exits as it does.
import fs from 'node:fs';
import path from 'node:path';
import { serve, launch } from './harness.mjs';

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

const { server, url } = await serve(siteDir);
const { browser, close } = await launch();
let code = 1;
try {
  const page = await browser.newPage();
  page.on('pageerror', (e) => console.error('page error: ' + e.message));
  await page.goto(url + 'scenarios.html');
  const result = await page.evaluate(
    (list, cwd, argv) => window.runScenarios(list, cwd, argv),
    [...files].map(([p, data]) => ({ path: p, data })), process.cwd(), args);
  process.stdout.write(result.output);
  code = result.code;
} finally {
  await close();
  server.close();
}
process.exit(code);
