#!/bin/sh
# Regenerates the Wine-written registry fixtures in this folder.
#
# Needs wine (a developer tool only: apt-get install wine xvfb xauth). Sets one
# value of each kind with Wine's own `reg add` into a throw-away prefix, lets
# wineserver write user.reg, and keeps the file's header plus the sections
# under Software\SpurlixTest and Software\Symantec.
#
# Outputs:
#   wine_user.reg            the header and the test sections as Wine wrote them
#   wine_user_inner_nul.reg  a copy whose "InnerNul" value was patched by hand:
#                            `reg add` cannot store a NUL inside a REG_SZ value
set -eu

here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
# Wine turns its command line into UTF-16 through the C library's locale: a
# UTF-8 one keeps every character of the values below.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8

if [ -n "${DISPLAY:-}" ]; then wineboot -i; else xvfb-run -a wineboot -i; fi >/dev/null 2>&1

add() { wine reg add "$@" /f >/dev/null; }

k='HKCU\Software\SpurlixTest\MixedCase Key'
add "$k" /v Plain /t REG_SZ /d 'C:\Programme\ACT\NetLinks'
add "$k" /v Quoted /t REG_SZ /d 'say "hallo" \ back\\slash'
add "$k" /v Umlauts /t REG_SZ /d 'Grüße aus Köln, Straße 5 € ¼'
add "$k" /v NotInCodePage /t REG_SZ /d 'Ωmega ✓'
add "$k" /v Tabbed /t REG_SZ /d "$(printf 'a\tb')"
add "$k" /v InnerNul /t REG_SZ /d 'vorne-hinten'
add "$k" /v Empty /t REG_SZ /d ''
add "$k" /ve /d 'Standardwert'
add "$k" /v Expand /t REG_EXPAND_SZ /d '%USERPROFILE%\Links'
add "$k" /v Multi /t REG_MULTI_SZ /d 'eins\0zwei\0drei'
add "$k" /v Bytes /t REG_BINARY /d '0102abff00'
add "$k" /v NoBytes /t REG_BINARY /d ''
add "$k" /v Long /t REG_BINARY /d "$(printf '%02x' $(seq 0 99))"
add "$k" /v AllOnes /t REG_DWORD /d 0xffffffff
add "$k" /v Small /t REG_DWORD /d 42
add "$k" /v Quad /t REG_QWORD /d 0x1122334455667788
add "$k" /v 'Name with "quotes"' /t REG_SZ /d 'x'
add 'HKCU\Software\SpurlixTest\MixedCase Key\Sub' /v Deep /t REG_SZ /d 'tief'
add 'HKCU\Software\SpurlixTest\Łódź Ωμεγα' /v 'Ссылки' /t REG_SZ /d 'C:\Users\Łukasz\ACT\Links'
add 'HKCU\Software\Symantec\ACT!' /v 'NetLinks File Type' /t REG_SZ /d 'C:\ACT\NetLinks'
wineserver -w

# The header (up to the first section) and our sections, each section running
# from its "[" line up to the blank line before the next one.
awk '
  /^\[/ { keep = ($0 ~ /^\[Software\\\\(SpurlixTest|Symantec)/) }
  !started && /^\[/ { started = 1 }
  !started || keep { print }
' "$prefix/user.reg" >"$here/wine_user.reg"

sed 's/^"InnerNul"="vorne-hinten"$/"InnerNul"="vorne\\0hinten"/' \
  "$here/wine_user.reg" >"$here/wine_user_inner_nul.reg"
grep -q 'vorne\\0hinten' "$here/wine_user_inner_nul.reg"
