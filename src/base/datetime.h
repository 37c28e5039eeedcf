#pragma once
// Dates are day counts held in a double: day 0 is 30 December 1899 at midnight and the
// time of day is the fraction. Durations in the engine are days as well.

#include <QDateTime>
#include <QString>

using TDateTime = double;

namespace DateHeure {

// A deadline of this value means "no deadline"; dates at or beyond it, and dates of 0 or
// less, are shown as empty texts.
constexpr TDateTime SansLimite = 999999.0;

constexpr double UneHeure = 1.0 / 24.0;
constexpr double UneMinute = 1.0 / 1440.0;
constexpr double UneSeconde = 1.0 / 86400.0;

// Integer part (truncation towards zero) and fractional part of a date.
double Int(TDateTime dt);
double Frac(TDateTime dt);

// Day of the week, 1 = Sunday ... 7 = Saturday.
int JourSemaine(TDateTime dt);

TDateTime EncodeDate(int iAnnee, int iMois, int iJour);
TDateTime EncodeTime(int iHeure, int iMinute, int iSeconde = 0, int iMilli = 0);
TDateTime EncodeDateHeure(int iAnnee, int iMois, int iJour, int iHeure, int iMinute,
                          int iSeconde = 0, int iMilli = 0);

// Conversions to and from Qt's local date-time (no time zone shift is applied: a day count
// is a wall-clock reading). Milliseconds are rounded to the nearest.
QDateTime VersQDateTime(TDateTime dt);
TDateTime DepuisQDateTime(const QDateTime& dt);
QDate VersQDate(TDateTime dt);
TDateTime DepuisQDate(const QDate& d);

// Current date and time. Tests may fix the clock; nullptr gives the real clock back.
TDateTime Maintenant();
TDateTime Aujourdhui();
using THorloge = TDateTime (*)();
void FixerHorloge(THorloge horloge);

// French short formats: "dd/mm/yyyy", "dd/mm/yyyy hh:nn", "dd/mm/yyyy hh:nn:ss", "hh:nn".
// Dates of 0 or less, or of 999999 or more, give an empty text.
bool DateAffichable(TDateTime dt);
QString FormatDate(TDateTime dt);
QString FormatDateHeure(TDateTime dt);
QString FormatDateHeureSecondes(TDateTime dt);
QString FormatHeure(TDateTime dt);

// French day and month names ("lundi", "janvier"), 1-based, as QLocale would give them but
// independent of the machine's locale. Day numbers follow JourSemaine (1 = Sunday).
QString NomJour(int iJour);
QString NomJourCourt(int iJour);
QString NomMois(int iMois);
QString NomMoisCourt(int iMois);

}  // namespace DateHeure
