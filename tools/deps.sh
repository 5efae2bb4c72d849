#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tessark need, then
# unpacks the sources of Scintilla (the text control, from Debian's source
# package "scite") under build/third-party/scite, where the Windows build
# compiles them. Does nothing for the parts that are there already.
set -eu
cd "$(dirname "$0")/.."
packages=(
  cmake ninja-build g++ clang googletest
  g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb x11-utils x11-apps imagemagick xdotool bc sox
  libz-mingw-w64-dev zlib1g-dev nasm dosbox lld zip unzip openbox python3
  pulseaudio pulseaudio-utils dpkg-dev
)
third_party=build/third-party
scite_dir=$third_party/scite
source_list=/etc/apt/sources.list.d/tessark-deb-src.sources
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

install_packages() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# The Debian mirror that apt already uses for this release, as
# "URI<TAB>keyring" (the keyring may be empty), from either source format:
# one-line .list entries and deb822 .sources stanzas.
debian_mirror() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  awk -v suite="$codename" '
    function take(uri, keyring) { if (found == "") found = uri "\t" keyring }
    function end_stanza() {
      if ((" " types " ") ~ / deb / && (" " suites " ") ~ (" " suite " ")) take(uris, keyring)
      types = suites = uris = keyring = ""
    }
    FNR == 1 { end_stanza() }
    /^[ \t]*#/ { next }
    FILENAME ~ /\.list$/ && $1 == "deb" {
      keyring = ""; i = 2
      if ($2 ~ /^\[/) {
        for (; i <= NF; i++) {
          if ($i ~ /^\[?signed-by=/) { keyring = $i; sub(/^\[?signed-by=/, "", keyring); sub(/\]$/, "", keyring) }
          if ($i ~ /\]$/) break
        }
        i++
      }
      if ($(i + 1) == suite) take($i, keyring)
      next
    }
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^[ \t]*$/) { end_stanza(); next }
      field = tolower($1); $1 = ""; sub(/^[ \t]+/, "")
      if (field == "types:") types = $0
      else if (field == "suites:") suites = $0
      else if (field == "uris:") { split($0, all, /[ \t]+/); uris = all[1] }
      else if (field == "signed-by:") keyring = $0
    }
    END { end_stanza(); print found }
  ' $(ls /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null)
}

add_source_entry() {
  local mirror uri keyring codename
  mirror=$(debian_mirror)
  [ -n "$mirror" ] || { echo "deps: no Debian mirror in apt's sources for deb-src" >&2; exit 1; }
  uri=${mirror%%$'\t'*} keyring=${mirror#*$'\t'}
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "Adding deb-src $uri $codename main"
  {
    echo "Types: deb-src"
    echo "URIs: $uri"
    echo "Suites: $codename"
    echo "Components: main"
    [ -n "$keyring" ] && echo "Signed-By: $keyring"
  } | $sudo tee "$source_list" >/dev/null
}

# Only the new entry's index is fetched: the others stay as they are.
update_source_index() {
  $sudo apt-get update -qq -o Dir::Etc::SourceList="$source_list" \
    -o Dir::Etc::SourceParts=- -o APT::Get::List-Cleanup=0
}

has_scite_source() {
  apt-cache showsrc scite 2>/dev/null | grep -q '^Package: scite$'
}

fetch_scintilla() {
  [ -f "$scite_dir/scintilla/src/Editor.cxx" ] && return 0
  if ! has_scite_source; then
    [ -f "$source_list" ] || add_source_entry
    update_source_index
    has_scite_source || { echo "deps: apt knows no source package scite" >&2; exit 1; }
  fi
  mkdir -p "$third_party"
  local download
  download=$(mktemp -d "$third_party/download.XXXXXX")
  # apt's unprivileged downloader must be able to write there.
  chmod 777 "$download"
  (cd "$download" && apt-get source -qq scite >/dev/null)
  rm -rf "$scite_dir"
  mv "$download"/scite-*/ "$scite_dir"
  rm -rf "$download"
  echo "Scintilla $(cat "$scite_dir/scintilla/version.txt") unpacked in $scite_dir"
}

install_packages
fetch_scintilla
