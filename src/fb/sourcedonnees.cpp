#include "fb/sourcedonnees.h"

TSourceDonnees::~TSourceDonnees() {
  if (FJeu) FJeu->RetirerSource(this);
}

void TSourceDonnees::SetDataSet(TJeuDonnees* jeu) {
  if (jeu == FJeu) return;
  if (FJeu) FJeu->RetirerSource(this);
  FJeu = jeu;
  if (jeu) jeu->AjouterSource(this);
  emit StateChange();
  emit DataSetChange();
  emit DataChange(nullptr);
}

void TSourceDonnees::SetEnabled(bool b) {
  if (b == FActif) return;
  FActif = b;
  emit StateChange();
  emit DataSetChange();
  emit DataChange(nullptr);
}

bool TSourceDonnees::Edit() {
  if (!FJeu || !FJeu->Active()) return false;
  if (FJeu->EnEdition()) return true;
  if (!FAutoEdit) return false;
  FJeu->Edit();
  return FJeu->EnEdition();
}

void TSourceDonnees::Recevoir(TEvenementJeu e, TChamp* f) {
  if (!FActif) return;
  switch (e) {
    case TEvenementJeu::deUpdateState: emit StateChange(); break;
    case TEvenementJeu::deDataSetChange: emit DataSetChange(); emit DataChange(nullptr); break;
    case TEvenementJeu::deDataSetScroll: emit Scroll(); emit DataChange(nullptr); break;
    case TEvenementJeu::deRecordChange: emit DataChange(nullptr); break;
    case TEvenementJeu::deFieldChange: emit DataChange(f); break;
    case TEvenementJeu::deUpdateRecord: emit UpdateData(); break;
  }
}
