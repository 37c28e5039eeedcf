// Connection and transactions against a real embedded database.

#include "basetest.h"

#include "fb/requete.h"

#include <QFile>

namespace {

class Connexion : public BaseTest {};

TEST_F(Connexion, CloseThenOpenAgainKeepsCommittedDataOnly) {
  Sql({"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NOM VARCHAR(20))"});
  TRequete q;
  q.SetDatabase(&FCnx);
  q.SetSQL("INSERT INTO T VALUES (:ID, :NOM)");
  q.ParamByName("ID").SetAsInteger(1);
  q.ParamByName("NOM").SetAsString("gardé");
  q.ExecSQL();
  FTrans.Commit();
  q.ParamByName("ID").SetAsInteger(2);
  q.ParamByName("NOM").SetAsString("perdu");
  q.ExecSQL();
  ASSERT_TRUE(FTrans.InTransaction());
  FCnx.Close();  // what was not committed is rolled back
  EXPECT_FALSE(FCnx.Connected());
  EXPECT_FALSE(FTrans.InTransaction());
  FCnx.Open();
  EXPECT_EQ(Valeur("SELECT COUNT(*) FROM T").toInt(), 1);
  EXPECT_EQ(Valeur("SELECT NOM FROM T").toString(), QString("gardé"));
}

TEST_F(Connexion, MissingFileGivesIoErrorWithCodes) {
  TConnexion c;
  c.SetDatabaseName(FDir.filePath("absente.fdb"));
  c.SetParams(ParamsTest());
  try {
    c.Open();
    FAIL() << "no error";
  } catch (const EErreurBase& e) {
    EXPECT_EQ(e.CodeErreur(), CodesErreurBase::ErreurES);
    EXPECT_EQ(e.CodeErreur() & 0xFF, 24);  // the start-up classifies on the low byte
    EXPECT_NE(e.SqlCode(), 0);
    EXPECT_TRUE(e.Message().contains("absente.fdb")) << e.Message().toStdString();
  }
  EXPECT_FALSE(c.Connected());
  EXPECT_FALSE(QFile::exists(FDir.filePath("absente.fdb")));
}

TEST_F(Connexion, UnknownParameterIsRefusedBeforeAttaching) {
  TConnexion c;
  c.SetDatabaseName(FChemin);
  c.SetParams({"user_name=SYSDBA", "mot_de_passe=x"});
  EXPECT_THROW(c.Open(), EErreur);
  EXPECT_FALSE(c.Connected());
}

TEST_F(Connexion, SetParamAddsOrReplacesAndRoleIsAccepted) {
  Sql({"CREATE ROLE PLANIF", "GRANT PLANIF TO SYSDBA"});
  FCnx.Close();
  FCnx.SetParam("sql_role_name", "AUTRE");
  FCnx.SetParam("sql_role_name", "PLANIF");
  EXPECT_EQ(FCnx.Params().filter("sql_role_name").size(), 1);
  EXPECT_EQ(FCnx.Param("SQL_ROLE_NAME"), QString("PLANIF"));
  FCnx.Open();
  EXPECT_EQ(Valeur("SELECT TRIM(CURRENT_ROLE) FROM RDB$DATABASE").toString(), QString("PLANIF"));
  EXPECT_EQ(Valeur("SELECT TRIM(MON$CHARACTER_SET_ID) FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION").toInt(), 21);
}

class Transactions : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    Sql({"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, V INTEGER)", "INSERT INTO T VALUES (1, 10)"});
  }
  void MettreA(TTransaction& t, int v) {
    TRequete q;
    q.SetDatabase(&FCnx);
    q.SetTransaction(&t);
    q.SetSQL("UPDATE T SET V = :V WHERE ID = 1");
    q.ParamByName("V").SetAsInteger(v);
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 1);
  }
  int Lire(TTransaction& t) {
    TRequete q;
    q.SetDatabase(&FCnx);
    q.SetTransaction(&t);
    q.SetSQL("SELECT V FROM T WHERE ID = 1");
    q.Open();
    return q.Fields(0).AsInteger();
  }
};

TEST_F(Transactions, SeveralAtOnceSeeOnlyCommittedChanges) {
  TTransaction a, b;
  for (TTransaction* t : {&a, &b}) {
    t->SetDefaultDatabase(&FCnx);
    t->SetParams({"read_committed", "rec_version", "nowait"});
  }
  MettreA(a, 20);
  EXPECT_TRUE(a.InTransaction());
  EXPECT_EQ(Lire(b), 10);  // record version: b reads the committed value, no wait
  a.CommitRetaining();
  EXPECT_TRUE(a.InTransaction());
  EXPECT_EQ(Lire(b), 20);
  MettreA(a, 30);
  a.Rollback();
  EXPECT_FALSE(a.InTransaction());
  EXPECT_EQ(Lire(b), 20);
  b.Commit();
}

TEST_F(Transactions, NowaitConflictIsAnErrorAndKeepsBothTransactionsUsable) {
  TTransaction a, b;
  for (TTransaction* t : {&a, &b}) {
    t->SetDefaultDatabase(&FCnx);
    t->SetParams({"read_committed", "rec_version", "nowait"});
  }
  MettreA(a, 20);
  try {
    MettreA(b, 30);
    FAIL() << "no conflict";
  } catch (const EErreurBase& e) {
    EXPECT_EQ(e.CodeErreur(), CodesErreurBase::MiseAJourConflit) << e.Message().toStdString();
    EXPECT_TRUE(e.ContientCode(CodesErreurBase::ConflitVerrou) || e.ContientCode(335544878)) << e.Codes().size();
  }
  EXPECT_TRUE(b.InTransaction());
  a.Commit();
  b.Rollback();
  EXPECT_EQ(Valeur("SELECT V FROM T").toInt(), 20);
}

TEST_F(Transactions, HardCommitClosesItsDatasetsRetainingKeepsThem) {
  TRequete q;
  q.SetDatabase(&FCnx);
  q.SetSQL("SELECT ID FROM T");
  q.Open();
  FTrans.CommitRetaining();
  EXPECT_TRUE(q.Active());
  FTrans.Commit();
  EXPECT_FALSE(q.Active());
  q.Open();  // starts the transaction again
  EXPECT_TRUE(FTrans.InTransaction());
  EXPECT_EQ(q.Fields(0).AsInteger(), 1);
}

TEST_F(Transactions, MisuseIsAnErrorNotACrash) {
  TTransaction t;
  EXPECT_THROW(t.StartTransaction(), EErreur);  // no connection
  t.SetDefaultDatabase(&FCnx);
  EXPECT_THROW(t.Commit(), EErreur);  // not active
  t.SetParams({"read_committed", "sans_attente"});
  EXPECT_THROW(t.StartTransaction(), EErreur);
  t.SetParams({"wait"});
  t.StartTransaction();
  EXPECT_THROW(t.StartTransaction(), EErreur);
  t.Rollback();
}

}  // namespace
