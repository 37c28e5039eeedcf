#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "controls/traduction.h"
#include "outils.h"

namespace {

class TFormEssai : public QWidget {
  Q_OBJECT
};

class TCadreEssai : public QWidget {
  Q_OBJECT
};

class TraductionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Appli();
    ASSERT_TRUE(FDossier.isValid());
    FTrad.SetDossierLangues(FDossier.path() + "/Language");
    FTrad.SetNomProgramme("Vestrelle");
  }
  void EcrireLangue(const QString& code, const QByteArray& contenu) {
    QDir().mkpath(FDossier.path() + "/Language");
    QFile f(FDossier.path() + "/Language/Vestrelle." + code + ".lang");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
  }
  QTemporaryDir FDossier;
  TTraduction FTrad;
};

}  // namespace

TEST_F(TraductionTest, SansLangueLaCleEntreCrochetsDisparait) {
  struct Cas { const char* texte; const char* attendu; };
  const Cas cas[] = {
      {"[cales01]Etes-vous sûr de vouloir supprimer ce calendrier ?",
       "Etes-vous sûr de vouloir supprimer ce calendrier ?"},
      {"[sans fin de clé", "[sans fin de clé"},
      {"Texte ordinaire [x]", "Texte ordinaire [x]"},
      {"[a]b]c", "b]c"},
      {"", ""},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(FTrad.TraduireTexte(QString::fromUtf8(c.texte)), QString::fromUtf8(c.attendu));
    EXPECT_EQ(TexteRessource(QString::fromUtf8(c.texte)), QString::fromUtf8(c.attendu));
  }
  EXPECT_FALSE(FTrad.Actif());
}

TEST_F(TraductionTest, EchappementEtDesechappement) {
  struct Cas { const char* brut; const char* resultat; };
  const Cas echapper[] = {
      {"Ligne 1\r\nLigne 2", "\"Ligne 1\\nLigne 2\""},
      {"a\n\rb", "\"a\\nb\""},
      {"\"déjà entre guillemets\"", "\"déjà entre guillemets\""},
      {"simple", "\"simple\""},
  };
  for (const Cas& c : echapper)
    EXPECT_EQ(TTraduction::Echapper(QString::fromUtf8(c.brut)), QString::fromUtf8(c.resultat));
  const Cas desechapper[] = {
      {"\"Ligne 1\\nLigne 2\"", "Ligne 1\r\nLigne 2"},
      {"a\\tb", "a\tb"},
      {"c:\\\\dossier", "c:\\dossier"},
      {"\\q", "q"},
      {"fin\\", "fin\\"},
      {"\"", "\""},
      {"\"\"", ""},
  };
  for (const Cas& c : desechapper)
    EXPECT_EQ(TTraduction::Desechapper(QString::fromUtf8(c.brut)), QString::fromUtf8(c.resultat));
}

TEST_F(TraductionTest, FichierDeLangue) {
  EcrireLangue("en",
               "[resourcestring]\r\n"
               "cales01=\"Are you sure you want to delete this calendar?\"\r\n"
               "\"Quitter le logiciel\"=\"Quit the program\"\r\n"
               "Sans cle=Without a key\r\n"
               "\"Deux\\nlignes\"=\"Two\\nlines\"\r\n");
  // "gb" falls back on the "en" file.
  FTrad.SetLangue("GB");
  EXPECT_TRUE(FTrad.Actif());
  struct Cas { const char* texte; const char* attendu; };
  const Cas cas[] = {
      {"[cales01]Etes-vous sûr de vouloir supprimer ce calendrier ?",
       "Are you sure you want to delete this calendar?"},
      {"Quitter le logiciel", "Quit the program"},
      // A key missing from the file: the text after the key is looked up unescaped.
      {"[absent]Sans cle", "Without a key"},
      {"[absent]Inconnu", "Inconnu"},
      {"Deux\r\nlignes", "Two\r\nlines"},
      {"Pas traduit", "Pas traduit"},
      {"[sans fin", "[sans fin"},
  };
  for (const Cas& c : cas) EXPECT_EQ(FTrad.TraduireTexte(QString::fromUtf8(c.texte)), QString::fromUtf8(c.attendu));
}

TEST_F(TraductionTest, FichierAbsentEtModeDebug) {
  FTrad.SetLangue("de");
  EXPECT_FALSE(FTrad.Actif());
  EXPECT_TRUE(FTrad.Langue().isEmpty());
  EXPECT_TRUE(QDir(FDossier.path() + "/Language").exists());  // the folder was created
  EXPECT_EQ(FTrad.TraduireTexte("[k]Texte"), QString("Texte"));
  FTrad.SetLangue("xxx");
  EXPECT_TRUE(FTrad.Actif());
  EXPECT_EQ(FTrad.TraduireTexte("[k]Texte"), QString("XXX[k]Texte"));
}

TEST_F(TraductionTest, TraduireFiche) {
  EcrireLangue("en",
               "[FormEssai]\n"
               "FormEssai.caption=Test window\n"
               "Bouton.caption=\"&Close\"\n"
               "Bouton.hint=Closes the window\n"
               "Saisie.text=typed\n"
               "Liste.items.text=\"one\\ntwo\"\n"
               "Memo.lines.text=\"first\\nsecond\"\n"
               "Etiquette.caption=Label in the form\n"
               "[CadreEssai]\n"
               "Etiquette.caption=Label in the frame\n");
  TFormEssai fiche;
  fiche.setObjectName("FormEssai");
  fiche.setWindowTitle("Fenêtre d'essai");
  auto* bouton = new QPushButton("&Fermer", &fiche);
  bouton->setObjectName("Bouton");
  bouton->setToolTip("Ferme la fenêtre");
  auto* saisie = new QLineEdit("saisi", &fiche);
  saisie->setObjectName("Saisie");
  auto* liste = new QComboBox(&fiche);
  liste->setObjectName("Liste");
  liste->addItems({"un", "deux"});
  auto* memo = new QPlainTextEdit("premier", &fiche);
  memo->setObjectName("Memo");
  auto* etiquette = new QLabel("Etiquette de la fiche", &fiche);
  etiquette->setObjectName("Etiquette");
  auto* sansTraduction = new QLabel("Reste tel quel", &fiche);
  sansTraduction->setObjectName("Autre");
  auto* cadre = new TCadreEssai;
  cadre->setParent(&fiche);
  cadre->setObjectName("Cadre1");
  cadre->setProperty(ProprieteCadre, true);
  auto* etiquetteCadre = new QLabel("Etiquette du cadre", cadre);
  etiquetteCadre->setObjectName("Etiquette");

  // Without a language nothing changes.
  FTrad.TraduireFiche(&fiche);
  EXPECT_EQ(bouton->text(), QString("&Fermer"));

  FTrad.SetLangue("en");
  FTrad.TraduireFiche(&fiche);
  EXPECT_EQ(fiche.windowTitle(), QString("Test window"));
  EXPECT_EQ(bouton->text(), QString("&Close"));
  EXPECT_EQ(bouton->toolTip(), QString("Closes the window"));
  EXPECT_EQ(saisie->text(), QString("typed"));
  EXPECT_EQ(liste->count(), 2);
  EXPECT_EQ(liste->itemText(1), QString("two"));
  EXPECT_EQ(memo->toPlainText(), QString("first\nsecond"));
  EXPECT_EQ(etiquette->text(), QString("Label in the form"));
  EXPECT_EQ(sansTraduction->text(), QString("Reste tel quel"));
  EXPECT_EQ(etiquetteCadre->text(), QString("Label in the frame"));

  // Debug mode marks every text.
  TTraduction debug;
  debug.SetLangue("xxx");
  debug.TraduireFiche(&fiche);
  EXPECT_EQ(etiquette->text(), QString("XXXLabel in the form"));
  EXPECT_EQ(liste->itemText(1), QString("two"));
}

#include "test_traduction.moc"
