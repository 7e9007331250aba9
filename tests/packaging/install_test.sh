#!/usr/bin/env bash
# The installed program, away from the build tree: `cmake --install` into a temporary DESTDIR
# (under a umask that would leave folders group-writable), the files a desktop needs, their
# validators, and the installed tool started from there against the installed simulated
# camera, once on a serial port and once through the Camera Link library it ships, each run
# ended with SIGTERM. Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
id=com.norvik.LumoraControl
work=$(mktemp -d "${TMPDIR:-/tmp}/lumora-install.XXXXXX")
sim=
tool=
cleanup() {
  for pid in $tool $sim; do kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(umask 002; DESTDIR=$work/root cmake --install "$build" --prefix /usr > "$work/install.log")
usr=$work/root/usr

# What the issue asks to be installed, and nothing that leads back into the build tree.
for f in bin/lumora-control bin/lumora-camsim \
         lib/lumora-control/libclsersim.so lib/lumora-control/libclserial.so lib/lumora-control/libclallserial.so \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg; do
  [ -f "$usr/$f" ] || fail "not installed: $f"
done
if [ -x "$build/bin/lumora-cli" ]; then
  [ -x "$usr/bin/lumora-cli" ] || fail "lumora-cli not installed"
  # The manual page must render without a warning (a broken macro shows only when read).
  [ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/lumora-cli.1" 2>&1 >/dev/null)" ] || fail "lumora-cli.1 does not render cleanly"
fi
# The Python module, where the system's interpreter looks for the /usr prefix.
python_module=()
if compgen -G "$build/python/lumora.*.so" > /dev/null; then
  python_module=("$usr"/lib/python3/dist-packages/lumora.*.so)
  [ -f "${python_module[0]}" ] && [ -f "$usr/lib/python3/dist-packages/lumora.pyi" ] || fail "the Python module is not installed"
fi
! readelf -d "$usr"/bin/* "$usr"/lib/lumora-control/* "${python_module[@]}" | grep -E 'R(UN)?PATH' || fail "installed files carry a library path"

# Each PNG is as large as the folder it sits in says (width and height from its header).
pngs=("$usr"/share/icons/hicolor/*x*/apps/$id.png)
[ -f "${pngs[0]}" ] || fail "no PNG icons"
for png in "${pngs[@]}"; do
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{printf "%dx%d", $3*256+$4, $7*256+$8}')
  [[ $png == */${size}/apps/* ]] || fail "$png is $size"
done

# The menu entry starts an installed program with an installed icon; both files validate.
desktop=$usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$usr/bin/$exec_name" ] || fail "Exec=$exec_name is not installed"
[ -f "$usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "Icon=$icon_name is not installed"
appstreamcli validate-tree --no-net "$work/root" > "$work/appstream.log" || { cat "$work/appstream.log"; fail "appstreamcli"; }

# The installed tool against the installed simulated camera, on a private settings file.
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen
conf=$XDG_CONFIG_HOME/Norvik/Lumora\ Camera\ Control\ Tool.conf
mkdir -p "$(dirname "$conf")"
"$usr/bin/lumora-camsim" --log "$work/pty.log" > "$work/sim.out" &
sim=$!
for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
pty=$(head -n 1 "$work/sim.out")
[ -n "$pty" ] || fail "lumora-camsim printed no device"

# Starts the tool, waits until the camera's log shows its model answered, ends it with SIGTERM.
run_tool() {
  local log=$1
  "$usr/bin/lumora-control" > "$work/tool.out" 2>&1 &
  tool=$!
  for _ in $(seq 300); do
    grep -q '"tx".*MD=' "$log" 2>/dev/null && break
    kill -0 "$tool" 2>/dev/null || { cat "$work/tool.out"; fail "the tool ended by itself"; }
    sleep 0.1
  done
  grep -q '"tx".*MD=' "$log" 2>/dev/null || { cat "$work/tool.out"; fail "no model answer in $log"; }
  kill -TERM "$tool"
  local status=0
  wait "$tool" || status=$?
  tool=
  [ "$status" -eq 0 ] || { cat "$work/tool.out"; fail "the tool ended with $status on SIGTERM"; }
  grep -q '^Previous%20Application%20Shutdown%20Status=1$' "$conf" || fail "the run did not end normally"
}

# A fresh settings file for each run: [General] values, then the port map.
write_settings() {
  { echo '[General]'; echo 'Previous%20Application%20Shutdown%20Status=1'; printf '%s\n' "$@"; } > "$conf"
}

write_settings 'Communication%20Mode=0' 'Com%20Port%20No=0' '[Ports]' "COM1=$pty"
run_tool "$work/pty.log"

# Mode 1 finds the shipped libraries only in the folder it is told; its port list holds every
# libclser*.so there in name order, the simulated frame grabber's among them.
index=$(cd "$usr/lib/lumora-control" && printf '%s\n' libclser*.so | LC_ALL=C sort | grep -n -x libclsersim.so | cut -d: -f1)
write_settings 'Communication%20Mode=1' "Cameralink%202000%20Dll%20Index=$((index - 1))" \
  "Camera%20Link%20Library%20Folder=$usr/lib/lumora-control"
LUMORA_CAMSIM_LOG=$work/cl.log run_tool "$work/cl.log"
# The installed module, imported by the system's interpreter as a script would, reads the
# installed simulated camera.
if [ ${#python_module[@]} -gt 0 ]; then
  # A sanitized module needs its runtime loaded before the interpreter's own libraries.
  preload=
  [ "${LUMORA_SANITIZE:-}" = address ] && preload="$(gcc -print-file-name=libasan.so) $(gcc -print-file-name=libstdc++.so)"
  model=$(env -u PYTHONHOME LD_PRELOAD="$preload" ASAN_OPTIONS=detect_leaks=0 \
          PYTHONPATH="$usr/lib/python3/dist-packages" /usr/bin/python3 -c \
          'import sys, lumora; print(lumora.open(sys.argv[1]).model)' "$pty") || fail "the installed module does not run"
  [ "$model" = KT-5100W-QBCL ] || fail "the installed module read the model \"$model\""
fi
echo "installed tree ok: $(find "$work/root" -type f | wc -l) files"
