#include "data/arbreregistre.h"

QStringList DecoupeCheminRegistre(const QString& chChemin) {
  return chChemin.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

TCleRegistre::TCleRegistre(const TCleRegistre& autre) { *this = autre; }

TCleRegistre& TCleRegistre::operator=(const TCleRegistre& autre) {
  if (this == &autre) return *this;
  FNom = autre.FNom;
  FValeurs = autre.FValeurs;
  FSousCles.clear();
  for (const auto& [pli, cle] : autre.FSousCles)
    FSousCles.emplace(pli, std::make_unique<TCleRegistre>(*cle));
  return *this;
}

TCleRegistre* TCleRegistre::SousCle(const QString& chNom) {
  auto it = FSousCles.find(Pli(chNom));
  return it == FSousCles.end() ? nullptr : it->second.get();
}

const TCleRegistre* TCleRegistre::SousCle(const QString& chNom) const {
  auto it = FSousCles.find(Pli(chNom));
  return it == FSousCles.end() ? nullptr : it->second.get();
}

TCleRegistre& TCleRegistre::CreeSousCle(const QString& chNom) {
  auto& emplacement = FSousCles[Pli(chNom)];
  if (!emplacement) emplacement = std::make_unique<TCleRegistre>(chNom);
  return *emplacement;
}

bool TCleRegistre::SupprimeSousCle(const QString& chNom) { return FSousCles.erase(Pli(chNom)) > 0; }

QList<const TCleRegistre*> TCleRegistre::SousCles() const {
  QList<const TCleRegistre*> liste;
  for (const auto& [pli, cle] : FSousCles) liste.append(cle.get());
  return liste;
}

TCleRegistre* TCleRegistre::Cherche(const QStringList& chemin) {
  TCleRegistre* cle = this;
  for (const QString& nom : chemin) {
    cle = cle->SousCle(nom);
    if (!cle) return nullptr;
  }
  return cle;
}

const TCleRegistre* TCleRegistre::Cherche(const QStringList& chemin) const {
  return const_cast<TCleRegistre*>(this)->Cherche(chemin);
}

TCleRegistre& TCleRegistre::Cree(const QStringList& chemin) {
  TCleRegistre* cle = this;
  for (const QString& nom : chemin) cle = &cle->CreeSousCle(nom);
  return *cle;
}

bool TCleRegistre::Supprime(const QStringList& chemin) {
  if (chemin.isEmpty()) return false;
  TCleRegistre* parent = Cherche(chemin.mid(0, chemin.size() - 1));
  return parent && parent->SupprimeSousCle(chemin.last());
}

const TValeurRegistre* TCleRegistre::Valeur(const QString& chNom) const {
  auto it = FValeurs.find(Pli(chNom));
  return it == FValeurs.end() ? nullptr : &it->second.second;
}

void TCleRegistre::EcritValeur(const QString& chNom, const TValeurRegistre& valeur) {
  auto it = FValeurs.find(Pli(chNom));
  if (it == FValeurs.end())
    FValeurs.emplace(Pli(chNom), std::make_pair(chNom, valeur));
  else
    it->second.second = valeur;
}

bool TCleRegistre::SupprimeValeur(const QString& chNom) { return FValeurs.erase(Pli(chNom)) > 0; }

QStringList TCleRegistre::NomsValeurs() const {
  QStringList noms;
  for (const auto& [pli, paire] : FValeurs) noms.append(paire.first);
  return noms;
}

bool TCleRegistre::operator==(const TCleRegistre& autre) const {
  if (FNom != autre.FNom || FValeurs != autre.FValeurs || FSousCles.size() != autre.FSousCles.size())
    return false;
  for (auto a = FSousCles.begin(), b = autre.FSousCles.begin(); a != FSousCles.end(); ++a, ++b)
    if (a->first != b->first || !(*a->second == *b->second)) return false;
  return true;
}
