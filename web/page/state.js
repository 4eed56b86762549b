// What the page's modules share: the program once loaded, whether a click is running, the
// controls' elements, and the settings kept between visits.

export const page = {
  module: null,     // the program (createVntAssistant's module)
  busy: false,      // a click is running (it may be waiting in a message box)
  settings: null,   // {ownDice, zoom, odds, gameLog}
  files: null,      // the season files the program started on, null for the samples
};
export const views = [];  // per control: {element, state}
export const TWIPS_PER_PX = 15;
