// node serve.mjs SITE_DIR PORT: serves the built page on 127.0.0.1 until stopped.
import { serve } from './harness.mjs';

const [siteDir, port = '8080'] = process.argv.slice(2);
try {
  const { url } = await serve(siteDir, Number(port));
  console.log(`Open ${url} (Ctrl+C stops the server)`);
} catch (e) {
  if (e.code !== 'EADDRINUSE') throw e;
  console.error(`Port ${port} is taken (another server is on it): choose another with VNT_WEB_PORT, ` +
    `e.g. VNT_WEB_PORT=${Number(port) + 1} scripts/web.sh`);
  process.exit(1);
}
