#include "vexel/skin/theme_dv3source.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "framework/core/classes.h"
#include "framework/core/file_save.h"
#include "framework/core/sysutils.h"
#include "vexel/skin/theme_dv3filters.h"

namespace {

// The font an object shows in a state, as the tables take it from a freshly loaded object.
const TFont& FontInState(const TDvSkinObject& X, TDvObjectState S) {
  using enum TDvObjectState;
  if (const auto* A = dynamic_cast<const TDvActiveObject*>(&X)) {
    if (S == osHot || S == osFocused) return *A->ActiveFont();
    if (S == osDisabled) return *A->DisabledFont();
  }
  if (const auto* A = dynamic_cast<const TDvActiveBitmap*>(&X); A && (S == osHot || S == osFocused))
    return *A->ActiveFont();
  if (const auto* T = dynamic_cast<const TDvTextObject*>(&X)) {
    switch (S) {
      case osHot: return *T->FontHot();
      case osPressed: return *T->FontPressed();
      case osFocused: return *T->FontFocused();
      case osDisabled: return *T->FontDisabled();
      default: break;
    }
  }
  return X.GetFont();
}

}  // namespace

const TClassInfo& TDvSkinSource::StaticClassInfo() {
  using O = TDvSkinSource;
  static const TPropInfo Properties[] = {
      StringProperty<&O::SkinName, &O::SetSkinName>("SkinName"),
      StringProperty<&O::SkinVersion, &O::SetSkinVersion>("SkinVersion"),
      StringProperty<&O::Author, &O::SetAuthor>("Author"),
      StringProperty<&O::AuthorEMail, &O::SetAuthorEMail>("AuthorEMail"),
      StringProperty<&O::AuthorURL, &O::SetAuthorURL>("AuthorURL"),
  };
  static const TClassInfo Info{"TDvSkinSource", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<O>};
  return Info;
}

TDvSkinSource::TDvSkinSource(TComponent* Owner) : TComponent(Owner) {}

TDvSkinSource::~TDvSkinSource() { Clear(); }

void TDvSkinSource::Clear() {
  FObjects.clear();
  FImages.Clear();
}

TDvSkinObject* TDvSkinSource::Objects(Integer Index) const {
  return Index < 0 || Index >= ObjectCount() ? nullptr : FObjects[size_t(Index)].get();
}

void TDvSkinSource::AddObject(std::unique_ptr<TDvSkinObject> Object) { FObjects.push_back(std::move(Object)); }

std::unique_ptr<TDvSkinObject> TDvSkinSource::RemoveObject(TDvSkinObject* Object) {
  const auto It = std::find_if(FObjects.begin(), FObjects.end(), [Object](const auto& O) { return O.get() == Object; });
  if (It == FObjects.end()) return nullptr;
  std::unique_ptr<TDvSkinObject> Result = std::move(*It);
  FObjects.erase(It);
  return Result;
}

TDvSkinObject* TDvSkinSource::FindObject(const std::string& Name) const {
  for (const auto& O : FObjects)
    if (SameText(O->Name(), Name)) return O.get();
  return nullptr;
}

TDvSkinObject* TDvSkinSource::FindObjectByKind(TDvKind Kind) const {
  for (const auto& O : FObjects)
    if (O->Kind() == Kind) return O.get();
  return nullptr;
}

TDvSkinObject* TDvSkinSource::GetFormObject() const {
  if (TDvSkinObject* Form = FindObject("Form")) return Form;
  return FindObjectByKind(TDvKind::skForm);
}

void TDvSkinSource::Assign(const TPersistent* Source) {
  const auto* S = dynamic_cast<const TDvSkinSource*>(Source);
  if (!S) return TComponent::Assign(Source);
  if (S == this) return;
  Clear();
  FSkinName = S->FSkinName;
  FSkinVersion = S->FSkinVersion;
  FAuthor = S->FAuthor;
  FAuthorEMail = S->FAuthorEMail;
  FAuthorURL = S->FAuthorURL;
  for (Integer I = 0; I < S->FImages.Count(); ++I) {
    auto Image = std::make_unique<TvxBitmap>();
    Image->Assign(S->FImages.Items(I));
    FImages.Add(std::move(Image));
  }
  for (const auto& O : S->FObjects) {
    std::unique_ptr<TDvSkinObject> Copy(CloneSkinObject(*O, nullptr));
    if (!Copy) continue;
    Copy->SetImageList(&FImages);
    Copy->UpdateLinks();
    FObjects.push_back(std::move(Copy));
  }
  FFonts.Assign(&S->FFonts);
  FColors.Assign(&S->FColors);
  FSysColors.Assign(&S->FSysColors);
}

void TDvSkinSource::ReplaceImage(TvxBitmap* OldImage, std::unique_ptr<TvxBitmap> NewImage) {
  if (!OldImage || !NewImage || FImages.Count() == 0 || FObjects.empty()) return;
  NewImage->SetName(OldImage->Name());
  const Integer Index = FImages.IndexOf(OldImage);
  if (Index < 0) return;
  std::unique_ptr<TvxBitmap> Old = FImages.Delete(Index);
  FImages.Insert(Index, std::move(NewImage));
  for (const auto& O : FObjects) O->UpdateLinks();
}

void TDvSkinSource::ChangeHue(Integer Delta) {
  for (Integer I = 0; I < FImages.Count(); ++I) FImages.Items(I)->ChangeHue(Delta);
  for (const auto& O : FObjects) O->ChangeHue(Delta);
}

void TDvSkinSource::ChangeBrightness(Integer Delta) {
  for (Integer I = 0; I < FImages.Count(); ++I) FImages.Items(I)->ChangeBrightness(Delta);
  for (const auto& O : FObjects) O->ChangeBrightness(Delta);
}

void TDvSkinSource::ResetClientMasks() {
  for (const auto& O : FObjects)
    if (TDvSkinObject* Client = O->FindByKind(TDvKind::skClient)) Client->SetMasked(false);
}

void TDvSkinSource::UpdateThemeTables() {
  using enum TDvObjectState;
  const auto SetColors = [this](std::initializer_list<Integer> Indexes, TColor C) {
    for (Integer I : Indexes) FColors.SetColor(I, C);
  };
  const auto SetFont = [this](Integer Index, const TDvSkinObject& X, TDvObjectState S) {
    FFonts.Font(Index).Assign(&FontInState(X, S));
  };
  // The object Inner found by name inside the top-level object Outer, or nil.
  const auto Inside = [this](const char* Outer, const char* Inner) -> TDvSkinObject* {
    TDvSkinObject* O = FindObject(Outer);
    return O ? O->FindByName(Inner) : nullptr;
  };
  TDvSkinObject* Form = FindObject("form");
  TDvSkinObject* Title = Form ? Form->FindByKind(TDvKind::skTitle) : nullptr;
  if (Form) FColors.SetColor(3, Form->Color());
  if (Title) SetColors({0, 1}, Title->Color());
  if (TDvSkinObject* Left = Form ? Form->FindByKind(TDvKind::skLeft) : nullptr) FColors.SetColor(2, Left->Color());
  if (TDvSkinObject* O = FindObject("listbox")) SetColors({18, 19}, O->Color());
  if (TDvSkinObject* O = FindObject("grid")) FColors.SetColor(20, O->Color());
  FColors.SetColor(4, clBlack);
  if (TDvSkinObject* O = FindObject("container")) SetColors({5, 6}, O->Color());
  if (TDvSkinObject* O = FindObject("button")) SetColors({7, 8, 9, 10, 11}, O->Color());
  if (TDvSkinObject* O = FindObject("edit")) {
    SetColors({12, 13, 14, 15}, O->Color());
    FColors.SetColor(16, clHighlight);
  }
  const TDvSkinObject* Hint = FindObject("hint");
  FColors.SetColor(17, Hint ? Hint->Color() : clInfoBk);

  if (Title) {
    SetFont(0, *Title, osFocused);
    SetFont(1, *Title, osNormal);
  }
  const TDvObjectState FiveStates[] = {osNormal, osPressed, osHot, osFocused, osDisabled};
  const std::pair<const char*, Integer> FiveStateGroups[] = {{"button", 10}, {"checkbox", 15}, {"radiobutton", 20}};
  for (const auto& [Outer, First] : FiveStateGroups)
    if (TDvSkinObject* Text = Inside(Outer, "text"))
      for (Integer I = 0; I < 5; ++I) SetFont(First + I, *Text, FiveStates[I]);
  if (TDvSkinObject* Caption = Inside("groupbox", "caption")) {
    SetFont(25, *Caption, osNormal);
    SetFont(26, *Caption, osDisabled);
  }
  for (Integer I : {27, 28}) {
    TFont& F = FFonts.Font(I);
    F.SetName("Tahoma");
    F.SetSize(8);
    F.SetColor(clBlack);
    F.SetStyle({});
  }
  if (TDvSkinObject* Text = Inside("edit", "text")) {
    SetFont(29, *Text, osNormal);
    SetFont(30, *Text, osFocused);
    SetFont(31, *Text, osHot);
    SetFont(33, *Text, osNormal);
    SetFont(32, *Text, osDisabled);
    FFonts.Font(33).SetColor(clWhite);
  }
  if (TDvSkinObject* Item = Inside("listbox", "item")) {
    const std::pair<Integer, TDvObjectState> Fonts[] = {
        {57, osNormal}, {58, osNormal}, {59, osFocused}, {60, osNormal}, {61, osDisabled}};
    for (auto [Index, S] : Fonts) SetFont(Index, *Item, S);
  }
  // Normal, hot, selected (focused state), disabled, for three groups of menu fonts.
  const std::pair<std::pair<const char*, const char*>, std::array<Integer, 4>> MenuGroups[] = {
      {{"menubar", "item"}, {34, 36, 35, 37}},
      {{"menubar", "toolbaritem"}, {38, 40, 39, 41}},
      {{"popupmenu", "item"}, {62, 64, 63, 65}},
  };
  for (const auto& [Names, Indexes] : MenuGroups)
    if (TDvSkinObject* Item = Inside(Names.first, Names.second)) {
      SetFont(Indexes[0], *Item, osNormal);
      SetFont(Indexes[1], *Item, osHot);
      SetFont(Indexes[2], *Item, osFocused);
      SetFont(Indexes[3], *Item, osDisabled);
    }
  if (Inside("popupmenu", "item")) FFonts.Font(65).SetColor(clGray);
}

// [Loading and saving] -------------------------------------------------------------------------

TDvSkinTables TDvSkinSource::LoadWithFilter(TStream& Stream, TDvSkinFilterClass Class) {
  Clear();
  std::unique_ptr<TDvSkinFilter> Filter = Class();
  Filter->SetSource(this);
  Filter->LoadFromStream(Stream);
  ResetClientMasks();
  return Filter->TablesRead();
}

void TDvSkinSource::SaveWithFilter(TStream& Stream, TDvSkinFilterClass Class) const {
  std::unique_ptr<TDvSkinFilter> Filter = Class();
  Filter->SetSource(const_cast<TDvSkinSource*>(this));
  Filter->SaveToStream(Stream);
}

void TDvSkinSource::LoadFromStream(TStream& Stream) {
  const TDvSkinFilterClass Class = FindFilterByTag(Stream);
  LoadWithFilter(Stream, Class ? Class : DefaultSkinFilter());
}

void TDvSkinSource::SaveToStream(TStream& Stream) const { SaveWithFilter(Stream, DefaultSkinFilter()); }

void TDvSkinSource::LoadFromFile(const std::string& FileName) {
  if (FileName.empty()) return;
  std::error_code Ignored;
  std::string Name = FileName;
  if (!std::filesystem::exists(Name, Ignored) && !(Name.size() > 1 && Name[1] == ':')) Name = ExecutableFolder() + Name;
  if (!std::filesystem::exists(Name, Ignored)) return;
  const TDvSkinFilterClass Class = FindFilterByExtension(Name);
  if (!Class) return;
  TFileStream File(Name, TFileMode::fmOpenRead);
  LoadWithFilter(File, Class);
}

// Written beside the target and renamed over it, so a failed save leaves the old file whole.
void TDvSkinSource::SaveToFile(const std::string& FileName) const {
  if (FileName.empty()) return;
  TDvSkinFilterClass Class = FindFilterByExtension(FileName);
  if (!Class) Class = DefaultSkinFilter();
  SaveFileReplacing(FileName, [&](TStream& File) { SaveWithFilter(File, Class); });
}
