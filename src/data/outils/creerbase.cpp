// Creates the demonstration database from the scripts compiled into the program, unless the
// file already exists. Usage: vestrelle_creerbase [--sans-demo] FICHIER
// Prints what the database holds, in French, for whoever runs it from the command line.

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "base/erreur.h"
#include "data/creationbase.h"
#include "fb/connexion.h"
#include "fb/requete.h"
#include "fb/transaction.h"

namespace {

const QStringList kParams{QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=masterkey"),
                          QStringLiteral("lc_ctype=ISO8859_1")};

void Ecrire(const QString& texte) { std::printf("%s\n", texte.toUtf8().constData()); }

int Compter(TConnexion& cnx, TTransaction& tr, const QString& table) {
  TRequete q;
  q.SetDatabase(&cnx);
  q.SetTransaction(&tr);
  q.SetSQL(QStringLiteral("SELECT COUNT(*) FROM ") + table);
  q.Open();
  const int n = q.Fields(0).AsInteger();
  q.Close();
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool bDemo = !args.removeAll(QStringLiteral("--sans-demo"));
  if (args.size() != 1) {
    Ecrire(QStringLiteral("Usage : vestrelle_creerbase [--sans-demo] FICHIER"));
    return 2;
  }
  const QString chemin = QFileInfo(args.first()).absoluteFilePath();
  try {
    if (CreationBase::CreerSiAbsente(chemin, kParams, bDemo))
      Ecrire(QString::fromUtf8("Base créée : %1").arg(chemin));
    else
      Ecrire(QString::fromUtf8("Base existante : %1").arg(chemin));
    TConnexion cnx;
    cnx.SetDatabaseName(chemin);
    cnx.SetParams(kParams);
    cnx.Open();
    {
      TTransaction tr;
      tr.SetDefaultDatabase(&cnx);
      tr.SetParams({QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                    QStringLiteral("nowait")});
      Ecrire(QString::fromUtf8("  %1 postes, %2 OF, %3 essais, %4 articles, %5 clients")
                 .arg(Compter(cnx, tr, QStringLiteral("SP_POSTE")))
                 .arg(Compter(cnx, tr, QStringLiteral("SP_OF")))
                 .arg(Compter(cnx, tr, QStringLiteral("SP_ESSAI")))
                 .arg(Compter(cnx, tr, QStringLiteral("SP_ARTICLE")))
                 .arg(Compter(cnx, tr, QStringLiteral("SP_CLIENT"))));
      if (tr.InTransaction()) tr.Commit();
    }
    cnx.Close();
  } catch (const EErreur& e) {
    std::fprintf(stderr, "%s\n", e.Message().toUtf8().constData());
    return 1;
  }
  return 0;
}
