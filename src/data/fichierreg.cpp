#include "data/fichierreg.h"

#include <QStringDecoder>

namespace FichierReg {

namespace {

const QString kEnteteV4 = QStringLiteral("REGEDIT4");
const QString kEnteteV5 = QStringLiteral("Windows Registry Editor Version 5.00");

// The roots, tried in this order against the start of a section name.
const QStringList kRacines = {
    QStringLiteral("HKEY_CLASSES_ROOT"),     QStringLiteral("HKEY_CURRENT_USER"),
    QStringLiteral("HKEY_LOCAL_MACHINE"),    QStringLiteral("HKEY_USERS"),
    QStringLiteral("HKEY_PERFORMANCE_DATA"), QStringLiteral("HKEY_CURRENT_CONFIG"),
    QStringLiteral("HKEY_DYN_DATA"),
};

// Characters 0x80..0x9F of the Western European 8-bit code page; the five unassigned bytes
// keep their own value, as the platform's conversion does.
const char16_t kCp1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

[[noreturn]] void Echec(TCodeErreurRegistre code, const QString& chFichier, int iLigne,
                        const QString& chQuoi) {
  QString message = QStringLiteral("Fichier de registre \"%1\"").arg(chFichier);
  if (iLigne > 0) message += QStringLiteral(", ligne %1").arg(iLigne);
  message += QStringLiteral(" : ") + chQuoi;
  throw EErreurRegistre(code, message, iLigne);
}

// Qt's UTF-16 decoder lets unpaired surrogates through: check them here.
bool SubstitutsApparies(const QString& texte) {
  for (qsizetype i = 0; i < texte.size(); ++i) {
    const QChar c = texte.at(i);
    if (c.isHighSurrogate()) {
      if (i + 1 >= texte.size() || !texte.at(i + 1).isLowSurrogate()) return false;
      ++i;
    } else if (c.isLowSurrogate()) {
      return false;
    }
  }
  return true;
}

QString DecodeCp1252(const QByteArray& octets) {
  QString texte;
  texte.reserve(octets.size());
  for (char c : octets) {
    const auto o = static_cast<unsigned char>(c);
    texte.append(o >= 0x80 && o < 0xA0 ? QChar(kCp1252[o - 0x80]) : QChar(o));
  }
  return texte;
}

// 8-bit text: UTF-8 when it is valid UTF-8 (files written on this system), otherwise the
// Western European code page of the files written by the original platform.
QString Decode8Bits(const QByteArray& octets) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString texte = utf8.decode(octets);
  if (!utf8.hasError()) return texte;
  return DecodeCp1252(octets);
}

QString DecodeTexte(const QByteArray& octets, const QString& chFichier) {
  auto strict = [&](QStringDecoder::Encoding encodage, qsizetype iSaut, const char* nom) {
    const QByteArray corps = octets.mid(iSaut);
    if (encodage != QStringDecoder::Utf8 && corps.size() % 2 != 0)
      Echec(TCodeErreurRegistre::ecEncodage, chFichier, 0,
            QStringLiteral("texte %1 tronqué (nombre impair d'octets).").arg(QLatin1String(nom)));
    QStringDecoder decodeur(encodage, QStringDecoder::Flag::Stateless);
    QString texte = decodeur.decode(corps);
    if (decodeur.hasError() || !SubstitutsApparies(texte))
      Echec(TCodeErreurRegistre::ecEncodage, chFichier, 0,
            QStringLiteral("octets invalides pour l'encodage %1.").arg(QLatin1String(nom)));
    return texte;
  };
  if (octets.startsWith("\xFF\xFE")) return strict(QStringDecoder::Utf16LE, 2, "UTF-16");
  if (octets.startsWith("\xFE\xFF")) return strict(QStringDecoder::Utf16BE, 2, "UTF-16");
  if (octets.startsWith("\xEF\xBB\xBF")) return strict(QStringDecoder::Utf8, 3, "UTF-8");
  if (octets.contains('\0'))
    Echec(TCodeErreurRegistre::ecEncodage, chFichier, 0,
          QStringLiteral("octets nuls dans un texte 8 bits (texte UTF-16 sans marque d'ordre "
                         "des octets ?)."));
  return Decode8Bits(octets);
}

bool EstHexa(QChar c) {
  return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
         (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool ToutHexa(QStringView ch) {
  if (ch.isEmpty()) return false;
  for (QChar c : ch)
    if (!EstHexa(c)) return false;
  return true;
}

class TAnalyseur {
 public:
  TAnalyseur(const QString& chFichier, const QStringList& lignes, bool bVersion5)
      : FFichier(chFichier), FLignes(lignes), FVersion5(bVersion5) {}

  QList<TSectionReg> Analyse(int iPremiere) {
    QList<TSectionReg> sections;
    for (FIndex = iPremiere; FIndex < FLignes.size(); ++FIndex) {
      const QString ligne = FLignes[FIndex].trimmed();
      if (ligne.isEmpty() || ligne.startsWith(QLatin1Char(';'))) continue;
      if (ligne.startsWith(QLatin1Char('['))) {
        sections.append(Section(ligne));
      } else {
        if (sections.isEmpty()) Erreur(QStringLiteral("valeur hors de toute clé."));
        if (sections.last().bSuppression)
          Erreur(QStringLiteral("valeur sous une clé à supprimer."));
        sections.last().Lignes.append(Valeur(FLignes[FIndex]));
      }
    }
    return sections;
  }

 private:
  int NumeroLigne() const { return FIndex + 1; }

  [[noreturn]] void Erreur(const QString& chQuoi,
                           TCodeErreurRegistre code = TCodeErreurRegistre::ecSyntaxe) const {
    Echec(code, FFichier, NumeroLigne(), chQuoi);
  }

  TSectionReg Section(const QString& ligne) {
    if (!ligne.endsWith(QLatin1Char(']')))
      Erreur(QStringLiteral("crochet fermant manquant."));
    TSectionReg section;
    section.iLigne = NumeroLigne();
    QString nom = ligne.mid(1, ligne.size() - 2).trimmed();
    if (nom.startsWith(QLatin1Char('-'))) {
      section.bSuppression = true;
      nom = nom.mid(1);
    }
    QString racine = Racine;
    for (const QString& r : kRacines) {
      if (nom.startsWith(r) && (nom.size() == r.size() || nom.at(r.size()) == QLatin1Char('\\'))) {
        racine = r;
        nom = nom.mid(r.size());
        break;
      }
    }
    section.Chemin = QStringList{racine} + DecoupeCheminRegistre(nom);
    if (section.bSuppression && section.Chemin.size() < 2)
      Erreur(QStringLiteral("une racine ne peut pas être supprimée."));
    for (const QString& composant : section.Chemin)
      if (composant.size() > LimitesRegistre::NomCle)
        Erreur(QStringLiteral("nom de clé trop long (%1 caractères, %2 au plus).")
                   .arg(composant.size())
                   .arg(LimitesRegistre::NomCle),
               TCodeErreurRegistre::ecTropLong);
    return section;
  }

  // A quoted text starting at ligne[i] == '"'; i ends after the closing quote.
  QString Guillemets(const QString& ligne, qsizetype& i) const {
    QString texte;
    for (++i; i < ligne.size(); ++i) {
      const QChar c = ligne.at(i);
      if (c == QLatin1Char('"')) {
        ++i;
        return texte;
      }
      if (c == QLatin1Char('\\') && i + 1 < ligne.size() &&
          (ligne.at(i + 1) == QLatin1Char('\\') || ligne.at(i + 1) == QLatin1Char('"'))) {
        ++i;
        texte.append(ligne.at(i));
      } else {
        texte.append(c);
      }
    }
    Erreur(QStringLiteral("guillemet fermant manquant (ligne tronquée ?)."));
  }

  TLigneReg Valeur(const QString& brute) {
    TLigneReg resultat;
    resultat.iLigne = NumeroLigne();
    const QString ligne = brute.trimmed();
    qsizetype i = 0;
    if (ligne.startsWith(QLatin1Char('"'))) {
      resultat.Nom = Guillemets(ligne, i);
      while (i < ligne.size() && ligne.at(i).isSpace()) ++i;
      if (i >= ligne.size() || ligne.at(i) != QLatin1Char('='))
        Erreur(QStringLiteral("signe \"=\" manquant après le nom."));
    } else {
      i = ligne.indexOf(QLatin1Char('='));
      if (i < 0) Erreur(QStringLiteral("ligne sans signe \"=\"."));
      resultat.Nom = ligne.left(i).trimmed();
      if (resultat.Nom.isEmpty()) Erreur(QStringLiteral("nom de valeur vide."));
      if (resultat.Nom == QLatin1String("@")) resultat.Nom.clear();
    }
    if (resultat.Nom.size() > LimitesRegistre::NomValeur)
      Erreur(QStringLiteral("nom de valeur trop long (%1 caractères, %2 au plus).")
                 .arg(resultat.Nom.size())
                 .arg(LimitesRegistre::NomValeur),
             TCodeErreurRegistre::ecTropLong);
    QString valeur = ligne.mid(i + 1).trimmed();
    const QString minuscules = valeur.left(6).toLower();

    if (valeur == QLatin1String("-")) {
      resultat.Genre = TLigneReg::lgSuppression;
    } else if (valeur.startsWith(QLatin1Char('"'))) {
      qsizetype j = 0;
      const QString texte = Guillemets(valeur, j);
      if (j != valeur.size()) Erreur(QStringLiteral("texte après le guillemet fermant."));
      resultat.Valeur = TValeurRegistre::DeTexte(texte);
    } else if (minuscules.startsWith(QLatin1String("dword:"))) {
      const QString chiffres = valeur.mid(6).trimmed();
      if (!ToutHexa(chiffres))
        Erreur(QStringLiteral("valeur dword invalide \"%1\" (chiffres hexadécimaux attendus).")
                   .arg(chiffres.left(40)));
      if (chiffres.size() > 8)
        Erreur(QStringLiteral("valeur dword trop longue (%1 chiffres, 8 au plus).")
                   .arg(chiffres.size()),
               TCodeErreurRegistre::ecTropLong);
      resultat.Valeur = TValeurRegistre::DeEntier(static_cast<qint32>(chiffres.toUInt(nullptr, 16)));
    } else if (minuscules.startsWith(QLatin1String("hex"))) {
      Hexa(valeur, resultat);
    } else {
      // A bare value (hand-written files) is taken as text, as it stands.
      resultat.Valeur = TValeurRegistre::DeTexte(valeur);
    }
    if (resultat.Genre == TLigneReg::lgValeur &&
        resultat.Valeur.Type == TValeurRegistre::vtTexte &&
        resultat.Valeur.Texte.size() > LimitesRegistre::Texte)
      Erreur(QStringLiteral("valeur \"%1\" trop longue (%2 caractères, %3 au plus).")
                 .arg(resultat.Nom.left(60))
                 .arg(resultat.Valeur.Texte.size())
                 .arg(LimitesRegistre::Texte),
             TCodeErreurRegistre::ecTropLong);
    return resultat;
  }

  // hex:..., hex(N):... with its continuation lines (a line ending with a backslash).
  void Hexa(QString valeur, TLigneReg& resultat) {
    while (valeur.endsWith(QLatin1Char('\\'))) {
      valeur.chop(1);
      if (FIndex + 1 >= FLignes.size() || FLignes[FIndex + 1].trimmed().isEmpty()) {
        FIndex = resultat.iLigne - 1;
        Erreur(QStringLiteral("valeur hexadécimale tronquée."));
      }
      ++FIndex;
      valeur += FLignes[FIndex].trimmed();
    }
    const qsizetype deuxPoints = valeur.indexOf(QLatin1Char(':'));
    if (deuxPoints < 0) Erreur(QStringLiteral("\":\" manquant après \"hex\"."));
    const QString type = valeur.mid(3, deuxPoints - 3);
    int iType = 3;  // hex: is binary data
    if (!type.isEmpty()) {
      if (!type.startsWith(QLatin1Char('(')) || !type.endsWith(QLatin1Char(')')) ||
          !ToutHexa(QStringView(type).mid(1, type.size() - 2)) || type.size() > 10)
        Erreur(QStringLiteral("type hexadécimal invalide \"%1\".").arg(type.left(20)));
      iType = static_cast<int>(type.mid(1, type.size() - 2).toUInt(nullptr, 16));
    }
    QByteArray octets;
    const QString donnees = valeur.mid(deuxPoints + 1).remove(QLatin1Char(' '))
                                .remove(QLatin1Char('\t'));
    if (!donnees.isEmpty()) {
      for (const QString& octet : donnees.split(QLatin1Char(','))) {
        if (octet.size() > 2 || !ToutHexa(octet))
          Erreur(QStringLiteral("octet hexadécimal invalide \"%1\".").arg(octet.left(20)));
        octets.append(static_cast<char>(octet.toUInt(nullptr, 16)));
      }
    }
    if (iType == 1 || iType == 2) {  // text, and text with variables
      QString texte;
      if (FVersion5) {
        if (octets.size() % 2 != 0)
          Erreur(QStringLiteral("texte UTF-16 tronqué (nombre impair d'octets)."),
                 TCodeErreurRegistre::ecEncodage);
        QStringDecoder decodeur(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        texte = decodeur.decode(octets);
        if (decodeur.hasError() || !SubstitutsApparies(texte))
          Erreur(QStringLiteral("octets invalides pour l'encodage UTF-16."),
                 TCodeErreurRegistre::ecEncodage);
      } else {
        texte = Decode8Bits(octets);
      }
      const qsizetype nul = texte.indexOf(QChar(0));
      if (nul >= 0) texte.truncate(nul);
      resultat.Valeur = TValeurRegistre::DeTexte(texte);
    } else if (iType == 4) {  // 32-bit integer, low byte first
      if (octets.size() != 4) Erreur(QStringLiteral("un entier hex(4) tient sur 4 octets."));
      quint32 n = 0;
      for (int k = 3; k >= 0; --k) n = (n << 8) | static_cast<unsigned char>(octets[k]);
      resultat.Valeur = TValeurRegistre::DeEntier(static_cast<qint32>(n));
    } else {
      resultat.Genre = TLigneReg::lgIgnoree;
    }
  }

  QString FFichier;
  QStringList FLignes;
  bool FVersion5;
  qsizetype FIndex = 0;
};

QString Echappe(const QString& ch) {
  QString resultat = ch;
  resultat.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  resultat.replace(QLatin1Char('"'), QLatin1String("\\\""));
  return QLatin1Char('"') + resultat + QLatin1Char('"');
}

bool TientSurUneLigne(const QString& ch) {
  for (QChar c : ch)
    if (c.unicode() < 0x20 && c != QLatin1Char('\t')) return false;
  return true;
}

// A text that cannot stand between quotes on one line (line breaks...) is written as
// hex(1): its UTF-16 bytes and terminator, 25 bytes a line.
QString TexteHexa(const QString& ch) {
  QString resultat = QStringLiteral("hex(1):");
  QList<QString> octets;
  for (QChar c : ch) {
    octets.append(QString::asprintf("%02x", c.unicode() & 0xFF));
    octets.append(QString::asprintf("%02x", c.unicode() >> 8));
  }
  octets << QStringLiteral("00") << QStringLiteral("00");
  for (qsizetype k = 0; k < octets.size(); ++k) {
    resultat += octets[k];
    if (k + 1 < octets.size()) {
      resultat += QLatin1Char(',');
      if ((k + 1) % 25 == 0) resultat += QStringLiteral("\\\r\n  ");
    }
  }
  return resultat;
}

// The last guard before the file: a name that cannot stand on one line would make the whole
// store unreadable.
void VerifieNomEcrit(const QString& chNom) {
  if (!TientSurUneLigne(chNom))
    throw EErreurRegistre(TCodeErreurRegistre::ecSyntaxe,
                          QStringLiteral("Nom avec un caractère de contrôle : \"%1\".")
                              .arg(chNom.left(60).simplified()));
}

void EcritCle(const TCleRegistre& cle, const QString& chChemin, bool bRacine, QString& sortie) {
  VerifieNomEcrit(cle.Nom());
  const QStringList noms = cle.NomsValeurs();
  if (!bRacine || !noms.isEmpty()) {
    sortie += QLatin1Char('[') + chChemin + QStringLiteral("]\r\n");
    for (const QString& nom : noms) {
      VerifieNomEcrit(nom);
      const TValeurRegistre& v = *cle.Valeur(nom);
      sortie += nom.isEmpty() ? QStringLiteral("@") : Echappe(nom);
      sortie += QLatin1Char('=');
      if (v.Type == TValeurRegistre::vtEntier)
        sortie += QString::asprintf("dword:%08x", static_cast<quint32>(v.Entier));
      else
        sortie += TientSurUneLigne(v.Texte) ? Echappe(v.Texte) : TexteHexa(v.Texte);
      sortie += QStringLiteral("\r\n");
    }
    sortie += QStringLiteral("\r\n");
  }
  for (const TCleRegistre* sous : cle.SousCles())
    EcritCle(*sous, chChemin + QLatin1Char('\\') + sous->Nom(), false, sortie);
}

}  // namespace

TFichierReg Analyse(const QByteArray& octets, const QString& chNomFichier) {
  const QString texte = DecodeTexte(octets, chNomFichier);
  QStringList lignes = texte.split(QLatin1Char('\n'));
  for (QString& ligne : lignes)
    if (ligne.endsWith(QLatin1Char('\r'))) ligne.chop(1);

  int iEntete = 0;
  while (iEntete < lignes.size() && lignes[iEntete].trimmed().isEmpty()) ++iEntete;
  if (iEntete >= lignes.size())
    Echec(TCodeErreurRegistre::ecFormatInconnu, chNomFichier, 0, QStringLiteral("fichier vide."));
  const QString entete = lignes[iEntete].trimmed();
  TFichierReg fichier;
  if (entete == kEnteteV5)
    fichier.bVersion5 = true;
  else if (entete != kEnteteV4)
    Echec(TCodeErreurRegistre::ecFormatInconnu, chNomFichier, iEntete + 1,
          QStringLiteral("ce n'est pas un export du registre (en-tête \"%1\" ou \"%2\" attendu).")
              .arg(kEnteteV4, kEnteteV5));
  fichier.Sections = TAnalyseur(chNomFichier, lignes, fichier.bVersion5).Analyse(iEntete + 1);
  return fichier;
}

void Applique(const TFichierReg& fichier, TArbreRegistre& arbre, bool bEcrase) {
  for (const TSectionReg& section : fichier.Sections) {
    if (section.bSuppression) {
      if (bEcrase) arbre.Supprime(section.Chemin);
      continue;
    }
    TCleRegistre& cle = arbre.Cree(section.Chemin);
    for (const TLigneReg& ligne : section.Lignes) {
      if (ligne.Genre == TLigneReg::lgIgnoree) continue;
      if (ligne.Genre == TLigneReg::lgSuppression) {
        if (bEcrase) cle.SupprimeValeur(ligne.Nom);
        continue;
      }
      if (!bEcrase && cle.Valeur(ligne.Nom)) continue;
      cle.EcritValeur(ligne.Nom, ligne.Valeur);
    }
  }
}

QByteArray Ecrit(const TArbreRegistre& arbre) {
  QString sortie = kEnteteV5 + QStringLiteral("\r\n\r\n");
  for (const TCleRegistre* racine : arbre.SousCles()) EcritCle(*racine, racine->Nom(), true, sortie);
  QStringEncoder encodeur(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
  return encodeur.encode(sortie);
}

}  // namespace FichierReg
