# Sourced by the installer tests. The prefix's desktop is this machine user's
# home folder, which every Wine run here shares (other test runs make and delete
# the program's desktop link there), so for a test the user's desktop is a
# folder of its own:
#   use_private_desktop 'C:\folder'   points the user's desktop there; sets DESKTOP
#                                     to the folder's path on this machine
#   restore_desktop                   puts the old desktop back, removes the folder
# Needs WINE (the wine64 loader) and WINEPREFIX.
_SHELL_FOLDERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
_USER_SHELL_FOLDERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
_desktop_of() { "$WINE" reg query "$1" /v Desktop 2>/dev/null | tr -d '\r' | awk -F '    ' '$2 == "Desktop" { print $4 }'; }
_set_desktop() {  # <folder> <folder as User Shell Folders holds it>
  "$WINE" reg add "$_SHELL_FOLDERS" /v Desktop /d "$1" /f >/dev/null 2>&1
  "$WINE" reg add "$_USER_SHELL_FOLDERS" /v Desktop /t REG_EXPAND_SZ /d "$2" /f >/dev/null 2>&1
}
use_private_desktop() {
  _saved_desktop=$(_desktop_of "$_SHELL_FOLDERS")
  _saved_user_desktop=$(_desktop_of "$_USER_SHELL_FOLDERS")
  _private_desktop=$WINEPREFIX/drive_c/${1#[Cc]:\\}
  _private_desktop=${_private_desktop//\\//}
  mkdir -p "$_private_desktop"
  _set_desktop "$1" "$1"
  DESKTOP=$_private_desktop
}
restore_desktop() {
  [ -n "${_saved_desktop:-}" ] && _set_desktop "$_saved_desktop" "${_saved_user_desktop:-$_saved_desktop}"
  [ -n "${_private_desktop:-}" ] && rm -rf "$_private_desktop"
  _saved_desktop='' _private_desktop=''
}
