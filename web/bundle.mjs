// node bundle.mjs SITE_DIR SINGLE_JS APP_JS OUT.html: the whole program as one HTML file that
// works offline from disk: the page, its style, the fonts, the program with its wasm and the
// page's modules joined into one script (APP_JS, see join.mjs) inline.
import fs from 'node:fs';
import path from 'node:path';

const [siteDir, singleJs, appJs, out] = process.argv.slice(2);
const read = (name) => fs.readFileSync(path.join(siteDir, name), 'utf8');
// Text placed inside <script>/<style> must not close the element early.
const safe = (text) => text.replace(/<\/(script|style)/gi, '<\\/$1');

let css = read('style.css').replace(/url\("fonts\/([^"]+)"\)/g, (m, file) =>
  `url("data:font/woff;base64,${fs.readFileSync(path.join(siteDir, 'fonts', file)).toString('base64')}")`);
let html = read('index.html');
// Each piece of the page this changes must be there: a page changed without this script would
// otherwise make a one-file page that fetches what it cannot have.
const swap = (pattern, replacement) => {
  const changed = html.replace(pattern, replacement);
  if (changed === html) throw new Error(`bundle.mjs: ${pattern} is not in index.html`);
  html = changed;
};
swap('<link rel="stylesheet" href="style.css">', () => `<style>\n${safe(css)}\n</style>`);
// The program and the page's script at the end of the body, in that order, so the window
// drawn into the page shows while the browser reads the program.
swap(/<!-- Deferred[^]*?-->\n/, '');
swap('<script src="vnt-assistant.js" defer></script>\n', '');
swap('<script type="module" src="page/main.js"></script>\n', '');
swap(/<!-- The modules main.js imports[^]*?-->\n/, '');
swap(/<link rel="modulepreload"[^>]*>\n/g, '');
// A page opened from disk has no service worker and no manifest to install, nor a home screen
// icon; the tab's icon goes inline.
swap(/<link rel="manifest"[^>]*>\n/, '');
swap(/<link rel="apple-touch-icon"[^>]*>\n/, '');
// Everything is inside the one file: nothing to fetch ahead.
swap(/<!-- Fetched from the start[^]*?-->\n/, '');
swap(/<link rel="preload"[^>]*>\n/g, '');
swap('href="icon.svg"', () =>
  `href="data:image/svg+xml;base64,${fs.readFileSync(path.join(siteDir, 'icon.svg')).toString('base64')}"`);
swap('</body>', () => `<script>\n${safe(fs.readFileSync(singleJs, 'utf8'))}\n</script>\n` +
  `<script>\n${safe(fs.readFileSync(appJs, 'utf8'))}\n</script>\n</body>`);
fs.writeFileSync(out, html);
