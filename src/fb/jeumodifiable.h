#pragma once
// An updatable dataset: a selection plus refresh, insert, modify and delete statements
// whose parameters are named after the columns; a name with the prefix "OLD_" takes the
// value the row had before the edit. A statement left empty forbids its operation.

#include "fb/jeudonnees.h"

#include <memory>

class TJeuModifiable : public TJeuDonnees {
  Q_OBJECT
 public:
  explicit TJeuModifiable(QObject* parent = nullptr);
  ~TJeuModifiable() override;

  const QString& SelectSQL() const { return TexteSelection(); }
  void SetSelectSQL(const QString& s) { FixerTexteSelection(s); }
  const QString& RefreshSQL() const { return FSql[0]; }
  void SetRefreshSQL(const QString& s) { FixerSql(0, s); }
  const QString& InsertSQL() const { return FSql[1]; }
  void SetInsertSQL(const QString& s) { FixerSql(1, s); }
  const QString& ModifySQL() const { return FSql[2]; }
  void SetModifySQL(const QString& s) { FixerSql(2, s); }
  const QString& DeleteSQL() const { return FSql[3]; }
  void SetDeleteSQL(const QString& s) { FixerSql(3, s); }

  bool CanModify() const override;
  // Reads the current row again through RefreshSQL.
  void RefreshRecord();

 protected:
  void InternalPost(bool bInsertion) override;
  void InternalDelete() override;
  bool PeutAjouter() const override { return !FSql[1].trimmed().isEmpty(); }
  bool PeutEditer() const override { return !FSql[2].trimmed().isEmpty(); }
  bool PeutSupprimer() const override { return !FSql[3].trimmed().isEmpty(); }
  void FermetureConnexion() override;

 private:
  void FixerSql(int i, const QString& s);
  TInstruction& Instruction(int i);
  // Values of the statement's parameters taken from the row (new values) and from the
  // row before the edit ("OLD_" names).
  std::vector<TParametre> ValeursParametres(TInstruction& instr, const TLigne& nouv, const TLigne& anc);
  void Relire(TLigne& cible);

  QString FSql[4];
  std::unique_ptr<TInstruction> FInstr[4];
};
