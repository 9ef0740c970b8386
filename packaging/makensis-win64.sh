#!/usr/bin/env bash
# makensis for the 64-bit Unicode target. makensis makes a 32-bit installer unless told otherwise,
# and a 32-bit installer writes its uninstall key into the 32-bit view of the registry and does not
# run on a 64-bit-only system. CPack splits the arguments it is given at every blank, so the
# target, a script command with a parameter, is passed here.
exec makensis "-XTarget amd64-unicode" "$@"
