#!/usr/bin/env bash
# Drives the real program under a virtual X server, as a person would: it opens
# a file named on the command line, translates, double-clicks words of both
# side lists, adds a missing word in the dictionary editor, translates again,
# saves both panes, opens the full-screen view and goes back, and changes a
# pane colour in the options window that must survive a restart. Results are
# read from the program's own files: the Thai pane's mirror, the saved
# documents, the settings file and the dictionary.
#
# usage: desktop_test.sh VANTREL VANTREL_DICT DICT_DB [REPEATS]
# Runs itself under xvfb-run when no display is given.
set -uo pipefail

vantrel=$1 vantrel_dict=$2 dict=$3 repeats=${4:-20}
for tool in xvfb-run xdotool xclip openbox; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${VANTREL_DESKTOP_DISPLAY:-}" ]; then
    export VANTREL_DESKTOP_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
cp "$dict" "$work/dict.db"     # never the bundled dictionary itself
mirror=$XDG_CACHE_HOME/vantrel/tmp.txt
settings=$XDG_CONFIG_HOME/vantrel.ini
printf 'The zorblax sat under a tall tree with Gatsby.\n' > "$work/story.txt"

failures=0
shots=${VANTREL_DESKTOP_SHOTS:-}
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
    # A picture of the screen at each failure, when a folder is given for them.
    if [ -n "$shots" ]; then
        command -v import >/dev/null && import -window root "$shots/failure-$failures.png"
        cp "$work"/*.txt "$mirror" "$work/vantrel.log" "$shots/" 2>/dev/null
    fi
    windows . | while read -r id; do echo "  visible: $(xdotool getwindowname "$id")"; done
}
pass() { echo "ok: $*"; }
snap() { [ -n "$shots" ] && command -v import >/dev/null && import -window root "$shots/$1.png"; }

openbox >/dev/null 2>&1 &
sleep 1

# Visible windows whose name matches the extended regular expression $1.
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
# Waits up to $2 seconds (default 10) for such a window and prints its id.
wait_window() {
    local id
    for _ in $(seq 1 $((${2:-10} * 10))); do
        id=$(windows "$1" | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
# Waits up to 10 seconds until no such window is visible.
wait_gone() {
    for _ in $(seq 1 100); do
        [ -z "$(windows "$1")" ] && return 0
        sleep 0.1
    done
    return 1
}
# Waits until file $1 contains the fixed text $2.
wait_text() {
    for _ in $(seq 1 100); do
        grep -qF -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

main_name='^Vantrel Translator 1\.4\.0 Beta2? '
editor_name='ฐานข้อมูลคำศัพท์'
full_name='^Vantrel Translator 1\.4\.0 Beta 2$'
options_name='^เพิ่มเติม$'
colour_name='^เลือกสี$'

start() {
    "$vantrel" --dict "$work/dict.db" "$@" >"$work/vantrel.log" 2>&1 &
    main=$(wait_window "$main_name" 20) || { echo "FAIL: the main window did not appear"; exit 1; }
    xdotool windowactivate --sync "$main" >/dev/null 2>&1
    sleep 0.5
}
# Clicks (or double-clicks with $4 = 2) at $2,$3 of window $1; the main
# window's controls are placed in its central area, under the menu bar.
click() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click --repeat "${4:-1}" --delay 40 1; }
menu=22
central() { click "$main" "$1" $(($2 + menu)) "${3:-1}"; }
# Enters $1 into the focused text box by pasting it, as a person may: xdotool
# types characters that are not on the keyboard through remapped keys, and the
# program can read some of them with the old keyboard map.
paste_text() {
    printf '%s' "$1" | xclip -selection clipboard
    sleep 0.2
    xdotool key ctrl+v
    sleep 0.2
}
quit() { xdotool windowactivate --sync "$main" >/dev/null 2>&1; xdotool key ctrl+q; wait_gone "$main_name" || fail "the program did not end"; }

# --- Open from the command line, translate, fix an unknown word --------------
start "$work/story.txt"
xdotool key F6
wait_text "$mirror" "ต้นไม้" && pass "the file named on the command line was opened and translated" ||
    fail "no translation of the opened file in the mirror"
grep -qF zorblax "$mirror" || fail "the unknown word is missing from the first translation"

central 345 494                      # the missing-words check box
central 545 70                       # click "zorblax" once, the first row of the list
sleep 1
opened=0 viewed=0
for i in $(seq 1 "$repeats"); do
    # Every other time the English pane is double-clicked first: the
    # full-screen view it opens must leave the next double-click to the list.
    if [ $((i % 2)) -eq 0 ]; then
        central 300 100 2
        if wait_window "$full_name" 5 >/dev/null; then
            viewed=$((viewed + 1))
            xdotool key Escape
            wait_gone "$full_name" || fail "the full-screen view did not close"
        fi
        sleep 0.3
    fi
    central 545 70 2
    if ed=$(wait_window "$editor_name" 5); then
        opened=$((opened + 1))
        if [ "$i" -lt "$repeats" ]; then
            xdotool key Escape
            wait_gone "$editor_name" || fail "the editor did not close"
        fi
    else
        windows "$full_name" | while read -r id; do xdotool key Escape; done
        wait_gone "$full_name"
    fi
    sleep 0.3
done
[ "$opened" -eq "$repeats" ] && pass "missing-words double-click opened the editor $opened/$repeats" ||
    fail "missing-words double-click opened the editor $opened/$repeats"
[ "$viewed" -eq $((repeats / 2)) ] && pass "English pane double-click opened the full-screen view $viewed/$((repeats / 2))" ||
    fail "English pane double-click opened the full-screen view $viewed/$((repeats / 2))"

if [ -n "${ed:-}" ] && [ -n "$(windows "$editor_name")" ]; then
    sleep 1                             # the editor applies its opening once it is shown
    click "$ed" 200 92                  # the meaning box of the add mode
    paste_text "ม้าลาย"
    sleep 0.5
    snap editor-typed
    click "$ed" 225 172                 # save
    sleep 0.5
    snap editor-saved
    xdotool key Escape
    wait_gone "$editor_name" || fail "the editor did not close after saving"
fi
in_dictionary() { "$vantrel_dict" export "$work/dict.db" | grep -q $'^zorblax\tNoun\tม้าลาย'; }
for _ in $(seq 1 20); do in_dictionary && break; sleep 0.2; done
in_dictionary &&
    pass "the added word is in the dictionary" || fail "the added word is not in the dictionary"
xdotool windowactivate --sync "$main" >/dev/null 2>&1
xdotool key F6
wait_text "$mirror" "ม้าลาย" && ! grep -qF zorblax "$mirror" &&
    pass "the word is translated after the edit" || fail "the edited word is not translated"

# --- Word-arrangement list ------------------------------------------------------
central 245 509                      # the arrangement check box
central 480 288                      # the first line of the list
sleep 1
opened=0
for i in $(seq 1 "$repeats"); do
    central 480 288 2
    if ed=$(wait_window "$editor_name" 5); then
        opened=$((opened + 1))
        xdotool key Escape
        wait_gone "$editor_name" || fail "the editor did not close"
    else
        windows "$full_name" | while read -r id; do xdotool key Escape; done
        wait_gone "$full_name"
    fi
    sleep 0.3
done
[ "$opened" -eq "$repeats" ] && pass "arrangement double-click opened the editor $opened/$repeats" ||
    fail "arrangement double-click opened the editor $opened/$repeats"

# --- Save both panes ----------------------------------------------------------------
save_pane() {  # $1: button x, $2: file name, $3: dialog title
    central "$1" 23
    local dlg
    dlg=$(wait_window "$3" 10) || { fail "no save dialog \"$3\""; return; }
    sleep 0.5
    snap "save-dialog-$2"
    xdotool key ctrl+a                 # the name box holds the preset name
    paste_text "$work/$2"
    xdotool key Return
    wait_gone "$3" || fail "the save dialog did not close"
}
save_pane 89 english "บันทึกเอกสารภาษาอังกฤษ"
save_pane 114 thai "บันทึกเอกสารที่แปล"
# Waits until files $1 and $2 are the same (the save follows the dialog's close).
wait_same() {
    for _ in $(seq 1 50); do
        cmp -s "$1" "$2" && return 0
        sleep 0.1
    done
    return 1
}
wait_same "$work/english.txt" "$work/story.txt" && pass "the English pane was saved as english.txt" ||
    fail "english.txt does not hold the English pane"
wait_same "$work/thai.txt" "$mirror" && pass "the Thai pane was saved as thai.txt" ||
    fail "thai.txt does not hold the Thai pane"

# --- Full-screen view and back ---------------------------------------------------------
central 300 100 2                    # double-click in the English pane
if fs=$(wait_window "$full_name" 5); then
    xdotool key Escape
    wait_gone "$full_name" && pass "the full-screen view opened and closed" ||
        fail "the full-screen view did not close"
else
    fail "a double-click in the English pane did not open the full-screen view"
fi

# --- Options: a pane colour kept after a restart -------------------------------------------
central 232 22                       # the options button
if opt=$(wait_window "$options_name" 10); then
    click "$opt" 140 60 2            # the English background swatch
    if col=$(wait_window "$colour_name" 10); then
        sleep 0.5
        snap colour-dialog
        # The dialog's colour code box stands at its lower right, above the buttons.
        eval "$(xdotool getwindowgeometry --shell "$col")"
        click "$col" $((WIDTH - 108)) $((HEIGHT - 65))
        xdotool key ctrl+a
        paste_text "#ffc0c0"
        xdotool key Return
        wait_gone "$colour_name" || fail "the colour dialog did not close"
    else
        fail "the colour dialog did not open"
    fi
    sleep 0.5
    snap options-chosen
    click "$opt" 273 337             # "ตกลง"
    wait_gone "$options_name" || fail "the options window did not close"
else
    fail "the options window did not open"
fi
quit
grep -qi '^coloren=12632319$' "$settings" && pass "the English pane colour was stored" ||
    fail "the English pane colour was not stored"
start
quit
grep -qi '^coloren=12632319$' "$settings" && pass "the colour is kept after a restart" ||
    fail "the colour was lost after a restart"

[ "$failures" -eq 0 ] || {
    echo "$failures failure(s)"
    echo "--- settings:"; cat "$settings"
    echo "--- program output:"; cat "$work/vantrel.log"
    exit 1
}
echo "all desktop scenarios passed"
