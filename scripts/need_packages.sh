#!/bin/sh
# Installs those of the named Debian packages that are not installed yet:
# with apt-get as root, else through sudo when sudo can ask for (or needs no)
# password. Otherwise it names the missing packages and the command to run
# as root, and fails. Give it every package a run needs at once, so that it
# asks (or stops) once.
#   scripts/need_packages.sh PACKAGE...
set -eu
missing=
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q ' installed$' ||
    missing="$missing $package"
done
[ -n "$missing" ] || exit 0
missing=${missing# }

if [ "$(id -u)" -eq 0 ]; then
  as_root=
elif command -v sudo > /dev/null 2>&1 &&
     { sudo -n true 2> /dev/null || (exec < /dev/tty) 2> /dev/null; }; then
  as_root=sudo
else
  echo "Missing Debian packages: $missing" >&2
  echo "Install them as root, then run make again:" >&2
  echo "  apt-get update && apt-get install -y $missing" >&2
  exit 1
fi
echo "Installing: $missing"
# sudo would drop DEBIAN_FRONTEND from the environment; env passes it on.
$as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
