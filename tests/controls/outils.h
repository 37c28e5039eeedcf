#pragma once
// Helpers of the controls' tests: one application for the process, shown widgets, waiting.

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QTest>
#include <functional>

inline QApplication& Appli() {
  static int argc = 1;
  static char nom[] = "test_controls";
  static char* argv[] = {nom, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Shows a top-level widget and waits until it can receive mouse events.
inline bool Montrer(QWidget& w) {
  w.show();
  return QTest::qWaitForWindowExposed(&w);
}

// Waits, processing events, until the condition holds or iMaxMs have passed.
inline bool Attendre(const std::function<bool()>& condition, int iMaxMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!condition()) {
    if (t.elapsed() > iMaxMs) return false;
    QTest::qWait(5);
  }
  return true;
}

// A colour brought to the 8 bits per channel of a rendered image.
inline QColor Rvb(const QColor& c) { return QColor(c.rgb()); }
