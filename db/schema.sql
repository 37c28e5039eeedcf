/*
 * Vestrelle: the planning database.
 *
 * Creates every relation, generator, view, stored procedure and trigger that the
 * program relies on, plus the few rows it cannot work without (order states, days
 * of the week, the line state given to new lines, the planning-station row).
 *
 * The script runs on a database that already exists and is connected (default
 * character set ISO8859_1); it neither creates nor connects one. Statements end
 * with ";" except inside "SET TERM ^ ;" ... "SET TERM ; ^", where PSQL bodies end
 * with "^". The file is UTF-8: read it with the connection character set UTF8
 * (isql: SET NAMES UTF8) or convert it before sending it.
 *
 * Conventions
 *   - Every relation is named SP_<name>; the key generator of relation R is GEN_R.
 *     Orders (SP_OF) and trial orders (SP_ESSAI) share GEN_SP_OF so that they never
 *     share a key on the chart.
 *   - A line code (N_POSTE) that is null means "not planned" (waiting list); the
 *     program may write 0 or -1 for the same meaning, the triggers store null.
 *   - Every change of a relation posts a database event named after it, so that
 *     every open workstation follows the changes made elsewhere.
 */

SET SQL DIALECT 3;

/* ------------------------------------------------------------------------- */
/* Exceptions                                                                */
/* ------------------------------------------------------------------------- */

CREATE EXCEPTION E_CLE_OF_ESSAI 'Cette clé est déjà utilisée par un OF ou un essai.';
CREATE EXCEPTION E_POSTE_INCONNU 'Poste inconnu.';

/* ------------------------------------------------------------------------- */
/* Generators                                                                */
/* ------------------------------------------------------------------------- */

CREATE SEQUENCE GEN_SP_OF;
CREATE SEQUENCE GEN_SP_CLIENT;
CREATE SEQUENCE GEN_SP_RESPONSABLE;
CREATE SEQUENCE GEN_SP_ARTICLE;
CREATE SEQUENCE GEN_SP_ATELIER;
CREATE SEQUENCE GEN_SP_POSTE;
CREATE SEQUENCE GEN_SP_CAL_POSTE;
CREATE SEQUENCE GEN_SP_CAL_PART_POSTE;
CREATE SEQUENCE GEN_SP_ETAT_CAL;

/* ------------------------------------------------------------------------- */
/* Reference relations                                                       */
/* ------------------------------------------------------------------------- */

/* Order states 0..6, shared by orders and trial orders. */
CREATE TABLE SP_ETAT_OF (
  C_ETAT_OF    INTEGER NOT NULL,
  LIB_ETAT_OF  VARCHAR(50),
  CONSTRAINT PK_SP_ETAT_OF PRIMARY KEY (C_ETAT_OF)
);

/* Day codes: 1 Sunday .. 7 Saturday; codes from 8 upwards name special days of
   the team schedule (see SP_JOUR_PARTICULIER). */
CREATE TABLE SP_JOURNEE (
  C_JOUR    INTEGER NOT NULL,
  LIB_JOUR  VARCHAR(10),
  CONSTRAINT PK_SP_JOURNEE PRIMARY KEY (C_JOUR),
  CONSTRAINT CK_SP_JOURNEE_CODE CHECK (C_JOUR >= 1)
);

CREATE TABLE SP_CLIENT (
  C_CLIENT    INTEGER NOT NULL,
  REF_CLIENT  VARCHAR(10),
  LIB_CLIENT  VARCHAR(50),
  COULEUR1    INTEGER,
  NOM_GROUPE  VARCHAR(50),
  ACTIF       SMALLINT DEFAULT -1 NOT NULL,
  CONSTRAINT PK_SP_CLIENT PRIMARY KEY (C_CLIENT)
);

CREATE TABLE SP_RESPONSABLE (
  C_RESPONSABLE    INTEGER NOT NULL,
  REF_RESPONSABLE  VARCHAR(50),
  LIB_RESPONSABLE  VARCHAR(100),
  COULEUR2         INTEGER,
  CONSTRAINT PK_SP_RESPONSABLE PRIMARY KEY (C_RESPONSABLE)
);

/* CAD_THEO: theoretical rate in pieces per minute; NB_INJ_REGLAGE: injections
   spent on setting up; NB_PIECE_CARTON: pieces per box. */
CREATE TABLE SP_ARTICLE (
  C_ARTICLE          INTEGER NOT NULL,
  REF_ARTICLE        VARCHAR(50),
  LIB_ARTICLE        VARCHAR(100),
  C_CLIENT           INTEGER,
  REF_ARTICLE_MODIF  VARCHAR(50),
  C_RESPONSABLE      INTEGER,
  ACTIF              SMALLINT DEFAULT -1 NOT NULL,
  CAD_THEO           NUMERIC(9,2),
  NB_INJ_REGLAGE     INTEGER,
  NB_PIECE_CARTON    INTEGER,
  CONSTRAINT PK_SP_ARTICLE PRIMARY KEY (C_ARTICLE),
  CONSTRAINT FK_SP_ARTICLE_CLIENT FOREIGN KEY (C_CLIENT) REFERENCES SP_CLIENT (C_CLIENT),
  /* Deleting a responsible person leaves the articles without one. */
  CONSTRAINT FK_SP_ARTICLE_RESPONSABLE FOREIGN KEY (C_RESPONSABLE)
    REFERENCES SP_RESPONSABLE (C_RESPONSABLE) ON DELETE SET NULL
);

CREATE TABLE SP_ATELIER (
  C_ATELIER    INTEGER NOT NULL,
  LIB_ATELIER  VARCHAR(50),
  CONSTRAINT PK_SP_ATELIER PRIMARY KEY (C_ATELIER)
);

CREATE TABLE SP_ETAT_POSTE (
  C_ETAT_POSTE    INTEGER NOT NULL,
  LIB_ETAT_POSTE  VARCHAR(50),
  CONSTRAINT PK_SP_ETAT_POSTE PRIMARY KEY (C_ETAT_POSTE)
);

CREATE TABLE SP_TYPE_POSTE (
  C_TYPE_POSTE    INTEGER NOT NULL,
  LIB_TYPE_POSTE  VARCHAR(50),
  CONSTRAINT PK_SP_TYPE_POSTE PRIMARY KEY (C_TYPE_POSTE)
);

/* Lines (people or workstations): the rows of the chart. CAD_INST is the cycle
   time in seconds. Line codes are positive: 0 and below mean "not planned". */
CREATE TABLE SP_POSTE (
  N_POSTE       INTEGER NOT NULL,
  LIB_POSTE     VARCHAR(50),
  C_ETAT_POSTE  INTEGER DEFAULT 2000 NOT NULL,
  CAD_INST      INTEGER,
  C_ATELIER     INTEGER,
  DIVISEUR      INTEGER,
  TOLE_CYCLE    INTEGER,
  CPT_HORAIRE   INTEGER,
  N_PAN         INTEGER,
  N_TERM        INTEGER,
  C_TYPE_POSTE  INTEGER,
  CONSTRAINT PK_SP_POSTE PRIMARY KEY (N_POSTE),
  CONSTRAINT CK_SP_POSTE_CODE CHECK (N_POSTE > 0),
  CONSTRAINT FK_SP_POSTE_ETAT FOREIGN KEY (C_ETAT_POSTE) REFERENCES SP_ETAT_POSTE (C_ETAT_POSTE),
  CONSTRAINT FK_SP_POSTE_ATELIER FOREIGN KEY (C_ATELIER) REFERENCES SP_ATELIER (C_ATELIER),
  CONSTRAINT FK_SP_POSTE_TYPE FOREIGN KEY (C_TYPE_POSTE) REFERENCES SP_TYPE_POSTE (C_TYPE_POSTE)
);

/* Calendar states. EFFICACITE: percent, 0 = closed. MOTIF: fill pattern 0..8.
   The chart keeps one hatching per state in a byte, hence the key's range. */
CREATE TABLE SP_ETAT_CAL (
  C_ETAT_CAL    INTEGER NOT NULL,
  LIB_ETAT_CAL  VARCHAR(50),
  EFFICACITE    INTEGER DEFAULT 0 NOT NULL,
  COULEUR       INTEGER,
  MOTIF         INTEGER DEFAULT 0 NOT NULL,
  CONSTRAINT PK_SP_ETAT_CAL PRIMARY KEY (C_ETAT_CAL),
  CONSTRAINT CK_SP_ETAT_CAL_CODE CHECK (C_ETAT_CAL BETWEEN 0 AND 255),
  CONSTRAINT CK_SP_ETAT_CAL_EFFICACITE CHECK (EFFICACITE BETWEEN 0 AND 100),
  CONSTRAINT CK_SP_ETAT_CAL_MOTIF CHECK (MOTIF BETWEEN 0 AND 8)
);

/* Weekly calendar of a line: change points, each state holding from its weekday
   and time until the next row. */
CREATE TABLE SP_CAL_POSTE (
  C_CAL_POSTE  INTEGER NOT NULL,
  N_POSTE      INTEGER NOT NULL,
  C_JOUR       INTEGER NOT NULL,
  C_ETAT_CAL   INTEGER NOT NULL,
  H_DEBUT      TIME DEFAULT '00:00:00' NOT NULL,
  OBSERVATION  VARCHAR(100),
  CONSTRAINT PK_SP_CAL_POSTE PRIMARY KEY (C_CAL_POSTE),
  CONSTRAINT CK_SP_CAL_POSTE_JOUR CHECK (C_JOUR BETWEEN 1 AND 7),
  CONSTRAINT FK_SP_CAL_POSTE_POSTE FOREIGN KEY (N_POSTE) REFERENCES SP_POSTE (N_POSTE)
    ON DELETE CASCADE,
  CONSTRAINT FK_SP_CAL_POSTE_JOUR FOREIGN KEY (C_JOUR) REFERENCES SP_JOURNEE (C_JOUR),
  CONSTRAINT FK_SP_CAL_POSTE_ETAT FOREIGN KEY (C_ETAT_CAL) REFERENCES SP_ETAT_CAL (C_ETAT_CAL)
);

/* Special (dated) periods of a line; they override the weekly calendar. */
CREATE TABLE SP_CAL_PART_POSTE (
  C_CAL_PART_POSTE  INTEGER NOT NULL,
  N_POSTE           INTEGER NOT NULL,
  DH_DEBUT          TIMESTAMP NOT NULL,
  DH_FIN            TIMESTAMP NOT NULL,
  C_ETAT_CAL        INTEGER NOT NULL,
  OBSERVATION       VARCHAR(100),
  CONSTRAINT PK_SP_CAL_PART_POSTE PRIMARY KEY (C_CAL_PART_POSTE),
  CONSTRAINT CK_SP_CAL_PART_POSTE_FIN CHECK (DH_FIN > DH_DEBUT),
  CONSTRAINT FK_SP_CAL_PART_POSTE_POSTE FOREIGN KEY (N_POSTE) REFERENCES SP_POSTE (N_POSTE)
    ON DELETE CASCADE,
  CONSTRAINT FK_SP_CAL_PART_POSTE_ETAT FOREIGN KEY (C_ETAT_CAL)
    REFERENCES SP_ETAT_CAL (C_ETAT_CAL)
);

CREATE INDEX IX_SP_CAL_PART_POSTE_POSTE ON SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT);

/* Team shifts per day code. A shift whose end is not after its start ends on the
   following day. */
CREATE TABLE SP_EQUIPE (
  C_JOUR      INTEGER NOT NULL,
  C_EQUIPE    INTEGER NOT NULL,
  HD_EQUIPE   TIME NOT NULL,
  HF_EQUIPE   TIME NOT NULL,
  LIB_EQUIPE  VARCHAR(50),
  CONSTRAINT PK_SP_EQUIPE PRIMARY KEY (C_JOUR, C_EQUIPE, HD_EQUIPE),
  CONSTRAINT FK_SP_EQUIPE_JOUR FOREIGN KEY (C_JOUR) REFERENCES SP_JOURNEE (C_JOUR)
);

/* Special days: on DATE_JOUR the team schedule of day code C_JOUR replaces the
   schedule of the weekday. */
CREATE TABLE SP_JOUR_PARTICULIER (
  C_JOUR     INTEGER NOT NULL,
  DATE_JOUR  DATE NOT NULL,
  CONSTRAINT PK_SP_JOUR_PARTICULIER PRIMARY KEY (C_JOUR),
  CONSTRAINT FK_SP_JOUR_PARTICULIER_JOUR FOREIGN KEY (C_JOUR) REFERENCES SP_JOURNEE (C_JOUR)
);

CREATE INDEX IX_SP_JOUR_PARTICULIER_DATE ON SP_JOUR_PARTICULIER (DATE_JOUR);

/* ------------------------------------------------------------------------- */
/* Orders and trial orders                                                   */
/* ------------------------------------------------------------------------- */

/* Manufacturing orders. DUREE_MN is the working time needed, in minutes;
   QT_REALISE the working time declared as produced, in minutes. */
CREATE TABLE SP_OF (
  C_OF           INTEGER NOT NULL,
  N_OF           VARCHAR(10),
  N_OPERATION    SMALLINT DEFAULT 0 NOT NULL,
  C_ETAT_OF      INTEGER DEFAULT 0 NOT NULL,
  C_ARTICLE      INTEGER,
  N_POSTE        INTEGER,
  DATE_LIMITE    TIMESTAMP,
  DATE_CREATION  DATE,
  OBSERVATION    VARCHAR(50),
  N_AVIS         VARCHAR(10),
  N_SERIE        VARCHAR(20),
  PRIORITE       SMALLINT,
  DUREE_MN       INTEGER,
  DHD_OF         TIMESTAMP,
  DHD_PROD       TIMESTAMP,
  DHF_PROD       TIMESTAMP,
  DHF_OF         TIMESTAMP,
  DH_POINTAGE    TIMESTAMP,
  VALIDE         SMALLINT DEFAULT 0 NOT NULL,
  QT_REALISE     INTEGER DEFAULT 0 NOT NULL,
  CONSTRAINT PK_SP_OF PRIMARY KEY (C_OF),
  CONSTRAINT FK_SP_OF_ETAT FOREIGN KEY (C_ETAT_OF) REFERENCES SP_ETAT_OF (C_ETAT_OF),
  CONSTRAINT FK_SP_OF_ARTICLE FOREIGN KEY (C_ARTICLE) REFERENCES SP_ARTICLE (C_ARTICLE),
  CONSTRAINT FK_SP_OF_POSTE FOREIGN KEY (N_POSTE) REFERENCES SP_POSTE (N_POSTE)
);

CREATE INDEX IX_SP_OF_NUMERO ON SP_OF (N_OF, N_OPERATION);
CREATE INDEX IX_SP_OF_ETAT ON SP_OF (C_ETAT_OF);

/* Trial orders; their keys come from GEN_SP_OF. */
CREATE TABLE SP_ESSAI (
  C_ESSAI      INTEGER NOT NULL,
  N_ESSAI      VARCHAR(10),
  C_ETAT_OF    INTEGER DEFAULT 0 NOT NULL,
  LIB_ARTICLE  VARCHAR(50),
  N_POSTE      INTEGER,
  DUREE_MN     INTEGER,
  OBSERVATION  VARCHAR(50),
  DHD_ESSAI    TIMESTAMP,
  DHF_ESSAI    TIMESTAMP,
  DH_POINTAGE  TIMESTAMP,
  CONSTRAINT PK_SP_ESSAI PRIMARY KEY (C_ESSAI),
  CONSTRAINT FK_SP_ESSAI_ETAT FOREIGN KEY (C_ETAT_OF) REFERENCES SP_ETAT_OF (C_ETAT_OF),
  CONSTRAINT FK_SP_ESSAI_POSTE FOREIGN KEY (N_POSTE) REFERENCES SP_POSTE (N_POSTE)
);

CREATE INDEX IX_SP_ESSAI_NUMERO ON SP_ESSAI (N_ESSAI);
CREATE INDEX IX_SP_ESSAI_ETAT ON SP_ESSAI (C_ETAT_OF);

/* ------------------------------------------------------------------------- */
/* Planning station and rights                                               */
/* ------------------------------------------------------------------------- */

/* The one row (ID = 1) says which workstation holds the right to plan:
   NOM_POSTE its name (null when nobody does), ID_CONNEXION the attachment that
   took it, DH_PRISE when. Only SP_GESTION_POSTE_PLANIF and the disconnect
   trigger write it. */
CREATE TABLE SP_POSTE_PLANIFICATION (
  ID            SMALLINT NOT NULL,
  NOM_POSTE     VARCHAR(30),
  ID_CONNEXION  BIGINT,
  DH_PRISE      TIMESTAMP,
  CONSTRAINT PK_SP_POSTE_PLANIFICATION PRIMARY KEY (ID),
  CONSTRAINT CK_SP_POSTE_PLANIFICATION_ID CHECK (ID = 1)
);

/* Rights on a relation, per user name (an empty name applies to every user).
   A relation without a row here grants every right. Values: non-zero = granted. */
CREATE TABLE SP_DROIT (
  NOM_UTIL      VARCHAR(31) DEFAULT '' NOT NULL,
  NOM_RELATION  VARCHAR(31) NOT NULL,
  B_SELECT      SMALLINT DEFAULT -1 NOT NULL,
  B_INSERT      SMALLINT DEFAULT -1 NOT NULL,
  B_UPDATE      SMALLINT DEFAULT -1 NOT NULL,
  B_DELETE      SMALLINT DEFAULT -1 NOT NULL,
  CONSTRAINT PK_SP_DROIT PRIMARY KEY (NOM_UTIL, NOM_RELATION)
);

/* ------------------------------------------------------------------------- */
/* Views of the data screens                                                 */
/* ------------------------------------------------------------------------- */

CREATE VIEW SP_VUEOF AS
SELECT o.*, e.LIB_ETAT_OF, a.LIB_ARTICLE, p.LIB_POSTE
FROM SP_OF o
  LEFT JOIN SP_ETAT_OF e ON e.C_ETAT_OF = o.C_ETAT_OF
  LEFT JOIN SP_ARTICLE a ON a.C_ARTICLE = o.C_ARTICLE
  LEFT JOIN SP_POSTE p ON p.N_POSTE = o.N_POSTE;

CREATE VIEW SP_VUEESSAI AS
SELECT s.*, e.LIB_ETAT_OF, p.LIB_POSTE
FROM SP_ESSAI s
  LEFT JOIN SP_ETAT_OF e ON e.C_ETAT_OF = s.C_ETAT_OF
  LEFT JOIN SP_POSTE p ON p.N_POSTE = s.N_POSTE;

/* Active clients only: deleting a client marks it inactive. */
CREATE VIEW SP_VUECLIENT AS
SELECT c.* FROM SP_CLIENT c WHERE c.ACTIF = -1;

CREATE VIEW SP_VUERESPONSABLE AS
SELECT r.* FROM SP_RESPONSABLE r;

/* The articles screen shows the responsible person's name on 50 characters. */
CREATE VIEW SP_VUEARTICLE AS
SELECT a.*, c.LIB_CLIENT,
       CAST(SUBSTRING(r.LIB_RESPONSABLE FROM 1 FOR 50) AS VARCHAR(50)) AS LIB_RESPONSABLE
FROM SP_ARTICLE a
  LEFT JOIN SP_CLIENT c ON c.C_CLIENT = a.C_CLIENT
  LEFT JOIN SP_RESPONSABLE r ON r.C_RESPONSABLE = a.C_RESPONSABLE;

CREATE VIEW SP_VUEPOSTE_2 AS
SELECT p.*, a.LIB_ATELIER, e.LIB_ETAT_POSTE, t.LIB_TYPE_POSTE AS TYPE_POSTE
FROM SP_POSTE p
  LEFT JOIN SP_ATELIER a ON a.C_ATELIER = p.C_ATELIER
  LEFT JOIN SP_ETAT_POSTE e ON e.C_ETAT_POSTE = p.C_ETAT_POSTE
  LEFT JOIN SP_TYPE_POSTE t ON t.C_TYPE_POSTE = p.C_TYPE_POSTE;

CREATE VIEW SP_VUECAL_POSTE AS
SELECT c.*, e.LIB_ETAT_CAL, j.LIB_JOUR
FROM SP_CAL_POSTE c
  LEFT JOIN SP_ETAT_CAL e ON e.C_ETAT_CAL = c.C_ETAT_CAL
  LEFT JOIN SP_JOURNEE j ON j.C_JOUR = c.C_JOUR;

CREATE VIEW SP_VUECAL_PART_POSTE AS
SELECT c.*, e.LIB_ETAT_CAL
FROM SP_CAL_PART_POSTE c
  LEFT JOIN SP_ETAT_CAL e ON e.C_ETAT_CAL = c.C_ETAT_CAL;

/* ------------------------------------------------------------------------- */
/* Views of the planning                                                     */
/* ------------------------------------------------------------------------- */

/* Lines with their rate: CAD_INST here is cycles per hour (TYPE_FREQUENCE 2),
   derived from the cycle time in seconds; 0 when the cycle time is unknown. */
CREATE VIEW SP_VUEPOSTE_PLANNING (N_POSTE, LIB_POSTE, CAD_INST, TYPE_FREQUENCE) AS
SELECT p.N_POSTE, p.LIB_POSTE,
       CAST(IIF(COALESCE(p.CAD_INST, 0) > 0, 3600.0 / p.CAD_INST, 0) AS DOUBLE PRECISION),
       CAST(2 AS SMALLINT)
FROM SP_POSTE p;

CREATE VIEW SP_VUECAL_POSTE_PLANNING
  (N_POSTE, C_JOUR, LIB_POSTE, EFFICACITE, COULEUR, MOTIF, H_DEBUT, C_ETAT_CAL) AS
SELECT c.N_POSTE, c.C_JOUR, p.LIB_POSTE, e.EFFICACITE, e.COULEUR, e.MOTIF, c.H_DEBUT,
       c.C_ETAT_CAL
FROM SP_CAL_POSTE c
  JOIN SP_POSTE p ON p.N_POSTE = c.N_POSTE
  JOIN SP_ETAT_CAL e ON e.C_ETAT_CAL = c.C_ETAT_CAL;

CREATE VIEW SP_VUECAL_PART_POSTE_PLANNING
  (N_POSTE, LIB_POSTE, EFFICACITE, COULEUR, MOTIF, DH_DEBUT, DH_FIN, C_ETAT_CAL) AS
SELECT c.N_POSTE, p.LIB_POSTE, e.EFFICACITE, e.COULEUR, e.MOTIF, c.DH_DEBUT, c.DH_FIN,
       c.C_ETAT_CAL
FROM SP_CAL_PART_POSTE c
  JOIN SP_POSTE p ON p.N_POSTE = c.N_POSTE
  JOIN SP_ETAT_CAL e ON e.C_ETAT_CAL = c.C_ETAT_CAL;

/* Orders and trial orders of every state, in the column layout the chart binds
   by position:
    0 C_OF          key                    16 DATE_LIMITE      deadline
    1 N_OF          number                 17 N_AVIS           notice number
    2 N_OPERATION   operation              18 N_SERIE          serial number
    3 N_POSTE       line (null: waiting)   19 PRIORITE
    4 DHD_OF        start of the order     20 DATE_CREATION
    5 DHD_PROD      start of production    21 C_ARTICLE        product code
    6 DHF_PROD      end of production      22 REF_ARTICLE      product identifier
    7 DHF_OF        end of the order       23 REF_ARTICLE_MODIF modified article
    8 C_ETAT_OF     state                  24 LIB_ARTICLE      product reference
    9 DUREE_MN      quantity (minutes)     25 C_RESPONSABLE
   10 QT_REALISE    produced (minutes)     26 LIB_RESPONSABLE  responsible person
   11 VALIDE        validated (-1/0)       27 C_CLIENT
   12 COULEUR1      client colour          28 REF_CLIENT
   13 COULEUR2      responsible's colour   29 LIB_CLIENT
   14 CADENCE       article rate (per min) 30 NOM_GROUPE       group
   15 DH_POINTAGE   last clocking          31 ESSAI            1 = trial order
   Trial orders have one phase: their start and end fill both pairs of dates. */
CREATE VIEW SP_VUEOF_PLANNING_TOUS
  (C_OF, N_OF, N_OPERATION, N_POSTE, DHD_OF, DHD_PROD, DHF_PROD, DHF_OF, C_ETAT_OF,
   DUREE_MN, QT_REALISE, VALIDE, COULEUR1, COULEUR2, CADENCE, DH_POINTAGE, DATE_LIMITE,
   N_AVIS, N_SERIE, PRIORITE, DATE_CREATION, C_ARTICLE, REF_ARTICLE, REF_ARTICLE_MODIF,
   LIB_ARTICLE, C_RESPONSABLE, LIB_RESPONSABLE, C_CLIENT, REF_CLIENT, LIB_CLIENT,
   NOM_GROUPE, ESSAI) AS
SELECT o.C_OF, o.N_OF, o.N_OPERATION, o.N_POSTE, o.DHD_OF, o.DHD_PROD, o.DHF_PROD,
       o.DHF_OF, o.C_ETAT_OF, o.DUREE_MN, o.QT_REALISE, o.VALIDE, c.COULEUR1, r.COULEUR2,
       CAST(COALESCE(a.CAD_THEO, 0) AS INTEGER), o.DH_POINTAGE, o.DATE_LIMITE, o.N_AVIS,
       o.N_SERIE, o.PRIORITE, o.DATE_CREATION, o.C_ARTICLE, a.REF_ARTICLE,
       a.REF_ARTICLE_MODIF, a.LIB_ARTICLE, a.C_RESPONSABLE, r.LIB_RESPONSABLE, a.C_CLIENT,
       c.REF_CLIENT, c.LIB_CLIENT, c.NOM_GROUPE, CAST(0 AS SMALLINT)
FROM SP_OF o
  LEFT JOIN SP_ARTICLE a ON a.C_ARTICLE = o.C_ARTICLE
  LEFT JOIN SP_CLIENT c ON c.C_CLIENT = a.C_CLIENT
  LEFT JOIN SP_RESPONSABLE r ON r.C_RESPONSABLE = a.C_RESPONSABLE
UNION ALL
SELECT s.C_ESSAI, s.N_ESSAI, CAST(0 AS SMALLINT), s.N_POSTE, s.DHD_ESSAI, s.DHD_ESSAI,
       s.DHF_ESSAI, s.DHF_ESSAI, s.C_ETAT_OF, s.DUREE_MN, 0, CAST(-1 AS SMALLINT),
       CAST(NULL AS INTEGER), CAST(NULL AS INTEGER), 0, s.DH_POINTAGE,
       CAST(NULL AS TIMESTAMP), CAST(NULL AS VARCHAR(10)), CAST(NULL AS VARCHAR(20)),
       CAST(NULL AS SMALLINT), CAST(NULL AS DATE), CAST(NULL AS INTEGER),
       CAST(NULL AS VARCHAR(50)), CAST(NULL AS VARCHAR(50)), s.LIB_ARTICLE,
       CAST(NULL AS INTEGER), CAST(NULL AS VARCHAR(100)), CAST(NULL AS INTEGER),
       CAST(NULL AS VARCHAR(10)), CAST(NULL AS VARCHAR(50)), CAST(NULL AS VARCHAR(50)),
       CAST(1 AS SMALLINT)
FROM SP_ESSAI s;

/* What the chart loads: everything not finished. */
CREATE VIEW SP_VUEOF_PLANNING AS
SELECT * FROM SP_VUEOF_PLANNING_TOUS WHERE C_ETAT_OF < 5;

/* The same, plus the orders finished less than 15 days ago. */
CREATE VIEW SP_VUEOF_PLANNING2 AS
SELECT * FROM SP_VUEOF_PLANNING_TOUS
WHERE C_ETAT_OF < 5
   OR (C_ETAT_OF = 5 AND DHF_OF >= CURRENT_TIMESTAMP - 15);

/* What the periodic refresh reads, by position: 0 key, 1 number, 2 operation,
   3 quantity, 4 line, 5 validated, 6..9 the four dates, 10 last clocking,
   11 produced, 12 state. Every state is listed, so that the chart learns about
   orders finished and removed (state 6) too. */
CREATE VIEW SP_VUEOF_PLANNING_BIS_MAJ
  (C_OF, N_OF, N_OPERATION, DUREE_MN, N_POSTE, VALIDE, DHD_OF, DHD_PROD, DHF_PROD,
   DHF_OF, DH_POINTAGE, QT_REALISE, C_ETAT_OF) AS
SELECT C_OF, N_OF, N_OPERATION, DUREE_MN, N_POSTE, VALIDE, DHD_OF, DHD_PROD, DHF_PROD,
       DHF_OF, DH_POINTAGE, QT_REALISE, C_ETAT_OF
FROM SP_VUEOF_PLANNING_TOUS;

/* ------------------------------------------------------------------------- */
/* Triggers: keys, defaults and normalisation                                */
/* ------------------------------------------------------------------------- */

SET TERM ^ ;

CREATE TRIGGER SP_OF_BIU FOR SP_OF ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.C_OF IS NULL) THEN NEW.C_OF = GEN_ID(GEN_SP_OF, 1);
  IF (NEW.C_ETAT_OF IS NULL) THEN NEW.C_ETAT_OF = 0;
  IF (NEW.N_OPERATION IS NULL) THEN NEW.N_OPERATION = 0;
  IF (NEW.VALIDE IS NULL) THEN NEW.VALIDE = 0;
  IF (NEW.QT_REALISE IS NULL) THEN NEW.QT_REALISE = 0;
  IF (NEW.N_POSTE <= 0) THEN NEW.N_POSTE = NULL;
  IF (INSERTING OR NEW.C_OF <> OLD.C_OF) THEN
    IF (EXISTS (SELECT 1 FROM SP_ESSAI WHERE C_ESSAI = NEW.C_OF)) THEN
      EXCEPTION E_CLE_OF_ESSAI;
END^

CREATE TRIGGER SP_ESSAI_BIU FOR SP_ESSAI ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.C_ESSAI IS NULL) THEN NEW.C_ESSAI = GEN_ID(GEN_SP_OF, 1);
  IF (NEW.C_ETAT_OF IS NULL) THEN NEW.C_ETAT_OF = 0;
  IF (NEW.N_POSTE <= 0) THEN NEW.N_POSTE = NULL;
  IF (INSERTING OR NEW.C_ESSAI <> OLD.C_ESSAI) THEN
    IF (EXISTS (SELECT 1 FROM SP_OF WHERE C_OF = NEW.C_ESSAI)) THEN
      EXCEPTION E_CLE_OF_ESSAI;
END^

CREATE TRIGGER SP_CLIENT_BIU FOR SP_CLIENT ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.C_CLIENT IS NULL) THEN NEW.C_CLIENT = GEN_ID(GEN_SP_CLIENT, 1);
  IF (NEW.ACTIF IS NULL) THEN NEW.ACTIF = -1;
END^

CREATE TRIGGER SP_RESPONSABLE_BI FOR SP_RESPONSABLE ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.C_RESPONSABLE IS NULL) THEN NEW.C_RESPONSABLE = GEN_ID(GEN_SP_RESPONSABLE, 1);
END^

CREATE TRIGGER SP_ARTICLE_BIU FOR SP_ARTICLE ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.C_ARTICLE IS NULL) THEN NEW.C_ARTICLE = GEN_ID(GEN_SP_ARTICLE, 1);
  IF (NEW.ACTIF IS NULL) THEN NEW.ACTIF = -1;
END^

CREATE TRIGGER SP_ATELIER_BI FOR SP_ATELIER ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.C_ATELIER IS NULL) THEN NEW.C_ATELIER = GEN_ID(GEN_SP_ATELIER, 1);
END^

CREATE TRIGGER SP_POSTE_BIU FOR SP_POSTE ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.N_POSTE IS NULL) THEN NEW.N_POSTE = GEN_ID(GEN_SP_POSTE, 1);
  IF (NEW.C_ETAT_POSTE IS NULL) THEN NEW.C_ETAT_POSTE = 2000;
END^

CREATE TRIGGER SP_ETAT_CAL_BIU FOR SP_ETAT_CAL ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.C_ETAT_CAL IS NULL) THEN NEW.C_ETAT_CAL = GEN_ID(GEN_SP_ETAT_CAL, 1);
  IF (NEW.EFFICACITE IS NULL) THEN NEW.EFFICACITE = 0;
  IF (NEW.MOTIF IS NULL) THEN NEW.MOTIF = 0;
END^

/* An empty time is midnight. */
CREATE TRIGGER SP_CAL_POSTE_BIU FOR SP_CAL_POSTE ACTIVE BEFORE INSERT OR UPDATE POSITION 0 AS
BEGIN
  IF (NEW.C_CAL_POSTE IS NULL) THEN NEW.C_CAL_POSTE = GEN_ID(GEN_SP_CAL_POSTE, 1);
  IF (NEW.H_DEBUT IS NULL) THEN NEW.H_DEBUT = TIME '00:00:00';
END^

CREATE TRIGGER SP_CAL_PART_POSTE_BI FOR SP_CAL_PART_POSTE ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
  IF (NEW.C_CAL_PART_POSTE IS NULL) THEN
    NEW.C_CAL_PART_POSTE = GEN_ID(GEN_SP_CAL_PART_POSTE, 1);
END^

/* ------------------------------------------------------------------------- */
/* Triggers: one event per relation, posted on every change                  */
/* ------------------------------------------------------------------------- */

CREATE TRIGGER SP_OF_EVT FOR SP_OF ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_OF'; END^
CREATE TRIGGER SP_ESSAI_EVT FOR SP_ESSAI ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_ESSAI'; END^
CREATE TRIGGER SP_ETAT_OF_EVT FOR SP_ETAT_OF ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_ETAT_OF'; END^
CREATE TRIGGER SP_JOURNEE_EVT FOR SP_JOURNEE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_JOURNEE'; END^
CREATE TRIGGER SP_CLIENT_EVT FOR SP_CLIENT ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_CLIENT'; END^
CREATE TRIGGER SP_RESPONSABLE_EVT FOR SP_RESPONSABLE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_RESPONSABLE'; END^
CREATE TRIGGER SP_ARTICLE_EVT FOR SP_ARTICLE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_ARTICLE'; END^
CREATE TRIGGER SP_ATELIER_EVT FOR SP_ATELIER ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_ATELIER'; END^
CREATE TRIGGER SP_ETAT_POSTE_EVT FOR SP_ETAT_POSTE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_ETAT_POSTE'; END^
CREATE TRIGGER SP_TYPE_POSTE_EVT FOR SP_TYPE_POSTE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_TYPE_POSTE'; END^
CREATE TRIGGER SP_POSTE_EVT FOR SP_POSTE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_POSTE'; END^
CREATE TRIGGER SP_ETAT_CAL_EVT FOR SP_ETAT_CAL ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_ETAT_CAL'; END^
CREATE TRIGGER SP_CAL_POSTE_EVT FOR SP_CAL_POSTE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_CAL_POSTE'; END^
CREATE TRIGGER SP_CAL_PART_POSTE_EVT FOR SP_CAL_PART_POSTE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_CAL_PART_POSTE'; END^
CREATE TRIGGER SP_EQUIPE_EVT FOR SP_EQUIPE ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_EQUIPE'; END^
CREATE TRIGGER SP_JOUR_PARTICULIER_EVT FOR SP_JOUR_PARTICULIER ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_JOUR_PARTICULIER'; END^
CREATE TRIGGER SP_DROIT_EVT FOR SP_DROIT ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_DROIT'; END^
/* The planning station changed: every workstation asks again who holds it. */
CREATE TRIGGER SP_POSTE_PLANIFICATION_EVT FOR SP_POSTE_PLANIFICATION ACTIVE
  AFTER INSERT OR UPDATE OR DELETE POSITION 100 AS
BEGIN POST_EVENT 'SP_POSTE_PLANIFICATION'; END^

/* A workstation that goes away without giving the planning right up loses it. */
CREATE TRIGGER SP_POSTE_PLANIF_DECONNEXION ACTIVE ON DISCONNECT POSITION 0 AS
BEGIN
  UPDATE SP_POSTE_PLANIFICATION
     SET NOM_POSTE = NULL, ID_CONNEXION = NULL, DH_PRISE = NULL
   WHERE ID = 1 AND ID_CONNEXION = CURRENT_CONNECTION;
  WHEN ANY DO
  BEGIN
    /* Never keep a workstation from leaving. */
  END
END^

/* ------------------------------------------------------------------------- */
/* Procedures                                                                */
/* ------------------------------------------------------------------------- */

/* Rights of the user CHUTIL on the relation CHRELATION. BSELECT = -10 when no
   such relation or view exists. Otherwise the row of SP_DROIT for that user, or
   else for every user (empty name), decides; without a row every right is
   granted (-1). */
CREATE PROCEDURE LECTURE_DROITS (CHRELATION VARCHAR(31), CHUTIL VARCHAR(31))
RETURNS (BSELECT SMALLINT, BINSERT SMALLINT, BUPDATE SMALLINT, BDELETE SMALLINT)
AS
DECLARE VARIABLE chRel VARCHAR(31);
DECLARE VARIABLE chUt VARCHAR(31);
BEGIN
  chRel = UPPER(TRIM(COALESCE(CHRELATION, '')));
  chUt = UPPER(TRIM(COALESCE(CHUTIL, '')));
  IF (NOT EXISTS (SELECT 1 FROM RDB$RELATIONS
                   WHERE TRIM(RDB$RELATION_NAME) = :chRel)) THEN
  BEGIN
    BSELECT = -10; BINSERT = 0; BUPDATE = 0; BDELETE = 0;
    SUSPEND;
    EXIT;
  END
  BSELECT = -1; BINSERT = -1; BUPDATE = -1; BDELETE = -1;
  SELECT FIRST 1 B_SELECT, B_INSERT, B_UPDATE, B_DELETE FROM SP_DROIT
   WHERE UPPER(NOM_RELATION) = :chRel AND (UPPER(NOM_UTIL) = :chUt OR NOM_UTIL = '')
   ORDER BY IIF(NOM_UTIL = '', 1, 0)
    INTO :BSELECT, :BINSERT, :BUPDATE, :BDELETE;
  SUSPEND;
END^

/* The planning-station protocol: at most one workstation holds the right to
   change the plan.
     BPLANIFIER -2 ask: may this workstation plan (nobody else holds the right)?
                -1 take: take the right when nobody else holds it;
                 0 give it up (also whenever BCONNECTE is 0: the workstation leaves).
   Outputs: BPEUTPLANIFIER 1 when this workstation holds or may take the right
   (for "give up": when the right is now free of other holders), 0 otherwise;
   CHPOSTEPLANIF the name of the holder afterwards ('' when nobody holds it).
   Two workstations taking the right at the same instant both update the one row:
   the second one meets the first one's lock and is refused, whether its
   transaction waits or not. A holder whose attachment no longer exists has lost
   the right. */
CREATE PROCEDURE SP_GESTION_POSTE_PLANIF (CHNOMPOSTE VARCHAR(30), BCONNECTE SMALLINT,
  BPLANIFIER SMALLINT)
RETURNS (BPEUTPLANIFIER SMALLINT, CHPOSTEPLANIF VARCHAR(30))
AS
DECLARE VARIABLE chNom VARCHAR(30);
DECLARE VARIABLE chDetenteur VARCHAR(30);
DECLARE VARIABLE iConnexion BIGINT;
DECLARE VARIABLE bVoitTout SMALLINT;
BEGIN
  chNom = TRIM(COALESCE(CHNOMPOSTE, ''));
  BPEUTPLANIFIER = 0;

  /* The row may have been lost (restored from an older copy): put it back. */
  IF (NOT EXISTS (SELECT 1 FROM SP_POSTE_PLANIFICATION WHERE ID = 1)) THEN
  BEGIN
    INSERT INTO SP_POSTE_PLANIFICATION (ID) VALUES (1);
    WHEN ANY DO BEGIN END
  END

  SELECT NOM_POSTE, ID_CONNEXION FROM SP_POSTE_PLANIFICATION WHERE ID = 1
    INTO :chDetenteur, :iConnexion;

  /* A holder whose attachment has gone no longer holds the right. Only a user
     who sees every attachment can tell. */
  bVoitTout = IIF(CURRENT_USER = 'SYSDBA' OR CURRENT_ROLE = 'RDB$ADMIN'
                  OR CURRENT_USER = (SELECT TRIM(RDB$OWNER_NAME) FROM RDB$RELATIONS
                                      WHERE RDB$RELATION_NAME = 'SP_POSTE_PLANIFICATION'),
                  1, 0);
  IF (chDetenteur IS NOT NULL AND iConnexion IS NOT NULL AND bVoitTout = 1) THEN
    IF (NOT EXISTS (SELECT 1 FROM MON$ATTACHMENTS
                     WHERE MON$ATTACHMENT_ID = :iConnexion)) THEN
      chDetenteur = NULL;

  IF (chNom = '') THEN
  BEGIN
    /* A workstation without a name can neither take nor give anything up. */
    BPEUTPLANIFIER = 0;
  END
  ELSE IF (BPLANIFIER = 0 OR COALESCE(BCONNECTE, 1) = 0) THEN
  BEGIN
    IF (chDetenteur = chNom) THEN
    BEGIN
      BEGIN
        UPDATE SP_POSTE_PLANIFICATION
           SET NOM_POSTE = NULL, ID_CONNEXION = NULL, DH_PRISE = NULL
         WHERE ID = 1 AND NOM_POSTE = :chNom;
        WHEN GDSCODE lock_conflict, GDSCODE update_conflict, GDSCODE deadlock DO
        BEGIN END
      END
      SELECT NOM_POSTE FROM SP_POSTE_PLANIFICATION WHERE ID = 1 INTO :chDetenteur;
    END
    ELSE IF (chDetenteur IS NULL) THEN
    BEGIN
      /* Clear what a vanished holder left behind. */
      BEGIN
        UPDATE SP_POSTE_PLANIFICATION
           SET NOM_POSTE = NULL, ID_CONNEXION = NULL, DH_PRISE = NULL
         WHERE ID = 1 AND NOM_POSTE IS NOT NULL AND ID_CONNEXION IS NOT DISTINCT FROM :iConnexion;
        WHEN GDSCODE lock_conflict, GDSCODE update_conflict, GDSCODE deadlock DO
        BEGIN END
      END
    END
    /* Free now, unless another workstation holds the right. */
    BPEUTPLANIFIER = IIF(chDetenteur IS NULL, 1, 0);
  END
  ELSE IF (BPLANIFIER = -1) THEN
  BEGIN
    IF (chDetenteur = chNom AND iConnexion = CURRENT_CONNECTION) THEN
      BPEUTPLANIFIER = 1;
    ELSE IF (chDetenteur IS NULL OR chDetenteur = chNom) THEN
    BEGIN
      BEGIN
        /* Only if the row is still what was read: a workstation that took the
           right meanwhile wins. */
        UPDATE SP_POSTE_PLANIFICATION
           SET NOM_POSTE = :chNom, ID_CONNEXION = CURRENT_CONNECTION,
               DH_PRISE = CURRENT_TIMESTAMP
         WHERE ID = 1
           AND ID_CONNEXION IS NOT DISTINCT FROM :iConnexion;
        BPEUTPLANIFIER = IIF(ROW_COUNT = 1, 1, 0);
        WHEN GDSCODE lock_conflict, GDSCODE update_conflict, GDSCODE deadlock DO
          BPEUTPLANIFIER = 0;
      END
      IF (BPEUTPLANIFIER = 1) THEN
        chDetenteur = chNom;
      ELSE
        SELECT NOM_POSTE FROM SP_POSTE_PLANIFICATION WHERE ID = 1 INTO :chDetenteur;
    END
  END
  ELSE
  BEGIN
    /* Ask. */
    BPEUTPLANIFIER = IIF(chDetenteur IS NULL OR chDetenteur = chNom, 1, 0);
  END

  CHPOSTEPLANIF = COALESCE(chDetenteur, '');
  SUSPEND;
END^

/* Stores one planned order or trial order (same key space). ICODEPOSTE -1 (or
   any value below 1, or a start date of 0) sends it back to the waiting list:
   no line, no dates, state 0; otherwise the order takes the line, the four dates
   and state 1. IDUREEMODIFIEE, when above 0, is the duration in minutes the
   planner gave the order. Orders already started (state 2 and above) are left
   untouched. IRESULT: 1 when the order was stored, 0 when no order with this key
   can be planned. A line that does not exist raises E_POSTE_INCONNU. */
CREATE PROCEDURE SP_PLANIFIER (INUMOF INTEGER, ICODEPOSTE INTEGER, DTDEBUTOF TIMESTAMP,
  DTDEBUTPRODUCTION TIMESTAMP, DTFINPRODUCTION TIMESTAMP, DTFINOF TIMESTAMP,
  IDUREEMODIFIEE INTEGER = 0)
RETURNS (IRESULT INTEGER)
AS
DECLARE VARIABLE iPoste INTEGER;
DECLARE VARIABLE iEtat INTEGER;
BEGIN
  IRESULT = 0;
  iPoste = ICODEPOSTE;
  IF (iPoste IS NOT NULL AND iPoste <= 0) THEN iPoste = NULL;
  IF (DTDEBUTOF IS NULL OR DTDEBUTOF <= TIMESTAMP '1900-01-01 00:00:00') THEN iPoste = NULL;
  IF (iPoste IS NOT NULL) THEN
    IF (NOT EXISTS (SELECT 1 FROM SP_POSTE WHERE N_POSTE = :iPoste)) THEN
      EXCEPTION E_POSTE_INCONNU 'Poste inconnu : ' || :iPoste || '.';

  IF (iPoste IS NULL) THEN
  BEGIN
    DTDEBUTOF = NULL; DTDEBUTPRODUCTION = NULL; DTFINPRODUCTION = NULL; DTFINOF = NULL;
    iEtat = 0;
  END
  ELSE
  BEGIN
    /* The four dates never go backwards. */
    IF (DTDEBUTPRODUCTION IS NULL OR DTDEBUTPRODUCTION < DTDEBUTOF) THEN
      DTDEBUTPRODUCTION = DTDEBUTOF;
    IF (DTFINPRODUCTION IS NULL OR DTFINPRODUCTION < DTDEBUTPRODUCTION) THEN
      DTFINPRODUCTION = DTDEBUTPRODUCTION;
    IF (DTFINOF IS NULL OR DTFINOF < DTFINPRODUCTION) THEN DTFINOF = DTFINPRODUCTION;
    iEtat = 1;
  END

  UPDATE SP_OF
     SET N_POSTE = :iPoste, DHD_OF = :DTDEBUTOF, DHD_PROD = :DTDEBUTPRODUCTION,
         DHF_PROD = :DTFINPRODUCTION, DHF_OF = :DTFINOF, C_ETAT_OF = :iEtat,
         DUREE_MN = IIF(COALESCE(:IDUREEMODIFIEE, 0) > 0, :IDUREEMODIFIEE, DUREE_MN)
   WHERE C_OF = :INUMOF AND C_ETAT_OF < 2;
  IRESULT = ROW_COUNT;
  IF (IRESULT = 0) THEN
  BEGIN
    UPDATE SP_ESSAI
       SET N_POSTE = :iPoste, DHD_ESSAI = :DTDEBUTOF, DHF_ESSAI = :DTFINOF,
           C_ETAT_OF = :iEtat,
           DUREE_MN = IIF(COALESCE(:IDUREEMODIFIEE, 0) > 0, :IDUREEMODIFIEE, DUREE_MN)
     WHERE C_ESSAI = :INUMOF AND C_ETAT_OF < 2;
    IRESULT = ROW_COUNT;
  END
  SUSPEND;
END^

/* Ends a plan save: tells every workstation that the plan changed.
   IATELIER: the workshop whose plan was saved (0: all). */
CREATE PROCEDURE SP_POST_PLANNIFICATION (IATELIER INTEGER = 0)
RETURNS (IRESULT INTEGER)
AS
BEGIN
  POST_EVENT 'SP_PLANNIFICATION';
  IRESULT = 0;
  SUSPEND;
END^

/* Announces a backup: every workstation closes. */
CREATE PROCEDURE SP_ANNONCE_SAUVEGARDE
AS
BEGIN
  POST_EVENT 'SP_SAUVEGARDE';
END^

/* Starts an order or trial order in state 2 or below: IQUANTITE non-zero puts it
   in preparation (state 2), zero in production (state 3). The start dates that
   are still in the future become now. INOUVOF: the order's key, or -1 when
   nothing could be started. */
CREATE PROCEDURE SP_DEBUTER_OF (C_OF INTEGER, IQUANTITE INTEGER)
RETURNS (INOUVOF INTEGER)
AS
DECLARE VARIABLE dtMaintenant TIMESTAMP;
DECLARE VARIABLE iEtat INTEGER;
BEGIN
  dtMaintenant = CURRENT_TIMESTAMP;
  iEtat = IIF(COALESCE(IQUANTITE, 0) <> 0, 2, 3);
  INOUVOF = -1;
  UPDATE SP_OF o
     SET o.C_ETAT_OF = :iEtat,
         o.DHD_OF = IIF(o.C_ETAT_OF >= 2 AND o.DHD_OF IS NOT NULL, o.DHD_OF, :dtMaintenant),
         o.DHD_PROD = IIF(:iEtat = 3, :dtMaintenant, o.DHD_PROD),
         o.DH_POINTAGE = :dtMaintenant
   WHERE o.C_OF = :C_OF AND o.C_ETAT_OF <= 2;
  IF (ROW_COUNT > 0) THEN
    INOUVOF = C_OF;
  ELSE
  BEGIN
    UPDATE SP_ESSAI s
       SET s.C_ETAT_OF = :iEtat,
           s.DHD_ESSAI = IIF(s.C_ETAT_OF >= 2 AND s.DHD_ESSAI IS NOT NULL, s.DHD_ESSAI,
                             :dtMaintenant),
           s.DH_POINTAGE = :dtMaintenant
     WHERE s.C_ESSAI = :C_OF AND s.C_ETAT_OF <= 2;
    IF (ROW_COUNT > 0) THEN INOUVOF = C_OF;
  END
  SUSPEND;
END^

/* Declares IQUANTITE more minutes produced on an order (a negative value
   corrects a previous declaration; the total never goes below 0). INOUVOF: the
   order's key, or -1 when there is no such order. */
CREATE PROCEDURE SP_QUANTITE_OF (C_OF INTEGER, IQUANTITE INTEGER)
RETURNS (INOUVOF INTEGER)
AS
BEGIN
  INOUVOF = -1;
  UPDATE SP_OF o
     SET o.QT_REALISE = MAXVALUE(0, o.QT_REALISE + COALESCE(:IQUANTITE, 0)),
         o.DH_POINTAGE = CURRENT_TIMESTAMP
   WHERE o.C_OF = :C_OF;
  IF (ROW_COUNT > 0) THEN
    INOUVOF = C_OF;
  ELSE
  BEGIN
    UPDATE SP_ESSAI s SET s.DH_POINTAGE = CURRENT_TIMESTAMP WHERE s.C_ESSAI = :C_OF;
    IF (ROW_COUNT > 0) THEN INOUVOF = C_OF;
  END
  SUSPEND;
END^

/* Closes an order or trial order for good (state 5). Its end becomes now, and
   the dates that were still in the future are brought back to now. IQUANTITE is
   not used. IRESULT: 1 when closed, 0 when there is no such order or it was
   already closed. */
CREATE PROCEDURE SP_SOLDER_OF (C_OF INTEGER, IQUANTITE INTEGER = 0)
RETURNS (IRESULT INTEGER)
AS
DECLARE VARIABLE dtMaintenant TIMESTAMP;
BEGIN
  dtMaintenant = CURRENT_TIMESTAMP;
  UPDATE SP_OF o
     SET o.C_ETAT_OF = 5,
         o.DHD_OF = MINVALUE(COALESCE(o.DHD_OF, :dtMaintenant), :dtMaintenant),
         o.DHD_PROD = MINVALUE(COALESCE(o.DHD_PROD, :dtMaintenant), :dtMaintenant),
         o.DHF_PROD = MINVALUE(COALESCE(o.DHF_PROD, :dtMaintenant), :dtMaintenant),
         o.DHF_OF = :dtMaintenant,
         o.DH_POINTAGE = :dtMaintenant
   WHERE o.C_OF = :C_OF AND o.C_ETAT_OF < 5;
  IRESULT = ROW_COUNT;
  IF (IRESULT = 0) THEN
  BEGIN
    UPDATE SP_ESSAI s
       SET s.C_ETAT_OF = 5,
           s.DHD_ESSAI = MINVALUE(COALESCE(s.DHD_ESSAI, :dtMaintenant), :dtMaintenant),
           s.DHF_ESSAI = :dtMaintenant,
           s.DH_POINTAGE = :dtMaintenant
     WHERE s.C_ESSAI = :C_OF AND s.C_ETAT_OF < 5;
    IRESULT = ROW_COUNT;
  END
  SUSPEND;
END^

/* Is there an order with this number and operation? Trailing blanks of the
   number do not count. */
CREATE PROCEDURE SP_OF_EXIST (CHOF VARCHAR(10), INUMOPERATION INTEGER)
RETURNS (BEXIST SMALLINT)
AS
BEGIN
  BEXIST = IIF(EXISTS (SELECT 1 FROM SP_OF
                        WHERE TRIM(TRAILING FROM N_OF) = TRIM(TRAILING FROM :CHOF)
                          AND N_OPERATION = COALESCE(:INUMOPERATION, 0)), 1, 0);
  SUSPEND;
END^

/* Is there a trial order with this number? Trial orders have no operation
   number: INUMOPERATION is not used. */
CREATE PROCEDURE SP_ESSAI_EXIST (CHESSAI VARCHAR(10), INUMOPERATION INTEGER)
RETURNS (BEXIST SMALLINT)
AS
BEGIN
  BEXIST = IIF(EXISTS (SELECT 1 FROM SP_ESSAI
                        WHERE TRIM(TRAILING FROM N_ESSAI) = TRIM(TRAILING FROM :CHESSAI)),
               1, 0);
  SUSPEND;
END^

/* Replaces the weekly calendar of line INOUVPOSTE by a copy of line IANCPOSTE's.
   BRESULT: the number of rows copied, or -1 (nothing changed) when both lines
   are the same or either does not exist. */
CREATE PROCEDURE SP_DUPLIQUE_CALENDRIER (IANCPOSTE INTEGER, INOUVPOSTE INTEGER)
RETURNS (BRESULT INTEGER)
AS
BEGIN
  BRESULT = -1;
  IF (IANCPOSTE IS DISTINCT FROM INOUVPOSTE
      AND EXISTS (SELECT 1 FROM SP_POSTE WHERE N_POSTE = :IANCPOSTE)
      AND EXISTS (SELECT 1 FROM SP_POSTE WHERE N_POSTE = :INOUVPOSTE)) THEN
  BEGIN
    DELETE FROM SP_CAL_POSTE WHERE N_POSTE = :INOUVPOSTE;
    INSERT INTO SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION)
      SELECT :INOUVPOSTE, C_JOUR, C_ETAT_CAL, H_DEBUT, OBSERVATION
        FROM SP_CAL_POSTE WHERE N_POSTE = :IANCPOSTE
       ORDER BY C_JOUR, H_DEBUT;
    BRESULT = ROW_COUNT;
  END
  SUSPEND;
END^

/* The same for the special periods. */
CREATE PROCEDURE SP_DUPLIQUE_CALENDRIER_PART (IANCPOSTE INTEGER, INOUVPOSTE INTEGER)
RETURNS (BRESULT INTEGER)
AS
BEGIN
  BRESULT = -1;
  IF (IANCPOSTE IS DISTINCT FROM INOUVPOSTE
      AND EXISTS (SELECT 1 FROM SP_POSTE WHERE N_POSTE = :IANCPOSTE)
      AND EXISTS (SELECT 1 FROM SP_POSTE WHERE N_POSTE = :INOUVPOSTE)) THEN
  BEGIN
    DELETE FROM SP_CAL_PART_POSTE WHERE N_POSTE = :INOUVPOSTE;
    INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
      SELECT :INOUVPOSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION
        FROM SP_CAL_PART_POSTE WHERE N_POSTE = :IANCPOSTE
       ORDER BY DH_DEBUT, DH_FIN;
    BRESULT = ROW_COUNT;
  END
  SUSPEND;
END^

/* Copies the special period ICALPARTPOSTE onto line INOUVPOSTE. IMODE -1: the
   periods of that line lying entirely inside the copied one are replaced by it
   (copying the same period twice leaves one copy); any other value only adds
   the copy. BRESULT: 1 when copied, 0 when the period does not exist, the target
   line does not exist or already is the period's line. */
CREATE PROCEDURE SP_DUPLIQUE_CAL_AUTRE_MACHINE (ICALPARTPOSTE INTEGER, IMODE INTEGER,
  INOUVPOSTE INTEGER)
RETURNS (BRESULT INTEGER)
AS
DECLARE VARIABLE iPoste INTEGER;
DECLARE VARIABLE dtDebut TIMESTAMP;
DECLARE VARIABLE dtFin TIMESTAMP;
DECLARE VARIABLE iEtat INTEGER;
DECLARE VARIABLE chObs VARCHAR(100);
BEGIN
  BRESULT = 0;
  SELECT N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION FROM SP_CAL_PART_POSTE
   WHERE C_CAL_PART_POSTE = :ICALPARTPOSTE
    INTO :iPoste, :dtDebut, :dtFin, :iEtat, :chObs;
  IF (ROW_COUNT = 1 AND iPoste IS DISTINCT FROM INOUVPOSTE
      AND EXISTS (SELECT 1 FROM SP_POSTE WHERE N_POSTE = :INOUVPOSTE)) THEN
  BEGIN
    IF (IMODE = -1) THEN
      DELETE FROM SP_CAL_PART_POSTE
       WHERE N_POSTE = :INOUVPOSTE AND DH_DEBUT >= :dtDebut AND DH_FIN <= :dtFin;
    INSERT INTO SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL, OBSERVATION)
      VALUES (:INOUVPOSTE, :dtDebut, :dtFin, :iEtat, :chObs);
    BRESULT = 1;
  END
  SUSPEND;
END^

/* Dated team shifts for the days DTDATEDEBUT to DTDATEFIN, in start order.
   Each day takes the shifts of its weekday (SP_EQUIPE, C_JOUR 1 = Sunday) or,
   when IOPTION is 1 and the day is a special day (SP_JOUR_PARTICULIER), the
   shifts of that special day's code instead. A shift whose end is not after its
   start ends the following day.
   Outputs: DTDEBUT, DTFIN, CJOUR (the day code whose shifts were used),
   NEQUIPE (the team). At most ten years are listed. */
CREATE PROCEDURE SP_LISTE_EQUIPES_PERIODE (IOPTION INTEGER, DTDATEDEBUT DATE, DTDATEFIN DATE)
RETURNS (DTDEBUT TIMESTAMP, DTFIN TIMESTAMP, CJOUR INTEGER, NEQUIPE INTEGER)
AS
DECLARE VARIABLE dJour DATE;
DECLARE VARIABLE dFin DATE;
DECLARE VARIABLE iSemaine INTEGER;
DECLARE VARIABLE bParticulier SMALLINT;
DECLARE VARIABLE hDebut TIME;
DECLARE VARIABLE hFin TIME;
BEGIN
  IF (DTDATEDEBUT IS NULL OR DTDATEFIN IS NULL) THEN EXIT;
  dJour = DTDATEDEBUT;
  dFin = MINVALUE(DTDATEFIN, DTDATEDEBUT + 3660);
  WHILE (dJour <= dFin) DO
  BEGIN
    iSemaine = EXTRACT(WEEKDAY FROM dJour) + 1;
    bParticulier = 0;
    IF (IOPTION = 1) THEN
      IF (EXISTS (SELECT 1 FROM SP_JOUR_PARTICULIER WHERE DATE_JOUR = :dJour)) THEN
        bParticulier = 1;
    FOR SELECT e.C_JOUR, e.C_EQUIPE, e.HD_EQUIPE, e.HF_EQUIPE
          FROM SP_EQUIPE e
         WHERE (:bParticulier = 0 AND e.C_JOUR = :iSemaine)
            OR (:bParticulier = 1 AND e.C_JOUR IN (SELECT j.C_JOUR FROM SP_JOUR_PARTICULIER j
                                                   WHERE j.DATE_JOUR = :dJour))
         ORDER BY e.HD_EQUIPE, e.C_EQUIPE
          INTO :CJOUR, :NEQUIPE, :hDebut, :hFin
    DO
    BEGIN
      DTDEBUT = dJour + hDebut;
      IF (hFin > hDebut) THEN
        DTFIN = dJour + hFin;
      ELSE
        DTFIN = (dJour + 1) + hFin;
      SUSPEND;
    END
    dJour = dJour + 1;
  END
END^

SET TERM ; ^

/* ------------------------------------------------------------------------- */
/* Rows the program relies on                                                */
/* ------------------------------------------------------------------------- */

INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (0, 'Non planifié');
INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (1, 'Planifié');
INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (2, 'En préparation');
INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (3, 'En production');
INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (4, 'En finalisation');
INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (5, 'Terminé');
INSERT INTO SP_ETAT_OF (C_ETAT_OF, LIB_ETAT_OF) VALUES (6, 'Terminé supprimé');

INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (1, 'Dimanche');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (2, 'Lundi');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (3, 'Mardi');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (4, 'Mercredi');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (5, 'Jeudi');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (6, 'Vendredi');
INSERT INTO SP_JOURNEE (C_JOUR, LIB_JOUR) VALUES (7, 'Samedi');

/* The state given to every line added from the lines screen. */
INSERT INTO SP_ETAT_POSTE (C_ETAT_POSTE, LIB_ETAT_POSTE) VALUES (2000, 'En service');

INSERT INTO SP_POSTE_PLANIFICATION (ID) VALUES (1);

COMMIT;
