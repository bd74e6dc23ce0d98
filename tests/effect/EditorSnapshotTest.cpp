// Ferrix's editor drawn after processing the demo loop, compared with the reference snapshots in
// tests/data/editor (written by ferrix-editor-snapshot). Linux's FreeType glyphs must match to the
// bit; where GDI draws the glyphs (Windows, wine) only the pixels outside the texts must. Either
// way the incremental redraws must leave what a whole repaint draws.
#include <memory>
#include <string>
#include <vector>

#include "raster/LoadPng.h"
#include "raster/SavePng.h"
#include "tests/effect/FerrixEditorSupport.h"
#include "tools/programs/editor-snapshot/EditorSnapshot.h"

namespace {

#ifdef _WIN32
constexpr bool kSameGlyphsAsReference = false;
#else
constexpr bool kSameGlyphsAsReference = true;
#endif

struct SnapshotCase {
  const char* file;
  SnapshotScene scene;
};

TEST_F(FerrixEditorTest, SnapshotsMatchTheReferences) {
  ferrix::host::AudioData demo;
  std::string error;
  ASSERT_TRUE(ferrix::host::ReadAudioFile(FERRIX_DEMO_LOOP, demo, error)) << error;
  const SnapshotCase cases[] = {
      {"defaults-demo-loop.png", {"-", 0.0}},
      {"bass-grit-mid-glide.png", {"Bass Grit", FERRIX_MID_GLIDE_SECONDS}},
  };
  for (const SnapshotCase& c : cases) {
    SCOPED_TRACE(c.file);
    Ferrix effect(nullptr);
    ASSERT_TRUE(DrawAfterProcessing(effect, demo, c.scene, error)) << error;
    // Hundreds of dirty passes (read-out texts wider than their areas among them) leave exactly
    // what one whole repaint of the same state draws: no remnants, no text drawn over itself.
    {
      IGraphics* editor = effect.Graphics();
      std::vector<Pixel> incremental;
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
          incremental.push_back(At(editor, x, y));
      editor->MarkAllControlsDirty();
      Tick(editor);
      int remnants = 0;
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
          remnants += incremental[y * 640 + x] != At(editor, x, y);
      EXPECT_EQ(remnants, 0);
    }
    const std::string path = std::string(FERRIX_SNAPSHOTS) + "/" + c.file;
    std::unique_ptr<RasterBitmap> reference(LoadPngFile(path.c_str()));
    ASSERT_NE(reference, nullptr) << path;
    IGraphics* editor = effect.Graphics();
    ASSERT_EQ(reference->Width(), 640);
    ASSERT_EQ(reference->Height(), 480);
    int differing = 0, outsideTexts = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (At(editor, x, y) == reference->Bits()[y * reference->RowSpan() + x]) continue;
        ++differing;
        bool inText = false;
        for (int i = 0; i < editor->NControls(); ++i) {
          IControl* control = editor->GetControl(i);
          inText = inText || (control->DrawsText() && control->RedrawBounds().Contains(x, y));
        }
        outsideTexts += !inText;
      }
    }
    if (outsideTexts > 0 || (kSameGlyphsAsReference && differing > 0)) {
      const std::string mismatch = std::string("mismatch-") + c.file;
      SavePngFile(*editor->Canvas(), mismatch.c_str());
      ADD_FAILURE() << differing << " pixels differ (" << outsideTexts
                    << " outside texts); the drawing "
                    << "is in " << mismatch
                    << ". If the change is meant, rewrite the reference with "
                       "build/linux/ferrix-editor-snapshot";
    }
  }
}

}  // namespace
