#pragma once
// The application core's registry of mark shapes. Legend items that show a shape keep a
// pointer to it for drawing; it never travels with them.

#pragma GCC visibility push(default)

#include <string>

class ShapeManager {
 public:
  ShapeManager() = default;
  virtual ~ShapeManager() = default;
  ShapeManager(const ShapeManager&) = delete;
  ShapeManager& operator=(const ShapeManager&) = delete;

  // The name of a shape by its index ("" when there is none), as a legend item shows it.
  virtual std::string ShapeName(unsigned int) const { return {}; }
};

#pragma GCC visibility pop
