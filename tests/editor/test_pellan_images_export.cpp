// The export window on real windows: every image written and read back pixel for pixel, nothing
// without images, and the folder tree with its drive box. Apart from the other image windows'
// tests: the framework's tree classes share their names with the editor core's object tree.
#include <windows.h>

#include <filesystem>

#include "editor/images/export_form.h"
#include "editor/images/folder_tree.h"
#include "framework/ui/memo.h"
#include "framework/ui/stdctrls.h"
#include "images_ui_support.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/graphics/vx_bmpfile.h"
#include "vexel/graphics/vx_pixel.h"

namespace {

using namespace images_test;

// [Export]

class ExportTest : public ImagesTest {
 protected:
  void SetUp() override {
    ImagesTest::SetUp();
    auto Glass = MakeImage("glass", 2, 2, {0x80112233, 0xFF445566, 0x00000000, 0x10FFFFFF});
    Glass->CheckAlpha();
    Images.Add(std::move(Glass));
    auto Plain = MakeImage("plain", 3, 1, {0xFF102030, 0xFF7F007F, 0xFF405060});
    Plain->MakeTransparent(vxKeyColor);
    Images.Add(std::move(Plain));
    Out = Folder.File("out");
    std::filesystem::create_directories(Out);
    std::filesystem::create_directories(Out + Sep + "beta");
    std::filesystem::create_directories(Out + Sep + "alpha" + Sep + "deeper");
  }
  TvxBitmapList Images;
  std::string Out;
};

TEST_F(ExportTest, EveryImageIsWrittenAndReadsBackPixelForPixel) {
  TfrmExport Export(nullptr, Images);
  EXPECT_EQ(Export.ClientWidth(), 480);
  EXPECT_EQ(Export.ClientHeight(), 338);
  EXPECT_EQ(Export.EdFolder()->Text(), std::filesystem::current_path().string());  // at start
  Export.EdFolder()->SetText(Out);
  Press(Export.ExportButton());
  const std::string Dir = Out + Sep;
  EXPECT_EQ(Export.EdFolder()->Text(), Dir);
  EXPECT_EQ(Export.Log()->Lines().List(), (std::vector<std::string>{"Bitmap glass saved as " + Dir + "glass",
                                                                    "Bitmap plain saved as " + Dir + "plain"}));

  TMemoryStream PngFile(ReadBytes(Dir + "glass.png"));
  const TPngPixels Png = ReadPng(PngFile);
  EXPECT_TRUE(Png.HasAlpha);
  EXPECT_EQ(Png.Pixels, PixelsOf(*Images.Items(0)));
  const std::vector<uint8_t> Bytes = ReadBytes(Dir + "plain.bmp");
  TvxBitmap Plain;
  LoadBmpFile(Plain, Bytes.data(), Bytes.size());
  // The key-coloured pixel comes out magenta, the others as they are.
  EXPECT_EQ(PixelsOf(Plain), (std::vector<TvxColor>{0xFF102030, 0xFFFF00FF, 0xFF405060}));
  Export.Show();
  Screenshot(&Export, "export");
}

TEST_F(ExportTest, NoImagesExportNothingAndLogNothing) {
  TvxBitmapList None;
  TfrmExport Export(nullptr, None);
  Export.EdFolder()->SetText(Out);
  Export.Log()->Lines().Add("before");
  Press(Export.ExportButton());
  EXPECT_EQ(Export.Log()->Lines().List(), (std::vector<std::string>{"before"}));
  EXPECT_FALSE(std::filesystem::exists(Out + Sep + "glass.png"));
}

TEST_F(ExportTest, TheFolderTreeShowsTheSubfoldersAndChoosingOneFillsTheEdit) {
  TfrmExport Export(nullptr, Images);
  Export.Show();
  Export.ShowFolder(Out);
  // The drive box holds the drives and shows the folder's.
  ASSERT_GE(Export.DriveBox()->ItemIndex(), 0);
  EXPECT_EQ(Export.DriveBox()->Items()[Export.DriveBox()->ItemIndex()], Out.substr(0, 2) + "\\");
  TFolderTree* Tree = Export.FolderTree();
  TTreeNode* Node = Tree->Selected();
  ASSERT_TRUE(Node);
  EXPECT_EQ(Node->Text(), "out");
  EXPECT_EQ(Tree->PathOf(Node), Out + Sep);
  // Opened with the keyboard, as a user would: the subfolders are read then.
  SendMessageA(Tree->Handle(), WM_KEYDOWN, VK_ADD, 0);
  ASSERT_EQ(Node->Count(), 2);
  EXPECT_EQ(Node->Item(0)->Text(), "alpha");
  EXPECT_EQ(Node->Item(1)->Text(), "beta");
  EXPECT_TRUE(Node->Item(0)->HasChildren());  // "deeper", not read yet
  EXPECT_FALSE(Node->Item(1)->HasChildren());
  SendMessageA(Tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Tree->Selected(), Node->Item(0));
  EXPECT_EQ(Export.EdFolder()->Text(), Out + Sep + "alpha");
  Screenshot(&Export, "export_tree");
}

}  // namespace
