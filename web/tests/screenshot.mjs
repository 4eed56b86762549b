// node screenshot.mjs SITE_DIR OUT.png [CLICK...]: the page after the given clicks
// ("cmdYear", "optYear:2"), for looking at next to docs/window.png.
import { serve, launch } from './harness.mjs';

const [siteDir, out, ...clicks] = process.argv.slice(2);
const { server, url } = await serve(siteDir);
const { browser, close } = await launch();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 600, height: 620 });
  page.on('pageerror', (e) => console.error('page error: ' + e.message));
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  for (const c of clicks) {
    const [name, index] = c.split(':');
    const sel = `[data-control="${name}"]` + (index !== undefined ? `[data-index="${index}"]` : '');
    await page.click(sel);
    await new Promise((r) => setTimeout(r, 100));
  }
  await page.screenshot({ path: out });
} finally {
  await close();
  server.close();
}
