#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what it holds: the
# three programs, the dictionary and its notice, the Thai texts of Qt's
# dialogs, the copyright file and the changelog, the desktop entry and the
# AppStream metainfo (validated), the icons and the man pages. Where lintian
# is installed, the Debian package is made and lintian must find neither an
# error nor a warning in it. Then runs the
# installed programs with an empty home, from a folder outside the build and
# with no data folder of the system to fall back on: they find the prefix's
# dictionary, translate, print the build's version, and write nothing into the
# installed tree or the home.
#
# usage: install_test.sh BUILD_DIR VERSION [CMAKE]
set -uo pipefail
build=$1 version=$2 cmake=${3:-cmake}
for tool in desktop-file-validate appstreamcli file; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }

id=org.vantrel.Vantrel
expected=(bin/vantrel bin/vantrel-translate bin/vantrel-dict share/vantrel/dict.db
          share/applications/$id.desktop share/metainfo/$id.metainfo.xml
          share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png
          share/icons/hicolor/256x256/apps/$id.png share/man/man1/vantrel.1.gz
          share/man/man1/vantrel-translate.1.gz share/man/man1/vantrel-dict.1.gz
          share/vantrel/translations/qtbase_th.qm share/doc/vantrel/copyright
          share/doc/vantrel/changelog.gz)
[ -f "$build/bin/LEXITRON-NOTICE.txt" ] && expected+=(share/vantrel/LEXITRON-NOTICE.txt)
missing=()
for f in "${expected[@]}"; do [ -f "$prefix/$f" ] || missing+=("$f"); done
[ ${#missing[@]} -eq 0 ] && pass "every file is installed" || fail "not installed: ${missing[*]}"
for size in 48 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "$size x $size" &&
        pass "the $size px icon is $size px" || fail "the $size px icon has another size"
done
for page in vantrel vantrel-translate vantrel-dict; do
    gzip -dc "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.TH \"$page\" \"1\"" &&
        pass "$page(1) is a man page" || fail "$page(1) is not a man page"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" &&
    pass "the desktop entry validates" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 &&
    pass "the metainfo validates" || { cat "$work/as.log"; fail "appstreamcli validate"; }
grep -q "version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" &&
    pass "the metainfo names release $version" || fail "the metainfo has another release"
gzip -dc "$prefix/share/doc/vantrel/changelog.gz" | head -n 1 | grep -q "^vantrel ($version) " &&
    pass "the changelog starts with $version" || fail "the changelog does not start with $version"
grep -q '^License: Expat' "$prefix/share/doc/vantrel/copyright" &&
    grep -q '^ This product is created by the adaptation of LEXiTRON' "$prefix/share/doc/vantrel/copyright" &&
    pass "the copyright file gives both licences" || fail "the copyright file lacks a licence"

# The Debian package, checked as Debian checks packages (a build with the
# sanitizers is no package anyone ships).
if grep -q '^VANTREL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
    echo "skip: lintian, the build has the sanitizers"
elif command -v lintian >/dev/null; then
    cpack=$(dirname "$cmake")/cpack
    [ -x "$cpack" ] || cpack=cpack
    if (cd "$build" && "$cpack" -G DEB -B "$work/deb") >"$work/cpack.log" 2>&1; then
        deb=$(ls "$work"/deb/vantrel_*.deb)
        lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 &&
            pass "lintian finds no error or warning in $(basename "$deb")" ||
            { cat "$work/lintian.log"; fail "lintian"; }
    else
        cat "$work/cpack.log"
        fail "cpack -G DEB"
    fi
else
    echo "skip: lintian is not installed"
fi

snapshot() { (cd "$prefix" && find . -printf '%p %y %m %s\n' | sort && find . -type f -exec sha256sum {} + | sort); }
snapshot >"$work/before"
mkdir -p "$work/home" "$work/elsewhere" "$work/shots"
cd "$work/elsewhere" || exit 1
run() {
    env -i HOME="$work/home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_DATA_DIRS="$work/nowhere" \
        QT_QPA_PLATFORM=offscreen "$@"
}

for program in vantrel vantrel-translate vantrel-dict; do
    got=$(run "$prefix/bin/$program" --version 2>/dev/null)
    [ "$got" = "$program $version" ] && pass "$program --version prints $version" ||
        fail "$program --version printed \"$got\""
done
thai=$(echo "I love you." | run "$prefix/bin/vantrel-translate")
want=$(echo "I love you." | "$build/bin/vantrel-translate" --dict "$build/bin/dict.db")
[ -n "$thai" ] && [ "$thai" = "$want" ] && pass "the installed CLI translates \"I love you.\" as $thai" ||
    fail "the installed CLI gave \"$thai\", the build \"$want\""
shipped=$prefix/share/vantrel/dict.db
run "$prefix/bin/vantrel-translate" --help | grep -qF "Dictionary in use: $shipped (shipped" &&
    pass "--help names the installed dictionary" || fail "--help does not name $shipped"
env -i HOME="$work/home" PATH=/usr/bin:/bin XDG_DATA_DIRS="$prefix/share" \
    "$prefix/bin/vantrel-translate" --help | grep -qF "Dictionary in use: $shipped (shipped" &&
    pass "the dictionary is found through XDG_DATA_DIRS" || fail "XDG_DATA_DIRS is not searched"
run "$prefix/bin/vantrel-dict" stats "$shipped" | grep -q . &&
    pass "vantrel-dict reads the installed dictionary" || fail "vantrel-dict stats on $shipped"
run timeout 120 "$prefix/bin/vantrel" --screenshot-dir "$work/shots" >/dev/null 2>&1
[ -s "$work/shots/dictionary-editor.png" ] && pass "the installed window starts and opens the editor" ||
    fail "the installed window did not start"

snapshot >"$work/after"
diff "$work/before" "$work/after" >/dev/null && pass "nothing was written into the installed tree" ||
    { diff "$work/before" "$work/after"; fail "the installed tree changed"; }
[ ! -e "$work/home/.local/share/vantrel" ] && pass "no user copy of the dictionary was made" ||
    fail "a user copy was made without any change"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
