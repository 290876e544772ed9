// TVxSkinFile: life cycle, loading and saving, the table of default objects and name lookup.
#include "vexel/skin/theme_dv3.h"

#include <cstring>

#include "vexel/theme/vx_theme_manager.h"

namespace {

// The single-name entries, in table order from TVxSkinEntry::Button.
constexpr const char* EntryNames[] = {
    "Button",    "Checkbox", "RadioButton", "GroupBox",  "ScrollBar",  "ProgressBar", "Edit",
    "ComboBox",  "TrackBar", "MenuBar",     "PopupMenu", "Header",     "StatusBar",   "Tabs",
    "Container", "Frame",    "ScrollBox",   "Splitter",  "SpinButton", "ControlBar",  "Grid",
    "ListBox",   "Hint",     "SpeedButton", "ToolBar",   "Panel",
};
static_assert(std::size(EntryNames) == size_t(TVxSkinEntry::Count) - size_t(TVxSkinEntry::Button));

// Offsets inside the five entries of a frame (form or tool window).
constexpr size_t FrameObject = 0, FrameClient = 1, FrameMetrics = 2, FrameButtons = 3, FrameClientCopy = 4;

constexpr TDvAction TitleButtonActions[] = {
    TDvAction::sbaSysMenu, TDvAction::sbaClose,  TDvAction::sbaHelp,     TDvAction::sbaMinimize, TDvAction::sbaMaximize,
    TDvAction::sbaRestore, TDvAction::sbaRollUp, TDvAction::sbaRollDown, TDvAction::sbaTray,
};

}  // namespace

const TvxThemeClass& TVxSkinFile::StaticThemeClass() { return MakeThemeClass<TVxSkinFile>("TVxSkinFile"); }

TVxSkinFile::TVxSkinFile()
    : FLoadedSkin(std::make_unique<TDvSkinSource>()), FWorkSkin(std::make_unique<TDvSkinSource>()) {}

TVxSkinFile::~TVxSkinFile() {
  SetPaintProbe(nullptr);
  ClearObjects();
}

TvxThemeConfig TVxSkinFile::GetFileInfo() {
  TvxThemeConfig Config;
  Config.Builtin = false;
  Config.Streamable = true;
  Config.FileBased = true;
  Config.Filter = GetSkinFilterString();
  Config.Extension = "mskn";
  return Config;
}

bool TVxSkinFile::IsValidStream(TStream& Stream) {
  try {
    if (FindFilterByTag(Stream)) return true;
    char Magic[4];
    return Stream.Read(Magic, 4) == 4 && std::memcmp(Magic, "ZQLZ", 4) == 0;
  } catch (...) {
    return false;
  }
}

// [Loading and saving] ---------------------------------------------------------------------------

bool TVxSkinFile::TakeLoaded(std::unique_ptr<TDvSkinSource> Loaded) {
  if (Loaded->ObjectCount() == 0) return false;
  ClearObjects();
  FLoadedSkin = std::move(Loaded);
  return true;
}

// A skin is read into a fresh source so that a failed read cannot leave the theme half-loaded.
// The fresh source starts with the current tables: a file without tables keeps their values.
static std::unique_ptr<TDvSkinSource> FreshSource(const TDvSkinSource& Current) {
  auto Source = std::make_unique<TDvSkinSource>();
  Source->Colors().Assign(&Current.Colors());
  Source->SysColors().Assign(&Current.SysColors());
  Source->Fonts().Assign(&Current.Fonts());
  return Source;
}

bool TVxSkinFile::LoadFromStream(TStream& Stream) {
  try {
    SetDefaultSkinFilter(MakeSkinFilter<TDvSkinFilterCompressed>);
    auto Loaded = FreshSource(*FLoadedSkin);
    Loaded->LoadFromStream(Stream);
    if (!TakeLoaded(std::move(Loaded))) return false;
    ResetDefaults();
    return true;
  } catch (...) {
    return false;
  }
}

bool TVxSkinFile::LoadFromFile(const std::string& FileName) {
  try {
    auto Loaded = FreshSource(*FLoadedSkin);
    Loaded->LoadFromFile(FileName);
    if (!TakeLoaded(std::move(Loaded))) return false;
    SetFileName(FileName);
    ResetDefaults();
    return true;
  } catch (...) {
    return false;
  }
}

bool TVxSkinFile::SaveToStream(TStream& Stream) {
  try {
    SetDefaultSkinFilter(MakeSkinFilter<TDvSkinFilterMaxCompression>);
    FLoadedSkin->Fonts().Assign(&Fonts());
    FLoadedSkin->Colors().Assign(&Colors());
    FLoadedSkin->SaveToStream(Stream);
    return true;
  } catch (...) {
    return false;
  }
}

bool TVxSkinFile::SaveToFile(const std::string& FileName) {
  try {
    FLoadedSkin->Fonts().Assign(&Fonts());
    FLoadedSkin->Colors().Assign(&Colors());
    FLoadedSkin->SaveToFile(FileName);
    return true;
  } catch (...) {
    return false;
  }
}

void TVxSkinFile::Assign(const TPersistent* Source) {
  TvxTheme::Assign(Source);
  if (auto* Skin = dynamic_cast<const TVxSkinFile*>(Source)) {
    if (Skin == this) return;
    ClearObjects();
    FLoadedSkin->Assign(Skin->FLoadedSkin.get());
    ResetDefaults();
  }
}

// [Defaults] -------------------------------------------------------------------------------------

void TVxSkinFile::ResetDefaults() {
  if (FLoadedSkin && FWorkSkin) {
    ClearObjects();
    try {
      SetDefaultSkinFilter(MakeSkinFilter<TDvSkinFilterUncompressed>);
      FWorkSkin->Assign(FLoadedSkin.get());
      UpdateObjects();
    } catch (...) {
      // Theme operations never throw; without its objects the theme paints the base look.
      ClearObjects();
    }
    SetName(FLoadedSkin->SkinName());
  }
  TvxTheme::ResetDefaults();
}

void TVxSkinFile::SetDefaultColors() {
  if (!FWorkSkin) return TvxTheme::SetDefaultColors();
  Colors().Assign(&FWorkSkin->Colors());
  Colors().ApplyHue(DeltaHue());
  Colors().ApplyBrightness(DeltaBrightness());
}

void TVxSkinFile::SetDefaultFonts() {
  if (!FWorkSkin) return TvxTheme::SetDefaultFonts();
  Fonts().Assign(&FWorkSkin->Fonts());
  Fonts().ApplyHue(DeltaHue());
  Fonts().ApplyBrightness(DeltaBrightness());
}

void TVxSkinFile::ClearObjects() {
  FDefaultObjects.fill(nullptr);
  FCloneParents.clear();
  FClones.clear();
}

TDvSkinObject* TVxSkinFile::Keep(std::unique_ptr<TDvSkinObject> Clone) {
  FClones.push_back(std::move(Clone));
  return FClones.back().get();
}

void TVxSkinFile::UpdateObjects() {
  ClearObjects();
  TDvSkinSource& Work = *FWorkSkin;
  if (Work.ObjectCount() == 0) return;

  // A shift of 0 leaves the images alone: the hue round trip is not exact and would wear their
  // colours down. The brightness step always runs on the objects, which turns their system
  // colours into plain RGB even when nothing is shifted.
  if (DeltaHue() != 0) Work.ChangeHue(DeltaHue());
  if (DeltaBrightness() != 0) {
    Work.ChangeBrightness(DeltaBrightness());
  } else {
    for (Integer I = 0; I < Work.ObjectCount(); ++I) Work.Objects(I)->ChangeBrightness(0);
  }

  PrepareFrame("Form", TVxSkinEntry::FormObject);
  PrepareFrame("ToolWindow", TVxSkinEntry::ToolWindowObject);
  for (size_t I = 0; I < std::size(EntryNames); ++I)
    FDefaultObjects[size_t(TVxSkinEntry::Button) + I] = Work.FindObject(EntryNames[I]);
}

void TVxSkinFile::PrepareFrame(const std::string& Name, TVxSkinEntry First) {
  TDvSkinObject** Entries = &FDefaultObjects[size_t(First)];
  TDvSkinObject* Frame = FWorkSkin->FindObject(Name);
  Entries[FrameObject] = Frame;
  if (!Frame) return;
  // The window's controls cover the client: the frame paints a hole there, and the client as
  // loaded is kept apart to paint the window background.
  TDvSkinObject* Client = Frame->FindByKind(TDvKind::skClient);
  if (Client && Client != Frame) {
    if (auto Copy = std::unique_ptr<TDvSkinObject>(CloneSkinObject(*Client, nullptr))) {
      Entries[FrameClientCopy] = Keep(std::move(Copy));
      FCloneParents.emplace_back(Entries[FrameClientCopy], ObjectPath(*Client->Parent()));
    }
    const TDvAlign Align = Client->Align();
    delete Client;
    auto* Placeholder = new TDvSkinObject(Frame);
    Placeholder->SetColor(clNone);
    Placeholder->SetKind(TDvKind::skClient);
    Placeholder->SetAlign(Align);
    Entries[FrameClient] = Placeholder;
  }
  // Hit testing and button rectangles see every title button; painting one button alone uses
  // its own copy of the frame.
  Entries[FrameMetrics] = Keep(std::unique_ptr<TDvSkinObject>(CloneSkinObject(*Frame, nullptr)));
  Entries[FrameButtons] = Keep(std::unique_ptr<TDvSkinObject>(CloneSkinObject(*Frame, nullptr)));
  // The frame itself paints no title buttons: they are painted one by one.
  for (TDvAction Action : TitleButtonActions)
    if (TDvSkinObject* Button = Frame->FindByAction(Action)) Button->SetVisible(false);
}

// [Lookup] ---------------------------------------------------------------------------------------

TDvSkinObject* TVxSkinFile::Named(const std::string& Name) const {
  if (Name == "default") return nullptr;
  return FWorkSkin->FindObject(Name);
}

TDvSkinObject* TVxSkinFile::NamedOr(const std::string& Name, TVxSkinEntry Entry) const {
  if (TDvSkinObject* Object = Named(Name)) return Object;
  return DefaultObject(Entry);
}

TDvSkinObject* TVxSkinFile::WindowEntry(TvxWindowKind Kind, TVxSkinEntry FormEntry) const {
  const size_t Offset = size_t(FormEntry) - size_t(TVxSkinEntry::FormObject);
  switch (Kind) {
    case 0:
    case 1:
    case 2:
    case 4: return FDefaultObjects[size_t(TVxSkinEntry::FormObject) + Offset];
    case 6: return FDefaultObjects[size_t(TVxSkinEntry::ToolWindowObject) + Offset];
    default: return nullptr;
  }
}

std::vector<std::string> TVxSkinFile::ObjectPath(const TDvSkinObject& Object) const {
  std::vector<std::string> Path;
  const TDvSkinObject* Top = &Object;
  for (const TDvSkinObject* O = &Object; O; O = O->Parent()) {
    Path.insert(Path.begin(), O->Name());
    Top = O;
  }
  for (const auto& [Clone, Parents] : FCloneParents)
    if (Clone == Top) Path.insert(Path.begin(), Parents.begin(), Parents.end());
  return Path;
}

// [Probe] ----------------------------------------------------------------------------------------

void TVxSkinFile::SetPaintProbe(TvxPaintProbe* Probe) {
  TvxTheme::SetPaintProbe(Probe);
  if (!Probe) {
    if (FDrawProbe && DrawProbe() == FDrawProbe.get()) SetDrawProbe(nullptr);
    FDrawProbe.reset();
    return;
  }
  FDrawProbe = std::make_unique<TDvDrawProbe>();
  FDrawProbe->Point = Probe->Point;
  FDrawProbe->Painted = [this, Probe](const TDvSkinObject& Object, const TvxBitmapLink* Link) {
    Probe->Found = true;
    Probe->Path = ObjectPath(Object);
    Probe->Image = Link ? Link->Name() : std::string();
    Probe->Link = Link ? Link->Rect() : TRect{};
  };
  SetDrawProbe(FDrawProbe.get());
}

void RegisterSkinTheme() { RegisterBuiltinThemeClass(TVxSkinFile::StaticThemeClass()); }
