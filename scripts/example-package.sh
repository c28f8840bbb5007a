#!/usr/bin/env bash
# Installs or removes the example package (examples/setup-package) on a
# target system, without a window:
#   scripts/example-package.sh install     Setup /silent from a staged copy of the package
#   scripts/example-package.sh uninstall   the uninstaller copy: kestro.exe /u HelloKestro /silent
# The target system is $KESTRO_SYSTEM (created when it holds none yet), else
# the default one, which Setup creates on first use. The action log goes to
# build/example-package.log; the exit status is Setup's.
set -euo pipefail
cd "$(dirname "$0")/.."
action="${1:-}"
if [ "$action" != install ] && [ "$action" != uninstall ]; then
  echo "usage: $0 install|uninstall" >&2
  exit 2
fi
build=build/release
cmake --preset release >/dev/null
cmake --build --preset release --target Setup kestro-system -j "${JOBS:-2}" >/dev/null
tool="$build/setup/core/kestro-system"
if [ -n "${KESTRO_SYSTEM:-}" ] && [ ! -f "$KESTRO_SYSTEM/kestro-system.ini" ]; then
  "$tool" init
fi
log="$PWD/build/example-package.log"

if [ "$action" = install ]; then
  # A package is the program beside its script and files; named Setup.exe
  # as on Windows, the clean-up of the package folder removes it too.
  stage="$PWD/build/example-package"
  rm -rf "$stage"
  mkdir -p "$stage"
  cp examples/setup-package/* "$stage/"
  cp "$build/setup/app/Setup" "$stage/Setup.exe"
  status=0
  "$stage/Setup.exe" /silent "/log=$log" || status=$?
else
  # The system's list of installed programs names the uninstaller copy in
  # the Windows folder.
  uninstaller="$("$tool" hostpath "$("$tool" expand path '<Windows>\kestro.exe')")"
  status=0
  "$uninstaller" /u HelloKestro /silent "/log=$log" || status=$?
fi
echo "$action: exit status $status (log: $log)"
exit "$status"
