#!/usr/bin/env bash
# Builds and tests a clean clone of this repository inside a minimal Debian 13 (trixie) tree,
# with the README's test command, so that a release other than the machine's own is kept
# working. Needs root (debootstrap, chroot, mounts) and Debian's package mirror.
#
# The tree is kept between runs in YURA_DEBIAN13_ROOT (default /var/cache/yuragine/debian13):
# the second run skips debootstrap and the packages already installed there.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
root=${YURA_DEBIAN13_ROOT:-/var/cache/yuragine/debian13}
mirror=${YURA_DEBIAN_MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
  echo "test-debian13: run as root (debootstrap and chroot need it)" >&2
  exit 1
fi

if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
fi

# A tree whose debootstrap did not finish is started again, not patched.
if [ ! -e "$root/.yura-tree-complete" ]; then
  echo "test-debian13: making a Debian 13 tree in $root"
  rm -rf "$root"
  mkdir -p "$root"
  debootstrap --variant=minbase trixie "$root" "$mirror"
  touch "$root/.yura-tree-complete"
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT

mountInto() { # type-or-bind source target
  local target="$root$3"
  mkdir -p "$target"
  if [ "$1" = rbind ]; then
    mount --rbind "$2" "$target"
    mount --make-rslave "$target"
  else
    mount -t "$1" "$2" "$target"
  fi
  mounted+=("$target")
}

mountInto proc proc /proc
mountInto rbind /sys /sys
mountInto rbind /dev /dev
# Chromium's renderers share memory through /dev/shm.
mountInto tmpfs shm /dev/shm
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

# A clean clone of what is committed here, as CI would build it.
rm -rf "$root/root/yuragine"
git clone -q "$repo" "$root/root/yuragine"

echo "test-debian13: README command (b) inside the tree"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 TERM=dumb \
  bash -c 'cd /root/yuragine && bash scripts/test.sh'
echo "test-debian13: passed"
