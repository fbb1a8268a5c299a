#!/usr/bin/env bash
# Installs into a temporary prefix, moves the prefix elsewhere (so neither the build tree nor
# the install path can be what the programs rely on) and runs the installed programs from
# there. The installed language file is marked, so the CLI's output shows which file it read.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/staged" >"$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"
mv "$work/staged" "$work/moved"
prefix=$work/moved

for f in bin/rps360t-cli bin/rps360t-sim bin/rps360t; do
    [ -x "$prefix/$f" ] || fail "$f is not installed"
done
for f in share/rps360t/rps360t.lng share/applications/rps360t.desktop \
    share/icons/hicolor/scalable/apps/rps360t.svg share/mime/packages/rps360t.xml; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
# The help collections sit beside the language file, when the build made them.
if [ -f "$build/src/RPS360T_E_en.qhc" ]; then
    for f in RPS360T_E_en.qhc RPS360T_E_en.qch RPS360T_E_adv_en.qhc RPS360T_E_adv_en.qch; do
        [ -f "$prefix/share/rps360t/$f" ] || fail "help $f is not installed"
    done
fi
grep -q '^Exec=rps360t --open %f$' "$prefix/share/applications/rps360t.desktop" || fail "desktop command"
grep -q 'MimeType=application/x-rps360t-data;' "$prefix/share/applications/rps360t.desktop" || fail "desktop type"
grep -q 'value="RPS-360T' "$prefix/share/mime/packages/rps360t.xml" || fail "data file tag"

# Text 1262 ("Read %s into %s") marked in the installed copy only.
sed -i 's/^\(\^#10052625\),Read %s into %s$/\1,Installed copy read %s into %s/' "$prefix/share/rps360t/rps360t.lng"
grep -q 'Installed copy read' "$prefix/share/rps360t/rps360t.lng" || fail "could not mark the language file"

"$prefix/bin/rps360t-sim" --link "$work/sim.tty" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do
    [ -e "$work/sim.tty" ] && break
    sleep 0.1
done
[ -e "$work/sim.tty" ] || fail "the installed simulator did not start: $(cat "$work/sim.out")"

(cd "$work" && "$prefix/bin/rps360t-cli" read --port sim.tty -o site.dat </dev/null 2>"$work/read.err") ||
    fail "installed CLI read: $(cat "$work/read.err")"
grep -q '^Installed copy read QLM-' "$work/read.err" || fail "the CLI did not use the installed language file: $(cat "$work/read.err")"
"$prefix/bin/rps360t-cli" info "$work/site.dat" >"$work/info.out" || fail "installed CLI info"
grep -q '^Model: *QLM-' "$work/info.out" || fail "info: $(cat "$work/info.out")"

# The desktop knows a data file by its header tag, whatever its name; a .dat file without the
# tag is not one. Checked where the desktop's own tools are installed.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
    printf 'hello world\n' >"$work/notes.dat"
    cp "$work/site.dat" "$work/renamed.bin"
    typeOf() {
        XDG_DATA_HOME="$work/no-user-data" XDG_DATA_DIRS="$prefix/share:/usr/share" \
            gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
    }
    [ "$(typeOf "$work/site.dat")" = application/x-rps360t-data ] || fail "site.dat is $(typeOf "$work/site.dat")"
    [ "$(typeOf "$work/renamed.bin")" = application/x-rps360t-data ] || fail "renamed.bin is $(typeOf "$work/renamed.bin")"
    [ "$(typeOf "$work/notes.dat")" != application/x-rps360t-data ] || fail "a text file named .dat is taken for a data file"
fi

# The desktop program answers --help and --version with no display at all.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/rps360t" --help >"$work/help.out" 2>&1 ||
    fail "rps360t --help: $(cat "$work/help.out")"
grep -q '^usage: rps360t' "$work/help.out" || fail "rps360t --help printed: $(cat "$work/help.out")"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/rps360t" --version >"$work/version.out" 2>&1 ||
    fail "rps360t --version"
grep -q '^rps360t 1.00$' "$work/version.out" || fail "rps360t --version printed: $(cat "$work/version.out")"
# Without a display and without a platform named, it says so and how to run it (no abort).
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/rps360t" >"$work/nodisplay.out" 2>&1 || status=$?
[ "$status" = 2 ] || fail "rps360t without a display ended with $status: $(cat "$work/nodisplay.out")"
grep -q 'xvfb-run' "$work/nodisplay.out" || fail "rps360t without a display printed: $(cat "$work/nodisplay.out")"
grep -q -- '-platform offscreen' "$work/nodisplay.out" || fail "rps360t without a display printed: $(cat "$work/nodisplay.out")"
# An installed program without its language file says so and where it looked; it never falls
# back to the source tree it was built from.
rm "$prefix/share/rps360t/rps360t.lng"
timeout 5 env -u QT_QPA_PLATFORM "$prefix/bin/rps360t" -platform offscreen >"$work/nolang.out" 2>&1 </dev/null || true
grep -q "Can't read language file" "$work/nolang.out" ||
    fail "rps360t without its language file printed: $(cat "$work/nolang.out")"
grep -qF "$prefix/share/rps360t/rps360t.lng" "$work/nolang.out" ||
    fail "rps360t did not name where it looked: $(cat "$work/nolang.out")"
echo "installed programs ran from $prefix"
