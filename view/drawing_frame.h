#pragma once
// The frame every picture of the prime view is drawn in: a fresh OpenGL context per drawing,
// so that no state set elsewhere reaches a picture.
#include <wx/glcanvas.h>
#include <wx/weakref.h>

#include "primitive_sink.h"

namespace tallyforge {

// The surface that every drawing draws into, stored at each paint. It empties itself when the
// window goes away, so a drawing after that finds no surface and draws nothing.
inline wxWeakRef<wxGLCanvas> viewWindowHandle;

using Picture = void (&)(PrimitiveSink&);

// Creates a context on the surface in viewWindowHandle and makes it current, loads the
// identity, clears colour and depth to black, draws the picture, swaps the buffers and
// deletes the context, leaving none current. The context starts from the defaults: identity
// matrices, no depth test, point size and line width 1, the viewport the whole surface.
// Returns false, having drawn nothing, when there is no surface or no context could be made
// current on it.
bool DrawInFreshContext(Picture picture);

}  // namespace tallyforge
