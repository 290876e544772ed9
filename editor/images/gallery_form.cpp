#include "editor/images/gallery_form.h"

#include "framework/ui/application.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/grids.h"
#include "framework/ui/stdctrls.h"
#include "vexel/graphics/vx_bitmap.h"

namespace {

constexpr Integer CellWidth = 150;
constexpr Integer CellHeight = 130;

}  // namespace

TfrmGal::TfrmGal(TComponent* Owner, std::string FileName) : TForm(Owner), FFileName(std::move(FileName)) {
  SetCaption("Gallery");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(683);
  SetClientHeight(242);

  FGrid = new TStringGrid(this);
  FGrid->SetBounds(8, 8, 667, 190);
  FGrid->SetFixedCols(0);
  FGrid->SetFixedRows(0);
  FGrid->SetRowCount(1);
  FGrid->SetDefaultColWidth(CellWidth);
  FGrid->SetDefaultRowHeight(CellHeight);
  FGrid->OnDrawCell = [this](TObject*, Integer ACol, Integer, const TRect& Rect, TGridDrawState State) {
    DrawCell(ACol, Rect);
    if (State.Contains(TGridDrawStateFlag::gdFocused)) FGrid->Canvas()->DrawFocusRect(Rect);
  };
  FGrid->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };
  FGrid->SetParent(this);

  auto MakeButton = [this](const char* Caption, Integer Left) {
    auto* Button = new TButton(this);
    Button->SetCaption(Caption);
    Button->SetBounds(Left, 209, 80, 25);
    Button->SetParent(this);
    return Button;
  };
  FAddButton = MakeButton("Add Image", 8);
  FAddButton->OnClick = [this](TObject*) { AddImageClick(); };
  FInsertButton = MakeButton("Insert", 509);
  FInsertButton->SetModalResult(mrOk);
  FInsertButton->SetDefault(true);
  FCloseButton = MakeButton("Close", 595);
  FCloseButton->SetModalResult(mrCancel);
  FCloseButton->SetCancel(true);

  try {
    FGallery.LoadFromFile(FFileName);
  } catch (const std::exception& E) {
    Application->ShowException(E);
  }
  UpdateColumns();
}

TfrmGal::~TfrmGal() {
  try {
    FGallery.SaveToFile(FFileName);
  } catch (const std::exception& E) {
    Application->ShowException(E);
  }
}

TvxBitmap* TfrmGal::Chosen() const { return FGallery.Image(FGrid->Col()); }

void TfrmGal::AddImageClick() {
  TOpenDialog Dialog;
  Dialog.SetTitle("Add Image");
  Dialog.SetFilter(
      "Pictures (*.png;*.bmp)|*.png;*.bmp|PNG images (*.png)|*.png|Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*");
  Dialog.SetOptions({TOpenOption::ofHideReadOnly, TOpenOption::ofAllowMultiSelect, TOpenOption::ofFileMustExist,
                     TOpenOption::ofEnableSizing});
  if (!Dialog.Execute()) return;
  std::vector<std::string> Files = Dialog.Files();
  if (Files.empty() && !Dialog.FileName().empty()) Files.push_back(Dialog.FileName());
  for (const std::string& File : Files) {
    try {
      FGallery.AddPictureFile(File);
    } catch (const std::exception& E) {
      Application->ShowException(E);
    }
  }
  UpdateColumns();
}

void TfrmGal::UpdateColumns() {
  FGrid->SetColCount(std::max(FGallery.Count(), 1));
  FGrid->Invalidate();
}

void TfrmGal::DrawCell(Integer ACol, const TRect& Rect) {
  const TvxBitmap* Image = FGallery.Image(ACol);
  if (!Image || Image->Empty()) return;
  // Offsets halve toward zero, so an image wider than the cell starts left of it.
  const Integer X = Rect.Left + (Rect.Width() - Image->Width()) / 2;
  const Integer Y = Rect.Top + (Rect.Height() - Image->Height()) / 2;
  TCanvas& Canvas = *FGrid->Canvas();
  const int Saved = Canvas.SaveState();
  Canvas.IntersectClip(Rect);
  Image->Draw(Canvas, X, Y);
  Canvas.RestoreState(Saved);
}
