#include "base/reponseurscripte.h"

TReponseurScripte::TReponseurScripte() : FPrecedent(InstallerServiceMessages(this)) {}

TReponseurScripte::~TReponseurScripte() { InstallerServiceMessages(FPrecedent); }

QStringList TReponseurScripte::Textes() const {
  QStringList l;
  for (const auto& m : FMessages) l << m.Texte;
  return l;
}

QStringList TReponseurScripte::Textes(TGenre genre) const {
  QStringList l;
  for (const auto& m : FMessages)
    if (m.Genre == genre) l << m.Texte;
  return l;
}

void TReponseurScripte::Effacer() {
  FMessages.clear();
  FNbBips = 0;
  FQuestionsImprevues = 0;
}

void TReponseurScripte::Attention(const QString& chTexte) {
  FMessages.append({TGenre::Attention, chTexte});
}

void TReponseurScripte::Erreur(const QString& chTexte) {
  FMessages.append({TGenre::Erreur, chTexte});
}

bool TReponseurScripte::Confirmation(const QString& chTexte) {
  FMessages.append({TGenre::Confirmation, chTexte});
  if (FReponses.isEmpty()) {
    ++FQuestionsImprevues;
    return false;
  }
  return FReponses.takeFirst();
}
