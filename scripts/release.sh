#!/usr/bin/env bash
# Installs what is missing, then builds a release of the committed tree into dist/: the Debian
# package, the Windows installer (NSIS), the Windows Installer package (MSI), the Windows ZIP and
# SHA256SUMS over them. Only the program, the engine and their packages are built, not the tests.
# The files are the same to the byte whenever the same commit is built again, in any folder, at
# any time, under any umask and locale: every time in them is the commit's time.
# Usage: release.sh           the release, into dist/; refused while the tree has uncommitted
#                             changes
#        release.sh --verify  builds the release of the last commit twice, in two temporary
#                             folders, and compares them; a difference fails, named and shown by
#                             diffoscope
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
verify=false
case ${1:-} in
    "") ;;
    --verify) verify=true ;;
    *) echo "usage: $0 [--verify]" >&2; exit 2 ;;
esac
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    if ! $verify; then
        echo "release.sh: the tree has uncommitted changes; a release is built from a commit." >&2
        echo "Commit or stash them first." >&2
        exit 1
    fi
    echo "release.sh: checks commit $commit; the uncommitted changes are not part of it." >&2
fi
source "$root/scripts/packages.sh"
packages=("${build_packages[@]}" "${program_packages[@]}" "${windows_packages[@]}"
    "${windows_x86_packages[@]}" "${release_packages[@]}")
if $verify; then
    packages+=("${verify_packages[@]}")
fi
bash "$root/scripts/install-deps.sh" "${packages[@]}"

SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
# What the surroundings could change: the files' modes, the order and language of tools' output,
# the time zone, and flags from the environment.
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
unset CFLAGS CXXFLAGS LDFLAGS CPPFLAGS MAKEFLAGS
jobs=$(nproc)
version=$(git -C "$root" show "$commit:CMakeLists.txt" | sed -n 's/^project(Pelmora VERSION \([0-9.]*\).*/\1/p')
artifacts=("pelmora_${version}_amd64.deb" "Pelmora-${version}-win64.exe"
    "Pelmora-${version}-win64.msi" "Pelmora-${version}-win64.zip")

# build FOLDER: the commit's tree exported into FOLDER/src, built beside it, and its packages and
# their checksums in FOLDER/dist.
build() {
    local folder=$1
    local src=$folder/src
    mkdir -p "$src" "$folder/dist"
    # The files as committed, whatever the line-ending settings of whoever builds.
    git -C "$root" -c core.autocrlf=false -c core.eol=lf -c core.attributesFile=/dev/null \
        archive "$commit" | tar -x -C "$src"
    local options=(-DCMAKE_BUILD_TYPE=Release -DPELMORA_BUILD_TESTS=OFF
        -DPELMORA_BUILD_BENCHMARKS=OFF -DPELMORA_REPRODUCIBLE=ON)

    echo "== Linux: the program and the engine, the Debian package"
    cmake -S "$src" -B "$folder/linux" "${options[@]}" > /dev/null
    cmake --build "$folder/linux" -j"$jobs" --target Pelmora vantrel
    (cd "$folder/linux" && cpack -G DEB > /dev/null)

    echo "== Windows, 32-bit: the engine for 32-bit callers"
    cmake -S "$src" -B "$folder/windows-x86" "${options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-i686.cmake" > /dev/null
    cmake --build "$folder/windows-x86" -j"$jobs" --target vantrel

    echo "== Windows: the program and the engine, the installer, the MSI and the ZIP"
    cmake -S "$src" -B "$folder/windows" "${options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
        -DPELMORA_X86_BUILD="$folder/windows-x86" > /dev/null
    cmake --build "$folder/windows" -j"$jobs" --target Pelmora vantrel
    (cd "$folder/windows" && cpack > /dev/null)
    cmake --build "$folder/windows" --target msi > /dev/null

    cp "$folder/linux/${artifacts[0]}" "$folder/dist/"
    for artifact in "${artifacts[@]:1}"; do
        cp "$folder/windows/$artifact" "$folder/dist/"
    done
    (cd "$folder/dist" && sha256sum "${artifacts[@]}" > SHA256SUMS)
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
started=$SECONDS
if ! $verify; then
    build "$work/release"
    # dist/ is replaced whole, only once the release is complete.
    cp -r "$work/release/dist" "$root/dist.new"
    rm -rf "$root/dist"
    mv "$root/dist.new" "$root/dist"
    echo "== dist/, commit $commit, in $((SECONDS - started)) s"
    (cd "$root/dist" && ls -l && cat SHA256SUMS)
    exit 0
fi

# Two folders of different names and lengths, one after the other.
build "$work/first"
build "$work/the-second-build"
echo "== the two builds, commit $commit, in $((SECONDS - started)) s"
if cmp -s "$work/first/dist/SHA256SUMS" "$work/the-second-build/dist/SHA256SUMS"; then
    cat "$work/first/dist/SHA256SUMS"
    echo "The two builds are the same to the byte."
    exit 0
fi
for artifact in "${artifacts[@]}"; do
    if ! cmp -s "$work/first/dist/$artifact" "$work/the-second-build/dist/$artifact"; then
        echo "== $artifact differs"
        diffoscope --no-progress "$work/first/dist/$artifact" \
            "$work/the-second-build/dist/$artifact" | head -n 200 || true
    fi
done
exit 1
