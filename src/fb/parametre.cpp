#include "fb/parametre.h"

#include "base/erreur.h"

void TParametre::SetValue(const QVariant& v) {
  if (!v.isValid() || v.isNull()) { Clear(); return; }
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
      Fixer(TTypeValeur::Entier, v.toLongLong());
      break;
    case QMetaType::Double:
    case QMetaType::Float: Fixer(TTypeValeur::Reel, v.toDouble()); break;
    case QMetaType::Bool: Fixer(TTypeValeur::Booleen, v.toBool()); break;
    case QMetaType::QByteArray: Fixer(TTypeValeur::Binaire, v.toByteArray()); break;
    case QMetaType::QDate: Fixer(TTypeValeur::Date, DateHeure::DepuisQDate(v.toDate())); break;
    case QMetaType::QDateTime:
      Fixer(TTypeValeur::DateHeure, DateHeure::DepuisQDateTime(v.toDateTime()));
      break;
    default: Fixer(TTypeValeur::Texte, v.toString()); break;
  }
}

int TParametre::AsInteger() const { return static_cast<int>(AsLargeInt()); }

qint64 TParametre::AsLargeInt() const {
  if (FType == TTypeValeur::Nul) return 0;
  if (FType == TTypeValeur::Texte) {
    bool ok = false;
    const qint64 v = FValeur.toString().trimmed().toLongLong(&ok);
    if (!ok) throw EErreur(QStringLiteral("'%1' n'est pas un entier valide").arg(FValeur.toString()));
    return v;
  }
  if (FType == TTypeValeur::Reel || FType == TTypeValeur::Date || FType == TTypeValeur::DateHeure ||
      FType == TTypeValeur::Heure)
    return static_cast<qint64>(FValeur.toDouble());
  return FValeur.toLongLong();
}

double TParametre::AsDouble() const {
  if (FType == TTypeValeur::Nul) return 0;
  if (FType == TTypeValeur::Texte) {
    bool ok = false;
    QString s = FValeur.toString().trimmed();
    s.replace(',', '.');
    const double v = s.toDouble(&ok);
    if (!ok) throw EErreur(QStringLiteral("'%1' n'est pas un nombre valide").arg(FValeur.toString()));
    return v;
  }
  return FValeur.toDouble();
}

QString TParametre::AsString() const {
  switch (FType) {
    case TTypeValeur::Nul: return {};
    case TTypeValeur::Date: return DateHeure::FormatDate(FValeur.toDouble());
    case TTypeValeur::DateHeure: return DateHeure::FormatDateHeureSecondes(FValeur.toDouble());
    case TTypeValeur::Heure: return DateHeure::FormatHeure(FValeur.toDouble());
    case TTypeValeur::Booleen: return FValeur.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return FValeur.toString();
  }
}

bool TParametre::AsBoolean() const {
  if (FType == TTypeValeur::Nul) return false;
  if (FType == TTypeValeur::Texte) {
    const QString s = FValeur.toString().trimmed().toUpper();
    return !(s.isEmpty() || s == "0" || s == "N" || s == "F" || s == "FALSE");
  }
  return FValeur.toDouble() != 0;
}

TParametre* TParametres::FindParam(const QString& chNom) const {
  for (const auto& p : FListe)
    if (p->Name().compare(chNom, Qt::CaseInsensitive) == 0) return p.get();
  return nullptr;
}

TParametre& TParametres::ParamByName(const QString& chNom) const {
  TParametre* p = FindParam(chNom);
  if (!p) throw EErreur(QStringLiteral("Paramètre inconnu : %1").arg(chNom));
  return *p;
}

QStringList TParametres::Names() const {
  QStringList l;
  for (const auto& p : FListe) l << p->Name();
  return l;
}

void TParametres::Definir(const QStringList& noms) {
  std::vector<std::unique_ptr<TParametre>> nouv;
  for (const QString& n : noms) {
    bool deja = false;
    for (const auto& p : nouv)
      if (p->Name().compare(n, Qt::CaseInsensitive) == 0) deja = true;
    if (deja) continue;
    std::unique_ptr<TParametre> existant;
    for (auto& p : FListe)
      if (p && p->Name().compare(n, Qt::CaseInsensitive) == 0) existant = std::move(p);
    nouv.push_back(existant ? std::move(existant) : std::make_unique<TParametre>(n));
  }
  FListe = std::move(nouv);
}

TParametre& TParametres::Ajouter(const QString& chNom) {
  FListe.push_back(std::make_unique<TParametre>(chNom));
  return *FListe.back();
}
