#!/usr/bin/env bash
# The installed program and its Debian package:
#   - `cmake --install` into a temporary prefix writes the `locale` file from the installer's
#     language once, and the programs run from there through their links in bin/, finding the
#     translations and writing nothing beside themselves;
#   - --help, --version and `help COMMAND` answer, the manual pages hold every command;
#   - the desktop entry and metadata validate, the icons are the size their folders say;
#   - the package made by cpack holds exactly the installed files, depends on the libraries the
#     programs link and on what they start, and its maintainer scripts write and remove the
#     `locale` file and register the entry for the recordings' types.
# Usage: test_install_package.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
fail=0
failed() {
    echo "FAIL: $*"
    fail=1
}
fatal() {
    echo "FAIL: $*"
    exit 1
}

tmp=$(mktemp -d)
tmp=$(cd "$tmp" && pwd -P)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
programs=$prefix/lib/vistrel
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=org.vistrel.Vistrel
[ -n "$version" ] || fatal "no project version in $build/CMakeCache.txt"

# --- install -------------------------------------------------------------------------------------
env LC_ALL= LC_MESSAGES= LANG=fr_FR.UTF-8 cmake --install "$build" --prefix "$prefix" \
    >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; fatal "cmake --install failed"; }
cp "$build/install_manifest.txt" "$tmp/manifest.txt"
[ "$(cat "$programs/locale" 2>/dev/null)" = fr ] || failed "locale after install: '$(cat "$programs/locale" 2>/dev/null)', expected fr"
grep -qx "$programs/locale" "$tmp/manifest.txt" || failed "the locale file is not in install_manifest.txt"
# A second install keeps the language chosen.
env LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 cmake --install "$build" --prefix "$prefix" >/dev/null 2>&1 \
    || fatal "second cmake --install failed"
[ "$(cat "$programs/locale")" = fr ] || failed "a second install replaced the locale file"

for program in vistrel vistrel-tool; do
    [ -L "$prefix/bin/$program" ] || failed "bin/$program is not a link"
    [ "$(readlink -f "$prefix/bin/$program")" = "$programs/$program" ] \
        || failed "bin/$program leads to $(readlink -f "$prefix/bin/$program")"
done
[ ! -e "$programs/model" ] || failed "a model file was installed"

# --- command lines -------------------------------------------------------------------------------
out=$("$prefix/bin/vistrel" --version) || failed "vistrel --version exit $?"
[ "$out" = "vistrel $version" ] || failed "vistrel --version: '$out'"
out=$("$prefix/bin/vistrel-tool" --version) || failed "vistrel-tool --version exit $?"
[ "$out" = "vistrel-tool $version" ] || failed "vistrel-tool --version: '$out'"
# --help needs no display.
out=$(env -u DISPLAY "$prefix/bin/vistrel" --help) || failed "vistrel --help exit $?"
case $out in "Usage: vistrel "*) ;; *) failed "vistrel --help: '$out'" ;; esac
commands=$("$prefix/bin/vistrel-tool" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z]*\) .*/\1/p')
[ "$(echo $commands)" = "probe telemetry list trips repair export clip verify frame report bench" ] \
    || failed "vistrel-tool --help lists: $(echo $commands)"
zcat "$prefix/share/man/man1/vistrel-tool.1.gz" >"$tmp/tool.1" || failed "vistrel-tool.1.gz"
for command in $commands; do
    help=$("$prefix/bin/vistrel-tool" help "$command") || failed "help $command exit $?"
    case $help in "Usage: vistrel-tool $command "*) ;; *) failed "help $command: '$help'" ;; esac
    grep -q "^\.SS $command\$" "$tmp/tool.1" || failed "the manual page lacks $command"
done
zcat "$prefix/share/man/man1/vistrel.1.gz" | grep -q '^\.TH VISTREL "1" .*"vistrel '"$version"'"' \
    || failed "vistrel.1.gz has no title line with the version"

# --- a recording through the installed tool -------------------------------------------------------
recording=$tmp/20240314_153012D.mp4
"$build/tools/make-recording" --video 160x90 --video 160x90 --duration 2 --telemetry tlmd \
    "$recording" >/dev/null 2>&1 || fatal "make-recording failed"
probe=$("$prefix/bin/vistrel-tool" probe "$recording" 2>"$tmp/probe.log") || failed "probe exit $?"
echo "$probe" | grep -q '"videoCount": 2' || failed "probe: $probe"
"$prefix/bin/vistrel-tool" report "$recording" --time 1 --no-map --out "$tmp/report.pdf" \
    >/dev/null 2>"$tmp/report.log" || { cat "$tmp/report.log"; failed "report failed"; }
pdfinfo "$tmp/report.pdf" | grep -q "^Creator: .*(Vistrel $version)\$" \
    || failed "the report's creator: $(pdfinfo "$tmp/report.pdf" | grep Creator)"

# --- the installed viewer ------------------------------------------------------------------------
before=$(ls -AR "$programs")
if [ -f "$programs/translations/Vistrel_fr.qm" ]; then loaded="translation loaded"; else loaded="translation not loaded"; fi
start_viewer() { # log file, then arguments
    local log=$1
    shift
    env VISTREL_QUIT_AFTER_START=1 "$@" --verbose 2>"$log"
}
if [ -n "${DISPLAY:-}" ]; then
    start_viewer "$tmp/x11.log" "$prefix/bin/vistrel" "$recording"
    code=$?
    [ $code -eq 0 ] || failed "the viewer on the X display exited $code: $(tail -5 "$tmp/x11.log")"
    grep -qx "resource:  french , qm:  $programs/translations/Vistrel_fr" "$tmp/x11.log" \
        || failed "no translation path in the program folder: $(grep '^resource' "$tmp/x11.log")"
    grep -qx "$loaded" "$tmp/x11.log" || failed "expected '$loaded': $(grep '^translation' "$tmp/x11.log")"
    grep -q "^startup: language french, .*, path $recording\$" "$tmp/x11.log" \
        || failed "start-up line: $(grep '^startup' "$tmp/x11.log")"
else
    echo "no DISPLAY: the X11 start is left out"
fi
# The framework's own options are not the path to open.
start_viewer "$tmp/offscreen.log" env -u DISPLAY "$prefix/bin/vistrel" -platform offscreen
code=$?
[ $code -eq 0 ] || failed "the offscreen viewer exited $code: $(tail -5 "$tmp/offscreen.log")"
grep -q "^startup: language french, .*, path \$" "$tmp/offscreen.log" \
    || failed "offscreen start-up line: $(grep '^startup' "$tmp/offscreen.log")"
[ "$(ls -AR "$programs")" = "$before" ] || failed "the programs wrote beside themselves: $(ls -AR "$programs")"

# --- desktop files -------------------------------------------------------------------------------
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" >"$tmp/desktop.log" 2>&1 || { cat "$tmp/desktop.log"; failed "desktop-file-validate"; }
appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.log" 2>&1 \
    || { cat "$tmp/appstream.log"; failed "appstreamcli validate"; }
grep -qx "Icon=$app_id" "$desktop" || failed "the desktop entry's icon"
grep -q "<release version=\"$version\"" "$metainfo" || failed "the metadata's release"
png_size() { # width x height from the PNG header
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}
for side in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${side}x$side/apps/$app_id.png
    [ "$(png_size "$icon" 2>/dev/null)" = "${side}x$side" ] || failed "icon $icon: $(png_size "$icon" 2>&1)"
done
grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" || failed "no scalable icon"

# --- the Debian package --------------------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fatal "cpack failed"; }
deb=$tmp/package/vistrel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fatal "no $deb: $(ls "$tmp/package")"
# Files and links of the package, against what `cmake --install` put into the prefix.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's,^\./,/,' | sort >"$tmp/deb.txt"
grep -vx "$programs/locale" "$tmp/manifest.txt" | sed "s,^$prefix/,/usr/," | sort >"$tmp/expected.txt"
diff -u "$tmp/expected.txt" "$tmp/deb.txt" >"$tmp/contents.diff" \
    || { cat "$tmp/contents.diff"; failed "the package holds other files than the install"; }
depends=$(dpkg-deb -f "$deb" Depends)
for package in ffmpeg iputils-ping fonts-noto-cjk fonts-noto-core fonts-liberation2 \
    libqt5multimedia5-plugins libqt5core5a libqt5webenginewidgets5 libavformat59 libc6; do
    echo ", $depends," | grep -q ", $package[ ,]" || failed "Depends lacks $package: $depends"
done

# Maintainer scripts, on the package unpacked into a root of its own (dpkg's DPKG_ROOT).
root=$tmp/root
dpkg-deb -x "$deb" "$root" && dpkg-deb -e "$deb" "$root/DEBIAN" || fatal "cannot unpack $deb"
for script in postinst prerm postrm; do
    [ -x "$root/DEBIAN/$script" ] || failed "$script is missing or not executable"
done
mkdir -p "$root/etc/default"
echo 'LANG="de_DE.UTF-8"' >"$root/etc/default/locale"
env DPKG_ROOT="$root" LANG=ja_JP.UTF-8 "$root/DEBIAN/postinst" configure || failed "postinst exit $?"
[ "$(cat "$root/usr/lib/vistrel/locale")" = ge ] \
    || failed "postinst wrote '$(cat "$root/usr/lib/vistrel/locale")', expected ge (the system's language)"
if command -v update-desktop-database >/dev/null; then
    for type in video/mp4 video/x-msvideo; do
        grep -q "^$type=.*$app_id.desktop" "$root/usr/share/applications/mimeinfo.cache" \
            || failed "the desktop database does not offer the viewer for $type"
    done
fi
env DPKG_ROOT="$root" "$root/DEBIAN/prerm" upgrade || failed "prerm upgrade exit $?"
[ -f "$root/usr/lib/vistrel/locale" ] || failed "an upgrade removed the locale file"
env DPKG_ROOT="$root" "$root/DEBIAN/prerm" remove || failed "prerm remove exit $?"
[ ! -e "$root/usr/lib/vistrel/locale" ] || failed "removal left the locale file"
# Without a system setting, the environment's language.
rm "$root/etc/default/locale"
env DPKG_ROOT="$root" LANG=ja_JP.UTF-8 "$root/DEBIAN/postinst" configure || failed "postinst exit $?"
[ "$(cat "$root/usr/lib/vistrel/locale")" = ja ] || failed "postinst without /etc/default/locale wrote '$(cat "$root/usr/lib/vistrel/locale")'"

[ $fail -eq 0 ] && echo "installed $prefix and $(basename "$deb") as expected"
exit $fail
