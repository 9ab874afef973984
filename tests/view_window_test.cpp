#include <wx/frame.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing_frame.h"
#include "modal_run.h"
#include "prime_flags.h"
#include "prime_spiral.h"
#include "prime_view_dlg.h"
#include "recording_sink.h"
#include "view_state.h"

// Last: Xlib's macros would clash with the test framework's names.
#include <GL/glx.h>

namespace tallyforge {
namespace {

using namespace uitest;

const char* const kOpeningText = "White Points are prime numbers";

wxString Description(const CPrimeViewDlg& dlg) {
  return dlg.FindWindow(CPrimeViewDlg::kDescriptionId)->GetLabel();
}

void ClickButton(CPrimeViewDlg& dlg, int id) {
  Click(*dlg.FindWindow(id));
  Pump(200);
}

// What a picture shows, counted in the surface's part of a screenshot.
struct PictureCounts {
  int white = 0;   // points and bars
  int blue = 0;    // short links
  int warm = 0;    // longer links, olive to yellow
  int yellow = 0;  // digits
  int cyan = 0;    // the histogram's base line
  int black = 0;   // background
  double pointsInPlace = 0;  // share of the visible primes found drawn where they belong
  int controlsHidden = 0;    // controls on the picture that the picture covers
};

// The share of the spiral's visible points (those not under a control) that are drawn in shot
// (white, or a link drawn over them) at the pixel that identity matrices and a viewport over
// the whole surface give them, with one pixel of slack.
double ShareOfPointsInPlace(const wxImage& shot, const wxRect& area,
                            const std::vector<wxRect>& controls) {
  const uint8_t savedLinks = linkLines;
  linkLines = 0;
  BuildPrimeFlags();
  RecordingSink sink;
  DrawPrimeSpiral(sink);
  linkLines = savedLinks;
  int visible = 0, lit = 0;
  for (const Primitive& p : sink.primitives) {
    const Vertex v = p.vertices[0];
    if (std::abs(v.x) >= 1.0f || std::abs(v.y) >= 1.0f || std::abs(v.z) > 1.0f) continue;
    const int px = area.x + static_cast<int>((v.x + 1.0f) / 2.0f * area.width);
    const int py = area.y + static_cast<int>((1.0f - v.y) / 2.0f * area.height);
    const wxRect around(px - 1, py - 1, 3, 3);
    if (std::any_of(controls.begin(), controls.end(),
                    [&](const wxRect& c) { return c.Intersects(around); })) {
      continue;
    }
    ++visible;
    if (CountWhere(shot, around, [](int r, int g, int b) { return r + g + b > 90; }) > 0) ++lit;
  }
  return visible == 0 ? 0.0 : static_cast<double>(lit) / visible;
}

PictureCounts CountPicture(const CPrimeViewDlg& dlg, const std::string& name) {
  const wxImage shot = Screenshot(dlg, name);
  PictureCounts c;
  if (!shot.IsOk() || dlg.Surface() == nullptr) {
    ADD_FAILURE() << "no screenshot of " << name;
    return c;
  }
  const wxRect area = RectInShot(*dlg.Surface());
  c.white = CountColour(shot, area, 255, 255, 255, 40);
  c.blue = CountWhere(shot, area, [](int r, int g, int b) { return b > 60 && b > r + 40 && b > g + 40; });
  c.warm = CountWhere(shot, area, [](int r, int g, int b) {
    return r > 90 && g > 90 && b + 50 < r && std::abs(r - g) < 30 && !(r > 215 && g > 215);
  });
  c.yellow = CountColour(shot, area, 255, 255, 0, 40);
  c.cyan = CountColour(shot, area, 0, 255, 255, 40);
  c.black = CountColour(shot, area, 0, 0, 0, 8);
  std::vector<wxRect> controls;
  for (const wxWindow* control : dlg.Surface()->GetChildren()) {
    controls.push_back(RectInShot(*control));
    // Drawn over the picture, not hidden by it: mostly not black.
    if (CountColour(shot, controls.back(), 0, 0, 0, 8) * 2 > controls.back().width * controls.back().height) {
      ++c.controlsHidden;
    }
  }
  c.pointsInPlace = ShareOfPointsInPlace(shot, area, controls);
  return c;
}

void ExpectSpiralPoints(const PictureCounts& c, const char* name) {
  SCOPED_TRACE(name);
  EXPECT_EQ(c.controlsHidden, 0);
  EXPECT_GT(c.white, 2000);
  EXPECT_GT(c.pointsInPlace, 0.95);
  EXPECT_GT(c.black, c.white * 10);
  EXPECT_LT(c.blue + c.warm + c.yellow + c.cyan, 20);
}

void ExpectSpiralLinks(const PictureCounts& c, const char* name) {
  SCOPED_TRACE(name);
  EXPECT_EQ(c.controlsHidden, 0);
  EXPECT_GT(c.pointsInPlace, 0.95);
  EXPECT_GT(c.blue, 1000);
  EXPECT_GT(c.warm, 200);
  EXPECT_LT(c.cyan, 20);
}

void ExpectHistogram(const PictureCounts& c, const CPrimeViewDlg& dlg, const char* name) {
  SCOPED_TRACE(name);
  const int surfaceWidth = dlg.Surface() ? dlg.Surface()->GetSize().x : 0;
  EXPECT_EQ(c.controlsHidden, 0);
  // The base line runs from edge to edge; white bars cross it.
  EXPECT_GT(c.cyan, surfaceWidth * 8 / 10);
  EXPECT_GT(c.yellow, 300);
  EXPECT_GT(c.white, 200);
  EXPECT_LT(c.pointsInPlace, 0.2);
  EXPECT_LT(c.blue, 20);
}

void ResetViewState() {
  viewMode = 0;
  linkLines = 0;
}

// The first opening shows the points; each button its picture. Reopened, the window shows the
// picture it was closed on (by EXIT or by Esc, its Cancel) under the opening description.
TEST(PrimeViewWindow, EachButtonShowsItsPictureAndTheViewModeSurvivesReopening) {
  ResetViewState();
  PictureCounts points, links, graph, pointsAgain;
  wxString opening, afterPoints, afterLinks, afterGraph;
  {  // each window gone before the next opens, as the program's are
    CPrimeViewDlg dlg(nullptr);
    const wxWindow* focused = nullptr;
    const int result = RunModal(dlg, [&] {
      ASSERT_NE(dlg.Surface(), nullptr);
      focused = wxWindow::FindFocus();
      opening = Description(dlg);
      points = CountPicture(dlg, "prime-view-spiral");
      ClickButton(dlg, CPrimeViewDlg::kViewDistanceLinesId);
      afterLinks = Description(dlg);
      links = CountPicture(dlg, "prime-view-links");
      ClickButton(dlg, CPrimeViewDlg::kDistanceGraphId);
      afterGraph = Description(dlg);
      graph = CountPicture(dlg, "prime-view-histogram");
      ClickButton(dlg, CPrimeViewDlg::kViewPointsId);
      afterPoints = Description(dlg);
      pointsAgain = CountPicture(dlg, "prime-view-points-again");
      ClickButton(dlg, CPrimeViewDlg::kDistanceGraphId);
      ClickButton(dlg, CPrimeViewDlg::kExitId);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(focused, dlg.FindWindow(CPrimeViewDlg::kViewPointsId));
    EXPECT_EQ(opening, kOpeningText);
    EXPECT_EQ(afterLinks, "Lines link prime Numbers (Blue -> Yellow , Distance)");
    EXPECT_EQ(afterGraph, "Distance Between two consecutive prime numbers.");
    EXPECT_EQ(afterPoints, "White Points are prime numbers (from 2 to 32767)");
    ExpectSpiralPoints(points, "points");
    ExpectSpiralLinks(links, "links");
    ExpectHistogram(graph, dlg, "histogram");
    ExpectSpiralPoints(pointsAgain, "points again");
    EXPECT_NEAR(pointsAgain.white, points.white, points.white / 50 + 5);
  }
  {
    CPrimeViewDlg second(nullptr);
    const int cancelled = RunModal(second, [&] {
      opening = Description(second);
      graph = CountPicture(second, "reopened-histogram");
      ClickButton(second, CPrimeViewDlg::kViewDistanceLinesId);
      uitest::PressKeyOn(*second.FindWindow(CPrimeViewDlg::kDescriptionId), WXK_ESCAPE);
    });
    EXPECT_EQ(cancelled, wxID_CANCEL);
    EXPECT_EQ(opening, kOpeningText);
    ExpectHistogram(graph, second, "reopened");
  }
  CPrimeViewDlg third(nullptr);
  RunModal(third, [&] {
    opening = Description(third);
    links = CountPicture(third, "reopened-links");
    ClickButton(third, CPrimeViewDlg::kExitId);
  });
  EXPECT_EQ(opening, kOpeningText);
  ExpectSpiralLinks(links, "reopened after Esc");
}

TEST(PrimeViewWindow, UncoveringRepaintsTheSamePicture) {
  ResetViewState();
  linkLines = 1;
  CPrimeViewDlg dlg(nullptr);
  uitest::ShowAndSettle(dlg);
  ASSERT_NE(dlg.Surface(), nullptr);
  Pump(1000);  // a slow build draws the controls over the first picture some frames later
  const PictureCounts before = CountPicture(dlg, "before-cover");
  {
    wxFrame cover(nullptr, wxID_ANY, "cover", dlg.GetScreenPosition(), dlg.GetSize());
    cover.SetBackgroundColour(*wxRED);
    uitest::ShowAndSettle(cover);
    const PictureCounts covered = CountPicture(dlg, "covered");
    EXPECT_LT(covered.blue, before.blue / 10);
  }
  Pump(300);
  const PictureCounts after = CountPicture(dlg, "uncovered");
  ExpectSpiralLinks(after, "uncovered");
  EXPECT_NEAR(after.blue, before.blue, before.blue / 50 + 5);
  EXPECT_NEAR(after.white, before.white, before.white / 50 + 5);
}

TEST(PrimeViewWindow, PictureFillsTheClientAreaWithTheControlsOverIt) {
  CPrimeViewDlg dlg(nullptr);
  uitest::ShowAndSettle(dlg);
  ASSERT_NE(dlg.Surface(), nullptr);
  EXPECT_EQ(dlg.Surface()->GetRect(), wxRect(dlg.GetClientSize()));
  for (int id = CPrimeViewDlg::kViewPointsId; id <= CPrimeViewDlg::kDescriptionId; ++id) {
    EXPECT_EQ(dlg.FindWindow(id)->GetParent(), dlg.Surface()) << id;
    for (int other = id + 1; other <= CPrimeViewDlg::kDescriptionId; ++other) {
      EXPECT_FALSE(dlg.FindWindow(id)->GetRect().Intersects(dlg.FindWindow(other)->GetRect()))
          << id << " " << other;
    }
  }
  wxString label = dlg.FindWindow(CPrimeViewDlg::kViewDistanceLinesId)->GetLabel();
  label.Replace("\n", " ");
  EXPECT_EQ(label, "View Distance Lines");  // the multi-line button keeps its words
  // Tab goes through the buttons in template order, never onto the picture.
  wxUIActionSimulator().MouseMove(dlg.GetScreenRect().GetPosition() + wxPoint(100, 100));
  dlg.FindWindow(CPrimeViewDlg::kViewPointsId)->SetFocus();
  for (int id : {CPrimeViewDlg::kViewDistanceLinesId, CPrimeViewDlg::kExitId,
                 CPrimeViewDlg::kDistanceGraphId, CPrimeViewDlg::kViewPointsId}) {
    uitest::KeyThroughTheDisplay("Tab");
    Pump(100);
    EXPECT_EQ(wxWindow::FindFocus(), dlg.FindWindow(id)) << id;
  }
}

TEST(PrimeViewWindow, DrawingLeavesNoContextCurrentAndNothingAfterClosing) {
  ResetViewState();
  {
    CPrimeViewDlg dlg(nullptr);
    bool drew = false;
    GLXContext current = reinterpret_cast<GLXContext>(1);
    RunModal(dlg, [&] {
      viewWindowHandle = dlg.Surface();
      drew = DrawInFreshContext(DrawPrimeSpiral);
      current = glXGetCurrentContext();
      ClickButton(dlg, CPrimeViewDlg::kExitId);
    });
    EXPECT_TRUE(drew);
    EXPECT_EQ(current, nullptr);
  }
  // The closed window's surface is gone: a drawing finds none.
  EXPECT_FALSE(DrawInFreshContext(DrawPrimeSpiral));
}

struct FailureCase {
  const char* name;
  bool unsupportedFormat;  // else the surface cannot be created
  const char* message;
};

// By its name: the default printout of its bytes (pointers, padding) changes from build to build,
// and ctest lists it in the test's name.
void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.name; }

class PrimeViewPixelFormat : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PrimeViewPixelFormat, FailureIsReportedOnceAndTheButtonsStillWork) {
  ResetViewState();
  const FailureCase& param = GetParam();
  std::vector<wxString> messages;
  PixelFormatRequest request;
  request.report = [&](const wxString& message) { messages.push_back(message); };
  if (param.unsupportedFormat) {
    request.attributes.Reset();
    request.attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).SampleBuffers(1)
        .Samplers(64).EndList();
  } else {
    request.create = [](wxWindow&, const wxGLAttributes&) -> wxGLCanvas* { return nullptr; };
  }
  CPrimeViewDlg dlg(nullptr, request);
  wxString afterLinks, afterGraph;
  int black = -1;
  RunModal(dlg, [&] {
    ClickButton(dlg, CPrimeViewDlg::kViewDistanceLinesId);
    afterLinks = Description(dlg);
    ClickButton(dlg, CPrimeViewDlg::kDistanceGraphId);
    afterGraph = Description(dlg);
    const wxImage shot = Screenshot(dlg, std::string("no-surface-") + param.name);
    const wxRect above(0, 0, dlg.GetClientSize().x,
                       dlg.FindWindow(CPrimeViewDlg::kExitId)->GetPosition().y);
    black = shot.IsOk() ? CountColour(shot, above, 0, 0, 0, 8) : -1;
    ClickButton(dlg, CPrimeViewDlg::kExitId);
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], param.message);
  EXPECT_EQ(dlg.Surface(), nullptr);
  EXPECT_EQ(afterLinks, "Lines link prime Numbers (Blue -> Yellow , Distance)");
  EXPECT_EQ(afterGraph, "Distance Between two consecutive prime numbers.");
  // No picture: no black background drawn anywhere above the controls.
  EXPECT_EQ(black, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PrimeViewPixelFormat,
    ::testing::Values(FailureCase{"choose", true, "ChoosePixelFormat Failed"},
                      FailureCase{"set", false, "SetPixelFormat Failed"}),
    [](const ::testing::TestParamInfo<FailureCase>& failure) { return std::string(failure.param.name); });

}  // namespace
}  // namespace tallyforge
