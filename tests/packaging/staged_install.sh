#!/usr/bin/env bash
# Installs the build into a scratch prefix as a packager does, checks that each file lands where
# the desktop and the programs look for it, then runs the installed copies: the command-line
# companion and the window (under Xvfb) against the fake endpoint. The window is given no data
# beside itself, so its translation only starts when it finds the resource library in
# ../share/zorvanel.
# Arguments: cmake, the build folder, the application id, the fake_endpoint program, the test
# certificate authority's certificate.
set -euo pipefail
cmake=$1
build_dir=$2
app_id=$3
fake_endpoint=$4
ca_file=$5

. "$(dirname "$0")/../support/fake_endpoint.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/usr
"$cmake" --install "$build_dir" --prefix "$prefix" > "$work/install.log"

# Every file in its place, and nothing else.
expected=(
  bin/zorvanel
  bin/zorvanel-translate
  share/zorvanel/QuembrikSys.DLL
  share/zorvanel/English.ini
  "share/applications/$app_id.desktop"
  "share/metainfo/$app_id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$app_id.svg"
  share/man/man1/zorvanel.1.gz
  share/man/man1/zorvanel-translate.1.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) ||
  fail "the installed files differ from the expected list (< expected, > installed)"

for program in zorvanel zorvanel-translate; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
  # A run path into the build tree would load libraries the package does not ship.
  if readelf -d "$prefix/bin/$program" | grep -E 'R(UN)?PATH' | grep -qF "$build_dir"; then
    fail "bin/$program keeps a run path into the build folder"
  fi
done
for size in 16 32 48 64 128 256; do
  file "$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x${size} icon is not a $size by $size PNG"
done
gzip -t "$prefix"/share/man/man1/*.gz || fail "a man page is not a valid gzip file"

# The desktop entry starts an installed program and names the installed icon; the metadata
# launches that entry.
desktop=$prefix/share/applications/$app_id.desktop
# Every Exec line, of the entry and of its actions, starts an installed program.
for exec_program in $(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop"); do
  [ -x "$prefix/bin/$exec_program" ] || fail "Exec=$exec_program names no installed program"
done
grep -qx "Actions=TranslateClipboard;TranslateSelection;" "$desktop" || fail "the desktop entry lacks its actions"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "the metadata does not launch $app_id.desktop"

# The installed programs against the fake endpoint, with the user's data in the scratch folder.
start_fake_endpoint "$fake_endpoint" "$ca_file"
export XDG_DATA_HOME="$work/data"

translation=$("$prefix/bin/zorvanel-translate" --direction 0 "Hello world") ||
  fail "the installed zorvanel-translate exited with $?"
[ "$translation" = "مرحبا بالعالم" ] || fail "the installed zorvanel-translate printed '$translation'"
echo "the installed zorvanel-translate translates"

# An installed copy keeps its settings in the user's configuration, even where its bin/ could be
# written: AutoCopy there puts the translation on the clipboard, where it can be read back.
export XDG_CONFIG_HOME="$prefix/../config"
mkdir -p "$XDG_CONFIG_HOME/zorvanel"
printf '[General]\r\nAutoCopy=1\r\n' > "$XDG_CONFIG_HOME/zorvanel/Zorvanel.ini"
export PREFIX=$prefix
# Display numbers from 150 on, away from the other Xvfb test's.
xvfb-run -a -n 150 -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  "$PREFIX/bin/zorvanel" > "$PREFIX/../zorvanel.log" 2>&1 &
  app=$!
  window=$(timeout 60 xdotool search --sync --name "Zorvanel Translator" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool type --delay 30 "Hello world"
  xdotool key alt+t
  for _ in $(seq 1 200); do
    if [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "مرحبا بالعالم" ]; then
      echo "the installed window found its data and translates"
      # Ended as a desktop ends it; it writes what it still had to.
      kill "$app"
      wait "$app" || {
        echo "FAIL: the window did not end cleanly on SIGTERM; its output:" >&2
        cat "$PREFIX/../zorvanel.log" >&2
        exit 1
      }
      exit 0
    fi
    sleep 0.1
  done
  kill "$app" 2>/dev/null || true
  echo "FAIL: the installed window gave no translation; its output:" >&2
  cat "$PREFIX/../zorvanel.log" >&2
  exit 1
'
# An installed copy keeps its history in the user's data folder.
[ -f "$XDG_DATA_HOME/zorvanel/history.sqlite" ] || fail "the installed window kept no history in \$XDG_DATA_HOME"
echo "the installed window keeps its history in the user's data folder"
