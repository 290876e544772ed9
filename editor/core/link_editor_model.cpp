#include "editor/core/link_editor_model.h"

#include <algorithm>

#include "editor/core/selection_geometry.h"
#include "editor/core/skin_document.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

const TPropInfo* PropertyHolding(const TDvSkinObject& Object, const TvxBitmapLink* Link) {
  for (const TPropInfo* Info : Object.ClassInfo().AllProperties())
    if (Info->Kind == TPropKind::pkClass && Info->GetObject(&Object) == Link) return Info;
  return nullptr;
}

bool InTree(const TDvSkinObject* Root, const TDvSkinObject* Object) {
  if (Root == Object) return true;
  for (Integer I = 0; I < Root->ChildCount(); ++I)
    if (InTree(Root->Child(I), Object)) return true;
  return false;
}

}  // namespace

bool TLinkEditorModel::Open(TDvSkinObject* Object, TvxBitmapLink* Link) {
  FObject = nullptr;
  FProperty = nullptr;
  FImageNames.clear();
  FImageIndex = -1;
  FTopLeft = FBottomRight = {};
  if (!Object || !Link) return false;
  FProperty = PropertyHolding(*Object, Link);
  if (!FProperty) return false;
  FObject = Object;
  FObjectName = Object->Name();
  const TvxBitmapList* Images = Object->ImageList();
  if (!Images) return true;
  for (Integer I = 0; I < Images->Count(); ++I) FImageNames.push_back(Images->Items(I)->Name());

  const TvxBitmap* Bound = Link->Bitmap();
  const Integer Index = Bound ? Images->IndexOf(Bound) : -1;
  if (Index < 0 || Link->Name().empty()) return true;
  FImageIndex = Index;
  FTopLeft = {Link->Left(), Link->Top()};
  FBottomRight = {Link->Right() - 1, Link->Bottom() - 1};
  // Only a link to the whole image counts: a rectangle that merely reaches the right and
  // bottom edges would otherwise be widened to the whole image by the next Apply.
  FAllBitmap = Link->Rect() == Bound->BoundsRect();
  return true;
}

void TLinkEditorModel::SelectImage(Integer Index) {
  FImageIndex = Index >= 0 && Index < Integer(FImageNames.size()) ? Index : -1;
}

TvxBitmap* TLinkEditorModel::Image() const {
  const TDvSkinSource* Source = FDocument.Source();
  if (!Source || FImageIndex < 0) return nullptr;
  const std::string& Name = FImageNames[size_t(FImageIndex)];
  // The same place when the list is unchanged; else the image that links of this name find.
  if (TvxBitmap* Same = Source->Images().Bitmaps(FImageIndex); Same && Same->Name() == Name) return Same;
  return Source->Images().Find(Name);
}

void TLinkEditorModel::SetZoomIndex(Integer Index) {
  if (Index >= 0 && Index < LinkZoomCount) FZoomIndex = Index;
}

TSize TLinkEditorModel::ViewSize() const {
  const TvxBitmap* Bitmap = Image();
  if (!Bitmap) return {10, 10};
  return {Bitmap->Width() * Zoom(), Bitmap->Height() * Zoom()};
}

bool TLinkEditorModel::MouseDown(TPoint ViewPoint, TLinkMouseButton Button) {
  if (FAllBitmap) return false;
  TPoint P{ViewPoint.X / Zoom(), RoundHalfEven(double(ViewPoint.Y) / Zoom())};
  // A click at the view's last rows rounds past the image, and a captured mouse leaves it.
  if (const TvxBitmap* Bitmap = Image())
    P = {std::clamp(P.X, 0, Bitmap->Width() - 1), std::clamp(P.Y, 0, Bitmap->Height() - 1)};
  (Button == TLinkMouseButton::lbLeft ? FTopLeft : FBottomRight) = P;
  return true;
}

std::string TLinkEditorModel::PositionText(TPoint ViewPoint) const {
  return "Position: (" + std::to_string(ViewPoint.X / Zoom()) + ":" + std::to_string(ViewPoint.Y / Zoom()) + ")";
}

std::string TLinkEditorModel::RectText() const {
  return "(" + std::to_string(FTopLeft.X) + ":" + std::to_string(FTopLeft.Y) + ")-(" + std::to_string(FBottomRight.X) +
         ":" + std::to_string(FBottomRight.Y) + ")";
}

std::string TLinkEditorModel::SizeText() const {
  return "Size: (" + std::to_string(FBottomRight.X - FTopLeft.X + 1) + ":" +
         std::to_string(FBottomRight.Y - FTopLeft.Y + 1) + ")";
}

std::vector<TGuideLine> TLinkEditorModel::GuideLines() const {
  const TvxBitmap* Bitmap = Image();
  if (!Bitmap || FAllBitmap) return {};
  const Integer W = Bitmap->Width(), H = Bitmap->Height();
  const auto [L, T] = FTopLeft;
  const auto [R, B] = FBottomRight;
  return {{{L, T}, {L, H}, clLime},
          {{L + 1, T}, {W, T}, clLime},
          {{R, 0}, {R, B}, clYellow},
          {{0, B}, {R - 1, B}, clYellow}};
}

TDvSkinObject* TLinkEditorModel::LiveObject() const {
  const TDvSkinSource* Source = FDocument.Source();
  if (!Source || !FObject) return nullptr;
  for (Integer I = 0; I < Source->ObjectCount(); ++I)
    if (InTree(Source->Objects(I), FObject)) return FObject->Name() == FObjectName ? FObject : nullptr;
  return nullptr;
}

TvxBitmapLink* TLinkEditorModel::LiveLink() const {
  TDvSkinObject* Object = LiveObject();
  if (!Object) return nullptr;
  // Another object may have come to the same address: the property must be one of its own.
  const std::vector<const TPropInfo*> Properties = Object->ClassInfo().AllProperties();
  if (std::find(Properties.begin(), Properties.end(), FProperty) == Properties.end()) return nullptr;
  return dynamic_cast<TvxBitmapLink*>(FProperty->GetObject(Object));
}

bool TLinkEditorModel::Apply() {
  TvxBitmapLink* Link = LiveLink();
  TvxBitmap* Bitmap = Image();
  if (!Link || !Bitmap) return false;
  FDocument.BeginStep();
  Link->SetBitmap(Bitmap);
  Link->SetName(Bitmap->Name());
  Link->SetRect(FAllBitmap ? Bitmap->BoundsRect()
                           : TRect{FTopLeft.X, FTopLeft.Y, FBottomRight.X + 1, FBottomRight.Y + 1});
  // The link's transparency flags follow its new rectangle, with the object's own margins.
  LiveObject()->UpdateLinks();
  FDocument.RecordStep("Apply Bitmap");
  return true;
}
