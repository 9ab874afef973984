#include "gl_sink.h"

#include <GL/gl.h>

namespace tallyforge {

void GlSink::Emit(PrimitiveKind kind, Colour colour, std::span<const Vertex> vertices) {
  glColor3f(colour.r, colour.g, colour.b);
  glBegin(kind == PrimitiveKind::Points ? GL_POINTS : GL_LINES);
  for (const Vertex& v : vertices) glVertex3f(v.x, v.y, v.z);
  glEnd();
}

void GlSink::PushMatrix() { glPushMatrix(); }

void GlSink::PopMatrix() { glPopMatrix(); }

}  // namespace tallyforge
