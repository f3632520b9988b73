# The Debian mirror this machine's apt already uses (sourced, not run):
#   debian_mirror          prints the first archive address (not the security archive)
#                          of /etc/apt/sources.list and sources.list.d, in either format
#   require_debian_mirror  the same, or stops with a clear message when there is none
# Nothing here names a host of its own: a machine without a Debian source line in its
# apt configuration is told so instead of being pointed somewhere else.

debian_mirror() {
  local files=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 1
  # One-line "deb URI suite ..." entries and deb822 "URIs:" fields, comments left out.
  sed -n -E -e 's/^[[:space:]]*deb(-src)?[[:space:]]+(\[[^]]*\][[:space:]]+)?([a-z]+:\/\/[^[:space:]]+).*/\3/p' \
            -e 's/^[[:space:]]*URIs:[[:space:]]*([a-z]+:\/\/[^[:space:]]+).*/\1/p' "${files[@]}" \
    | grep -E '/debian/?$' | grep -v -- '-security' | head -n 1 | sed 's:/*$::'
}

require_debian_mirror() {
  local mirror
  mirror=$(debian_mirror || true)
  if [ -z "$mirror" ]; then
    echo "No Debian archive is named in this machine's apt sources (/etc/apt/sources.list," >&2
    echo "/etc/apt/sources.list.d). Add the mirror you use there, then run this again." >&2
    return 1
  fi
  echo "$mirror"
}
