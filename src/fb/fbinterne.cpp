#include "fb/fbinterne.h"

#include <ibase.h>

#include <QtGlobal>
#include <cmath>
#include <cstring>

using namespace Firebird;

namespace fbi {

IMaster* Maitre() {
  static IMaster* maitre = fb_get_master_interface();
  return maitre;
}

IUtil* Util() {
  static IUtil* util = Maitre()->getUtilInterface();
  return util;
}

// Characters of the Windows code page at 0x80..0x9F (0 where it has none).
static const char16_t Cp1252[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

QByteArray EncodeTexte8(const QString& s) {
  QByteArray b(s.size(), Qt::Uninitialized);
  char* out = b.data();
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t c = s[i].unicode();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out[i] = static_cast<char>(c);
      continue;
    }
    int code = -1;
    for (int k = 0; k < 32 && code < 0; ++k)
      if (Cp1252[k] == c) code = 0x80 + k;
    if (code < 0 && c >= 0x80 && c < 0xA0 && Cp1252[c - 0x80] == 0) code = c;  // kept as read
    if (code < 0)
      throw EErreur(QStringLiteral("Le texte contient un caractère que la base ne peut pas enregistrer : « %1 ».")
                        .arg(s.mid(i, s[i].isHighSurrogate() ? 2 : 1)));
    out[i] = static_cast<char>(code);
  }
  return b;
}

QString DecodeTexte8(const char* p, int n) {
  QString s = QString::fromLatin1(p, n);
  for (int i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(p[i]);
    if (c >= 0x80 && c < 0xA0 && Cp1252[c - 0x80]) s[i] = QChar(Cp1252[c - 0x80]);
  }
  return s;
}

static QString TexteMessage(const char* p) {
  // Server messages are plain ASCII, but they may quote user data or file names.
  QByteArray b(p);
  QString s = QString::fromUtf8(b);
  if (s.contains(QChar::ReplacementCharacter)) s = QString::fromLatin1(b);
  return s.trimmed();
}

EErreurBase ErreurDepuis(IStatus* status) {
  const intptr_t* v = status->getErrors();
  QList<qint64> codes;
  for (const intptr_t* p = v; *p != isc_arg_end;) {
    const intptr_t arg = *p++;
    if (arg == isc_arg_gds) codes << static_cast<qint64>(*p);
    if (arg == isc_arg_cstring) p += 2;
    else p += 1;
  }
  char tampon[2048];
  Util()->formatStatus(tampon, sizeof tampon, status);
  const int sqlcode = static_cast<int>(isc_sqlcode(reinterpret_cast<const ISC_STATUS*>(v)));
  return EErreurBase(TexteMessage(tampon), sqlcode, codes.isEmpty() ? 0 : codes.first(), codes);
}

ISC_DATE VersIscDate(TDateTime dt) {
  return static_cast<ISC_DATE>(std::floor(dt + 1e-9)) + DecalageJours;
}

ISC_TIME VersIscTime(TDateTime dt) {
  double f = dt - std::floor(dt + 1e-9);
  if (f < 0) f = 0;
  auto t = static_cast<qint64>(std::llround(f * 864000000.0));
  if (t >= 864000000) t = 863999999;
  return static_cast<ISC_TIME>(t);
}

TDateTime DepuisIsc(ISC_DATE d, ISC_TIME t) {
  return static_cast<double>(d - DecalageJours) + static_cast<double>(t) / 864000000.0;
}

std::vector<Colonne> LireColonnes(IMessageMetadata* meta) {
  Statut st;
  std::vector<Colonne> cols;
  const unsigned n = meta->getCount(&st);
  cols.reserve(n);
  for (unsigned i = 0; i < n; ++i) {
    Colonne c;
    c.chNom = QString::fromUtf8(meta->getAlias(&st, i));
    c.chRelation = QString::fromUtf8(meta->getRelation(&st, i));
    c.chChamp = QString::fromUtf8(meta->getField(&st, i));
    if (c.chNom.isEmpty()) c.chNom = c.chChamp;
    c.type = meta->getType(&st, i) & ~1u;
    c.sousType = meta->getSubType(&st, i);
    c.echelle = meta->getScale(&st, i);
    c.longueur = meta->getLength(&st, i);
    c.offset = meta->getOffset(&st, i);
    c.offsetNull = meta->getNullOffset(&st, i);
    c.charset = meta->getCharSet(&st, i);
    c.bNullable = meta->isNullable(&st, i);
    cols.push_back(c);
  }
  return cols;
}

// Fetched rows are stored side by side, so a value may sit at any address: read it by copy.
template <class T>
static T Lire(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

static double Puissance10(int e) {
  static const double t[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12,
                             1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  return (e >= 0 && e <= 18) ? t[e] : std::pow(10.0, e);
}

QVariant LireValeur(const unsigned char* buf, const Colonne& c, const Codage& cod,
                    const QByteArray* pBlob) {
  if (Lire<short>(buf + c.offsetNull)) return {};
  const unsigned char* p = buf + c.offset;
  switch (c.type) {
    case SQL_SHORT: {
      const qint16 v = Lire<qint16>(p);
      if (c.echelle < 0) return v / Puissance10(-c.echelle);
      return static_cast<int>(v);
    }
    case SQL_LONG: {
      const qint32 v = Lire<qint32>(p);
      if (c.echelle < 0) return v / Puissance10(-c.echelle);
      return static_cast<int>(v);
    }
    case SQL_INT64: {
      const qint64 v = Lire<qint64>(p);
      if (c.echelle < 0) return static_cast<double>(v) / Puissance10(-c.echelle);
      return v;
    }
    case SQL_FLOAT: return static_cast<double>(Lire<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return Lire<double>(p);
    case SQL_TEXT: {
      int n = static_cast<int>(c.longueur);
      if (c.charset != 1)  // OCTETS keep their padding bytes
        while (n > 0 && p[n - 1] == ' ') --n;
      return cod.Decode(reinterpret_cast<const char*>(p), n);
    }
    case SQL_VARYING: {
      const quint16 n = Lire<quint16>(p);
      return cod.Decode(reinterpret_cast<const char*>(p + 2), n);
    }
    case SQL_TYPE_DATE: return DepuisIsc(Lire<ISC_DATE>(p), 0);
    case SQL_TYPE_TIME:
      return DepuisIsc(DecalageJours, Lire<ISC_TIME>(p));
    case SQL_TIMESTAMP: {
      const auto ts = Lire<ISC_TIMESTAMP>(p);
      return DepuisIsc(ts.timestamp_date, ts.timestamp_time);
    }
    case SQL_BOOLEAN: return *p != 0;
    case SQL_BLOB:
      if (!pBlob) return {};
      if (c.sousType == 1) return cod.Decode(pBlob->constData(), pBlob->size());
      return *pBlob;
    default:
      return {};
  }
}

bool LireEntier(const unsigned char* buf, const Colonne& c, qint64& v) {
  if (c.echelle != 0) return false;
  const unsigned char* p = buf + c.offset;
  switch (c.type) {
    case SQL_SHORT: v = Lire<qint16>(p); return true;
    case SQL_LONG: v = Lire<qint32>(p); return true;
    case SQL_INT64: v = Lire<qint64>(p); return true;
    default: return false;
  }
}

bool LireReel(const unsigned char* buf, const Colonne& c, double& v) {
  const unsigned char* p = buf + c.offset;
  switch (c.type) {
    case SQL_DOUBLE: case SQL_D_FLOAT: v = Lire<double>(p); return true;
    case SQL_FLOAT: v = Lire<float>(p); return true;
    case SQL_TIMESTAMP: {
      const auto ts = Lire<ISC_TIMESTAMP>(p);
      v = DepuisIsc(ts.timestamp_date, ts.timestamp_time);
      return true;
    }
    case SQL_TYPE_DATE: v = DepuisIsc(Lire<ISC_DATE>(p), 0); return true;
    default: {
      qint64 i;
      if (!LireEntier(buf, c, i)) return false;
      v = static_cast<double>(i);
      return true;
    }
  }
}

bool LireTexte(const unsigned char* buf, const Colonne& c, const Codage& cod, QString& v) {
  const unsigned char* p = buf + c.offset;
  if (c.type == SQL_VARYING) {
    v = cod.Decode(reinterpret_cast<const char*>(p + 2), Lire<quint16>(p));
    return true;
  }
  if (c.type == SQL_TEXT && c.charset != 1) {
    int n = static_cast<int>(c.longueur);
    while (n > 0 && p[n - 1] == ' ') --n;
    v = cod.Decode(reinterpret_cast<const char*>(p), n);
    return true;
  }
  return false;
}

// A number given as a number or as a text (a French decimal comma is accepted).
static double VersReel(const QVariant& v) {
  bool ok = true;
  double d = 0;
  if (v.typeId() == QMetaType::QString) {
    QString s = v.toString().trimmed();
    s.replace(',', '.');
    d = s.toDouble(&ok);
  } else {
    d = v.toDouble(&ok);
  }
  if (!ok) throw EErreur(QStringLiteral("Valeur numérique incorrecte : %1").arg(v.toString()));
  return d;
}

static qint64 VersEntierEchelle(const QVariant& v, int echelle) {
  return std::llround(VersReel(v) * Puissance10(-echelle));
}

void EcrireValeur(unsigned char* buf, const Colonne& c, const QVariant& v, const Codage& cod,
                  QByteArray* pBlob) {
  auto* null = reinterpret_cast<short*>(buf + c.offsetNull);
  unsigned char* p = buf + c.offset;
  if (!v.isValid() || v.isNull()) {
    *null = -1;
    std::memset(p, 0, c.longueur);
    if (pBlob) pBlob->clear();
    return;
  }
  switch (c.type) {
    case SQL_SHORT: {
      const qint64 x = VersEntierEchelle(v, c.echelle);
      if (x < -32768 || x > 32767) throw EErreur(QStringLiteral("Valeur hors limites : %1").arg(x));
      *reinterpret_cast<qint16*>(p) = static_cast<qint16>(x);
      break;
    }
    case SQL_LONG: {
      const qint64 x = VersEntierEchelle(v, c.echelle);
      if (x < INT32_MIN || x > INT32_MAX) throw EErreur(QStringLiteral("Valeur hors limites : %1").arg(x));
      *reinterpret_cast<qint32*>(p) = static_cast<qint32>(x);
      break;
    }
    case SQL_INT64: *reinterpret_cast<qint64*>(p) = VersEntierEchelle(v, c.echelle); break;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
      const double d = VersReel(v);
      if (c.type == SQL_FLOAT) *reinterpret_cast<float*>(p) = static_cast<float>(d);
      else *reinterpret_cast<double*>(p) = d;
      break;
    }
    case SQL_TEXT:
    case SQL_VARYING: {
      const QByteArray b = cod.Encode(v.toString());
      if (static_cast<unsigned>(b.size()) > c.longueur)
        throw EErreur(QStringLiteral("Texte trop long (%1 caractères au plus) : %2")
                          .arg(c.longueur).arg(v.toString()));
      if (c.type == SQL_TEXT) {
        std::memset(p, ' ', c.longueur);
        std::memcpy(p, b.constData(), b.size());
      } else {
        *reinterpret_cast<quint16*>(p) = static_cast<quint16>(b.size());
        std::memcpy(p + 2, b.constData(), b.size());
      }
      break;
    }
    case SQL_TYPE_DATE: *reinterpret_cast<ISC_DATE*>(p) = VersIscDate(v.toDouble()); break;
    case SQL_TYPE_TIME: *reinterpret_cast<ISC_TIME*>(p) = VersIscTime(v.toDouble()); break;
    case SQL_TIMESTAMP: {
      auto* ts = reinterpret_cast<ISC_TIMESTAMP*>(p);
      ts->timestamp_date = VersIscDate(v.toDouble());
      ts->timestamp_time = VersIscTime(v.toDouble());
      break;
    }
    case SQL_BOOLEAN: *p = v.toBool() ? 1 : 0; break;
    case SQL_BLOB:
      if (!pBlob) throw EErreur(QStringLiteral("Champ blob non modifiable"));
      *pBlob = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : cod.Encode(v.toString());
      std::memset(p, 0, c.longueur);
      break;
    default:
      throw EErreur(QStringLiteral("Type de colonne non géré : %1").arg(c.chNom));
  }
  *null = 0;
}

QByteArray LireBlob(IAttachment* att, ITransaction* tra, const ISC_QUAD& id) {
  Statut st;
  ISC_QUAD q = id;
  IBlob* blob = att->openBlob(&st, tra, &q, 0, nullptr);
  QByteArray res;
  char morceau[32768];
  try {
    for (;;) {
      unsigned lu = 0;
      const int r = blob->getSegment(&st, sizeof morceau, morceau, &lu);
      if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT) res.append(morceau, lu);
      else break;
    }
    blob->close(&st);
  } catch (...) {
    blob->release();
    throw;
  }
  return res;
}

ISC_QUAD CreerBlob(IAttachment* att, ITransaction* tra, const QByteArray& data) {
  Statut st;
  ISC_QUAD id;
  IBlob* blob = att->createBlob(&st, tra, &id, 0, nullptr);
  try {
    for (qsizetype pos = 0; pos < data.size(); pos += 32000) {
      const auto n = static_cast<unsigned>(qMin<qsizetype>(32000, data.size() - pos));
      blob->putSegment(&st, n, data.constData() + pos);
    }
    blob->close(&st);
  } catch (...) {
    blob->release();
    throw;
  }
  return id;
}

static bool CarIdent(QChar c) {
  return c.isLetterOrNumber() || c == '_' || c == '$';
}

QString TraduireParametres(const QString& chSql, QStringList& noms) {
  noms.clear();
  QString res;
  res.reserve(chSql.size());
  const int n = chSql.size();
  for (int i = 0; i < n;) {
    const QChar c = chSql[i];
    if (c == '\'' || c == '"') {  // literal or quoted identifier, doubled quotes inside
      int j = i + 1;
      while (j < n) {
        if (chSql[j] == c) {
          if (j + 1 < n && chSql[j + 1] == c) { j += 2; continue; }
          break;
        }
        ++j;
      }
      res += chSql.mid(i, j + 1 - i);
      i = j + 1;
    } else if (c == '-' && i + 1 < n && chSql[i + 1] == '-') {
      int j = chSql.indexOf('\n', i);
      if (j < 0) j = n;
      res += chSql.mid(i, j - i);
      i = j;
    } else if (c == '/' && i + 1 < n && chSql[i + 1] == '*') {
      int j = chSql.indexOf(QStringLiteral("*/"), i + 2);
      j = j < 0 ? n : j + 2;
      res += chSql.mid(i, j - i);
      i = j;
    } else if (c == ':' && i + 1 < n && (CarIdent(chSql[i + 1]) || chSql[i + 1] == '"')) {
      int j = i + 1;
      QString nom;
      if (chSql[j] == '"') {
        const int f = chSql.indexOf('"', j + 1);
        const int fin = f < 0 ? n : f;
        nom = chSql.mid(j + 1, fin - j - 1);
        j = fin + 1;
      } else {
        while (j < n && CarIdent(chSql[j])) ++j;
        nom = chSql.mid(i + 1, j - i - 1).toUpper();
      }
      noms << nom;
      res += '?';
      i = j;
    } else {
      res += c;
      ++i;
    }
  }
  return res;
}

}  // namespace fbi

bool EErreurBase::ConnexionPerdue() const {
  using namespace CodesErreurBase;
  for (qint64 c : FCodes)
    if (c == ErreurReseau || c == CodesErreurBase::ConnexionPerdue || c == ArretServeur || c == 335544726 ||
        c == 335544727 || c == 335544648 || c == 335544856 || c == 335544324)
      return true;
  return false;
}
