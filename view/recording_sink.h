#pragma once
// A sink that keeps every primitive in order, so that a picture can be checked without a display.
#include <vector>

#include "primitive_sink.h"

namespace tallyforge {

struct Primitive {
  PrimitiveKind kind;
  Colour colour;
  std::vector<Vertex> vertices;
};

class RecordingSink final : public PrimitiveSink {
 public:
  void Emit(PrimitiveKind kind, Colour colour, std::span<const Vertex> vertices) override {
    primitives.push_back({kind, colour, {vertices.begin(), vertices.end()}});
  }
  void PushMatrix() override { ++matrixPushes; }
  void PopMatrix() override { ++matrixPops; }

  std::vector<Primitive> primitives;
  int matrixPushes = 0;
  int matrixPops = 0;
};

}  // namespace tallyforge
