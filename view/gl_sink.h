#pragma once
// The sink that puts the prime view's primitives on screen, in immediate-mode OpenGL.
#include "primitive_sink.h"

namespace tallyforge {

// Issues each primitive as glColor3f, glBegin, glVertex3f per vertex, glEnd into whatever
// context is current on the calling thread; the caller owns the context, clearing and swapping.
class GlSink final : public PrimitiveSink {
 public:
  void Emit(PrimitiveKind kind, Colour colour, std::span<const Vertex> vertices) override;
  void PushMatrix() override;
  void PopMatrix() override;
};

}  // namespace tallyforge
