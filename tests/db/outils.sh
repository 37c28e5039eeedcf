# Helpers shared by the database tests: fresh databases made from db/*.sql with
# isql, queries whose rows come back one per line, and checks that count
# failures. Source this file; call fin_des_tests at the end.

set -u

ISQL=${ISQL:-isql-fb}
ECHECS=0
TESTS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/vestrelle-db-XXXXXX")
chmod 777 "$TESTS_DIR"
trap 'rm -rf "$TESTS_DIR"' EXIT

# nouvelle_base FICHIER DB_DIR [script.sql...]: creates FICHIER from schema.sql,
# then runs the given scripts in order. Stops the test on any SQL error.
nouvelle_base() {
  local fichier=$1 dbdir=$2
  shift 2
  # Tests need no synchronous writes: without them a commit costs no disk flush.
  echo "CREATE DATABASE '$fichier' USER 'SYSDBA' DEFAULT CHARACTER SET ISO8859_1;" \
    | "$ISQL" -q -b > "$TESTS_DIR/creation.log" 2>&1 \
    && { ! command -v gfix > /dev/null \
         || gfix -write async -user SYSDBA "$fichier" >> "$TESTS_DIR/creation.log" 2>&1; } \
    || { echo "ECHEC : création de $fichier" >&2; cat "$TESTS_DIR/creation.log" >&2; exit 1; }
  {
    echo "SET NAMES UTF8;"
    echo "CONNECT '$fichier' USER 'SYSDBA';"
    echo "SET BAIL ON;"
    echo "INPUT '$dbdir/schema.sql';"
    for s in "$@"; do echo "INPUT '$s';"; done
    echo "COMMIT;"
  } > "$TESTS_DIR/creation.sql"
  if ! "$ISQL" -q -b -i "$TESTS_DIR/creation.sql" > "$TESTS_DIR/creation.log" 2>&1; then
    echo "ECHEC : création de $fichier" >&2
    cat "$TESTS_DIR/creation.log" >&2
    exit 1
  fi
}

# requete BASE SQL: runs SQL (several statements allowed) in one attachment and
# prints each result row on one line, trimmed, without headings or blank lines.
# Returns non-zero, with the server's message on stderr, when a statement fails.
requete() {
  local base=$1 sql=$2 rc
  printf 'SET HEADING OFF;\nSET BAIL ON;\n%s\nCOMMIT;\n' "$sql" > "$TESTS_DIR/requete.sql"
  "$ISQL" -q -b -ch UTF8 -user SYSDBA "$base" -i "$TESTS_DIR/requete.sql" \
    > "$TESTS_DIR/requete.out" 2> "$TESTS_DIR/requete.err"
  rc=$?
  sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$TESTS_DIR/requete.out"
  if [ $rc -ne 0 ]; then cat "$TESTS_DIR/requete.err" >&2; fi
  return $rc
}

# liste BASE SQL: the single-row result of SQL as "COLUMN=value" lines, in
# column order (isql's list mode).
liste() {
  local base=$1 sql=$2
  printf 'SET LIST ON;\n%s\n' "$sql" > "$TESTS_DIR/liste.sql"
  "$ISQL" -q -b -ch UTF8 -user SYSDBA "$base" -i "$TESTS_DIR/liste.sql" 2>&1 \
    | sed -e '/^[[:space:]]*$/d' -e 's/^\([A-Z0-9_$]*\)[[:space:]]*\(.*\)$/\1=\2/' \
          -e 's/[[:space:]]*$//'
}

# egal DESCRIPTION ATTENDU OBTENU
egal() {
  if [ "$2" == "$3" ]; then
    echo "ok   - $1"
  else
    echo "ECHEC - $1"
    echo "  attendu : $(printf '%s' "$2" | sed '2,$s/^/            /')"
    echo "  obtenu  : $(printf '%s' "$3" | sed '2,$s/^/            /')"
    ECHECS=$((ECHECS + 1))
  fi
}

# refuse DESCRIPTION BASE SQL MOTIF: SQL must fail with a message matching MOTIF
# (extended regular expression), and change nothing.
refuse() {
  local desc=$1 base=$2 sql=$3 motif=$4 err
  if requete "$base" "$sql" > /dev/null 2> "$TESTS_DIR/refus.err"; then
    echo "ECHEC - $desc : accepté"
    ECHECS=$((ECHECS + 1))
    return
  fi
  err=$(cat "$TESTS_DIR/refus.err")
  if printf '%s' "$err" | grep -Eq "$motif"; then
    echo "ok   - $desc"
  else
    echo "ECHEC - $desc : message inattendu"
    printf '%s\n' "$err" | sed 's/^/  /'
    ECHECS=$((ECHECS + 1))
  fi
}

fin_des_tests() {
  if [ "$ECHECS" -ne 0 ]; then
    echo "$ECHECS vérification(s) en échec"
    exit 1
  fi
  echo "toutes les vérifications passent"
}
