#!/usr/bin/env bash
# makensis for the 64-bit Unicode target. makensis makes a 32-bit installer unless told otherwise,
# and a 32-bit installer writes its uninstall key into the 32-bit view of the registry and does not
# run on a 64-bit-only system. CPack splits the arguments it is given at every blank, so the
# target, a script command with a parameter, is passed here.
set -euo pipefail
exec_makensis() { exec makensis "-XTarget amd64-unicode" "$@"; }
script=${@: -1}
[[ $script == *.nsi ]] || exec_makensis "$@"
# cpack lists the files and folders that the uninstaller removes in the order the file system
# lists them: they are sorted here, in the script (the last argument), the folders deepest first.
perl -0pi -e 's{((?:^  Delete "\$INSTDIR\\.*\n)+)}{join "", sort split /^/m, $1}gme;
    s{((?:^  RMDir "\$INSTDIR\\.*\n)+)}{join "", reverse sort split /^/m, $1}gme' "$script"
# The installer keeps the time of every file it packs, the pages' settings that cpack writes just
# before this included: with SOURCE_DATE_EPOCH set, every file beside the script gets that time.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    find "$(dirname "$script")" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
fi
exec_makensis "$@"
