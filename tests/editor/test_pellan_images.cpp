// The image windows on real windows: the import window with a PNG keeping its alpha and a BMP
// masked by a clicked colour, the gallery's file round trip, the bitmap-link editor opened from
// the inspector, and the images page. Dialogs are answered through the framework's dialog seam;
// modal windows are driven from a timer. The export window is in test_pellan_images_export.cpp.
#include <windows.h>

#include <filesystem>

#include "editor/core/skin_document.h"
#include "editor/images/bitmap_editor_form.h"
#include "editor/images/gallery_form.h"
#include "editor/images/images_page.h"
#include "editor/images/open_bitmap_form.h"
#include "editor/inspector/property_inspector.h"
#include "editor_test_support.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/grids.h"
#include "framework/ui/image.h"
#include "framework/ui/panel.h"
#include "framework/ui/stdctrls.h"
#include "image_test_support.h"
#include "images_ui_support.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/skin/theme_dv3objects.h"

namespace {

using namespace images_test;

// [Import window]

TEST_F(ImagesTest, APngWithAlphaArrivesWithItsAlphaAndMagentaWhereTransparent) {
  const std::string File = Folder.File("glass.png");
  WriteBytes(File, PngBytes(3, 1, {0x80FF0000, 0x00000000, 0xFF00FF00}, true));
  OpenAnswers = {{File}};
  DuringModal({[&] {
    auto* Form = FindForm<TfrmOpenBitmap>("Open Bitmap");
    if (!Form) return false;
    EXPECT_EQ(Form->ClientWidth(), 583);
    EXPECT_EQ(Form->ClientHeight(), 321);
    Press(Form->LoadButton());
    EXPECT_EQ(Form->SrcImg()->Width(), 3);
    Press(Form->ZoomInButton());
    EXPECT_EQ(Form->ScaleLabel()->Caption(), "200%");
    EXPECT_EQ(Form->SrcImg()->Width(), 6);
    EXPECT_EQ(Form->DstPaint()->Height(), 2);
    Press(Form->ZoomOutButton());
    Press(Form->ZoomOutButton());  // not below 1
    EXPECT_EQ(Form->ScaleLabel()->Caption(), "100%");
    Screenshot(Form, "open_bitmap_png");
    Press(Form->OkButton());
    return true;
  }});
  std::unique_ptr<TvxBitmap> Image = OpenBitmap();
  EXPECT_TRUE(AllStepsRan());
  EXPECT_EQ(OpenTitles, (std::vector<std::string>{"Open Bitmap"}));
  ASSERT_TRUE(Image);
  EXPECT_EQ(Image->Name(), "glass.png");
  EXPECT_EQ(PixelsOf(*Image), (std::vector<TvxColor>{0x80FF0000, 0x00FF00FF, 0xFF00FF00}));
  EXPECT_TRUE(Image->AlphaBlend());
}

// A 10 x 2 BMP: white at (0,0), (2,0), (8,0) and (9,1); the rest coloured.
class ImportBmp : public ImagesTest {
 protected:
  void SetUp() override {
    ImagesTest::SetUp();
    File = Folder.File("frame.bmp");
    std::vector<uint32_t> Pixels(20, 0x00102030);
    Pixels[0] = Pixels[2] = Pixels[8] = Pixels[19] = 0x00FFFFFF;
    Pixels[1] = 0x00FF0000;
    Pixels[9] = 0x0000FF00;
    WriteBytes(File, Bmp24Bytes(10, 2, Pixels));
    OpenAnswers = {{File}};
  }
  std::string File;
};

TEST_F(ImportBmp, AClickedWhitePixelMasksEveryWhitePixel) {
  TColor Hovered = clNone, Masked = clNone;
  std::string Red;
  uint32_t MaskedSquare = 0, GreySquare = 0, Opaque = 0;
  DuringModal({[&] {
    auto* Form = FindForm<TfrmOpenBitmap>("Open Bitmap");
    if (!Form) return false;
    Press(Form->LoadButton());
    Press(Form->ZoomInButton());
    // At 200% the view point (2, 0) is the pixel (1, 0), (4, 1) is (2, 0): halves to even.
    MoveOver(Form->SrcImg(), 2, 0);
    Hovered = Form->CurColor()->Color();
    ClickOn(Form->SrcImg(), 4, 1);
    Masked = Form->MaskPanel()->Color();
    Red = Form->EdR()->Text();
    UpdateWindow(Form->Handle());
    // The result view: checkerboard white at (0, 0), grey 176 in the next square.
    Printed View(static_cast<TWinControl*>(Form->DstPaint()->Parent()));
    MaskedSquare = View.At(1, 1);
    GreySquare = View.At(17, 1);
    Opaque = View.At(19, 1);
    Screenshot(Form, "open_bitmap_bmp");
    Press(Form->OkButton());
    return true;
  }});
  std::unique_ptr<TvxBitmap> Image = OpenBitmap();
  ASSERT_TRUE(AllStepsRan());
  EXPECT_EQ(Hovered, TColor(0x000000FF));  // red
  EXPECT_EQ(Masked, clWhite);
  EXPECT_EQ(Red, "255");
  EXPECT_EQ(MaskedSquare, 0xFFFFFFu);
  EXPECT_EQ(GreySquare, 0xB0B0B0u);
  EXPECT_EQ(Opaque, 0x00FF00u);
  ASSERT_TRUE(Image);
  EXPECT_EQ(Image->Name(), "frame.bmp");
  for (Integer I : {0, 2, 8, 19}) EXPECT_EQ(Image->Bits()[I], TransparentMagenta) << I;
  EXPECT_EQ(Image->Bits()[1], 0xFFFF0000u);
  EXPECT_EQ(Image->Bits()[3], 0xFF102030u);
  EXPECT_FALSE(Image->AlphaBlend());
}

TEST_F(ImportBmp, TypedMaskAppliesAndBadTextIsReportedChangingNothing) {
  DuringModal({[&] {
    auto* Form = FindForm<TfrmOpenBitmap>("Open Bitmap");
    if (!Form) return false;
    Press(Form->LoadButton());
    Form->EdR()->SetText("16");
    Form->EdG()->SetText("32");
    Form->EdB()->SetText("48");
    Press(Form->ApplyButton());
    EXPECT_EQ(Form->MaskPanel()->Color(), TColor(0x00302010));
    Form->EdG()->SetText("300");
    Press(Form->ApplyButton());
    EXPECT_EQ(Form->MaskPanel()->Color(), TColor(0x00302010));
    Press(Form->OkButton());
    return true;
  }});
  std::unique_ptr<TvxBitmap> Image = OpenBitmap();
  ASSERT_TRUE(Image);
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Image->Bits()[3], TransparentMagenta);
  EXPECT_EQ(Image->Bits()[0], 0xFFFFFFFFu);
}

TEST_F(ImagesTest, CancelAndADamagedPictureGiveNothing) {
  const std::string Bad = Folder.File("bad.png");
  WriteBytes(Bad, {0x89, 'P', 'N', 'G', 1, 2, 3});
  OpenAnswers = {{Bad}};
  DuringModal({[&] {
    auto* Form = FindForm<TfrmOpenBitmap>("Open Bitmap");
    if (!Form) return false;
    Press(Form->LoadButton());
    EXPECT_TRUE(Form->Import().Image().Empty());
    Press(Form->CancelButton());
    return true;
  }});
  EXPECT_EQ(OpenBitmap(), nullptr);
  EXPECT_EQ(Messages.size(), 1u);
}

// [Gallery]

TEST_F(ImagesTest, TheGalleryFileKeepsNamesAndPixelsAcrossUses) {
  const std::string Png = Folder.File("one.png"), Bmp = Folder.File("two.bmp");
  WriteBytes(Png, PngBytes(2, 1, {0x80FF0000, 0xFF0000FF}, true));
  WriteBytes(Bmp, Bmp24Bytes(1, 1, {0x00123456}));
  const std::string File = Folder.File("gallery.res");
  {
    TfrmGal Gallery(nullptr, File);
    EXPECT_EQ(Gallery.Gallery().Count(), 0);  // no file yet
    OpenAnswers = {{Png, Bmp}};
    Press(Gallery.AddButton());
    EXPECT_EQ(Gallery.Grid()->ColCount(), 2);
    Gallery.Show();
    Screenshot(&Gallery, "gallery");
  }
  ASSERT_TRUE(std::filesystem::exists(File));
  TfrmGal Gallery(nullptr, File);
  ASSERT_EQ(Gallery.Gallery().Count(), 2);
  EXPECT_EQ(Gallery.Gallery().Image(0)->Name(), "one.png");
  EXPECT_EQ(Gallery.Gallery().Image(1)->Name(), "two.bmp");
  EXPECT_EQ(PixelsOf(*Gallery.Gallery().Image(0)), (std::vector<TvxColor>{0x80FF0000, 0xFF0000FF}));
  EXPECT_EQ(PixelsOf(*Gallery.Gallery().Image(1)), (std::vector<TvxColor>{0xFF123456}));
  // A double click on the second cell chooses it.
  DuringModal({[&] {
    const TRect Cell = Gallery.Grid()->CellRect(1, 0);
    const LPARAM At = MAKELPARAM(Cell.Left + 20, Cell.Top + 20);
    HWND Grid = Gallery.Grid()->Handle();
    SendMessageA(Grid, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageA(Grid, WM_LBUTTONUP, 0, At);
    SendMessageA(Grid, WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    SendMessageA(Grid, WM_LBUTTONUP, 0, At);
    return true;
  }});
  EXPECT_EQ(Gallery.ShowModal(), mrOk);
  ASSERT_TRUE(Gallery.Chosen());
  EXPECT_EQ(Gallery.Chosen()->Name(), "two.bmp");
}

TEST_F(ImagesTest, ADamagedGalleryIsReportedAndOpensEmpty) {
  const std::string File = Folder.File("gallery.res");
  WriteBytes(File, {5, 0, 0, 0, 1, 2});
  TfrmGal Gallery(nullptr, File);
  EXPECT_EQ(Gallery.Gallery().Count(), 0);
  EXPECT_EQ(Gallery.Chosen(), nullptr);
  EXPECT_EQ(Messages.size(), 1u);
}

TEST_F(ImagesTest, AnImageFromTheGalleryKeepsItsGalleryName) {
  const std::string File = GalleryFilePath();
  const bool Existed = std::filesystem::exists(File);
  const std::string Kept = Folder.File("kept.res");
  if (Existed) std::filesystem::copy_file(File, Kept);
  {
    TGallery Seed;
    Seed.Add(MakeImage("leaf.png", 1, 2, {0xFF00FF00, 0x40000000}));
    Seed.SaveToFile(File);
  }
  DuringModal({[&] {
                 auto* Form = FindForm<TfrmOpenBitmap>("Open Bitmap");
                 if (!Form) return false;
                 Press(Form->GalleryButton());  // runs the gallery modally
                 EXPECT_EQ(Form->Import().Image().Name(), "leaf.png");
                 Press(Form->OkButton());
                 return true;
               },
               [&] {
                 auto* Gallery = FindForm<TfrmGal>("Gallery");
                 if (!Gallery) return false;
                 Screenshot(Gallery, "gallery_modal");
                 Press(Gallery->InsertButton());
                 return true;
               }});
  std::unique_ptr<TvxBitmap> Image = OpenBitmap();
  if (Existed) {
    std::filesystem::copy_file(Kept, File, std::filesystem::copy_options::overwrite_existing);
  } else {
    std::filesystem::remove(File);
  }
  ASSERT_TRUE(Image);
  EXPECT_EQ(Image->Name(), "leaf.png");
  EXPECT_EQ(PixelsOf(*Image), (std::vector<TvxColor>{0xFF00FF00, 0x40000000}));
}

// [Bitmap-link editor]

// A new skin with the image "frame" (20 x 10) and a bitmap object inspected; the inspector's
// callbacks are the main window's.
class LinkEditorTest : public ImagesTest {
 protected:
  void SetUp() override {
    ImagesTest::SetUp();
    Document.OnRefresh = [this] { ++Refreshes; };
    ASSERT_TRUE(Document.NewSkin());
    TDvSkinSource& Source = *Document.Source();
    auto Image = std::make_unique<TvxBitmap>();
    Image->SetSize(20, 10);
    Image->Fill(0xFF808080);
    Image->SetName("frame");
    Source.Images().Add(std::move(Image));
    AddImage(Source, "small", 0xFF000000);
    Object = AddChild<TDvBitmapObject>(Source.Objects(0), "Pane", Rect(0, 0, 30, 30));
    Object->SetImageList(&Source.Images());
    Document.History().Reset(Source);  // as if opened with them
    Inspector = new TPropertyInspector(Form.get());
    Inspector->SetBounds(0, 0, 300, 280);
    Inspector->SetParent(Form.get());
    Inspector->OnBeforeChange = [this](TObject*, bool&) { Document.BeforePropertyChange(); };
    Inspector->OnAfterChange = [this](TObject*) { Document.AfterPropertyChange(Inspector->ChangingPath()); };
    RegisterBitmapLinkEditor(*Inspector, Document);
    Inspector->SetInspected(Object);
    Form->Show();
    Refreshes = 0;
  }
  TfrmBitmapEditor* OpenEditor() {
    // Under Wine without a window manager every hide of an active window waits about two seconds
    // for the focus to move: each opening gets the watchdog's whole time.
    Watchdog.SetEnabled(false);
    Watchdog.SetEnabled(true);
    Inspector->SelectPath("Bitmap");
    Inspector->ShowEditor();
    EXPECT_NE(Inspector->EditorButton(), nullptr);
    if (!Inspector->EditorButton()) return nullptr;
    Press(Inspector->EditorButton());
    return FindForm<TfrmBitmapEditor>("Bitmap Property");
  }

  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TDvBitmapObject* Object = nullptr;
  TPropertyInspector* Inspector = nullptr;
  int Refreshes = 0;
};

TEST_F(LinkEditorTest, CornersTwoThreeAndNineFourGiveTheLinkTwoThreeTenFive) {
  EXPECT_EQ(Inspector->ValueText("Bitmap"), "(Bitmap)");
  TfrmBitmapEditor* Editor = OpenEditor();
  ASSERT_TRUE(Editor);
  EXPECT_TRUE(IsWindowVisible(Editor->Handle()));
  EXPECT_EQ(Editor->ClientWidth(), 527);
  EXPECT_EQ(Editor->ClientHeight(), 329);
  // Opening the editor changes nothing yet: no step, nothing to save.
  EXPECT_FALSE(Document.Modified());
  EXPECT_FALSE(Document.History().CanUndo());
  EXPECT_GT(Refreshes, 0);
  EXPECT_EQ(Editor->BmpList()->Items().List(), (std::vector<std::string>{"frame", "small"}));
  EXPECT_EQ(Editor->BmpList()->ItemIndex(), -1);

  // The user picks "frame" in the list.
  HWND List = Editor->BmpList()->Handle();
  SendMessageA(List, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  SendMessageA(List, WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  ASSERT_EQ(Editor->BmpList()->ItemIndex(), 0);
  EXPECT_EQ(Editor->BmpView()->Width(), 20);
  EXPECT_EQ(Editor->BmpView()->Height(), 10);

  MoveOver(Editor->BmpView(), 5, 6);
  EXPECT_EQ(Editor->PosLabel()->Caption(), "Position: (5:6)");
  ClickOn(Editor->BmpView(), 2, 3);
  ClickOn(Editor->BmpView(), 9, 4, true);
  EXPECT_EQ(Editor->EdRect()->Text(), "(2:3)-(9:4)");
  EXPECT_EQ(Editor->SizeLabel()->Caption(), "Size: (8:2)");
  UpdateWindow(Editor->Handle());
  // The dotted guides invert the grey image with lime down from the top-left corner and with
  // yellow down to the bottom-right one; away from them the image shows as it is.
  Printed View(static_cast<TWinControl*>(Editor->BmpView()->Parent()));
  EXPECT_EQ(View.At(15, 8), 0x808080u);
  int Lime = 0, Yellow = 0;
  for (int Y = 4; Y < 10; ++Y) Lime += View.At(2, Y) == (0x808080u ^ 0x00FF00u);
  for (int Y = 0; Y < 4; ++Y) Yellow += View.At(9, Y) == (0x808080u ^ 0xFFFF00u);
  EXPECT_GE(Lime, 2);
  EXPECT_GE(Yellow, 1);
  for (int Y = 4; Y < 10; ++Y) EXPECT_NE(View.At(3, Y), 0x808080u ^ 0x00FF00u);
  Screenshot(Editor, "bitmap_editor");

  int AfterApply = 0;
  Editor->OnApply = [&](TObject*) { ++AfterApply; };
  Press(Editor->ApplyButton());
  EXPECT_EQ(AfterApply, 1);
  EXPECT_FALSE(IsWindowVisible(Editor->Handle()));
  EXPECT_EQ(Object->Bitmap()->Rect(), Rect(2, 3, 10, 5));
  EXPECT_EQ(Object->Bitmap()->Name(), "frame");
  EXPECT_EQ(Object->Bitmap()->Bitmap(), Document.Source()->Images().Items(0));

  // Opened again: the same window, on the link as it is now.
  EXPECT_EQ(OpenEditor(), Editor);
  EXPECT_EQ(Editor->BmpList()->ItemIndex(), 0);
  EXPECT_EQ(Editor->EdRect()->Text(), "(2:3)-(9:4)");
}

TEST_F(LinkEditorTest, AtZoomTwoXIsTruncatedAndYRoundedHalvesToEven) {
  TfrmBitmapEditor* Editor = OpenEditor();
  ASSERT_TRUE(Editor);
  HWND List = Editor->BmpList()->Handle();
  SendMessageA(List, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  SendMessageA(List, WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  // "200" chosen in the box with the keyboard.
  SendMessageA(Editor->CbZoom()->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_EQ(Editor->CbZoom()->ItemIndex(), 1);
  EXPECT_EQ(Editor->BmpView()->Width(), 40);
  EXPECT_EQ(Editor->BmpView()->Height(), 20);
  MoveOver(Editor->BmpView(), 7, 9);
  EXPECT_EQ(Editor->PosLabel()->Caption(), "Position: (3:4)");
  ClickOn(Editor->BmpView(), 5, 7);         // 2.5 -> 2, 3.5 -> 4
  ClickOn(Editor->BmpView(), 19, 5, true);  // 9.5 -> 9, 2.5 -> 2
  EXPECT_EQ(Editor->EdRect()->Text(), "(2:4)-(9:2)");
}

TEST_F(LinkEditorTest, CancelChangesNothingAndApplyWithAllBitmapIsOneStep) {
  TfrmBitmapEditor* Editor = OpenEditor();
  ASSERT_TRUE(Editor);
  Press(Editor->CancelButton());
  EXPECT_FALSE(IsWindowVisible(Editor->Handle()));
  EXPECT_FALSE(Document.Modified());
  EXPECT_EQ(Object->Bitmap()->Rect(), TRect{});

  ASSERT_EQ(OpenEditor(), Editor);
  HWND List = Editor->BmpList()->Handle();
  SendMessageA(List, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3));
  SendMessageA(List, WM_LBUTTONUP, 0, MAKELPARAM(5, 3));
  ClickOn(Editor->BmpView(), 4, 4);
  Press(Editor->AllBitmap());
  ASSERT_TRUE(Editor->AllBitmap()->Checked());
  ClickOn(Editor->BmpView(), 1, 1);  // ignored with "All bitmap"
  EXPECT_EQ(Editor->EdRect()->Text(), "(4:4)-(0:0)");
  Press(Editor->ApplyButton());
  EXPECT_EQ(Object->Bitmap()->Rect(), Rect(0, 0, 20, 10));
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(Document.UndoCaption(), "&Undo Apply Bitmap");
}

// [Images page]

TEST_F(ImagesTest, TheImagesPageAddsShowsReplacesAndDeletes) {
  TScriptedPrompts Prompts;
  TSkinDocument Document(Prompts);
  ASSERT_TRUE(Document.NewSkin());
  std::vector<std::unique_ptr<TvxBitmap>> Imports;
  Imports.push_back(MakeImage("pic", 2, 1, {0xFF0000FF, 0x80FF0000}));
  Imports.back()->CheckAlpha();
  Imports.push_back(nullptr);  // a cancelled import
  Imports.push_back(MakeImage("other", 1, 1, {0xFF00FF00}));
  auto* Page = new TImagesPage(Form.get(), Document, [&] {
    auto Next = std::move(Imports.front());
    Imports.erase(Imports.begin());
    return Next;
  });
  Page->SetAlign(TAlign::alClient);
  Page->SetParent(Form.get());
  Form->Show();
  EXPECT_EQ(Page->Header()->Caption(), " Images");

  Press(Page->AddButton());
  TvxBitmapList& List = Document.Source()->Images();
  ASSERT_EQ(List.Count(), 1);
  EXPECT_EQ(Document.SelectedImage(), List.Items(0));
  EXPECT_EQ(Page->ImageView()->Width(), 2);
  Screenshot(Form.get(), "images_page");
  UpdateWindow(Form->Handle());
  Printed View(static_cast<TWinControl*>(Page->ImageView()->Parent()));
  EXPECT_EQ(View.At(0, 0), 0x0000FFu);
  // Half-transparent red over the key colour: (256 * 127 + 128 * (255 - 127)) >> 8 = 191 red,
  // (256 * 127 - 128 * 127) >> 8 = 63 blue, give or take the platform's rounding.
  const uint32_t Blended = View.At(1, 0);
  EXPECT_NEAR(int(Blended >> 16), 191, 2);
  EXPECT_EQ(int((Blended >> 8) & 0xFF), 0);
  EXPECT_NEAR(int(Blended & 0xFF), 63, 2);

  Press(Page->ReplaceButton());  // cancelled: nothing replaced
  EXPECT_EQ(List.Items(0)->Name(), "pic");
  Press(Page->ReplaceButton());
  ASSERT_EQ(List.Count(), 1);
  EXPECT_EQ(List.Items(0)->Name(), "pic");  // the new picture under the old name
  EXPECT_EQ(List.Items(0)->Bits()[0], 0xFF00FF00u);
  EXPECT_EQ(Page->ImageView()->Width(), 1);

  Press(Page->DeleteButton());
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(Document.SelectedImage(), nullptr);
  EXPECT_EQ(Page->ImageView()->Picture()->Graphic(), nullptr);
  EXPECT_TRUE(Document.Modified());
}

}  // namespace
