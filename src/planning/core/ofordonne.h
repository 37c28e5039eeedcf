#pragma once
#include <QVector>

class TBaseOF;

// The ordered items of one line (or of the waiting zone). Not owning.
class TOFOrdonne : public QVector<TBaseOF*> {
 public:
  explicit TOFOrdonne(int iCode = -1) : Code(iCode) {}
  int Code;
};
