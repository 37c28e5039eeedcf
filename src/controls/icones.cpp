#include "controls/icones.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

static void InitialiserRessources() {
  static bool fait = false;
  if (!fait) {
    Q_INIT_RESOURCE(controls);
    fait = true;
  }
}

QPixmap ImageControle(const QString& chNom, int iTaille) {
  InitialiserRessources();
  QSvgRenderer rendu(QStringLiteral(":/controles/%1.svg").arg(chNom));
  if (!rendu.isValid()) return QPixmap();
  QSize taille = rendu.defaultSize();
  if (iTaille > 0) taille = taille.scaled(taille.width() * 100, iTaille, Qt::KeepAspectRatio);
  QPixmap image(taille);
  image.fill(Qt::transparent);
  QPainter p(&image);
  rendu.render(&p);
  return image;
}

QIcon IconeControle(const QString& chNom) {
  QIcon icone;
  const QPixmap image = ImageControle(chNom);
  if (!image.isNull()) icone.addPixmap(image);
  return icone;
}
