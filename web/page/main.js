// The player's clicks and keys, and the program's start.

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
