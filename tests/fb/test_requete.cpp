// Read-only queries: named parameters, typed values, navigation, errors.

#include "basetest.h"

#include "fb/requete.h"

#include <cmath>

namespace {

class Requete : public BaseTest {
 protected:
  void SetUp() override {
    BaseTest::SetUp();
    Sql({"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, PETIT SMALLINT, GRAND BIGINT, "
         "MONTANT NUMERIC(15,2), TAUX DOUBLE PRECISION, NOM VARCHAR(5), CODE CHAR(4), "
         "JOUR DATE, HEURE TIME, MOMENT TIMESTAMP, ACTIF BOOLEAN, NOTE BLOB SUB_TYPE TEXT)"});
    q.SetDatabase(&FCnx);
  }

  void Inserer(int id, int n = 1) {
    TRequete ins;
    ins.SetDatabase(&FCnx);
    ins.SetSQL("INSERT INTO T (ID, NOM) VALUES (:ID, :NOM)");
    for (int i = 0; i < n; ++i) {
      ins.ParamByName("ID").SetAsInteger(id + i);
      ins.ParamByName("NOM").SetAsString(QString("n%1").arg(id + i));
      ins.ExecSQL();
    }
    FTrans.Commit();
  }

  TRequete q;
};

TEST_F(Requete, EveryTypeMakesTheRoundTripThroughParametersAndFields) {
  const TDateTime jour = DateHeure::EncodeDate(2024, 2, 29);
  const TDateTime heure = DateHeure::EncodeTime(13, 45, 30);
  const TDateTime moment = DateHeure::EncodeDateHeure(1999, 12, 31, 23, 59, 58);
  TRequete ins;
  ins.SetDatabase(&FCnx);
  ins.SetSQL("INSERT INTO T VALUES (:ID, :PETIT, :GRAND, :MONTANT, :TAUX, :NOM, :CODE, :JOUR, "
             ":HEURE, :MOMENT, :ACTIF, :NOTE)");
  ins.ParamByName("ID").SetAsInteger(1);
  ins.ParamByName("PETIT").SetAsInteger(-7);
  ins.ParamByName("GRAND").SetAsLargeInt(9000000000LL);
  ins.ParamByName("MONTANT").SetAsDouble(1234.56);
  ins.ParamByName("TAUX").SetAsDouble(0.125);
  ins.ParamByName("NOM").SetAsString("ééàçÿ");  // five characters, five bytes in ISO8859_1
  ins.ParamByName("CODE").SetAsString("AB");
  ins.ParamByName("JOUR").SetAsDate(jour);
  ins.ParamByName("HEURE").SetAsTime(heure);
  ins.ParamByName("MOMENT").SetAsDateTime(moment);
  ins.ParamByName("ACTIF").SetAsBoolean(true);
  ins.ParamByName("NOTE").SetAsString(QString("Texte long : ") + QString(5000, QChar(0xE9)));
  ins.ExecSQL();
  EXPECT_EQ(ins.RowsAffected(), 1);
  ins.ParamByName("ID").SetAsInteger(2);
  for (int i = 1; i < ins.ParamCount(); ++i) ins.Params()[i].Clear();
  ins.ExecSQL();
  FTrans.Commit();

  q.SetSQL("SELECT * FROM T ORDER BY ID");
  q.Open();
  EXPECT_EQ(q.FieldByName("PETIT").AsInteger(), -7);
  EXPECT_EQ(q.FieldByName("GRAND").AsLargeInt(), 9000000000LL);
  EXPECT_DOUBLE_EQ(q.FieldByName("MONTANT").AsDouble(), 1234.56);
  EXPECT_EQ(q.FieldByName("MONTANT").DataType(), TTypeChamp::ftBCD);
  EXPECT_DOUBLE_EQ(q.FieldByName("TAUX").AsDouble(), 0.125);
  EXPECT_EQ(q.FieldByName("NOM").AsString(), QString("ééàçÿ"));
  EXPECT_EQ(q.FieldByName("NOM").Size(), 5);
  EXPECT_EQ(q.FieldByName("CODE").AsString(), QString("AB"));  // padding removed
  EXPECT_DOUBLE_EQ(q.FieldByName("JOUR").AsDateTime(), jour);
  EXPECT_NEAR(q.FieldByName("HEURE").AsDateTime(), heure, 1e-9);
  EXPECT_NEAR(q.FieldByName("MOMENT").AsDateTime(), moment, 1e-9);
  EXPECT_EQ(q.FieldByName("JOUR").DisplayText(), QString("29/02/2024"));
  EXPECT_TRUE(q.FieldByName("ACTIF").AsBoolean());
  EXPECT_EQ(q.FieldByName("NOTE").AsString().size(), 5013);
  EXPECT_EQ(q.FieldByName("NOTE").AsString().right(1), QString(QChar(0xE9)));
  for (int i = 0; i < q.FieldCount(); ++i) EXPECT_FALSE(q.Fields(i).IsNull()) << i;
  q.Next();
  for (int i = 1; i < q.FieldCount(); ++i) {
    EXPECT_TRUE(q.Fields(i).IsNull()) << i;
    EXPECT_EQ(q.Fields(i).AsInteger(), 0) << i;
    EXPECT_EQ(q.Fields(i).AsString(), QString()) << i;
  }
  // The server sees the dates as dates, not as numbers.
  EXPECT_EQ(Valeur("SELECT CAST(JOUR AS VARCHAR(10)) FROM T WHERE ID = 1").toString(), QString("2024-02-29"));
  EXPECT_EQ(Valeur("SELECT CAST(MOMENT AS VARCHAR(24)) FROM T WHERE ID = 1").toString(), QString("1999-12-31 23:59:58.0000"));
}

TEST_F(Requete, WindowsWesternCharactersSurviveOthersAreRefused) {
  TRequete ins;
  ins.SetDatabase(&FCnx);
  ins.SetSQL("INSERT INTO T (ID, NOTE) VALUES (:ID, :NOTE)");
  const QString texte = QString::fromUtf8("5 € – “Œuvre” l’été Ÿ");
  ins.ParamByName("ID").SetAsInteger(1);
  ins.ParamByName("NOTE").SetAsString(texte);
  ins.ExecSQL();
  ins.ParamByName("ID").SetAsInteger(2);
  ins.ParamByName("NOTE").SetAsString(QString::fromUtf8("Tokyo 東京"));
  EXPECT_THROW(ins.ExecSQL(), EErreur);  // refused, not stored as "?"
  FTrans.Commit();
  EXPECT_EQ(Valeur("SELECT CAST(NOTE AS VARCHAR(100)) FROM T").toString(), texte);
  // One byte per character in the database, the euro sign as 0x80.
  EXPECT_EQ(Valeur("SELECT OCTET_LENGTH(CAST(NOTE AS VARCHAR(100))) FROM T").toInt(), texte.size());
  EXPECT_EQ(Valeur("SELECT ASCII_VAL(SUBSTRING(CAST(NOTE AS VARCHAR(100)) FROM 3 FOR 1)) FROM T").toInt(), 0x80);
  EXPECT_EQ(Valeur("SELECT COUNT(*) FROM T").toInt(), 1);
}

TEST_F(Requete, TextTooLongForTheColumnIsAServerErrorAndNothingIsStored) {
  TRequete ins;
  ins.SetDatabase(&FCnx);
  ins.SetSQL("INSERT INTO T (ID, NOM) VALUES (1, :NOM)");
  ins.ParamByName("NOM").SetAsString("éééééé");
  try {
    ins.ExecSQL();
    FAIL();
  } catch (const EErreurBase& e) {
    EXPECT_EQ(e.SqlCode(), -303);  // string truncation
    EXPECT_TRUE(e.Message().contains("truncation"));
  }
  FTrans.Commit();
  EXPECT_EQ(Valeur("SELECT COUNT(*) FROM T").toInt(), 0);
}

TEST_F(Requete, NamedParametersRepeatedQuotedOrInCommentsAreHandled) {
  Inserer(1, 5);
  q.SetSQL("SELECT ID, ':PASUN' AS LIT FROM T /* :NONPLUS */ WHERE ID >= :BORNE -- :JAMAIS\n"
           " AND ID <= :BORNE + 1 AND NOM <> :nom ORDER BY ID");
  EXPECT_EQ(q.Params().Names(), QStringList({"BORNE", "NOM"}));
  q.ParamByName("borne").SetAsInteger(2);
  q.ParamByName("NOM").SetAsString("n3");
  q.Open();
  q.FetchAll();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("ID").AsInteger(), 2);
  EXPECT_EQ(q.FieldByName("LIT").AsString(), QString(":PASUN"));
  EXPECT_THROW(q.ParamByName("JAMAIS"), EErreur);
  // Changing a value and reopening reads again.
  q.Close();
  q.ParamByName("BORNE").SetAsString("4");  // text converted by the server
  q.Open();
  q.FetchAll();
  EXPECT_EQ(q.RecordCount(), 2);
  // A text with a quote is a value, never SQL.
  q.Close();
  q.ParamByName("NOM").SetAsString("n2'--");
  q.ParamByName("BORNE").SetAsInteger(1);
  q.Open();
  q.FetchAll();
  EXPECT_EQ(q.RecordCount(), 2);  // rows 1 and 2: "n2'--" differs from "n2"

}

TEST_F(Requete, NavigationFetchesOnDemandAndTracksEnds) {
  Inserer(1, 50);
  q.SetSQL("SELECT ID FROM T ORDER BY ID");
  int defilements = 0;
  q.AfterScroll = [&](TJeuDonnees&) { ++defilements; };
  q.Open();
  EXPECT_EQ(defilements, 1);
  EXPECT_TRUE(q.Bof());
  EXPECT_FALSE(q.Eof());
  EXPECT_FALSE(q.ToutLu());
  EXPECT_LT(q.RecordCount(), 50);  // fetched as needed
  int n = 0, somme = 0;
  for (q.First(); !q.Eof(); q.Next()) {
    ++n;
    somme += q.FieldByName("ID").AsInteger();
  }
  EXPECT_EQ(n, 50);
  EXPECT_EQ(somme, 50 * 51 / 2);
  EXPECT_EQ(q.RecordCount(), 50);
  EXPECT_EQ(q.RecNo(), 50);  // Next at the end stays on the last row
  q.Prior();
  EXPECT_EQ(q.Fields(0).AsInteger(), 49);
  EXPECT_FALSE(q.Eof());
  q.First();
  q.Prior();
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.RecNo(), 1);
  q.SetRecNo(10);
  EXPECT_EQ(q.Fields(0).AsInteger(), 10);
  EXPECT_THROW(q.SetRecNo(51), EErreur);
  q.Last();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.Fields(0).AsInteger(), 50);
  EXPECT_EQ(q.MoveBy(-5), -5);
  EXPECT_EQ(q.Fields(0).AsInteger(), 45);
}

TEST_F(Requete, EmptyResultIsBofAndEof) {
  q.SetSQL("SELECT ID FROM T");
  q.Open();
  EXPECT_TRUE(q.IsEmpty());
  EXPECT_TRUE(q.Eof());
  EXPECT_TRUE(q.Bof());
  EXPECT_EQ(q.RecNo(), 0);
  EXPECT_TRUE(q.Fields(0).IsNull());
  q.Next();
  EXPECT_TRUE(q.Eof());
}

TEST_F(Requete, ReadOnlyQueryRefusesEditing) {
  Inserer(1);
  q.SetSQL("SELECT ID FROM T");
  q.Open();
  EXPECT_FALSE(q.CanModify());
  EXPECT_THROW(q.Edit(), EErreur);
  EXPECT_THROW(q.Insert(), EErreur);
  EXPECT_THROW(q.Delete(), EErreur);
  EXPECT_THROW(q.Fields(0).SetAsInteger(2), EErreur);
  EXPECT_EQ(q.State(), TEtatJeu::dsBrowse);
}

TEST_F(Requete, ErrorsOfTheServerComeWithTheirCodes) {
  Inserer(1);
  struct Cas {
    QString sql;
    qint64 code;
    int sqlcode;
  };
  const Cas cas[] = {
      {"INSERT INTO T (ID) VALUES (1)", CodesErreurBase::CleEnDouble, -803},
      {"SELECT NOPE FROM T", 335544569, -206},
      {"SELECT * FROM PAS_DE_TABLE", 335544569, -204},
  };
  for (const Cas& c : cas) {
    TRequete r;
    r.SetDatabase(&FCnx);
    r.SetSQL(c.sql);
    try {
      if (c.sql.startsWith("SELECT")) r.Open();
      else r.ExecSQL();
      ADD_FAILURE() << c.sql.toStdString();
    } catch (const EErreurBase& e) {
      EXPECT_EQ(e.CodeErreur(), c.code) << c.sql.toStdString();
      EXPECT_EQ(e.SqlCode(), c.sqlcode) << c.sql.toStdString();
      EXPECT_FALSE(e.Message().isEmpty());
    }
    EXPECT_FALSE(r.Active());
  }
  FTrans.Commit();
  EXPECT_EQ(Valeur("SELECT NOM FROM T WHERE ID = 1").toString(), QString("n1"));
}

TEST_F(Requete, FieldsByNameAndUnknownField) {
  Inserer(1);
  q.SetSQL("SELECT ID, NOM AS LIBELLE FROM T");
  q.Open();
  EXPECT_EQ(q.FieldNames(), QStringList({"ID", "LIBELLE"}));
  EXPECT_EQ(q.FieldByName("libelle").AsString(), QString("n1"));
  EXPECT_EQ(q.FindField("NOM"), nullptr);
  EXPECT_THROW(q.FieldByName("NOM"), EErreur);
  EXPECT_THROW(q.Fields(2), EErreur);
}

TEST_F(Requete, DatasetsOnAClosedConnectionReportInsteadOfCrashing) {
  q.SetSQL("SELECT ID FROM T");
  q.Open();
  FCnx.Close();
  EXPECT_FALSE(q.Active());
  EXPECT_THROW(q.Open(), EErreur);
  TRequete sansBase;
  sansBase.SetSQL("SELECT 1 FROM RDB$DATABASE");
  EXPECT_THROW(sansBase.Open(), EErreur);
}

TEST(FormatNombre, FrenchSeparatorsAndPatterns) {
  struct Cas {
    const char* format;
    double v;
    const char* attendu;
  } cas[] = {
      {"#,##0.00", 1234567.891, "1 234 567,89"},
      {"#,##0.00", -0.5, "-0,50"},
      {"#,##0.00", 0, "0,00"},
      {"0.##", 2.5, "2,5"},
      {"0", 2.5, "3"},
      {"#,##0.00 €", 12, "12,00 €"},
  };
  for (const Cas& c : cas) EXPECT_EQ(FormatNombre(c.format, c.v), QString::fromUtf8(c.attendu)) << c.format;
}

}  // namespace
