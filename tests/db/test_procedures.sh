#!/usr/bin/env bash
# The stored procedures: saving a plan order by order, starting, counting and
# closing orders, order-number checks, calendar copies, team shifts over a
# period, rights.
# Usage: test_procedures.sh DB_DIR
DB=$(cd "$1" && pwd)
ICI=$(cd "$(dirname "$0")" && pwd)
. "$ICI/outils.sh"

BASE=$TESTS_DIR/procedures.fdb
nouvelle_base "$BASE" "$DB" "$ICI/fixture.sql"

# Each check runs in its own transaction and rolls it back, so that every one
# starts from the fixture.
q() { requete "$BASE" "$1 rollback;"; }

OF="select C_OF || '|' || C_ETAT_OF || '|' || COALESCE(N_POSTE, '-') || '|' || COALESCE(DHD_OF, '-') || '|' || COALESCE(DHD_PROD, '-') || '|' || COALESCE(DHF_PROD, '-') || '|' || COALESCE(DHF_OF, '-') || '|' || DUREE_MN from SP_OF"

echo "# SP_PLANIFIER"
egal "OF en attente placé sur une ligne : ligne, quatre dates, état 1" \
  "1
101|1|2|2030-01-09 08:00:00.0000|2030-01-09 08:00:00.0000|2030-01-09 09:00:00.0000|2030-01-09 09:00:00.0000|60" \
  "$(q "select IRESULT from SP_PLANIFIER(101, 2, '2030-01-09 08:00', '2030-01-09 08:00', '2030-01-09 09:00', '2030-01-09 09:00'); $OF where C_OF = 101;")"
egal "OF planifié renvoyé en attente (-1, dates nulles) : ni ligne, ni dates, état 0" \
  "1
100|0|-|-|-|-|-|480" \
  "$(q "select IRESULT from SP_PLANIFIER(100, -1, '1899-12-30', '1899-12-30', '1899-12-30', '1899-12-30'); $OF where C_OF = 100;")"
egal "date de début à 0 sur une ligne : en attente" "100|0|-|-|-|-|-|480" \
  "$(q "select IRESULT from SP_PLANIFIER(100, 2, '1899-12-30', '1899-12-30', '1899-12-30', '1899-12-30'); $OF where C_OF = 100;" | tail -1)"
egal "durée modifiée par le planificateur enregistrée" "100|1|1|2030-01-07 08:00:00.0000|2030-01-07 08:00:00.0000|2030-01-07 09:35:00.0000|2030-01-07 09:35:00.0000|95" \
  "$(q "select IRESULT from SP_PLANIFIER(100, 1, '2030-01-07 08:00', '2030-01-07 08:00', '2030-01-07 09:35', '2030-01-07 09:35', 95); $OF where C_OF = 100;" | tail -1)"
egal "septième paramètre à 0 : durée inchangée" "480" \
  "$(q "select IRESULT from SP_PLANIFIER(100, 1, '2030-01-07 08:00', '2030-01-07 08:00', '2030-01-07 16:00', '2030-01-07 16:00', 0); select DUREE_MN from SP_OF where C_OF = 100;" | tail -1)"
egal "dates dans le désordre : jamais décroissantes" "100|1|1|2030-01-07 08:00:00.0000|2030-01-07 08:00:00.0000|2030-01-07 08:00:00.0000|2030-01-07 12:00:00.0000|480" \
  "$(q "select IRESULT from SP_PLANIFIER(100, 1, '2030-01-07 08:00', '2030-01-07 07:00', '2030-01-07 06:00', '2030-01-07 12:00'); $OF where C_OF = 100;" | tail -1)"
egal "OF en production laissé tel quel (IRESULT 0)" \
  "0
102|3|1|2030-01-06 08:00:00.0000|2030-01-06 08:30:00.0000|2030-01-06 10:00:00.0000|2030-01-06 10:00:00.0000|120" \
  "$(q "select IRESULT from SP_PLANIFIER(102, 2, '2030-02-01 08:00', '2030-02-01 08:00', '2030-02-01 09:00', '2030-02-01 09:00'); $OF where C_OF = 102;")"
egal "essai : même procédure, même clé" \
  "1
3|1|2030-01-10 08:00:00.0000|2030-01-10 10:00:00.0000|120" \
  "$(q "select IRESULT from SP_PLANIFIER(200, 3, '2030-01-10 08:00', '2030-01-10 08:00', '2030-01-10 10:00', '2030-01-10 10:00', 120); select N_POSTE || '|' || C_ETAT_OF || '|' || DHD_ESSAI || '|' || DHF_ESSAI || '|' || DUREE_MN from SP_ESSAI where C_ESSAI = 200;")"
egal "clé inconnue : IRESULT 0" "0" \
  "$(q "select IRESULT from SP_PLANIFIER(999, 1, '2030-01-10 08:00', '2030-01-10 08:00', '2030-01-10 10:00', '2030-01-10 10:00');")"
refuse "ligne inconnue : refusé, rien d'écrit" "$BASE" \
  "select IRESULT from SP_PLANIFIER(101, 99, '2030-01-10 08:00', '2030-01-10 08:00', '2030-01-10 10:00', '2030-01-10 10:00');" \
  "Poste inconnu : 99"
egal "... et l'OF n'a pas bougé" "101|0|-|-|-|-|-|60" "$(q "$OF where C_OF = 101;")"

echo "# SP_POST_PLANNIFICATION"
egal "sans paramètre, comme l'appelle la barre d'outils" "0" "$(q "SELECT * FROM SP_POST_PLANNIFICATION;")"
egal "avec le numéro d'atelier" "0" "$(q "SELECT * FROM SP_POST_PLANNIFICATION(0);")"

echo "# SP_DEBUTER_OF, SP_QUANTITE_OF, SP_SOLDER_OF"
RECENT="IIF(ABS(DATEDIFF(SECOND FROM %s TO CURRENT_TIMESTAMP)) < 120, 'maintenant', %s)"
maint() { printf "$RECENT" "$1" "$1"; }
egal "débuter en préparation : état 2, début maintenant" "100|2|maintenant|2030-01-07 09:00:00.0000" \
  "$(q "select * from SP_DEBUTER_OF(100, 1); select C_OF || '|' || C_ETAT_OF || '|' || $(maint DHD_OF) || '|' || DHD_PROD from SP_OF where C_OF = 100;" | tail -1)"
egal "puis en production : état 3, début de production maintenant, début d'OF gardé" "3|oui|maintenant" \
  "$(q "select * from SP_DEBUTER_OF(100, 1); update SP_OF set DHD_OF = '2029-06-01 06:00' where C_OF = 100; select * from SP_DEBUTER_OF(100, 0); select C_ETAT_OF || '|' || IIF(DHD_OF = '2029-06-01 06:00', 'oui', 'non') || '|' || $(maint DHD_PROD) from SP_OF where C_OF = 100;" | tail -1)"
egal "débuter un OF déjà en production : refusé (-1)" "-1
3" \
  "$(q "select INOUVOF from SP_DEBUTER_OF(102, 0); select C_ETAT_OF from SP_OF where C_OF = 102;")"
egal "débuter un essai" "200
3" \
  "$(q "select INOUVOF from SP_DEBUTER_OF(200, 0); select C_ETAT_OF from SP_ESSAI where C_ESSAI = 200;")"
egal "temps produit ajouté, pointage maintenant" "102|70|maintenant" \
  "$(q "select * from SP_QUANTITE_OF(102, 30); select C_OF || '|' || QT_REALISE || '|' || $(maint DH_POINTAGE) from SP_OF where C_OF = 102;" | tail -1)"
egal "correction négative : jamais sous 0" "0" \
  "$(q "select * from SP_QUANTITE_OF(102, -500); select QT_REALISE from SP_OF where C_OF = 102;" | tail -1)"
egal "temps produit sur une clé inconnue : -1" "-1" "$(q "select INOUVOF from SP_QUANTITE_OF(999, 10);")"
egal "solder : état 5, fin maintenant, visible dans le planning 2 seulement" "1
5|maintenant|0|1" \
  "$(q "select IRESULT from SP_SOLDER_OF(102); select C_ETAT_OF || '|' || $(maint DHF_OF) || '|' || (select count(*) from SP_VUEOF_PLANNING where C_OF = 102) || '|' || (select count(*) from SP_VUEOF_PLANNING2 where C_OF = 102) from SP_OF where C_OF = 102;")"
egal "solder deux fois : la seconde ne fait rien" "0" \
  "$(q "select IRESULT from SP_SOLDER_OF(102); select IRESULT from SP_SOLDER_OF(102);" | tail -1)"
egal "solder un OF planifié dans le futur : aucune date après maintenant" "oui" \
  "$(q "select IRESULT from SP_SOLDER_OF(100); select IIF(DHD_OF <= CURRENT_TIMESTAMP and DHD_PROD <= DHF_PROD and DHF_PROD <= DHF_OF and DHF_OF <= CURRENT_TIMESTAMP, 'oui', 'non') from SP_OF where C_OF = 100;" | tail -1)"
egal "solder avec le second paramètre que passe le menu" "1" "$(q "select IRESULT from SP_SOLDER_OF(101, 0);")"
egal "solder un essai" "1
5" \
  "$(q "select IRESULT from SP_SOLDER_OF(200); select C_ETAT_OF from SP_ESSAI where C_ESSAI = 200;")"

echo "# SP_OF_EXIST, SP_ESSAI_EXIST"
while IFS='|' read -r proc num op attendu; do
  egal "$proc('$num', $op)" "$attendu" "$(q "select BEXIST from $proc('$num', $op);")"
done <<'CAS'
SP_OF_EXIST|OF100|0|1
SP_OF_EXIST|OF100   |0|1
SP_OF_EXIST|OF100|10|0
SP_OF_EXIST|of100|0|0
SP_OF_EXIST|OF999|0|0
SP_ESSAI_EXIST|ES200 |0|1
SP_ESSAI_EXIST|ES999|0|0
CAS

echo "# Calendar copies"
CAL2="select cast(list(C_JOUR || ' ' || H_DEBUT || ' ' || C_ETAT_CAL, ', ') as varchar(500)) from (select * from SP_CAL_POSTE where N_POSTE = 2 order by C_JOUR, H_DEBUT)"
egal "semaine de la ligne 1 copiée sur la ligne 2, qui perd la sienne" "2
2 06:00:00.0000 1, 6 20:00:00.0000 2" \
  "$(q "insert into SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT) values (2, 4, 2, '12:00'); select BRESULT from SP_DUPLIQUE_CALENDRIER(1, 2); $CAL2;")"
egal "copie d'une ligne sur elle-même : rien ne change" "-1
2" \
  "$(q "select BRESULT from SP_DUPLIQUE_CALENDRIER(1, 1); select count(*) from SP_CAL_POSTE where N_POSTE = 1;")"
egal "copie depuis une ligne inconnue : la cible garde son calendrier" "-1
1" \
  "$(q "insert into SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT) values (2, 4, 2, '12:00'); select BRESULT from SP_DUPLIQUE_CALENDRIER(99, 2); select count(*) from SP_CAL_POSTE where N_POSTE = 2;")"
egal "périodes particulières copiées" "1|2030-01-01 00:00:00.0000|Jour de l'an" \
  "$(q "select BRESULT from SP_DUPLIQUE_CALENDRIER_PART(1, 3); select count(*) || '|' || min(DH_DEBUT) || '|' || min(OBSERVATION) from SP_CAL_PART_POSTE where N_POSTE = 3;" | tail -1)"
egal "une période copiée sur une autre ligne, deux fois : une seule copie" "1
1
1|1|Jour de l'an" \
  "$(q "select BRESULT from SP_DUPLIQUE_CAL_AUTRE_MACHINE(1, -1, 2); select BRESULT from SP_DUPLIQUE_CAL_AUTRE_MACHINE(1, -1, 2); select (select count(*) from SP_CAL_PART_POSTE where N_POSTE = 2) || '|' || (select count(*) from SP_CAL_PART_POSTE where N_POSTE = 1) || '|' || (select OBSERVATION from SP_CAL_PART_POSTE where N_POSTE = 2) from RDB\$DATABASE;")"
egal "... ajoutée sans rien remplacer quand le mode n'est pas -1" "2" \
  "$(q "select BRESULT from SP_DUPLIQUE_CAL_AUTRE_MACHINE(1, -1, 2); select BRESULT from SP_DUPLIQUE_CAL_AUTRE_MACHINE(1, 0, 2); select count(*) from SP_CAL_PART_POSTE where N_POSTE = 2;" | tail -1)"
egal "une période sur sa propre ligne : refusée" "0
1" \
  "$(q "select BRESULT from SP_DUPLIQUE_CAL_AUTRE_MACHINE(1, -1, 1); select count(*) from SP_CAL_PART_POSTE where N_POSTE = 1;")"
egal "période inconnue : rien" "0
0" \
  "$(q "select BRESULT from SP_DUPLIQUE_CAL_AUTRE_MACHINE(77, -1, 2); select count(*) from SP_CAL_PART_POSTE where N_POSTE = 2;")"

echo "# SP_LISTE_EQUIPES_PERIODE"
EQ="select DTDEBUT || ' ' || DTFIN || ' ' || CJOUR || ' ' || NEQUIPE from SP_LISTE_EQUIPES_PERIODE"
egal "dimanche sans équipe, lundi trois équipes dont la nuit qui finit mardi" \
  "2030-01-07 06:00:00.0000 2030-01-07 14:00:00.0000 2 1
2030-01-07 14:00:00.0000 2030-01-07 22:00:00.0000 2 2
2030-01-07 22:00:00.0000 2030-01-08 06:00:00.0000 2 3" \
  "$(q "$EQ(1, '2030-01-06', '2030-01-07') order by dtdebut,dtfin;")"
egal "jour particulier : ses équipes remplacent celles du lundi" \
  "2030-01-14 08:00:00.0000 2030-01-14 12:00:00.0000 10 5" \
  "$(q "$EQ(1, '2030-01-14', '2030-01-14') order by dtdebut,dtfin;")"
egal "premier argument 0 : les jours particuliers sont ignorés" "3" \
  "$(q "select count(*) from SP_LISTE_EQUIPES_PERIODE(0, '2030-01-14', '2030-01-14');")"
egal "période à l'envers : aucune équipe" "0" \
  "$(q "select count(*) from SP_LISTE_EQUIPES_PERIODE(1, '2030-01-14', '2030-01-07');")"

echo "# LECTURE_DROITS"
DR="select BSELECT || ' ' || BINSERT || ' ' || BUPDATE || ' ' || BDELETE from LECTURE_DROITS"
egal "table sans restriction : tous les droits" "-1 -1 -1 -1" "$(q "$DR('SP_OF', '');")"
egal "une vue, en minuscules" "-1 -1 -1 -1" "$(q "$DR('sp_vueof', '');")"
egal "relation inexistante : -10" "-10 0 0 0" "$(q "$DR('SP_RIEN', '');")"
egal "restriction pour tous, puis pour un utilisateur" "-1 0 0 0
-1 -1 0 0" \
  "$(q "insert into SP_DROIT (NOM_UTIL, NOM_RELATION, B_INSERT, B_UPDATE, B_DELETE) values ('', 'SP_OF', 0, 0, 0); insert into SP_DROIT (NOM_UTIL, NOM_RELATION, B_UPDATE, B_DELETE) values ('DUPONT', 'SP_OF', 0, 0); $DR('SP_OF', ''); $DR('SP_OF', 'dupont');")"

fin_des_tests
