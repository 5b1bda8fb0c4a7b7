#!/usr/bin/env bash
# Takes the screenshots of the help pages (HELP/shots/*.png) from the real program on the demo
# competition, under a virtual display: the main window, then windows opened from its menu.
# Needs xvfb-run, xdotool and ImageMagick (apt-get install xvfb xauth xdotool imagemagick).
#   scripts/help-screenshots.sh [VINTREL_BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
out="$here/HELP/shots"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
"$build/src/vintrel-cli" --root "$work/ws" init --demo >/dev/null
# The first pool tour dealt, so that the pool window has something to show.
"$build/src/vintrel-cli" --root "$work/ws" --yes prepare --groups 3 >/dev/null
"$build/src/vintrel-cli" --root "$work/ws" --yes distribute >/dev/null

export VINTREL_NO_OPEN=1 OUT="$out" APP="$build/src/vintrel" WS="$work/ws"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    "$APP" --root "$WS" & app=$!
    sleep 4
    # A window by its caption, cut out of the screen and kept small (no window manager runs).
    shot() {
        local id; id=$(xdotool search --sync --onlyvisible --name "^$2\$" | tail -1)
        import -window "$id" +dither -colors 32 -strip "PNG8:$OUT/$1.png"
    }
    main=$(xdotool search --sync --onlyvisible --name "Программа для обслуживания" | head -1)
    shot main "Программа для обслуживания соревнований по фехтованию"
    # "Редактировать" → its entries, by their place in the menu bar of the main window.
    open_edit_entry() {
        eval "$(xdotool getwindowgeometry --shell "$main")"
        xdotool mousemove $((X + 50)) $((Y + 10)) click 1
        sleep 0.5
        xdotool mousemove $((X + 60)) $((Y + 32 + 22 * $1)) click 1
        sleep 1.5
    }
    open_edit_entry 0; shot comp "Соревнования"; xdotool key Escape; sleep 1
    open_edit_entry 1; shot person "Человек"; xdotool key Escape; sleep 1
    open_edit_entry 2; shot org "Ввод/редактирование справочника организаций"; xdotool key Escape; sleep 1
    open_edit_entry 3; shot invid "Ввод и редактирование участников текущего вида"; xdotool key Escape; sleep 1
    # The tour buttons at the right of the main window.
    press() {
        eval "$(xdotool getwindowgeometry --shell "$main")"
        xdotool mousemove $((X + WIDTH - 70)) $((Y + $1)) click 1
        sleep 1.5
    }
    press 436; shot kolgroup "Определение групп и количества участников в каждой группе"
    xdotool key Escape; sleep 1
    press 464; shot group "Группы"; xdotool key Escape; sleep 1
    kill $app
'
ls -l "$out"
