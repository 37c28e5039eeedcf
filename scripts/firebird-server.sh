#!/usr/bin/env bash
# Starts or stops a private Firebird server on loopback, for the tests that need two
# workstations. Everything lives in one directory: its own configuration, security
# database (with a SYSDBA password of its own), lock and temporary directories, port.
#
#   firebird-server.sh start DIR   start (again) the server of DIR; prints "port password"
#   firebird-server.sh stop DIR [--purge]   stop it; --purge also removes DIR
#   firebird-server.sh status DIR  exit 0 when it answers
#
# DIR/port and DIR/password hold what a client needs: 127.0.0.1/<port>:<database path>.
set -euo pipefail

action=${1:-}
dir=${2:-}
if [ -z "$action" ] || [ -z "$dir" ]; then
  echo "usage: $0 start|stop|status DIR [--purge]" >&2
  exit 2
fi

FB_ROOT=${FB_ROOT:-/usr/lib/x86_64-linux-gnu/firebird/3.0}
FB_SERVER=${FB_SERVER:-/usr/sbin/firebird}
FB_SECURITY=${FB_SECURITY:-/var/lib/firebird/3.0/system/security3.fdb}
ISQL=${ISQL:-$(command -v isql-fb || command -v isql || true)}

port_libre() {
  # A port nobody listens on.
  local p
  for _ in $(seq 1 50); do
    p=$(( 20000 + RANDOM % 20000 ))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

repond() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

preparer() {
  mkdir -p "$dir/root" "$dir/lock" "$dir/tmp" "$dir/data"
  dir=$(cd "$dir" && pwd)
  local f
  for f in firebird.msg plugins lib UDF plugins.conf fbtrace.conf; do
    [ -e "$dir/root/$f" ] || ln -s "$FB_ROOT/$f" "$dir/root/$f"
  done
  # The character sets module must really lie under the root: a link to the system copy
  # is resolved and then not accepted.
  if [ ! -d "$dir/root/intl" ]; then
    mkdir -p "$dir/root/intl"
    cp "$FB_ROOT/intl/libfbintl.so" "$dir/root/intl/"
    cp -L "$FB_ROOT/intl/fbintl.conf" "$dir/root/intl/"
  fi
  [ -f "$dir/port" ] || port_libre > "$dir/port"
  local port
  port=$(cat "$dir/port")
  cat > "$dir/root/firebird.conf" <<CONF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $dir/security3.fdb
ServerMode = Super
UdfAccess = None
AuthServer = Srp
AuthClient = Srp, Legacy_Auth
WireCrypt = Enabled
CONF
  : > "$dir/root/databases.conf"
  if [ ! -f "$dir/security3.fdb" ]; then
    cp "$FB_SECURITY" "$dir/security3.fdb"
    chmod 660 "$dir/security3.fdb"
    local mdp
    mdp=$(head -c 9 /dev/urandom | od -An -tx1 | tr -d ' \n')
    # Embedded access to the copy: give SYSDBA the password of this server.
    printf "ALTER USER SYSDBA PASSWORD '%s' USING PLUGIN Srp;\nCOMMIT;\n" "$mdp" |
      FIREBIRD="$dir/root" FIREBIRD_LOCK="$dir/lock" FIREBIRD_TMP="$dir/tmp" \
        "$ISQL" -q -user SYSDBA "$dir/security3.fdb" > "$dir/isql.log" 2>&1
    echo "$mdp" > "$dir/password"
  fi
}

case "$action" in
  start)
    preparer
    port=$(cat "$dir/port")
    if [ -f "$dir/pid" ] && kill -0 "$(cat "$dir/pid")" 2>/dev/null && repond "$port"; then
      echo "$port $(cat "$dir/password")"
      exit 0
    fi
    FIREBIRD="$dir/root" FIREBIRD_LOCK="$dir/lock" FIREBIRD_TMP="$dir/tmp" \
      setsid "$FB_SERVER" > "$dir/server.log" 2>&1 < /dev/null &
    echo $! > "$dir/pid"
    for _ in $(seq 1 100); do
      if repond "$port"; then
        echo "$port $(cat "$dir/password")"
        exit 0
      fi
      if ! kill -0 "$(cat "$dir/pid")" 2>/dev/null; then break; fi
      sleep 0.1
    done
    echo "firebird-server: the server did not start (see $dir/server.log)" >&2
    cat "$dir/server.log" >&2 || true
    exit 1
    ;;
  stop)
    if [ -f "$dir/pid" ]; then
      pid=$(cat "$dir/pid")
      if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do
          kill -0 "$pid" 2>/dev/null || break
          sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
      fi
      rm -f "$dir/pid"
    fi
    if [ "${3:-}" = "--purge" ]; then rm -rf "$dir"; fi
    ;;
  status)
    [ -f "$dir/port" ] && repond "$(cat "$dir/port")"
    ;;
  *)
    echo "usage: $0 start|stop|status DIR [--purge]" >&2
    exit 2
    ;;
esac
