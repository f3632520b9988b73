# The Debian mirror this machine's apt already uses (sourced, not run):
#   apt_source_uris        every archive address of /etc/apt/sources.list and
#                          sources.list.d, in either format, comments left out
#   debian_mirror          the first Debian archive among them (not the security archive)
#   debian_security        the first security archive among them (nothing when none)
#   require_debian_mirror  debian_mirror, or stops with a clear message when there is none
# Nothing here names a host of its own: a machine without a Debian source line in its
# apt configuration is told so instead of being pointed somewhere else.

apt_source_uris() {
  local files=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  # One-line "deb URI suite ..." entries and deb822 "URIs:" fields.
  sed -n -E -e 's/^[[:space:]]*deb(-src)?[[:space:]]+(\[[^]]*\][[:space:]]+)?([a-z]+:\/\/[^[:space:]]+).*/\3/p' \
            -e 's/^[[:space:]]*URIs:[[:space:]]*([a-z]+:\/\/[^[:space:]]+).*/\1/p' "${files[@]}" | sed 's:/*$::'
}

debian_mirror() {
  apt_source_uris | grep -E '/debian$' | grep -v -- '-security' | head -n 1
}

debian_security() {
  apt_source_uris | grep -E -- '-security$' | head -n 1
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

# apt-get update, tried again when it fails: a mirror in the middle of a sync serves an
# index of an unexpected size for a while (seen on a clean root, for the security
# archive's i386 index). Three tries, half a minute apart; then apt goes on with the
# indexes it has, as it says it does, and a package that is truly missing stops the
# install that needs it with apt's own message. Uses $SUDO when the caller has set it.
apt_update() {
  local try
  for try in 1 2 3; do
    ${SUDO:-} apt-get update -qq && return 0
    [ $try -lt 3 ] || break
    echo "apt-get update failed (try $try of 3); trying again in 30 s" >&2
    sleep 30
  done
  echo "apt-get update failed three times; going on with the package lists apt has" >&2
  return 0
}

# apt-get install -y of the packages given, without recommends. When an index failed to
# download, one architecture can see newer versions than the other (seen on a new
# machine: the security archive's amd64 index arrived, its i386 one did not, and the
# 32-bit libraries could not match their 64-bit halves: "pkgProblemResolver::Resolve
# generated breaks"). Then the install is tried once more with the release's own
# versions preferred (-t <codename>), which both architectures have.
apt_install() {
  ${SUDO:-} apt-get install -y -qq --no-install-recommends "$@" && return 0
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 1
  echo "apt-get install failed; trying again with $codename's own versions preferred (-t $codename)" >&2
  ${SUDO:-} apt-get install -y -qq --no-install-recommends -t "$codename" "$@"
}
