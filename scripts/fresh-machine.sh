#!/usr/bin/env bash
# Runs the README's two commands as a new developer would on a machine that has never
# seen Tivorn: a clean Debian 12 root (debootstrap --variant=minbase, from the mirror
# this machine's apt already uses), a clone of main copied into it, then
# ./scripts/run.sh and ./scripts/test.sh inside it as root (chroot, with /proc, /sys,
# /dev and /dev/shm mounted). Prints each command's time, the run command's screenshot
# and CTest's summary line. Too slow for CI (about half an hour); run it by hand as root
# before an install step, the build set-up or the test set-up changes land:
#
#   scripts/fresh-machine.sh [--run-only] [root folder]
#       root folder: default /var/tmp/tivorn-fresh, made anew
#       --run-only: only the run command (its time to the screenshot)
#
# The root shares this machine's network, and with it the abstract X sockets that
# xvfb-run's choice of a free display cannot see (it looks only for lock files in /tmp):
# the root's /tmp holds lock files for displays 99 to 199, so its displays start at 200
# and never meet those of this machine's own runs.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
run_only=0
if [ "${1:-}" = --run-only ]; then run_only=1; shift; fi
FRESH=$(realpath -m "${1:-/var/tmp/tivorn-fresh}")
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine.sh: run as root (debootstrap, chroot, mounts)" >&2; exit 2; }
source "$ROOT/scripts/apt-mirror.sh"
mirror=$(require_debian_mirror)

if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

suite_intact() {  # <archive> <suite>: apt reads the suite's amd64 and i386 indexes without an error
  local lists status=0
  lists=$(mktemp -d)
  echo "deb $1 $2 main" >"$lists/sources.list"
  mkdir -p "$lists/partial"
  apt-get update -qq -o Dir::Etc::sourcelist="$lists/sources.list" -o Dir::Etc::sourceparts=- \
    -o Dir::State::Lists="$lists" -o APT::Architectures::=amd64 -o APT::Architectures::=i386 \
    -o APT::Get::List-Cleanup=0 >"$lists/log" 2>&1 || status=$?
  grep -q '^[EW]: Failed to fetch' "$lists/log" && status=1
  rm -rf "$lists"
  return $status
}

unmount_all() {
  local m
  for m in dev/shm dev/pts dev sys proc; do
    mountpoint -q "$FRESH/$m" && umount -l "$FRESH/$m" || true
  done
}
trap unmount_all EXIT

if [ -d "$FRESH" ]; then unmount_all; rm -rf --one-file-system "$FRESH"; fi
mkdir -p "$FRESH"
start=$(date +%s)
debootstrap --variant=minbase bookworm "$FRESH" "$mirror" >"$FRESH.debootstrap.log" 2>&1 \
  || { tail -20 "$FRESH.debootstrap.log"; exit 1; }
echo "clean root: debootstrap --variant=minbase bookworm from $mirror, $(($(date +%s) - start)) s"

# The apt sources a new Debian 12 machine has: this machine's Debian archive and its
# updates and security suites, binary packages only (what the project adds to them,
# it must add itself).
security=$(debian_security || true)
if [ -n "$security" ] && ! suite_intact "$security" bookworm-security; then
  # A machine whose apt cannot read the security archive installs from the release and
  # its updates alone; left in, the suite gives 64-bit packages newer than their 32-bit
  # halves, and apt refuses the pair.
  echo "clean root: $security left out: its bookworm-security indexes (amd64, i386) do not download intact"
  security=""
fi
{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  [ -z "$security" ] || echo "deb $security bookworm-security main"
} >"$FRESH/etc/apt/sources.list"
cp /etc/resolv.conf "$FRESH/etc/resolv.conf" 2>/dev/null || true

# A clone of main, as `git clone` gives it (what is committed, nothing of this tree's build).
git clone -q --branch main --no-hardlinks "$ROOT" "$FRESH/root/tivorn"
echo "clone: main at $(git -C "$FRESH/root/tivorn" log -1 --format='%h %s')"

for n in $(seq 99 199); do touch "$FRESH/tmp/.X$n-lock"; done

mount -t proc proc "$FRESH/proc"
mount -t sysfs sys "$FRESH/sys"
mount --bind /dev "$FRESH/dev"
mount -t devpts devpts "$FRESH/dev/pts" -o newinstance,ptmxmode=0666 2>/dev/null || true
mount -t tmpfs shm "$FRESH/dev/shm"

in_root() {  # <log name> <command>: runs a README command in the clone inside the root
  local log=$1 command=$2 began status=0
  began=$(date +%s)
  chroot "$FRESH" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    TERM=dumb bash -c "cd /root/tivorn && $command" >"$FRESH/root/$log.log" 2>&1 || status=$?
  echo "$command: exit $status after $(( ($(date +%s) - began) / 60 )) min $(( ($(date +%s) - began) % 60 )) s" \
       "(log: $FRESH/root/$log.log)"
  return $status
}

run_status=0 test_status=0
in_root run ./scripts/run.sh || run_status=$?
grep -E '^Screenshot of the main window' "$FRESH/root/run.log" || tail -15 "$FRESH/root/run.log"
if [ $run_only -eq 1 ]; then
  echo "fresh machine: run.sh exit $run_status, $(( ($(date +%s) - start) / 60 )) min in all"
  exit $run_status
fi
in_root test ./scripts/test.sh || test_status=$?
grep -E 'tests passed|tests failed|Total Test time' "$FRESH/root/test.log" || tail -30 "$FRESH/root/test.log"
grep -E '^\s+[0-9]+ - .*\((Failed|Timeout|Not Run)' "$FRESH/root/test.log" || true
echo "fresh machine: run.sh exit $run_status, test.sh exit $test_status, $(( ($(date +%s) - start) / 60 )) min in all"
[ $run_status -eq 0 ] && [ $test_status -eq 0 ]
