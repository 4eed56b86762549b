// Season files the player opens, and the browser's store (IndexedDB) for them and the game.
// They are copied into the program's own file system (the player's files are only read) and
// kept in the browser (IndexedDB) for the next visit. A file larger than the reader takes is
// kept as its name only, in a form the reader refuses as it refuses such a file on the
// desktop, so it gets the same diagnosis.

import { page } from './state.js';
import { render } from './window.js';
import { logShown, refreshLog } from './panels.js';
import { fitWindow } from './settings.js';

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
export const keptSeasonFiles = () => seasonStore('readonly', (store) => store.get('files'));
export const keepSeasonFiles = (files) => seasonStore('readwrite', (store) => store.put(files, 'files'));
export const forgetSeasonFiles = () => seasonStore('readwrite', (store) => store.delete('files'));
// The game so far, as a game file's text, kept after each roll and New Game.
export const keptGame = () => seasonStore('readonly', (store) => store.get('current'), 'games');
const keepGame = (text) => seasonStore('readwrite', (store) => store.put(text, 'current'), 'games');
let keptRevision = -1;
// The game as the program holds it now is the one kept (taken up from the browser's store).
export function markGameKept() {
  keptRevision = page.module._vnt_log_revision();
}
export function keepGameIfChanged() {
  const revision = page.module._vnt_log_revision();
  if (revision === keptRevision) return Promise.resolve();
  keptRevision = revision;
  return keepGame(page.module.UTF8ToString(page.module._vnt_log_file())).catch(() => {});
}
// After a roll the game is kept once the result is on screen: writing out a long evening's
// game before the paint made the player wait for it. The page keeps it at once when it is
// hidden or left (no frame comes then); data-keeping is up until the browser has it.
let keepPending = false;
export function keepGameSoon() {
  if (keepPending) return;
  keepPending = true;
  document.body.dataset.keeping = 'true';
  afterPaint(keepGameNow);
}
export function keepGameNow() {
  if (!keepPending) return;
  keepPending = false;
  keepGameIfChanged().finally(() => { if (!keepPending) delete document.body.dataset.keeping; });
}

// Starts the program on the given files ([{name, data}], data null for a file too large), or
// on the built-in samples; says which seasons are not offered, and why.
export function startOn(files) {
  page.files = files;
  const FS = page.module.FS;
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
  page.module.ccall('vnt_start', 'number', ['string'], [folder]);
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
    const lines = page.module.UTF8ToString(page.module._vnt_season_report()).split('\n').filter(Boolean);
    source.textContent = `Your season files (${files.length})`;
    showSeasonReport(lines.filter((line) => !/^\d{4} {2}offered$/.test(line)));
  });
}
let starts = 0;

// Runs `work` once the browser has painted what is drawn now (at once in a hidden page, where
// no frame comes).
export function afterPaint(work) {
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
  // The page's scrolled area follows the window's drawn size: refit it, or the report and the
  // buttons it pushed down lie past the bottom, out of reach.
  fitWindow();
}

export async function openSeasonFiles(picked) {
  if (page.busy) return;
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
