// The Odds panel's rows as the desktop's Odds window draws them: the chart, the selections
// assumed, then each roll's outcomes with the percentage right-aligned and a bar as long as
// the chance (at least a sliver for any chance above none, so an unlikely outcome shows).

const block = (tag, text, className) => {
  const e = document.createElement(tag);
  e.textContent = text;
  if (className) e.className = className;
  return e;
};

export function drawOdds(container, odds) {
  const parts = [];
  if (odds.chart) parts.push(block('p', odds.chart, 'odds-chart'));
  if (odds.assumptions.length) parts.push(block('p', odds.assumptions.join('\n'), 'odds-assumed'));
  if (odds.message) parts.push(block('p', odds.message, 'odds-message'));
  if (odds.next) parts.push(block('p', odds.next, 'odds-next'));
  if (!odds.message) {
    for (const section of odds.sections) {
      parts.push(block('p', section.heading, 'odds-heading'));
      const table = document.createElement('table');
      table.className = 'odds-rows';
      for (const line of section.lines) {
        const row = table.insertRow();
        row.append(block('td', line.word, 'odds-word'), block('td', line.percent, 'odds-percent'));
        const cell = document.createElement('td');
        cell.className = 'odds-bar';
        const bar = document.createElement('span');
        bar.style.width = `max(1px, ${Math.min(1, line.share) * 100}%)`;
        cell.append(bar);
        row.append(cell);
      }
      parts.push(table);
    }
  }
  container.replaceChildren(...parts);
}
