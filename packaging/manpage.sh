#!/usr/bin/env bash
# manpage.sh SOURCE.scd OUT.gz: a manual page from its scdoc source, compressed as Debian wants.
# scdoc turns hyphenation off before .TH, which turns it on again: it is turned off after it.
set -eo pipefail
scdoc <"$1" | sed '/^\.TH /a .nh' | gzip -9n >"$2.tmp"
mv "$2.tmp" "$2"
