#!/usr/bin/env bash
# The schema: every statement the program sends runs on a fresh database, the
# planning views give the columns at the positions the chart reads, the
# screens' inserts get their defaults, constraints refuse bad rows, and every
# relation posts its event.
# Usage: test_schema.sh DB_DIR
DB=$(cd "$1" && pwd)
ICI=$(cd "$(dirname "$0")" && pwd)
. "$ICI/outils.sh"

BASE=$TESTS_DIR/schema.fdb
nouvelle_base "$BASE" "$DB" "$ICI/fixture.sql"

echo "# Statements of the program"
while IFS= read -r sql; do
  [ -z "$sql" ] && continue
  if requete "$BASE" "$sql;" > /dev/null 2> "$TESTS_DIR/err"; then
    echo "ok   - $sql"
  else
    echo "ECHEC - $sql"; sed 's/^/  /' "$TESTS_DIR/err"; ECHECS=$((ECHECS + 1))
  fi
done <<'SQL'
select N_POSTE, LIB_POSTE, CAD_INST, TYPE_FREQUENCE from SP_VUEPOSTE_PLANNING order by N_POSTE
select N_POSTE, C_JOUR, LIB_POSTE, EFFICACITE, COULEUR, MOTIF, H_DEBUT, C_ETAT_CAL from SP_VUECAL_POSTE_PLANNING order by N_POSTE, C_JOUR, H_DEBUT
select N_POSTE, LIB_POSTE, EFFICACITE, COULEUR, MOTIF, DH_DEBUT, DH_FIN, C_ETAT_CAL from SP_VUECAL_PART_POSTE_PLANNING order by N_POSTE, DH_DEBUT, DH_FIN
select * from SP_VUEOF_PLANNING order by n_poste,c_etat_of DESC,dhd_of ASC
select * from SP_VUEOF_PLANNING2 order by n_poste,c_etat_of DESC,dhd_of ASC
select * from SP_VUEOF_PLANNING  where c_of=100 order by n_poste,c_etat_of DESC,dhd_of ASC
select * from SP_VUEOF_PLANNING_BIS_MAJ order by C_OF
Select * from SP_VUEOF
Select * from SP_VUEOF where C_OF = 100
Select * from SP_VUEESSAI
Select * from SP_VUECLIENT
Select * from SP_VUERESPONSABLE
select * FROM SP_VUEARTICLE
SELECT C_ATELIER, LIB_ATELIER FROM SP_ATELIER
select C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE from SP_EQUIPE where C_JOUR = 2 and C_EQUIPE = 1 and HD_EQUIPE = '06:00'
SELECT * FROM SP_VUEPOSTE_2 WHERE N_POSTE=1
SELECT * FROM SP_VUECAL_POSTE WHERE N_POSTE=1 ORDER BY LIB_JOUR DESC
SELECT C_CAL_PART_POSTE, N_POSTE, C_ETAT_CAL, DH_DEBUT, DH_FIN, LIB_ETAT_CAL, OBSERVATION from SP_VUECAL_PART_POSTE WHERE N_POSTE=1 ORDER BY DH_DEBUT
Select C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF from SP_ETAT_CAL
select C_JOUR, DATE_JOUR from  SP_JOUR_PARTICULIER
select  C_CLIENT, LIB_CLIENT from SP_CLIENT where ACTIF=-1 order by LIB_CLIENT
select  C_RESPONSABLE, REF_RESPONSABLE from SP_RESPONSABLE order by REF_RESPONSABLE
select C_JOUR, LIB_JOUR from SP_JOURNEE order by C_JOUR
select C_ETAT_OF, LIB_ETAT_OF from SP_ETAT_OF order by LIB_ETAT_OF
select C_ARTICLE, REF_ARTICLE, LIB_ARTICLE from SP_ARTICLE where ACTIF=-1 order by REF_ARTICLE
select N_POSTE, LIB_POSTE from SP_POSTE order by C_ATELIER, N_POSTE
select * from SP_LISTE_EQUIPES_PERIODE (1, '2030-01-13','2030-01-19') order by dtdebut,dtfin
select * from LECTURE_DROITS('SP_OF', '')
select * from SP_GESTION_POSTE_PLANIF('POSTE', 1, -2)
select * from SP_OF_EXIST('OF100', 0)
select * from SP_ESSAI_EXIST('ES200', 0)
SQL

echo "# Generators: one per relation whose keys the screens draw"
for g in SP_OF SP_CLIENT SP_RESPONSABLE SP_ARTICLE SP_ATELIER SP_POSTE SP_CAL_POSTE \
         SP_CAL_PART_POSTE SP_ETAT_CAL; do
  egal "GEN_$g donne la clé suivante" "ok" \
    "$(requete "$BASE" "SELECT IIF(Gen_id(GEN_$g, 1) > 0, 'ok', 'non') FROM RDB\$DATABASE;")"
done

echo "# Orders view, column by column, in the order the chart reads them"
egal "OF planifié (positions 0 à 31)" "C_OF=100
N_OF=OF100
N_OPERATION=0
N_POSTE=1
DHD_OF=2030-01-07 08:00:00.0000
DHD_PROD=2030-01-07 09:00:00.0000
DHF_PROD=2030-01-07 17:00:00.0000
DHF_OF=2030-01-07 18:00:00.0000
C_ETAT_OF=1
DUREE_MN=480
QT_REALISE=0
VALIDE=-1
COULEUR1=111
COULEUR2=222
CADENCE=13
DH_POINTAGE=<null>
DATE_LIMITE=2030-01-20 16:00:00.0000
N_AVIS=AV1
N_SERIE=SER1
PRIORITE=2
DATE_CREATION=2029-12-01
C_ARTICLE=1
REF_ARTICLE=ART1
REF_ARTICLE_MODIF=ART1-M
LIB_ARTICLE=Article un
C_RESPONSABLE=1
LIB_RESPONSABLE=Responsable un
C_CLIENT=1
REF_CLIENT=CLI1
LIB_CLIENT=Client un
NOM_GROUPE=Groupe G
ESSAI=0" "$(liste "$BASE" "select * from SP_VUEOF_PLANNING where c_of = 100;")"

egal "essai : une seule phase, drapeau d'essai, pas de client" "C_OF=200
N_OF=ES200
N_OPERATION=0
N_POSTE=2
DHD_OF=2030-01-08 08:00:00.0000
DHD_PROD=2030-01-08 08:00:00.0000
DHF_PROD=2030-01-08 09:30:00.0000
DHF_OF=2030-01-08 09:30:00.0000
C_ETAT_OF=1
DUREE_MN=90
COULEUR1=<null>
LIB_ARTICLE=Essai moule
LIB_CLIENT=<null>
ESSAI=1" "$(liste "$BASE" "select * from SP_VUEOF_PLANNING where c_of = 200;" \
  | grep -E '^(C_OF|N_OF|N_OPERATION|N_POSTE|DHD_OF|DHD_PROD|DHF_PROD|DHF_OF|C_ETAT_OF|DUREE_MN|COULEUR1|LIB_ARTICLE|LIB_CLIENT|ESSAI)=')"

egal "vue de mise à jour (positions 0 à 12)" "C_OF=102
N_OF=OF102
N_OPERATION=0
DUREE_MN=120
N_POSTE=1
VALIDE=-1
DHD_OF=2030-01-06 08:00:00.0000
DHD_PROD=2030-01-06 08:30:00.0000
DHF_PROD=2030-01-06 10:00:00.0000
DHF_OF=2030-01-06 10:00:00.0000
DH_POINTAGE=<null>
QT_REALISE=40
C_ETAT_OF=3" "$(liste "$BASE" "select * from SP_VUEOF_PLANNING_BIS_MAJ where c_of = 102;")"

egal "lignes : cadence en cycles par heure, 0 sans temps de cycle" "1|120|2
2|0|2
3|30|2" "$(requete "$BASE" "select N_POSTE || '|' || CAST(CAD_INST AS INTEGER) || '|' || TYPE_FREQUENCE from SP_VUEPOSTE_PLANNING order by N_POSTE;")"

egal "calendrier hebdomadaire avec l'état" "1|2|Ligne un|100|255|1|06:00:00.0000|1
1|6|Ligne un|0|8421504|8|20:00:00.0000|2" \
  "$(requete "$BASE" "select N_POSTE || '|' || C_JOUR || '|' || LIB_POSTE || '|' || EFFICACITE || '|' || COULEUR || '|' || MOTIF || '|' || H_DEBUT || '|' || C_ETAT_CAL from SP_VUECAL_POSTE_PLANNING order by N_POSTE, C_JOUR, H_DEBUT;")"

egal "périodes particulières avec l'état" "1|Ligne un|0|8421504|8|2030-01-01 00:00:00.0000|2030-01-02 00:00:00.0000|2" \
  "$(requete "$BASE" "select N_POSTE || '|' || LIB_POSTE || '|' || EFFICACITE || '|' || COULEUR || '|' || MOTIF || '|' || DH_DEBUT || '|' || DH_FIN || '|' || C_ETAT_CAL from SP_VUECAL_PART_POSTE_PLANNING;")"

en_ligne() { tr '\n' ' ' | sed 's/ $//'; }

echo "# Which orders each planning view holds"
egal "planning : ni soldés ni supprimés" "100 101 102 200" \
  "$(requete "$BASE" "select c_of from SP_VUEOF_PLANNING order by c_of;" | en_ligne)"
egal "planning 2 : plus les soldés de moins de 15 jours" "100 101 102 103 200" \
  "$(requete "$BASE" "select c_of from SP_VUEOF_PLANNING2 order by c_of;" | en_ligne)"
egal "mise à jour : tous les états, supprimés compris" "100 101 102 103 104 105 200" \
  "$(requete "$BASE" "select c_of from SP_VUEOF_PLANNING_BIS_MAJ order by c_of;" | en_ligne)"
egal "clients : les inactifs disparaissent de la vue, pas de la table" "0|1" \
  "$(requete "$BASE" "update SP_CLIENT set ACTIF=0 where C_CLIENT = 1; select (select count(*) from SP_VUECLIENT) || '|' || (select count(*) from SP_CLIENT) from RDB\$DATABASE; rollback;")"

echo "# What the screens insert gets its defaults"
egal "OF inséré par l'écran (état et ligne nuls) : état 0, non planifié" "0|<null>|0" \
  "$(requete "$BASE" "insert into SP_OF (C_OF, N_OF, N_OPERATION, C_ETAT_OF, C_ARTICLE, N_POSTE, DATE_LIMITE, DATE_CREATION, OBSERVATION, N_AVIS, N_SERIE, PRIORITE, DUREE_MN, DHD_OF, DHD_PROD, DHF_PROD, DHF_OF, DH_POINTAGE, VALIDE) values (300, 'OF300', 0, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, 1, 45, NULL, NULL, NULL, NULL, NULL, -1);
    select C_ETAT_OF || '|' || COALESCE(N_POSTE, '<null>') || '|' || QT_REALISE from SP_OF where C_OF = 300;")"
egal "article sans ACTIF : actif (-1)" "-1" \
  "$(requete "$BASE" "insert into SP_ARTICLE (C_ARTICLE, REF_ARTICLE, LIB_ARTICLE, C_CLIENT, REF_ARTICLE_MODIF, C_RESPONSABLE) values (2, 'A2', 'Deux', 1, NULL, NULL); select ACTIF from SP_ARTICLE where C_ARTICLE = 2;")"
egal "client : actif et visible dans la vue" "-1|1" \
  "$(requete "$BASE" "insert into SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE) values (2, 'C2', 'Deux', 0, NULL); select ACTIF || '|' || (select count(*) from SP_VUECLIENT where C_CLIENT = 2) from SP_CLIENT where C_CLIENT = 2;")"
egal "ligne ajoutée : clé du générateur, état 2000" "oui|2000" \
  "$(requete "$BASE" "insert into SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM) values ((SELECT Gen_id(GEN_SP_POSTE, 1) FROM RDB\$DATABASE), 'Nouvelle', 2000, 0, 1, NULL, NULL, NULL, NULL, NULL); select IIF(N_POSTE = GEN_ID(GEN_SP_POSTE, 0), 'oui', 'non') || '|' || C_ETAT_POSTE from SP_POSTE where LIB_POSTE = 'Nouvelle';")"
egal "créneau hebdomadaire sans heure : minuit" "00:00:00.0000" \
  "$(requete "$BASE" "insert into SP_CAL_POSTE (C_CAL_POSTE, N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION) values (50, 3, 2, 1, NULL, NULL); select H_DEBUT from SP_CAL_POSTE where C_CAL_POSTE = 50;")"
egal "ligne 0 ou -1 écrite sur un OF ou un essai : non planifié" "<null>|<null>" \
  "$(requete "$BASE" "update SP_OF set N_POSTE = 0 where C_OF = 100; update SP_ESSAI set N_POSTE = -1 where C_ESSAI = 200; select COALESCE((select N_POSTE from SP_OF where C_OF = 100), '<null>') || '|' || COALESCE((select N_POSTE from SP_ESSAI where C_ESSAI = 200), '<null>') from RDB\$DATABASE; rollback;")"
egal "nom de responsable de plus de 50 caractères : l'article reste lisible" "50" \
  "$(requete "$BASE" "update SP_RESPONSABLE set LIB_RESPONSABLE = LPAD('', 80, 'x') where C_RESPONSABLE = 1; select CHAR_LENGTH(LIB_RESPONSABLE) from SP_VUEARTICLE where C_ARTICLE = 1; rollback;")"
egal "supprimer un responsable laisse ses articles sans responsable" "<null>" \
  "$(requete "$BASE" "delete from SP_RESPONSABLE where C_RESPONSABLE = 1; select COALESCE(C_RESPONSABLE, '<null>') from SP_ARTICLE where C_ARTICLE = 1; rollback;")"
egal "supprimer une ligne sans OF emporte ses calendriers" "0|0" \
  "$(requete "$BASE" "insert into SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT) values (3, 3, 1, '08:00'); insert into SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL) values (3, '2030-02-01', '2030-02-02', 2); delete from SP_POSTE where N_POSTE = 3; select (select count(*) from SP_CAL_POSTE where N_POSTE = 3) || '|' || (select count(*) from SP_CAL_PART_POSTE where N_POSTE = 3) from RDB\$DATABASE; rollback;")"

echo "# Constraints"
refuse "période particulière finissant à son début" "$BASE" \
  "insert into SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL) values (1, '2030-02-01 08:00', '2030-02-01 08:00', 2);" "CK_SP_CAL_PART_POSTE_FIN"
refuse "créneau hebdomadaire sur un code jour hors semaine" "$BASE" \
  "insert into SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT) values (1, 10, 1, '08:00');" "CK_SP_CAL_POSTE_JOUR"
refuse "motif hors de la liste" "$BASE" \
  "insert into SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) values (3, 'X', 0, 0, 9);" "CK_SP_ETAT_CAL_MOTIF"
refuse "essai reprenant la clé d'un OF" "$BASE" \
  "insert into SP_ESSAI (C_ESSAI, N_ESSAI) values (100, 'X');" "E_CLE_OF_ESSAI"
refuse "OF reprenant la clé d'un essai" "$BASE" \
  "insert into SP_OF (C_OF, N_OF) values (200, 'X');" "E_CLE_OF_ESSAI"
refuse "état d'OF inconnu" "$BASE" \
  "update SP_OF set C_ETAT_OF = 7 where C_OF = 101;" "FK_SP_OF_ETAT"
refuse "ligne de code 0" "$BASE" \
  "insert into SP_POSTE (N_POSTE, LIB_POSTE) values (0, 'Zéro');" "CK_SP_POSTE_CODE"
refuse "supprimer une ligne qui porte des OF" "$BASE" \
  "delete from SP_POSTE where N_POSTE = 1;" "FK_SP_OF_POSTE"
refuse "équipe en double" "$BASE" \
  "insert into SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE) values (2, 1, '06:00', '07:00');" "PK_SP_EQUIPE"
refuse "jour particulier sans date" "$BASE" \
  "insert into SP_JOUR_PARTICULIER (C_JOUR, DATE_JOUR) values (1, NULL);" "DATE_JOUR"

echo "# Every relation posts an event named after itself on insert, update and delete"
# Trigger type 114: after insert or update or delete.
egal "relations sans déclencheur d'événement" "" "$(requete "$BASE" "
  select trim(r.RDB\$RELATION_NAME) from RDB\$RELATIONS r
   where r.RDB\$SYSTEM_FLAG = 0 and r.RDB\$VIEW_BLR is null
     and not exists (select 1 from RDB\$TRIGGERS t
                      where t.RDB\$RELATION_NAME = r.RDB\$RELATION_NAME
                        and t.RDB\$TRIGGER_TYPE = 114 and t.RDB\$TRIGGER_INACTIVE = 0
                        and t.RDB\$TRIGGER_SOURCE containing
                              ('POST_EVENT ''' || trim(r.RDB\$RELATION_NAME) || ''''))
   order by 1;")"

fin_des_tests
