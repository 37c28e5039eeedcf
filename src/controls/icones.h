#pragma once
// The pictures of the controls, drawn by us and kept in the library's resources under the
// names the controls use ("FLECHE1", "BTNIMPRESSION"...).

#include <QIcon>
#include <QPixmap>
#include <QString>

// The picture at its own size (or at iTaille pixels high when given); null when unknown.
QPixmap ImageControle(const QString& chNom, int iTaille = 0);
QIcon IconeControle(const QString& chNom);
