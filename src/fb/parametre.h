#pragma once
// Named parameters of a statement or a stored procedure. A value remembers its kind
// (a date, a time and a date-time are all day counts) so that it reaches the server as
// what it is.

#include "base/datetime.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

enum class TTypeValeur { Nul, Entier, Reel, Texte, Date, Heure, DateHeure, Booleen, Binaire };

class TParametre {
 public:
  explicit TParametre(QString chNom) : FNom(std::move(chNom)) {}

  const QString& Name() const { return FNom; }
  TTypeValeur Type() const { return FType; }
  bool IsNull() const { return FType == TTypeValeur::Nul; }
  void Clear() { FType = TTypeValeur::Nul; FValeur = QVariant(); }

  void SetAsInteger(int i) { Fixer(TTypeValeur::Entier, qint64(i)); }
  void SetAsLargeInt(qint64 i) { Fixer(TTypeValeur::Entier, i); }
  void SetAsDouble(double d) { Fixer(TTypeValeur::Reel, d); }
  void SetAsString(const QString& s) { Fixer(TTypeValeur::Texte, s); }
  void SetAsDate(TDateTime dt) { Fixer(TTypeValeur::Date, dt); }
  void SetAsTime(TDateTime dt) { Fixer(TTypeValeur::Heure, dt); }
  void SetAsDateTime(TDateTime dt) { Fixer(TTypeValeur::DateHeure, dt); }
  void SetAsBoolean(bool b) { Fixer(TTypeValeur::Booleen, b); }
  void SetAsBytes(const QByteArray& b) { Fixer(TTypeValeur::Binaire, b); }
  // Kind taken from the variant: integers, doubles, texts, booleans, byte arrays; an
  // invalid or null variant clears the parameter.
  void SetValue(const QVariant& v);

  int AsInteger() const;
  qint64 AsLargeInt() const;
  double AsDouble() const;
  QString AsString() const;
  TDateTime AsDateTime() const { return AsDouble(); }
  bool AsBoolean() const;
  const QVariant& Value() const { return FValeur; }

  // Filled by the procedures from their outputs: the kind follows the column's type.
  void FixerSortie(TTypeValeur t, const QVariant& v) { if (v.isValid()) Fixer(t, v); else Clear(); }

 private:
  void Fixer(TTypeValeur t, QVariant v) { FType = t; FValeur = std::move(v); }
  QString FNom;
  TTypeValeur FType = TTypeValeur::Nul;
  QVariant FValeur;
};

class TParametres {
 public:
  int Count() const { return static_cast<int>(FListe.size()); }
  TParametre& operator[](int i) { return *FListe.at(i); }
  const TParametre& operator[](int i) const { return *FListe.at(i); }
  // Case-insensitive; ParamByName throws EErreur for an unknown name.
  TParametre* FindParam(const QString& chNom) const;
  TParametre& ParamByName(const QString& chNom) const;
  QStringList Names() const;

  // Makes the list hold exactly these names (first occurrence order), keeping the values
  // of names already present.
  void Definir(const QStringList& noms);
  TParametre& Ajouter(const QString& chNom);
  void Vider() { FListe.clear(); }

 private:
  std::vector<std::unique_ptr<TParametre>> FListe;
};
