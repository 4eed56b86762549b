// node join.mjs ENTRY OUT: the page's modules (web/page/*.js) as one classic script, for the
// one-file page, which has nothing beside it to import from. The browser loads the modules
// themselves everywhere else.
//
// No bundler is needed for what the modules use: each imports names as they are exported
// (`import { a, b } from './file.js';`), and their top-level names are all different, so the
// files can share one scope. They are joined in the order the browser runs them (each after
// what it imports, depth first from the entry), their import lines dropped and `export`
// words taken off. Anything else (a renamed or default import, two files with the same
// top-level name) stops the build instead of making a script that works differently.
import fs from 'node:fs';
import path from 'node:path';

const [entry, out] = process.argv.slice(2);
const fail = (message) => { throw new Error(`join.mjs: ${message}`); };

const IMPORT = /^import \{([^}]*)\} from '\.\/([\w-]+\.js)';\n/gm;
const DECLARED = /^(export )?(?:async function|function|const|let|class) ([\w$]+)/gm;
const modules = new Map();  // file -> {text, exports}
const order = [];
function visit(file) {
  if (modules.has(file)) return;
  const source = fs.readFileSync(file, 'utf8');
  const imports = [...source.matchAll(IMPORT)].map((m) => ({
    names: m[1].split(',').map((n) => n.trim()).filter(Boolean),
    from: path.join(path.dirname(file), m[2]),
  }));
  const text = source.replace(IMPORT, '');
  if (/^\s*(import|export)\b(?! (async function|function|const|let|class) )/m.test(text)) {
    fail(`${file}: an import or export this script does not join`);
  }
  const declared = [...text.matchAll(DECLARED)];
  modules.set(file, {
    text: text.replace(/^export /gm, ''),
    declared: declared.map((m) => m[2]),
    exports: new Set(declared.filter((m) => m[1]).map((m) => m[2])),
    imports,
  });
  for (const { from } of imports) visit(from);
  order.push(file);
}
visit(path.resolve(entry));

const owner = new Map();
for (const file of order) {
  const { declared, imports } = modules.get(file);
  for (const name of declared) {
    if (owner.has(name)) fail(`${name} is declared in ${owner.get(name)} and ${file}`);
    owner.set(name, file);
  }
  for (const { names, from } of imports) {
    for (const name of names) {
      if (!/^[\w$]+$/.test(name)) fail(`${file}: '${name}' (only plain names are joined)`);
      if (!modules.get(from).exports.has(name)) fail(`${file}: ${path.basename(from)} exports no ${name}`);
    }
  }
}

// One function scope, strict as modules are, so nothing lands on the page's global object.
const body = order.map((file) => `// ---- web/page/${path.basename(file)}\n${modules.get(file).text}`).join('\n');
fs.writeFileSync(out, `(() => {\n'use strict';\n${body}\n})();\n`);
