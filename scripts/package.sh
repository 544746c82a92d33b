#!/usr/bin/env bash
# Builds the Debian packages as a distribution would (`dpkg-buildpackage -us -uc -b`) from a copy of
# the work tree, then checks them with lintian; any lintian error or warning fails the run. The .debs
# and lintian's report are left in OUTDIR (default build/package). A full optimised build takes a while.
#   scripts/package.sh [OUTDIR]
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(realpath -m "${1:-build/package}")
bash scripts/install-deps.sh --package </dev/null

# dpkg-buildpackage writes its results beside the source folder, so the source is copied into OUTDIR
# (the committed and the new, not ignored files: what a commit of the work tree would hold).
version=$(dpkg-parsechangelog -S Version)
source_dir="$out/zendra-$version"
rm -rf "$out"
mkdir -p "$source_dir"
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -P -t "$source_dir"

export CCACHE_BASEDIR="$source_dir" CCACHE_NOHASHDIR=true
start=$(date +%s)
(cd "$source_dir" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log"
  exit 1
}
echo "dpkg-buildpackage: $(($(date +%s) - start)) s"

debs=("$out"/*_"$version"_*.deb)
lintian -EIL +pedantic --fail-on error,warning "${debs[@]}" | tee "$out/lintian.txt"
echo "lintian: no errors and no warnings on ${debs[*]##*/}"
