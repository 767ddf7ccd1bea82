// A minimal holder of a native matrix, for the methods that take or fill one.
#pragma once

#include "graphics/object.h"

namespace graphics {

class Matrix : public GdipClass<Gdiplus::GpMatrix, dll::GdipDeleteMatrix> {
 public:
  bool Create() { return C<dll::GdipCreateMatrix>(); }
  bool Create(float m11, float m12, float m21, float m22, float dx, float dy) {
    return C<dll::GdipCreateMatrix2>(m11, m12, m21, m22, dx, dy);
  }
  // m11, m12, m21, m22, dx, dy.
  bool GetElements(float (&elements)[6]) const {
    return A<dll::GdipGetMatrixElements>(elements);
  }
};

}  // namespace graphics
