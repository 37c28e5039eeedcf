#include "controls/monhorloge.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

#include "base/widgets/couleurs.h"

namespace {

constexpr double Pi = std::numbers::pi;
int Arrondi(double v) { return static_cast<int>(std::nearbyint(v)); }

// Whether pt lies within 5 pixels of the segment a-b, measured along the segment's minor
// axis: for a mostly horizontal segment x must lie between the ends and y within 5 of the
// line, and the other way round for a mostly vertical one.
bool PresDuSegment(QPoint pt, QPoint a, QPoint b) {
  const int dx = b.x() - a.x(), dy = b.y() - a.y();
  if (std::abs(dx) >= std::abs(dy)) {
    if (pt.x() < std::min(a.x(), b.x()) || pt.x() > std::max(a.x(), b.x())) return false;
    const double y = dx == 0 ? a.y() : a.y() + double(pt.x() - a.x()) * dy / dx;
    return std::abs(pt.y() - y) <= 5;
  }
  if (pt.y() < std::min(a.y(), b.y()) || pt.y() > std::max(a.y(), b.y())) return false;
  const double x = a.x() + double(pt.y() - a.y()) * dx / dy;
  return std::abs(pt.x() - x) <= 5;
}

}  // namespace

TMonHorloge::TMonHorloge(QWidget* xParent) : QWidget(xParent) {
  resize(101, 101);
  QSizePolicy sp(QSizePolicy::Preferred, QSizePolicy::Preferred);
  sp.setHeightForWidth(true);
  setSizePolicy(sp);
}

// The clock stays square.
void TMonHorloge::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (width() != height()) {
    const int cote = std::min(width(), height());
    resize(cote, cote);
  }
}

void TMonHorloge::Changer(int iHeure, int iMinute) {
  iHeure = ((iHeure % 24) + 24) % 24;
  iMinute = ((iMinute % 60) + 60) % 60;
  if (iHeure == FHeure && iMinute == FMinute) return;
  FHeure = iHeure;
  FMinute = iMinute;
  update();
  if (OnChange) OnChange(this);
}

void TMonHorloge::SetHeure(int v) { Changer(v, FMinute); }
void TMonHorloge::SetMinute(int v) { Changer(FHeure, v); }

TDateTime TMonHorloge::HorlogeHeure() const { return DateHeure::EncodeTime(FHeure, FMinute); }

void TMonHorloge::SetHorlogeHeure(TDateTime dt) {
  // Whole minutes of the time of day; a hair below a minute is that minute.
  const qint64 minutes = static_cast<qint64>(std::floor(std::abs(DateHeure::Frac(dt)) * 1440.0 + 1e-6));
  Changer(static_cast<int>(minutes / 60) % 24, static_cast<int>(minutes % 60));
}

double TMonHorloge::AngleHeures() const {
  return (FHeure - 3) * Pi / 6 + (FMinute / 60.0) * Pi / 6;
}

double TMonHorloge::AngleMinutes() const { return (FMinute - 15) * Pi / 30; }

QPoint TMonHorloge::PointSur(double dAngle, double dDistance) const {
  const double r = Rayon();
  return QPoint(static_cast<int>(r) + Arrondi(dDistance * std::cos(dAngle)),
                static_cast<int>(r) + Arrondi(dDistance * std::sin(dAngle)));
}

QPoint TMonHorloge::PointeHeures() const { return PointSur(AngleHeures(), 38); }
QPoint TMonHorloge::PointeMinutes() const { return PointSur(AngleMinutes(), 45); }

void TMonHorloge::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), VersQColor(clBtnFace, pal));
  const double r = Rayon();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(VersQColor(clBtnShadow, pal), 1));
  p.setBrush(VersQColor(clWindow, pal));
  p.drawEllipse(QPointF(r, r), r - 3, r - 3);
  p.setRenderHint(QPainter::Antialiasing, false);

  // Marks: a square every five minutes, a dot for the others, and a square at the centre.
  const QColor cyan(0, 255, 255);
  auto carre = [&](QPoint c) {
    p.fillRect(QRect(c.x() - 1, c.y() - 1, 3, 3), cyan);
    p.setPen(Qt::black);
    p.drawRect(QRect(c.x() - 1, c.y() - 1, 2, 2));
  };
  for (int i = 0; i <= 60; ++i) {
    const QPoint m = PointSur(i * Pi / 30, r - 3);
    if (i % 5 == 0)
      carre(m);
    else
      p.fillRect(QRect(m.x(), m.y(), 1, 1), Qt::black);
  }

  const double th = AngleHeures();
  QPolygon heures;
  heures << PointSur(th, -10) << PointSur(th + 0.3927, -3) << PointSur(th - 0.0785, 30)
         << PointSur(th - 0.1745, 30) << PointSur(th, 38) << PointSur(th + 0.1745, 30)
         << PointSur(th + 0.0785, 30) << PointSur(th - 0.3927, -3);
  p.setPen(Qt::black);
  p.setBrush(QColor(128, 128, 128));
  p.drawPolygon(heures);

  const double tm = AngleMinutes();
  QPolygon minutes;
  minutes << PointSur(tm, -6) << PointSur(tm - Pi / 2, 2) << PointSur(tm, 45)
          << PointSur(tm + Pi / 2, 2);
  p.setBrush(QColor(192, 192, 192));
  p.drawPolygon(minutes);
  carre(PointSur(0, 0));
}

void TMonHorloge::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() != Qt::LeftButton) return;
  const QPoint pt = e->position().toPoint();
  const QPoint centre = PointSur(0, 0);
  if (std::abs(pt.x() - centre.x()) <= 2 && std::abs(pt.y() - centre.y()) <= 2)
    FAiguille = aiCentre;
  else if (PresDuSegment(pt, centre, PointeHeures()))
    FAiguille = aiHeures;
  else if (PresDuSegment(pt, centre, PointeMinutes()))
    FAiguille = aiMinutes;
  else
    FAiguille = aiAucune;
}

void TMonHorloge::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton)) {
    FAiguille = aiAucune;
    return;
  }
  if (FAiguille != aiMinutes && FAiguille != aiHeures) return;
  const QPoint pt = e->position().toPoint();
  const double r = Rayon();
  // Whole degrees clockwise from 12 o'clock.
  int c = Arrondi(90 - std::atan2(r - pt.y(), pt.x() - r) * 180 / Pi);
  while (c < 0) c += 360;
  while (c > 360) c -= 360;

  int heure = FHeure, minute = FMinute;
  int sens = 0;
  if (FAiguille == aiMinutes) {
    minute = Arrondi((c - 3) / 6.0);
    if (minute < 0 || minute > 59) minute = 0;
    if (FMinute > 45 && minute < 15) {
      heure = FHeure + 1;
      if (heure == 24) { heure = 0; sens = 1; }
    } else if (FMinute < 15 && minute > 45) {
      heure = FHeure - 1;
      if (heure < 0) { heure = 23; sens = -1; }
    }
  } else {
    int position = Arrondi((c + 3) / 30.0);
    if (position < 0 || position > 11) position = 0;
    const bool apresMidi = FHeure >= 12;
    if (position <= 2 && FHeure % 12 >= 10) {
      // Forwards across 12 o'clock.
      if (apresMidi) { heure = position; sens = 1; } else heure = position + 12;
    } else if (position >= 10 && FHeure % 12 <= 2) {
      // Backwards across 12 o'clock.
      if (apresMidi) heure = position; else { heure = position + 12; sens = -1; }
    } else {
      heure = apresMidi ? position + 12 : position;
    }
  }
  FHeure = heure;
  FMinute = minute;
  if (sens != 0 && OnChangeJour) OnChangeJour(this, sens);
  if (OnChange) OnChange(this);
  update();
}

void TMonHorloge::mouseReleaseEvent(QMouseEvent* e) {
  QWidget::mouseReleaseEvent(e);
  FAiguille = aiAucune;
}
