#!/usr/bin/env bash
# Installs the build into a temporary root (prefix ROOT/usr, as the Debian package does) and
# checks what a user and a desktop get: both programs, which start from there, their data,
# the desktop entry, file type, metainfo, icons at every size and the manual page, passed by
# the desktop validators.
# Usage: test_install.sh CMAKE BUILD_DIR SOURCE_DIR APP_ID VERSION
set -euo pipefail
CMAKE=$1 BUILD=$2 SOURCE=$3 APP_ID=$4 VERSION=$5

ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
PREFIX=$ROOT/usr
SHARE=$PREFIX/share
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

need_file() {
    [ -f "$1" ] || fail "not installed: ${1#"$ROOT"}"
}

# Runs a validator quietly; its report is shown when it fails.
check() { # what, command...
    local what=$1
    shift
    "$@" >"$ROOT/check.out" 2>&1 || fail "$what: $(cat "$ROOT/check.out")"
}

# The validators come from Debian packages that tools/deps.sh installs.
for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream \
    update-mime-database:shared-mime-info groff:groff-base; do
    command -v "${tool%%:*}" >/dev/null ||
        { echo "missing ${tool%%:*}: install the Debian package ${tool#*:}" >&2; exit 1; }
done

"$CMAKE" --install "$BUILD" --prefix "$PREFIX" >"$ROOT/install.log" ||
    { cat "$ROOT/install.log" >&2; exit 1; }

# Programs and their data.
for program in gavelry gavelry-calc; do
    [ -x "$PREFIX/bin/$program" ] || fail "program not installed: bin/$program"
done
for file in UpdateUK_v0102.dat UpdateUS_v0102.dat FeesTodayUK.dat FeesTodayUS.dat gavelry.svg; do
    need_file "$SHARE/gavelry/$file"
done
diff -r "$SOURCE/data/Graphics" "$SHARE/gavelry/Graphics" >/dev/null ||
    fail "share/gavelry/Graphics differs from data/Graphics"
diff -r "$SOURCE/data/examples" "$SHARE/gavelry/examples" >/dev/null ||
    fail "share/gavelry/examples differs from data/examples"
need_file "$SHARE/doc/gavelry/README.md"
need_file "$SHARE/doc/gavelry/price-files.md"

[ -x "$PREFIX/libexec/gavelry/gavelry-update-prices" ] ||
    fail "the price update gavelry-calc runs is not installed: libexec/gavelry/gavelry-update-prices"

# The calculator finds its price files under share/gavelry and works from the installed
# files, for either site, without loading the libraries only its price update needs.
for example in "$SHARE"/gavelry/examples/*.gva; do
    for region in UK US; do
        (cd "$ROOT" && "$PREFIX/bin/gavelry-calc" --region $region "$example") \
            >"$ROOT/calc.out" 2>&1 ||
            fail "gavelry-calc --region $region failed on ${example##*/}: $(cat "$ROOT/calc.out")"
    done
done
grep -q "Profit" "$ROOT/calc.out" || fail "gavelry-calc printed no profit"
if ldd "$PREFIX/bin/gavelry-calc" | grep -Eq 'libQt|libcurl'; then
    fail "gavelry-calc links Qt or libcurl: $(ldd "$PREFIX/bin/gavelry-calc" | grep -E 'libQt|libcurl')"
fi
# Today's schedules are found beside the installed 2008 files.
for region in UK US; do
    (cd "$ROOT" && "$PREFIX/bin/gavelry-calc" --region $region --schedule today \
        "$SHARE/gavelry/examples/single-item-reserve.gva") >"$ROOT/calc.out" 2>&1 ||
        fail "gavelry-calc --region $region --schedule today failed: $(cat "$ROOT/calc.out")"
    grep -q "Total Fees" "$ROOT/calc.out" || fail "gavelry-calc --schedule today printed no fees"
done

# The desktop program finds its price file and Graphics under share/gavelry and reaches its
# main window (a missing price file would stop it with a message instead).
HOME_DIR=$ROOT/home
mkdir -p "$HOME_DIR/Documents"
if ! HOME=$HOME_DIR XDG_CONFIG_HOME=$HOME_DIR/.config XDG_DATA_HOME=$HOME_DIR/.local/share \
    GAVELRY_CONFIG_DIR=$HOME_DIR/config GAVELRY_STARTUP_REPORT=1 \
    QT_QPA_PLATFORM=offscreen timeout 30 "$PREFIX/bin/gavelry" >"$ROOT/gui.out" 2>&1 ||
    ! grep -q "^startup_ms=" "$ROOT/gui.out"; then
    fail "the installed gavelry did not reach its main window: $(cat "$ROOT/gui.out")"
fi

# What it writes goes to the user's data folder, even though the install folder here could be
# written: the log, and the price file the update works on. An auction named on the command
# line opens.
DATA_DIR="$HOME_DIR/.local/share/Tessary/Gavelry UK"
if ! HOME=$HOME_DIR XDG_CONFIG_HOME=$HOME_DIR/.config XDG_DATA_HOME=$HOME_DIR/.local/share \
    GAVELRY_CONFIG_DIR=$HOME_DIR/config GAVELRY_STARTUP_REPORT=1 \
    QT_QPA_PLATFORM=offscreen timeout 30 "$PREFIX/bin/gavelry" DEBUG=TRUE \
    "$SHARE/gavelry/examples/single-item-reserve.gva" >"$ROOT/gui.out" 2>&1; then
    fail "gavelry DEBUG=TRUE FILE did not start: $(cat "$ROOT/gui.out")"
fi
[ -f "$DATA_DIR/GvDebug.log" ] || fail "no log in the user's data folder"
grep -q "End startup" "$DATA_DIR/GvDebug.log" 2>/dev/null || fail "the log lacks the start-up"
grep -q "Load failed" "$DATA_DIR/GvDebug.log" 2>/dev/null && fail "the file named did not load"
cmp -s "$DATA_DIR/UpdateUK_v0102.dat" "$SHARE/gavelry/UpdateUK_v0102.dat" ||
    fail "the price file was not copied to the user's data folder"
written=$(find "$PREFIX" -newer "$ROOT/install.log" -type f)
[ -z "$written" ] || fail "the program wrote into the install folder: $written"

# Desktop entry: opens .gva files, names an installed icon and a known file type.
DESKTOP=$SHARE/applications/$APP_ID.desktop
need_file "$DESKTOP"
if [ -f "$DESKTOP" ]; then
    check "desktop-file-validate rejects the desktop entry" desktop-file-validate "$DESKTOP"
    grep -qx "Exec=gavelry %f" "$DESKTOP" || fail "the desktop entry does not pass a file"
    grep -qx "Icon=gavelry" "$DESKTOP" || fail "the desktop entry's icon is not gavelry"
    grep -qx "MimeType=application/x-gavelry-auction;" "$DESKTOP" ||
        fail "the desktop entry does not open Gavelry auctions"
fi

# File type: *.gva is a Gavelry auction once the MIME database is built.
need_file "$SHARE/mime/packages/gavelry.xml"
check "update-mime-database rejects gavelry.xml" \
    env XDG_DATA_DIRS="$SHARE" update-mime-database "$SHARE/mime"
grep -qx "[0-9]*:application/x-gavelry-auction:\*\.gva" "$SHARE/mime/globs2" ||
    fail "*.gva is not application/x-gavelry-auction in the MIME database"

# Metainfo: valid on its own and with the desktop entry it launches.
METAINFO=$SHARE/metainfo/$APP_ID.metainfo.xml
need_file "$METAINFO"
if [ -f "$METAINFO" ]; then
    check "appstreamcli rejects the metainfo" appstreamcli validate --no-net "$METAINFO"
    check "appstreamcli rejects the installed tree" appstreamcli validate-tree --no-net "$ROOT"
    grep -q "<release version=\"$VERSION\"" "$METAINFO" ||
        fail "the metainfo has no release $VERSION"
fi

# Icons: the scalable picture and a PNG of the right size for every fixed size.
need_file "$SHARE/icons/hicolor/scalable/apps/gavelry.svg"
for size in 16 24 32 48 64 128 256; do
    png=$SHARE/icons/hicolor/${size}x${size}/apps/gavelry.png
    need_file "$png"
    [ -f "$png" ] || continue
    # Bytes 1-8 are the PNG signature; width and height are the IHDR's first two words.
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    [ "$signature" = 89504e470d0a1a0a ] || fail "${size}x${size} icon is not a PNG"
    [ "$width x $height" = "$size x $size" ] ||
        fail "${size}x${size} icon is $width x $height pixels"
done

# Manual page: formats without warnings and covers every option the program offers.
MAN=$SHARE/man/man1/gavelry-calc.1.gz
need_file "$MAN"
if [ -f "$MAN" ]; then
    warnings=$(gzip -dc "$MAN" | groff -man -ww -z -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "the manual page formats with warnings: $warnings"
    page=$(gzip -dc "$MAN" | sed 's/\\-/-/g')
    for option in $("$PREFIX/bin/gavelry-calc" --help | grep -o -- '--[a-z-]*' | sort -u) \
        DEBUG=TRUE; do
        grep -qF -- "$option" <<<"$page" || fail "the manual page does not describe $option"
    done
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES; do
        grep -qx "\.SH \"*$section\"*" <<<"$page" || fail "the manual page has no $section"
    done
    for status in 0 1 2 3; do
        grep -qx "\.B $status" <<<"$page" || fail "the manual page omits exit status $status"
    done
fi

[ "$failures" -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "installed and validated: $(find "$ROOT" -type f | wc -l) files"
