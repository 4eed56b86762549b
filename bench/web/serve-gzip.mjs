// node bench/web/serve-gzip.mjs [SITE_DIR]: serves the built page on 127.0.0.1 as a web host
// does (gzip when the browser accepts it, cache headers, ETag and 304), so that an audit
// measures what a visitor would load. Port: VNT_WEB_PORT (8081 unless set; 0 picks one).
// SITE_DIR: build/web/site of this work tree unless told.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const { types } = await import(path.resolve(here, '../../web/tests/harness.mjs'));

// Kinds a host compresses; PNG and WOFF are compressed already.
const compressible = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.json', '.webmanifest',
  '.svg', '.ttf', '.txt', '.ico']);

// The page and the service worker are checked on every visit, so a new build shows at once;
// every other file is kept a year (VNT_ASSET_MAX_AGE seconds to try another lifetime).
// The names carry no hash of their content, so a real deployment that keeps them this long
// must rename them per build: the service worker's fetches go through this cache too.
const assetMaxAge = Number(process.env.VNT_ASSET_MAX_AGE ?? 31536000);
function cacheControl(rel) {
  const ext = path.extname(rel).toLowerCase();
  if (ext === '.html' || ext === '.webmanifest' || path.basename(rel) === 'sw.js') return 'no-cache';
  return `public, max-age=${assetMaxAge}`;
}

// Each file read and gzipped once (level 9, as a host's precompressed copy), until it changes.
const files = new Map();
function load(p) {
  const stat = fs.statSync(p);
  const tag = `"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}"`;
  let entry = files.get(p);
  if (!entry || entry.tag !== tag) {
    const raw = fs.readFileSync(p);
    const gz = compressible.has(path.extname(p).toLowerCase()) ? zlib.gzipSync(raw, { level: 9 }) : null;
    entry = { tag, raw, gz, modified: stat.mtime.toUTCString() };
    files.set(p, entry);
  }
  return entry;
}

export async function serveLikeHost(siteDir, port = 0) {
  const root = path.resolve(siteDir);
  const server = http.createServer((req, res) => {
    if (req.method !== 'GET' && req.method !== 'HEAD') {
      res.writeHead(405, { Allow: 'GET, HEAD' });
      res.end();
      return;
    }
    let rel;
    try {
      rel = decodeURIComponent(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '');
    } catch {
      res.writeHead(400);
      res.end();
      return;
    }
    if (rel === '' || rel.endsWith('/')) rel += 'index.html';
    const p = path.resolve(root, rel);
    if (!(p === root || p.startsWith(root + path.sep)) || !fs.existsSync(p) || !fs.statSync(p).isFile()) {
      res.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' });
      res.end('Not found\n');
      return;
    }
    const file = load(p);
    const headers = {
      'Content-Type': types[path.extname(p).toLowerCase()] || 'application/octet-stream',
      'Cache-Control': cacheControl(rel),
      ETag: file.tag,
      'Last-Modified': file.modified,
      'X-Content-Type-Options': 'nosniff',
    };
    if (file.gz) headers.Vary = 'Accept-Encoding';
    if (req.headers['if-none-match'] === file.tag) {
      res.writeHead(304, headers);
      res.end();
      return;
    }
    const gzip = file.gz && /\bgzip\b/.test(req.headers['accept-encoding'] || '');
    const body = gzip ? file.gz : file.raw;
    if (gzip) headers['Content-Encoding'] = 'gzip';
    headers['Content-Length'] = body.length;
    res.writeHead(200, headers);
    res.end(req.method === 'HEAD' ? undefined : body);
  });
  // A port already taken rejects (error.code 'EADDRINUSE').
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => { server.off('error', reject); resolve(); });
  });
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const site = process.argv[2] || path.resolve(here, '../../build/web/site');
  const port = Number(process.env.VNT_WEB_PORT ?? 8081);
  try {
    const { url } = await serveLikeHost(site, port);
    console.log(`Serving ${site} gzipped with cache headers at ${url} (Ctrl+C stops)`);
  } catch (e) {
    if (e.code !== 'EADDRINUSE') throw e;
    console.error(`Port ${port} is taken: choose another with VNT_WEB_PORT`);
    process.exit(1);
  }
}
