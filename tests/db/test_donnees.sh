#!/usr/bin/env bash
# The demonstration data and the generator of large data sets: both load on a
# fresh database, give what a user or a benchmark expects, and leave the key
# generators past the keys they used. The generator gives the same text for the
# same seed.
# Usage: test_donnees.sh DB_DIR [GENERATEUR]
DB=$(cd "$1" && pwd)
GENERATEUR=${2:-}
ICI=$(cd "$(dirname "$0")" && pwd)
. "$ICI/outils.sh"

# Checks shared by both data sets.
coherence() {
  local base=$1
  egal "$2 : OF planifiés avec ligne et quatre dates croissantes" "0" "$(requete "$base" "
    select count(*) from SP_VUEOF_PLANNING_TOUS
     where C_ETAT_OF between 1 and 5
       and (N_POSTE is null or DHD_OF is null or DHD_PROD < DHD_OF or DHF_PROD < DHD_PROD
            or DHF_OF < DHF_PROD);")"
  egal "$2 : OF en attente sans ligne ni dates" "0" "$(requete "$base" "
    select count(*) from SP_VUEOF_PLANNING_TOUS
     where C_ETAT_OF = 0 and (N_POSTE is not null or DHD_OF is not null);")"
  egal "$2 : au plus un OF en cours par ligne" "0" "$(requete "$base" "
    select count(*) from (select N_POSTE from SP_VUEOF_PLANNING_TOUS
                           where C_ETAT_OF between 2 and 4 group by N_POSTE having count(*) > 1);")"
  egal "$2 : chaque ligne a une semaine d'au moins deux états" "0" "$(requete "$base" "
    select count(*) from SP_POSTE p
     where (select count(distinct C_ETAT_CAL) from SP_CAL_POSTE c where c.N_POSTE = p.N_POSTE) < 2;")"
  egal "$2 : les générateurs donnent des clés libres" "ok" "$(requete "$base" "
    insert into SP_OF (C_OF, N_OF) values (GEN_ID(GEN_SP_OF, 1), 'NOUVEAU');
    insert into SP_ESSAI (C_ESSAI, N_ESSAI) values (GEN_ID(GEN_SP_OF, 1), 'NOUVEAU');
    insert into SP_POSTE (N_POSTE, LIB_POSTE) values (GEN_ID(GEN_SP_POSTE, 1), 'Nouveau');
    insert into SP_CLIENT (C_CLIENT, LIB_CLIENT) values (GEN_ID(GEN_SP_CLIENT, 1), 'Nouveau');
    insert into SP_ARTICLE (C_ARTICLE, LIB_ARTICLE) values (GEN_ID(GEN_SP_ARTICLE, 1), 'Nouveau');
    insert into SP_RESPONSABLE (C_RESPONSABLE) values (GEN_ID(GEN_SP_RESPONSABLE, 1));
    insert into SP_ATELIER (C_ATELIER) values (GEN_ID(GEN_SP_ATELIER, 1));
    insert into SP_ETAT_CAL (C_ETAT_CAL) values (GEN_ID(GEN_SP_ETAT_CAL, 1));
    insert into SP_CAL_POSTE (C_CAL_POSTE, N_POSTE, C_JOUR, C_ETAT_CAL)
      values (GEN_ID(GEN_SP_CAL_POSTE, 1), 1, 2, 1);
    insert into SP_CAL_PART_POSTE (C_CAL_PART_POSTE, N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL)
      values (GEN_ID(GEN_SP_CAL_PART_POSTE, 1), 1, '2031-01-01', '2031-01-02', 1);
    select 'ok' from RDB\$DATABASE; rollback;")"
}

echo "# Demonstration data"
DEMO=$TESTS_DIR/demo.fdb
nouvelle_base "$DEMO" "$DB" "$DB/demo.sql"
coherence "$DEMO" "démo"
egal "une dizaine de personnes dans plusieurs ateliers" "10|4" \
  "$(requete "$DEMO" "select count(*) || '|' || count(distinct C_ATELIER) from SP_POSTE;")"
egal "environ deux cents OF et essais, dans chaque état" "200|0 1 2 3 4 5 6" \
  "$(requete "$DEMO" "select count(*) || '|' || (select cast(list(distinct C_ETAT_OF, ' ') as varchar(50)) from SP_VUEOF_PLANNING_TOUS) from SP_VUEOF_PLANNING_TOUS;")"
egal "des essais planifiés et en attente" "oui" \
  "$(requete "$DEMO" "select IIF(count(distinct C_ETAT_OF) >= 2, 'oui', 'non') from SP_ESSAI where C_ETAT_OF < 2;")"
egal "chaque personne a du travail planifié devant elle" "10" \
  "$(requete "$DEMO" "select count(distinct N_POSTE) from SP_VUEOF_PLANNING where C_ETAT_OF = 1 and DHF_OF > CURRENT_TIMESTAMP;")"
egal "OF en attente, dont des non validés" "oui|oui" \
  "$(requete "$DEMO" "select IIF(count(*) >= 30, 'oui', 'non') || '|' || IIF(sum(IIF(VALIDE = 0, 1, 0)) > 0, 'oui', 'non') from SP_VUEOF_PLANNING where N_POSTE is null;")"
egal "soldés récents dans la vue des soldés de moins de 15 jours" "oui" \
  "$(requete "$DEMO" "select IIF(count(*) > 0, 'oui', 'non') from SP_VUEOF_PLANNING2 where C_ETAT_OF = 5;")"
egal "week-end fermé : aucun état ouvert le samedi après-midi ni le dimanche" "0" \
  "$(requete "$DEMO" "select count(*) from SP_VUECAL_POSTE_PLANNING where EFFICACITE > 0 and (C_JOUR = 1 or (C_JOUR = 7 and H_DEBUT >= '12:00'));")"
# Eleven holidays a year, one fewer when Ascension falls on 1 or 8 May.
egal "jours fériés de cette année et de la suivante sur chaque personne, sans doublon" "oui|10|0" \
  "$(requete "$DEMO" "select IIF(count(distinct DH_DEBUT) between 20 and 22, 'oui', 'non') || '|' || count(distinct N_POSTE) || '|' || (select count(*) from (select N_POSTE, DH_DEBUT from SP_CAL_PART_POSTE group by 1, 2 having count(*) > 1)) from SP_CAL_PART_POSTE where C_ETAT_CAL = 4;")"
egal "Pâques de l'année suivante bien placé (lundi de Pâques un lundi)" "1" \
  "$(requete "$DEMO" "select extract(weekday from DH_DEBUT) from SP_CAL_PART_POSTE where N_POSTE = 1 and OBSERVATION = 'Lundi de Pâques' and extract(year from DH_DEBUT) = extract(year from current_date) + 1;")"
egal "états de calendrier colorés, motifs variés" "9|8" \
  "$(requete "$DEMO" "select count(distinct COULEUR) || '|' || count(distinct MOTIF) from SP_ETAT_CAL;")"
egal "équipes de la semaine et jours particuliers" "oui" \
  "$(requete "$DEMO" "select IIF(count(*) >= 20, 'oui', 'non') from SP_LISTE_EQUIPES_PERIODE(1, current_date, current_date + 28);")"
egal "textes accentués intacts" "Contrôle qualité" \
  "$(requete "$DEMO" "select LIB_ATELIER from SP_ATELIER where C_ATELIER = 3;")"

if [ -z "$GENERATEUR" ]; then
  echo "(générateur non construit : vérifications sautées)"
  fin_des_tests
fi

echo "# Generator of large data sets"
"$GENERATEUR" --graine 7 --ofs 600 --lignes 20 --jours 60 > "$TESTS_DIR/g1.sql"
"$GENERATEUR" --graine 7 --ofs 600 --lignes 20 --jours 60 --sortie "$TESTS_DIR/g2.sql"
"$GENERATEUR" --graine 8 --ofs 600 --lignes 20 --jours 60 > "$TESTS_DIR/g3.sql"
egal "même graine, même texte" "identiques" \
  "$(cmp -s "$TESTS_DIR/g1.sql" "$TESTS_DIR/g2.sql" && echo identiques || echo différents)"
egal "autre graine, autre texte" "différents" \
  "$(cmp -s "$TESTS_DIR/g1.sql" "$TESTS_DIR/g3.sql" && echo identiques || echo différents)"
egal "option inconnue refusée" "2" "$("$GENERATEUR" --rien 1 > /dev/null 2>&1; echo $?)"
egal "nombre invalide refusé" "2" "$("$GENERATEUR" --ofs dix > /dev/null 2>&1; echo $?)"

GROS=$TESTS_DIR/gros.fdb
nouvelle_base "$GROS" "$DB" "$TESTS_DIR/g1.sql"
coherence "$GROS" "généré"
egal "autant d'OF et de lignes que demandé" "600|20" \
  "$(requete "$GROS" "select count(*) || '|' || (select count(*) from SP_POSTE) from SP_VUEOF_PLANNING_TOUS;")"
egal "OF dans tous les états courants, essais compris" "0 1 3 5 6|oui" \
  "$(requete "$GROS" "select (select cast(list(distinct C_ETAT_OF, ' ') as varchar(50)) from SP_VUEOF_PLANNING_TOUS) || '|' || IIF(count(*) > 0, 'oui', 'non') from SP_ESSAI;")"
egal "périodes particulières sur toute la durée, pour chaque ligne" "20|oui" \
  "$(requete "$GROS" "select count(distinct N_POSTE) || '|' || IIF(max(DH_DEBUT) - min(DH_DEBUT) > 45, 'oui', 'non') from SP_CAL_PART_POSTE;")"

fin_des_tests
