#pragma once
// Where the prime view's drawings send their primitives: the screen (GlSink) or a recording.
#include <span>

namespace tallyforge {

enum class PrimitiveKind { Points, Lines };

struct Colour {
  float r, g, b;
  bool operator==(const Colour&) const = default;
};

struct Vertex {
  float x, y, z;
  bool operator==(const Vertex&) const = default;
};

// Receives one begin-end pair at a time, in drawing order. Colours are passed as they are
// computed: a component outside 0 to 1 is left for the receiver (GL clamps it).
class PrimitiveSink {
 public:
  virtual ~PrimitiveSink() = default;

  // One primitive of the given kind and colour; the vertices are only valid during the call.
  virtual void Emit(PrimitiveKind kind, Colour colour, std::span<const Vertex> vertices) = 0;

  // Saves and restores the model-view matrix around a drawing that wants it kept.
  virtual void PushMatrix() = 0;
  virtual void PopMatrix() = 0;
};

}  // namespace tallyforge
