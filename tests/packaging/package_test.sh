#!/usr/bin/env bash
# The Debian package as apt sees it: CPack builds it from the build tree into a temporary
# folder; its control file must name the runtime libraries the programs load (Qt among them,
# and the platform plugins without which no window opens) and no build-only package, and its
# contents must hold the programs and the private library folder. Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d "${TMPDIR:-/tmp}/lumora-package.XXXXXX")
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" > "$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/lumora-control_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(sed 's/ *([^)]*)//g; s/ *| */\n/g; s/, */\n/g' <<< "$depends")
for package in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libstdc++6 libc6; do
  grep -qxF "$package" <<< "$names" || fail "Depends lacks $package"
done
! grep -E -- '-dev$|^(cmake|ninja-build|g\+\+|gcc|build-essential|dpkg-dev)$' <<< "$names" || fail "Depends names a build-only package"

contents=$(dpkg-deb -c "$deb")
for path in usr/bin/lumora-control usr/bin/lumora-camsim usr/lib/lumora-control/libclserial.so \
            usr/share/applications/com.norvik.LumoraControl.desktop; do
  grep -q " \./$path$" <<< "$contents" || fail "the package lacks /$path"
done
if compgen -G "$build/python/lumora.*.so" > /dev/null; then
  grep -q -E ' \./usr/lib/python3/dist-packages/lumora\.cpython-[^/]*\.so$' <<< "$contents" || fail "the package lacks the Python module"
fi
! grep -E '^d.{7}w' <<< "$contents" || fail "the package holds folders that others may write"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
