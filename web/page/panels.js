// The Odds panel beside the window (or over it, see openPanel): F2 or the Odds button opens and closes it.

import { page } from './state.js';
import { drawOdds } from './odds.js';
import { keepGameIfChanged } from './seasons.js';
import { keepSettings, fitWindow } from './settings.js';

export function oddsShown() {
  return !document.getElementById('odds').hidden;
}
export function showOdds() {
  drawOdds(document.getElementById('odds-text'),
    JSON.parse(page.module.UTF8ToString(page.module._vnt_odds_rows())));
}
export function toggleOdds() {
  const panel = document.getElementById('odds');
  if (panel.hidden) openPanel(panel, 'odds-button', showOdds);
  else closePanel(panel, 'odds-button');
  page.settings.odds = !panel.hidden;
  keepSettings();
}

// A panel opens beside the window where there is room for it; else (a tablet, a phone, the
// window zoomed for thumbs) as a sheet over the window with a close button, the focus inside
// it until it closes (Escape too). Beside a window wider than the screen it lay off-screen.
let sheetFocus = null;  // what had the focus before a sheet opened
function openPanel(panel, buttonId, fill) {
  // One sheet at a time: the other one gives way.
  for (const other of document.querySelectorAll('.sheet')) {
    closePanel(other, other.id === 'odds' ? 'odds-button' : 'log-button');
  }
  panel.hidden = false;
  document.getElementById(buttonId).setAttribute('aria-expanded', 'true');
  fill();
  fitWindow();
  const box = panel.getBoundingClientRect();
  if (box.right <= document.documentElement.clientWidth && box.left >= 0) return;
  // No room beside: over the window instead, outside the scaled window (a scaled ancestor
  // would scale and place the sheet too).
  if (!sheetFocus) sheetFocus = document.activeElement;
  panel.classList.add('sheet');
  panel.setAttribute('role', 'dialog');
  panel.setAttribute('aria-modal', 'true');
  document.body.append(panel);
  fitWindow();
  fill();
  panel.querySelector('.panel-close').focus();
}
function closePanel(panel, buttonId) {
  panel.hidden = true;
  document.getElementById(buttonId).setAttribute('aria-expanded', 'false');
  if (panel.classList.contains('sheet')) {
    panel.classList.remove('sheet');
    panel.removeAttribute('role');
    panel.removeAttribute('aria-modal');
    // Back to its place beside the window, in the order of the page.
    const stage = document.getElementById('stage');
    if (panel.id === 'odds') stage.insertBefore(panel, document.getElementById('game-log'));
    else stage.append(panel);
    const before = sheetFocus;
    sheetFocus = null;
    if (before && before.focus && document.contains(before)) before.focus();
  }
  fitWindow();
}
export function sheetShown() {
  return document.querySelector('.sheet:not([hidden])') !== null;
}
// Escape closes the sheet, Tab keeps the focus inside it; true when the key was the sheet's.
export function sheetKey(event) {
  const sheet = document.querySelector('.sheet:not([hidden])');
  if (!sheet) return false;
  if (event.key === 'Escape') {
    event.preventDefault();
    if (sheet.id === 'odds') toggleOdds();
    else toggleLog();
    return true;
  }
  if (event.key === 'Tab') {
    const inside = [...sheet.querySelectorAll('button, input, [tabindex="0"]')];
    const at = inside.indexOf(document.activeElement);
    if (at < 0 || (event.shiftKey ? at === 0 : at === inside.length - 1)) {
      event.preventDefault();
      inside[event.shiftKey ? inside.length - 1 : 0].focus();
      return true;
    }
  }
  return false;
}

// The Game Log panel beside the window: F3 or the Game Log button opens and closes it. It is
// redrawn only when the log's revision changed (or the search did).
let logRevision = -1;
let logStale = false;  // the search changed while a click was running
export function logShown() {
  return !document.getElementById('game-log').hidden;
}
export function refreshLog(force = false) {
  // The model is busy inside a click (a box is up): the click's end redraws the panel.
  if (page.busy) {
    logStale = logStale || force;
    return;
  }
  const revision = page.module._vnt_log_revision();
  if (!force && !logStale && revision === logRevision) return;
  logStale = false;
  logRevision = revision;
  const [outcome, roll] = page.module.UTF8ToString(page.module._vnt_log_latest()).split('\n');
  document.getElementById('log-latest').textContent = outcome;
  document.getElementById('log-latest-roll').textContent = roll;
  const query = document.getElementById('log-search').value;
  const list = document.getElementById('log-text');
  const rollsOf = (from) => JSON.parse(page.module.UTF8ToString(
    page.module.ccall('vnt_log_entries', 'number', ['string', 'number'], [query, from])));
  // The whole game when it may be another one (a new start, New Game, a search); else only
  // what came since, with the last roll shown again to see that it still stands.
  const whole = force || query !== '' || logQueryShown !== '';
  logQueryShown = query;
  if (!whole && list.children.length > 0) {
    const since = rollsOf(list.children.length - 1);
    if (since.total >= list.children.length && since.rolls[0] !== undefined &&
        list.lastElementChild.textContent === blockText(since.from, since.rolls[0])) {
      drawRolls(list, since);
      return;
    }
  }
  drawRolls(list, rollsOf(0));
}
let logQueryShown = '';
// A block per roll, a blank line between rolls (as the plain text has them). Only the blocks
// of the rolls given are touched, and only when their text changed: laying out a long
// evening's log anew after every roll took tens of milliseconds.
const blockText = (index, roll) => (index > 0 ? '\n' : '') + roll;
function drawRolls(list, { total, from, rolls }) {
  let changed = false;
  rolls.forEach((roll, i) => {
    const text = blockText(from + i, roll);
    const block = list.children[from + i];
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
  while (list.children.length > total) {
    list.lastElementChild.remove();
    changed = true;
  }
  // Newest at the bottom, and in view.
  if (changed) list.scrollTop = list.scrollHeight;
}
export function toggleLog() {
  const panel = document.getElementById('game-log');
  if (panel.hidden) openPanel(panel, 'log-button', () => refreshLog(true));
  else closePanel(panel, 'log-button');
  page.settings.gameLog = !panel.hidden;
  keepSettings();
}
// Copy: the selection within the rolls, else every roll shown.
export async function copyLog() {
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
export function saveLog() {
  if (page.busy) return;
  const all = page.module.UTF8ToString(page.module._vnt_log_text());
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([all], { type: 'text/plain' }));
  link.download = 'game-log.txt';
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}
export function newGame() {
  if (page.busy) return;
  page.module._vnt_new_game();
  refreshLog(true);
  keepGameIfChanged();
}
