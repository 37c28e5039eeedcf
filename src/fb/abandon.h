#pragma once
// The silent abort: a refusal that needs no message. A handler of a dataset notification
// raises it to cancel the operation under way; callers of that operation catch it and
// show nothing.

#include <exception>

class EAbandon : public std::exception {
 public:
  const char* what() const noexcept override { return "abandon"; }
};
