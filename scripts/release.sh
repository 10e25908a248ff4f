#!/usr/bin/env bash
# Makes a release of the committed state (HEAD) into dist/: the source
# archive, the Debian package, the Windows program, its installer, the web
# page's site as a zip, and SHA256SUMS over them. Installs what is missing first.
#   scripts/release.sh
# Everything is built from the source archive itself, unpacked under
# build-release/, so nothing of the working tree's own builds gets in. The
# downloads come out the same, byte for byte, wherever and whenever and by
# whomever this runs: their only time is the last commit's, and no path,
# locale or umask of the machine reaches them (scripts/check-reproducible.sh
# shows it).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

# What is not committed would not be in the release, yet could reach it
# through the build; and a release is to be rebuilt from its commit.
changes=$(git status --porcelain)
if [[ -n "$changes" ]]; then
    echo "release: the tree has changes that are not committed; a release is made of a commit only:" >&2
    echo "$changes" >&2
    echo "release: commit them (or put them away) and run again" >&2
    exit 1
fi

scripts/setup.sh release

# Built by Debian's own tools only, whatever else the user's PATH offers.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
unset LANGUAGE
# The one time stamp of every file in the downloads: the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
version=$(sed -n 's/^project(Varvik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [[ -z "$version" ]]; then
    echo "release: no version found in project() in CMakeLists.txt" >&2
    exit 1
fi
jobs=$(nproc 2>/dev/null || echo 2)

work=$top/build-release
source=$work/varvik-$version
rm -rf "$work" dist
mkdir -p "$work" dist

# The source archive: files in git's order and modes (tar.umask pinned, as a
# user's configuration may change it), dated at the commit, and a gzip header
# without name or time.
archive=varvik-$version.tar.gz
git -c tar.umask=0022 archive --format=tar --prefix="varvik-$version/" HEAD | gzip -9n >"$work/$archive"
tar -xzf "$work/$archive" -C "$work" --no-same-owner

# The Linux program and its package. The build lies inside the sources,
# whose path the compiler replaces by "." (see cmake/package.cmake), so no
# path of this machine is in the program or in its build-id.
cmake -S "$source" -B "$source/build-linux" -DCMAKE_BUILD_TYPE=Release \
    -DVARVIK_TESTS=OFF -DVARVIK_BENCHMARKS=OFF
cmake --build "$source/build-linux" --parallel "$jobs"
"$source/scripts/package.sh" "$source/build-linux"

# The Windows program and its installer, which wixl makes through
# release-wixl.py: wixl alone dates it by the clock and draws its package
# code by chance.
cmake -S "$source" -B "$source/build-windows" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
    -DVARVIK_TESTS=OFF -DVARVIK_BENCHMARKS=OFF -DVARVIK_WIXL="$source/scripts/release-wixl.py"
cmake --build "$source/build-windows" --parallel "$jobs"
program=$(ls "$source"/build-windows/Varvik*.exe)
# Its version information and pictures, read back as Windows reads them.
if ! checked=$(python3 "$source/ui/win32/tests/check_executable.py" "$program"); then
    echo "$checked" >&2
    exit 1
fi

# The web page: its site folder, zipped with its files in name order, each
# dated at the commit, with fixed modes and nothing of the machine's.
# emscripten's tools load modules from Debian's folder of them.
NODE_PATH=/usr/share/nodejs emcmake cmake -S "$source" -B "$source/build-web" -DCMAKE_BUILD_TYPE=Release \
    -DVARVIK_TESTS=OFF -DVARVIK_BENCHMARKS=OFF
NODE_PATH=/usr/share/nodejs cmake --build "$source/build-web" --parallel "$jobs"
python3 - "$source/build-web/site" "dist/varvik-web-$version.zip" "varvik-web-$version" <<'PYTHON'
import os, sys, time, zipfile
site, archive, folder = sys.argv[1:]
date = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as out:
    for name in sorted(os.listdir(site)):
        entry = zipfile.ZipInfo(f"{folder}/{name}", date)
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(site, name), "rb") as file:
            out.writestr(entry, file.read())
PYTHON
mv "$work/$archive" dist/
cp "$source"/build-linux/varvik_*.deb "$program" dist/
installer=$source/build-windows/varvik-$version.msi
if [[ ! -f "$installer" ]]; then
    echo "release: the build made no installer $installer" >&2
    exit 1
fi
cp "$installer" dist/
(cd dist && sha256sum -- * >SHA256SUMS)
echo "release $version of $(git rev-parse --short HEAD) in dist/:"
cat dist/SHA256SUMS
