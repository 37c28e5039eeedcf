#include <gtest/gtest.h>

#include "data/fichierreg.h"
#include "data/reglages.h"
#include "reglagestemporaires.h"

using Reglage = TReglagesTemporaires;

namespace {

std::optional<TValeurRegistre> Stockee(const QString& chChemin, const QString& chNom) {
  return Reglages().Registre().LitValeur(TReglages::CleStore(chChemin), chNom);
}

const QString kBase = QStringLiteral("\\Software\\Vurt\\VestrelleDemo");

}  // namespace

TEST_F(Reglage, LocalisationVurtOuKemba) {
  struct TCas {
    const char* quoi;
    QStringList existantes;  // keys present before opening
    QString attendu;
  };
  const TCas cas[] = {
      {"rien", {}, kBase},
      {"Kemba seule", {"\\Software\\Kemba\\VestrelleDemo"}, "\\Software\\Kemba\\VestrelleDemo"},
      {"Vurt sans produit, Kemba avec", {"\\Software\\Vurt\\Autre", "\\Software\\Kemba\\VestrelleDemo"},
       "\\Software\\Kemba\\VestrelleDemo"},
      {"les deux", {"\\Software\\Vurt\\VestrelleDemo", "\\Software\\Kemba\\VestrelleDemo"}, kBase},
      {"Vurt seule", {"\\Software\\Vurt\\VestrelleDemo"}, kBase},
      {"Kemba sans produit", {"\\Software\\Kemba"}, kBase},
  };
  int i = 0;
  for (const TCas& c : cas) {
    SCOPED_TRACE(c.quoi);
    Reglages().ChangeFichier(Chemin(QStringLiteral("loc%1.reg").arg(i++)));
    for (const QString& cle : c.existantes) Reglages().Registre().CreeCle(TReglages::CleStore(cle));
    Reglages().OuvreLocalisation("VestrelleDemo", true);
    EXPECT_EQ(Reglages().CheminBase(), c.attendu);
    EXPECT_EQ(Reglages().CheminCourant(), c.attendu);
    EXPECT_TRUE(Reglages().Registre().CleExiste(TReglages::CleStore(c.attendu)));
    // The other maker is never created by the opening.
    const bool bKembaAvant = c.existantes.filter("Kemba").size() > 0;
    EXPECT_EQ(Reglages().Registre().CleExiste(TReglages::CleStore("\\Software\\Kemba")), bKembaAvant);
  }
}

TEST_F(Reglage, LecteursCreentLesValeursManquantes) {
  OuvreLocalisation("VestrelleDemo", true);
  EXPECT_TRUE(LitBooleen("PremierDemarrage", true));
  EXPECT_EQ(Stockee(kBase, "PremierDemarrage"), TValeurRegistre::DeEntier(1));
  EXPECT_EQ(LitEntier("Patienter", 7), 7);
  EXPECT_EQ(Stockee(kBase, "Patienter"), TValeurRegistre::DeEntier(7));
  EXPECT_EQ(LitTexte("Parametres", "user_name=|password="), "user_name=|password=");
  EXPECT_EQ(Stockee(kBase, "Parametres"), TValeurRegistre::DeTexte("user_name=|password="));
  const TDateTime dt = DateHeure::EncodeDate(2024, 2, 29);
  EXPECT_EQ(LitDate("Debut", dt), dt);
  EXPECT_EQ(Stockee(kBase, "Debut"), TValeurRegistre::DeTexte("29/02/2024"));

  // Once created, the stored values win over other defaults.
  EXPECT_TRUE(LitBooleen("PremierDemarrage", false));
  EXPECT_EQ(LitEntier("Patienter", 0), 7);
  EXPECT_EQ(LitDate("Debut", 0), dt);
  EXPECT_EQ(Reglages().DerniereErreur(), "");
}

TEST_F(Reglage, ValeursExistantesDAutreType) {
  OuvreLocalisation("VestrelleDemo", true);
  EcritTexte("Vide", "");
  EXPECT_EQ(LitTexte("Vide", "defaut"), "");  // an empty text stays empty

  EcritEntier("Nombre", 12);
  EXPECT_EQ(LitTexte("Nombre", "defaut"), "defaut");  // unreadable as text: default...
  EXPECT_EQ(Stockee(kBase, "Nombre"), TValeurRegistre::DeEntier(12));  // ...and nothing lost

  EcritTexte("EnTexte", " 42 ");
  EXPECT_EQ(LitEntier("EnTexte", 5), 42);
  EcritTexte("Mot", "abc");
  EXPECT_EQ(LitEntier("Mot", 5), 5);
  EXPECT_EQ(Stockee(kBase, "Mot"), TValeurRegistre::DeEntier(5));

  EcritEntier("Vrai", -3);
  EXPECT_TRUE(LitBooleen("Vrai", false));
  EcritBooleen("Faux", false);
  EXPECT_FALSE(LitBooleen("Faux", true));
  EXPECT_EQ(Stockee(kBase, "Faux"), TValeurRegistre::DeEntier(0));

  EcritTexte("DateAbimee", "31/02/2024");
  EXPECT_EQ(LitDate("DateAbimee", 45000), 45000);
  EcritTexte("DateCourte", "1/3/2024");
  EXPECT_EQ(LitDate("DateCourte", 0), DateHeure::EncodeDate(2024, 3, 1));
  EcritDate("Origine", 0);
  EXPECT_EQ(LitDate("Origine", 100), 0);
}

TEST_F(Reglage, Sections) {
  OuvreLocalisation("VestrelleDemo", true);
  Section("Init");
  EXPECT_EQ(Reglages().CheminCourant(), kBase + "\\Init");
  EXPECT_TRUE(Reglages().Registre().CleExiste(TReglages::CleStore(kBase + "\\Init")));
  EcritEntier("FreqRefresh", 60000);
  Section("");
  EXPECT_EQ(Reglages().CheminCourant(), kBase);
  EXPECT_EQ(Stockee(kBase + "\\Init", "FreqRefresh"), TValeurRegistre::DeEntier(60000));

  EXPECT_EQ(LitEntier("Init", "FreqRefresh", 1), 60000);
  EXPECT_FALSE(LitBooleen("Ligne", "ModifLignes", false));
  EcritTexte("Ligne", "Nom", "x");
  EcritDate("Ligne", "Jour", DateHeure::EncodeDate(2025, 12, 31));
  EXPECT_EQ(LitDate("Ligne", "Jour", 0), DateHeure::EncodeDate(2025, 12, 31));
  EXPECT_EQ(Reglages().CheminCourant(), kBase);  // the variants come back to the base
  EXPECT_EQ(Stockee(kBase + "\\Ligne", "ModifLignes"), TValeurRegistre::DeEntier(0));
  EXPECT_EQ(Stockee(kBase + "\\Ligne", "Nom"), TValeurRegistre::DeTexte("x"));
  EXPECT_FALSE(Stockee(kBase, "Nom"));
}

TEST_F(Reglage, SansLocalisationRienNEstEcrit) {
  EXPECT_EQ(LitEntier("x", 4), 4);
  EXPECT_EQ(LitTexte("t", "d"), "d");
  EcritEntier("x", 1);
  Section("Init");
  EXPECT_EQ(Reglages().CheminCourant(), "");
  EXPECT_FALSE(QFile::exists(FFichier));
}

TEST_F(Reglage, EcritureRefuseeGardeLAncienneValeur) {
  OuvreLocalisation("VestrelleDemo", true);
  EcritTexte("Notes", "court");
  EcritTexte("Notes", QString(LimitesRegistre::Texte + 1, QLatin1Char('x')));
  EXPECT_EQ(LitTexte("Notes", ""), "court");
  EXPECT_TRUE(Reglages().DerniereErreur().contains("trop long"));
}

TEST_F(Reglage, StoreAbimeDonneLesDefautsSansLEcraser) {
  OuvreLocalisation("VestrelleDemo", true);
  EcritEntier("x", 1);
  const QByteArray abime = ContenuStore().chopped(3);  // cut in the middle of a character
  EcritFichier("config/registre.reg", abime);
  EXPECT_EQ(LitEntier("x", 5), 5);
  EXPECT_EQ(LitTexte("t", "d"), "d");
  EXPECT_FALSE(Reglages().DerniereErreur().isEmpty());
  EXPECT_EQ(ContenuStore(), abime);
  EXPECT_THROW(OuvreLocalisation("VestrelleDemo", true), EErreurRegistre);
  EXPECT_EQ(Reglages().CheminBase(), kBase);
}

TEST_F(Reglage, ImportDesFichiersParDefaut) {
  OuvreLocalisation("VestrelleDemo", true);
  EcritEntier("Init", "FreqRefresh", 1000);
  EcritTexte("Alias", "/mien.gdb");
  EXPECT_FALSE(ImporteFichierReg(Chemin("absent.reg"), true));

  // The "-init" file overwrites; the plain one only adds what is missing.
  const QString init = EcritFichier(
      "Vestrelle-init.reg",
      Utf16("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo\\Init]\r\n"
            "\"FreqRefresh\"=dword:0000000A\r\n"
            "\"Image\"=hex:01,02\r\n"));
  const QString defauts = EcritFichier(
      "Vestrelle.reg",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo]\r\n"
      "\"Alias\"=\"/autre.gdb\"\r\n\"Patienter\"=dword:00000001\r\n"
      "[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo\\Init]\r\n"
      "\"FreqRefresh\"=dword:00000005\r\n");
  EXPECT_TRUE(ImporteFichierReg(init, true));
  EXPECT_TRUE(ImporteFichierReg(defauts, false));
  EXPECT_EQ(LitEntier("Init", "FreqRefresh", 0), 10);
  EXPECT_FALSE(Stockee(kBase + "\\Init", "Image"));
  EXPECT_EQ(LitTexte("Alias", ""), "/mien.gdb");
  EXPECT_EQ(LitEntier("Patienter", 0), 1);
}

TEST_F(Reglage, ImportFautifNePerdRien) {
  OuvreLocalisation("VestrelleDemo", true);
  EcritEntier("x", 1);
  const QByteArray avant = ContenuStore();
  // The first section is sound; the fault comes later: nothing at all may be applied.
  const QString fautif = EcritFichier(
      "fautif.reg",
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo]\r\n\"x\"=dword:2\r\n"
      "\"y\"=\"ok\"\r\n[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo\\Init]\r\n"
      "\"z\"=\"tronqu");
  try {
    ImporteFichierReg(fautif, true);
    ADD_FAILURE();
  } catch (const EErreurRegistre& e) {
    EXPECT_EQ(e.Code(), TCodeErreurRegistre::ecSyntaxe);
    EXPECT_EQ(e.Ligne(), 6);
    EXPECT_TRUE(e.Message().contains("fautif.reg"));
  }
  EXPECT_EQ(ContenuStore(), avant);
  EXPECT_EQ(LitEntier("x", 0), 1);
}

TEST(TexteVersCouleur, Textes) {
  struct TCas {
    const char* texte;
    TColor attendu;
  } const cas[] = {
      {"255", clRed},          {"0", clBlack},         {" 16777215 ", clWhite},
      {"-16777211", clWindow}, {"4278190095", clBtnFace}, {"", clWindow},
      {"abc", clWindow},       {"12x", clWindow},      {"99999999999", clWindow},
  };
  for (const TCas& c : cas) EXPECT_EQ(TexteVersCouleur(c.texte), c.attendu) << c.texte;
}

TEST(NumeroSemaine, SemainesIso) {
  struct TCas {
    int a, m, j, semaine;
  } const cas[] = {
      {2009, 1, 1, 1},   {2009, 12, 31, 53}, {2010, 1, 1, 53},  {2010, 1, 3, 53},
      {2010, 1, 4, 1},   {2008, 12, 29, 1},  {2008, 12, 28, 52}, {2021, 1, 3, 53},
      {2024, 12, 30, 1}, {2025, 6, 15, 24},  {2026, 12, 31, 53},
  };
  for (const TCas& c : cas)
    EXPECT_EQ(NumeroSemaine(DateHeure::EncodeDate(c.a, c.m, c.j) + 0.75), c.semaine)
        << c.j << "/" << c.m << "/" << c.a;
}
