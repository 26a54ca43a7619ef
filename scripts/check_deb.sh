#!/usr/bin/env bash
# Checks the Debian package that ./build.sh deb made, without installing it into the system:
#   scripts/check_deb.sh PACKAGE.deb
# lintian must report no error and no warning; the package is unpacked into a temporary root
# (dpkg -x), where the desktop entry must validate, the programs must be hardened and stripped,
# the installed orvak-cli must read a test file, and our file types and the desktop entry must be
# what the desktop's tools (shared-mime-info, xdg-mime) find for GAEB files and project files.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$1"
failures=0
fail() {
    echo "check_deb: $*" >&2
    failures=$((failures + 1))
}

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT

# Dependencies: those dpkg-shlibdeps found and the ones it cannot see.
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

lintian_tags="$root/lintian.txt"
if ! lintian --fail-on error,warning --display-info --pedantic "$deb" >"$lintian_tags" 2>&1; then
    fail "lintian reports errors or warnings"
fi
cat "$lintian_tags"

dpkg -x "$deb" "$root/pkg"
usr="$root/pkg/usr"
desktop-file-validate "$usr/share/applications/orvak.desktop" || fail "the desktop entry does not validate"
for f in bin/orvak bin/orvak-cli share/mime/packages/orvak.xml share/icons/hicolor/scalable/apps/orvak.svg \
    share/icons/hicolor/48x48/apps/orvak.png share/man/man1/orvak.1.gz share/man/man1/orvak-cli.1.gz \
    share/doc/orvak/copyright share/doc/orvak/changelog.gz; do
    [ -f "$usr/$f" ] || fail "missing /usr/$f"
done

pdf_module="$(cd "$usr" && ls lib/*/orvak/orvak-cli-pdf.so 2>/dev/null || true)"
[ -n "$pdf_module" ] || fail "missing /usr/lib/<multiarch>/orvak/orvak-cli-pdf.so"

# Hardening: position-independent, RELRO bound at start-up, fortified calls, no symbols left.
for program in bin/orvak bin/orvak-cli $pdf_module; do
    elf="$usr/$program"
    header="$(readelf -hlSdW --dyn-syms "$elf" 2>&1 || true)"
    grep -q 'Type:.*DYN' <<<"$header" || fail "$program is not position-independent"
    grep -q GNU_RELRO <<<"$header" || fail "$program has no RELRO segment"
    grep -Eq 'BIND_NOW|FLAGS_1.*NOW' <<<"$header" || fail "$program is not bound at start-up"
    grep -Eq '__[a-z]+_chk@' <<<"$header" || fail "$program calls no fortified function"
    if grep -Eq '\.symtab|\.debug_|\.comment' <<<"$header"; then fail "$program is not stripped"; fi
done

# The installed command line tool reads a test file as the one from the build does, and
# writes a project file (used for the file types below).
dump="$root/dump.txt"
if "$usr/bin/orvak-cli" dump tests/data/gaeb90/lv_basic.D83 >"$dump"; then
    cmp -s "$dump" tests/data/cli/lv_basic.dump ||
        fail "orvak-cli dump from the package differs from tests/data/cli/lv_basic.dump"
else
    fail "orvak-cli dump from the package failed"
fi
files="$root/files"
mkdir "$files"
# Only its pdf command loads Qt, from its module.
if ldd "$usr/bin/orvak-cli" | grep -q libQt6; then fail "orvak-cli links Qt"; fi
if ! "$usr/bin/orvak-cli" pdf tests/data/gaeb90/lv_basic.D83 "$root/bid.pdf" || [ "$(head -c 5 "$root/bid.pdf")" != "%PDF-" ]; then
    fail "orvak-cli pdf from the package failed"
fi
if ! "$usr/bin/orvak-cli" convert tests/data/gaeb90/lv_basic.D83 "$files/Angebot.ovf" >/dev/null; then
    fail "orvak-cli convert from the package failed"
    printf 'no project' >"$files/Angebot.ovf"
fi

# File types and the default application, as a desktop resolves them for a user who has the
# package installed (the package's share/ as the user's data folder). Without a desktop session
# xdg-mime asks shared-mime-info (through mimetype) and the desktop database.
data="$root/data"
mkdir -p "$data/mime/packages" "$data/applications"
cp "$usr/share/mime/packages/orvak.xml" "$data/mime/packages/"
cp "$usr/share/applications/orvak.desktop" "$data/applications/"
XDG_DATA_HOME="$data" update-mime-database "$data/mime"
XDG_DATA_HOME="$data" update-desktop-database "$data/applications"
xdg_mime() {
    XDG_DATA_HOME="$data" XDG_CONFIG_HOME="$root/config" XDG_CURRENT_DESKTOP="" DESKTOP_SESSION="" xdg-mime "$@"
}
# Each name gets the content of a file of its kind.
cp tests/data/gaeb90/lv_basic.D83 "$files/LV.D83"
cp tests/data/gaeb90/lv_basic.d84 "$files/lv.d84"
cp tests/data/gaeb2000/small.P83 "$files/LV.P83"
cp tests/data/gaeb2000/small.P83 "$files/lv.p84"
cp tests/data/gaebxml/lv_small.X83 "$files/LV.X83"
cp tests/data/gaebxml/lv_small_expected.X84 "$files/lv.X84"
cp "$files/Angebot.ovf" "$files/ANGEBOT.OVF"
cp "$files/Angebot.ovf" "$files/Angebot.Ovf"
while read -r name type; do
    found="$(xdg_mime query filetype "$files/$name" 2>&1 || true)"
    [ "$found" = "$type" ] || fail "$name: file type '$found', expected $type"
    default="$(xdg_mime query default "$type" 2>&1 || true)"
    [ "$default" = "orvak.desktop" ] || fail "$name: default application '$default', expected orvak.desktop"
done <<'EOF'
LV.D83 application/x-gaeb-d83
lv.d84 application/x-gaeb-d84
LV.P83 application/x-gaeb-p83
lv.p84 application/x-gaeb-p84
LV.X83 application/x-gaeb-x83
lv.X84 application/x-gaeb-x84
Angebot.ovf application/x-orvak-project
ANGEBOT.OVF application/x-orvak-project
Angebot.Ovf application/x-orvak-project
EOF

if [ "$failures" -ne 0 ]; then
    echo "check_deb: $failures check(s) of $deb failed" >&2
    exit 1
fi
echo "check_deb: $deb passed (lintian, desktop entry, hardening, orvak-cli, file types)"
