#pragma once
// A stored procedure prepared from the parameters the database declares: outputs first,
// then inputs, each in declaration order. It runs as "SELECT * FROM name(:IN1, :IN2);"
// when it has outputs (the first row fills the outputs), else as
// "EXECUTE PROCEDURE name(:IN1, :IN2);" (no parentheses without inputs).

#include "fb/connexion.h"
#include "fb/parametre.h"
#include "fb/transaction.h"

#include <QObject>
#include <QPointer>
#include <memory>

class TInstruction;

class TProcedureStockee : public QObject, public TClientConnexion {
  Q_OBJECT
 public:
  explicit TProcedureStockee(QObject* parent = nullptr);
  ~TProcedureStockee() override;

  TConnexion* Database() const { return FConnexion.data(); }
  void SetDatabase(TConnexion* c);
  TTransaction* Transaction() const;
  void SetTransaction(TTransaction* t);
  const QString& StoredProcName() const { return FNom; }
  void SetStoredProcName(const QString& chNom);

  // Reads the declared parameters (throws EErreur for an unknown procedure) and prepares
  // the statement. Values already set on parameters of the same name are kept.
  void Prepare();
  void Unprepare();
  bool Prepared() const;
  void ExecProc();

  TParametres& Params() { return FParams; }
  TParametre& ParamByName(const QString& chNom) { return FParams.ParamByName(chNom); }
  int ParamCount() const { return FParams.Count(); }
  int NbSorties() const { return FNbSorties; }
  // The text the procedure runs with (after Prepare).
  const QString& TexteExecution() const { return FTexte; }

 private:
  void FermetureConnexion() override { Unprepare(); }

  QPointer<TConnexion> FConnexion;
  QPointer<TTransaction> FTransaction;
  QString FNom;
  QString FTexte;
  TParametres FParams;
  int FNbSorties = 0;
  QStringList FEntrees;
  std::unique_ptr<TInstruction> FInstr;
};
