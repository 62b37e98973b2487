#!/usr/bin/env bash
# What a user gets, checked with Debian's own tools.
#   installation.sh options SOURCES   a configure without the tests makes only the programs
#   installation.sh paquet BUILD      the Debian package installs programs that run, a valid menu
#                                     entry and valid AppStream data
set -euo pipefail
mode=$1
cible=$2
temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT
echec() {
    echo "ÉCHEC : $*" >&2
    exit 1
}

options() {
    cmake -S "$cible" -B "$temp" -DBREVANTA_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >"$temp/configure.txt" ||
        echec "configure sans tests : $(cat "$temp/configure.txt")"
    cmake --build "$temp" --target help >"$temp/cibles.txt"
    for c in brevanta brevanta-db brevanta_core brevanta_app; do
        grep -qx "\.\.\. $c" "$temp/cibles.txt" || echec "la cible $c manque"
    done
    # Only the programs, their libraries and CMake's own targets.
    autres=$(sed -n 's/^\.\.\. \([^ ]*\).*/\1/p' "$temp/cibles.txt" |
        grep -Ev '^(all|clean|depend|edit_cache|rebuild_cache|install.*|list_install_components|package|package_source|(brevanta|brevanta-db|brevanta_(core|widgets|gui|app))(_autogen)?|.*\.(o|i|s))$' || true)
    [ -z "$autres" ] || echec "cibles en trop sans les tests : $autres"
}

paquet() {
    cpack -G DEB --config "$cible/CPackConfig.cmake" -B "$temp/paquet" >"$temp/cpack.txt" 2>&1 ||
        echec "cpack : $(cat "$temp/cpack.txt")"
    deb=$(ls "$temp"/paquet/brevanta_*.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    # Found by dpkg-shlibdeps in the programs and their libraries, plus what it cannot see.
    for d in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libpq5 libsqlite3-0 libc6 fonts-liberation \
        qt6-translations-l10n; do
        grep -Eq "(^|, )$d( |,|$)" <<<"$depends" || echec "dépendance absente : $d (Depends: $depends)"
    done
    ! grep -Eq "postgresql|brevanta" <<<"$depends" || echec "dépendance de trop : $depends"
    racine="$temp/racine"
    dpkg -x "$deb" "$racine"
    for f in usr/bin/brevanta usr/bin/brevanta-db usr/share/applications/fr.brevanta.Brevanta.desktop \
        usr/share/icons/hicolor/scalable/apps/fr.brevanta.Brevanta.svg \
        usr/share/metainfo/fr.brevanta.Brevanta.metainfo.xml usr/share/doc/brevanta/README.md; do
        [ -s "$racine/$f" ] || echec "fichier absent du paquet : $f"
    done
    for b in core widgets gui app; do
        [ -f "$racine/usr/lib/brevanta/libbrevanta_$b.so" ] || echec "bibliothèque absente : libbrevanta_$b.so"
    done
    desktop-file-validate "$racine/usr/share/applications/fr.brevanta.Brevanta.desktop" || echec "entrée de menu"
    grep -qx "Categories=Office;.*" "$racine/usr/share/applications/fr.brevanta.Brevanta.desktop" ||
        echec "l'entrée n'est pas dans Bureautique"
    appstreamcli validate --no-net "$racine/usr/share/metainfo/fr.brevanta.Brevanta.metainfo.xml" >"$temp/as.txt" ||
        echec "AppStream : $(cat "$temp/as.txt")"
    # The installed programs load their libraries from the installed tree, wherever it is.
    for p in brevanta brevanta-db; do
        ldd "$racine/usr/bin/$p" >"$temp/ldd.txt"
        ! grep -q "not found" "$temp/ldd.txt" || echec "$p : $(grep 'not found' "$temp/ldd.txt")"
        grep -q "libbrevanta_core.so => $racine/usr/bin/../lib/brevanta/" "$temp/ldd.txt" ||
            echec "$p ne prend pas ses bibliothèques dans l'arbre installé : $(grep brevanta "$temp/ldd.txt")"
    done
    "$racine/usr/bin/brevanta-db" --help >"$temp/aide.txt" 2>&1 || echec "brevanta-db --help"
    "$racine/usr/bin/brevanta-db" init "$temp/Brevanta.mdb" >/dev/null || echec "brevanta-db init"
    "$racine/usr/bin/brevanta-db" check "$temp/Brevanta.mdb" >/dev/null || echec "brevanta-db check"
    [ "$(env -u DISPLAY "$racine/usr/bin/brevanta" --version)" = "Brevanta 1.0" ] || echec "brevanta --version"
}

"$mode"
