# Shared by the scripts that run Windows programs under Wine (sourced, not run): the
# wine64 loader, a headless prefix of our own, and Windows paths.
#   wine_find PREFIX      sets wine=(...), WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   wine_make_prefix      makes the prefix once (null graphics driver, Windows 10)
#   wine_path DIR         the Z: path of a Linux folder
#   wine_dll_paths QT DIR...  sets WINEPATH to the folders, Qt's bin and MinGW's run-times,
#                         and QT_PLUGIN_PATH to Qt's plugins

wine_find() {
  if command -v wine64 >/dev/null; then
    wine=(wine64)
  elif [ -x /usr/lib/wine/wine64 ]; then
    export WINELOADER=/usr/lib/wine/wine64   # Debian keeps wine64 out of PATH
    wine=(/usr/lib/wine/wine64)
  else
    wine=(wine)
  fi
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
}

# Without the null driver window creation fails silently when there is no display;
# node.exe refuses to start unless the prefix reports Windows 10.
wine_make_prefix() {
  [ -f "$WINEPREFIX/.wc-ready" ] && return
  echo "wine: making the Wine prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  "${wine[@]}" wineboot -i >/dev/null 2>&1
  wineserver -w
  "${wine[@]}" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  "${wine[@]}" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.wc-ready"
}

wine_path() { echo "Z:${1//\//\\}"; }

wine_dll_paths() {
  local qt="$1" d dirs
  shift
  dirs=("$@" "$qt/bin")
  d=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  dirs+=("$d" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")")
  WINEPATH=""
  for d in "${dirs[@]}"; do WINEPATH+="${WINEPATH:+;}$(wine_path "$(realpath "$d")")"; done
  export WINEPATH
  export QT_PLUGIN_PATH="$(wine_path "$qt/plugins")"
}
