// The table model over a dataset, as grids use it.

#include "basetest.h"

#include "fb/jeumodifiable.h"
#include "fb/modelejeu.h"
#include "fb/sourcedonnees.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

class ModeleJeu : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    Sql({"CREATE TABLE SP_ARTICLE (C_ARTICLE INTEGER NOT NULL PRIMARY KEY, LIBELLE VARCHAR(30), "
         "E_PRIX DOUBLE PRECISION, CACHE INTEGER)",
         "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 600) DO BEGIN "
         "INSERT INTO SP_ARTICLE VALUES (:I, 'Article ' || :I, :I * 1000.5, 0); I = I + 1; END END"});
    jeu.SetDatabase(&FCnx);
    jeu.SetSelectSQL("SELECT C_ARTICLE, LIBELLE, E_PRIX, CACHE FROM SP_ARTICLE ORDER BY C_ARTICLE");
    jeu.SetModifySQL("UPDATE SP_ARTICLE SET LIBELLE = :LIBELLE, E_PRIX = :E_PRIX WHERE C_ARTICLE = :OLD_C_ARTICLE");
    source.SetDataSet(&jeu);
    modele.SetSource(&source);
  }

  TJeuModifiable jeu;
  TSourceDonnees source;
  TModeleJeu modele;
  QAbstractItemModelTester testeur{&modele, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ModeleJeu, ColumnsFollowVisibleFieldsAndTextsTheirFormats) {
  EXPECT_EQ(modele.columnCount(), 0);
  jeu.Open();
  EXPECT_EQ(modele.columnCount(), 4);
  jeu.FieldByName("CACHE").SetVisible(false);
  jeu.FieldByName("E_PRIX").SetDisplayFormat("#,##0.00");
  jeu.FieldByName("LIBELLE").SetDisplayLabel("Libellé");
  jeu.Refresh();
  ASSERT_EQ(modele.columnCount(), 3);
  EXPECT_EQ(modele.headerData(1, Qt::Horizontal).toString(), QString("Libellé"));
  EXPECT_EQ(modele.headerData(2, Qt::Horizontal).toString(), QString("E_PRIX"));
  EXPECT_EQ(modele.data(modele.index(0, 2)).toString(), QString("1 000,50"));
  EXPECT_EQ(modele.data(modele.index(0, 2), TModeleJeu::RoleValeur).toDouble(), 1000.5);
  EXPECT_EQ(modele.data(modele.index(0, 2), Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
  jeu.FieldByName("LIBELLE").OnGetText = [](TChamp& f, QString& s, bool bAffichage) {
    if (bAffichage) s = s.toUpper() + QString(" (%1)").arg(f.DataSet()->RecNo());
  };
  EXPECT_EQ(modele.data(modele.index(0, 1)).toString(), QString("ARTICLE 1 (1)"));
  EXPECT_EQ(modele.data(modele.index(0, 1), Qt::EditRole).toString(), QString("Article 1"));
  jeu.Close();
  EXPECT_EQ(modele.rowCount(), 0);
  EXPECT_EQ(modele.columnCount(), 0);
}

TEST_F(ModeleJeu, RowsComeInBatchesAndFromNavigation) {
  jeu.Open();
  EXPECT_EQ(modele.rowCount(), jeu.RecordCount());
  EXPECT_LT(modele.rowCount(), 600);
  ASSERT_TRUE(modele.canFetchMore({}));
  QSignalSpy insertions(&modele, &QAbstractItemModel::rowsInserted);
  modele.fetchMore({});
  EXPECT_EQ(insertions.size(), 1);
  EXPECT_EQ(modele.rowCount(), jeu.RecordCount());
  EXPECT_EQ(modele.data(modele.index(modele.rowCount() - 1, 0)).toInt(), modele.rowCount());
  jeu.Last();  // the dataset fetches the rest itself
  EXPECT_EQ(modele.rowCount(), 600);
  EXPECT_FALSE(modele.canFetchMore({}));
  EXPECT_EQ(modele.data(modele.index(599, 1)).toString(), QString("Article 600"));
}

TEST_F(ModeleJeu, EditingACellEditsTheRowAndShowsTheNewValue) {
  jeu.Open();
  modele.fetchMore({});
  QSignalSpy changes(&modele, &QAbstractItemModel::dataChanged);
  ASSERT_TRUE(modele.flags(modele.index(4, 1)) & Qt::ItemIsEditable);
  ASSERT_TRUE(modele.setData(modele.index(4, 1), QString("Nouveau")));
  EXPECT_EQ(jeu.RecNo(), 5);
  EXPECT_EQ(jeu.State(), TEtatJeu::dsEdit);
  EXPECT_FALSE(changes.isEmpty());
  EXPECT_EQ(modele.data(modele.index(4, 1)).toString(), QString("Nouveau"));
  ASSERT_TRUE(modele.setData(modele.index(4, 2), QString("12,5")));
  jeu.Post();
  FTrans.CommitRetaining();
  EXPECT_EQ(Valeur("SELECT LIBELLE || ' ' || E_PRIX FROM SP_ARTICLE WHERE C_ARTICLE = 5").toString(),
            QString("Nouveau 12.50000000000000"));
  // A read-only dataset gives read-only cells.
  TRequete q;
  q.SetDatabase(&FCnx);
  q.SetSQL("SELECT C_ARTICLE FROM SP_ARTICLE");
  TSourceDonnees s2;
  s2.SetDataSet(&q);
  TModeleJeu m2;
  m2.SetSource(&s2);
  q.Open();
  EXPECT_FALSE(m2.flags(m2.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(ModeleJeu, InsertAndDeleteResetTheRows) {
  jeu.SetInsertSQL("INSERT INTO SP_ARTICLE (C_ARTICLE, LIBELLE) VALUES (:C_ARTICLE, :LIBELLE)");
  jeu.SetDeleteSQL("DELETE FROM SP_ARTICLE WHERE C_ARTICLE = :OLD_C_ARTICLE");
  jeu.Open();
  jeu.Insert();
  EXPECT_EQ(modele.rowCount(), jeu.RecordCount());
  jeu.FieldByName("C_ARTICLE").SetAsInteger(1000);
  EXPECT_EQ(modele.data(modele.index(0, 0)).toString(), QString("1000"));
  EXPECT_EQ(modele.data(modele.index(1, 0)).toString(), QString("1"));
  jeu.Cancel();
  EXPECT_EQ(modele.rowCount(), jeu.RecordCount());
  EXPECT_EQ(modele.data(modele.index(0, 0)).toString(), QString("1"));
  jeu.Delete();
  EXPECT_EQ(modele.rowCount(), jeu.RecordCount());
  EXPECT_EQ(modele.data(modele.index(0, 0)).toInt(), 2);
}

}  // namespace
