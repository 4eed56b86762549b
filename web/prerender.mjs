// node prerender.mjs INDEX_HTML SITE_DIR OUT_HTML: the page with the window drawn in, as the
// program draws it when it starts on the built-in samples. The browser then shows the window
// with its first paint, before the program has loaded; the program takes the elements over.
//
// The drawing is the page's own (create/update in page/window.js, imported from the site), run
// here over a small stand-in for the DOM that writes HTML, on the program's state from the
// built .wasm: no second copy of how a control is drawn.
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const [indexHtml, siteDir, out] = process.argv.slice(2);

const escapeText = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const escapeAttribute = (text) => escapeText(text).replace(/"/g, '&quot;');
const VOID = new Set(['input']);

// As much of an element as the page's drawing uses.
class Element {
  constructor(tag) {
    this.tagName = tag.toUpperCase();
    this.attributes = new Map();
    this.childNodes = [];
    this.rawHtml = null;
    this.parentNode = null;
    this.style = new Proxy({}, {
      set: (target, key, value) => { target[key] = String(value); return true; },
    });
    this.dataset = new Proxy({}, {
      set: (target, key, value) => {
        this.setAttribute('data-' + key.replace(/[A-Z]/g, (c) => '-' + c.toLowerCase()), String(value));
        target[key] = String(value);
        return true;
      },
    });
    const classes = new Set();
    const setClass = () => this.attributes.set('class', [...classes].join(' '));
    this.classList = {
      add: (...names) => { names.forEach((n) => classes.add(n)); setClass(); },
      toggle: (name, on) => { if (on ?? !classes.has(name)) classes.add(name); else classes.delete(name); setClass(); },
      contains: (name) => classes.has(name),
    };
    Object.defineProperty(this, 'className', { set: (v) => { classes.clear(); v.split(/\s+/).filter(Boolean).forEach((n) => classes.add(n)); setClass(); } });
  }
  setAttribute(name, value) { this.attributes.set(name, String(value)); }
  removeAttribute(name) { this.attributes.delete(name); }
  getAttribute(name) { return this.attributes.has(name) ? this.attributes.get(name) : null; }
  addEventListener() {}
  append(...nodes) {
    for (const node of nodes.map((n) => (typeof n === 'string' ? new Text(n) : n))) {
      node.remove?.();
      node.parentNode = this;
      this.childNodes.push(node);
    }
  }
  insertBefore(node, before) {
    if (!before) return this.append(node);
    node.remove();
    node.parentNode = this;
    this.childNodes.splice(this.childNodes.indexOf(before), 0, node);
    return node;
  }
  remove() {
    if (!this.parentNode) return;
    const siblings = this.parentNode.childNodes;
    siblings.splice(siblings.indexOf(this), 1);
    this.parentNode = null;
  }
  get nextSibling() {
    const siblings = this.parentNode ? this.parentNode.childNodes : [];
    return siblings[siblings.indexOf(this) + 1] || null;
  }
  replaceChildren(...nodes) { this.childNodes = []; this.rawHtml = null; this.append(...nodes); }
  get firstChild() { return this.childNodes[0] || null; }
  get lastChild() { return this.childNodes[this.childNodes.length - 1] || null; }
  set textContent(text) { this.replaceChildren(String(text)); }
  get textContent() { return this.childNodes.map((n) => n.textContent).join(''); }
  set innerHTML(html) { this.childNodes = []; this.rawHtml = html; }
  // The properties the page sets that are attributes in the HTML.
  set id(v) { this.setAttribute('id', v); }
  get id() { return this.getAttribute('id') || ''; }
  set type(v) { this.setAttribute('type', v); }
  set hidden(v) { if (v) this.setAttribute('hidden', ''); else this.removeAttribute('hidden'); }
  set disabled(v) { if (v) this.setAttribute('disabled', ''); else this.removeAttribute('disabled'); }
  set checked(v) { if (v) this.setAttribute('checked', ''); else this.removeAttribute('checked'); }
  get checked() { return this.attributes.has('checked'); }
  set tabIndex(v) { this.setAttribute('tabindex', v); }
  get outerHTML() {
    const tag = this.tagName.toLowerCase();
    const style = Object.entries(this.style).filter(([, v]) => v !== '')
      .map(([k, v]) => `${k.replace(/[A-Z]/g, (c) => '-' + c.toLowerCase())}: ${v};`).join(' ');
    const attributes = [...this.attributes].concat(style ? [['style', style]] : [])
      .map(([k, v]) => (v === '' ? ` ${k}` : ` ${k}="${escapeAttribute(v)}"`)).join('');
    if (VOID.has(tag)) return `<${tag}${attributes}>`;
    const inner = this.rawHtml ?? this.childNodes.map((n) => n.outerHTML).join('');
    return `<${tag}${attributes}>${inner}</${tag}>`;
  }
}
class Text {
  constructor(text) { this.textContent = text; }
  get outerHTML() { return escapeText(this.textContent); }
}
class HTMLButtonElement extends Element {}
class HTMLInputElement extends Element {}

const root = new Element('main');
const document = {
  title: '',
  createElement: (tag) => (tag === 'button' ? new HTMLButtonElement(tag)
    : tag === 'input' ? new HTMLInputElement(tag) : new Element(tag)),
  getElementById: (id) => (id === 'window' ? root : null),
};
// What the page's modules find around them in a browser, as far as drawing needs it; main.js
// sees vntPrerendering and does not start the program.
Object.assign(globalThis, {
  vntPrerendering: true, document, HTMLButtonElement, HTMLInputElement, window: { devicePixelRatio: 1 },
});
const pageModule = (name) => import(pathToFileURL(path.join(siteDir, 'page', name)).href);
const { page } = await pageModule('state.js');
const { render } = await pageModule('window.js');

// The program as the page starts it, on the samples; its boxes never open here. Nothing can
// be measured without a browser: every caption is taken to fit at its own size, and the page
// fits them anew when the program takes the window over.
const require = createRequire(import.meta.url);
const createVntAssistant = require(path.resolve(siteDir, 'vnt-assistant.js'));
const program = await createVntAssistant({
  showDialog: async () => 1,
  askDie: async () => null,
  measureCaption: () => [0, 0],
  captionLineSpacing: () => 1,
  captionRoom: (kind, name, width, height) => [Math.floor(width), Math.floor(height)],
  print: () => {},
  printErr: () => {},
});
program.ccall('vnt_start', 'number', ['string'], ['/seasons']);
page.module = program;
render();

const html = fs.readFileSync(indexHtml, 'utf8');
const empty = '<main id="window" aria-label="VNT Assistant"></main>';
if (!html.includes(empty)) throw new Error(`${indexHtml}: no empty window to draw into`);
fs.writeFileSync(out, html.replace(empty, () =>
  `<main id="window" aria-label="VNT Assistant" data-prerendered="true">${root.childNodes.map((n) => n.outerHTML).join('')}</main>`));
