# Sourced by the scripts that build a library from Debian's own source package.
# fetch_debian_source <source package> <work folder>: downloads the package's newest
# source the mirror has (a mirror without it falls back to the release's own version)
# and unpacks it in the work folder, replacing what an interrupted unpacking left.
fetch_debian_source() {
  local name=$1 work=$2 version fetched=0
  for version in "" $(apt-cache showsrc "$name" 2>/dev/null | sed -n 's/^Version: //p' | sort -ru); do
    if (cd "$work" && apt-get source --download-only "$name${version:+=$version}" >/dev/null 2>&1); then
      fetched=1
      break
    fi
  done
  [ $fetched -eq 1 ] || { echo "apt-get source $name failed (is there a deb-src line?)" >&2; return 1; }
  local dsc
  dsc=$(ls "$work"/"${name}"_*.dsc | sort -V | tail -n 1)
  rm -rf "$work"/"${name}"-*/
  (cd "$work" && dpkg-source --no-check -x "$dsc" >/dev/null)
}
