#include "data/registre.h"

#include <sys/stat.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>

#include "data/fichierreg.h"

TRegistre::TRegistre(QString chFichier) : FFichier(std::move(chFichier)) {}

QString TRegistre::FichierParDefaut() {
  const QString env = qEnvironmentVariable("VESTRELLE_REGISTRE");
  if (!env.isEmpty()) return env;
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/vestrelle/registre.reg");
}

TRegistre::TSignature TRegistre::SignatureFichier() const {
  struct stat st {};
  TSignature s;
  if (::stat(QFile::encodeName(FFichier).constData(), &st) != 0) return s;
  s.bExiste = true;
  s.iTaille = st.st_size;
  s.iInode = static_cast<qint64>(st.st_ino);
  s.iSecondes = st.st_mtim.tv_sec;
  s.iNanosecondes = st.st_mtim.tv_nsec;
  s.iChangement = st.st_ctim.tv_nsec ^ (static_cast<qint64>(st.st_ctim.tv_sec) << 20);
  return s;
}

TArbreRegistre TRegistre::LitFichier(TSignature& signature, QByteArray* xOctets) const {
  // The file is replaced by renaming, never rewritten in place: whatever we open is whole.
  for (int essai = 0;; ++essai) {
    signature = SignatureFichier();
    if (!signature.bExiste) return TArbreRegistre();
    QFile fichier(FFichier);
    if (!fichier.open(QIODevice::ReadOnly)) {
      // Renamed away between stat and open: read the new one.
      if (fichier.error() == QFileDevice::OpenError && !QFileInfo::exists(FFichier) && essai < 3)
        continue;
      throw EErreurRegistre(TCodeErreurRegistre::ecLecture,
                            QStringLiteral("Impossible de lire les réglages \"%1\" : %2")
                                .arg(FFichier, fichier.errorString()),
                            0, fichier.error());
    }
    const QByteArray octets = fichier.readAll();
    if (xOctets) *xOctets = octets;
    TArbreRegistre arbre;
    FichierReg::Applique(FichierReg::Analyse(octets, FFichier), arbre, true);
    return arbre;
  }
}

void TRegistre::Rafraichit() {
  if (FCharge && SignatureFichier() == FSignature) return;
  TSignature signature;
  FArbre = LitFichier(signature);
  FSignature = signature;
  FCharge = true;
}

bool TRegistre::CleExiste(const QString& chCle) {
  Rafraichit();
  return FArbre.Cherche(DecoupeCheminRegistre(chCle)) != nullptr;
}

std::optional<TValeurRegistre> TRegistre::LitValeur(const QString& chCle, const QString& chNom) {
  Rafraichit();
  const TCleRegistre* cle = FArbre.Cherche(DecoupeCheminRegistre(chCle));
  if (!cle) return std::nullopt;
  const TValeurRegistre* valeur = cle->Valeur(chNom);
  if (!valeur) return std::nullopt;
  return *valeur;
}

TArbreRegistre TRegistre::Arbre() {
  Rafraichit();
  return FArbre;
}

void TRegistre::Enregistre(const QByteArray& octets) {
  QSaveFile fichier(FFichier);
  // The store may hold connection parameters: readable by its owner only.
  if (!fichier.open(QIODevice::WriteOnly) ||
      !fichier.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
      fichier.write(octets) < 0 || !fichier.commit()) {
    const int code = fichier.error();
    const QString raison = fichier.errorString();
    fichier.cancelWriting();
    throw EErreurRegistre(TCodeErreurRegistre::ecEcriture,
                          QStringLiteral("Impossible d'enregistrer les réglages \"%1\" : %2")
                              .arg(FFichier, raison),
                          0, code);
  }
}

void TRegistre::Modifie(const std::function<void(TArbreRegistre&)>& xModif) {
  const QFileInfo info(FFichier);
  if (!QDir().mkpath(info.absolutePath()))
    throw EErreurRegistre(TCodeErreurRegistre::ecEcriture,
                          QStringLiteral("Impossible de créer le dossier des réglages \"%1\".")
                              .arg(info.absolutePath()),
                          0, errno);
  QLockFile verrou(FFichier + QStringLiteral(".lock"));
  // Short polls rather than QLockFile's own growing waits: a change holds the lock for a few
  // milliseconds only.
  QDeadlineTimer delai(FDelaiVerrou);
  while (!verrou.tryLock(0)) {
    if (verrou.error() != QLockFile::LockFailedError)
      throw EErreurRegistre(
          TCodeErreurRegistre::ecVerrou,
          QStringLiteral("Impossible de verrouiller les réglages \"%1\".").arg(FFichier), 0,
          verrou.error());
    if (delai.hasExpired())
      throw EErreurRegistre(
          TCodeErreurRegistre::ecVerrou,
          QStringLiteral("Les réglages \"%1\" sont bloqués par un autre programme.").arg(FFichier),
          0, verrou.error());
    QThread::msleep(3);
  }
  TSignature signature;
  QByteArray avant;
  TArbreRegistre arbre = LitFichier(signature, &avant);
  xModif(arbre);
  // Nothing changed (a key that already exists...): the file is left as it is.
  const QByteArray apres = FichierReg::Ecrit(arbre);
  if (!signature.bExiste || apres != avant) Enregistre(apres);
  FArbre = std::move(arbre);
  FSignature = SignatureFichier();
  FCharge = true;
}

namespace {
// A name holding a line break could not be written back as one line of the file.
void VerifieCaracteres(const QString& chNom) {
  for (QChar c : chNom)
    if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
      throw EErreurRegistre(TCodeErreurRegistre::ecSyntaxe,
                            QStringLiteral("Nom de réglage ou de clé avec un caractère de "
                                           "contrôle : \"%1\".")
                                .arg(chNom.left(60).simplified()));
}
}  // namespace

void TRegistre::VerifieNom(const QString& chNom) {
  VerifieCaracteres(chNom);
  if (chNom.size() > LimitesRegistre::NomValeur)
    throw EErreurRegistre(TCodeErreurRegistre::ecTropLong,
                          QStringLiteral("Nom de réglage trop long (%1 caractères, %2 au plus).")
                              .arg(chNom.size())
                              .arg(LimitesRegistre::NomValeur));
}

namespace {
void VerifieCle(const QStringList& chemin) {
  for (const QString& nom : chemin) {
    VerifieCaracteres(nom);
    if (nom.size() > LimitesRegistre::NomCle)
      throw EErreurRegistre(TCodeErreurRegistre::ecTropLong,
                            QStringLiteral("Nom de clé trop long (%1 caractères, %2 au plus).")
                                .arg(nom.size())
                                .arg(LimitesRegistre::NomCle));
  }
}
}  // namespace

void TRegistre::CreeCle(const QString& chCle) {
  const QStringList chemin = DecoupeCheminRegistre(chCle);
  VerifieCle(chemin);
  Modifie([&](TArbreRegistre& arbre) { arbre.Cree(chemin); });
}

void TRegistre::EcritEntier(const QString& chCle, const QString& chNom, qint32 iValeur) {
  const QStringList chemin = DecoupeCheminRegistre(chCle);
  VerifieCle(chemin);
  VerifieNom(chNom);
  Modifie([&](TArbreRegistre& arbre) {
    arbre.Cree(chemin).EcritValeur(chNom, TValeurRegistre::DeEntier(iValeur));
  });
}

void TRegistre::EcritTexte(const QString& chCle, const QString& chNom, const QString& chValeur) {
  const QStringList chemin = DecoupeCheminRegistre(chCle);
  VerifieCle(chemin);
  VerifieNom(chNom);
  if (chValeur.size() > LimitesRegistre::Texte)
    throw EErreurRegistre(TCodeErreurRegistre::ecTropLong,
                          QStringLiteral("Réglage \"%1\" trop long (%2 caractères, %3 au plus).")
                              .arg(chNom.left(60))
                              .arg(chValeur.size())
                              .arg(LimitesRegistre::Texte));
  Modifie([&](TArbreRegistre& arbre) {
    arbre.Cree(chemin).EcritValeur(chNom, TValeurRegistre::DeTexte(chValeur));
  });
}

void TRegistre::SupprimeValeur(const QString& chCle, const QString& chNom) {
  const QStringList chemin = DecoupeCheminRegistre(chCle);
  Modifie([&](TArbreRegistre& arbre) {
    if (TCleRegistre* cle = arbre.Cherche(chemin)) cle->SupprimeValeur(chNom);
  });
}

void TRegistre::SupprimeCle(const QString& chCle) {
  const QStringList chemin = DecoupeCheminRegistre(chCle);
  Modifie([&](TArbreRegistre& arbre) { arbre.Supprime(chemin); });
}
