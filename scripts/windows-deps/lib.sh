# Sourced by each scripts/windows-deps/*.sh part: where the Windows libraries are built and
# installed, the mingw-w64 tools that build them, and the helpers every part shares.
#
#   SKINUI_WINDEPS   the cache (default ${XDG_CACHE_HOME:-$HOME/.cache}/skinui-windows)
#   WINDEPS_PREFIX   $SKINUI_WINDEPS/prefix: include/, lib/, lib/pkgconfig/ of the built libraries
#   WINDEPS_SRC      $SKINUI_WINDEPS/src: one folder per Debian source package
#   WINDEPS_HOST     the target triplet, for ./configure --host
#   CC CXX AR RANLIB WINDRES STRIP  the posix-threads mingw-w64 tools
#
#   windeps_source PACKAGE  fetches and unpacks Debian's source of PACKAGE once (again when
#                           Debian has a new version) and prints the unpacked folder
#   windeps_done NAME       true when NAME was built from the sources apt would fetch today by
#                           the same part script
#   windeps_mark NAME       records NAME as built from the sources this run fetched
#   windeps_quiet LOG CMD.. runs CMD with its output in LOG, shown only when CMD fails
set -euo pipefail

export SKINUI_WINDEPS=${SKINUI_WINDEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/skinui-windows}
export WINDEPS_PREFIX=$SKINUI_WINDEPS/prefix
export WINDEPS_SRC=$SKINUI_WINDEPS/src
export WINDEPS_HOST=x86_64-w64-mingw32
export CC=$WINDEPS_HOST-gcc-posix CXX=$WINDEPS_HOST-g++-posix
export AR=$WINDEPS_HOST-ar RANLIB=$WINDEPS_HOST-ranlib
export WINDRES=$WINDEPS_HOST-windres STRIP=$WINDEPS_HOST-strip
# Only the Windows libraries: the prefix's own and the mingw-w64 ones Debian ships (zlib).
export PKG_CONFIG_LIBDIR=$WINDEPS_PREFIX/lib/pkgconfig:/usr/$WINDEPS_HOST/lib/pkgconfig
unset PKG_CONFIG_PATH
mkdir -p "$WINDEPS_PREFIX/include" "$WINDEPS_PREFIX/lib/pkgconfig" "$WINDEPS_SRC" \
  "$SKINUI_WINDEPS/stamps" "$SKINUI_WINDEPS/logs"

# The sources this run of a part used, as "package version" lines. A file, not a variable:
# windeps_source runs in a subshell when its output is captured ($$ is the part's own).
_windeps_used=$SKINUI_WINDEPS/stamps/.used-$$

# The versions of PACKAGE's source that apt knows, newest (the one it would fetch) first.
_windeps_source_versions() {
  local versions=() v i
  while read -r v; do
    # Insertion by Debian's version order; the lists are a few entries long.
    for ((i = ${#versions[@]}; i > 0; i--)); do
      dpkg --compare-versions "${versions[i - 1]}" ge "$v" && break
      versions[i]=${versions[i - 1]}
    done
    versions[i]=$v
  done < <(apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u)
  [ ${#versions[@]} -gt 0 ] || return 1
  printf '%s\n' "${versions[@]}"
}

# The newest version of PACKAGE's source: a cache built from it is current.
_windeps_source_version() {
  _windeps_source_versions "$1" | head -n 1
}

# Downloads and unpacks the newest version of PACKAGE's source that can be fetched into DIR
# (an archive that lists a version before its mirror serves it falls back to the one before).
_windeps_fetch() {
  local package=$1 dir=$2 version
  while read -r version; do
    rm -rf "$dir/download" "$dir/unpacked"
    mkdir -p "$dir/download"
    if (cd "$dir/download" && apt-get source --download-only -qq "$package=$version" >/dev/null 2>&1)
    then
      dpkg-source -q -x "$dir"/download/*.dsc "$dir/unpacked" >/dev/null 2>&1 || {
        echo "windows-deps: unpacking $package $version failed" >&2
        return 1
      }
      echo "windows-deps: $package $version" >&2
      return 0
    fi
    echo "windows-deps: $package $version could not be fetched" >&2
  done < <(_windeps_source_versions "$package")
  return 1
}

windeps_source() {
  local package=$1 version dir
  if ! version=$(_windeps_source_version "$package"); then
    echo "windows-deps: apt has no source of $package (scripts/setup.sh adds the deb-src entries)" >&2
    return 1
  fi
  dir=$WINDEPS_SRC/$package
  # .version names the newest version apt listed when the folder was fetched, even when an older
  # one had to be taken: the folder is fetched again once apt lists a newer one.
  if [ "$(cat "$dir/.version" 2>/dev/null)" != "$version" ]; then
    rm -rf "$dir"
    _windeps_fetch "$package" "$dir" || return 1
    echo "$version" >"$dir/.version"
  fi
  echo "$package $version" >>"$_windeps_used"
  echo "$dir/unpacked"
}

# A stamp holds the part script's digest, then one "package version" line per source it used.
_windeps_script_digest() {
  sha256sum "$0" | cut -d' ' -f1
}

windeps_done() {
  local stamp=$SKINUI_WINDEPS/stamps/$1 package version now
  [ -f "$stamp" ] || return 1
  [ "$(head -n 1 "$stamp")" = "script $(_windeps_script_digest)" ] || return 1
  while read -r package version; do
    # Without the source index (offline) the cache stands as built.
    now=$(_windeps_source_version "$package") || continue
    [ "$now" = "$version" ] || return 1
  done < <(tail -n +2 "$stamp")
}

windeps_mark() {
  local stamp=$SKINUI_WINDEPS/stamps/$1
  { echo "script $(_windeps_script_digest)"; sort -u "$_windeps_used" 2>/dev/null || true; } >"$stamp.new"
  mv "$stamp.new" "$stamp"
  rm -f "$_windeps_used"
}

windeps_quiet() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "windows-deps: '$*' failed; the whole output is in $log" >&2
    return 1
  fi
}
