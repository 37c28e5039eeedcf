#include "base/datetime.h"

#include <cmath>

namespace DateHeure {

namespace {
const QDate kOrigine(1899, 12, 30);
THorloge gHorloge = nullptr;
}  // namespace

double Int(TDateTime dt) { return std::trunc(dt); }

double Frac(TDateTime dt) { return dt - std::trunc(dt); }

int JourSemaine(TDateTime dt) {
  // Day 0 (30/12/1899) was a Saturday.
  const long long n = static_cast<long long>(std::floor(dt));
  return static_cast<int>(((n + 6) % 7 + 7) % 7) + 1;
}

TDateTime EncodeDate(int iAnnee, int iMois, int iJour) {
  return static_cast<TDateTime>(kOrigine.daysTo(QDate(iAnnee, iMois, iJour)));
}

TDateTime EncodeTime(int iHeure, int iMinute, int iSeconde, int iMilli) {
  return (iHeure * 3600000.0 + iMinute * 60000.0 + iSeconde * 1000.0 + iMilli) / 86400000.0;
}

TDateTime EncodeDateHeure(int iAnnee, int iMois, int iJour, int iHeure, int iMinute,
                          int iSeconde, int iMilli) {
  return EncodeDate(iAnnee, iMois, iJour) + EncodeTime(iHeure, iMinute, iSeconde, iMilli);
}

QDate VersQDate(TDateTime dt) { return kOrigine.addDays(static_cast<qint64>(std::floor(dt))); }

TDateTime DepuisQDate(const QDate& d) { return static_cast<TDateTime>(kOrigine.daysTo(d)); }

QDateTime VersQDateTime(TDateTime dt) {
  // Round to the millisecond first so that 07:59:59.9999 shows as 08:00 and not 07:59.
  const double ms = std::round(dt * 86400000.0);
  const double jours = std::floor(ms / 86400000.0);
  const int msJour = static_cast<int>(ms - jours * 86400000.0);
  return QDateTime(kOrigine.addDays(static_cast<qint64>(jours)),
                   QTime::fromMSecsSinceStartOfDay(msJour));
}

TDateTime DepuisQDateTime(const QDateTime& dt) {
  return kOrigine.daysTo(dt.date()) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

TDateTime Maintenant() {
  if (gHorloge) return gHorloge();
  return DepuisQDateTime(QDateTime::currentDateTime());
}

TDateTime Aujourdhui() { return std::floor(Maintenant()); }

void FixerHorloge(THorloge horloge) { gHorloge = horloge; }

bool DateAffichable(TDateTime dt) { return dt > 0 && dt < SansLimite; }

QString FormatDate(TDateTime dt) {
  return DateAffichable(dt) ? VersQDateTime(dt).toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString FormatDateHeure(TDateTime dt) {
  return DateAffichable(dt) ? VersQDateTime(dt).toString(QStringLiteral("dd/MM/yyyy hh:mm"))
                            : QString();
}

QString FormatDateHeureSecondes(TDateTime dt) {
  return DateAffichable(dt) ? VersQDateTime(dt).toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"))
                            : QString();
}

QString FormatHeure(TDateTime dt) {
  return DateAffichable(dt) ? VersQDateTime(dt).toString(QStringLiteral("hh:mm")) : QString();
}

QString NomJour(int iJour) {
  static const char* const noms[] = {"dimanche", "lundi",    "mardi", "mercredi",
                                     "jeudi",    "vendredi", "samedi"};
  return (iJour >= 1 && iJour <= 7) ? QString::fromUtf8(noms[iJour - 1]) : QString();
}

QString NomJourCourt(int iJour) {
  static const char* const noms[] = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
  return (iJour >= 1 && iJour <= 7) ? QString::fromUtf8(noms[iJour - 1]) : QString();
}

QString NomMois(int iMois) {
  static const char* const noms[] = {"janvier", "février", "mars",      "avril",
                                     "mai",     "juin",    "juillet",   "août",
                                     "septembre", "octobre", "novembre", "décembre"};
  return (iMois >= 1 && iMois <= 12) ? QString::fromUtf8(noms[iMois - 1]) : QString();
}

QString NomMoisCourt(int iMois) {
  static const char* const noms[] = {"janv.", "févr.", "mars", "avr.", "mai",  "juin",
                                     "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
  return (iMois >= 1 && iMois <= 12) ? QString::fromUtf8(noms[iMois - 1]) : QString();
}

}  // namespace DateHeure
