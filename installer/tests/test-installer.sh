#!/usr/bin/env bash
# Installs, updates and removes Vantrel! with its setup program under Wine,
# silently, once for the current user and once for all users, each in a fresh
# copy of the build tree's Wine prefix, on a display of its own.
#
#   test-installer.sh BUILD_DIR SETUP_EXE INSTALL_PROBE_EXE PORTABLE_ZIP
#
# For each scope: setup /S puts the three files, the uninstaller, the Start
# menu shortcuts and the uninstall entry in place; the program starts from
# the installed folder, its Help Topics open the installed help file's own
# window ("Vantrel! Help", a window type defined only in Vantrel.chm), and
# it closes; setup /S again, asking for the other scope, updates the same
# folder for the same users; the uninstaller /S removes every installed file,
# shortcut and entry, keeps the program's registry settings (it wrote them
# when it ran) unless /REMOVESETTINGS is given, and leaves documents alone:
# one in the user's Documents and one the user put in the program folder.
# Setup associates .pgr documents in the scope's classes, an update keeps
# that, the uninstaller takes it back unless the user gave .pgr to another
# program; /DESKTOP adds a desktop shortcut the uninstaller removes.
# Then, in a third prefix: /NOASSOC writes no association and an update keeps
# to that; an update waits for a running program and gives up, changing
# nothing, when it still runs after 30 seconds; an older setup over a newer
# installed version refuses, changing nothing; an uninstaller started with
# administrator rights leaves the settings to the copy that started it.
# Last, the portable zip unpacked into a folder runs and finds its help too.
set -uo pipefail

build=$(cd "$1" && pwd)
setup=$(realpath "$2")
probe=$(realpath "$3")
portable=$(realpath "$4")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../cmake/wine-prefix.sh
. "$here/../../cmake/wine-prefix.sh"

winedir=$build/wine
failures=0
start=$(date +%s)
checks=0
step() { echo "--- $* ($(($(date +%s) - start)) s)"; }
pass() { checks=$((checks + 1)); }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAILED: $*"; }
expect() { # expect DESCRIPTION COMMAND...: the command must succeed
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then pass; else fail "$what"; fi
}
refuse() { # refuse DESCRIPTION COMMAND...: the command must fail
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then fail "$what"; else pass; fi
}

xvfb_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT

vantrel_start_xvfb 1024x768x24 || exit 1
xvfb_pid=$VANTREL_XVFB_PID

# fresh_prefix NAME: a new copy of the template.
fresh_prefix() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  vantrel_wine_ensure_prefix "$winedir" "$1" fresh || exit 1
  vantrel_wine_env "$winedir/$1"
  # Starts the wineserver and the desktop before two programs race to.
  wine cmd /c exit >/dev/null 2>&1
  drive=$WINEPREFIX/drive_c
  profile=$drive/users/$(whoami)
  # Wine links the user's Desktop and Documents to $HOME: give the prefix
  # folders of its own so that nothing lands outside it.
  local d
  for d in "$profile"/*; do
    if [ -L "$d" ]; then rm "$d" && mkdir "$d"; fi
  done
}

# run_windows PROGRAM ARGS...: runs a setup or an uninstaller and waits until
# every Wine process has ended (an uninstaller carries on from a copy of
# itself after the program started has returned).
run_windows() {
  wine "$@" >/dev/null 2>&1
  local status=$?
  wineserver -w
  return $status
}

reg_has() { wine reg query "$1" ${2:+/v "$2"} >/dev/null 2>&1; }
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
reg_default() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n "s/^ *(Default) *REG_[A-Z_]* *//p"; }
unix_path() { # C:\a\b -> $drive/a/b
  local p=${1#?:\\}
  echo "$drive/${p//\\//}"
}

installed_files=(Vantrel.exe beep.wav Vantrel.chm Uninstall.exe)
shortcuts=("Vantrel!.lnk" "Vantrel! Help.lnk" "Uninstall Vantrel!.lnk")
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
settings_key='HKCU\Software\Brennix\Vantrel!'

# check_installed SCOPE_KEY MENU_DIR FOLDER(unix): files, shortcuts, entry.
check_installed() {
  local key=$1 menu=$2 folder=$3 f
  for f in "${installed_files[@]}"; do
    expect "$folder/$f is installed" test -s "$folder/$f"
  done
  for f in "${shortcuts[@]}"; do
    expect "the Start menu has $f" test -s "$menu/Vantrel!/$f"
  done
  expect "the uninstall entry exists under $key" reg_has "$key"
  local name version publisher icon size
  name=$(reg_value "$key" DisplayName)
  version=$(reg_value "$key" DisplayVersion)
  publisher=$(reg_value "$key" Publisher)
  icon=$(reg_value "$key" DisplayIcon)
  size=$(reg_value "$key" EstimatedSize)
  [ "$name" = "Vantrel! 1.3" ] && pass || fail "DisplayName is '$name'"
  [ "$version" = "1.3" ] && pass || fail "DisplayVersion is '$version'"
  [ "$publisher" = "Brennix" ] && pass || fail "Publisher is '$publisher'"
  [[ "$icon" == *'\Vantrel.exe,0' ]] && pass || fail "DisplayIcon is '$icon'"
  # At least the size of the files, in kilobytes.
  local bytes kb
  bytes=$(cat "$folder"/{Vantrel.exe,beep.wav,Vantrel.chm,Uninstall.exe} | wc -c)
  kb=$((size))
  [ "$kb" -ge $((bytes / 1024)) ] && [ "$kb" -le $((bytes / 1024 + 8)) ] && pass ||
    fail "EstimatedSize is $size KB for $bytes bytes"
}

# check_association CLASSES_KEY FOLDER(windows): .pgr opens with the program
# in that folder, shows its document icon and offers it under "Open with".
check_association() {
  local classes=$1 exe="$2\\Vantrel.exe" icon
  [ "$(reg_default "$classes\\.pgr")" = "Vantrel.Document" ] && pass ||
    fail ".pgr is not associated in $classes"
  expect ".pgr lists the program to open with" reg_has "$classes\\.pgr\\OpenWithProgids" Vantrel.Document
  [ "$(reg_default "$classes\\Vantrel.Document")" = "Vantrel! Document" ] && pass ||
    fail "the document type has no friendly name in $classes"
  local command="\"$exe\" \"%1\""
  [ "$(reg_default "$classes\\Vantrel.Document\\shell\\open\\command")" = "$command" ] && pass ||
    fail "the Open command is not $command"
  [ "$(reg_default "$classes\\Applications\\Vantrel.exe\\shell\\open\\command")" = "$command" ] &&
    pass || fail "the program is not under Open with"
  expect "Open with knows the program's types" reg_has "$classes\\Applications\\Vantrel.exe\\SupportedTypes" .pgr
  icon=$(reg_default "$classes\\Vantrel.Document\\DefaultIcon")
  local count
  if count=$(wine "$probe" icon "$icon" 2>/dev/null | tr -d '\r') && [ "$count" = 2 ]; then pass; else
    fail "DefaultIcon '$icon' is not the document icon, the second of the program's two ($count)"
  fi
}

# check_no_association CLASSES_KEY: nothing of the program's is left there.
check_no_association() {
  local key
  for key in .pgr Vantrel.Document Applications\\Vantrel.exe; do
    refuse "$1\\$key is there" reg_has "$1\\$key"
  done
}

# check_program FOLDER(windows): the installed program starts, opens its
# help from the installed folder, and closes.
check_program() {
  local exe="$1\\Vantrel.exe" title
  wine "$exe" >/dev/null 2>&1 &
  local program=$!
  title=$(wine "$probe" window 60 2>/dev/null | tr -d '\r')
  [ "$title" = "Vantrel! [Untitled]" ] && pass || fail "the installed program's window did not appear ('$title')"
  title=$(wine "$probe" help 30 2>/dev/null | tr -d '\r')
  [ "$title" = "Vantrel! Help" ] && pass || fail "Help Topics did not open the installed help file ('$title')"
  expect "the program closes" wine "$probe" close 30
  local i
  for ((i = 0; i < 100; i++)); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  refuse "the program's process is still running" kill -0 "$program"
}

# check_removed KEY MENU_DIR FOLDER(unix) KEPT_FILE: nothing installed is left.
check_removed() {
  local key=$1 menu=$2 folder=$3 kept=$4 f
  for f in "${installed_files[@]}"; do
    refuse "$folder/$f is still there" test -e "$folder/$f"
  done
  refuse "the Start menu folder is still there" test -e "$menu/Vantrel!"
  refuse "the uninstall entry is still there" reg_has "$key"
  if [ -n "$kept" ]; then
    expect "the user's file in the program folder was kept" test -s "$folder/$kept"
    [ "$(ls -A "$folder")" = "$kept" ] && pass || fail "the program folder holds: $(ls -A "$folder")"
  else
    refuse "the empty program folder is still there" test -e "$folder"
  fi
}



step "setup /? lists every switch"
fresh_prefix installer-user
wine "$setup" "/?" >/dev/null 2>&1 &
usage=$(wine "$probe" message "Vantrel! 1.3 Setup" 30 2>/dev/null | tr -d '\r')
wait $!
for switch in /S /CURRENTUSER /ALLUSERS /NOASSOC /DESKTOP /D= /? /REMOVESETTINGS; do
  [[ "$usage" == *"$switch"* ]] && pass || fail "/? does not mention $switch"
done

step "for the current user: silent install"
user_key="HKCU\\$uninstall_key"
machine_key="HKLM\\Software\\Wow6432Node\\${uninstall_key#Software\\}"
menu=$profile/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
run_windows "$setup" /S
expect "setup /S succeeded" test $? -eq 0

folder_win=$(reg_value "$user_key" InstallLocation)
[ "$folder_win" = "C:\\users\\$(whoami)\\AppData\\Local\\Programs\\Vantrel" ] && pass ||
  fail "installed into '$folder_win', not the user's programs folder"
folder=$(unix_path "$folder_win")
check_installed "$user_key" "$menu" "$folder"
refuse "a per-user install wrote a machine-wide entry" reg_has "$machine_key"
user_classes='HKCU\Software\Classes'
machine_classes='HKLM\Software\Classes'
check_association "$user_classes" "$folder_win"
check_no_association "$machine_classes"
refuse "setup without /DESKTOP made a desktop shortcut" test -e "$profile/Desktop/Vantrel!.lnk"

step "for the current user: the program and its help"
check_program "$folder_win"
expect "the program wrote its settings" reg_has "$settings_key\\Alarm" AlarmSound
mkdir -p "$profile/Documents"
printf '<?xml version="1.0"?>\n<Pim/>\n' >"$profile/Documents/Mine.pgr"
printf 'my notes\n' >"$folder/Notes.txt"

step "for the current user: silent update asking for all users keeps folder and users"
touch -d '2000-01-01' "$folder/Vantrel.exe"
run_windows "$setup" /S /ALLUSERS
[ "$(stat -c %Y "$folder/Vantrel.exe")" -gt 946771200 ] && pass || fail "the update did not replace Vantrel.exe"
[ "$(reg_value "$user_key" InstallLocation)" = "$folder_win" ] && pass || fail "the update moved the program"
refuse "the update switched to all users" reg_has "$machine_key"
refuse "the update installed into Program Files" test -e "$drive/Program Files (x86)/Vantrel"
check_association "$user_classes" "$folder_win"

step "for the current user: silent uninstall, .pgr given to another program since"
wine reg add "$user_classes\\.pgr" /ve /d Other.Document /f >/dev/null 2>&1
run_windows "$folder_win\\Uninstall.exe" /S
check_removed "$user_key" "$menu" "$folder" Notes.txt
[ "$(reg_default "$user_classes\\.pgr")" = "Other.Document" ] && pass ||
  fail "the uninstaller took .pgr from the program the user chose"
refuse "the document type is still there" reg_has "$user_classes\\Vantrel.Document"
refuse "the program is still under Open with" reg_has "$user_classes\\Applications\\Vantrel.exe"
refuse "the uninstaller kept the program under .pgr's Open with" reg_has "$user_classes\\.pgr\\OpenWithProgids" Vantrel.Document
expect "the settings were kept" reg_has "$settings_key\\Alarm" AlarmSound
expect "the document in Documents was kept" test -s "$profile/Documents/Mine.pgr"

step "for all users: silent install into a folder of one's own"
fresh_prefix installer-all
shared_win='C:\Apps\Vantrel'
shared=$(unix_path "$shared_win")
all_menu=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs
run_windows "$setup" /S /ALLUSERS /DESKTOP "/D=$shared_win"
check_installed "$machine_key" "$all_menu" "$shared"
refuse "an all-users install wrote a per-user entry" reg_has "$user_key"
refuse "an all-users install put shortcuts in the user's Start menu" test -e "$menu/Vantrel!"
check_association "$machine_classes" "$shared_win"
check_no_association "$user_classes"
expect "/DESKTOP made a shortcut on the common desktop" test -s "$drive/users/Public/Desktop/Vantrel!.lnk"

step "for all users: the program and its help"
check_program "$shared_win"
expect "the program wrote its settings" reg_has "$settings_key\\Alarm" AlarmSound
mkdir -p "$profile/Documents"
printf '<?xml version="1.0"?>\n<Pim/>\n' >"$profile/Documents/Ours.pgr"

step "for all users: silent update asking for the current user keeps folder and users"
touch -d '2000-01-01' "$shared/Vantrel.exe"
run_windows "$setup" /S /CURRENTUSER
[ "$(stat -c %Y "$shared/Vantrel.exe")" -gt 946771200 ] && pass || fail "the update did not replace Vantrel.exe"
[ "$(reg_value "$machine_key" InstallLocation)" = "$shared_win" ] && pass || fail "the update moved the program"
refuse "the update switched to the current user" reg_has "$user_key"
refuse "the update installed into the user's programs folder" test -e "$profile/AppData/Local/Programs/Vantrel"

step "for all users: silent uninstall removing the settings"
run_windows "$shared_win\\Uninstall.exe" /S /REMOVESETTINGS
check_removed "$machine_key" "$all_menu" "$shared" ""
refuse "/REMOVESETTINGS kept the settings" reg_has "$settings_key"
check_no_association "$machine_classes"
refuse "the desktop shortcut is still there" test -e "$drive/users/Public/Desktop/Vantrel!.lnk"
expect "the document in Documents was kept" test -s "$profile/Documents/Ours.pgr"

step "/NOASSOC: no association, and an update keeps to that"
fresh_prefix installer-more
run_windows "$setup" /S /NOASSOC
folder_win=$(reg_value "$user_key" InstallLocation)
folder=$(unix_path "$folder_win")
check_no_association "$user_classes"

# old_files dates the installed program and uninstaller back to 2000;
# unchanged WHO checks that they still carry that date.
old_files() { touch -d '2000-01-01' "$folder/Vantrel.exe" "$folder/Uninstall.exe"; }
unchanged() {
  [ "$(stat -c %Y "$folder/Vantrel.exe" "$folder/Uninstall.exe" | sort -u)" = 946684800 ] && pass ||
    fail "$1 changed the installed files"
}

step "an update waits for a running Vantrel!, and gives up after 30 s"
old_files
wine "$folder_win\\Vantrel.exe" >/dev/null 2>&1 &
wine "$probe" window 60 >/dev/null 2>&1
began=$(date +%s)
wine "$setup" /S >/dev/null 2>&1
status=$?
waited=$(($(date +%s) - began))
[ "$status" -ne 0 ] && pass || fail "setup /S succeeded while the program ran"
[ "$waited" -ge 28 ] && pass || fail "setup gave up after $waited s"
unchanged "an update that found the program running"

step "an update goes on once the program ends within the wait"
wine "$setup" /S >/dev/null 2>&1 &
updating=$!
sleep 3
expect "the program closes" wine "$probe" close 30
wait "$updating"
expect "setup /S succeeded after the program ended" test $? -eq 0
[ "$(stat -c %Y "$folder/Vantrel.exe")" -gt 946771200 ] && pass || fail "the update did not replace Vantrel.exe"
wineserver -w
check_no_association "$user_classes"

step "an older setup over a newer installed version refuses"
newer=$(mktemp -d)
makensis -V1 -NOCD -DVERSION=1.10 "-DBUILD_DIR=$build" "-DSOURCE_DIR=$here/../.." \
  "-DOUTFILE=$newer/setup.exe" "$here/../Vantrel.nsi" >/dev/null
run_windows "$newer/setup.exe" /S
[ "$(reg_value "$user_key" DisplayVersion)" = "1.10" ] && pass || fail "version 1.10 did not install over 1.3"
old_files
run_windows "$setup" /S
expect "setup 1.3 /S over 1.10 ended with a non-zero exit code" test $? -ne 0
unchanged "setup 1.3 over 1.10"
[ "$(reg_value "$user_key" DisplayVersion)" = "1.10" ] && pass || fail "the installed version is no longer 1.10"
rm -rf "$newer"

step "an uninstaller started for administrator rights leaves the settings to its starter"
# It may run as another account: the unelevated copy that started it removes
# its own user's settings when it ends with 11.
run_windows "$folder_win\\Uninstall.exe" /S /ELEVATED /REMOVESETTINGS "_?=$folder_win"
expect "the elevated uninstaller asked for the settings to be removed" test $? -eq 11
expect "the elevated uninstaller kept the user's settings" reg_has "$settings_key\\Alarm" AlarmSound

step "portable zip: unpacked anywhere, the program runs and finds its help"
mkdir -p "$drive/Portable"
(cd "$drive/Portable" && cmake -E tar xf "$portable")
[ "$(ls "$drive/Portable" | LC_ALL=C sort | tr '\n' ' ')" = "Vantrel.chm Vantrel.exe beep.wav " ] && pass ||
  fail "the zip holds: $(ls "$drive/Portable")"
check_program 'C:\Portable'

echo "installer test: $checks checks, $failures failed, $(($(date +%s) - start)) s"
[ "$failures" -eq 0 ]
