#!/usr/bin/env bash
# Checks the release zip that the `package` target made in a Windows build:
#   check-release.sh BUILD_DIR
# Its name carries the project's version; it holds exactly the program, the help
# document, the read-me and the licence; the texts are for Notepad (CR LF, the
# read-me UTF-8 with a BOM); the program needs no DLL beside it, neither by
# its imports nor by loading one at run time (Scintilla is linked in).
set -eu
build=$1
fail() { echo "release zip: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/Tessark-$version-win64.zip
[ -n "$version" ] && [ -f "$zip" ] || fail "no $zip"

expected=$'AideVUDEvizuzi.rtf\nLICENSE.txt\nLISEZMOI.txt\nTessark.exe'
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "holds"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"

crlf_only() {  # every line of the file ends in CR LF
  local bare
  bare=$(tr -d '\r' <"$1" | wc -l)
  [ "$(grep -c $'\r$' "$1")" -eq "$bare" ] && [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" = '\r\n' ]
}
readme=$work/LISEZMOI.txt
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "LISEZMOI.txt has no UTF-8 BOM"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 || fail "LISEZMOI.txt is not UTF-8"
crlf_only "$readme" || fail "LISEZMOI.txt has lines without CR LF"
for needed in "TESSARK $version" "Tessark.exe" "AideVUDEvizuzi.rtf" "wine " "Windows" ".bak"; do
  grep -qF "$needed" "$readme" || fail "LISEZMOI.txt does not mention \"$needed\""
done
licence=$work/LICENSE.txt
grep -q '^MIT License' "$licence" || fail "LICENSE.txt is not the MIT licence"
grep -qF 'Copyright (c) 2026 the Tessark authors' "$licence" || fail "LICENSE.txt lacks the copyright line"
crlf_only "$licence" || fail "LICENSE.txt has lines without CR LF"
cmp -s "$work/AideVUDEvizuzi.rtf" "$(dirname "$0")/../demo/files/AideVUDEvizuzi.rtf" || fail "AideVUDEvizuzi.rtf differs from the help document"

# Only DLLs that every Windows has: nothing to ship beside Tessark.exe.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msimg32.dll msvcrt.dll "
system_dlls+=" ole32.dll oleaut32.dll shell32.dll shlwapi.dll ucrtbase.dll user32.dll uxtheme.dll version.dll winmm.dll winspool.drv ws2_32.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$work/Tessark.exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || fail "Tessark.exe imports nothing: not a Windows program?"
for dll in $imports; do
  case "$system_dlls" in *" $dll "*) ;; *) fail "Tessark.exe needs $dll, which Windows does not have";; esac
done
# A text control from a DLL would not show among the imports: LoadLibrary
# takes its name as a string, narrow or wide.
loaded=$( { strings -a "$work/Tessark.exe"; strings -a -el "$work/Tessark.exe"; } |
  grep -ioE '(scintilla|scilexer|lexilla)[a-z0-9_-]*\.dll' | sort -u | tr '\n' ' ') || true
[ -z "$loaded" ] || fail "Tessark.exe loads $loaded, which the zip does not hold"
echo "release zip $zip: $(echo "$listed" | tr '\n' ' ')- Tessark.exe imports only $(echo $imports)"
