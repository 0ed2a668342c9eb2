#!/usr/bin/env bash
# The built window as a user meets it: started under Xvfb against the fake endpoint, a text
# typed into the input pane, Alt+T, and the translation checked on the X clipboard (AutoCopy)
# and in the output pane (selected and copied from it); then the titles the window manager
# reads, of the main window and of the about box.
# Arguments: the folder holding zorvanel and QuembrikSys.DLL, the fake_endpoint program, the
# test certificate authority's certificate.
set -euo pipefail
app_dir=$1
fake_endpoint=$2
ca_file=$3

. "$(dirname "$0")/../support/fake_endpoint.sh"

# A portable copy: the settings file lies beside the executable, in the scratch folder.
cp "$app_dir/zorvanel" "$app_dir/QuembrikSys.DLL" "$work/"
printf '[General]\r\nAutoCopy=1\r\n' > "$work/Zorvanel.ini"

start_fake_endpoint "$fake_endpoint" "$ca_file"
export WORK="$work"

xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  wait_for_clipboard() {
    for _ in $(seq 1 200); do
      [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "$1" ] && return 0
      sleep 0.1
    done
    echo "clipboard holds: $(xclip -o -selection clipboard 2>/dev/null || true)" >&2
    return 1
  }
  "$WORK/zorvanel" > "$WORK/zorvanel.log" 2>&1 &
  app=$!
  window=$(xdotool search --sync --name "FREE Zorvanel Translator" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool type --delay 30 "Hello world"
  xdotool key alt+t
  wait_for_clipboard "مرحبا بالعالم"
  echo "AutoCopy put the translation on the clipboard"

  # The output pane has the focus after a translation: select all of it and copy it.
  printf "cleared" | xclip -i -selection clipboard
  xdotool key ctrl+a ctrl+c
  wait_for_clipboard "مرحبا بالعالم"
  echo "the output pane holds the translation"

  # Each window is titled with its own caption alone.
  check_title() {
    local name
    name=$(xdotool getwindowname "$1")
    [ "$name" = "$2" ] || { echo "window title: $name, expected: $2" >&2; return 1; }
  }
  check_title "$window" "FREE Zorvanel Translator"
  xdotool key alt+h
  sleep 0.5
  # About is the item before the last, History...
  xdotool key Up Up Return
  about=$(xdotool search --sync --name "^About" | head -n 1)
  check_title "$about" "About"
  xdotool key Escape
  echo "the windows carry their own titles"
  kill "$app"
'
