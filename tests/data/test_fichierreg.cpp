#include <gtest/gtest.h>

#include "data/fichierreg.h"
#include "reglagestemporaires.h"

namespace {

TArbreRegistre Lit(const QByteArray& octets) {
  TArbreRegistre arbre;
  FichierReg::Applique(FichierReg::Analyse(octets, QStringLiteral("essai.reg")), arbre, true);
  return arbre;
}

const TValeurRegistre* Valeur(const TArbreRegistre& arbre, const QString& chCle,
                              const QString& chNom) {
  const TCleRegistre* cle = arbre.Cherche(DecoupeCheminRegistre(chCle));
  return cle ? cle->Valeur(chNom) : nullptr;
}

}  // namespace

TEST(FichierReg, Version5EnUtf16) {
  const QString texte = QStringLiteral(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo]\r\n"
      "\"Alias\"=\"C:\\\\Data\\\\Dorvanel.gdb\"\r\n"
      "\"Guillemet\"=\"dit \\\"oui\\\" = non\"\r\n"
      "\"FreqRefresh\"=dword:0000000A\r\n"
      "\"Negatif\"=dword:ff000005\r\n"
      "\"Binaire\"=hex:01,02,03\r\n"
      "\"Chemin\"=hex(2):25,00,41,00,\\\r\n"
      "  25,00,00,00\r\n"
      "\"Mot\"=hex(4):2a,00,00,00\r\n"
      "\"Multi\"=hex(7):41,00,00,00,00,00\r\n"
      "@=\"défaut été\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo\\Init]\r\n"
      "; commentaire\r\n"
      "\"Vide\"=\"\"\r\n");
  const TArbreRegistre arbre = Lit(Utf16(texte));
  const QString base = QStringLiteral("HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo");
  EXPECT_EQ(*Valeur(arbre, base, "Alias"), TValeurRegistre::DeTexte("C:\\Data\\Dorvanel.gdb"));
  EXPECT_EQ(*Valeur(arbre, base, "Guillemet"), TValeurRegistre::DeTexte("dit \"oui\" = non"));
  EXPECT_EQ(*Valeur(arbre, base, "FreqRefresh"), TValeurRegistre::DeEntier(10));
  EXPECT_EQ(*Valeur(arbre, base, "Negatif"), TValeurRegistre::DeEntier(clWindow));
  EXPECT_EQ(Valeur(arbre, base, "Binaire"), nullptr);
  EXPECT_EQ(Valeur(arbre, base, "Multi"), nullptr);
  EXPECT_EQ(*Valeur(arbre, base, "Chemin"), TValeurRegistre::DeTexte("%A%"));
  EXPECT_EQ(*Valeur(arbre, base, "Mot"), TValeurRegistre::DeEntier(42));
  EXPECT_EQ(*Valeur(arbre, base, ""), TValeurRegistre::DeTexte(QStringLiteral("défaut été")));
  EXPECT_EQ(*Valeur(arbre, base + "\\Init", "Vide"), TValeurRegistre::DeTexte(""));
  // Names are found whatever their case, as in the registry.
  EXPECT_NE(Valeur(arbre, "hkey_current_user\\SOFTWARE\\vurt\\VestrelleDemo", "alias"), nullptr);
}

TEST(FichierReg, Regedit4EnPageDeCode8Bits) {
  // "é" and "€" as the Western European code page writes them, with a bare ini-style value
  // and a section that names no root.
  const QByteArray octets(
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo\\Init]\r\n"
      "\"Libell\xE9\"=\"12 \x80\"\r\n"
      "Nu = texte brut \r\n"
      "\"Notes\"=hex(1):41,e9,00\r\n"
      "[Software\\Autre]\r\n"
      "\"x\"=dword:1\r\n");
  const TArbreRegistre arbre = Lit(octets);
  const QString init = QStringLiteral("HKEY_CURRENT_USER\\Software\\Vurt\\VestrelleDemo\\Init");
  EXPECT_EQ(*Valeur(arbre, init, QStringLiteral("Libellé")),
            TValeurRegistre::DeTexte(QStringLiteral("12 €")));
  EXPECT_EQ(*Valeur(arbre, init, "Nu"), TValeurRegistre::DeTexte("texte brut"));
  EXPECT_EQ(*Valeur(arbre, init, "Notes"), TValeurRegistre::DeTexte(QStringLiteral("Aé")));
  EXPECT_EQ(*Valeur(arbre, "HKEY_CURRENT_USER\\Software\\Autre", "x"), TValeurRegistre::DeEntier(1));
}

TEST(FichierReg, Utf8SansMarqueEtAutresRacines) {
  const QByteArray octets(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\X]\n\"Libell\xC3\xA9\"=\"\xC3\xA9t\xC3\xA9\"\n");
  const TArbreRegistre arbre = Lit(octets);
  EXPECT_EQ(*Valeur(arbre, "HKEY_LOCAL_MACHINE\\Software\\X", QStringLiteral("Libellé")),
            TValeurRegistre::DeTexte(QStringLiteral("été")));
  EXPECT_EQ(arbre.Cherche({"HKEY_CURRENT_USER"}), nullptr);
}

TEST(FichierReg, FichiersFautifs) {
  const QByteArray v4("REGEDIT4\r\n");
  const QByteArray cle("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n");
  const QByteArray texteLong = "\"a\"=\"" + QByteArray(LimitesRegistre::Texte + 1, 'x') + "\"\r\n";
  struct TCas {
    const char* quoi;
    QByteArray octets;
    TCodeErreurRegistre code;
    int iLigne;
  };
  const TCas cas[] = {
      {"sans en-tête", "[HKEY_CURRENT_USER\\X]\r\n\"a\"=\"b\"\r\n",
       TCodeErreurRegistre::ecFormatInconnu, 1},
      {"fichier vide", "\r\n\r\n", TCodeErreurRegistre::ecFormatInconnu, 0},
      {"crochet manquant", v4 + "\r\n[HKEY_CURRENT_USER\\X\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"valeur hors clé", v4 + "\"a\"=\"b\"\r\n", TCodeErreurRegistre::ecSyntaxe, 2},
      {"texte tronqué", cle + "\"a\"=\"abc", TCodeErreurRegistre::ecSyntaxe, 3},
      {"nom tronqué", cle + "\"abc", TCodeErreurRegistre::ecSyntaxe, 3},
      {"sans signe égal", cle + "\"a\" \"b\"\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"ligne sans égal", cle + "n'importe quoi\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"après le guillemet", cle + "\"a\"=\"b\"c\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"dword non hexadécimal", cle + "\"a\"=dword:00zz\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"dword vide", cle + "\"a\"=dword:\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"dword sur 9 chiffres", cle + "\"a\"=dword:123456789\r\n", TCodeErreurRegistre::ecTropLong, 3},
      {"octet invalide", cle + "\"a\"=hex:01,0g\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"hexa tronqué", cle + "\"a\"=hex:01,02,\\\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"hex(4) de 3 octets", cle + "\"a\"=hex(4):01,02,03\r\n", TCodeErreurRegistre::ecSyntaxe, 3},
      {"texte trop long", cle + texteLong, TCodeErreurRegistre::ecTropLong, 3},
      {"nom de clé trop long", v4 + "[HKEY_CURRENT_USER\\" + QByteArray(256, 'k') + "]\r\n",
       TCodeErreurRegistre::ecTropLong, 2},
      {"nom de valeur trop long", cle + "\"" + QByteArray(16384, 'n') + "\"=\"x\"\r\n",
       TCodeErreurRegistre::ecTropLong, 3},
      {"UTF-16 sans marque", QByteArray("R\0E\0G\0", 6), TCodeErreurRegistre::ecEncodage, 0},
      {"UTF-16 tronqué", Utf16("Windows Registry Editor Version 5.00\r\n").chopped(1),
       TCodeErreurRegistre::ecEncodage, 0},
      {"UTF-16 demi-caractère", Utf16("Windows Registry Editor Version 5.00\r\n[A]\r\n\"a\"=\"") +
                                    QByteArray("\x00\xD8", 2) + Utf16("\"\r\n").mid(2),
       TCodeErreurRegistre::ecEncodage, 0},
      {"UTF-16 tronqué au milieu d'une paire",
       Utf16("Windows Registry Editor Version 5.00\r\n[A]\r\n") + QByteArray("\x3D\xD8", 2),
       TCodeErreurRegistre::ecEncodage, 0},
      {"texte hex(1) demi-caractère",
       Utf16("Windows Registry Editor Version 5.00\r\n[A]\r\n\"a\"=hex(1):00,dc,00,00\r\n"),
       TCodeErreurRegistre::ecEncodage, 3},
      {"UTF-8 invalide", "\xEF\xBB\xBFREGEDIT4\r\n[A]\r\n\"a\"=\"\xE9\"\r\n",
       TCodeErreurRegistre::ecEncodage, 0},
      {"texte UTF-16 impair en version 5",
       Utf16("Windows Registry Editor Version 5.00\r\n[A]\r\n\"a\"=hex(1):41,00,42\r\n"),
       TCodeErreurRegistre::ecEncodage, 3},
  };
  for (const TCas& c : cas) {
    SCOPED_TRACE(c.quoi);
    try {
      FichierReg::Analyse(c.octets, QStringLiteral("defaut.reg"));
      ADD_FAILURE() << "aucune erreur";
    } catch (const EErreurRegistre& e) {
      EXPECT_EQ(e.Code(), c.code) << e.what();
      EXPECT_EQ(e.Ligne(), c.iLigne) << e.what();
      EXPECT_TRUE(e.Message().contains("defaut.reg")) << e.what();
    }
  }
}

TEST(FichierReg, AllerRetour) {
  TArbreRegistre arbre;
  TCleRegistre& cle = arbre.Cree({"HKEY_CURRENT_USER", "Software", "Vurt", "VestrelleDemo"});
  cle.EcritValeur("Alias", TValeurRegistre::DeTexte("C:\\Data\\\"base\".gdb"));
  cle.EcritValeur("CustomColor", TValeurRegistre::DeTexte("ColorA=FFFFFF\r\nColorB=00FF00"));
  cle.EcritValeur("", TValeurRegistre::DeTexte(QStringLiteral("défaut ✓ [x] = y")));
  cle.EcritValeur("Negatif", TValeurRegistre::DeEntier(-16777211));
  cle.EcritValeur(QStringLiteral("Nom \"cité\" \\ ="), TValeurRegistre::DeEntier(7));
  cle.EcritValeur("Vide", TValeurRegistre::DeTexte(""));
  arbre.Cree({"HKEY_CURRENT_USER", "Software", "Vurt", "VestrelleDemo", "Init"});  // empty key
  arbre.Cree({"HKEY_LOCAL_MACHINE", "X"}).EcritValeur("y", TValeurRegistre::DeEntier(1));

  const QByteArray octets = FichierReg::Ecrit(arbre);
  EXPECT_TRUE(octets.startsWith(Utf16("Windows Registry Editor Version 5.00\r\n")));
  EXPECT_TRUE(Lit(octets) == arbre);
}

TEST(FichierReg, SansEcraserNiSupprimer) {
  TArbreRegistre arbre;
  TCleRegistre& cle = arbre.Cree({"HKEY_CURRENT_USER", "A"});
  cle.EcritValeur("garde", TValeurRegistre::DeTexte("mien"));
  cle.EcritValeur("retire", TValeurRegistre::DeEntier(1));
  arbre.Cree({"HKEY_CURRENT_USER", "A", "Vieille"});
  const TFichierReg fichier = FichierReg::Analyse(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"garde\"=\"sien\"\r\n\"neuf\"=dword:2\r\n"
      "\"retire\"=-\r\n[-HKEY_CURRENT_USER\\A\\Vieille]\r\n",
      "f.reg");

  TArbreRegistre sansEcraser = arbre;
  FichierReg::Applique(fichier, sansEcraser, false);
  const TCleRegistre* a = sansEcraser.Cherche({"HKEY_CURRENT_USER", "A"});
  EXPECT_EQ(a->Valeur("garde")->Texte, "mien");
  EXPECT_EQ(a->Valeur("neuf")->Entier, 2);
  EXPECT_NE(a->Valeur("retire"), nullptr);
  EXPECT_NE(a->SousCle("Vieille"), nullptr);

  FichierReg::Applique(fichier, arbre, true);
  a = arbre.Cherche({"HKEY_CURRENT_USER", "A"});
  EXPECT_EQ(a->Valeur("garde")->Texte, "sien");
  EXPECT_EQ(a->Valeur("retire"), nullptr);
  EXPECT_EQ(a->SousCle("Vieille"), nullptr);
}
