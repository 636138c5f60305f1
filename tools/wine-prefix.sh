# Creates and tends a Wine prefix for the build (sourced by wine-run.sh and run.sh).

# The Wine of a build folder: 32-bit Wine and a 32-bit prefix for the win32 build, 64-bit Wine
# for its twin (the file wine-arch in the folder, written by CMake, says which it is). With
# DIALWRIGHT_WINE_WOW64=1 the win32 build runs as on a 64-bit Windows instead: in a 64-bit
# prefix, under Wine's WoW64, its system directory being the prefix's syswow64. The
# loaders are called directly: Debian's `wine` script would choose by itself. One wineserver
# serves both kinds of client. Every run is Russian (code page 1251, Russian system messages),
# quiet unless WINEDEBUG says otherwise, with the build's stand-in phonebook service and without
# Wine's .NET, HTML engine and menu builder; WINEDLLOVERRIDES adds to these.
wine_use_build() {
  local build_dir=$1 arch
  arch=$(cat "$build_dir/wine-arch" 2>/dev/null) || { echo "no $build_dir/wine-arch" >&2; return 1; }
  # WINE_SYSTEM_FOLDER: the prefix's folder that the build's programs see as their system directory.
  case "$arch" in
    win32) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINE_SYSTEM_FOLDER=system32 ;;
    win64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINE_SYSTEM_FOLDER=system32 ;;
    *) echo "$build_dir/wine-arch: unknown \"$arch\"" >&2; return 1 ;;
  esac
  if [ "${DIALWRIGHT_WINE_WOW64:-}" = 1 ]; then
    [ "$arch" = win32 ] || { echo "WoW64 runs the 32-bit build, not $arch" >&2; return 1; }
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINE_SYSTEM_FOLDER=syswow64
  fi
  export WINESERVER=/usr/lib/wine/wineserver64
  [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
  export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="rasapi32=n;mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
}

# A Unix path as Wine's programs see it: on drive Z:, the root.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# Copies a file into the prefix when it is there to copy and differs from the prefix's.
wine_prefix_file() {
  local source=$1 target=$2
  if [ -f "$source" ] && ! cmp -s "$source" "$target"; then
    mkdir -p "$(dirname "$target")"
    cp -f "$source" "$target"
  fi
}

wine_prefix_ready() {
  local prefix=$1 build_dir=$2
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.dialwright-ready" ]; then
      WINEDEBUG=-all DISPLAY= "$WINELOADER" wineboot -i >/dev/null 2>&1
      # wineboot returns before the prefix is fully written.
      "$WINESERVER" -w
      # The user folders are symlinks to $HOME: make them real folders of the prefix so
      # that nothing a test does on the desktop touches the machine's home.
      local user_dir
      for user_dir in "$prefix"/drive_c/users/*/; do
        local link
        for link in "$user_dir"*; do
          [ -L "$link" ] && rm -f "$link" && mkdir -p "$link"
        done
      done
      touch "$prefix/.dialwright-ready"
    fi
    # A program that crashes ends at once, its backtrace on stderr: Wine's crash dialog would
    # wait for a click that no test gives.
    if [ ! -f "$prefix/.dialwright-no-crash-dialog" ]; then
      "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 && "$WINESERVER" -w && touch "$prefix/.dialwright-no-crash-dialog"
    fi
    # The stand-in phonebook service of this build (if built) replaces the system's, in the
    # folder where the build's programs find their system's DLLs.
    wine_prefix_file "$build_dir/standin/rasapi32.dll" "$prefix/drive_c/windows/$WINE_SYSTEM_FOLDER/rasapi32.dll"
    # Caption buttons are drawn with Marlett's letters ("r" is the close button's cross).
    # This Wine does not look in its own font folder, so without Marlett in the prefix the
    # letters show in another font; fonts-wine has Wine's own Marlett.
    wine_prefix_file /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/marlett.ttf"
  ) 9>"$prefix.lock"
}

# Gives the prefix's programs a display density (96, 120, 144, 192 dpi: 100 % to 200 %), as
# Windows' display scaling does: Wine reads it from these two values when a program starts.
wine_prefix_density() {
  local prefix=$1 dpi=$2
  [ "$(cat "$prefix/.dialwright-dpi" 2>/dev/null)" = "$dpi" ] && return 0
  local key
  for key in 'HKCU\Control Panel\Desktop' \
             'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    WINEPREFIX=$prefix "$WINELOADER" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
      return 1
  done
  "$WINESERVER" -w
  echo "$dpi" >"$prefix/.dialwright-dpi"
}
