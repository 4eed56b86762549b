// Draws the window from the model's state and sends the player's clicks to it. Each control
// is a real HTML element marked data-control (and data-index for a control array); after a
// click only the elements whose state changed are touched.
'use strict';

const TWIPS_PER_PX = 15;
let module = null;
let busy = false;          // a click is running (it may be waiting in a message box)
const views = [];          // per control: {element, state}

// A caption in the access-key notation as the desktop shows it: "&&" is an ampersand, a single
// "&" marks the access key, underlined, and is not shown. (The model doubles every '&' of a
// caption that is data, a ballpark name.)
function captionNodes(caption) {
  const text = caption.replace(/\r\n?/g, '\n');
  const nodes = [];
  let plain = '';
  let keyed = false;
  for (let i = 0; i < text.length; ++i) {
    if (text[i] === '&' && i + 1 < text.length) {
      ++i;
      if (text[i] !== '&' && !keyed) {
        keyed = true;
        nodes.push(plain);
        plain = '';
        const u = document.createElement('u');
        u.textContent = text[i];
        nodes.push(u);
        continue;
      }
    } else if (text[i] === '&') {
      continue;
    }
    plain += text[i];
  }
  nodes.push(plain);
  return nodes.filter((n) => n !== '');
}

// --- Measuring captions for the model ------------------------------------------------------
// The model decides at which size a caption is drawn and where it is cut (vnt_state); the page
// measures for it, synchronously, with its own web fonts, laying text out as the controls do.
// One hidden box outside the scaled window does all the measuring; size containment keeps
// its layout from touching the rest of the page.
const measuring = { box: null, text: null, insets: new Map() };

function measuringBox() {
  if (!measuring.box) {
    const holder = document.createElement('div');
    holder.className = 'caption-measure';
    holder.setAttribute('aria-hidden', 'true');
    holder.style.fontFamily = getComputedStyle(document.getElementById('window')).fontFamily;
    measuring.box = document.createElement('div');
    measuring.text = document.createElement('span');
    measuring.box.append(measuring.text);
    holder.append(measuring.box);
    document.body.append(holder);
  }
  return measuring;
}

// The room `text` needs at `points` as [width, height] in whole CSS pixels: its lines broken
// at blanks and '\n' to fit `width` (a word longer than that sticks out), or on one line. With
// access keys, the marks are not measured, as they are not shown.
function measureCaption(text, points, bold, width, singleLine, accessKeys) {
  const { box, text: span } = measuringBox();
  box.style.fontSize = points + 'pt';
  box.style.fontWeight = bold ? 'bold' : 'normal';
  box.style.whiteSpace = singleLine ? 'nowrap' : 'pre-wrap';
  box.style.width = singleLine ? 'max-content' : width + 'px';
  span.textContent = accessKeys ? text.replace(/&(&?)/g, (m, second) => second) : text;
  const height = box.getBoundingClientRect().height;
  // Lines broken to `width` are as wide as the box unless a word sticks out of it; what the
  // box would scroll is what the control would cut (blanks hanging at a break are not: they
  // are not drawn). One line is as wide as its text. A fraction of a pixel of rounding is not
  // a pixel more.
  const across = singleLine ? span.getBoundingClientRect().width : box.scrollWidth;
  return [Math.ceil(across - 0.01), Math.ceil(height - 0.01)];
}

// The distance from one line to the next at `points`, in whole CSS pixels.
function captionLineSpacing(points, bold) {
  const [, one] = measureCaption('X', points, bold, 1000, false, false);
  const [, two] = measureCaption('X\nX', points, bold, 1000, false, false);
  return Math.max(1, two - one);
}

// The room for a caption inside a control's element of `width` x `height` CSS pixels, as
// [width, height] in whole pixels: what its border and padding leave, beside a check box's or
// option's box, and for a frame's title what its indent leaves with as much again on the
// right. Read once per kind of control (and name, for the result box's own style) from an
// element built as create() builds it.
function captionRoom(kind, name, width, height) {
  const key = kind + ' ' + name;
  let insets = measuring.insets.get(key);
  if (!insets) {
    const probe = document.createElement(kind === 'button' ? 'button'
      : kind === 'checkbox' || kind === 'option' ? 'label' : 'div');
    probe.className = 'control' + (kind === 'frame' ? ' frame' : kind === 'label' ? ' label' : '');
    probe.dataset.control = name;
    probe.style.visibility = 'hidden';
    let inner = null;
    if (kind === 'checkbox' || kind === 'option') {
      inner = document.createElement('input');
      inner.type = kind === 'checkbox' ? 'checkbox' : 'radio';
      probe.append(inner, document.createElement('span'));
    } else if (kind === 'frame') {
      inner = document.createElement('span');
      inner.className = 'caption';
      probe.append(inner);
    }
    document.getElementById('window').append(probe);
    const px = (value) => parseFloat(value) || 0;
    const style = getComputedStyle(probe);
    let across = px(style.borderLeftWidth) + px(style.paddingLeft) + px(style.paddingRight) +
      px(style.borderRightWidth);
    const down = px(style.borderTopWidth) + px(style.paddingTop) + px(style.paddingBottom) +
      px(style.borderBottomWidth);
    if (kind === 'checkbox' || kind === 'option') {
      const box = getComputedStyle(inner);
      across += inner.offsetWidth + px(box.marginLeft) + px(box.marginRight) + px(style.columnGap);
    } else if (kind === 'frame') {
      const title = getComputedStyle(inner);
      across += 2 * px(title.left) + px(title.paddingLeft) + px(title.paddingRight);
    }
    probe.remove();
    insets = [across, down];
    measuring.insets.set(key, insets);
  }
  // A fraction of a pixel of room is no room.
  return [Math.max(0, Math.floor(width - insets[0] + 0.01)), Math.max(0, Math.floor(height - insets[1] + 0.01))];
}

// Once the web fonts are there (and when Ctrl+Plus/Minus changes the pixels text is drawn
// in), every caption is measured again.
let fittedPixelRatio = window.devicePixelRatio || 1;
async function refitCaptions() {
  await Promise.all(['8pt "VNT Sans Condensed"', 'bold 8pt "VNT Sans Condensed"']
    .map((font) => document.fonts.load(font).catch(() => [])));
  await document.fonts.ready;
  fittedPixelRatio = window.devicePixelRatio || 1;
  module._vnt_refit();
  render();
}
// For the layout test: each control's caption as the model gives it and as it is drawn, and
// whether it is on screen.
window.vntCaptions = () => views.map(({ element, state: c }) => ({ name: c.name, index: c.index,
  kind: c.kind, pointSize: c.pointSize, caption: c.caption, shown: c.shown, points: c.points, onScreen: element.offsetParent !== null }));
function refitOnZoom() {
  if ((window.devicePixelRatio || 1) === fittedPixelRatio) return;
  // Not while a click waits in a message box: the model is in the middle of it.
  if (busy) {
    setTimeout(refitOnZoom, 250);
    return;
  }
  fittedPixelRatio = window.devicePixelRatio || 1;
  module._vnt_refit();
  render();
}

const LOGO_SVG = `<svg viewBox="0 0 100 58" role="img" aria-label="VNT logo">
<rect x="0.5" y="0.5" width="99" height="57" rx="6" fill="#2E7D32" stroke="#1E4D2B"/>
<polygon points="29,50 49.9,29.1 29,8.2 8.1,29.1" fill="#B5834F"/>
<polygon points="29,44.2 44.1,29.1 29,14 13.9,29.1" fill="#43A047"/>
<circle cx="29" cy="29.1" r="2.9" fill="#B5834F"/>
<polygon points="29,50 49.9,29.1 29,8.2 8.1,29.1" fill="none" stroke="#fff" stroke-width="1.2"/>
<g font-family="VNT Sans, sans-serif" font-weight="bold" font-size="17" text-anchor="middle">
<text x="75" y="36" fill="#102A14">VNT</text><text x="74" y="35" fill="#fff">VNT</text></g></svg>`;

function place(element, c) {
  element.style.left = c.left / TWIPS_PER_PX + 'px';
  element.style.top = c.top / TWIPS_PER_PX + 'px';
  element.style.width = c.width / TWIPS_PER_PX + 'px';
  element.style.height = c.height / TWIPS_PER_PX + 'px';
}

function create(c, id, all) {
  let element;
  switch (c.kind) {
    case 'button':
      element = document.createElement('button');
      element.type = 'button';
      break;
    case 'checkbox':
    case 'option': {
      element = document.createElement('label');
      const input = document.createElement('input');
      input.type = c.kind === 'checkbox' ? 'checkbox' : 'radio';
      // No shared name: the model keeps one option of a group selected, and each option is a
      // Tab stop of its own, as on the desktop.
      element.append(input, document.createElement('span'));
      break;
    }
    case 'frame': {
      element = document.createElement('div');
      const holdsOptions = all.some((o) => o.container === id && o.kind === 'option');
      element.setAttribute('role', holdsOptions ? 'radiogroup' : 'group');
      // Named by the model's rule (the caption as written), not by the title as drawn, which
      // may be cut.
      const caption = document.createElement('span');
      caption.className = 'caption';
      caption.setAttribute('aria-hidden', 'true');
      element.append(caption);
      element.classList.add('frame');
      break;
    }
    case 'list':
      element = document.createElement('ul');
      element.setAttribute('role', 'list');
      element.classList.add('list');
      break;
    case 'image':
      element = document.createElement('div');
      element.innerHTML = LOGO_SVG;
      element.classList.add('image');
      break;
    default:
      element = document.createElement('div');
      element.classList.add('label');
      if (c.announces) element.setAttribute('aria-live', 'polite');
  }
  if (c.kind === 'list') {
    // The history is announced as it grows: only the added lines.
    element.setAttribute('aria-live', 'polite');
    element.setAttribute('aria-relevant', 'additions');
  }
  element.classList.add('control');
  element.dataset.control = c.name;
  if (c.index >= 0) element.dataset.index = String(c.index);
  if (c.pointSize > 0) element.style.fontSize = c.pointSize + 'pt';
  if (c.bold) element.style.fontWeight = 'bold';
  return element;
}

// Sends the player's clicks on a control's element to the model.
function listen(element, c, id) {
  if (c.kind !== 'button' && c.kind !== 'checkbox' && c.kind !== 'option') return;
  element.addEventListener('click', (event) => {
    // The model decides what a click changes; the element shows the model's state. A click
    // on a label's text would click its box a second time: stop that one. A click on the box
    // itself (mouse, Space) is left alone, since a cancelled click puts the box back after
    // the page has drawn the model's value.
    if (!(event.target instanceof HTMLInputElement)) event.preventDefault();
    click(id);
  });
}

// The element the page was built with for a control (the window as the program starts on
// the samples, drawn into index.html when the page is built, so it shows before the program
// has loaded), taken over as it is; none when the page has no such element.
function prerendered(root, c) {
  if (!root.dataset.prerendered) return null;
  const found = root.querySelector(`[data-control="${c.name}"]` +
    (c.index >= 0 ? `[data-index="${c.index}"]` : ':not([data-index])'));
  // Its lines come from the model like everything else.
  if (found && c.kind === 'list') found.replaceChildren();
  return found;
}

// Brings one element up to the control's state, touching only what differs.
function update(view, c) {
  const old = view.state || {};
  const e = view.element;
  if (old.visible !== c.visible) e.hidden = !c.visible;
  // Each chart arranges the shared frames its own way.
  if (old.left !== c.left || old.top !== c.top || old.width !== c.width || old.height !== c.height) {
    place(e, c);
  }
  const focusable = focusTarget(view);
  if (focusable && old.tab !== c.tab) focusable.tabIndex = c.tab > 0 ? c.tab : -1;
  if (old.accessibleName !== c.accessibleName) {
    const key = accessKey(c);
    if (c.kind === 'button' || c.kind === 'list' || c.kind === 'frame' || c.announces) {
      e.setAttribute('aria-label', c.accessibleName);
    } else if (c.kind === 'checkbox' || c.kind === 'option') {
      e.firstChild.setAttribute('aria-label', c.accessibleName);
    }
    if (focusable) {
      if (key) focusable.setAttribute('aria-keyshortcuts', 'Alt+' + key.toUpperCase());
      else focusable.removeAttribute('aria-keyshortcuts');
    }
  }
  // The caption as the model fitted it: at its size, cut where even the smallest did not fit.
  if (old.shown !== c.shown || old.points !== c.points) {
    const drawn = c.kind === 'checkbox' || c.kind === 'option' ? e.lastChild
      : c.kind === 'frame' ? e.firstChild : e;
    if (c.kind === 'label') e.textContent = c.shown;
    else if (c.kind !== 'list' && c.kind !== 'image') drawn.replaceChildren(...captionNodes(c.shown));
    if (c.kind !== 'list' && c.kind !== 'image') drawn.style.fontSize = c.points + 'pt';
  }
  if (old.enabled !== c.enabled) {
    if (c.kind === 'button') e.disabled = !c.enabled;
    if (c.kind === 'checkbox' || c.kind === 'option') {
      e.firstChild.disabled = !c.enabled;
      e.classList.toggle('disabled', !c.enabled);
    }
    if (c.kind === 'frame') e.setAttribute('aria-disabled', String(!c.enabled));
  }
  if ((c.kind === 'checkbox' || c.kind === 'option') && e.firstChild.checked !== c.value) {
    e.firstChild.checked = c.value;
  }
  if (old.backColor !== c.backColor) {
    e.style.backgroundColor = c.backColor === null ? ''
      : '#' + c.backColor.toString(16).padStart(6, '0');
  }
  if (c.kind === 'list' && JSON.stringify(old.items) !== JSON.stringify(c.items)) {
    // The model's rule: lines go from the top, the new ones come at the bottom.
    for (let i = 0; i < c.dropped && e.firstChild; ++i) e.firstChild.remove();
    e.append(...c.items.slice(c.firstNew).map((line) => {
      const li = document.createElement('li');
      li.textContent = line;
      return li;
    }));
  }
  view.state = c;
}

// The element that takes the keyboard focus for a control: the button, or the box of a
// check box or option button.
function focusTarget(view) {
  const e = view.element;
  if (e instanceof HTMLButtonElement) return e;
  if (e.firstChild instanceof HTMLInputElement) return e.firstChild;
  return null;
}

// The access key a caption marks with a single '&', lower-case, or ''.
function accessKey(c) {
  if (c.literal || c.kind === 'label' || c.kind === 'list') return '';
  const m = /(?:^|[^&])(?:&&)*&([^&])/.exec(c.caption);
  return m ? m[1].toLowerCase() : '';
}

// The control a view belongs to, by its id in the model's list.
function idOfElement(element) {
  const holder = element && element.closest && element.closest('[data-control]');
  if (!holder) return -1;
  return views.findIndex((v) => v && v.element === holder);
}

function reachable(id) {
  for (let at = id; at >= 0; at = views[at].state.container) {
    const c = views[at].state;
    if (!c.visible || !c.enabled) return false;
  }
  return true;
}

function readState() {
  return JSON.parse(module.UTF8ToString(module._vnt_state()));
}

// Draws what the model changed since the last time: after a start every control comes, frames
// before their contents, so a container's element is made before what it holds.
function render() {
  const state = readState();
  if (document.title !== state.title) document.title = state.title;
  const root = document.getElementById('window');
  for (const c of state.controls) {
    if (!views[c.id]) {
      let element = prerendered(root, c);
      if (!element) {
        element = create(c, c.id, state.controls);
        (c.container >= 0 ? views[c.container].element : root).append(element);
      }
      listen(element, c, c.id);
      views[c.id] = { element, state: null };
    }
    update(views[c.id], c);
  }
}

async function click(id) {
  if (busy) return;
  busy = true;
  document.body.dataset.busy = 'true';
  let next = -1;
  try {
    next = await module.ccall('vnt_click', 'number', ['number', 'number'],
      [id, idOfElement(document.activeElement)], { async: true });
  } finally {
    busy = false;
    closeDieBox();
    render();
    // The click hid or disabled the focused control: the model says where the focus goes.
    if (next >= 0 && views[next]) focusTarget(views[next])?.focus();
    if (oddsShown()) showOdds();
    if (logShown()) refreshLog();
    keepGameSoon();
    delete document.body.dataset.busy;
  }
}

// --- Season files the player opens ------------------------------------------------------
// They are copied into the program's own file system (the player's files are only read) and
// kept in the browser (IndexedDB) for the next visit. A file larger than the reader takes is
// kept as its name only, in a form the reader refuses as it refuses such a file on the
// desktop, so it gets the same diagnosis.
const SEASON_FILE = /^(19[7-9][0-9]|20[0-2][0-9])(deep|bpe|weather|cplay)\.vnt$/i;
const MAX_SEASON_FILE = 4 * 1024 * 1024;
const USER_FOLDER = '/user-seasons';

function seasonStore(mode, work, storeName = 'seasons') {
  return new Promise((resolve, reject) => {
    // Version 2 adds the game kept between visits.
    const open = indexedDB.open('vnt-assistant', 2);
    open.onupgradeneeded = () => {
      for (const name of ['seasons', 'games']) {
        if (!open.result.objectStoreNames.contains(name)) open.result.createObjectStore(name);
      }
    };
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const db = open.result;
      const tx = db.transaction(storeName, mode);
      const request = work(tx.objectStore(storeName));
      tx.oncomplete = () => { db.close(); resolve(request.result); };
      tx.onerror = () => { db.close(); reject(tx.error); };
    };
  });
}
const keptSeasonFiles = () => seasonStore('readonly', (store) => store.get('files'));
const keepSeasonFiles = (files) => seasonStore('readwrite', (store) => store.put(files, 'files'));
const forgetSeasonFiles = () => seasonStore('readwrite', (store) => store.delete('files'));
// The game so far, as a game file's text, kept after each roll and New Game.
const keptGame = () => seasonStore('readonly', (store) => store.get('current'), 'games');
const keepGame = (text) => seasonStore('readwrite', (store) => store.put(text, 'current'), 'games');
let keptRevision = -1;
function keepGameIfChanged() {
  const revision = module._vnt_log_revision();
  if (revision === keptRevision) return Promise.resolve();
  keptRevision = revision;
  return keepGame(module.UTF8ToString(module._vnt_log_file())).catch(() => {});
}
// After a roll the game is kept once the result is on screen: writing out a long evening's
// game before the paint made the player wait for it. The page keeps it at once when it is
// hidden or left (no frame comes then); data-keeping is up until the browser has it.
let keepPending = false;
function keepGameSoon() {
  if (keepPending) return;
  keepPending = true;
  document.body.dataset.keeping = 'true';
  afterPaint(keepGameNow);
}
function keepGameNow() {
  if (!keepPending) return;
  keepPending = false;
  keepGameIfChanged().finally(() => { if (!keepPending) delete document.body.dataset.keeping; });
}

// Starts the program on the given files ([{name, data}], data null for a file too large), or
// on the built-in samples; says which seasons are not offered, and why.
function startOn(files) {
  const FS = module.FS;
  let folder = '/seasons';
  if (files) {
    folder = USER_FOLDER;
    try { FS.mkdir(folder); } catch (e) { /* there */ }
    for (const name of FS.readdir(folder)) {
      if (name === '.' || name === '..') continue;
      const p = folder + '/' + name;
      if (FS.isDir(FS.stat(p).mode)) FS.rmdir(p); else FS.unlink(p);
    }
    for (const f of files) {
      if (f.data) FS.writeFile(folder + '/' + f.name, new Uint8Array(f.data));
      else FS.mkdir(folder + '/' + f.name);
    }
  }
  module.ccall('vnt_start', 'number', ['string'], [folder]);
  render();
  // A new model: its log's revision counts afresh.
  if (logShown()) refreshLog(true);
  document.getElementById('sample-seasons').hidden = !files;
  const source = document.getElementById('season-source');
  if (!files) {
    // The samples are checked when the program is built; they need no report.
    source.textContent = 'Sample seasons';
    showSeasonReport([]);
    return;
  }
  // The check reads every file again: it comes once the window is on screen.
  source.textContent = 'Checking your season files…';
  const started = ++starts;
  afterPaint(() => {
    if (started !== starts) return;
    const lines = module.UTF8ToString(module._vnt_season_report()).split('\n').filter(Boolean);
    source.textContent = `Your season files (${files.length})`;
    showSeasonReport(lines.filter((line) => !/^\d{4} {2}offered$/.test(line)));
  });
}
let starts = 0;

// Runs `work` once the browser has painted what is drawn now (at once in a hidden page, where
// no frame comes).
function afterPaint(work) {
  if (document.hidden) work();
  else requestAnimationFrame(() => setTimeout(work, 0));
}

function showSeasonReport(lines) {
  const report = document.getElementById('season-report');
  report.replaceChildren(...lines.map((line) => {
    const li = document.createElement('li');
    li.textContent = line;
    return li;
  }));
  report.hidden = lines.length === 0;
}

async function openSeasonFiles(picked) {
  if (busy) return;
  const chosen = new Map();
  for (const file of picked) {
    if (!SEASON_FILE.test(file.name)) continue;
    chosen.set(file.name, file.size > MAX_SEASON_FILE ? null : await file.arrayBuffer());
  }
  if (chosen.size === 0) {
    showSeasonReport(['No season files (1972..2025) among the files opened']);
    return;
  }
  const files = [...chosen].map(([name, data]) => ({ name, data }));
  startOn(files);
  await keepSeasonFiles(files).catch(() => {});
}

// The Odds panel beside the window: F2 or the Odds button opens and closes it.
function oddsShown() {
  return !document.getElementById('odds').hidden;
}
function showOdds() {
  document.getElementById('odds-text').textContent = module.UTF8ToString(module._vnt_odds());
}
function toggleOdds() {
  const panel = document.getElementById('odds');
  panel.hidden = !panel.hidden;
  document.getElementById('odds-button').setAttribute('aria-expanded', String(!panel.hidden));
  if (!panel.hidden) showOdds();
  settings.odds = !panel.hidden;
  keepSettings();
  fitWindow();
}

// The Game Log panel beside the window: F3 or the Game Log button opens and closes it. It is
// redrawn only when the log's revision changed (or the search did).
let logRevision = -1;
let logStale = false;  // the search changed while a click was running
function logShown() {
  return !document.getElementById('game-log').hidden;
}
function refreshLog(force = false) {
  // The model is busy inside a click (a box is up): the click's end redraws the panel.
  if (busy) {
    logStale = logStale || force;
    return;
  }
  const revision = module._vnt_log_revision();
  if (!force && !logStale && revision === logRevision) return;
  logStale = false;
  logRevision = revision;
  const [outcome, roll] = module.UTF8ToString(module._vnt_log_latest()).split('\n');
  document.getElementById('log-latest').textContent = outcome || 'No rolls yet';
  document.getElementById('log-latest-roll').textContent = roll || '';
  const query = document.getElementById('log-search').value;
  const rolls = JSON.parse(module.UTF8ToString(
    module.ccall('vnt_log_entries', 'number', ['string'], [query])));
  drawRolls(document.getElementById('log-text'), rolls);
}
// A block per roll, a blank line between rolls (as the plain text has them). Only the blocks
// whose roll changed are touched: laying out a long evening's log anew after every roll took
// tens of milliseconds.
function drawRolls(list, rolls) {
  let changed = false;
  rolls.forEach((roll, i) => {
    const text = (i > 0 ? '\n' : '') + roll;
    const block = list.children[i];
    if (!block) {
      const made = document.createElement('div');
      made.textContent = text;
      list.append(made);
      changed = true;
    } else if (block.textContent !== text) {
      block.textContent = text;
      changed = true;
    }
  });
  while (list.children.length > rolls.length) {
    list.lastElementChild.remove();
    changed = true;
  }
  // Newest at the bottom, and in view.
  if (changed) list.scrollTop = list.scrollHeight;
}
function toggleLog() {
  const panel = document.getElementById('game-log');
  panel.hidden = !panel.hidden;
  document.getElementById('log-button').setAttribute('aria-expanded', String(!panel.hidden));
  if (!panel.hidden) refreshLog(true);
  settings.gameLog = !panel.hidden;
  keepSettings();
  fitWindow();
}
// Copy: the selection within the rolls, else every roll shown.
async function copyLog() {
  const list = document.getElementById('log-text');
  const selection = window.getSelection();
  const selected = selection && !selection.isCollapsed && list.contains(selection.anchorNode)
    ? selection.toString() : '';
  const text = selected || list.textContent;
  if (navigator.clipboard && navigator.clipboard.writeText) {
    try {
      await navigator.clipboard.writeText(text);
      return;
    } catch (e) { /* not allowed here: the old way below */ }
  }
  const area = document.createElement('textarea');
  area.value = text;
  document.body.append(area);
  area.select();
  document.execCommand('copy');
  area.remove();
}
// "Save as plain text": the whole game, whatever the search shows.
function saveLog() {
  if (busy) return;
  const all = module.UTF8ToString(module.ccall('vnt_log_text', 'number', ['string'], ['']));
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([all], { type: 'text/plain' }));
  link.download = 'game-log.txt';
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}
function newGame() {
  if (busy) return;
  module._vnt_new_game();
  refreshLog(true);
  keepGameIfChanged();
}

// What the page remembers between visits, kept in the browser as the desktop's settings text
// (the model reads and writes it): "Roll my own dice", the zoom, and whether the Odds and
// Game Log panels are open. A text the model cannot read leaves each setting at its default.
const SETTINGS_KEY = 'vnt-assistant.settings';
// Where the page kept "Roll my own dice" before it kept the settings text.
const OLD_OWN_DICE_KEY = 'vnt-assistant.ownDice';
let settings = null;  // {ownDice, zoom, odds, gameLog}

// Calls `work` with `text` on the heap: a foreign value can be more than the stack holds.
function withText(text, work) {
  const size = module.lengthBytesUTF8(text) + 1;
  const at = module._malloc(size);
  if (!at) return work(0);
  module.stringToUTF8(text, at, size);
  try { return work(at); } finally { module._free(at); }
}
function readSettings() {
  let text = null;
  let oldOwnDice = null;
  try {
    text = localStorage.getItem(SETTINGS_KEY);
    oldOwnDice = localStorage.getItem(OLD_OWN_DICE_KEY);
  } catch (e) { /* storage not allowed here: the defaults */ }
  settings = JSON.parse(module.UTF8ToString(
    withText(typeof text === 'string' ? text : '', (at) => module._vnt_settings_parse(at))));
  if (oldOwnDice !== null) {
    // The settings text, when there is one, is newer than the old key.
    if (text === null) settings.ownDice = oldOwnDice === 'on';
    if (keepSettings()) {
      try { localStorage.removeItem(OLD_OWN_DICE_KEY); } catch (e) { /* kept both */ }
    }
  }
}
// Keeps the settings; false when the browser would not.
function keepSettings() {
  const text = module.UTF8ToString(module._vnt_settings_format(settings.ownDice ? 1 : 0,
    settings.zoom, settings.odds ? 1 : 0, settings.gameLog ? 1 : 0));
  try {
    localStorage.setItem(SETTINGS_KEY, text);
    return true;
  } catch (e) {
    return false;
  }
}
function setOwnDice(on) {
  module._vnt_set_own_dice(on ? 1 : 0);
  settings.ownDice = on;
  keepSettings();
}

// The die box: resolves to the text typed (OK, Enter) or null ("Roll for me", Escape). The
// model reads the text; a refusal comes back here with the box still up and the text kept.
let dieBoxFocus = null;  // what had the focus before the box opened
function askDie(chart, asked, range, refusal, lower, upper) {
  return new Promise((resolve) => {
    const overlay = document.getElementById('die-overlay');
    const entry = document.getElementById('die-entry');
    const ok = document.getElementById('die-ok');
    const roll = document.getElementById('die-roll');
    const refused = document.getElementById('die-refusal');
    if (overlay.hidden) dieBoxFocus = document.activeElement;
    // A new die (not the same one asked again after a refusal): an empty entry.
    if (refusal === '') {
      entry.value = '';
      const choices = document.getElementById('die-choices');
      const options = [];
      for (let v = lower; v <= upper && options.length < 200; ++v) {
        const o = document.createElement('option');
        o.value = String(v);
        options.push(o);
      }
      choices.replaceChildren(...options);
    }
    document.getElementById('die-chart').textContent = chart;
    document.getElementById('die-asked').textContent = asked;
    entry.placeholder = range;
    entry.setAttribute('aria-label', 'Die rolled, ' + range);
    refused.textContent = refusal;
    refused.hidden = refusal === '';
    const inside = [entry, ok, roll];
    const onKey = (event) => {
      if (event.key === 'Enter' && event.target !== roll) {
        event.preventDefault();
        finish(entry.value);
      } else if (event.key === 'Escape') {
        event.preventDefault();
        finish(null);
      } else if (event.key === 'Tab') {
        event.preventDefault();
        const at = inside.indexOf(document.activeElement);
        const step = event.shiftKey ? -1 : 1;
        inside[(at + step + inside.length) % inside.length].focus();
      }
    };
    const onOk = () => finish(entry.value);
    const onRoll = () => finish(null);
    function finish(answer) {
      document.removeEventListener('keydown', onKey, true);
      ok.removeEventListener('click', onOk);
      roll.removeEventListener('click', onRoll);
      // The box stays up while the model reads the entry: a refusal or the click's next die
      // comes back to it; a message box or the click's end closes it.
      if (answer === null) closeDieBox();
      resolve(answer);
    }
    document.addEventListener('keydown', onKey, true);
    ok.addEventListener('click', onOk);
    roll.addEventListener('click', onRoll);
    overlay.hidden = false;
    entry.focus();
    entry.select();
  });
}
function closeDieBox() {
  const overlay = document.getElementById('die-overlay');
  if (overlay.hidden) return;
  overlay.hidden = true;
  if (dieBoxFocus && dieBoxFocus.focus) dieBoxFocus.focus();
  dieBoxFocus = null;
}

// The scale the window is drawn at: the zoom the player picked (Ctrl+Plus/=, Ctrl+Minus,
// Ctrl+0 or the zoom buttons, through the model's steps), at most as large as fits the
// browser's area, so the window is never cut off. Until the player picks one, the page keeps
// the largest zoom: the window fills the area. On a touch screen at least the scale that makes
// the smallest control a 32 px tap target (the page then scrolls). The browser's own zoom (its
// menu, Ctrl+wheel) changes devicePixelRatio: the drawing scales with it, as the player asked
// of the browser. Pinch zoom works on the drawn page as on any other.
const firstPixelRatio = window.devicePixelRatio || 1;
const TAP_TARGET = 32;
function scaleAt(percent) {
  const app = document.getElementById('app');
  let scale = module._vnt_zoom_fitted_scale(percent, app.offsetWidth, app.offsetHeight,
    document.documentElement.clientWidth, window.innerHeight);
  const touch = navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches;
  if (touch) {
    const smallest = Math.min(...views.filter((v) => ['button', 'checkbox', 'option'].includes(v.state.kind))
      .map((v) => v.state.height / TWIPS_PER_PX));
    if (smallest > 0 && smallest < Infinity) scale = Math.max(scale, TAP_TARGET / smallest);
  }
  return scale;
}
// The zoom as drawn, in whole percent: what the zoom keys step from.
const drawnPercent = () => Math.round(scaleAt(settings.zoom) * 100);
function fitWindow() {
  const app = document.getElementById('app');
  const scaler = document.getElementById('scaler');
  const width = app.offsetWidth;
  const height = app.offsetHeight;
  if (!width || !height || !settings) return;
  const drawn = scaleAt(settings.zoom);
  const scale = drawn * (window.devicePixelRatio || 1) / firstPixelRatio;
  app.style.transform = `scale(${scale})`;
  scaler.style.width = Math.floor(width * scale) + 'px';
  scaler.style.height = Math.floor(height * scale) + 'px';
  document.body.dataset.scale = String(scale);
  document.body.dataset.zoom = String(settings.zoom);
  const percent = Math.round(drawn * 100);
  const shown = document.getElementById('zoom-reset');
  shown.textContent = percent + '\u00a0%';
  shown.setAttribute('aria-label', `Zoom ${percent} %, back to ${module._vnt_zoom_default()} %`);
  const focused = document.activeElement;
  document.getElementById('zoom-in').disabled = !zoomChanges(true);
  document.getElementById('zoom-out').disabled = !zoomChanges(false);
  // A zoom button pressed to the end of its way keeps the focus in the group.
  if (focused && focused.disabled && focused.parentElement === shown.parentElement) shown.focus();
}
// The zoom one step larger or smaller than drawn, or null when the drawing could not follow
// (no room for larger, the end of the range, the touch screen's minimum): then nothing changes.
function zoomStep(larger) {
  const percent = drawnPercent();
  const next = larger ? module._vnt_zoom_larger(percent) : module._vnt_zoom_smaller(percent);
  const now = scaleAt(settings.zoom);
  const then = scaleAt(next);
  return (larger ? then > now + 1e-6 : then < now - 1e-6) ? next : null;
}
const zoomChanges = (larger) => zoomStep(larger) !== null;
function zoomTo(percent) {
  if (percent === null) return;
  settings.zoom = module._vnt_zoom_clamp(percent);
  keepSettings();
  fitWindow();
}
// Ctrl+Plus (or Ctrl+=), Ctrl+Minus and Ctrl+0, as on the desktop; true when it was one.
function zoomKey(event) {
  if (!(event.ctrlKey || event.metaKey) || event.altKey) return false;
  if (event.key === '+' || event.key === '=') zoomTo(zoomStep(true));
  else if (event.key === '-') zoomTo(zoomStep(false));
  else if (event.key === '0') zoomTo(module._vnt_zoom_default());
  else return false;
  event.preventDefault();
  return true;
}

// Alt+letter presses the control whose caption marks that letter, as on the desktop; a
// frame's key goes to the first control inside it the player can reach.
function onKey(event) {
  // Zooming touches no control: it works while a click waits in a box too.
  if (zoomKey(event)) return;
  if (busy || !document.getElementById('overlay').hidden) return;
  if (event.key === 'F2') {
    event.preventDefault();
    toggleOdds();
    return;
  }
  if (event.key === 'F3') {
    event.preventDefault();
    toggleLog();
    return;
  }
  if (!event.altKey || event.ctrlKey || event.metaKey || event.key.length !== 1) return;
  const key = event.key.toLowerCase();
  const order = views.map((v, id) => id).filter((id) => views[id].state.tab > 0)
    .sort((a, b) => views[a].state.tab - views[b].state.tab);
  let target = -1;
  for (let id = 0; id < views.length && target < 0; ++id) {
    const c = views[id].state;
    if (accessKey(c) !== key || !reachable(id)) continue;
    if (c.kind === 'frame') {
      target = order.find((inner) => views[inner].state.container === id && reachable(inner)) ?? -1;
    } else if (c.tab > 0) {
      target = id;
    }
  }
  if (target < 0) return;
  event.preventDefault();
  focusTarget(views[target])?.focus();
  click(target);
}

// The model's message box as an in-page dialog: resolves to 1 for OK/Yes, 0 for No.
// Enter takes the first button, Escape the last; Tab keeps the focus inside.
function showDialog(text, title, yesNo) {
  closeDieBox();
  return new Promise((resolve) => {
    const overlay = document.getElementById('overlay');
    const dialog = document.getElementById('dialog');
    const buttons = document.getElementById('dialog-buttons');
    const before = document.activeElement;
    dialog.setAttribute('role', yesNo ? 'alertdialog' : 'dialog');
    document.getElementById('dialog-title').textContent = title;
    document.getElementById('dialog-text').textContent = text;
    const choices = yesNo ? [['Yes', 1], ['No', 0]] : [['OK', 1]];
    const made = choices.map(([caption, answer]) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = caption;
      b.dataset.answer = caption;
      b.addEventListener('click', () => finish(answer));
      return b;
    });
    buttons.replaceChildren(...made);
    const onKey = (event) => {
      if (event.key === 'Enter' && !(document.activeElement instanceof HTMLButtonElement)) {
        event.preventDefault();
        finish(choices[0][1]);
      } else if (event.key === 'Escape') {
        event.preventDefault();
        finish(choices[choices.length - 1][1]);
      } else if (event.key === 'Tab') {
        event.preventDefault();
        const at = made.indexOf(document.activeElement);
        const step = event.shiftKey ? -1 : 1;
        made[(at + step + made.length) % made.length].focus();
      }
    };
    function finish(answer) {
      document.removeEventListener('keydown', onKey, true);
      overlay.hidden = true;
      if (before && before.focus) before.focus();
      resolve(answer);
    }
    document.addEventListener('keydown', onKey, true);
    overlay.hidden = false;
    made[0].focus();
  });
}

// The program starts when the page has loaded; the page's build draws the window from here
// without starting it (see prerender.mjs).
if (!globalThis.vntPrerendering) (async () => {
  module = await createVntAssistant({
    showDialog, askDie, measureCaption, captionLineSpacing, captionRoom,
  });
  readSettings();
  module._vnt_set_own_dice(settings.ownDice ? 1 : 0);
  const kept = await keptSeasonFiles().catch(() => null);
  if (kept && kept.length) startOn(kept);
  else startOn(null);
  // For the benchmark: when the program has taken the window over.
  performance.mark('vnt-program-running');
  // The game of the last visit, taken up again.
  const game = await keptGame().catch(() => null);
  if (typeof game === 'string') {
    // On the heap: a long evening's game is more than the stack holds.
    const size = module.lengthBytesUTF8(game) + 1;
    const text = module._malloc(size);
    if (text) {
      module.stringToUTF8(game, text, size);
      module._vnt_log_restore(text);
      module._free(text);
    }
  }
  keptRevision = module._vnt_log_revision();
  // The panels open at the last visit's end open again.
  if (settings.odds) toggleOdds();
  if (settings.gameLog) toggleLog();
  document.addEventListener('keydown', onKey);
  document.addEventListener('visibilitychange', () => { if (document.hidden) keepGameNow(); });
  window.addEventListener('pagehide', keepGameNow);
  fitWindow();
  window.addEventListener('resize', fitWindow);
  document.getElementById('odds-button').addEventListener('click', toggleOdds);
  document.getElementById('log-button').addEventListener('click', toggleLog);
  document.getElementById('log-search').addEventListener('input', () => refreshLog(true));
  document.getElementById('log-copy').addEventListener('click', copyLog);
  document.getElementById('log-save').addEventListener('click', saveLog);
  document.getElementById('log-new-game').addEventListener('click', newGame);
  const ownDice = document.getElementById('own-dice');
  ownDice.checked = settings.ownDice;
  document.getElementById('zoom-in').addEventListener('click', () => zoomTo(zoomStep(true)));
  document.getElementById('zoom-out').addEventListener('click', () => zoomTo(zoomStep(false)));
  document.getElementById('zoom-reset').addEventListener('click',
    () => zoomTo(module._vnt_zoom_default()));
  ownDice.addEventListener('change', () => setOwnDice(ownDice.checked));
  for (const id of ['season-files', 'season-folder']) {
    const input = document.getElementById(id);
    input.addEventListener('change', () => { openSeasonFiles([...input.files]); input.value = ''; });
  }
  document.getElementById('sample-seasons').addEventListener('click', () => {
    forgetSeasonFiles().catch(() => {});
    startOn(null);
  });
  await refitCaptions();
  window.addEventListener('resize', refitOnZoom);
  fitWindow();
  window.vntQueueRolls = (...values) => values.forEach((v) => module._vnt_queue_roll(v));
  // For the benchmark: the odds as the panel would show them now.
  window.vntOddsText = () => module.UTF8ToString(module._vnt_odds());
  document.body.dataset.ready = 'true';
  // Served over http(s): kept for playing offline. The one-file page opened from disk has all
  // it needs inside already.
  if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
