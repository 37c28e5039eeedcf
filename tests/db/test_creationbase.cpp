// Creating a database from the scripts compiled into the program, the statement
// splitter behind it, and the database events that the triggers and procedures post,
// received through the program's own event listener.
#include "data/creationbase.h"

#include "base/datetime.h"
#include "base/erreur.h"
#include "fb/connexion.h"
#include "fb/ecouteurevenements.h"
#include "fb/erreurbase.h"
#include "fb/procedurestockee.h"
#include "fb/requete.h"
#include "fb/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

void Application() {
  static int argc = 1;
  static char nom[] = "test_creationbase";
  static char* argv[] = {nom, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

const QStringList kParams{"user_name=SYSDBA", "password=inutile", "lc_ctype=ISO8859_1"};

bool Attendre(const std::function<bool()>& cond, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!cond() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return cond();
}

// Runs statements in one transaction and commits (or rolls back when bValider is false).
void Executer(TConnexion& cnx, const QStringList& sqls, bool bValider = true) {
  TTransaction t;
  t.SetDefaultDatabase(&cnx);
  t.StartTransaction();
  for (const QString& sql : sqls) {
    TRequete q;
    q.SetDatabase(&cnx);
    q.SetTransaction(&t);
    q.SetSQL(sql);
    q.ExecSQL();
  }
  bValider ? t.Commit() : t.Rollback();
}

QVariant Valeur(TConnexion& cnx, const QString& sql) {
  TTransaction t;
  t.SetDefaultDatabase(&cnx);
  TRequete q;
  q.SetDatabase(&cnx);
  q.SetTransaction(&t);
  q.SetSQL(sql);
  q.Open();
  const QVariant v = q.Fields(0).Value();
  q.Close();
  t.Commit();
  return v;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Splitting scripts

struct CasDecoupage {
  const char* nom;
  const char* script;
  QStringList attendu;
};

void PrintTo(const CasDecoupage& c, std::ostream* os) { *os << c.nom; }

class Decoupage : public ::testing::TestWithParam<CasDecoupage> {};

TEST_P(Decoupage, DonneLesInstructionsAEnvoyer) {
  const CasDecoupage& c = GetParam();
  QStringList obtenu = CreationBase::DecouperScript(QString::fromUtf8(c.script));
  for (QString& s : obtenu) s = s.simplified();
  EXPECT_EQ(obtenu, c.attendu) << c.nom;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, Decoupage,
    ::testing::Values(
        CasDecoupage{"simples", "select 1 from t;\nselect 2 from t;",
                     {"select 1 from t", "select 2 from t"}},
        CasDecoupage{"corps PSQL entre SET TERM",
                     "SET TERM ^ ;\nCREATE PROCEDURE P AS BEGIN x = 1; y = 2; END^\n"
                     "SET TERM ; ^\nselect 3 from t;",
                     {"CREATE PROCEDURE P AS BEGIN x = 1; y = 2; END", "select 3 from t"}},
        CasDecoupage{"terminateurs dans une chaîne et un nom entre guillemets",
                     "insert into \"T;^\" values ('a;b^''c;');",
                     {"insert into \"T;^\" values ('a;b^''c;')"}},
        CasDecoupage{"commentaires", "/* ; début */ select 1 -- ; fin\nfrom t; -- rien",
                     {"select 1 from t"}},
        CasDecoupage{"tirets dans une chaîne", "select '--;' from t;", {"select '--;' from t"}},
        CasDecoupage{"réglages isql ignorés, COMMIT gardé",
                     "SET SQL DIALECT 3;\nset names UTF8;\nSET BAIL ON;\nCOMMIT WORK;\ncommit;",
                     {"COMMIT", "commit"}},
        CasDecoupage{"dernière instruction sans terminateur", "select 1 from t;\nselect 2 from t",
                     {"select 1 from t", "select 2 from t"}}),
    [](const ::testing::TestParamInfo<CasDecoupage>& i) {
      return "cas" + std::to_string(i.index);
    });

TEST(DecoupageErreurs, RefuseCeQueLeProgrammeNePeutPasExecuter) {
  for (const char* script : {"select 'abc from t;", "/* sans fin", "INPUT autre.sql;",
                             "CREATE DATABASE 'x.fdb';", "CONNECT 'x.fdb';"})
    EXPECT_THROW(CreationBase::DecouperScript(QString::fromUtf8(script)), EErreur) << script;
}

TEST(Chemins, LocauxEtServeurs) {
  EXPECT_TRUE(CreationBase::EstCheminLocal("/var/lib/vestrelle/Dorvanel.gdb"));
  EXPECT_TRUE(CreationBase::EstCheminLocal("Dorvanel.gdb"));
  EXPECT_TRUE(CreationBase::EstCheminLocal("C:\\Vestrelle\\Dorvanel.gdb"));
  EXPECT_TRUE(CreationBase::EstCheminLocal("/tmp/a:b.fdb"));
  EXPECT_FALSE(CreationBase::EstCheminLocal("serveur:/data/Dorvanel.gdb"));
  EXPECT_FALSE(CreationBase::EstCheminLocal("127.0.0.1/3050:/data/Dorvanel.gdb"));
  EXPECT_FALSE(CreationBase::EstCheminLocal("serveur:C:\\data\\Dorvanel.gdb"));
}

// ---------------------------------------------------------------------------------------
// Creating databases

class Creation : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    ASSERT_TRUE(FDir.isValid());
  }
  QTemporaryDir FDir;
};

TEST_F(Creation, BaseDeDemonstrationComplete) {
  const QString chemin = FDir.filePath("sous/dossier/Dorvanel.gdb");
  ASSERT_TRUE(CreationBase::CreerSiAbsente(chemin, kParams));
  ASSERT_TRUE(QFileInfo::exists(chemin));

  TConnexion cnx;
  cnx.SetDatabaseName(chemin);
  cnx.SetParams(kParams);
  cnx.Open();
  EXPECT_EQ(Valeur(cnx, "select count(*) from SP_VUEOF_PLANNING_TOUS").toInt(), 200);
  EXPECT_EQ(Valeur(cnx, "select count(*) from SP_POSTE").toInt(), 10);
  // Accents survive the way from the UTF-8 script to the ISO8859_1 database and back.
  EXPECT_EQ(Valeur(cnx, "select LIB_ETAT_OF from SP_ETAT_OF where C_ETAT_OF = 0").toString(),
            QString::fromUtf8("Non planifié"));
  EXPECT_EQ(Valeur(cnx, "select LIB_ATELIER from SP_ATELIER where C_ATELIER = 3").toString(),
            QString::fromUtf8("Contrôle qualité"));
  cnx.Close();

  // A second start finds the file and leaves it alone.
  EXPECT_FALSE(CreationBase::CreerSiAbsente(chemin, kParams));
}

TEST_F(Creation, SchemaSeulEtCheminServeurIgnore) {
  const QString chemin = FDir.filePath("vide.fdb");
  CreationBase::CreerBase(chemin, kParams, false);
  TConnexion cnx;
  cnx.SetDatabaseName(chemin);
  cnx.SetParams(kParams);
  cnx.Open();
  EXPECT_EQ(Valeur(cnx, "select count(*) from SP_OF").toInt(), 0);
  EXPECT_EQ(Valeur(cnx, "select count(*) from SP_ETAT_OF").toInt(), 7);
  cnx.Close();

  EXPECT_FALSE(CreationBase::CreerSiAbsente("127.0.0.1:" + FDir.filePath("x.fdb"), kParams));
  EXPECT_FALSE(QFileInfo::exists(FDir.filePath("x.fdb")));
}

TEST_F(Creation, ErreurDeScriptSignaleeEtAnnulee) {
  const QString chemin = FDir.filePath("erreur.fdb");
  TConnexion cnx;
  cnx.SetDatabaseName(chemin);
  cnx.SetParams(kParams);
  cnx.CreateDatabase();
  try {
    CreationBase::ExecuterScript(cnx, "create table T (A integer);\n"
                                      "insert into T values (1);\n"
                                      "insert into INCONNUE values (1);");
    FAIL() << "une table inconnue devait être refusée";
  } catch (const EErreur& e) {
    EXPECT_TRUE(e.Message().startsWith("Instruction 3 : ")) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains("INCONNUE")) << e.Message().toStdString();
  }
  // The definition was committed, the row after it was not.
  EXPECT_EQ(Valeur(cnx, "select count(*) from T").toInt(), 0);
  cnx.Close();
}

TEST_F(Creation, FichierImpossibleACreer) {
  const QString chemin = "/proc/vestrelle-impossible/base.fdb";
  EXPECT_THROW(CreationBase::CreerBase(chemin, kParams, false), EErreur);
  EXPECT_FALSE(QFileInfo::exists(chemin));
}

// ---------------------------------------------------------------------------------------
// What the program finds in a new database

class NouvelleBase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application();
    FDir = new QTemporaryDir;
    CreationBase::CreerBase(FDir->filePath("base.fdb"), kParams, false);
  }
  static void TearDownTestSuite() {
    delete FDir;
    FDir = nullptr;
  }
  void SetUp() override {
    FCnx.SetDatabaseName(FDir->filePath("base.fdb"));
    FCnx.SetParams(kParams);
    FCnx.Open();
    FTrans.SetDefaultDatabase(&FCnx);
    FTrans.SetParams({"read_committed", "rec_version"});
  }
  void TearDown() override {
    if (FCnx.Connected()) FCnx.Close();
  }

  QStringList NomsParametres(const QString& chProc) {
    TProcedureStockee p;
    p.SetDatabase(&FCnx);
    p.SetTransaction(&FTrans);
    p.SetStoredProcName(chProc);
    FTrans.AssurerActive();
    p.Prepare();
    QStringList noms = p.Params().Names();
    p.Unprepare();
    FTrans.Commit();
    return noms;
  }

  static QTemporaryDir* FDir;
  TConnexion FCnx;
  TTransaction FTrans;
};
QTemporaryDir* NouvelleBase::FDir = nullptr;

TEST_F(NouvelleBase, ParametresDesProceduresDansLOrdreOuLeProgrammeLesAdresse) {
  // Outputs first, then inputs: the planning writes parameters 1 to 7 of the save
  // procedure, the menu parameter 2 of the close procedure, the toolbar parameter 1 of
  // the post-planning procedure when there is one.
  EXPECT_EQ(NomsParametres("SP_PLANIFIER"),
            QStringList({"IRESULT", "INUMOF", "ICODEPOSTE", "DTDEBUTOF", "DTDEBUTPRODUCTION",
                         "DTFINPRODUCTION", "DTFINOF", "IDUREEMODIFIEE"}));
  EXPECT_EQ(NomsParametres("SP_GESTION_POSTE_PLANIF"),
            QStringList({"BPEUTPLANIFIER", "CHPOSTEPLANIF", "CHNOMPOSTE", "BCONNECTE",
                         "BPLANIFIER"}));
  EXPECT_EQ(NomsParametres("SP_SOLDER_OF"), QStringList({"IRESULT", "C_OF", "IQUANTITE"}));
  EXPECT_EQ(NomsParametres("SP_DEBUTER_OF"), QStringList({"INOUVOF", "C_OF", "IQUANTITE"}));
  EXPECT_EQ(NomsParametres("SP_QUANTITE_OF"), QStringList({"INOUVOF", "C_OF", "IQUANTITE"}));
  EXPECT_EQ(NomsParametres("SP_POST_PLANNIFICATION"), QStringList({"IRESULT", "IATELIER"}));
  EXPECT_EQ(NomsParametres("LECTURE_DROITS"),
            QStringList({"BSELECT", "BINSERT", "BUPDATE", "BDELETE", "CHRELATION", "CHUTIL"}));
  EXPECT_EQ(NomsParametres("SP_OF_EXIST"), QStringList({"BEXIST", "CHOF", "INUMOPERATION"}));
  EXPECT_EQ(NomsParametres("SP_ESSAI_EXIST"),
            QStringList({"BEXIST", "CHESSAI", "INUMOPERATION"}));
  EXPECT_EQ(NomsParametres("SP_DUPLIQUE_CALENDRIER"),
            QStringList({"BRESULT", "IANCPOSTE", "INOUVPOSTE"}));
  EXPECT_EQ(NomsParametres("SP_DUPLIQUE_CAL_AUTRE_MACHINE"),
            QStringList({"BRESULT", "ICALPARTPOSTE", "IMODE", "INOUVPOSTE"}));
}

TEST_F(NouvelleBase, LaProcedureDeSauvegardeEcritQuandLeProgrammeLAppelle) {
  Executer(FCnx, {"insert into SP_POSTE (N_POSTE, LIB_POSTE) values (1, 'L1')",
                  "insert into SP_OF (C_OF, N_OF, DUREE_MN) values (10, 'OF10', 60)"});
  TProcedureStockee p;
  p.SetDatabase(&FCnx);
  p.SetTransaction(&FTrans);
  p.SetStoredProcName("SP_PLANIFIER");
  FTrans.AssurerActive();
  p.Prepare();
  const TDateTime debut = DateHeure::EncodeDateHeure(2030, 1, 7, 8, 0, 0, 0);
  p.Params()[1].SetAsInteger(10);
  p.Params()[2].SetAsInteger(1);
  p.Params()[3].SetAsDateTime(debut);
  p.Params()[4].SetAsDateTime(debut);
  p.Params()[5].SetAsDateTime(debut + 0.25);
  p.Params()[6].SetAsDateTime(debut + 0.25);
  p.Params()[7].SetAsInteger(75);
  p.ExecProc();
  EXPECT_EQ(p.Params()[0].Value().toInt(), 1);
  p.Unprepare();
  FTrans.Commit();
  EXPECT_EQ(Valeur(FCnx, "select N_POSTE || '|' || C_ETAT_OF || '|' || DUREE_MN from SP_OF "
                         "where C_OF = 10").toString(),
            "1|1|75");
  Executer(FCnx, {"delete from SP_OF", "delete from SP_POSTE"});
}

TEST_F(NouvelleBase, PosteInconnuSignaleEnFrancais) {
  TProcedureStockee p;
  p.SetDatabase(&FCnx);
  p.SetTransaction(&FTrans);
  p.SetStoredProcName("SP_PLANIFIER");
  FTrans.AssurerActive();
  p.Prepare();
  p.Params()[1].SetAsInteger(10);
  p.Params()[2].SetAsInteger(42);
  for (int i = 3; i <= 6; ++i) p.Params()[i].SetAsDateTime(DateHeure::EncodeDate(2030, 1, 7));
  p.Params()[7].SetAsInteger(0);
  try {
    p.ExecProc();
    FAIL() << "un poste inconnu devait être refusé";
  } catch (const EErreurBase& e) {
    EXPECT_TRUE(e.Message().contains("Poste inconnu : 42.")) << e.Message().toStdString();
  }
  FTrans.Rollback();
}

// ---------------------------------------------------------------------------------------
// Events

class Evenements : public NouvelleBase {
 protected:
  void SetUp() override {
    NouvelleBase::SetUp();
    FEcouteur.SetDatabase(&FCnx);
    FEcouteur.SetEvents({"SP_ARTICLE", "SP_ATELIER", "SP_CLIENT", "SP_PLANNIFICATION",
                         "SP_POSTE_PLANIFICATION", "SP_RESPONSABLE", "SP_SAUVEGARDE",
                         "SP_TYPE_POSTE", "SP_OF", "SP_ESSAI", "SP_POSTE", "SP_ETAT_POSTE",
                         "SP_EQUIPE", "SP_CAL_POSTE", "SP_CAL_PART_POSTE", "SP_ETAT_CAL",
                         "SP_JOURNEE", "SP_JOUR_PARTICULIER", "SP_ETAT_OF"});
    QObject::connect(&FEcouteur, &TEcouteurEvenements::EventAlert,
                     [this](const QString& n) { FRecus << n; });
    FEcouteur.RegisterEvents();
  }
  void TearDown() override {
    FEcouteur.UnRegisterEvents();
    NouvelleBase::TearDown();
  }
  // Runs sql, commits and waits for the event; returns what arrived.
  bool Recu(const QString& chNom, const QStringList& sqls) {
    FRecus.clear();
    Executer(FCnx, sqls);
    return Attendre([&] { return FRecus.contains(chNom); });
  }
  // Nothing named chNom arrives within ms after sqls.
  bool Silence(const QString& chNom, const QStringList& sqls, bool bValider = true) {
    FRecus.clear();
    Executer(FCnx, sqls, bValider);
    Attendre([] { return false; }, 400);
    return !FRecus.contains(chNom);
  }
  TEcouteurEvenements FEcouteur;
  QStringList FRecus;
};

TEST_F(Evenements, ChaqueRelationSignaleSesChangements) {
  struct Cas {
    const char* evenement;
    QStringList sqls;
  };
  const Cas cas[] = {
      {"SP_ATELIER", {"insert into SP_ATELIER (C_ATELIER, LIB_ATELIER) values (1, 'A')"}},
      {"SP_TYPE_POSTE", {"insert into SP_TYPE_POSTE (C_TYPE_POSTE) values (1)"}},
      {"SP_ETAT_POSTE", {"update SP_ETAT_POSTE set LIB_ETAT_POSTE = 'Actif'"}},
      {"SP_POSTE", {"insert into SP_POSTE (N_POSTE, LIB_POSTE, C_ATELIER) values (1, 'L', 1)"}},
      {"SP_ETAT_CAL", {"insert into SP_ETAT_CAL (C_ETAT_CAL, EFFICACITE) values (1, 100)"}},
      {"SP_CAL_POSTE",
       {"insert into SP_CAL_POSTE (N_POSTE, C_JOUR, C_ETAT_CAL, H_DEBUT) values (1, 2, 1, '06:00')"}},
      {"SP_CAL_PART_POSTE",
       {"insert into SP_CAL_PART_POSTE (N_POSTE, DH_DEBUT, DH_FIN, C_ETAT_CAL) "
        "values (1, '2030-01-01', '2030-01-02', 1)"}},
      {"SP_JOURNEE", {"insert into SP_JOURNEE (C_JOUR, LIB_JOUR) values (8, 'Pont')"}},
      {"SP_EQUIPE",
       {"insert into SP_EQUIPE (C_JOUR, C_EQUIPE, HD_EQUIPE, HF_EQUIPE) values (2, 1, '06:00', '14:00')"}},
      {"SP_JOUR_PARTICULIER",
       {"insert into SP_JOUR_PARTICULIER (C_JOUR, DATE_JOUR) values (8, '2030-05-10')"}},
      {"SP_CLIENT", {"insert into SP_CLIENT (C_CLIENT, LIB_CLIENT) values (1, 'C')"}},
      {"SP_RESPONSABLE", {"insert into SP_RESPONSABLE (C_RESPONSABLE) values (1)"}},
      {"SP_ARTICLE", {"insert into SP_ARTICLE (C_ARTICLE, C_CLIENT) values (1, 1)"}},
      {"SP_ETAT_OF", {"update SP_ETAT_OF set LIB_ETAT_OF = LIB_ETAT_OF where C_ETAT_OF = 0"}},
      {"SP_OF", {"insert into SP_OF (C_OF, N_OF, C_ARTICLE) values (1, 'OF1', 1)"}},
      {"SP_OF", {"update SP_OF set DUREE_MN = 30 where C_OF = 1"}},
      {"SP_OF", {"delete from SP_OF where C_OF = 1"}},
      {"SP_ESSAI", {"insert into SP_ESSAI (C_ESSAI, N_ESSAI) values (2, 'E2')"}},
      {"SP_CLIENT", {"update SP_CLIENT set ACTIF = 0 where C_CLIENT = 1"}},
      {"SP_CAL_POSTE", {"delete from SP_POSTE where N_POSTE = 1"}},
  };
  for (const Cas& c : cas)
    EXPECT_TRUE(Recu(c.evenement, c.sqls)) << c.evenement << " après " << c.sqls.join("; ").toStdString();
  Executer(FCnx, {"delete from SP_ESSAI", "delete from SP_ARTICLE", "delete from SP_CLIENT",
                  "delete from SP_RESPONSABLE", "delete from SP_JOUR_PARTICULIER",
                  "delete from SP_EQUIPE", "delete from SP_JOURNEE where C_JOUR = 8",
                  "delete from SP_ETAT_CAL", "delete from SP_TYPE_POSTE", "delete from SP_ATELIER"});
}

TEST_F(Evenements, ChangementAnnuleNeSignaleRien) {
  EXPECT_TRUE(Silence("SP_ATELIER", {"insert into SP_ATELIER (C_ATELIER) values (9)"}, false));
}

TEST_F(Evenements, SauvegardeDuPlanningEtSauvegardeDeLaBase) {
  EXPECT_TRUE(Recu("SP_PLANNIFICATION", {"select * from SP_POST_PLANNIFICATION"}));
  EXPECT_TRUE(Recu("SP_SAUVEGARDE", {"execute procedure SP_ANNONCE_SAUVEGARDE"}));
}

TEST_F(Evenements, PostePlanificateurChange) {
  // Taking the right tells the others; asking, or taking it again, does not.
  EXPECT_TRUE(Recu("SP_POSTE_PLANIFICATION",
                   {"select * from SP_GESTION_POSTE_PLANIF('POSTE1', 1, -1)"}));
  EXPECT_TRUE(Silence("SP_POSTE_PLANIFICATION",
                      {"select * from SP_GESTION_POSTE_PLANIF('POSTE2', 1, -2)",
                       "select * from SP_GESTION_POSTE_PLANIF('POSTE1', 1, -1)",
                       "select * from SP_GESTION_POSTE_PLANIF('POSTE2', 1, -1)"}));
  EXPECT_TRUE(Recu("SP_POSTE_PLANIFICATION",
                   {"select * from SP_GESTION_POSTE_PLANIF('POSTE1', 1, 0)"}));
}

TEST_F(Evenements, UnPosteQuiSeDeconnecteRendLeDroitEtLeSignale) {
  TConnexion autre;
  autre.SetDatabaseName(FCnx.DatabaseName());
  autre.SetParams(kParams);
  autre.Open();
  Executer(autre, {"select * from SP_GESTION_POSTE_PLANIF('AUTRE', 1, -1)"});
  EXPECT_EQ(Valeur(FCnx, "select CHPOSTEPLANIF from SP_GESTION_POSTE_PLANIF('ICI', 1, -2)")
                .toString(),
            "AUTRE");
  FRecus.clear();
  autre.Close();
  EXPECT_TRUE(Attendre([&] { return FRecus.contains("SP_POSTE_PLANIFICATION"); }));
  EXPECT_EQ(Valeur(FCnx, "select BPEUTPLANIFIER from SP_GESTION_POSTE_PLANIF('ICI', 1, -2)")
                .toInt(),
            1);
}
