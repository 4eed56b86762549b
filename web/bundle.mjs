// node bundle.mjs SITE_DIR SINGLE_JS OUT.html: the whole program as one HTML file that
// works offline from disk: the page, its style, the fonts and the module with its wasm inline.
import fs from 'node:fs';
import path from 'node:path';

const [siteDir, singleJs, out] = process.argv.slice(2);
const read = (name) => fs.readFileSync(path.join(siteDir, name), 'utf8');
// Text placed inside <script>/<style> must not close the element early.
const safe = (text) => text.replace(/<\/(script|style)/gi, '<\\/$1');

let css = read('style.css').replace(/url\("fonts\/([^"]+)"\)/g, (m, file) =>
  `url("data:font/woff;base64,${fs.readFileSync(path.join(siteDir, 'fonts', file)).toString('base64')}")`);
let html = read('index.html');
html = html.replace('<link rel="stylesheet" href="style.css">', () => `<style>\n${safe(css)}\n</style>`);
html = html.replace('<script src="vnt-assistant.js"></script>',
  () => `<script>\n${safe(fs.readFileSync(singleJs, 'utf8'))}\n</script>`);
html = html.replace('<script src="app.js" defer></script>', '');
// A page opened from disk has no service worker and no manifest to install; the icon goes inline.
html = html.replace(/<link rel="manifest"[^>]*>\n/, '');
// Everything is inside the one file: nothing to fetch ahead.
html = html.replace(/<!-- Fetched from the start[^]*?-->\n/, '').replace(/<link rel="preload"[^>]*>\n/g, '');
html = html.replace('href="icon.svg"', () =>
  `href="data:image/svg+xml;base64,${fs.readFileSync(path.join(siteDir, 'icon.svg')).toString('base64')}"`);
html = html.replace('</body>', () => `<script>\n${safe(read('app.js'))}\n</script>\n</body>`);
fs.writeFileSync(out, html);
