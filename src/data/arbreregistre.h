#pragma once
// The in-memory tree of the settings store: keys holding sub-keys and typed values (32-bit
// integers and texts), as the registry has them. Names of keys and values are compared
// without regard to case and keep the case they were first written with. The first level of
// the tree holds the roots ("HKEY_CURRENT_USER"...).

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

struct TValeurRegistre {
  enum TType { vtEntier, vtTexte };
  TType Type = vtTexte;
  qint32 Entier = 0;
  QString Texte;

  static TValeurRegistre DeEntier(qint32 i) { return {vtEntier, i, {}}; }
  static TValeurRegistre DeTexte(const QString& ch) { return {vtTexte, 0, ch}; }
  bool operator==(const TValeurRegistre&) const = default;
};

// Limits of the store, those of the registry: a key name of 255 characters, a value name
// of 16383, a text of 1 MiB in UTF-16 with its terminator.
namespace LimitesRegistre {
constexpr int NomCle = 255;
constexpr int NomValeur = 16383;
constexpr int Texte = 524287;
}  // namespace LimitesRegistre

// Splits "\Software\Vurt" or "HKEY_CURRENT_USER\Software" into its names, ignoring empty
// names (leading, trailing or doubled backslashes).
QStringList DecoupeCheminRegistre(const QString& chChemin);

class TCleRegistre {
 public:
  explicit TCleRegistre(QString chNom = {}) : FNom(std::move(chNom)) {}
  TCleRegistre(const TCleRegistre& autre);
  TCleRegistre& operator=(const TCleRegistre& autre);
  TCleRegistre(TCleRegistre&&) = default;
  TCleRegistre& operator=(TCleRegistre&&) = default;

  const QString& Nom() const { return FNom; }

  // Sub-keys.
  TCleRegistre* SousCle(const QString& chNom);
  const TCleRegistre* SousCle(const QString& chNom) const;
  TCleRegistre& CreeSousCle(const QString& chNom);
  bool SupprimeSousCle(const QString& chNom);
  // Sub-keys in name order (case ignored).
  QList<const TCleRegistre*> SousCles() const;

  // Keys below this one, by path of names; nullptr when one of them is missing.
  TCleRegistre* Cherche(const QStringList& chemin);
  const TCleRegistre* Cherche(const QStringList& chemin) const;
  TCleRegistre& Cree(const QStringList& chemin);
  bool Supprime(const QStringList& chemin);

  // Values ("" is the key's default value).
  const TValeurRegistre* Valeur(const QString& chNom) const;
  void EcritValeur(const QString& chNom, const TValeurRegistre& valeur);
  bool SupprimeValeur(const QString& chNom);
  // Value names in name order (case ignored), as first written.
  QStringList NomsValeurs() const;

  bool operator==(const TCleRegistre& autre) const;

 private:
  static QString Pli(const QString& ch) { return ch.toCaseFolded(); }

  QString FNom;
  std::map<QString, std::unique_ptr<TCleRegistre>> FSousCles;               // by folded name
  std::map<QString, std::pair<QString, TValeurRegistre>> FValeurs;          // by folded name
};

// The whole tree: an unnamed top whose sub-keys are the roots.
using TArbreRegistre = TCleRegistre;
