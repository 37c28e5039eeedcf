/*
 * Vestrelle: demonstration data, loaded after schema.sql into a new database.
 *
 * Ten people (the lines of the chart) in four workshops, each with a working
 * week of two shifts (weekends closed, some with a Saturday morning), the public
 * holidays of this year and the next as special periods, a few maintenance,
 * training and leave periods around today, teams and special days, clients,
 * responsible persons and articles, and about two hundred orders and trial
 * orders in every state: some running, some planned on the lines, some waiting,
 * some finished. Every date is taken relative to the moment the script runs, so
 * that the plan a new user opens is the plan of this week.
 *
 * UTF-8, same statement conventions as schema.sql.
 */

/* ------------------------------------------------------------------------- */
/* Reference data                                                            */
/* ------------------------------------------------------------------------- */

INSERT INTO SP_ATELIER (C_ATELIER, LIB_ATELIER) VALUES (1, 'Injection');
INSERT INTO SP_ATELIER (C_ATELIER, LIB_ATELIER) VALUES (2, 'Assemblage');
INSERT INTO SP_ATELIER (C_ATELIER, LIB_ATELIER) VALUES (3, 'Contrôle qualité');
INSERT INTO SP_ATELIER (C_ATELIER, LIB_ATELIER) VALUES (4, 'Conditionnement');

INSERT INTO SP_TYPE_POSTE (C_TYPE_POSTE, LIB_TYPE_POSTE) VALUES (1, 'Opérateur');
INSERT INTO SP_TYPE_POSTE (C_TYPE_POSTE, LIB_TYPE_POSTE) VALUES (2, 'Régleur');
INSERT INTO SP_TYPE_POSTE (C_TYPE_POSTE, LIB_TYPE_POSTE) VALUES (3, 'Technicien');
INSERT INTO SP_TYPE_POSTE (C_TYPE_POSTE, LIB_TYPE_POSTE) VALUES (4, 'Contrôleur');

INSERT INTO SP_ETAT_POSTE (C_ETAT_POSTE, LIB_ETAT_POSTE) VALUES (1000, 'En formation');
INSERT INTO SP_ETAT_POSTE (C_ETAT_POSTE, LIB_ETAT_POSTE) VALUES (3000, 'Indisponible');

INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (1, 'Alice Moreau', 2000, 30, 1, 1, 5, 0, 1, 1, 1);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (2, 'Bruno Lefèvre', 2000, 45, 1, 1, 5, 0, 2, 2, 2);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (3, 'Chloé Garnier', 2000, 30, 1, 2, 5, 0, 3, 3, 1);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (4, 'David Roux', 2000, 60, 2, 1, 10, 0, 4, 4, 1);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (5, 'Emma Fontaine', 1000, 60, 2, 1, 10, 0, 5, 5, 3);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (6, 'Farid Benali', 2000, 40, 2, 1, 10, 0, 6, 6, 1);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (7, 'Gaëlle Perrin', 2000, 90, 3, 1, 15, 0, 7, 7, 4);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (8, 'Hugo Marchand', 2000, 90, 3, 1, 15, 0, 8, 8, 4);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (9, 'Inès Carpentier', 2000, 20, 4, 4, 3, 0, 9, 9, 1);
INSERT INTO SP_POSTE (N_POSTE, LIB_POSTE, C_ETAT_POSTE, CAD_INST, C_ATELIER, DIVISEUR, TOLE_CYCLE, CPT_HORAIRE, N_PAN, N_TERM, C_TYPE_POSTE)
  VALUES (10, 'Julien Masson', 2000, 20, 4, 4, 3, 0, 10, 10, 2);

/* Colours are stored red in the low byte. Open states are not hatched (motif 1). */
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (1, 'Equipe du matin', 100, 12648447, 1);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (2, 'Equipe d''après-midi', 100, 16769216, 1);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (3, 'Fermé', 0, 12632256, 8);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (4, 'Jour férié', 0, 8421631, 4);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (5, 'Maintenance', 0, 4235519, 6);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (6, 'Formation', 0, 14704800, 5);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (7, 'Congés', 0, 6340704, 7);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (8, 'Cadence réduite', 50, 6349055, 2);
INSERT INTO SP_ETAT_CAL (C_ETAT_CAL, LIB_ETAT_CAL, EFFICACITE, COULEUR, MOTIF) VALUES (9, 'Heures supplémentaires', 100, 14737504, 3);

/* Day codes of special days. */
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (8, 'Pont');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (9, 'Inventaire');

INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (1, 'CL001', 'Ateliers Duval', 16761024, 'Groupe Duval', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (2, 'CL002', 'Plasturgie de l''Ouest', 12640511, 'Indépendant', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (3, 'CL003', 'Mécanique Bressane', 12648384, 'Groupe Alpes', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (4, 'CL004', 'Équipements Rivière', 16777152, 'Groupe Alpes', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (5, 'CL005', 'Électro Sud', 14737632, 'Indépendant', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (6, 'CL006', 'Menuiseries Laforge', 8454143, 'Groupe Duval', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (7, 'CL007', 'Cycles Martineau', 16744576, 'Indépendant', -1);
INSERT INTO SP_CLIENT (C_CLIENT, REF_CLIENT, LIB_CLIENT, COULEUR1, NOM_GROUPE, ACTIF) VALUES (8, 'CL008', 'Ancien client', 12632256, 'Indépendant', 0);

INSERT INTO SP_RESPONSABLE (C_RESPONSABLE, REF_RESPONSABLE, LIB_RESPONSABLE, COULEUR2) VALUES (1, 'PB', 'Pauline Bernard', 8421631);
INSERT INTO SP_RESPONSABLE (C_RESPONSABLE, REF_RESPONSABLE, LIB_RESPONSABLE, COULEUR2) VALUES (2, 'TL', 'Thomas Leroy', 16744448);
INSERT INTO SP_RESPONSABLE (C_RESPONSABLE, REF_RESPONSABLE, LIB_RESPONSABLE, COULEUR2) VALUES (3, 'SN', 'Sophie Nicolas', 8454016);
INSERT INTO SP_RESPONSABLE (C_RESPONSABLE, REF_RESPONSABLE, LIB_RESPONSABLE, COULEUR2) VALUES (4, 'MC', 'Marc Chevalier', 16711935);
INSERT INTO SP_RESPONSABLE (C_RESPONSABLE, REF_RESPONSABLE, LIB_RESPONSABLE, COULEUR2) VALUES (5, 'LG', 'Laura Girard', 65535);

SET TERM ^ ;

/* Articles 1..24; the last two are no longer active. */
EXECUTE BLOCK AS
DECLARE VARIABLE i INTEGER = 1;
DECLARE VARIABLE chNom VARCHAR(60);
BEGIN
  WHILE (i <= 24) DO
  BEGIN
    chNom = DECODE(MOD(i, 8), 0, 'Boîtier', 1, 'Capot', 2, 'Support', 3, 'Bouchon',
                   4, 'Poignée', 5, 'Clip', 6, 'Couvercle', 'Entretoise');
    INSERT INTO SP_ARTICLE (C_ARTICLE, REF_ARTICLE, LIB_ARTICLE, C_CLIENT, REF_ARTICLE_MODIF,
                            C_RESPONSABLE, ACTIF, CAD_THEO, NB_INJ_REGLAGE, NB_PIECE_CARTON)
    VALUES (:i, 'ART-' || (1000 + :i),
            :chNom || ' ' || DECODE(MOD(:i, 3), 0, 'standard', 1, 'renforcé', 'compact')
              || ' réf. ' || (1000 + :i),
            1 + MOD(:i * 5, 7),
            IIF(MOD(:i, 5) = 0, 'ART-' || (1000 + :i) || '-B', NULL),
            1 + MOD(:i, 5),
            IIF(:i > 22, 0, -1),
            2 + MOD(:i * 3, 9) + 0.5 * MOD(:i, 2),
            10 + MOD(:i * 7, 30),
            50 * (1 + MOD(:i, 6)));
    i = i + 1;
  END
END^

/* Weekly calendars.
   People 1 to 6: morning shift 05:00, afternoon shift 13:00, closed from 21:00,
   Monday to Friday. People 7 and 8: one day shift 08:00 to 16:00. People 9 and
   10: two shifts, plus overtime on Saturday morning. */
EXECUTE BLOCK AS
DECLARE VARIABLE p INTEGER = 1;
DECLARE VARIABLE j INTEGER;
BEGIN
  WHILE (p <= 10) DO
  BEGIN
    j = 2;
    WHILE (j <= 6) DO
    BEGIN
      IF (p IN (7, 8)) THEN
      BEGIN
        INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
          VALUES (:p, :j, 1, TIME '08:00:00', 'Journée');
        INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
          VALUES (:p, :j, 3, TIME '16:00:00', NULL);
      END
      ELSE
      BEGIN
        INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
          VALUES (:p, :j, 1, TIME '05:00:00', 'Matin');
        INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
          VALUES (:p, :j, 2, TIME '13:00:00', 'Après-midi');
        INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
          VALUES (:p, :j, 3, TIME '21:00:00', NULL);
      END
      j = j + 1;
    END
    IF (p IN (9, 10)) THEN
    BEGIN
      INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
        VALUES (:p, 7, 9, TIME '06:00:00', 'Samedi matin');
      INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
        VALUES (:p, 7, 3, TIME '12:00:00', NULL);
    END
    p = p + 1;
  END
END^

/* Public holidays of this year and the next, closed for everybody. Easter is
   computed with the Gregorian computus. */
EXECUTE BLOCK AS
DECLARE VARIABLE an INTEGER;
DECLARE VARIABLE a INTEGER;
DECLARE VARIABLE b INTEGER;
DECLARE VARIABLE c INTEGER;
DECLARE VARIABLE d INTEGER;
DECLARE VARIABLE e INTEGER;
DECLARE VARIABLE f INTEGER;
DECLARE VARIABLE g INTEGER;
DECLARE VARIABLE h INTEGER;
DECLARE VARIABLE i INTEGER;
DECLARE VARIABLE k INTEGER;
DECLARE VARIABLE l INTEGER;
DECLARE VARIABLE m INTEGER;
DECLARE VARIABLE mois INTEGER;
DECLARE VARIABLE jour INTEGER;
DECLARE VARIABLE paques DATE;
DECLARE VARIABLE dFerie DATE;
DECLARE VARIABLE chNom VARCHAR(100);
DECLARE VARIABLE n INTEGER;
DECLARE VARIABLE p INTEGER;
BEGIN
  an = EXTRACT(YEAR FROM CURRENT_DATE);
  WHILE (an <= EXTRACT(YEAR FROM CURRENT_DATE) + 1) DO
  BEGIN
    a = MOD(an, 19);
    b = an / 100;
    c = MOD(an, 100);
    d = b / 4;
    e = MOD(b, 4);
    f = (b + 8) / 25;
    g = (b - f + 1) / 3;
    h = MOD(19 * a + b - d - g + 15, 30);
    i = c / 4;
    k = MOD(c, 4);
    l = MOD(32 + 2 * e + 2 * i - h - k, 7);
    m = (a + 11 * h + 22 * l) / 451;
    mois = (h + l - 7 * m + 114) / 31;
    jour = MOD(h + l - 7 * m + 114, 31) + 1;
    paques = CAST(an || '-' || mois || '-' || jour AS DATE);
    n = 1;
    WHILE (n <= 11) DO
    BEGIN
      dFerie = DECODE(n,
        1, CAST(an || '-01-01' AS DATE),
        2, paques + 1,
        3, CAST(an || '-05-01' AS DATE),
        4, CAST(an || '-05-08' AS DATE),
        5, paques + 39,
        6, paques + 50,
        7, CAST(an || '-07-14' AS DATE),
        8, CAST(an || '-08-15' AS DATE),
        9, CAST(an || '-11-01' AS DATE),
        10, CAST(an || '-11-11' AS DATE),
        CAST(an || '-12-25' AS DATE));
      chNom = DECODE(n, 1, 'Jour de l''an', 2, 'Lundi de Pâques', 3, 'Fête du travail',
        4, 'Victoire 1945', 5, 'Ascension', 6, 'Lundi de Pentecôte', 7, 'Fête nationale',
        8, 'Assomption', 9, 'Toussaint', 10, 'Armistice', 'Noël');
      /* Some years Ascension falls on 1 or 8 May: one period for that day. */
      p = 1;
      WHILE (p <= 10) DO
      BEGIN
        IF (NOT EXISTS (SELECT 1 FROM SP_CAL_PART_POSTE
                         WHERE N_POSTE = :p AND DH_DEBUT = CAST(:dFerie AS TIMESTAMP))) THEN
          INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
            VALUES (:p, CAST(:dFerie AS TIMESTAMP), CAST(:dFerie + 1 AS TIMESTAMP), 4, :chNom);
        p = p + 1;
      END
      n = n + 1;
    END
    an = an + 1;
  END
END^

/* A few periods around today: maintenance, training, leave, reduced rate,
   overtime. */
EXECUTE BLOCK AS
DECLARE VARIABLE lundi DATE;
BEGIN
  /* Monday of the current week (weekday 0 is Sunday). */
  lundi = CURRENT_DATE - MOD(EXTRACT(WEEKDAY FROM CURRENT_DATE) + 6, 7);
  INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
    VALUES (2, :lundi + 8 + TIME '05:00:00', :lundi + 8 + TIME '13:00:00', 5,
            'Révision de la presse');
  INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
    VALUES (5, :lundi + 9 + TIME '00:00:00', :lundi + 11 + TIME '00:00:00', 6,
            'Formation sécurité');
  INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
    VALUES (7, :lundi + 14 + TIME '00:00:00', :lundi + 19 + TIME '00:00:00', 7,
            'Congés');
  INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
    VALUES (9, :lundi + 10 + TIME '05:00:00', :lundi + 10 + TIME '21:00:00', 8,
            'Moule en rodage');
  INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
    VALUES (10, :lundi + 12 + TIME '05:00:00', :lundi + 12 + TIME '13:00:00', 9,
            'Rattrapage');
  INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
    VALUES (4, :lundi + 3 + TIME '13:00:00', :lundi + 3 + TIME '21:00:00', 5,
            'Changement d''outillage');

  /* Special days of the team schedule: a bridge day without shifts, and an
     inventory day with a single shift. */
  INSERT INTO SP_JOUR_PARTICULIER (C_JOUR, DATE_JOUR) VALUES (8, :lundi + 18);
  INSERT INTO SP_JOUR_PARTICULIER (C_JOUR, DATE_JOUR) VALUES (9, :lundi + 25);
END^

SET TERM ; ^

/* Teams: morning and afternoon, Monday to Friday; the inventory day has one
   shift. */
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (2, 1, '05:00:00', '13:00:00', 'Matin');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (2, 2, '13:00:00', '21:00:00', 'Après-midi');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (3, 1, '05:00:00', '13:00:00', 'Matin');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (3, 2, '13:00:00', '21:00:00', 'Après-midi');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (4, 1, '05:00:00', '13:00:00', 'Matin');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (4, 2, '13:00:00', '21:00:00', 'Après-midi');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (5, 1, '05:00:00', '13:00:00', 'Matin');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (5, 2, '13:00:00', '21:00:00', 'Après-midi');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (6, 1, '05:00:00', '13:00:00', 'Matin');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (6, 2, '13:00:00', '21:00:00', 'Après-midi');
INSERT INTO SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE, LIB_EQUIPE) VALUES (9, 1, '07:00:00', '15:00:00', 'Inventaire');

/* ------------------------------------------------------------------------- */
/* Orders and trial orders                                                   */
/* ------------------------------------------------------------------------- */

SET TERM ^ ;

/* 170 orders and 30 trial orders. The order number i decides everything, so
   that the data are the same each time:
     running (states 2, 3, 4): one on each of the people 1 to 8;
     planned (state 1): on the lines, one after another from now on;
     waiting (state 0): a third of them not validated yet;
     finished (state 5) between 1 and 30 days ago, and removed (state 6).
   Planned dates are spread over the calendar roughly (two shifts of eight hours
   on five days out of seven); the chart recomputes them exactly when it loads. */
EXECUTE BLOCK AS
DECLARE VARIABLE maintenant TIMESTAMP;
DECLARE VARIABLE aujourdhui DATE;
DECLARE VARIABLE i INTEGER;
DECLARE VARIABLE iEtat INTEGER;
DECLARE VARIABLE iPoste INTEGER;
DECLARE VARIABLE iDuree INTEGER;
DECLARE VARIABLE iArticle INTEGER;
DECLARE VARIABLE bValide SMALLINT;
DECLARE VARIABLE iRealise INTEGER;
DECLARE VARIABLE dtDebut TIMESTAMP;
DECLARE VARIABLE dtDebutProd TIMESTAMP;
DECLARE VARIABLE dtFinProd TIMESTAMP;
DECLARE VARIABLE dtFin TIMESTAMP;
DECLARE VARIABLE dtLimite TIMESTAMP;
DECLARE VARIABLE dtPointage TIMESTAMP;
DECLARE VARIABLE chObs VARCHAR(50);
BEGIN
  /* The current hour, on the hour. */
  maintenant = CAST(CURRENT_DATE || ' ' || EXTRACT(HOUR FROM CURRENT_TIMESTAMP) || ':00:00'
                    AS TIMESTAMP);
  aujourdhui = CURRENT_DATE;
  i = 1;
  WHILE (i <= 200) DO
  BEGIN
    iDuree = 30 + 30 * MOD(i * 37, 16);
    iArticle = 1 + MOD(i * 7, 22);
    bValide = -1;
    iRealise = 0;
    iPoste = NULL;
    dtDebut = NULL; dtDebutProd = NULL; dtFinProd = NULL; dtFin = NULL;
    dtPointage = NULL;
    chObs = DECODE(MOD(i, 9), 0, 'Urgent : client relancé', 3, 'Matière à confirmer',
                   6, 'Prévoir contrôle renforcé', NULL);

    IF (i <= 8) THEN
    BEGIN
      /* Running on person i. */
      iEtat = 2 + MOD(i, 3);
      iPoste = i;
      dtDebut = DATEADD(HOUR, -(1 + MOD(i, 4)), maintenant);
      dtDebutProd = IIF(iEtat >= 3, DATEADD(MINUTE, 30, dtDebut), dtDebut);
      dtFinProd = DATEADD(MINUTE, iDuree * 2, dtDebutProd);
      dtFin = dtFinProd;
      dtPointage = DATEADD(MINUTE, -20, maintenant);
      iRealise = IIF(iEtat >= 3, iDuree / 3, 0);
    END
    ELSE IF (i <= 90 OR (i > 170 AND i <= 182)) THEN
    BEGIN
      /* Planned after what the line already holds. */
      iEtat = 1;
      iPoste = 1 + MOD(i * 3, 10);
      SELECT MAX(f) FROM (SELECT MAX(DHF_OF) AS f FROM SP_OF
                           WHERE N_POSTE = :iPoste AND C_ETAT_OF BETWEEN 1 AND 4
                          UNION ALL
                          SELECT MAX(DHF_ESSAI) FROM SP_ESSAI
                           WHERE N_POSTE = :iPoste AND C_ETAT_OF BETWEEN 1 AND 4)
        INTO :dtDebut;
      dtDebut = MAXVALUE(COALESCE(dtDebut, maintenant), maintenant);
      dtDebutProd = dtDebut;
      dtFinProd = DATEADD(MINUTE, iDuree * 21 / 10, dtDebutProd);
      dtFin = dtFinProd;
    END
    ELSE IF (i <= 135 OR (i > 182 AND i <= 192)) THEN
    BEGIN
      /* Waiting. */
      iEtat = 0;
      bValide = IIF(MOD(i, 3) = 0, 0, -1);
    END
    ELSE IF (i <= 160 OR (i > 192 AND i <= 197)) THEN
    BEGIN
      /* Finished 1 to 30 days ago. */
      iEtat = 5;
      iPoste = 1 + MOD(i, 10);
      dtFin = DATEADD(HOUR, -24 * (1 + MOD(i * 11, 30)) - MOD(i, 7), maintenant);
      dtFinProd = dtFin;
      dtDebutProd = DATEADD(MINUTE, -iDuree * 2, dtFinProd);
      dtDebut = DATEADD(MINUTE, -30, dtDebutProd);
      dtPointage = dtFin;
      iRealise = iDuree;
    END
    ELSE
    BEGIN
      /* Finished and removed from the shop floor. */
      iEtat = 6;
      iPoste = 1 + MOD(i, 10);
      dtFin = DATEADD(DAY, -(35 + MOD(i, 20)), maintenant);
      dtFinProd = dtFin;
      dtDebutProd = DATEADD(MINUTE, -iDuree * 2, dtFinProd);
      dtDebut = dtDebutProd;
      dtPointage = dtFin;
      iRealise = iDuree;
    END

    /* Deadlines: most orders have one, a few of them already too close. */
    dtLimite = IIF(MOD(i, 6) = 0, NULL,
                   CAST((aujourdhui + 2 + MOD(i * 13, 40)) || ' 16:00:00' AS TIMESTAMP));

    IF (i <= 170) THEN
      INSERT INTO SP_OF (N_OF, N_OPERATION, C_ETAT_OF, C_ARTICLE, N_POSTE, DATE_LIMITE,
                         DATE_CREATION, OBSERVATION, N_AVIS, N_SERIE, PRIORITE, DUREE_MN,
                         DHD_OF, DHD_PROD, DHF_PROD, DHF_OF, DH_POINTAGE, VALIDE, QT_REALISE)
      VALUES ('OF-' || (24000 + :i), IIF(MOD(:i, 10) = 7, 10, 0), :iEtat, :iArticle, :iPoste,
              :dtLimite, :aujourdhui - 60 + MOD(:i, 55), :chObs,
              'AV' || (5000 + MOD(:i * 7, 60)), 'S' || (730000 + :i * 13),
              IIF(MOD(:i, 4) = 0, 1, 2), :iDuree, :dtDebut, :dtDebutProd, :dtFinProd, :dtFin,
              :dtPointage, :bValide, :iRealise);
    ELSE
      INSERT INTO SP_ESSAI (N_ESSAI, C_ETAT_OF, LIB_ARTICLE, N_POSTE, DUREE_MN, OBSERVATION,
                            DHD_ESSAI, DHF_ESSAI, DH_POINTAGE)
      VALUES ('ES-' || (600 + :i), :iEtat,
              'Essai ' || DECODE(MOD(:i, 4), 0, 'nouveau moule', 1, 'matière recyclée',
                                 2, 'couleur', 'cadence') || ' art. ' || (1000 + :iArticle),
              :iPoste, :iDuree / 2, :chObs, :dtDebut, :dtFin, :dtPointage);
    i = i + 1;
  END
END^

/* Keys were given explicitly above: move the generators past them. */
EXECUTE BLOCK AS
DECLARE VARIABLE n BIGINT;
BEGIN
  n = GEN_ID(GEN_SP_ATELIER, 4 - GEN_ID(GEN_SP_ATELIER, 0));
  n = GEN_ID(GEN_SP_POSTE, 10 - GEN_ID(GEN_SP_POSTE, 0));
  n = GEN_ID(GEN_SP_ETAT_CAL, 9 - GEN_ID(GEN_SP_ETAT_CAL, 0));
  n = GEN_ID(GEN_SP_CLIENT, 8 - GEN_ID(GEN_SP_CLIENT, 0));
  n = GEN_ID(GEN_SP_RESPONSABLE, 5 - GEN_ID(GEN_SP_RESPONSABLE, 0));
  n = GEN_ID(GEN_SP_ARTICLE, 24 - GEN_ID(GEN_SP_ARTICLE, 0));
END^

SET TERM ; ^

COMMIT;
