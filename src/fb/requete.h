#pragma once
// A read-only query: SQL text with named parameters (":NOM"), opened as a dataset, or run
// with ExecSQL for statements that return no rows.

#include "fb/jeudonnees.h"

class TRequete : public TJeuDonnees {
  Q_OBJECT
 public:
  explicit TRequete(QObject* parent = nullptr) : TJeuDonnees(parent) {}

  const QString& SQL() const { return TexteSelection(); }
  void SetSQL(const QString& chSql) { FixerTexteSelection(chSql); }
  // With ParamCheck off, ":" is left alone (for bodies of EXECUTE BLOCK).
  bool ParamCheck() const { return FParamCheck; }
  void SetParamCheck(bool b) { FParamCheck = b; }

  // Runs a statement that returns no rows (or one, as EXECUTE PROCEDURE does).
  void ExecSQL();
  // Rows changed by the last ExecSQL (INSERT, UPDATE, DELETE), -1 otherwise.
  qint64 RowsAffected() const { return FLignesTouchees; }

 private:
  qint64 FLignesTouchees = -1;
};
