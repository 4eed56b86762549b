#!/bin/sh
# Instructions per click (the model's handler, the window's sync, a paint) and to the first
# paint beside the empty window, counted by callgrind: repeatable where times are not.
# Then the resident memory after 1,000 and 10,000 clicks.
#
#   bench/instructions.sh [BUILD_DIR]     (build/ci unless told; needs valgrind)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/ci}" && pwd)
bench=$build/bench
for tool in vnt-click-cycle vnt-assistant-startup empty-window-startup; do
  [ -x "$bench/$tool" ] || { echo "no $bench/$tool: build the ci preset first" >&2; exit 1; }
done
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The inclusive count of one function (as callgrind_annotate names it) in a profile.
inclusive() {
  callgrind_annotate --inclusive=yes --threshold=100 --auto=no "$1" |
    grep -F ":$2 [" | head -n 1 | awk '{ gsub(",", "", $1); print $1 }'
}
# The whole count of a profile.
total() {
  callgrind_annotate --threshold=100 --auto=no "$1" |
    awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }'
}
# a / b in millions, to two places.
millions() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f M", a / b / 1e6 }'
}
# a / b in thousands, to one place.
thousands() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f k", a / b / 1e3 }'
}

# 25 steal cycles: about 100 clicks without painting, then about 100 each followed by a paint.
# Only what runs inside a click and a repaint is counted.
valgrind --tool=callgrind --callgrind-out-file="$work/click.out" \
  '--toggle-collect=vnt::QtWindow::click(vnt::Control&)' '--toggle-collect=QWidget::repaint()' \
  "$bench/vnt-click-cycle" 25 >"$work/click.txt" 2>"$work/click.err"
clicks=$(sed -n 's/.*(\([0-9]*\) clicks)$/\1/p' "$work/click.txt" | awk '{ n += $1 } END { print n }')
painted=$(sed -n 's/.*(\([0-9]*\) clicks)$/\1/p' "$work/click.txt" | tail -n 1)
click=$(inclusive "$work/click.out" 'vnt::QtWindow::click(vnt::Control&)')
model=$(inclusive "$work/click.out" 'vnt::Form2::click(vnt::Control&)')
sync=$(inclusive "$work/click.out" 'vnt::QtWindow::sync()')
paint=$(inclusive "$work/click.out" 'QWidget::repaint()')
echo "instructions per click ($clicks clicks, $painted of them painted):"
echo "  click, all:       $(millions "$click" "$clicks")"
echo "  model (handler):  $(thousands "$model" "$clicks")"
echo "  sync (widgets):   $(millions "$sync" "$clicks")   (goal: at most 0.50 M)"
echo "  paint:            $(millions "$paint" "$painted")"

# Start-up to the first paint, from seasons/ so the season check reads the bundled files.
cd "$root/seasons"
valgrind --tool=callgrind --callgrind-out-file="$work/start.out" \
  "$bench/vnt-assistant-startup" >/dev/null 2>"$work/start.err"
valgrind --tool=callgrind --callgrind-out-file="$work/empty.out" \
  "$bench/empty-window-startup" >/dev/null 2>"$work/empty.err"
start=$(total "$work/start.out")
empty=$(total "$work/empty.out")
echo "instructions to the first paint:"
echo "  program:          $(millions "$start" 1)"
echo "  empty window:     $(millions "$empty" 1)"
awk -v a="$start" -v b="$empty" \
  'BEGIN { printf "  ratio:            %.2f x   (goal: at most 1.10 x)\n", a / b }'

echo "memory:"
"$bench/vnt-click-cycle" --memory | sed 's/^/  /'
