#!/usr/bin/env bash
# Installs the Debian packages of what is missing, with one apt-get for all, as root or through sudo.
# usage: .ci/need.sh WHAT[=PACKAGE[,PACKAGE...]] ...
#   WHAT is a command looked up on the PATH, an absolute path (a glob) of a file the package installs, or
#   dpkg:PACKAGE for a package that installs neither; PACKAGE defaults to WHAT.
#   .ci/need.sh cmake clang++=clang /usr/include/gtest/gtest.h=libgtest-dev wine=wine,wine64 dpkg:libc6-dbg
set -euo pipefail

# Succeeds when the thing that WHAT names is there.
present() {
    case $1 in
        dpkg:*) dpkg -s "${1#dpkg:}" > /dev/null 2>&1 ;;
        /*) compgen -G "$1" > /dev/null ;;
        *) command -v "$1" > /dev/null ;;
    esac
}

need=()
for item in "$@"; do
    what=${item%%=*}
    packages=${what#dpkg:}
    [ "$item" = "$what" ] || packages=${item#*=}
    present "$what" && continue
    IFS=, read -r -a listed <<< "$packages"
    need+=("${listed[@]}")
done
[ "${#need[@]}" -gt 0 ] || exit 0
sudo=()
[ "$(id -u)" = 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
# env: sudo would leave the variable behind.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
