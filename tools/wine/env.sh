# Environment shared by every Wine run of the project: one prefix, one display, one wineserver.
# Sourced by the other scripts here.
export WINEPREFIX="${TARVO_WINEPREFIX:-$HOME/.cache/tarvodj/wine64}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono prompt, no HTML-engine installer: nothing may wait on a dialog.
export WINEDLLOVERRIDES="${TARVO_DLLOVERRIDES:-mscoree=;mshtml=}"
# ANSI code page 936; LC_ALL would override it, so it must stay unset.
export LANG=zh_CN.UTF-8
unset LC_ALL
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
TARVO_TEST_DISPLAY="${TARVO_TEST_DISPLAY:-:87}"
TARVO_PREFIX_STAMP_VERSION=1
