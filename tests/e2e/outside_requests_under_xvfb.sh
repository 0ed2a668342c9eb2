#!/usr/bin/env bash
# Requests from outside the window, as the desktop makes them: under Xvfb with a session bus of
# its own, real zorvanel processes of two portable copies against the fake endpoint. A second
# start hands its request to the running window; the clipboard, the primary selection and the
# global shortcut reach it; a copy with other settings keeps its own window; the options' usage
# and exit codes.
# Arguments: the folder holding zorvanel and QuembrikSys.DLL, the fake_endpoint program, the
# test certificate authority's certificate.
set -euo pipefail
app_dir=$1
fake_endpoint=$2
ca_file=$3

. "$(dirname "$0")/../support/fake_endpoint.sh"

# Two portable copies, each with its settings beside it; AutoCopy shows each translation on the
# clipboard.
for copy in a b; do
  mkdir -p "$work/$copy"
  cp "$app_dir/zorvanel" "$app_dir/QuembrikSys.DLL" "$work/$copy/"
  printf '[General]\r\nAutoCopy=1\r\n' > "$work/$copy/Zorvanel.ini"
done

# Usage and exit codes need neither a display nor a bus.
"$work/a/zorvanel" --help | head -n 1 | grep -q '^Usage: zorvanel \[--translate TEXT'
[ "$("$work/a/zorvanel" --version)" = "FREE Zorvanel Translator Ver 4.0.0 (Build 20160809)" ]
status=0
"$work/a/zorvanel" --bogus 2> "$work/usage" || status=$?
[ "$status" -eq 2 ] && grep -q '^Usage: zorvanel' "$work/usage"
echo "usage, version and an unknown option behave"

start_fake_endpoint "$fake_endpoint" "$ca_file"
export WORK="$work"
# Where a desktop session keeps its runtime files; Qt warns on every start without one.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  wait_for_clipboard() {
    for _ in $(seq 1 200); do
      [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "$1" ] && return 0
      sleep 0.1
    done
    echo "clipboard holds: $(xclip -o -selection clipboard 2>/dev/null || true), expected: $1" >&2
    return 1
  }
  windows() { xdotool search --name "^FREE Zorvanel Translator\$" 2>/dev/null | wc -l; }
  bus_names() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.ListNames | grep -o "org\.zorvanel\.Translator[A-Za-z0-9_.]*" || true
  }

  "$WORK/a/zorvanel" > "$WORK/a.log" 2>&1 &
  first=$!
  xdotool search --sync --name "^FREE Zorvanel Translator\$" > /dev/null
  for _ in $(seq 1 100); do [ -n "$(bus_names)" ] && break; sleep 0.1; done
  name=$(bus_names)
  echo "the window owns $name"
  dbus-send --session --print-reply --dest="$name" /org/zorvanel/Translator \
    org.freedesktop.DBus.Introspectable.Introspect > "$WORK/introspect"
  for member in "interface name=\"org.zorvanel.Translator\"" "method name=\"TranslateText\"" \
                "method name=\"TranslateClipboard\"" "method name=\"TranslateSelection\"" \
                "method name=\"Show\"" "property name=\"Busy\" type=\"b\" access=\"read\""; do
    grep -q "$member" "$WORK/introspect" || { echo "missing from the interface: $member" >&2; exit 1; }
  done
  dbus-send --session --print-reply --dest="$name" /org/zorvanel/Translator \
    org.freedesktop.DBus.Properties.Get string:org.zorvanel.Translator string:Busy | grep -q "boolean false"
  echo "the interface is on the bus"

  # A plain second start only brings the running window forward.
  "$WORK/a/zorvanel"
  [ "$(windows)" -eq 1 ]
  echo "a plain second start showed the running window"

  # A second start hands its text to the first window and exits at once.
  "$WORK/a/zorvanel" --translate "Hello world"
  wait_for_clipboard "مرحبا بالعالم"
  [ "$(windows)" -eq 1 ]
  echo "a second start translated in the first window"

  printf "Good morning" | xclip -i -selection clipboard
  "$WORK/a/zorvanel" --translate-clipboard
  wait_for_clipboard "صباح الخير"
  echo "the clipboard was translated"

  printf "apple" | xclip -i -selection primary
  "$WORK/a/zorvanel" --translate-selection
  wait_for_clipboard "ar: apple"
  echo "the primary selection was translated"

  # The global shortcut, with the input focus away from the window.
  printf "pear" | xclip -i -selection primary
  xdotool windowfocus --sync "$(xwininfo -root | sed -n "s/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p")" || true
  xdotool key ctrl+alt+e
  wait_for_clipboard "ar: pear"
  echo "Ctrl+Alt+E translated the primary selection"

  dbus-send --session --print-reply --dest="$name" /org/zorvanel/Translator \
    org.zorvanel.Translator.TranslateText string:"plum" > /dev/null
  wait_for_clipboard "ar: plum"
  echo "TranslateText over the bus translated"

  # The other copy has settings of its own: it opens its own window and translates there; the
  # shortcut is already held, which it says in one line and runs on.
  "$WORK/b/zorvanel" --translate "cherry" > "$WORK/b.log" 2>&1 &
  second=$!
  wait_for_clipboard "ar: cherry"
  [ "$(windows)" -eq 2 ]
  [ "$(bus_names | wc -l)" -eq 2 ]
  grep -q "^zorvanel: the shortcut Ctrl+Alt+E is held by another program" "$WORK/b.log" &&
    [ "$(wc -l < "$WORK/b.log")" -eq 1 ] || { echo "the second copy said:" >&2; cat "$WORK/b.log" >&2; exit 1; }
  echo "a copy with other settings keeps its own window"

  kill "$first" "$second"
  wait "$first" "$second" 2>/dev/null || true
'
