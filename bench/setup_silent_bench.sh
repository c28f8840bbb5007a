#!/usr/bin/env bash
# Times `Setup /silent` and the uninstaller copy (`kestro.exe /u … /silent`)
# on a fresh target system for a package of FILES files of 4 KiB in FOLDERS
# folders (one folder by default), with an [UnFile] list naming every file,
# beside `cp -r` and `rm -r` of the same package folder on the same disk.
# Prints wall-clock seconds and the peak resident memory (/usr/bin/time -v)
# of each program run, and the machine's load before the runs.
#   bench/setup_silent_bench.sh [FILES] [FOLDERS] [ROUNDS]
# Needs the release build's Setup and kestro-system.
set -euo pipefail
cd "$(dirname "$0")/.."
files="${1:-100000}"
folders="${2:-1}"
rounds="${3:-1}"
build="${BUILD:-build/release}"
setup_program="$PWD/$build/setup/app/Setup"
tool="$PWD/$build/setup/core/kestro-system"
work="$(mktemp -d "${TMPDIR:-/tmp}/kestro-silent-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

package="$work/package"
python3 - "$package" "$files" "$folders" <<'PY'
import os, sys
root, files, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
block = b"k" * 4096
lines = ["[Define]", "Application=kestro Setup 1.00", "Name=Bench", "[Install]", "Use=1",
         "Default=<Program>\\Bench", "[Uninstall]", "KeyName=Bench", "Use=1", "[File]", f"Count={files}"]
un_file = ["[UnFile]", f"Count={files}"]
os.makedirs(root)
for f in range(folders if folders > 1 else 0):
    os.makedirs(os.path.join(root, f"d{f}"))
for n in range(1, files + 1):
    sub = f"d{n % folders}" if folders > 1 else ""
    with open(os.path.join(root, sub, f"f{n}.bin"), "wb") as out:
        out.write(block)
    name = f"{sub}\\f{n}.bin" if sub else f"f{n}.bin"
    lines += [f"NewFile{n}=<Setup>\\{name}", f"File{n}={name}"]
    un_file.append(f"File{n}=<Setup>\\{name}")
lines += un_file
with open(os.path.join(root, "Setup.dat"), "w", newline="\r\n") as out:
    out.write("\n".join(lines) + "\n")
PY
cp "$setup_program" "$package/Setup"
sync -f "$package"

# "<wall seconds> <peak KiB>" of one run of the command.
timed() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
    cat "$work/stderr" >&2
    return 1
  }
  cat "$work/time"
}
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  python3 -c "print(f'{$end - $start:.2f}')"
}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg); files=$files folders=$folders"
for round in $(seq 1 "$rounds"); do
  export KESTRO_SYSTEM="$work/system$round"
  "$tool" init >/dev/null
  install="$(timed "$package/Setup" /silent /norun "/log=$work/install$round.log")"
  copy="$(seconds cp -r "$package" "$work/copy$round")"
  sync -f "$work/copy$round"
  uninstaller="$("$tool" hostpath "$("$tool" expand path '<Windows>\kestro.exe')")"
  uninstall="$(timed "$uninstaller" /u Bench /silent /norun "/log=$work/uninstall$round.log")"
  remove="$(seconds rm -r "$work/copy$round")"
  echo "round $round: Setup /silent ${install% *} s (peak ${install#* } KiB), cp -r $copy s;" \
    "kestro.exe /u ${uninstall% *} s (peak ${uninstall#* } KiB), rm -r $remove s"
  rm -rf "$KESTRO_SYSTEM"
done
