// Second process of the concurrency tests: ecrivain_reglages <store file> <name> <count>.
// For i in 0..count-1, writes the text "<name>-<i>" as value "<name><i>" of key
// HKEY_CURRENT_USER\Concurrence, then adds 1 to the shared integer "Compteur" in one
// read-modify-write transaction. Exits 0 when every write succeeded.

#include <cstdio>

#include "data/registre.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  TRegistre registre(QString::fromLocal8Bit(argv[1]));
  const QString nom = QString::fromLocal8Bit(argv[2]);
  const int n = QString::fromLocal8Bit(argv[3]).toInt();
  const QString cle = QStringLiteral("HKEY_CURRENT_USER\\Concurrence");
  try {
    for (int i = 0; i < n; ++i) {
      registre.EcritTexte(cle, nom + QString::number(i), nom + QLatin1Char('-') + QString::number(i));
      registre.Modifie([&](TArbreRegistre& arbre) {
        TCleRegistre& c = arbre.Cree(DecoupeCheminRegistre(cle));
        const TValeurRegistre* v = c.Valeur(QStringLiteral("Compteur"));
        c.EcritValeur(QStringLiteral("Compteur"), TValeurRegistre::DeEntier(v ? v->Entier + 1 : 1));
      });
    }
  } catch (const EErreur& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
