// Shared by the browser tests: a static server for build/web/site on 127.0.0.1 and
// Debian's headless Chromium driven by puppeteer-core (no browser download).
import fs from 'node:fs';
import path from 'node:path';
import http from 'node:http';
import os from 'node:os';
import puppeteer from 'puppeteer-core';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.ttf': 'font/ttf', '.txt': 'text/plain', '.png': 'image/png' };

export async function serve(siteDir, port = 0) {
  const root = path.resolve(siteDir);
  const server = http.createServer((req, res) => {
    let rel = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '');
    if (rel === '') rel = 'index.html';
    const p = path.resolve(root, rel);
    if (!(p === root || p.startsWith(root + path.sep)) || !fs.existsSync(p) ||
        !fs.statSync(p).isFile()) {
      res.writeHead(404);
      res.end();
      return;
    }
    res.writeHead(200, { 'Content-Type': types[path.extname(p)] || 'application/octet-stream' });
    fs.createReadStream(p).pipe(res);
  });
  await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vnt-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}
