# Shared by cmake/wine-run.sh, scripts/wine-session.sh and scripts/run.sh
# (sourced, not run). Knows how a Wine prefix fit for running Vantrel! and its
# tests is made, and which environment every Wine process gets.
#
# Layout of a "wine directory" (one per build tree, <build>/wine):
#   template/   a prefix booted once and configured; never run in
#   prefix/     the prefix the tests run in: a hard-linked copy of template/
#   run-prefix/ the prefix scripts/run.sh starts the program in
#   *.lock      flock files that make creation safe under parallel ctest
#   session.env written while scripts/wine-session.sh keeps a wineserver up

# Bump when the settings below change, so old templates are rebuilt.
VANTREL_WINE_TEMPLATE_REVISION=1

# The environment every Wine process of ours runs with. The time zone is
# pinned (UTC unless VANTREL_TEST_TZ names another zone) and so is the locale:
# Wine takes the Windows locale from LC_ALL (en-US, ANSI code page 1252) even
# though glibc has no such locale here.
vantrel_wine_env() {
  local prefix=$1
  # Wine insists on an absolute prefix path.
  case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
  export WINEPREFIX=$prefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No .NET or Gecko installer prompts; no menu entries written into $HOME.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # (bash warns that it cannot switch its own locale to it; that is expected.)
  export LC_ALL=en_US.UTF-8 2>/dev/null
  export LANG=en_US.UTF-8 2>/dev/null
  unset LANGUAGE
  export TZ=${VANTREL_TEST_TZ:-UTC}
}

# The registry settings of the template, applied with one regedit run.
vantrel_wine_write_reg() {
  cat >"$1" <<'EOF'
REGEDIT4

; A virtual desktop: without a window manager every show or hide of a
; top-level window would wait 2 s for the WM_STATE that never comes.
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

; Debian's Wine does not find the usual faces by itself.
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"MS Sans Serif"="Liberation Sans"

; A crashing test must print its backtrace and exit, not wait on a dialog.
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

; No sound device: PlaySound returns at once.
[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""
EOF
}

vantrel_wine_stamp() {
  echo "revision=$VANTREL_WINE_TEMPLATE_REVISION wine=$(wine --version 2>/dev/null)"
}

# Boots and configures a fresh prefix at $1 (about 10 s).
vantrel_wine_build_template() {
  local dir=$1 tmp
  tmp=$(mktemp -d "$dir.new.XXXXXX")
  (
    vantrel_wine_env "$tmp"
    # Booting must not touch whatever display the caller has.
    unset DISPLAY
    wineboot -i >/dev/null 2>&1 || exit 1
    fonts="$tmp/drive_c/windows/Fonts"
    mkdir -p "$fonts" &&
      cp /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/liberation/*.ttf "$fonts/" ||
      exit 1
    vantrel_wine_write_reg "$tmp/settings.reg"
    wine regedit /S 'Z:'"$(echo "$tmp/settings.reg" | tr / '\\')" >/dev/null 2>&1 || exit 1
    rm -f "$tmp/settings.reg"
    # Wait until the wineserver has written the registry and gone.
    wineserver -w
    grep -q '"ShowCrashDialog"=dword:00000000' "$tmp/user.reg"
  ) || { echo "wine: could not make a prefix in $tmp" >&2; rm -rf "$tmp"; return 1; }
  vantrel_wine_stamp >"$tmp/.vantrel-template"
  rm -rf "$dir"
  mv "$tmp" "$dir"
}

# Copies the template to a working prefix. Hard links make this take a few
# hundredths of a second; the files that Wine or a program rewrites in place
# (the registry writes in place when a file has several links, profile files,
# the user's folders) are copied for real so the template stays untouched.
vantrel_wine_copy_template() {
  local template=$1 prefix=$2
  if [ -d "$prefix" ]; then
    # Processes still running in the old copy would outlive it.
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
  rm -rf "$prefix.tmp"
  cp -al "$template" "$prefix.tmp"
  local f
  for f in "$prefix.tmp"/*.reg "$prefix.tmp"/drive_c/windows/*.ini; do
    [ -f "$f" ] && cp --remove-destination "$template/${f#"$prefix.tmp"/}" "$f"
  done
  # Debian's Wine keeps the name of its server directory here; each prefix
  # gets its own on first use.
  rm -f "$prefix.tmp/wineserver"
  rm -rf "$prefix.tmp/drive_c/users"
  cp -a "$template/drive_c/users" "$prefix.tmp/drive_c/users"
  mv "$prefix.tmp" "$prefix"
}

# Makes sure <winedir>/<name> is a ready prefix, building the template first
# when needed. Safe to call from many processes at once. With "fresh" as the
# third argument an existing prefix is replaced by a new copy of the template.
vantrel_wine_ensure_prefix() {
  local winedir=$1 name=$2 fresh=${3:-}
  case $winedir in /*) ;; *) winedir=$PWD/$winedir ;; esac
  local prefix=$winedir/$name template=$winedir/template
  if [ -z "$fresh" ] && [ -f "$prefix/.vantrel-template" ]; then
    return 0
  fi
  mkdir -p "$winedir"
  (
    flock 9
    if [ ! -f "$template/.vantrel-template" ] ||
       [ "$(cat "$template/.vantrel-template")" != "$(vantrel_wine_stamp)" ]; then
      echo "wine: creating the prefix template in $template" >&2
      vantrel_wine_build_template "$template" || exit 1
      fresh=yes
    fi
    if [ -n "$fresh" ] || [ ! -f "$prefix/.vantrel-template" ]; then
      vantrel_wine_copy_template "$template" "$prefix"
    fi
  ) 9>"$winedir/prefix.lock"
}

# Starts a private Xvfb; sets VANTREL_XVFB_PID and DISPLAY.
vantrel_start_xvfb() {
  local size=${1:-1024x768x24} fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  VANTREL_XVFB_PID=$!
  read -r -t 20 display <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$display" ]; then
    echo "wine: Xvfb did not start" >&2
    kill "$VANTREL_XVFB_PID" 2>/dev/null || true
    return 1
  fi
  export DISPLAY=":$display"
}

# Whether process $1 runs. One that has ended but still waits to be reaped by
# its new parent counts as ended.
vantrel_pid_running() {
  local stat
  [ -n "${1:-}" ] && stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}
