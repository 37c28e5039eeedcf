// Updatable datasets: statements named after the columns, states, notifications, errors.

#include "basetest.h"

#include "fb/abandon.h"
#include "fb/jeumodifiable.h"
#include "fb/sourcedonnees.h"

namespace {

class JeuModifiable : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    Sql({"CREATE TABLE SP_CLIENT (C_CLIENT INTEGER NOT NULL PRIMARY KEY, NOM VARCHAR(6) NOT NULL, "
         "VILLE VARCHAR(30), MAJ INTEGER)",
         // The server fills MAJ: the refresh statement brings it back.
         "CREATE TRIGGER SP_CLIENT_MAJ FOR SP_CLIENT BEFORE INSERT OR UPDATE AS "
         "BEGIN NEW.MAJ = COALESCE(OLD.MAJ, 0) + 1; END",
         "INSERT INTO SP_CLIENT (C_CLIENT, NOM, VILLE) VALUES (1, 'Alain', 'Lyon')",
         "INSERT INTO SP_CLIENT (C_CLIENT, NOM, VILLE) VALUES (2, 'Berthe', 'Nancy')",
         "INSERT INTO SP_CLIENT (C_CLIENT, NOM, VILLE) VALUES (3, 'Cécile', 'Metz')"});
    jeu.setObjectName("IBClient");
    jeu.SetDatabase(&FCnx);
    jeu.SetSelectSQL("SELECT C_CLIENT, NOM, VILLE, MAJ FROM SP_CLIENT ORDER BY C_CLIENT");
    jeu.SetRefreshSQL("SELECT C_CLIENT, NOM, VILLE, MAJ FROM SP_CLIENT WHERE C_CLIENT = :C_CLIENT");
    jeu.SetInsertSQL("INSERT INTO SP_CLIENT (C_CLIENT, NOM, VILLE) VALUES (:C_CLIENT, :NOM, :VILLE)");
    jeu.SetModifySQL("UPDATE SP_CLIENT SET C_CLIENT = :C_CLIENT, NOM = :NOM, VILLE = :VILLE "
                     "WHERE C_CLIENT = :OLD_C_CLIENT");
    jeu.SetDeleteSQL("DELETE FROM SP_CLIENT WHERE C_CLIENT = :OLD_C_CLIENT");
  }

  // Rows as the database holds them after a commit, "key:name:city:maj".
  QStringList Base() {
    FTrans.CommitRetaining();
    TTransaction t;
    t.SetDefaultDatabase(&FCnx);
    TRequete q;
    q.SetDatabase(&FCnx);
    q.SetTransaction(&t);
    q.SetSQL("SELECT C_CLIENT, NOM, VILLE, MAJ FROM SP_CLIENT ORDER BY C_CLIENT");
    q.Open();
    QStringList l;
    for (; !q.Eof(); q.Next())
      l << QString("%1:%2:%3:%4").arg(q.Fields(0).AsString(), q.Fields(1).AsString(), q.Fields(2).AsString(),
                                      q.Fields(3).AsString());
    return l;
  }

  void Tracer() {
    auto n = [this](const char* nom) { return [this, nom](TJeuDonnees&) { trace << nom; }; };
    jeu.BeforeOpen = n("BeforeOpen");
    jeu.AfterOpen = n("AfterOpen");
    jeu.BeforeClose = n("BeforeClose");
    jeu.AfterClose = n("AfterClose");
    jeu.BeforeInsert = n("BeforeInsert");
    jeu.AfterInsert = n("AfterInsert");
    jeu.BeforeEdit = n("BeforeEdit");
    jeu.AfterEdit = n("AfterEdit");
    jeu.BeforePost = n("BeforePost");
    jeu.AfterPost = n("AfterPost");
    jeu.BeforeCancel = n("BeforeCancel");
    jeu.AfterCancel = n("AfterCancel");
    jeu.BeforeDelete = n("BeforeDelete");
    jeu.AfterDelete = n("AfterDelete");
    jeu.BeforeScroll = n("BeforeScroll");
    jeu.AfterScroll = n("AfterScroll");
    jeu.OnNewRecord = n("OnNewRecord");
  }

  TJeuModifiable jeu;
  QStringList trace;
};

TEST_F(JeuModifiable, InsertModifyAndDeleteReachTheDatabase) {
  jeu.Open();
  jeu.Append();
  EXPECT_EQ(jeu.State(), TEtatJeu::dsInsert);
  jeu.FieldByName("C_CLIENT").SetAsInteger(4);
  jeu.FieldByName("NOM").SetAsString("Dédé");
  jeu.Post();
  EXPECT_EQ(jeu.State(), TEtatJeu::dsBrowse);
  EXPECT_EQ(jeu.FieldByName("MAJ").AsInteger(), 1);  // brought back by the refresh
  EXPECT_EQ(jeu.RecordCount(), 4);
  EXPECT_EQ(Base().last(), QString("4:Dédé::1"));

  // Changing the key: the row is found by its previous value.
  ASSERT_TRUE(jeu.Locate("C_CLIENT", 2));
  jeu.Edit();
  jeu.FieldByName("C_CLIENT").SetAsInteger(20);
  jeu.FieldByName("VILLE").Clear();
  jeu.Post();
  EXPECT_EQ(jeu.FieldByName("MAJ").AsInteger(), 2);
  EXPECT_EQ(Base(), QStringList({"1:Alain:Lyon:1", "3:Cécile:Metz:1", "4:Dédé::1", "20:Berthe::2"}));

  ASSERT_TRUE(jeu.Locate("C_CLIENT", 1));
  jeu.Delete();
  EXPECT_EQ(jeu.FieldByName("C_CLIENT").AsInteger(), 20);  // the row that followed
  EXPECT_EQ(jeu.RecordCount(), 3);
  EXPECT_EQ(Base(), QStringList({"3:Cécile:Metz:1", "4:Dédé::1", "20:Berthe::2"}));
}

TEST_F(JeuModifiable, NotificationsComeInOrder) {
  Tracer();
  struct Cas {
    const char* nom;
    std::function<void()> action;
    QStringList attendu;
  };
  const Cas cas[] = {
      {"open", [&] { jeu.Open(); }, {"BeforeOpen", "AfterOpen", "AfterScroll"}},
      {"next", [&] { jeu.Next(); }, {"BeforeScroll", "AfterScroll"}},
      {"insert", [&] { jeu.Insert(); },
       {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
      {"post", [&] {
         jeu.FieldByName("C_CLIENT").SetAsInteger(9);
         jeu.FieldByName("NOM").SetAsString("Zoé");
         jeu.Post();
       }, {"BeforePost", "AfterPost"}},
      {"edit", [&] { jeu.Edit(); }, {"BeforeEdit", "AfterEdit"}},
      {"cancel", [&] { jeu.Cancel(); }, {"BeforeCancel", "AfterCancel"}},
      {"delete", [&] { jeu.Delete(); }, {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}},
      // Moving while editing posts first.
      {"edit+next", [&] {
         jeu.Edit();
         jeu.FieldByName("VILLE").SetAsString("Caen");
         jeu.Next();
       }, {"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
      {"close", [&] { jeu.Close(); }, {"BeforeClose", "AfterClose"}},
  };
  for (const Cas& c : cas) {
    trace.clear();
    c.action();
    EXPECT_EQ(trace, c.attendu) << c.nom;
  }
}

TEST_F(JeuModifiable, ARefusingHandlerLeavesTheDatasetAsItWas) {
  jeu.Open();
  jeu.FetchAll();
  jeu.BeforeInsert = [](TJeuDonnees&) { throw EAbandon(); };
  jeu.BeforeEdit = [](TJeuDonnees&) { throw EAbandon(); };
  jeu.BeforeDelete = [](TJeuDonnees&) { throw EAbandon(); };
  EXPECT_THROW(jeu.Insert(), EAbandon);
  EXPECT_THROW(jeu.Edit(), EAbandon);
  EXPECT_THROW(jeu.Delete(), EAbandon);
  EXPECT_EQ(jeu.State(), TEtatJeu::dsBrowse);
  EXPECT_EQ(jeu.RecordCount(), 3);
  EXPECT_EQ(Base().size(), 3);

  jeu.BeforeEdit = nullptr;
  jeu.Edit();
  jeu.FieldByName("NOM").SetAsString("Refus");
  jeu.BeforePost = [](TJeuDonnees&) { throw EAbandon(); };
  EXPECT_THROW(jeu.Post(), EAbandon);
  EXPECT_EQ(jeu.State(), TEtatJeu::dsEdit);
  EXPECT_EQ(jeu.FieldByName("NOM").AsString(), QString("Refus"));
  EXPECT_EQ(Base().first(), QString("1:Alain:Lyon:1"));
}

TEST_F(JeuModifiable, DuplicateKeyKeepsTheEditAndNothingStoredIsLost) {
  jeu.Open();
  jeu.Append();
  jeu.FieldByName("C_CLIENT").SetAsInteger(2);
  jeu.FieldByName("NOM").SetAsString("Dup");
  try {
    jeu.Post();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_EQ(e.CodeErreur(), CodesErreurBase::CleEnDouble);
    EXPECT_EQ(e.SqlCode(), -803);
  }
  EXPECT_EQ(jeu.State(), TEtatJeu::dsInsert);
  EXPECT_EQ(jeu.FieldByName("NOM").AsString(), QString("Dup"));
  jeu.FieldByName("C_CLIENT").SetAsInteger(5);
  jeu.Post();
  EXPECT_EQ(Base(), QStringList({"1:Alain:Lyon:1", "2:Berthe:Nancy:1", "3:Cécile:Metz:1", "5:Dup::1"}));
}

TEST_F(JeuModifiable, PostErrorHandlerMayAbortOrRetry) {
  jeu.Open();
  int appels = 0;
  TActionErreur reponse = TActionErreur::daAbort;
  jeu.OnPostError = [&](TJeuDonnees& j, const EErreur& e, TActionErreur& a) {
    ++appels;
    const auto* eb = dynamic_cast<const EErreurBase*>(&e);
    EXPECT_TRUE(eb && eb->CodeErreur() == CodesErreurBase::CleEnDouble);
    if (reponse == TActionErreur::daRetry) j.FieldByName("C_CLIENT").SetAsInteger(7);
    a = reponse;
  };
  jeu.Edit();
  jeu.FieldByName("C_CLIENT").SetAsInteger(3);  // already taken
  EXPECT_THROW(jeu.Post(), EAbandon);
  EXPECT_EQ(appels, 1);
  EXPECT_EQ(jeu.State(), TEtatJeu::dsEdit);
  reponse = TActionErreur::daRetry;
  jeu.Post();
  EXPECT_EQ(appels, 2);
  EXPECT_EQ(jeu.State(), TEtatJeu::dsBrowse);
  EXPECT_EQ(Base().last(), QString("7:Alain:Lyon:2"));
}

TEST_F(JeuModifiable, RequiredFieldsAreCheckedBeforeTheServer) {
  jeu.Open();
  EXPECT_TRUE(jeu.FieldByName("C_CLIENT").Required());
  EXPECT_TRUE(jeu.FieldByName("NOM").Required());
  EXPECT_FALSE(jeu.FieldByName("VILLE").Required());
  jeu.Insert();
  jeu.FieldByName("C_CLIENT").SetAsInteger(8);
  try {
    jeu.Post();
    FAIL();
  } catch (const EErreurBase&) {
    FAIL() << "reached the server";
  } catch (const EErreur& e) {
    EXPECT_TRUE(e.Message().contains("NOM"));
  }
  EXPECT_EQ(jeu.State(), TEtatJeu::dsInsert);
  // A text longer than the column is refused when typed, before anything is sent.
  EXPECT_THROW(jeu.FieldByName("NOM").SetAsString("Trop long"), EErreur);
  jeu.FieldByName("NOM").SetAsString("éééééé");  // six bytes in ISO8859_1
  jeu.Post();
  EXPECT_EQ(Base().last(), QString("8:éééééé::1"));
}

TEST_F(JeuModifiable, CancelRestoresAndCancellingAnInsertInAnEmptyDatasetLeavesItEmpty) {
  jeu.Open();
  jeu.Next();
  jeu.Edit();
  jeu.FieldByName("NOM").SetAsString("Xavier");
  EXPECT_TRUE(jeu.Modified());
  jeu.Cancel();
  EXPECT_EQ(jeu.FieldByName("NOM").AsString(), QString("Berthe"));
  EXPECT_EQ(jeu.RecNo(), 2);

  jeu.Close();
  jeu.SetSelectSQL("SELECT C_CLIENT, NOM, VILLE, MAJ FROM SP_CLIENT WHERE C_CLIENT > :MINI ORDER BY C_CLIENT");
  jeu.ParamByName("MINI").SetAsInteger(100);
  jeu.Open();
  ASSERT_TRUE(jeu.IsEmpty());
  jeu.Edit();  // on an empty dataset an edit is an insert
  EXPECT_EQ(jeu.State(), TEtatJeu::dsInsert);
  EXPECT_EQ(jeu.RecordCount(), 1);
  jeu.Cancel();
  EXPECT_TRUE(jeu.IsEmpty());
  EXPECT_TRUE(jeu.Eof());
  EXPECT_TRUE(jeu.Bof());
  EXPECT_EQ(jeu.State(), TEtatJeu::dsBrowse);
}

TEST_F(JeuModifiable, ARowChangedElsewhereIsNotOverwrittenSilently) {
  jeu.Open();
  jeu.Edit();
  jeu.FieldByName("VILLE").SetAsString("Brest");
  Sql({"UPDATE SP_CLIENT SET C_CLIENT = 10 WHERE C_CLIENT = 1"});  // another workstation
  EXPECT_THROW(jeu.Post(), EErreur);
  EXPECT_EQ(jeu.State(), TEtatJeu::dsEdit);
  EXPECT_EQ(jeu.FieldByName("VILLE").AsString(), QString("Brest"));
}

TEST_F(JeuModifiable, MissingStatementForbidsItsOperationOnly) {
  jeu.SetModifySQL("");
  jeu.SetDeleteSQL("");
  jeu.Open();
  EXPECT_TRUE(jeu.CanModify());
  EXPECT_THROW(jeu.Edit(), EErreur);
  EXPECT_THROW(jeu.Delete(), EErreur);
  jeu.Insert();
  jeu.FieldByName("C_CLIENT").SetAsInteger(6);
  jeu.FieldByName("NOM").SetAsString("Ok");
  jeu.Post();
  EXPECT_EQ(Base().size(), 4);
}

TEST_F(JeuModifiable, LocateAndBookmarks) {
  jeu.Open();
  struct Cas {
    QString champs;
    QVariant valeurs;
    TOptionsLocate options;
    int attendu;  // key found, 0 when not found
  } cas[] = {
      {"NOM", "berthe", {true, false}, 2},
      {"NOM", "berthe", {false, false}, 0},
      {"NOM", "Cé", {false, true}, 3},
      {"NOM", "Cé", {}, 0},
      {"NOM;VILLE", QVariantList{"Alain", "Lyon"}, {}, 1},
      {"NOM;VILLE", QVariantList{"Alain", "Metz"}, {}, 0},
      {"C_CLIENT", "3", {}, 3},
      {"VILLE", QVariant(), {}, 0},
  };
  for (const Cas& c : cas) {
    jeu.First();
    const bool trouve = jeu.Locate(c.champs, c.valeurs, c.options);
    EXPECT_EQ(trouve, c.attendu != 0) << c.champs.toStdString() << " " << c.valeurs.toString().toStdString();
    EXPECT_EQ(jeu.FieldByName("C_CLIENT").AsInteger(), c.attendu ? c.attendu : 1);  // unchanged when not found
  }
  EXPECT_THROW(jeu.Locate("INCONNU", 1), EErreur);

  jeu.Locate("C_CLIENT", 2);
  const TSignet s = jeu.Bookmark();
  jeu.Last();
  jeu.GotoBookmark(s);
  EXPECT_EQ(jeu.FieldByName("C_CLIENT").AsInteger(), 2);
  jeu.Delete();
  EXPECT_FALSE(jeu.BookmarkValid(s));
  EXPECT_THROW(jeu.GotoBookmark(s), EErreur);
}

TEST_F(JeuModifiable, SuspendedControlsHearNothingUntilResumed) {
  TSourceDonnees source;
  source.SetDataSet(&jeu);
  int changements = 0, etats = 0;
  QObject::connect(&source, &TSourceDonnees::DataChange, [&](TChamp*) { ++changements; });
  QObject::connect(&source, &TSourceDonnees::StateChange, [&] { ++etats; });
  jeu.Open();
  EXPECT_GT(changements, 0);
  changements = etats = 0;
  jeu.DisableControls();
  jeu.DisableControls();
  jeu.Next();
  jeu.Edit();
  jeu.FieldByName("VILLE").SetAsString("Pau");
  jeu.Post();
  jeu.EnableControls();
  EXPECT_TRUE(jeu.ControlsDisabled());
  EXPECT_EQ(changements, 0);
  jeu.EnableControls();
  EXPECT_FALSE(jeu.ControlsDisabled());
  EXPECT_EQ(changements, 1);  // one full change when resumed
  EXPECT_EQ(etats, 0);        // browsing before and after

  changements = 0;
  jeu.Edit();
  EXPECT_EQ(etats, 1);
  jeu.FieldByName("VILLE").SetAsString("Dax");
  EXPECT_EQ(changements, 1);
  jeu.Cancel();
}

TEST_F(JeuModifiable, DataSourceGathersPendingEditsBeforePost) {
  TSourceDonnees source;
  source.SetDataSet(&jeu);
  QObject::connect(&source, &TSourceDonnees::UpdateData, [&] { jeu.FieldByName("VILLE").SetAsString("Tours"); });
  jeu.Open();
  ASSERT_TRUE(source.Edit());
  jeu.Post();
  EXPECT_EQ(Base().first(), QString("1:Alain:Tours:2"));
  source.SetAutoEdit(false);
  EXPECT_FALSE(source.Edit());
}

TEST_F(JeuModifiable, RefreshReopensOnTheSamePosition) {
  jeu.Open();
  jeu.SetRecNo(3);
  Sql({"UPDATE SP_CLIENT SET VILLE = 'Nice' WHERE C_CLIENT = 3"});
  jeu.Refresh();
  EXPECT_EQ(jeu.RecNo(), 3);
  EXPECT_EQ(jeu.FieldByName("VILLE").AsString(), QString("Nice"));
  Sql({"UPDATE SP_CLIENT SET VILLE = 'Sète' WHERE C_CLIENT = 3"});
  jeu.RefreshRecord();
  EXPECT_EQ(jeu.FieldByName("VILLE").AsString(), QString("Sète"));
}

}  // namespace
