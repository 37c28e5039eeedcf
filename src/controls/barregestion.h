#pragma once
// What the button rows need of a record-management bar: how many of its buttons are shown.
// The bar derives from this interface besides its widget class.

class IBarreGestion {
 public:
  virtual ~IBarreGestion() = default;
  virtual int NbBoutonVisible() const = 0;
};
