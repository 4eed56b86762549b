// The Odds panel beside the window: F2 or the Odds button opens and closes it.

import { page } from './state.js';
import { keepGameIfChanged } from './seasons.js';
import { keepSettings, fitWindow } from './settings.js';

export function oddsShown() {
  return !document.getElementById('odds').hidden;
}
export function showOdds() {
  document.getElementById('odds-text').textContent = page.module.UTF8ToString(page.module._vnt_odds());
}
export function toggleOdds() {
  const panel = document.getElementById('odds');
  panel.hidden = !panel.hidden;
  document.getElementById('odds-button').setAttribute('aria-expanded', String(!panel.hidden));
  if (!panel.hidden) showOdds();
  page.settings.odds = !panel.hidden;
  keepSettings();
  fitWindow();
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
  panel.hidden = !panel.hidden;
  document.getElementById('log-button').setAttribute('aria-expanded', String(!panel.hidden));
  if (!panel.hidden) refreshLog(true);
  page.settings.gameLog = !panel.hidden;
  keepSettings();
  fitWindow();
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
