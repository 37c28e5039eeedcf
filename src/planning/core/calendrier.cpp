#include "planning/core/calendrier.h"

#include "base/messages.h"

using DateHeure::Frac;
using DateHeure::Int;
using DateHeure::JourSemaine;

namespace {
const QChar q = QLatin1Char('"');
// A time of day read back from a date carries rounding of the order of 1e-11 day: an instant
// meant to be exactly at a slot's start must fall in that slot, not in the previous one.
constexpr double kTolerance = 1e-9;
}

void TCalendrier::AjouterCreneau(const TCreneau& c, int iIndex) {
  if (iIndex < 0 || iIndex > Creneaux.size())
    Creneaux.append(c);
  else
    Creneaux.insert(iIndex, c);
  NbEchecs = 0;
}

void TCalendrier::AjouterPeriode(const TPeriode& p) {
  Periodes.append(p);
  NbEchecs = 0;
}

void TCalendrier::ViderCreneaux() { Creneaux.clear(); }

void TCalendrier::ViderPeriodes() { Periodes.clear(); }

int TCalendrier::ChercherCreneau(int iJour, double dHeure, bool& bTrouve) const {
  bTrouve = false;
  if (Creneaux.isEmpty()) return -3;
  for (int i = Creneaux.size() - 1; i >= 0; --i) {
    const TCreneau& c = Creneaux[i];
    if (c.C_JOUR < iJour || (c.C_JOUR == iJour && c.H_DEBUT <= dHeure + kTolerance)) {
      bTrouve = true;
      return i;
    }
  }
  return 0;  // before the week's first slot
}

int TCalendrier::ChercherPeriode(TDateTime dt, bool& bTrouve) const {
  bTrouve = false;
  int iResultat = -3;
  for (int i = 0; i < Periodes.size(); ++i) {
    const TPeriode& p = Periodes[i];
    if (p.DH_DEBUT > dt) break;
    iResultat = i;
    if (dt < p.DH_FIN) {
      bTrouve = true;
      break;
    }
  }
  return iResultat;
}

int TCalendrier::CreneauA(TDateTime dt, bool& bPeriode, int& iEfficacite,
                          TDateTime& dtDebutCreneau) const {
  bPeriode = false;
  bool bTrouve = false;
  const int ip = ChercherPeriode(dt, bTrouve);
  if (ip >= 0 && bTrouve) {
    iEfficacite = Periodes[ip].EFFICACITE;
    dtDebutCreneau = Periodes[ip].DH_DEBUT;
    bPeriode = true;
    return ip;
  }
  const int d = JourSemaine(dt);
  int iw = ChercherCreneau(d, Frac(dt), bTrouve);
  if (iw < 0) {
    iEfficacite = EfficaciteDefaut;
    dtDebutCreneau = dt;
    return -1;
  }
  if (!bTrouve) {
    // Before the week's first slot: the last slot of the previous week is in force.
    iw = Creneaux.size() - 1;
    iEfficacite = Creneaux[iw].EFFICACITE;
    dtDebutCreneau = Int(dt) - d + 1;
  } else {
    iEfficacite = Creneaux[iw].EFFICACITE;
    dtDebutCreneau = Int(dt) - d + Creneaux[iw].C_JOUR + Creneaux[iw].H_DEBUT;
  }
  // A special period that ended inside this slot: the slot only starts at its end.
  if (ip >= 0 && dtDebutCreneau <= Periodes[ip].DH_FIN) dtDebutCreneau = Periodes[ip].DH_FIN;
  return iw;
}

TDateTime TCalendrier::FinCreneau(int iIndex, bool& bPeriode, TDateTime dt) const {
  if (iIndex < 0) {
    bPeriode = false;
    TDateTime resultat = dt + HorizonOuvert;
    if (!Periodes.isEmpty()) {
      bPeriode = true;
      bool bTrouve = false;
      int ip = ChercherPeriode(dt + PasFrontiere, bTrouve);
      if (bTrouve) {
        resultat = Periodes[ip].DH_FIN;
      } else {
        if (ip < 0) ip = -1;
        if (ip + 1 < Periodes.size())
          resultat = Periodes[ip + 1].DH_DEBUT;
        else
          bPeriode = false;
      }
    }
    return resultat;
  }
  if (bPeriode) {
    if (iIndex < Periodes.size()) return Periodes[iIndex].DH_FIN;
    bPeriode = false;
    Bip();
    return Int(dt) + 1;
  }
  if (iIndex >= Creneaux.size()) return 0;
  const int c = Creneaux[iIndex].C_JOUR;
  const int d = JourSemaine(dt);
  int e = c - d;
  int n = iIndex + 1;
  if (n >= Creneaux.size()) {
    n = 0;
    if (e <= 0) e += 7;
  }
  TDateTime resultat = Int(dt) + e + (Creneaux[n].C_JOUR - c) + Creneaux[n].H_DEBUT;
  // A special period starting before the next slot cuts this one.
  for (const TPeriode& p : Periodes) {
    if (p.DH_DEBUT >= dt && p.DH_DEBUT <= resultat) {
      resultat = p.DH_DEBUT;
      bPeriode = false;
      break;
    }
  }
  return resultat;
}

bool TCalendrier::InfoCreneau(int iIndex, bool bPeriode, int& iEtat, std::uint8_t& iMotif,
                              TColor& iCouleur) const {
  if (iIndex < 0) {
    iMotif = 1;
    return false;
  }
  if (bPeriode) {
    if (iIndex >= Periodes.size()) return false;
    const TPeriode& p = Periodes[iIndex];
    iCouleur = p.COULEUR;
    iMotif = p.MOTIF;
    iEtat = p.C_ETAT_CAL;
    return true;
  }
  if (iIndex >= Creneaux.size()) return false;
  const TCreneau& c = Creneaux[iIndex];
  iCouleur = c.COULEUR;
  iMotif = c.MOTIF;
  iEtat = c.C_ETAT_CAL;
  return true;
}

void TCalendrier::Echec(const QString& chMessage) {
  MsgErreur(chMessage);
  ++NbEchecs;
}

TDateTime TCalendrier::CalculDate(TDateTime dtDebut, TDateTime dtDuree) {
  if (NbEchecs > LimiteEchecs) return dtDebut + dtDuree;
  int iGarde = GardeBoucle;
  bool bPeriode = false;
  int iEff = 0;
  TDateTime dtDebutCreneau = 0;
  TDateTime resultat;

  if (dtDuree >= 0) {
    TDateTime s = dtDebut;
    int idx = CreneauA(s, bPeriode, iEff, dtDebutCreneau);
    resultat = s;
    double reste = dtDuree;
    bool bFini = false;
    do {
      const TDateTime b = FinCreneau(idx, bPeriode, s);
      if (iEff > 0) {
        if (b - s > reste) {
          resultat += reste;
          bFini = true;
          break;
        }
        resultat += b - s;
        reste -= b - s;
        // Only time actually consumed resets the guard, so that a boundary that does not
        // move forwards can never keep the loop alive.
        if (b > s) iGarde = GardeBoucle;
      } else {
        resultat += b - s;
      }
      --iGarde;
      s = b + PasFrontiere;
      idx = CreneauA(s, bPeriode, iEff, dtDebutCreneau);
    } while (reste >= 0 && iGarde > 0);
    if (!bFini && iGarde <= 0) {
      Echec(QStringLiteral("Erreur : boucle 1 sans fin dans CalculDate (ligne=") + q + NomLigne +
            q + QStringLiteral(")"));
      resultat = dtDebut + dtDuree;
    }
  } else {
    double reste = -dtDuree;
    const double resteInitial = reste;
    TDateTime s = dtDebut;
    int idx = CreneauA(s, bPeriode, iEff, dtDebutCreneau);
    if (idx < 0) {
      resultat = dtDebut - reste;
    } else {
      resultat = s;
      bool bFini = false;
      do {
        if (iEff > 0 && s > dtDebutCreneau) {
          if (s - dtDebutCreneau >= reste) {
            resultat -= reste;
            bFini = true;
            break;
          }
          resultat -= s - dtDebutCreneau;
          reste -= s - dtDebutCreneau;
          iGarde = GardeBoucle;
        } else {
          resultat -= s - dtDebutCreneau;
        }
        --iGarde;
        s = dtDebutCreneau;
        idx = CreneauA(dtDebutCreneau - PasFrontiere, bPeriode, iEff, dtDebutCreneau);
      } while (reste > 0 && iGarde > 0);
      if (!bFini && iGarde <= 0) {
        Echec(QStringLiteral("Erreur : boucle 2 sans fin dans CalculDate (ligne=") + q +
              NomLigne + q + QStringLiteral(")"));
        resultat = dtDebut - resteInitial;
      }
    }
  }
  if (NbEchecs > LimiteEchecs)
    MsgAttention(QString::fromUtf8("Le calendrier de la ligne ") + q + NomLigne + q +
                 QString::fromUtf8(" est ignoré."));
  return resultat;
}

double TCalendrier::DureeTravail(TDateTime dtDebut, TDateTime dtFin) const {
  if (dtDebut > dtFin) return 0;
  if (NbEchecs > LimiteEchecs) return dtFin - dtDebut;
  int iGarde = GardeBoucle;
  bool bPeriode = false;
  int iEff = 0;
  TDateTime dtDebutCreneau = 0;
  TDateTime c = dtDebut;
  int idx = CreneauA(c, bPeriode, iEff, dtDebutCreneau);
  double resultat = 0;
  TDateTime b;
  do {
    b = FinCreneau(idx, bPeriode, c);
    if (iEff > 0) {
      if (b >= dtFin) {
        resultat += dtFin - c;
        return resultat;
      }
      resultat += b - c;
      if (b > c) iGarde = GardeBoucle;
    }
    --iGarde;
    idx = CreneauA(b + PasFrontiere, bPeriode, iEff, dtDebutCreneau);
    c = dtDebutCreneau;
  } while (b < dtFin && iGarde > 0);
  if (iGarde <= 0)
    MsgErreur(QStringLiteral("Erreur : boucle 1 sans fin dans CalculDate (ligne=") + q + NomLigne +
              q + QStringLiteral(")"));
  return resultat;
}
