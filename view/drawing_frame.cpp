#include "drawing_frame.h"

#include <GL/gl.h>

#include "gl_sink.h"

namespace tallyforge {

bool DrawInFreshContext(Picture picture) {
  wxGLCanvas* surface = viewWindowHandle.get();
  if (surface == nullptr) return false;
  // The context's destructor makes no context current before it deletes it.
  wxGLContext context(surface);
  if (!context.IsOK() || !context.SetCurrent(*surface)) return false;
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  GlSink sink;
  picture(sink);
  surface->SwapBuffers();
  return true;
}

}  // namespace tallyforge
