// Whether an OpenGL picture reaches the screen of a Windows program under Wine (not part of
// the product). It asks for the prime view's pixel format (24-bit colour, 32-bit depth, double
// buffer), clears to blue, draws a yellow triangle and a row of white points, and prints the
// format it got and the pixels read back with glReadPixels before and after the swap; compare
// them with an X screenshot (import -window root) taken while it runs.
//
//   cmake --build --preset windows --target wine-gl-probe
//   xvfb-run -a sh -c 'tools/wine-run.sh build/windows/wine-gl-probe.exe child 32 8 &
//                      sleep 6; import -window root shot.png; wait'
//
// Modes: child (a wxGLCanvas in a wxDialog, as the prime view draws), win32child (the same with
// plain Win32 windows and ChoosePixelFormat), toplevel (a top-level Win32 window).
// Arguments: mode, depth bits (32), seconds (4), front|back (the buffer read back), single.
#include <wx/glcanvas.h>
#include <wx/wx.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

int depthBits = 32;
bool readFront = false;
bool singleBuffer = false;

void ReportFormat(const char* where, HDC hdc) {
  PIXELFORMATDESCRIPTOR pfd{};
  const int format = GetPixelFormat(hdc);
  DescribePixelFormat(hdc, format, sizeof pfd, &pfd);
  std::printf("%s: pixel format %d: colour %d, depth %d, flags 0x%lx\n", where, format,
              pfd.cColorBits, pfd.cDepthBits, pfd.dwFlags);
  std::printf("GL: %s | %s | %s\n", reinterpret_cast<const char*>(glGetString(GL_VENDOR)),
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
              reinterpret_cast<const char*>(glGetString(GL_VERSION)));
}

void ReadBack(const char* when, int width, int height) {
  unsigned char centre[4] = {}, corner[4] = {};
  glReadBuffer(readFront ? GL_FRONT : GL_BACK);
  glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
  glReadPixels(2, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
  std::printf("%s (%s buffer): centre %u,%u,%u corner %u,%u,%u\n", when,
              readFront ? "front" : "back", centre[0], centre[1], centre[2], corner[0], corner[1],
              corner[2]);
}

// Expected: centre 255,230,26 (the triangle), corner 26,51,153 (the clear colour).
void DrawAndSwap(int width, int height, const std::function<void()>& swap) {
  glViewport(0, 0, width, height);
  glLoadIdentity();
  glClearColor(0.1f, 0.2f, 0.6f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1.0f, 0.9f, 0.1f);
  glBegin(GL_TRIANGLES);
  glVertex3f(-0.5f, -0.5f, 0.0f);
  glVertex3f(0.5f, -0.5f, 0.0f);
  glVertex3f(0.0f, 0.5f, 0.0f);
  glEnd();
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_POINTS);
  for (int i = 0; i < 50; ++i) glVertex3f(-0.9f + i * 0.036f, 0.8f, 0.0f);
  glEnd();
  ReadBack("before swap", width, height);
  if (singleBuffer) {
    glFinish();
  } else {
    swap();
  }
  ReadBack("after swap", width, height);
  std::fflush(stdout);
}

// The prime view's way: a canvas child of a dialog, a fresh context for every drawing.
class ProbeCanvas : public wxGLCanvas {
 public:
  ProbeCanvas(wxWindow* parent, const wxGLAttributes& attributes) : wxGLCanvas(parent, attributes) {
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
      wxPaintDC dc(this);
      wxGLContext context(this);
      if (!context.IsOK() || !context.SetCurrent(*this)) {
        std::printf("no context\n");
        return;
      }
      if (!reported_) ReportFormat("wxGLCanvas child", GetHDC()), reported_ = true;
      const wxSize size = GetClientSize();
      DrawAndSwap(size.x, size.y, [this] { SwapBuffers(); });
    });
  }

 private:
  bool reported_ = false;
};

LRESULT CALLBACK GlWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) InvalidateRect(hwnd, nullptr, FALSE);
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wparam, lparam);
  PAINTSTRUCT paint;
  BeginPaint(hwnd, &paint);
  HDC hdc = GetDC(hwnd);
  HGLRC context = wglCreateContext(hdc);
  if (context != nullptr && wglMakeCurrent(hdc, context)) {
    static bool reported = false;
    if (!reported) ReportFormat("Win32 window", hdc), reported = true;
    RECT rect;
    GetClientRect(hwnd, &rect);
    DrawAndSwap(rect.right, rect.bottom, [hdc] { SwapBuffers(hdc); });
  }
  wglMakeCurrent(nullptr, nullptr);
  ReleaseDC(hwnd, hdc);
  if (context != nullptr) wglDeleteContext(context);
  EndPaint(hwnd, &paint);
  return 0;
}

// The pixel format exactly as the original asks for it: ChoosePixelFormat, then SetPixelFormat.
void SetViewPixelFormat(HWND hwnd) {
  HDC hdc = GetDC(hwnd);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (singleBuffer ? 0 : PFD_DOUBLEBUFFER);
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 24;
  pfd.cDepthBits = static_cast<BYTE>(depthBits);
  const int format = ChoosePixelFormat(hdc, &pfd);
  std::printf("ChoosePixelFormat %d, SetPixelFormat %d\n", format,
              format != 0 && SetPixelFormat(hdc, format, &pfd));
  ReleaseDC(hwnd, hdc);
  SetTimer(hwnd, 1, 700, nullptr);  // redraw now and then: does a later drawing show?
}

void OpenWin32Windows(bool asChild) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW gl{};
  gl.style = CS_OWNDC;
  gl.lpfnWndProc = GlWindowProc;
  gl.hInstance = instance;
  gl.lpszClassName = L"ProbeGl";
  RegisterClassW(&gl);
  HWND glWindow;
  if (asChild) {
    WNDCLASSW parent{};
    parent.lpfnWndProc = DefWindowProcW;
    parent.hInstance = instance;
    parent.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    parent.lpszClassName = L"ProbeParent";
    RegisterClassW(&parent);
    HWND top =
        CreateWindowExW(0, L"ProbeParent", L"GL probe", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100,
                        100, 420, 340, nullptr, nullptr, instance, nullptr);
    glWindow = CreateWindowExW(0, L"ProbeGl", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10,
                               380, 240, top, nullptr, instance, nullptr);
    SetViewPixelFormat(glWindow);
    ShowWindow(top, SW_SHOW);
  } else {
    glWindow = CreateWindowExW(0, L"ProbeGl", L"GL probe",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 100, 100,
                               400, 300, nullptr, nullptr, instance, nullptr);
    SetViewPixelFormat(glWindow);
    ShowWindow(glWindow, SW_SHOW);
  }
}

class ProbeApp : public wxApp {
 public:
  bool OnInit() override {
    const wxString mode = argc > 1 ? argv[1] : wxString("child");
    if (argc > 2) depthBits = std::atoi(argv[2].c_str());
    const int seconds = argc > 3 ? std::atoi(argv[3].c_str()) : 4;
    readFront = argc > 4 && argv[4] == "front";
    singleBuffer = argc > 5 && argv[5] == "single";
    if (mode == "child") {
      wxGLAttributes attributes;
      attributes.PlatformDefaults()
          .RGBA()
          .MinRGBA(8, 8, 8, 0)
          .DoubleBuffer()
          .Depth(depthBits)
          .EndList();
      std::printf("IsDisplaySupported: %d\n", wxGLCanvas::IsDisplaySupported(attributes));
      auto* dialog =
          new wxDialog(nullptr, wxID_ANY, "GL probe", wxPoint(100, 100), wxSize(420, 340));
      new wxButton(dialog, wxID_OK, "OK", wxPoint(10, 280));  // two children: no auto-fill
      (new ProbeCanvas(dialog, attributes))->SetSize(10, 10, 380, 240);
      dialog->Show();
    } else {
      OpenWin32Windows(mode == "win32child");
    }
    timer_.Bind(wxEVT_TIMER, [](wxTimerEvent&) { std::exit(0); });
    timer_.StartOnce(seconds * 1000);
    return true;
  }

 private:
  wxTimer timer_;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(ProbeApp);

int main(int argc, char** argv) {
  // A failed assertion prints instead of opening a dialog that nobody would answer.
  wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& condition,
                        const wxString& message) {
    std::printf("assertion %s:%d %s %s\n", static_cast<const char*>(file.c_str()), line,
                static_cast<const char*>(condition.c_str()),
                static_cast<const char*>(message.c_str()));
  });
  return wxEntry(argc, argv);
}
