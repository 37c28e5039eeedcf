#pragma once
// A field of a dataset: reads and writes the value of the current row (or of the row
// being edited), with its display settings.

#include "base/datetime.h"
#include "fb/parametre.h"

#include <QString>
#include <QVariant>
#include <functional>

class TJeuDonnees;

enum class TTypeChamp {
  ftUnknown, ftSmallint, ftInteger, ftLargeint, ftFloat, ftBCD, ftString, ftFixedChar,
  ftDate, ftTime, ftDateTime, ftBoolean, ftMemo, ftBlob
};

class TChamp {
 public:
  TChamp(TJeuDonnees* jeu, int iIndex, QString chNom, TTypeChamp type, int iTaille, bool bRequis);

  TJeuDonnees* DataSet() const { return FJeu; }
  int Index() const { return FIndex; }
  const QString& FieldName() const { return FNom; }
  TTypeChamp DataType() const { return FType; }
  // Length in characters of a text field, 0 otherwise.
  int Size() const { return FTaille; }
  bool EstNumerique() const;
  bool EstTexte() const;
  bool EstDate() const;
  // Every field of these datasets is a data field (no calculated or looked-up fields).
  bool Calculated() const { return false; }
  bool Lookup() const { return false; }

  bool Required() const { return FRequis; }
  void SetRequired(bool b) { FRequis = b; }
  bool ReadOnly() const { return FLectureSeule; }
  void SetReadOnly(bool b) { FLectureSeule = b; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool b) { FVisible = b; }
  QString DisplayLabel() const { return FLibelle.isEmpty() ? FNom : FLibelle; }
  void SetDisplayLabel(const QString& s) { FLibelle = s; }
  int DisplayWidth() const { return FLargeur > 0 ? FLargeur : qBound(4, FTaille, 40); }
  void SetDisplayWidth(int i) { FLargeur = i; }
  // Number formats in the "#,##0.00" style (French separators); for dates "dd/mm/yyyy"
  // style patterns. Empty: the default text.
  const QString& DisplayFormat() const { return FFormat; }
  void SetDisplayFormat(const QString& s) { FFormat = s; }

  // Display handler: receives the field, the text to fill and whether it is for display
  // (true) or for editing (false).
  std::function<void(TChamp&, QString&, bool)> OnGetText;

  bool IsNull() const;
  QVariant Value() const;
  int AsInteger() const;
  qint64 AsLargeInt() const;
  double AsDouble() const;
  double AsFloat() const { return AsDouble(); }
  QString AsString() const;
  TDateTime AsDateTime() const { return AsDouble(); }
  bool AsBoolean() const;
  QByteArray AsBytes() const;
  // Text as shown (DisplayFormat, then OnGetText) and as edited.
  QString DisplayText() const;
  QString Text() const;

  // Writing needs the dataset in edit or insert state.
  void SetValue(const QVariant& v);
  void SetAsInteger(int i) { SetValue(i); }
  void SetAsLargeInt(qint64 i) { SetValue(i); }
  void SetAsDouble(double d) { SetValue(d); }
  void SetAsFloat(double d) { SetValue(d); }
  void SetAsString(const QString& s);
  void SetAsDateTime(TDateTime dt) { SetValue(dt); }
  void SetAsBoolean(bool b) { SetValue(b); }
  void SetText(const QString& s) { SetAsString(s); }
  void Clear() { SetValue(QVariant()); }

  // Kind of value a parameter receives from this field, and the copy itself.
  TTypeValeur TypeValeur() const;
  void AssignerA(TParametre& p) const { p.FixerSortie(TypeValeur(), Value()); }

  // Formats a value with this field's display format (used by the item model too).
  QString TexteValeur(const QVariant& v, bool bAffichage) const;

 private:
  friend class TJeuDonnees;
  TJeuDonnees* FJeu;
  int FIndex;
  QString FNom;
  TTypeChamp FType;
  int FTaille;
  bool FRequis;
  bool FLectureSeule = false;
  bool FVisible = true;
  QString FLibelle;
  int FLargeur = 0;
  QString FFormat;
};

// "#,##0.00"-style number formatting with French separators (space for thousands, comma
// for decimals). Literal text around the pattern is kept; ";" sections are not handled.
QString FormatNombre(const QString& chFormat, double d);
