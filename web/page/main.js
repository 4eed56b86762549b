// The player's clicks and keys, and the program's start.

import { page, views } from './state.js';
import { focusTarget, accessKey, idOfElement, reachable, render } from './window.js';
import {
  measureCaption, captionLineSpacing, captionRoom, refitCaptions, refitOnZoom,
} from './captions.js';
import {
  keptSeasonFiles, forgetSeasonFiles, keptGame, keepGameSoon, keepGameNow, markGameKept, startOn,
  openSeasonFiles,
} from './seasons.js';
import {
  oddsShown, showOdds, toggleOdds, sheetKey, logShown, refreshLog, toggleLog, copyLog, saveLog, newGame,
} from './panels.js';
import { readSettings, setOwnDice, fitWindow, zoomStep, zoomTo, zoomKey } from './settings.js';
import { askDie, closeDieBox, showDialog } from './boxes.js';

export async function click(id) {
  if (page.busy) return;
  page.busy = true;
  document.body.dataset.busy = 'true';
  let next = -1;
  try {
    next = await page.module.ccall('vnt_click', 'number', ['number', 'number'],
      [id, idOfElement(document.activeElement)], { async: true });
  } finally {
    page.busy = false;
    closeDieBox();
    render();
    // The click hid or disabled the focused control: the model says where the focus goes.
    if (next >= 0 && views[next]) focusTarget(views[next])?.focus();
    if (oddsShown()) showOdds();
    if (logShown()) refreshLog();
    keepGameSoon();
    delete document.body.dataset.busy;
  }
  if (page.module._vnt_ended()) await leave();
}

// The player confirmed Exit. An installed app's window closes; a page in a tab has nothing to
// close, so it says the game is kept and starts again at the first window (the program's own
// start, on the same season files), with the game in the Game Log.
async function leave() {
  keepGameNow();
  if (matchMedia('(display-mode: standalone)').matches) {
    window.close();
    // Still here: the browser would not close it.
  }
  page.busy = true;
  document.body.dataset.busy = 'true';
  try {
    await showDialog('Your game is kept in this browser.\nVNT Assistant starts again.',
      'Exit Assistant', false);
  } finally {
    page.busy = false;
    startOn(page.files);
    // The first window's first Tab stop, as after a fresh load's first Tab.
    const first = views.map((v, id) => id).filter((id) => views[id].state.stop && reachable(id))
      .sort((a, b) => views[a].state.tab - views[b].state.tab)[0];
    if (first !== undefined) focusTarget(views[first])?.focus();
    delete document.body.dataset.busy;
  }
}

// An arrow key on an option moves to the next option of its group and selects it, as in a
// radio group (the model says which): the group is one Tab stop.
const ARROWS = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 };
function onArrow(event) {
  const step = ARROWS[event.key];
  if (!step || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return false;
  const target = event.target;
  if (!(target instanceof HTMLInputElement) || target.type !== 'radio') return false;
  const from = idOfElement(target);
  if (from < 0) return false;
  event.preventDefault();
  const next = page.module._vnt_arrow(from, step);
  if (next < 0) return true;
  focusTarget(views[next])?.focus();
  click(next);
  return true;
}

// Alt+letter presses the control whose caption marks that letter, as on the desktop; a
// frame's key goes to the first control inside it the player can reach.
function onKey(event) {
  // Zooming touches no control: it works while a click waits in a box too.
  if (zoomKey(event)) return;
  if (page.busy || !document.getElementById('overlay').hidden) return;
  if (sheetKey(event)) return;
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
  if (onArrow(event)) return;
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

// The program starts when the page has loaded; the page's build draws the window from here
// without starting it (see prerender.mjs).
if (!globalThis.vntPrerendering) (async () => {
  page.module = await createVntAssistant({
    showDialog, askDie, measureCaption, captionLineSpacing, captionRoom,
  });
  readSettings();
  page.module._vnt_set_own_dice(page.settings.ownDice ? 1 : 0);
  const kept = await keptSeasonFiles().catch(() => null);
  if (kept && kept.length) startOn(kept);
  else startOn(null);
  // For the benchmark: when the program has taken the window over.
  performance.mark('vnt-program-running');
  // The game of the last visit, taken up again.
  const game = await keptGame().catch(() => null);
  if (typeof game === 'string') {
    // On the heap: a long evening's game is more than the stack holds.
    const size = page.module.lengthBytesUTF8(game) + 1;
    const text = page.module._malloc(size);
    if (text) {
      page.module.stringToUTF8(game, text, size);
      page.module._vnt_log_restore(text);
      page.module._free(text);
    }
  }
  markGameKept();
  // The panels open at the last visit's end open again.
  if (page.settings.odds) toggleOdds();
  if (page.settings.gameLog) toggleLog();
  document.addEventListener('keydown', onKey);
  document.addEventListener('visibilitychange', () => { if (document.hidden) keepGameNow(); });
  window.addEventListener('pagehide', keepGameNow);
  fitWindow();
  window.addEventListener('resize', fitWindow);
  document.getElementById('odds-button').addEventListener('click', toggleOdds);
  document.getElementById('log-button').addEventListener('click', toggleLog);
  document.getElementById('odds-close').addEventListener('click', toggleOdds);
  document.getElementById('log-close').addEventListener('click', toggleLog);
  document.getElementById('log-search').addEventListener('input', () => refreshLog(true));
  document.getElementById('log-copy').addEventListener('click', copyLog);
  document.getElementById('log-save').addEventListener('click', saveLog);
  document.getElementById('log-new-game').addEventListener('click', newGame);
  const ownDice = document.getElementById('own-dice');
  ownDice.checked = page.settings.ownDice;
  document.getElementById('zoom-in').addEventListener('click', () => zoomTo(zoomStep(true)));
  document.getElementById('zoom-out').addEventListener('click', () => zoomTo(zoomStep(false)));
  document.getElementById('zoom-reset').addEventListener('click',
    () => zoomTo(page.module._vnt_zoom_default()));
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
  window.vntQueueRolls = (...values) => values.forEach((v) => page.module._vnt_queue_roll(v));
  // For the keyboard test: where Tab stops by the model's rules, in its Tab order, as "name(index)".
  window.vntTabStops = () => views.map((v, id) => id).filter((id) => views[id].state.stop && reachable(id))
    .sort((a, b) => views[a].state.tab - views[b].state.tab)
    .map((id) => views[id].state.name + (views[id].state.index >= 0 ? `(${views[id].state.index})` : ''));
  // For the benchmark: the odds as the panel would show them now.
  window.vntOddsText = () => page.module.UTF8ToString(page.module._vnt_odds());
  document.body.dataset.ready = 'true';
  // Served over http(s): kept for playing offline. The one-file page opened from disk has all
  // it needs inside already.
  if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
