#include "fb/champ.h"

#include "fb/jeudonnees.h"
#include "fb/fbinterne.h"
#include "base/erreur.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

TChamp::TChamp(TJeuDonnees* jeu, int iIndex, QString chNom, TTypeChamp type, int iTaille, bool bRequis)
    : FJeu(jeu), FIndex(iIndex), FNom(std::move(chNom)), FType(type), FTaille(iTaille), FRequis(bRequis) {}

bool TChamp::EstNumerique() const {
  switch (FType) {
    case TTypeChamp::ftSmallint: case TTypeChamp::ftInteger: case TTypeChamp::ftLargeint:
    case TTypeChamp::ftFloat: case TTypeChamp::ftBCD:
      return true;
    default:
      return false;
  }
}

bool TChamp::EstTexte() const {
  return FType == TTypeChamp::ftString || FType == TTypeChamp::ftFixedChar || FType == TTypeChamp::ftMemo;
}

bool TChamp::EstDate() const {
  return FType == TTypeChamp::ftDate || FType == TTypeChamp::ftTime || FType == TTypeChamp::ftDateTime;
}

TTypeValeur TChamp::TypeValeur() const {
  switch (FType) {
    case TTypeChamp::ftSmallint: case TTypeChamp::ftInteger: case TTypeChamp::ftLargeint:
      return TTypeValeur::Entier;
    case TTypeChamp::ftFloat: case TTypeChamp::ftBCD: return TTypeValeur::Reel;
    case TTypeChamp::ftDate: return TTypeValeur::Date;
    case TTypeChamp::ftTime: return TTypeValeur::Heure;
    case TTypeChamp::ftDateTime: return TTypeValeur::DateHeure;
    case TTypeChamp::ftBoolean: return TTypeValeur::Booleen;
    case TTypeChamp::ftBlob: return TTypeValeur::Binaire;
    default: return TTypeValeur::Texte;
  }
}

bool TChamp::IsNull() const {
  const fbi::Colonne* c = nullptr;
  return FJeu->Brut(FIndex, c) == nullptr;
}
QVariant TChamp::Value() const { return FJeu->LireChamp(FIndex); }

qint64 TChamp::AsLargeInt() const {
  const fbi::Colonne* c = nullptr;
  const unsigned char* buf = FJeu->Brut(FIndex, c);
  if (!buf) return 0;
  qint64 i;
  if (fbi::LireEntier(buf, *c, i)) return i;
  const QVariant v = Value();
  if (!v.isValid()) return 0;
  if (EstTexte()) {
    bool ok = false;
    const qint64 i = v.toString().trimmed().toLongLong(&ok);
    if (!ok) throw EErreur(QStringLiteral("'%1' n'est pas un entier valide").arg(v.toString()));
    return i;
  }
  if (v.typeId() == QMetaType::Double) return static_cast<qint64>(std::llround(v.toDouble()));
  return v.toLongLong();
}

int TChamp::AsInteger() const { return static_cast<int>(AsLargeInt()); }

double TChamp::AsDouble() const {
  const fbi::Colonne* c = nullptr;
  const unsigned char* buf = FJeu->Brut(FIndex, c);
  if (!buf) return 0;
  double d;
  if (fbi::LireReel(buf, *c, d)) return d;
  const QVariant v = Value();
  if (!v.isValid()) return 0;
  if (EstTexte()) {
    QString s = v.toString().trimmed();
    s.replace(',', '.');
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (!ok) throw EErreur(QStringLiteral("'%1' n'est pas un nombre valide").arg(v.toString()));
    return d;
  }
  return v.toDouble();
}

bool TChamp::AsBoolean() const {
  const QVariant v = Value();
  if (!v.isValid()) return false;
  if (EstTexte()) {
    const QString s = v.toString().trimmed().toUpper();
    return !(s.isEmpty() || s == "0" || s == "N" || s == "F" || s == "FALSE");
  }
  return v.toDouble() != 0;
}

QByteArray TChamp::AsBytes() const { return Value().toByteArray(); }

QString TChamp::AsString() const {
  if (!OnGetText) {
    const fbi::Colonne* c = nullptr;
    const unsigned char* buf = FJeu->Brut(FIndex, c);
    if (!buf) return {};
    fbi::Codage cod;
    cod.bUtf8 = FJeu->TexteUtf8();
    QString s;
    if (fbi::LireTexte(buf, *c, cod, s)) return s;
  }
  return TexteValeur(Value(), false);
}

static QString FormatDateMotif(const QString& motif, double dt) {
  // Patterns in the "dd/mm/yyyy hh:nn:ss" style: "mm" after "hh" are minutes ("nn" too).
  QString m = motif;
  m.replace(QLatin1String("nn"), QLatin1String("mm"));
  QString res;
  const QDateTime d = DateHeure::VersQDateTime(dt);
  QString q;
  bool apresHeure = false;
  for (int i = 0; i < m.size();) {
    const QChar c = m[i];
    int j = i;
    while (j < m.size() && m[j] == c) ++j;
    const int n = j - i;
    const QChar cl = c.toLower();
    if (cl == 'h') { q += QString(n, 'h'); apresHeure = true; }
    else if (cl == 'm') q += apresHeure ? QString(n, 'm') : QString(n, 'M');
    else if (cl == 'd' || cl == 'y' || cl == 's') q += QString(n, cl);
    else {
      q += '\'' + m.mid(i, n) + '\'';
    }
    i = j;
  }
  return d.toString(q);
}

QString TChamp::TexteValeur(const QVariant& v, bool bAffichage) const {
  QString s;
  if (v.isValid()) {
    switch (FType) {
      case TTypeChamp::ftFloat:
      case TTypeChamp::ftBCD: {
        const double d = v.toDouble();
        if (bAffichage && !FFormat.isEmpty()) s = FormatNombre(FFormat, d);
        else s = QLocale::c().toString(d, 'g', 15).replace('.', ',');
        break;
      }
      case TTypeChamp::ftSmallint: case TTypeChamp::ftInteger: case TTypeChamp::ftLargeint:
        s = bAffichage && !FFormat.isEmpty() ? FormatNombre(FFormat, v.toDouble()) : v.toString();
        break;
      case TTypeChamp::ftDate:
        s = bAffichage && !FFormat.isEmpty() ? FormatDateMotif(FFormat, v.toDouble()) : DateHeure::FormatDate(v.toDouble());
        break;
      case TTypeChamp::ftTime:
        s = bAffichage && !FFormat.isEmpty() ? FormatDateMotif(FFormat, v.toDouble()) : DateHeure::FormatHeure(v.toDouble());
        break;
      case TTypeChamp::ftDateTime: {
        const double d = v.toDouble();
        if (bAffichage && !FFormat.isEmpty()) s = FormatDateMotif(FFormat, d);
        else s = DateHeure::Frac(d) == 0 ? DateHeure::FormatDate(d) : DateHeure::FormatDateHeureSecondes(d);
        break;
      }
      case TTypeChamp::ftBoolean: s = v.toBool() ? QStringLiteral("True") : QStringLiteral("False"); break;
      case TTypeChamp::ftBlob: s = QStringLiteral("(blob)"); break;
      default: s = v.toString(); break;
    }
  }
  if (OnGetText) OnGetText(const_cast<TChamp&>(*this), s, bAffichage);
  return s;
}

QString TChamp::DisplayText() const { return TexteValeur(Value(), true); }
QString TChamp::Text() const { return TexteValeur(Value(), false); }

void TChamp::SetValue(const QVariant& v) { FJeu->EcrireChamp(FIndex, v); }

void TChamp::SetAsString(const QString& s) {
  if (EstTexte() || FType == TTypeChamp::ftBlob) { SetValue(s); return; }
  const QString t = s.trimmed();
  if (t.isEmpty()) { SetValue(QVariant()); return; }
  if (EstDate()) {
    // French short formats typed by the user.
    QDateTime d;
    for (const char* f : {"dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy", "HH:mm:ss", "HH:mm"}) {
      const QString fmt = QString::fromLatin1(f);
      if (fmt.startsWith('H')) {
        const QTime h = QTime::fromString(t, fmt);
        if (h.isValid()) { SetValue(DateHeure::EncodeTime(h.hour(), h.minute(), h.second())); return; }
      } else {
        d = QDateTime::fromString(t, fmt);
        if (d.isValid()) { SetValue(DateHeure::DepuisQDateTime(d)); return; }
      }
    }
    throw EErreur(QStringLiteral("'%1' n'est pas une date valide").arg(s));
  }
  if (FType == TTypeChamp::ftBoolean) {
    const QString u = t.toUpper();
    SetValue(!(u == "0" || u == "N" || u == "F" || u == "FALSE" || u == "NON"));
    return;
  }
  QString n = t;
  n.remove(' ').remove(QChar(0xA0)).replace(',', '.');
  bool ok = false;
  const double d = n.toDouble(&ok);
  if (!ok) throw EErreur(QStringLiteral("'%1' n'est pas un nombre valide").arg(s));
  if (FType == TTypeChamp::ftFloat || FType == TTypeChamp::ftBCD) SetValue(d);
  else {
    if (d != std::floor(d)) throw EErreur(QStringLiteral("'%1' n'est pas un entier valide").arg(s));
    SetValue(static_cast<qint64>(d));
  }
}

QString FormatNombre(const QString& chFormat, double d) {
  int debut = -1, fin = -1;
  for (int i = 0; i < chFormat.size(); ++i) {
    const QChar c = chFormat[i];
    if (c == '#' || c == '0' || c == ',' || c == '.') {
      if (debut < 0) debut = i;
      fin = i;
    }
  }
  if (debut < 0) return chFormat;
  const QString motif = chFormat.mid(debut, fin - debut + 1);
  const int point = motif.indexOf('.');
  const QString partEnt = point < 0 ? motif : motif.left(point);
  const QString partDec = point < 0 ? QString() : motif.mid(point + 1);
  const bool milliers = partEnt.contains(',');
  const int minEnt = int(partEnt.count('0'));
  const int minDec = int(partDec.count('0'));
  const int maxDec = int(partDec.count('0') + partDec.count('#'));
  QString chiffres = QString::number(std::fabs(d), 'f', maxDec);
  QString ent = chiffres, dec;
  const int p = chiffres.indexOf('.');
  if (p >= 0) { ent = chiffres.left(p); dec = chiffres.mid(p + 1); }
  while (dec.size() > minDec && dec.endsWith('0')) dec.chop(1);
  if (ent == QLatin1String("0") && minEnt == 0) ent.clear();
  while (ent.size() < minEnt) ent.prepend('0');
  if (milliers)
    for (int i = int(ent.size()) - 3; i > 0; i -= 3) ent.insert(i, ' ');
  QString res = ent;
  if (!dec.isEmpty()) res += ',' + dec;
  if (res.isEmpty()) res = QStringLiteral("0");
  const bool negatif = d < 0 && (res.contains(QRegularExpression(QStringLiteral("[1-9]"))));
  if (negatif) res.prepend('-');
  return chFormat.left(debut) + res + chFormat.mid(fin + 1);
}
