#!/usr/bin/env bash
# The planning-station protocol: at most one workstation holds the right to plan.
# First each mode in turn on one attachment, then real workstations (isql
# processes on a private Firebird server on loopback) taking the right at the
# same moment: exactly one gets it, whether the others wait on the lock or not.
# Usage: test_poste_planif.sh DB_DIR SCRIPTS_DIR
DB=$(cd "$1" && pwd)
SCRIPTS=$(cd "$2" && pwd)
ICI=$(cd "$(dirname "$0")" && pwd)
. "$ICI/outils.sh"

BASE=$TESTS_DIR/poste.fdb
nouvelle_base "$BASE" "$DB"

P() { echo "select BPEUTPLANIFIER || ' ' || CHPOSTEPLANIF from SP_GESTION_POSTE_PLANIF('$1', $2, $3); commit;"; }

echo "# One mode after the other (one attachment, several workstation names)"
egal "demander, prendre, refus pour un autre, abandon réservé au détenteur" "1
1 A
0 A
0 A
0 A
1 A
1 A
1
1 B
0 B" "$(requete "$BASE" "
  $(P A 1 -2) $(P A 1 -1) $(P B 1 -2) $(P B 1 -1) $(P B 1 0) $(P A 1 -2) $(P A 1 -1)
  $(P A 1 0) $(P B 1 -1) $(P A 1 -1)")"
egal "un poste qui se déconnecte (BCONNECTE 0) rend le droit" "1 A
1" "$(requete "$BASE" "$(P A 1 -1) $(P A 0 -2)")"
egal "poste sans nom : jamais autorisé" "0
0" "$(requete "$BASE" "$(P '' 1 -1) $(P '   ' 1 -2)")"
egal "détenteur dont la connexion n'existe plus : le droit est libre" "1
1 B" "$(requete "$BASE" "
  update SP_POSTE_PLANIFICATION set NOM_POSTE = 'FANTOME', ID_CONNEXION = 999999 where ID = 1; commit;
  $(P B 1 -2) $(P B 1 -1)")"
requete "$BASE" "$(P C 1 -1)" > /dev/null
egal "une connexion qui se ferme sans rendre le droit le perd" "1" "$(requete "$BASE" "$(P D 1 -2)")"
egal "la ligne du poste planificateur perdue est recréée" "1 E|1" "$(requete "$BASE" "
  delete from SP_POSTE_PLANIFICATION; commit; $(P E 1 -1)
  select count(*) from SP_POSTE_PLANIFICATION;" | paste -sd'|')"

echo "# Workstations racing on a server"
if [ ! -x "$SCRIPTS/firebird-server.sh" ] && [ ! -f "$SCRIPTS/firebird-server.sh" ]; then
  echo "(pas de script de serveur : course sautée)"; fin_des_tests; exit 77
fi
SERVEUR=$TESTS_DIR/serveur
if ! lancement=$(bash "$SCRIPTS/firebird-server.sh" start "$SERVEUR" 2> "$TESTS_DIR/serveur.err"); then
  cat "$TESTS_DIR/serveur.err"
  echo "(serveur impossible à démarrer : course sautée)"; fin_des_tests; exit 77
fi
trap 'bash "$SCRIPTS/firebird-server.sh" stop "$SERVEUR" > /dev/null 2>&1; rm -rf "$TESTS_DIR"' EXIT
read -r PORT MDP <<< "$lancement"
DSN="127.0.0.1/$PORT:$BASE"

# Monitor queries through the server (rows trimmed, one per line).
serveur() {
  printf 'SET HEADING OFF;\n%s\n' "$1" > "$TESTS_DIR/moniteur.sql"
  "$ISQL" -q -user SYSDBA -password "$MDP" "$DSN" -i "$TESTS_DIR/moniteur.sql" 2>&1 \
    | sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//' -e '/^$/d'
}

# attendre DESCRIPTION SQL VALEUR: polls SQL until it prints VALEUR (20 s at most).
attendre() {
  local i
  for i in $(seq 1 200); do
    [ "$(serveur "$2")" == "$3" ] && return 0
    sleep 0.1
  done
  echo "ECHEC - délai dépassé : $1 (dernier résultat : $(serveur "$2"))"
  ECHECS=$((ECHECS + 1))
  return 1
}

# A workstation: an isql process on the server reading its commands from a pipe.
declare -A FD
ouvrir() {
  mkfifo "$TESTS_DIR/$1.fifo"
  "$ISQL" -q -user SYSDBA -password "$MDP" "$DSN" < "$TESTS_DIR/$1.fifo" \
    > "$TESTS_DIR/$1.out" 2>&1 &
  exec {fd}> "$TESTS_DIR/$1.fifo"
  FD[$1]=$fd
  echo "SET HEADING OFF;" >&"${FD[$1]}"
}
envoyer() { echo "$2" >&"${FD[$1]}"; }
fermer() { exec {fd}>&-; eval "exec ${FD[$1]}>&-"; }
resultat() { sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$TESTS_DIR/$1.out"; }
liberer() { serveur "update SP_POSTE_PLANIFICATION set NOM_POSTE = NULL, ID_CONNEXION = NULL where ID = 1; commit;" > /dev/null; }
prendre() {
  echo "SET TRANSACTION READ WRITE $2 ISOLATION LEVEL READ COMMITTED RECORD_VERSION;
select 'R ' || BPEUTPLANIFIER || ' ' || CHPOSTEPLANIF from SP_GESTION_POSTE_PLANIF('$1', 1, -1);"
}
VERROU="SET TRANSACTION READ WRITE NO WAIT ISOLATION LEVEL READ COMMITTED NO RECORD_VERSION;
select IIF(NOM_POSTE IS NULL, 'libre', NOM_POSTE) from SP_POSTE_PLANIFICATION;"
EN_ATTENTE="select count(*) from MON\$STATEMENTS where MON\$STATE = 1 and MON\$SQL_TEXT containing 'SP_GESTION_POSTE_PLANIF(''B''';"
DETENTEUR="select CHPOSTEPLANIF from SP_GESTION_POSTE_PLANIF('MONITEUR', 1, -2);"

for mode in WAIT "NO WAIT"; do
  liberer
  ouvrir A; ouvrir B
  # A takes the right and has not committed yet when B asks for it.
  envoyer A "$(prendre A "$mode")"
  # A reader that refuses to wait meets A's uncommitted version: A holds the row.
  verrou=non
  for i in $(seq 1 200); do
    if serveur "$VERROU" | grep -q -i 'conflict'; then verrou=oui; break; fi
    sleep 0.1
  done
  egal "$mode : A a pris la ligne sans valider encore" "oui" "$verrou"
  envoyer B "$(prendre B "$mode")"
  if [ "$mode" == "WAIT" ]; then
    attendre "B attend le verrou de A" "$EN_ATTENTE" "1"
  else
    sleep 0.5
  fi
  envoyer A "commit;"
  envoyer B "commit;"
  attendre "A détient le droit ($mode)" "$DETENTEUR" "A"
  fermer A
  attendre "A parti, le droit est rendu ($mode)" "$DETENTEUR" ""
  fermer B
  wait
  egal "$mode : A obtient le droit" "R 1 A" "$(resultat A | grep '^R ')"
  egal "$mode : B, qui le demandait au même moment, est refusé" "R 0" \
    "$(resultat B | grep '^R ' | cut -d' ' -f1-2)"
  rm -f "$TESTS_DIR"/A.* "$TESTS_DIR"/B.*
done

echo "# Six workstations released at the same instant"
liberer
serveur "delete from SP_DROIT where NOM_RELATION = 'COURSE'; commit;" > /dev/null
POSTES="P1 P2 P3 P4 P5 P6"
for p in $POSTES; do ouvrir "$p"; envoyer "$p" "select 'pret' from RDB\$DATABASE;"; done
attendre "six postes connectés" \
  "select count(*) from MON\$ATTACHMENTS where MON\$REMOTE_PROCESS containing 'isql' and MON\$ATTACHMENT_ID <> CURRENT_CONNECTION;" "6"
for p in $POSTES; do
  envoyer "$p" "$(prendre "$p" WAIT)
commit;
insert into SP_DROIT (NOM_UTIL, NOM_RELATION) values ('$p', 'COURSE'); commit;"
done
attendre "les six ont fini" "select count(*) from SP_DROIT where NOM_RELATION = 'COURSE';" "6"
detenteur=$(serveur "$DETENTEUR")
for p in $POSTES; do fermer "$p"; done
wait
gagnants=$(for p in $POSTES; do resultat "$p" | grep '^R 1 '; done)
egal "un seul gagnant" "1" "$(printf '%s\n' "$gagnants" | grep -c '^R 1 ')"
egal "le gagnant est le détenteur" "R 1 $detenteur" "$gagnants"
egal "les cinq autres sont refusés" "5" \
  "$(for p in $POSTES; do resultat "$p" | grep '^R 0 '; done | wc -l)"

fin_des_tests
