# Creates and tends a Wine prefix for the build (sourced by wine-run.sh and run.sh).

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
    # The stand-in phonebook service of this build (if built) replaces the system's.
    local standin=$build_dir/standin/rasapi32.dll
    local target=$prefix/drive_c/windows/system32/rasapi32.dll
    if [ -f "$standin" ] && ! cmp -s "$standin" "$target"; then
      cp -f "$standin" "$target"
    fi
  ) 9>"$prefix.lock"
}
