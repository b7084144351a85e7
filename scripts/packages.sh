# Installing Debian packages so that it survives what real machines do: a
# package mirror in mid-sync, a resolver that trips over a suite whose i386
# index is missing, names that differ between releases. Sourced, not run.
#
# A package is written NAME, NAME:i386 (only where the i386 architecture can
# be used) or ALT1|ALT2|... (the first one this release offers).

apt_retries=${QUILLON_APT_RETRIES:-3}
apt_pause=${QUILLON_APT_PAUSE:-5}
apt_log=${QUILLON_APT_LOG:-/tmp/quillon-apt.log}

log() { printf '== %s\n' "$*" >&2; }

# A name without an architecture lists every one installed, a line each.
package_installed() {
  [[ $'\n'$(dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null)$'\n' == *$'\n'"install ok installed"$'\n'* ]]
}

# Whether the package lists offer a version of NAME to install.
package_offered() {
  local policy
  policy=$(apt-cache policy "$1" 2>/dev/null)
  grep -q '^ *Candidate: [^(]' <<<"$policy"
}

# Whether any of the spellings of one wanted package is installed.
wanted_installed() {
  local name spellings
  IFS='|' read -ra spellings <<<"$1"
  for name in "${spellings[@]}"; do package_installed "$name" && return 0; done
  return 1
}

# The spelling of one wanted package that this release offers; empty if none.
wanted_name() {
  local name spellings
  IFS='|' read -ra spellings <<<"$1"
  for name in "${spellings[@]}"; do
    package_offered "$name" && { echo "$name"; return 0; }
  done
}

# Updates the package lists, a few times if need be. A mirror in mid-sync
# fails one index ("File has unexpected size"): once the tries are spent
# the lists that did arrive are used, with a warning.
apt_update() {
  local try
  for ((try = 1; try <= apt_retries; ++try)); do
    apt-get update -q >"$apt_log" 2>&1 && return 0
    [ "$try" -lt "$apt_retries" ] && sleep "$apt_pause"
  done
  log "warning: some package lists could not be updated ($(grep -m1 -o 'Mirror sync in progress' "$apt_log" ||
       echo "see $apt_log")); going on with the lists there are"
  return 0
}

# install_packages WANTED...: installs what is missing; as root only.
# Returns non-zero after one line naming what is still missing.
install_packages() {
  local wanted missing=() names=() unoffered=() still=() codename
  for wanted in "$@"; do wanted_installed "$wanted" || missing+=("$wanted"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" != 0 ]; then
    log "missing packages: ${missing[*]} (run as root to install them)"
    return 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [[ " ${missing[*]} " == *:i386[\ \|]* ]] && [ "$(dpkg --print-architecture)" = amd64 ] &&
     [[ $'\n'$(dpkg --print-foreign-architectures)$'\n' != *$'\n'i386$'\n'* ]]; then
    dpkg --add-architecture i386
  fi
  apt_update
  for wanted in "${missing[@]}"; do
    local name
    name=$(wanted_name "$wanted")
    if [ -n "$name" ]; then
      names+=("$name")
    elif [[ $wanted == *:i386 ]]; then
      log "warning: $wanted is not offered here (no usable i386 archive): the 32-bit side goes without it"
    else
      unoffered+=("$wanted")
    fi
  done
  if [ ${#names[@]} -gt 0 ]; then
    log "installing ${names[*]}"
    if ! apt-get install -y -q --no-install-recommends "${names[@]}" >>"$apt_log" 2>&1; then
      codename=$(. "${QUILLON_OS_RELEASE:-/etc/os-release}" 2>/dev/null && echo "${VERSION_CODENAME:-}")
      if [ -n "$codename" ]; then
        log "the first install failed; trying again with the release's own suite ($codename) preferred"
        apt-get install -y -q --no-install-recommends -t "$codename" "${names[@]}" >>"$apt_log" 2>&1
      fi
    fi
  fi
  for wanted in "${names[@]}" "${unoffered[@]}"; do
    wanted_installed "$wanted" || still+=("$wanted")
  done
  if [ ${#still[@]} -gt 0 ]; then
    log "could not install: ${still[*]} (apt's output: $apt_log)"
    return 1
  fi
}
