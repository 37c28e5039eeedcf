#pragma once
// Private to the database access layer: one prepared statement with its named inputs and
// its output layout.

#include "fb/fbinterne.h"
#include "fb/parametre.h"

class TConnexion;
class TTransaction;

class TInstruction {
 public:
  explicit TInstruction(TConnexion* connexion) : FConnexion(connexion) {}
  ~TInstruction() { Liberer(); }

  // chSql with named parameters; their names (in order of appearance) come back in noms.
  void Preparer(TTransaction* t, const QString& chSql, bool bParams = true);
  void Liberer();
  bool Prete() const { return FInstr != nullptr; }
  unsigned Type() const { return FType; }
  bool EstSelection() const;
  const QStringList& NomsEntree() const { return FNoms; }
  const std::vector<fbi::Colonne>& Colonnes() const { return FColonnes; }
  unsigned TailleSortie() const { return FTailleSortie; }
  bool AvecBlobs() const { return FAvecBlobs; }
  const fbi::Codage& Codage() const { return FCodage; }
  TConnexion* Connexion() const { return FConnexion; }

  // entrees[i] is the value of the i-th input (nullptr: null).
  Firebird::IResultSet* Ouvrir(TTransaction* t, const std::vector<const TParametre*>& entrees);
  // Runs a statement that returns at most one row into sortie (may be null). Returns the
  // number of rows changed for INSERT, UPDATE and DELETE, -1 otherwise.
  qint64 Executer(TTransaction* t, const std::vector<const TParametre*>& entrees,
                  unsigned char* sortie = nullptr);

 private:
  void ConstruireEntree(TTransaction* t, const std::vector<const TParametre*>& entrees);
  void LibererEntree();

  TConnexion* FConnexion;
  Firebird::IStatement* FInstr = nullptr;
  Firebird::IMessageMetadata* FMetaEntreeDecl = nullptr;
  Firebird::IMessageMetadata* FMetaSortie = nullptr;
  Firebird::IMessageMetadata* FMetaEntree = nullptr;  // built for the values of one run
  QByteArray FTamponEntree;
  QStringList FNoms;
  std::vector<fbi::Colonne> FColonnes;
  unsigned FTailleSortie = 0;
  unsigned FType = 0;
  bool FAvecBlobs = false;
  fbi::Codage FCodage;
};
