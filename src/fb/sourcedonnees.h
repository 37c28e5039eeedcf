#pragma once
// The link between a dataset and its data-aware controls (and the item model): it relays
// the dataset's changes as signals; controls write their pending edits on UpdateData.

#include "fb/jeudonnees.h"

#include <QObject>
#include <QPointer>

class TSourceDonnees : public QObject {
  Q_OBJECT
 public:
  explicit TSourceDonnees(QObject* parent = nullptr) : QObject(parent) {}
  ~TSourceDonnees() override;

  TJeuDonnees* DataSet() const { return FJeu; }
  void SetDataSet(TJeuDonnees* jeu);
  bool Enabled() const { return FActif; }
  void SetEnabled(bool b);
  // Typing into a control may start an edit.
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool b) { FAutoEdit = b; }
  TEtatJeu State() const { return FJeu ? FJeu->State() : TEtatJeu::dsInactive; }
  // Starts an edit when AutoEdit allows it and the dataset is browsing; true when the
  // dataset is then in edit or insert state.
  bool Edit();

  // Called by the dataset.
  void Recevoir(TEvenementJeu e, TChamp* f);
  void Oublier(TJeuDonnees* jeu) { if (FJeu == jeu) FJeu = nullptr; }

 signals:
  // f is the changed field, nullptr when the whole row (or the whole dataset) changed.
  void DataChange(TChamp* f);
  void StateChange();
  // The dataset changed as a whole (open, close, reload, insert, delete).
  void DataSetChange();
  // The current row changed.
  void Scroll();
  void UpdateData();

 private:
  TJeuDonnees* FJeu = nullptr;
  bool FActif = true;
  bool FAutoEdit = true;
};
