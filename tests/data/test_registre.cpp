#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLockFile>
#include <QProcess>

#include "data/fichierreg.h"
#include "data/registre.h"
#include "reglagestemporaires.h"

using Registre = TReglagesTemporaires;

namespace {
const QString kCle = QStringLiteral("HKEY_CURRENT_USER\\Software\\Essai");
}

TEST_F(Registre, EcritRelitEtProtegeLeFichier) {
  TRegistre a(FFichier);
  EXPECT_FALSE(a.LitValeur(kCle, "x"));  // no file yet: an empty store
  a.EcritEntier(kCle, "x", 5);
  a.EcritTexte(kCle, "t", QStringLiteral("été"));

  TRegistre b(FFichier);
  EXPECT_EQ(b.LitValeur(kCle, "x"), TValeurRegistre::DeEntier(5));
  EXPECT_EQ(b.LitValeur(kCle, "T"), TValeurRegistre::DeTexte(QStringLiteral("été")));
  EXPECT_TRUE(b.CleExiste("HKEY_CURRENT_USER\\Software"));
  EXPECT_FALSE(QFile::exists(FFichier + ".lock"));

  // The store may hold a password: only its owner may read it.
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(FFichier).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(Registre, VoitLesChangementsDUnAutre) {
  TRegistre a(FFichier), b(FFichier);
  a.EcritEntier(kCle, "x", 1);
  EXPECT_EQ(b.LitValeur(kCle, "x")->Entier, 1);
  // Same size, same second: the cached copy must still be refreshed.
  a.EcritEntier(kCle, "x", 2);
  EXPECT_EQ(b.LitValeur(kCle, "x")->Entier, 2);
  b.SupprimeValeur(kCle, "x");
  EXPECT_FALSE(a.LitValeur(kCle, "x"));
  // b wrote over a's latest state, not over its own older copy.
  a.EcritEntier(kCle, "y", 3);
  b.EcritEntier(kCle, "z", 4);
  EXPECT_TRUE(a.LitValeur(kCle, "y"));
  EXPECT_TRUE(a.LitValeur(kCle, "z"));
  a.SupprimeCle(kCle);
  EXPECT_FALSE(b.CleExiste(kCle));
}

TEST_F(Registre, ModificationEchoueeNeChangeRien) {
  TRegistre r(FFichier);
  r.EcritEntier(kCle, "x", 1);
  const QByteArray avant = ContenuStore();
  EXPECT_THROW(r.Modifie([](TArbreRegistre& arbre) {
    arbre.Cree({"HKEY_CURRENT_USER", "Autre"}).EcritValeur("x", TValeurRegistre::DeEntier(9));
    throw EErreur("abandon");
  }),
               EErreur);
  EXPECT_EQ(ContenuStore(), avant);
  EXPECT_FALSE(r.CleExiste("HKEY_CURRENT_USER\\Autre"));

  try {
    r.EcritTexte(kCle, "x", QString(LimitesRegistre::Texte + 1, QLatin1Char('a')));
    ADD_FAILURE();
  } catch (const EErreurRegistre& e) {
    EXPECT_EQ(e.Code(), TCodeErreurRegistre::ecTropLong);
  }
  EXPECT_THROW(r.EcritEntier(kCle + "\\" + QString(256, QLatin1Char('k')), "x", 1), EErreurRegistre);
  // A line break in a name would make the file unreadable: refused, whichever way it comes.
  EXPECT_THROW(r.EcritEntier(kCle, "a\nb", 1), EErreurRegistre);
  EXPECT_THROW(r.CreeCle(kCle + "\\a\rb"), EErreurRegistre);
  EXPECT_THROW(r.Modifie([](TArbreRegistre& arbre) {
    arbre.Cree({"HKEY_CURRENT_USER"}).EcritValeur("a\nb", TValeurRegistre::DeEntier(1));
  }),
               EErreurRegistre);
  EXPECT_EQ(ContenuStore(), avant);
  EXPECT_EQ(r.LitValeur(kCle, "x")->Entier, 1);
}

TEST_F(Registre, FichierAbimeNiLuNiEcrase) {
  QDir().mkpath(Chemin("config"));
  const QByteArray abime = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\r\n\"a\"=\"b\"\r\n";
  EcritFichier("config/registre.reg", abime);
  TRegistre r(FFichier);
  try {
    r.LitValeur(kCle, "a");
    ADD_FAILURE();
  } catch (const EErreurRegistre& e) {
    EXPECT_EQ(e.Code(), TCodeErreurRegistre::ecSyntaxe);
    EXPECT_EQ(e.Ligne(), 2);
  }
  EXPECT_THROW(r.EcritEntier(kCle, "x", 1), EErreurRegistre);
  EXPECT_EQ(ContenuStore(), abime);
}

TEST_F(Registre, VerrouTenuParUnAutre) {
  TRegistre r(FFichier);
  r.EcritEntier(kCle, "x", 1);
  const QByteArray avant = ContenuStore();
  QLockFile autre(FFichier + ".lock");
  ASSERT_TRUE(autre.tryLock(0));
  r.SetDelaiVerrou(50);
  try {
    r.EcritEntier(kCle, "x", 2);
    ADD_FAILURE();
  } catch (const EErreurRegistre& e) {
    EXPECT_EQ(e.Code(), TCodeErreurRegistre::ecVerrou);
    EXPECT_NE(e.CodeSysteme(), 0);
  }
  EXPECT_EQ(ContenuStore(), avant);
  autre.unlock();
  r.EcritEntier(kCle, "x", 2);
  EXPECT_EQ(r.LitValeur(kCle, "x")->Entier, 2);
}

TEST_F(Registre, DeuxProcessusEcriventEnMemeTemps) {
  // Two other processes and this one write into the same key at once, each value in its
  // own transaction, and all add to one counter.
  constexpr int n = 60;
  QProcess p1, p2;
  p1.start(ECRIVAIN_REGLAGES, {FFichier, "un", QString::number(n)});
  p2.start(ECRIVAIN_REGLAGES, {FFichier, "deux", QString::number(n)});
  ASSERT_TRUE(p1.waitForStarted());
  ASSERT_TRUE(p2.waitForStarted());
  TRegistre ici(FFichier);
  const QString cle = QStringLiteral("HKEY_CURRENT_USER\\Concurrence");
  for (int i = 0; i < n; ++i) {
    ici.EcritEntier(cle, "ici" + QString::number(i), i);
    ici.Modifie([&](TArbreRegistre& arbre) {
      TCleRegistre& c = arbre.Cree(DecoupeCheminRegistre(cle));
      const TValeurRegistre* v = c.Valeur("Compteur");
      c.EcritValeur("Compteur", TValeurRegistre::DeEntier(v ? v->Entier + 1 : 1));
    });
  }
  ASSERT_TRUE(p1.waitForFinished(60000));
  ASSERT_TRUE(p2.waitForFinished(60000));
  EXPECT_EQ(p1.exitCode(), 0) << p1.readAllStandardError().toStdString();
  EXPECT_EQ(p2.exitCode(), 0) << p2.readAllStandardError().toStdString();

  // A fresh reader parses the file whole and finds every value and every increment.
  TRegistre relu(FFichier);
  const TArbreRegistre arbre = relu.Arbre();
  const TCleRegistre* c = arbre.Cherche(DecoupeCheminRegistre(cle));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->NomsValeurs().size(), 3 * n + 1);
  auto valeur = [&](const QString& chNom) {
    const TValeurRegistre* v = c->Valeur(chNom);
    return v ? *v : TValeurRegistre::DeTexte("(absente)");
  };
  for (int i = 0; i < n; ++i) {
    const QString k = QString::number(i);
    EXPECT_EQ(valeur("un" + k), TValeurRegistre::DeTexte("un-" + k));
    EXPECT_EQ(valeur("deux" + k), TValeurRegistre::DeTexte("deux-" + k));
    EXPECT_EQ(valeur("ici" + k), TValeurRegistre::DeEntier(i));
  }
  EXPECT_EQ(valeur("Compteur"), TValeurRegistre::DeEntier(3 * n));
  EXPECT_FALSE(QFile::exists(FFichier + ".lock"));
}

TEST_F(Registre, SansChangementLeFichierNEstPasRecrit) {
  auto inode = [&] {
    struct stat st {};
    ::stat(QFile::encodeName(FFichier).constData(), &st);
    return st.st_ino;
  };
  TRegistre r(FFichier);
  r.EcritEntier(kCle, "x", 1);
  const auto avant = inode();
  r.CreeCle(kCle);
  r.EcritEntier(kCle, "x", 1);
  EXPECT_EQ(inode(), avant);
  r.EcritEntier(kCle, "x", 2);
  EXPECT_NE(inode(), avant);
}
