// Stored procedures prepared from their declared parameters.

#include "basetest.h"

#include "fb/procedurestockee.h"

namespace {

class Procedure : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    Sql({"CREATE TABLE POSTE (NOM VARCHAR(30) NOT NULL PRIMARY KEY, PLANIF INTEGER)",
         // Outputs declared after the inputs, in an order that differs from the alphabet.
         "CREATE PROCEDURE GESTION (CHNOMPOSTE VARCHAR(30), BPLANIFIER INTEGER) "
         "RETURNS (BPEUTPLANIFIER INTEGER, CHPOSTE VARCHAR(30)) AS "
         "BEGIN "
         "  IF (BPLANIFIER = -1) THEN UPDATE OR INSERT INTO POSTE VALUES (:CHNOMPOSTE, 1) MATCHING (NOM); "
         "  CHPOSTE = (SELECT FIRST 1 NOM FROM POSTE WHERE PLANIF = 1); "
         "  BPEUTPLANIFIER = IIF(CHPOSTE IS NULL OR CHPOSTE = :CHNOMPOSTE, 1, 0); "
         "  SUSPEND; "
         "END",
         "CREATE PROCEDURE VIDER (CHNOMPOSTE VARCHAR(30)) AS "
         "BEGIN DELETE FROM POSTE WHERE NOM = :CHNOMPOSTE; END",
         "CREATE PROCEDURE SANS_ENTREE RETURNS (IRESULT INTEGER) AS "
         "BEGIN IRESULT = 42; SUSPEND; END",
         "CREATE PROCEDURE SANS_SUSPEND RETURNS (IRESULT INTEGER) AS BEGIN IRESULT = 1; END"});
    sp.SetDatabase(&FCnx);
  }
  TProcedureStockee sp;
};

TEST_F(Procedure, OutputsFirstThenInputsAndTheTextItRunsWith) {
  sp.SetStoredProcName("GESTION");
  sp.Prepare();
  EXPECT_EQ(sp.Params().Names(), QStringList({"BPEUTPLANIFIER", "CHPOSTE", "CHNOMPOSTE", "BPLANIFIER"}));
  EXPECT_EQ(sp.NbSorties(), 2);
  EXPECT_EQ(sp.TexteExecution(), QString("SELECT * FROM GESTION(:CHNOMPOSTE, :BPLANIFIER);"));

  TProcedureStockee vider;
  vider.SetDatabase(&FCnx);
  vider.SetStoredProcName("vider");
  vider.Prepare();
  EXPECT_EQ(vider.TexteExecution(), QString("EXECUTE PROCEDURE VIDER(:CHNOMPOSTE);"));

  TProcedureStockee sans;
  sans.SetDatabase(&FCnx);
  sans.SetStoredProcName("SANS_ENTREE");
  sans.ExecProc();
  EXPECT_EQ(sans.TexteExecution(), QString("SELECT * FROM SANS_ENTREE;"));
  EXPECT_EQ(sans.ParamByName("IRESULT").AsInteger(), 42);
}

TEST_F(Procedure, ExecutionFillsTheOutputsAndWritesThroughItsTransaction) {
  sp.SetStoredProcName("GESTION");
  sp.Prepare();
  sp.ParamByName("CHNOMPOSTE").SetAsString("Poste-é");
  sp.ParamByName("BPLANIFIER").SetAsInteger(-1);
  sp.ExecProc();
  EXPECT_EQ(sp.Params()[0].AsInteger(), 1);
  EXPECT_EQ(sp.Params()[1].AsString(), QString("Poste-é"));
  FTrans.Commit();

  sp.ParamByName("CHNOMPOSTE").SetAsString("AUTRE");
  sp.ParamByName("BPLANIFIER").SetAsInteger(-2);
  sp.ExecProc();
  EXPECT_EQ(sp.ParamByName("BPEUTPLANIFIER").AsInteger(), 0);
  EXPECT_EQ(sp.ParamByName("CHPOSTE").AsString(), QString("Poste-é"));
  FTrans.Commit();

  TProcedureStockee vider;
  vider.SetDatabase(&FCnx);
  vider.SetStoredProcName("VIDER");
  vider.Prepare();
  vider.ParamByName("CHNOMPOSTE").SetAsString("Poste-é");
  vider.ExecProc();
  FTrans.Rollback();  // not kept
  EXPECT_EQ(Valeur("SELECT COUNT(*) FROM POSTE").toInt(), 1);
  vider.ExecProc();
  FTrans.Commit();
  EXPECT_EQ(Valeur("SELECT COUNT(*) FROM POSTE").toInt(), 0);
}

TEST_F(Procedure, OutputsWithoutSuspendAreReportedNotReadAsEmpty) {
  // Run through SELECT like every procedure with outputs: the server says it cannot be.
  sp.SetStoredProcName("SANS_SUSPEND");
  try {
    sp.ExecProc();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_TRUE(e.Message().contains("SUSPEND")) << e.Message().toStdString();
  }
}

TEST_F(Procedure, UnknownProcedureOrParameterIsAnError) {
  sp.SetStoredProcName("INCONNUE");
  EXPECT_THROW(sp.Prepare(), EErreur);
  EXPECT_FALSE(sp.Prepared());
  sp.SetStoredProcName("GESTION");
  sp.Prepare();
  EXPECT_THROW(sp.ParamByName("IRESULT"), EErreur);
}

TEST_F(Procedure, ClosingTheConnectionReleasesThePreparedStatement) {
  sp.SetStoredProcName("SANS_ENTREE");
  sp.Prepare();
  FCnx.Close();
  EXPECT_FALSE(sp.Prepared());
  FCnx.Open();
  sp.ExecProc();  // prepared again
  EXPECT_EQ(sp.ParamByName("IRESULT").AsInteger(), 42);
}

}  // namespace
