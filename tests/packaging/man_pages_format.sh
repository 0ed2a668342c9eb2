#!/usr/bin/env bash
# Formats each man page as man(1) would and fails on any warning groff gives (bad requests,
# unknown macros, broken fonts), which otherwise show up as garbage on the user's terminal.
set -euo pipefail
for page in "$@"; do
  warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$page: $warnings" >&2
    exit 1
  fi
  # Every page has the sections a reader looks for first.
  for section in NAME SYNOPSIS DESCRIPTION; do
    grep -q "^\.SH $section" "$page" || { echo "$page: no $section section" >&2; exit 1; }
  done
done
