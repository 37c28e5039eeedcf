#pragma once
// Every test works on a store file in a fresh temporary folder: the user's own settings are
// never read nor written. The configuration folder itself is moved into a temporary folder
// before any test runs, so that even a forgotten ChangeFichier cannot reach the real one.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <ostream>

#include "data/reglages.h"

class TReglagesTemporaires : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDossier.isValid());
    FFichier = FDossier.filePath(QStringLiteral("config/registre.reg"));
    Reglages().ChangeFichier(FFichier);
  }
  void TearDown() override { Reglages().ChangeFichier(FDossier.filePath(QStringLiteral("x.reg"))); }

  QString Chemin(const QString& chNom) const { return FDossier.filePath(chNom); }

  QString EcritFichier(const QString& chNom, const QByteArray& octets) const {
    const QString chemin = Chemin(chNom);
    QFile f(chemin);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
    return chemin;
  }

  QByteArray ContenuStore() const {
    QFile f(FFichier);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir FDossier;
  QString FFichier;
};

namespace {
[[maybe_unused]] const bool kConfigTemporaire = [] {
  static QTemporaryDir dossier;
  qputenv("XDG_CONFIG_HOME", dossier.path().toLocal8Bit());
  qputenv("VESTRELLE_REGISTRE", dossier.filePath(QStringLiteral("defaut.reg")).toLocal8Bit());
  return true;
}();
}  // namespace

// Readable failures: the value and its type rather than its bytes.
inline void PrintTo(const TValeurRegistre& v, std::ostream* os) {
  if (v.Type == TValeurRegistre::vtEntier)
    *os << "entier " << v.Entier;
  else
    *os << "texte \"" << v.Texte.toStdString() << "\"";
}

// "Windows Registry Editor Version 5.00" text in UTF-16LE with its byte-order mark.
inline QByteArray Utf16(const QString& chTexte) {
  QByteArray octets("\xFF\xFE", 2);
  for (QChar c : chTexte) {
    octets.append(static_cast<char>(c.unicode() & 0xFF));
    octets.append(static_cast<char>(c.unicode() >> 8));
  }
  return octets;
}
