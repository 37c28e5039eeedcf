// Two workstations through a real local server on loopback (started by the test fixture),
// and the errors that only a server gives.

#include "basetest.h"

#include "fb/ecouteurevenements.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

QString LireFichier(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(f.readAll()).trimmed();
}

class Serveur : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    FDir = qEnvironmentVariable("FB_SERVEUR_DIR", FB_SERVEUR_DIR);
    FPort = LireFichier(FDir + "/port");
    FMotDePasse = LireFichier(FDir + "/password");
    ASSERT_FALSE(FPort.isEmpty()) << "no server in " << FDir.toStdString() << ": run through ctest";
    const QString nom = QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
    FBase = "127.0.0.1/" + FPort + ":" + QDir(FDir).absoluteFilePath("data/" + nom + ".fdb");
    QFile::remove(QDir(FDir).absoluteFilePath("data/" + nom + ".fdb"));
    FCnx.SetDatabaseName(FBase);
    FCnx.SetParams(Params(FMotDePasse));
    FCnx.CreateDatabase();
  }

  void TearDown() override {
    try {
      if (!FCnx.Connected()) FCnx.Open();
      FCnx.DropDatabase();
    } catch (const EErreur&) {
    }
  }

  static QStringList Params(const QString& mdp) {
    return {"user_name=SYSDBA", "password=" + mdp, "lc_ctype=ISO8859_1"};
  }

  int Script(const QString& action) {
    return QProcess::execute("bash", {FB_SCRIPT_SERVEUR, action, FDir});
  }

  // The other workstation: a separate process.
  void Poster(const QStringList& actions) {
    QProcess p;
    p.start(FB_POSTEUR, QStringList{FBase, FMotDePasse} + actions);
    ASSERT_TRUE(p.waitForFinished(20000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  }

  QString FDir, FPort, FMotDePasse, FBase;
  TConnexion FCnx;
};

TEST_F(Serveur, WrongPasswordIsRefusedWithTheLoginCode) {
  TConnexion c;
  c.SetDatabaseName(FBase);
  c.SetParams(Params("mauvais"));
  try {
    c.Open();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_EQ(e.CodeErreur(), CodesErreurBase::LoginRefuse);
    EXPECT_EQ(e.CodeErreur() & 0xFF, 152);
  }
  EXPECT_FALSE(c.Connected());
}

TEST_F(Serveur, ServerNotRunningIsANetworkError) {
  TConnexion c;
  c.SetDatabaseName("127.0.0.1/1:" + FDir + "/data/x.fdb");
  c.SetParams(Params(FMotDePasse));
  try {
    c.Open();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_EQ(e.CodeErreur(), CodesErreurBase::ErreurReseau);
    EXPECT_EQ(e.CodeErreur() & 0xFF, 145);
    EXPECT_TRUE(e.ConnexionPerdue());
  }
}

TEST_F(Serveur, ACommitOnOneWorkstationReachesTheOtherARollbackDoesNot) {
  TEcouteurEvenements ecouteur;
  ecouteur.SetDatabase(&FCnx);
  ecouteur.SetEvents({"SP_PLANNIFICATION", "SP_MARQUE"});
  QStringList recus;
  QObject::connect(&ecouteur, &TEcouteurEvenements::EventAlert, [&](const QString& n) { recus << n; });
  ecouteur.RegisterEvents();

  Poster({"rollback:SP_PLANNIFICATION", "commit:SP_MARQUE"});
  ASSERT_TRUE(Attendre([&] { return recus.contains("SP_MARQUE"); }, 10000));
  Attendre([] { return false; }, 300);
  EXPECT_EQ(recus, QStringList({"SP_MARQUE"}));

  recus.clear();
  Poster({"commit:SP_PLANNIFICATION"});
  ASSERT_TRUE(Attendre([&] { return !recus.isEmpty(); }, 10000));
  EXPECT_EQ(recus, QStringList({"SP_PLANNIFICATION"}));
}

TEST_F(Serveur, ListenerRegistersAgainAfterAServerRestart) {
  TEcouteurEvenements ecouteur;
  ecouteur.SetDatabase(&FCnx);
  ecouteur.SetEvents({"SP_PLANNIFICATION"});
  ecouteur.SetIntervalleSurveillance(100);
  int pertes = 0, retablies = 0;
  QStringList recus;
  QObject::connect(&ecouteur, &TEcouteurEvenements::EventAlert, [&](const QString& n) { recus << n; });
  QObject::connect(&ecouteur, &TEcouteurEvenements::ConnexionPerdue, [&] { ++pertes; });
  QObject::connect(&ecouteur, &TEcouteurEvenements::ConnexionRetablie, [&] { ++retablies; });
  ecouteur.RegisterEvents();

  ASSERT_EQ(Script("stop"), 0);
  ASSERT_TRUE(Attendre([&] { return pertes == 1; }, 10000));
  EXPECT_TRUE(ecouteur.EnAttente());
  Attendre([] { return false; }, 300);  // attempts fail quietly while the server is down
  EXPECT_EQ(retablies, 0);
  ASSERT_EQ(Script("start"), 0);
  ASSERT_TRUE(Attendre([&] { return retablies == 1; }, 10000));
  EXPECT_EQ(pertes, 1);
  EXPECT_TRUE(ecouteur.Registered());
  EXPECT_FALSE(ecouteur.EnAttente());

  Poster({"commit:SP_PLANNIFICATION"});
  ASSERT_TRUE(Attendre([&] { return !recus.isEmpty(); }, 10000));
  EXPECT_EQ(recus, QStringList({"SP_PLANNIFICATION"}));

  // The main connection died with the server: closing it is quiet, opening again works.
  FCnx.Close();
  EXPECT_FALSE(FCnx.Connected());
  FCnx.Open();
  EXPECT_TRUE(FCnx.Connected());
}

TEST_F(Serveur, QueryOnALostConnectionIsAnErrorNotACrash) {
  TTransaction t;
  t.SetDefaultDatabase(&FCnx);
  TRequete q;
  q.SetDatabase(&FCnx);
  q.SetTransaction(&t);
  q.SetSQL("SELECT 1 FROM RDB$DATABASE");
  q.Open();
  q.Close();
  FCnx.Ping();
  ASSERT_EQ(Script("stop"), 0);
  ASSERT_EQ(Script("start"), 0);
  try {
    FCnx.Ping();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_TRUE(e.ConnexionPerdue()) << e.CodeErreur() << " " << e.Message().toStdString();
  }
  try {
    q.Open();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_TRUE(e.ConnexionPerdue()) << e.CodeErreur() << " " << e.Message().toStdString();
  }
  FCnx.Close();
  FCnx.Open();
  q.Open();
  EXPECT_EQ(q.Fields(0).AsInteger(), 1);
}

}  // namespace
