#include "planning/core/trace.h"

#include <QFile>
#include <QMutex>
#include <cstdarg>

#include "base/datetime.h"

namespace {
bool gActive = false;
QString gFichier = QStringLiteral("debug.txt");
QMutex gVerrou;

void Ajouter(const QString& chTexte) {
  QFile f(gFichier);
  if (!f.open(QIODevice::Append | QIODevice::Text)) return;  // errors are ignored
  f.write(chTexte.toUtf8());
  f.write("\n");
  f.flush();
}
}  // namespace

QString FichierTrace() { return gFichier; }

void SetFichierTrace(const QString& chChemin) {
  QMutexLocker l(&gVerrou);
  gFichier = chChemin;
}

void DebutTrace() {
  QMutexLocker l(&gVerrou);
  gActive = true;
  Ajouter(QString::fromUtf8("Début débuggage : ") +
          DateHeure::FormatDateHeureSecondes(DateHeure::Maintenant()));
}

bool TraceActive() { return gActive; }

void EcrireTrace(const QString& chTexte) {
  QMutexLocker l(&gVerrou);
  if (gActive) Ajouter(chTexte);
}

void EcrireTraceFormat(const char* chFormat, ...) {
  if (!gActive) return;
  va_list args;
  va_start(args, chFormat);
  const QString texte = QString::vasprintf(chFormat, args);
  va_end(args);
  EcrireTrace(texte);
}

void FinTrace() {
  QMutexLocker l(&gVerrou);
  if (!gActive) return;
  Ajouter(QString::fromUtf8("Fin débuggage"));
  gActive = false;
}
