// Master and detail datasets; components owned by a parent and destroyed in any order.

#include "basetest.h"

#include "fb/ecouteurevenements.h"
#include "fb/jeumodifiable.h"
#include "fb/procedurestockee.h"
#include "fb/sourcedonnees.h"

namespace {

class Cycle : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    Sql({"CREATE TABLE SP_POSTE (N_POSTE INTEGER NOT NULL PRIMARY KEY, DEPUIS DATE)",
         "CREATE TABLE SP_CAL_POSTE (N_POSTE INTEGER NOT NULL, JOUR DATE NOT NULL, PRIMARY KEY (N_POSTE, JOUR))",
         "INSERT INTO SP_POSTE VALUES (1, '2024-01-01')", "INSERT INTO SP_POSTE VALUES (2, '2024-03-01')",
         "INSERT INTO SP_CAL_POSTE VALUES (1, '2024-01-01')", "INSERT INTO SP_CAL_POSTE VALUES (1, '2024-01-02')",
         "INSERT INTO SP_CAL_POSTE VALUES (2, '2024-02-01')", "INSERT INTO SP_CAL_POSTE VALUES (2, '2024-03-01')",
         "INSERT INTO SP_CAL_POSTE VALUES (2, '2024-03-02')",
         "CREATE PROCEDURE P RETURNS (X INTEGER) AS BEGIN X = 1; SUSPEND; END"});
  }
};

TEST_F(Cycle, DetailFollowsTheMasterRowWithTypedParameters) {
  TRequete maitre, detail;
  for (TRequete* q : {&maitre, &detail}) q->SetDatabase(&FCnx);
  maitre.SetSQL("SELECT N_POSTE, DEPUIS FROM SP_POSTE ORDER BY N_POSTE");
  TSourceDonnees source;
  source.SetDataSet(&maitre);
  detail.SetMasterSource(&source);
  // The date parameter takes the master's date as a date.
  detail.SetSQL("SELECT JOUR FROM SP_CAL_POSTE WHERE N_POSTE = :N_POSTE AND JOUR >= :DEPUIS ORDER BY JOUR");
  maitre.Open();
  detail.Open();
  detail.FetchAll();
  EXPECT_EQ(detail.RecordCount(), 2);
  maitre.Next();
  ASSERT_TRUE(detail.Active());
  detail.FetchAll();
  EXPECT_EQ(detail.RecordCount(), 2);  // 2024-02-01 is before DEPUIS
  EXPECT_EQ(detail.Fields(0).DisplayText(), QString("01/03/2024"));
  maitre.Close();
  EXPECT_FALSE(detail.Active());
}

TEST_F(Cycle, OwnerDestroysTheConnectionBeforeItsDatasets) {
  auto* module = new QObject;
  // Created in the order a data module creates them: the connection first, so that it is
  // also destroyed first.
  auto* cnx = new TConnexion(module);
  auto* trans = new TTransaction(module);
  auto* jeu = new TJeuModifiable(module);
  auto* sp = new TProcedureStockee(module);
  auto* source = new TSourceDonnees(module);
  auto* ecouteur = new TEcouteurEvenements(module);
  cnx->SetDatabaseName(FChemin);
  cnx->SetParams(ParamsTest());
  cnx->Open();
  trans->SetDefaultDatabase(cnx);
  cnx->SetDefaultTransaction(trans);
  jeu->SetDatabase(cnx);
  jeu->SetSelectSQL("SELECT N_POSTE FROM SP_POSTE");
  jeu->SetModifySQL("UPDATE SP_POSTE SET N_POSTE = :N_POSTE WHERE N_POSTE = :OLD_N_POSTE");
  source->SetDataSet(jeu);
  sp->SetDatabase(cnx);
  sp->SetStoredProcName("P");
  sp->ExecProc();
  ecouteur->SetDatabase(cnx);
  ecouteur->SetEvents({"SP_POSTE"});
  ecouteur->RegisterEvents();
  jeu->Open();
  jeu->Edit();
  jeu->Fields(0).SetAsInteger(5);
  delete module;  // nothing posted, nothing crashes
  EXPECT_EQ(Valeur("SELECT MAX(N_POSTE) FROM SP_POSTE").toInt(), 2);
}

TEST_F(Cycle, DatasetsOutliveTheirTransaction) {
  TRequete q;
  q.SetDatabase(&FCnx);
  {
    TTransaction t;
    t.SetDefaultDatabase(&FCnx);
    q.SetTransaction(&t);
    q.SetSQL("SELECT N_POSTE FROM SP_POSTE");
    q.Open();
  }
  EXPECT_FALSE(q.Active());
  EXPECT_EQ(q.Transaction(), &FTrans);  // back to the connection's default
  q.Open();
  EXPECT_TRUE(q.Active());
}

}  // namespace
