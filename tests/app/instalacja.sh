#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop gets:
# the programs, run from where they were installed; a launcher entry the
# desktop accepts; and two message types that the compiled database tells by
# their root element and namespace, and no other XML.
#   instalacja.sh BUILD_DIR TEST_DATA_DIR
set -euo pipefail
build=$1
dane=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
# Nothing of the user's own is read or written on the way.
export HOME=$prefix/dom XDG_CONFIG_HOME=$prefix/dom/.config XDG_DATA_HOME=$prefix/dom/.local/share \
  XDG_CACHE_HOME=$prefix/dom/.cache XDG_RUNTIME_DIR=$prefix/run
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
blad() { echo "instalacja: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$prefix/instalacja.log" 2>&1 || { cat "$prefix/instalacja.log" >&2; blad "cmake --install failed"; }
for plik in bin/ostrevia bin/ostrevia-render bin/ostrevia-pdf lib/ostrevia/libostrevia_przegladarka.so share/applications/ostrevia.desktop \
            share/icons/hicolor/scalable/apps/ostrevia.svg share/mime/packages/ostrevia.xml; do
  [[ -f $prefix/$plik ]] || blad "missing $plik"
done

# The entry: valid, and naming the installed program, not whatever is on PATH.
wpis=$prefix/share/applications/ostrevia.desktop
uwagi=$(desktop-file-validate "$wpis" 2>&1) || blad "desktop-file-validate: $uwagi"
[[ -z $uwagi ]] || blad "desktop-file-validate: $uwagi"
grep -qx "Exec=$prefix/bin/ostrevia %f" "$wpis" || blad "Exec does not name the installed program"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/ostrevia.svg" "$prefix/share/mime/packages/ostrevia.xml"

# The database the install compiled: both types below application/xml, found
# by the root of each sample as an XML parser reads it (prefix or default
# namespace alike), and nothing for another root or namespace.
mime=$prefix/share/mime
[[ -f $mime/XMLnamespaces ]] || blad "update-mime-database did not run"
for typ in ie529 ie599; do
  grep -qx "application/x-ecs-$typ+xml application/xml" "$mime/subclasses" || blad "$typ: not a kind of application/xml"
done
typ_pliku() {
  local ns nazwa
  ns=$(xmllint --xpath 'namespace-uri(/*)' "$1")
  nazwa=$(xmllint --xpath 'local-name(/*)' "$1")
  awk -v ns="$ns" -v n="$nazwa" '$1 == ns && $2 == n { print $3 }' "$mime/XMLnamespaces"
}
printf '<?xml version="1.0"?>\n<faktura xmlns="urn:przyklad"><CC529C/></faktura>\n' >"$prefix/zwykly.xml"
while read -r plik oczekiwany; do
  [[ $plik == /* ]] || plik=$dane/$plik
  wynik=$(typ_pliku "$plik")
  [[ $wynik == "${oczekiwany#-}" ]] || blad "$(basename "$plik"): '$wynik', expected '${oczekiwany#-}'"
done <<LISTA
IE529.xml application/x-ecs-ie529+xml
IE599.xml application/x-ecs-ie599+xml
IE529_przestrzen_domyslna.xml application/x-ecs-ie529+xml
IE599_przestrzen_domyslna.xml application/x-ecs-ie599+xml
IE529_inna_przestrzen.xml -
obcy_korzen.xml -
$prefix/zwykly.xml -
LISTA
# A desktop that reads the caches offers Ostrevia first for both types.
if command -v gio >/dev/null; then
  for typ in ie529 ie599; do
    domyslny=$(XDG_DATA_DIRS=$prefix/share XDG_DATA_HOME=$prefix/brak gio mime "application/x-ecs-$typ+xml" | sed -n 1p)
    [[ $domyslny == *': ostrevia.desktop' ]] || blad "$typ: Ostrevia is not the default application: $domyslny"
  done
fi

# The installed render tool finds its PDF maker beside it.
"$prefix/bin/ostrevia-render" --version >/dev/null
"$prefix/bin/ostrevia-render" -o "$prefix/IE599.html" --pdf "$prefix/IE599.pdf" "$dane/IE599.xml" >/dev/null
grep -q 'CC599C' "$prefix/IE599.html" || blad "the page lacks the message"
[[ $(head -c 5 "$prefix/IE599.pdf") == %PDF- ]] || blad "no PDF"
echo "instalacja: ok"
