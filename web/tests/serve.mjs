// node serve.mjs SITE_DIR PORT: serves the built page on 127.0.0.1 until stopped.
import { serve } from './harness.mjs';

const [siteDir, port] = process.argv.slice(2);
await serve(siteDir, Number(port || 8080));
