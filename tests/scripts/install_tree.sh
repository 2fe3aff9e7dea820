#!/usr/bin/env bash
# `cmake --install` of the build into a throwaway prefix: every file installed and valid, both programs run from
# there, the file types answer through xdg-mime. Usage: install_tree.sh <build folder> <sample file>
set -euo pipefail
source "$(dirname "$0")/packaging_checks.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
check_programs "$prefix/bin" "$2"
check_installed_files "$prefix"
echo "install tree under $prefix passed"
