#include "editor/core/skin_links.h"

#include "framework/core/reflection.h"
#include "vexel/skin/theme_dv3objects.h"

namespace {

// The objects' own re-binding only reaches links whose image is found; the rest would keep
// pointing at an image that is gone or carries another name.
void UnbindUnnamed(TDvSkinObject& Object, const TvxBitmapList& Images) {
  for (const TPropInfo* Info : Object.ClassInfo().AllProperties())
    if (Info->Kind == TPropKind::pkClass)
      if (auto* Link = dynamic_cast<TvxBitmapLink*>(Info->GetObject(&Object));
          Link && Link->Bitmap() && Link->Bitmap() != Images.Find(Link->Name()))
        Link->SetBitmap(nullptr);
  for (Integer I = 0; I < Object.ChildCount(); ++I) UnbindUnnamed(*Object.Child(I), Images);
}

}  // namespace

void RebindLinks(TDvSkinObject& Object, const TvxBitmapList& Images) {
  Object.UpdateLinks();
  UnbindUnnamed(Object, Images);
}
