#include <gtest/gtest.h>

#include <memory>

#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/graphics/font.h"
#include "framework/ui/stdctrls.h"
#include "vexel/controls/vx_buttons.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/forms/vx_message.h"

namespace {

// Counts the change callbacks of an option object.
struct TChangeCounter {
  int Count = 0;
  TObject* LastSender = nullptr;
  TNotifyEvent Event() {
    return [this](TObject* Sender) {
      ++Count;
      LastSender = Sender;
    };
  }
};

// A component that exposes options the way skinned forms and controls do, and stores an animation
// record among its components.
class TOptionsHolder : public TComponent {
 public:
  explicit TOptionsHolder(TComponent* Owner = nullptr) : TComponent(Owner) {}
  static const TClassInfo& StaticClassInfo() {
    using C = TOptionsHolder;
    static const TPropInfo Properties[] = {
        ClassProperty<&C::FormOptions>("FormOptions"),
        ClassProperty<&C::Gravitation>("Gravitation"),
        ClassProperty<&C::Dragging>("Dragging"),
        ClassProperty<&C::FontOptions>("FontOptions"),
        ClassProperty<&C::PopupMenuOptions>("PopupMenuOptions"),
    };
    static const TClassInfo Info{"TOptionsHolder",
                                 &TComponent::StaticClassInfo(),
                                 Properties,
                                 {},
                                 &CreateComponent<TOptionsHolder>,
                                 [](const TComponent& Instance, const TComponent&, std::vector<TComponent*>& Children) {
                                   Children = Instance.ComponentList();
                                 }};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TVxFormOptions* FormOptions() const { return FFormOptions.get(); }
  TVxGravitation* Gravitation() const { return FGravitation.get(); }
  TVxDragging* Dragging() const { return FDragging.get(); }
  TVxFontOptions* FontOptions() const { return FFontOptions.get(); }
  TVxPopupMenuOptions* PopupMenuOptions() const { return FPopupMenuOptions.get(); }

 private:
  std::unique_ptr<TVxFormOptions> FFormOptions = std::make_unique<TVxFormOptions>();
  std::unique_ptr<TVxGravitation> FGravitation = std::make_unique<TVxGravitation>();
  std::unique_ptr<TVxDragging> FDragging = std::make_unique<TVxDragging>();
  std::unique_ptr<TVxFontOptions> FFontOptions = std::make_unique<TVxFontOptions>();
  std::unique_ptr<TVxPopupMenuOptions> FPopupMenuOptions = std::make_unique<TVxPopupMenuOptions>();
};

std::string AsText(const TComponent& C) {
  TMemoryStream Binary, Text;
  WriteComponent(Binary, C);
  Binary.SetPosition(0);
  ObjectBinaryToText(Binary, Text);
  return std::string(reinterpret_cast<const char*>(Text.Memory()), size_t(Text.Size()));
}

}  // namespace

TEST(FormOptions, DefaultsAsStored) {
  TOptionsHolder H;
  const TVxFormOptions& F = *H.FormOptions();
  EXPECT_FALSE(F.Blending()->Enabled());
  EXPECT_EQ(F.Blending()->Value(), 150);
  EXPECT_FALSE(F.Shadow()->Enabled());
  EXPECT_EQ(F.Shadow()->Size(), 4);
  EXPECT_TRUE(H.Gravitation()->Enabled());
  EXPECT_EQ(H.Gravitation()->Size(), 20);
  EXPECT_TRUE(H.Dragging()->Moveable());
  EXPECT_TRUE(H.Dragging()->Sizeable());
  EXPECT_EQ(H.Dragging()->DragMode(), TVxFormDragMode::kfdmFullDrag);
  EXPECT_EQ(F.Animation()->Direction(), TVxDirection::kdNone);
  EXPECT_EQ(F.Animation()->EffectKind(), "[ RANDOM ] - Random selection");
  EXPECT_FALSE(F.Animation()->Enabled());
  EXPECT_EQ(F.Animation()->Time(), 400);
  EXPECT_EQ(H.FontOptions()->FontColor(), clNone);

  // Only what differs from the defaults is stored, and the effect's name always.
  EXPECT_EQ(AsText(H),
            "object TOptionsHolder\r\n"
            "  FormOptions.Animation.EffectKind = '[ RANDOM ] - Random selection'\r\n"
            "  PopupMenuOptions.Animation.EffectKind = '[ RANDOM ] - Random selection'\r\n"
            "end\r\n");
}

TEST(FormOptions, NumbersAreClampedAndChangesReported) {
  TVxBlending Blending;
  TChangeCounter BC;
  Blending.SetOnChange(BC.Event());
  Blending.SetValue(300);
  EXPECT_EQ(Blending.Value(), 255);
  Blending.SetValue(256);  // clamped to the value it has
  Blending.SetValue(-5);
  EXPECT_EQ(Blending.Value(), 0);
  Blending.SetEnabled(true);
  Blending.SetEnabled(true);
  EXPECT_EQ(BC.Count, 3);
  EXPECT_EQ(BC.LastSender, &Blending);

  TVxShadow Shadow;
  TChangeCounter SC;
  Shadow.SetOnChange(SC.Event());
  Shadow.SetEnabled(true);
  Shadow.SetSize(25);
  EXPECT_EQ(Shadow.Size(), 20);
  EXPECT_TRUE(Shadow.Enabled()) << "a size above 20 leaves Enabled alone";
  Shadow.SetSize(0);
  EXPECT_EQ(Shadow.Size(), 0);
  EXPECT_FALSE(Shadow.Enabled()) << "no size, no shadow";
  Shadow.SetSize(0);
  EXPECT_EQ(SC.Count, 3);

  TVxGravitation Gravitation;
  Gravitation.SetSize(0);
  EXPECT_EQ(Gravitation.Size(), 1);
  Gravitation.SetSize(80);
  EXPECT_EQ(Gravitation.Size(), 50);

  TVxAnimation Animation;
  Animation.SetTime(10);
  Animation.SetTileCount(0);
  Animation.SetResolution(11);
  EXPECT_EQ(Animation.AnimationRec().Time(), 50);
  EXPECT_EQ(Animation.TileCount(), 1);
  EXPECT_EQ(Animation.Resolution(), 10);

  TVxFontOptions Font;
  TChangeCounter FC;
  Font.SetOnChange(FC.Event());
  Font.SetBold(true);
  Font.SetBold(true);
  Font.SetUnderline(true);
  Font.SetSizeDelta(2);
  Font.SetFontColor(clNone);
  EXPECT_EQ(FC.Count, 3);
}

TEST(FormOptions, DirectionMapsToTheRecordsRotation) {
  TVxAnimation A;
  const struct {
    TVxDirection Set;
    TvxRotation Rotation;
    TVxDirection Read;
  } Cases[] = {{TVxDirection::kdRotate90, TvxRotation::krRotate90, TVxDirection::kdRotate90},
               {TVxDirection::kdRotate180, TvxRotation::krRotate180, TVxDirection::kdRotate180},
               {TVxDirection::kdRotate270, TvxRotation::krRotate270, TVxDirection::kdRotate270},
               {TVxDirection::kdNoRotate, TvxRotation::krNone, TVxDirection::kdNone},
               {TVxDirection::kdNone, TvxRotation::krNone, TVxDirection::kdNone}};
  for (const auto& C : Cases) {
    A.SetDirection(C.Set);
    EXPECT_EQ(A.AnimationRec().Rotation(), C.Rotation) << int(C.Set);
    EXPECT_EQ(A.Direction(), C.Read) << int(C.Set);
  }
}

TEST(FormOptions, AssignCopiesFromTheSameClassOnly) {
  TVxFormOptions Source, Target;
  Source.Blending()->SetValue(90);
  Source.Shadow()->SetEnabled(true);
  Source.Animation()->SetEffectKind("[ FADE ] - Plasma");
  Source.Animation()->SetDirection(TVxDirection::kdRotate270);
  TChangeCounter Changes, BlendingChanges;
  Target.SetOnChange(Changes.Event());
  Target.Blending()->SetOnChange(BlendingChanges.Event());
  Target.Assign(&Source);
  EXPECT_EQ(Target.Blending()->Value(), 90);
  EXPECT_TRUE(Target.Shadow()->Enabled());
  EXPECT_EQ(Target.Animation()->EffectKind(), "[ FADE ] - Plasma");
  EXPECT_EQ(Target.Animation()->Direction(), TVxDirection::kdRotate270);
  EXPECT_EQ(Changes.Count, 1);
  EXPECT_EQ(BlendingChanges.Count, 1);

  Target.SetShadow(Source.Shadow());
  EXPECT_EQ(Changes.Count, 2) << "each setter copies and reports";

  TVxPopupMenuOptions Popup;
  try {
    Target.Assign(&Popup);
    ADD_FAILURE() << "assigned popup options to form options";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "Cannot assign a TVxPopupMenuOptions to a TVxFormOptions");
  }
  TVxShadow Shadow;
  TVxBlending Blending;
  EXPECT_THROW(Blending.Assign(&Shadow), EConvertError);
  TVxGravitation Gravitation;
  TVxDragging Dragging;
  EXPECT_THROW(Gravitation.Assign(&Dragging), EConvertError);
  TVxFontOptions Font;
  EXPECT_THROW(Font.Assign(&Blending), EConvertError);
  EXPECT_EQ(Changes.Count, 2) << "a refused assignment reports nothing";

  TVxDragging Other;
  Other.SetDragMode(TVxFormDragMode::kfdmBorder);
  Other.SetSizeable(false);
  Dragging.Assign(&Other);
  EXPECT_EQ(Dragging.DragMode(), TVxFormDragMode::kfdmBorder);
  EXPECT_FALSE(Dragging.Sizeable());
}

TEST(FormOptions, FontOptionsAddToAFontAndNeverTakeAway) {
  TFont Font;
  Font.SetSize(8);
  Font.SetStyle({TFontStyle::fsBold});
  Font.SetColor(0x00123456);
  const std::string Name = Font.Name();
  TVxFontOptions Options;
  Options.SetSizeDelta(-2);
  Options.SetItalic(true);
  Options.ApplyTo(&Font);
  EXPECT_EQ(Font.Size(), 6);
  EXPECT_EQ(Font.Style(), TFontStyles({TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_EQ(Font.Color(), 0x00123456) << "clNone leaves the colour";
  EXPECT_EQ(Font.Name(), Name) << "an empty name leaves the name";

  Options.SetSizeDelta(0);
  Options.SetStrikeOut(true);
  Options.SetUnderline(true);
  Options.SetFontName("Tahoma");
  Options.SetFontColor(clRed);
  Options.ApplyTo(&Font);
  EXPECT_EQ(Font.Size(), 6);
  EXPECT_EQ(Font.Style(),
            TFontStyles({TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsStrikeOut, TFontStyle::fsUnderline}));
  EXPECT_EQ(Font.Name(), "Tahoma");
  EXPECT_EQ(Font.Color(), clRed);
  Options.ApplyTo(nullptr);
}

TEST(FormOptions, RoundTripThroughAFormFile) {
  TOptionsHolder Source;
  Source.SetName("Holder");
  Source.FormOptions()->Blending()->SetEnabled(true);
  Source.FormOptions()->Blending()->SetValue(0);
  Source.FormOptions()->Shadow()->SetSize(7);
  Source.FormOptions()->Animation()->SetDirection(TVxDirection::kdRotate90);
  Source.FormOptions()->Animation()->SetEnabled(true);
  Source.FormOptions()->Animation()->SetTime(1000);
  Source.FormOptions()->Animation()->SetTileCount(3);
  Source.Gravitation()->SetEnabled(false);
  Source.Gravitation()->SetSize(5);
  Source.Dragging()->SetDragMode(TVxFormDragMode::kfdmBorder);
  Source.Dragging()->SetMoveable(false);
  Source.FontOptions()->SetBold(true);
  Source.FontOptions()->SetSizeDelta(-3);
  Source.FontOptions()->SetFontName("Arial");
  Source.FontOptions()->SetFontColor(clBlue);
  Source.PopupMenuOptions()->Shadow()->SetEnabled(true);
  Source.PopupMenuOptions()->Animation()->SetEffectKind("[ SLIDE ] - Corner");
  auto* Show = new TvxAnimationRec(&Source);
  Show->SetName("Show");
  Show->SetEffect("[ MANUAL ] - Push");
  Show->SetResolution(4);

  TMemoryStream S;
  WriteComponent(S, Source);
  S.SetPosition(0);
  TOptionsHolder Read;
  ReadComponent(S, Read);

  EXPECT_TRUE(Read.FormOptions()->Blending()->Enabled());
  EXPECT_EQ(Read.FormOptions()->Blending()->Value(), 0);
  EXPECT_EQ(Read.FormOptions()->Shadow()->Size(), 7);
  EXPECT_EQ(Read.FormOptions()->Animation()->Direction(), TVxDirection::kdRotate90);
  EXPECT_TRUE(Read.FormOptions()->Animation()->Enabled());
  EXPECT_EQ(Read.FormOptions()->Animation()->Time(), 1000);
  EXPECT_EQ(Read.FormOptions()->Animation()->TileCount(), 3);
  EXPECT_FALSE(Read.Gravitation()->Enabled());
  EXPECT_EQ(Read.Gravitation()->Size(), 5);
  EXPECT_EQ(Read.Dragging()->DragMode(), TVxFormDragMode::kfdmBorder);
  EXPECT_FALSE(Read.Dragging()->Moveable());
  EXPECT_TRUE(Read.Dragging()->Sizeable());
  EXPECT_TRUE(Read.FontOptions()->Bold());
  EXPECT_EQ(Read.FontOptions()->SizeDelta(), -3);
  EXPECT_EQ(Read.FontOptions()->FontName(), "Arial");
  EXPECT_EQ(Read.FontOptions()->FontColor(), clBlue);
  EXPECT_TRUE(Read.PopupMenuOptions()->Shadow()->Enabled());
  EXPECT_EQ(Read.PopupMenuOptions()->Animation()->EffectKind(), "[ SLIDE ] - Corner");
  // The record came back through the class registry.
  auto* ReadShow = dynamic_cast<TvxAnimationRec*>(Read.FindComponent("Show"));
  ASSERT_NE(ReadShow, nullptr);
  EXPECT_EQ(ReadShow->Effect(), "[ MANUAL ] - Push");
  EXPECT_EQ(ReadShow->Resolution(), 4);

  const std::string Text = AsText(Source);
  EXPECT_NE(Text.find("  FormOptions.Blending.Enabled = True\r\n  FormOptions.Blending.Value = 0\r\n"
                      "  FormOptions.Shadow.Size = 7\r\n  FormOptions.Animation.Direction = kdRotate90\r\n"),
            std::string::npos)
      << Text;
  EXPECT_NE(Text.find("  Dragging.Moveable = False\r\n  Dragging.DragMode = kfdmBorder\r\n"), std::string::npos)
      << Text;
  EXPECT_NE(Text.find("  FontOptions.FontColor = clBlue\r\n"), std::string::npos) << Text;
}

TEST(FormOptions, ClassesAreRegisteredWhenTheProgramStartsAndGlobalPopupDefaultsExist) {
  for (const char* Name : {"TVxBlending", "TVxShadow", "TVxGravitation", "TVxDragging", "TVxFormOptions",
                           "TVxPopupMenuOptions", "TvxAnimationRec", "TVxHook"})
    EXPECT_NE(FindClass(Name), nullptr) << Name;
  TOptionsHolder H;

  EXPECT_FALSE(UseGlobalPopupOptions);
  EXPECT_EQ(&GlobalBlending(), &GlobalBlending());
  EXPECT_EQ(GlobalBlending().Value(), 150);
  EXPECT_EQ(GlobalShadow().Size(), 4);
  EXPECT_EQ(GlobalAnimation().EffectKind(), "[ RANDOM ] - Random selection");
  H.PopupMenuOptions()->SetBlending(&GlobalBlending());
  EXPECT_EQ(H.PopupMenuOptions()->Blending()->Value(), 150);
}

// [Message-box settings] -------------------------------------------------------------------------

TEST(MessageSettings, DefaultsAndTheControlsTheFactoriesMake) {
  TVxMessage M;
  EXPECT_FALSE(M.Animation()->Enabled());
  EXPECT_FALSE(M.Blending()->Enabled());
  EXPECT_FALSE(M.Shadow()->Enabled());
  EXPECT_FALSE(M.Dragging()->Sizeable());
  EXPECT_TRUE(M.Dragging()->Moveable());
  EXPECT_EQ(M.BorderIcons(), (TVxBorderIcons{TVxBorderIcon::kbiClose, TVxBorderIcon::kbiSystemMenu}));
  EXPECT_EQ(M.Position(), TPosition::poScreenCenter);
  EXPECT_TRUE(M.ShowButtonGlyph());
  EXPECT_TRUE(M.ShowIconImage());
  EXPECT_FALSE(M.ShowHints());
  EXPECT_FALSE(M.StayOnTop());
  EXPECT_FALSE(M.Global());
  // The defaults are not stored; not sizeable is a change of the dragging options.
  const std::string Text = AsText(M);
  EXPECT_NE(Text.find("  Dragging.Sizeable = False\r\n"), std::string::npos) << Text;
  for (const char* Default : {"BorderIcons", "Position", "ShowButtonGlyph", "ShowIconImage", "ShowHints", "StayOnTop",
                              "Global", "Blending", "Shadow."})
    EXPECT_EQ(Text.find(Default), std::string::npos) << Default << " in " << Text;

  TComponent Box;
  EXPECT_NE(dynamic_cast<TVxButton*>(M.CreateButton(&Box)), nullptr);
  EXPECT_NE(dynamic_cast<TEdit*>(M.CreateEdit(&Box)), nullptr);
  EXPECT_NE(dynamic_cast<TVxForm*>(M.CreateForm(&Box)), nullptr);
  EXPECT_NE(dynamic_cast<TLabel*>(M.CreateLabel(&Box)), nullptr);
  EXPECT_NE(dynamic_cast<TVxCheckBox*>(M.CreateCheckBox(&Box)), nullptr);
  EXPECT_EQ(Box.ComponentCount(), 5) << "each control belongs to the owner it was made for";
}

// Frees itself into a flag, so that a test can tell the global instance went.
class TWatchedMessage : public TVxMessage {
 public:
  TWatchedMessage(TComponent* Owner, bool& Freed) : TVxMessage(Owner), FFreed(Freed) {}
  ~TWatchedMessage() override { FFreed = true; }

 private:
  bool& FFreed;
};

TEST(MessageSettings, OneInstanceIsGlobalFromTheStartAndGlobalMovesToTheLastOneSet) {
  // The library made one when the program started.
  TVxMessage* Start = GlobalMessage();
  ASSERT_NE(Start, nullptr);
  EXPECT_TRUE(Start->Global());
  EXPECT_EQ(Start->Owner(), nullptr);

  TComponent Owner;
  bool FirstFreed = false, SecondFreed = false;
  auto* First = new TWatchedMessage(&Owner, FirstFreed);
  First->SetGlobal(true);
  EXPECT_EQ(GlobalMessage(), First);
  // The start instance was freed. The next one takes the role; the first belongs to its owner (a
  // form) and stays with it, no longer global.
  auto* Second = new TWatchedMessage(&Owner, SecondFreed);
  Second->SetGlobal(true);
  EXPECT_FALSE(FirstFreed);
  EXPECT_FALSE(First->Global());
  EXPECT_EQ(GlobalMessage(), Second);
  EXPECT_EQ(Owner.ComponentCount(), 2);
  // Setting it again changes nothing; destroying the global one clears the reference.
  Second->SetGlobal(true);
  EXPECT_FALSE(SecondFreed);
  delete Second;
  EXPECT_EQ(GlobalMessage(), nullptr);
  delete First;
  EXPECT_TRUE(FirstFreed);
  EXPECT_EQ(Owner.ComponentCount(), 0);

  // Global False on the global instance leaves none; on another it does nothing to the global.
  TVxMessage A, B;
  A.SetGlobal(true);
  B.SetGlobal(false);
  EXPECT_EQ(GlobalMessage(), &A);
  A.SetGlobal(false);
  EXPECT_EQ(GlobalMessage(), nullptr);
  EXPECT_FALSE(A.Global());
}

TEST(MessageSettings, RoundTripThroughAFormFile) {
  EXPECT_NE(FindClass("TVxMessage"), nullptr);
  TOptionsHolder Source;
  Source.SetName("Holder");
  auto* M = new TVxMessage(&Source);
  M->SetName("Message");
  M->Shadow()->SetEnabled(true);
  M->Blending()->SetValue(90);
  M->Animation()->SetTime(700);
  M->Dragging()->SetMoveable(false);
  M->SetBorderIcons({TVxBorderIcon::kbiClose});
  M->ButtonFont()->SetName("Arial");
  M->MessageFont()->SetSize(14);
  M->SetPosition(TPosition::poMainFormCenter);
  M->SetShowButtonGlyph(false);
  M->SetShowIconImage(false);
  M->SetShowHints(true);
  M->SetStayOnTop(true);

  TMemoryStream S;
  WriteComponent(S, Source);
  S.SetPosition(0);
  TOptionsHolder Read;
  ReadComponent(S, Read);
  auto* R = dynamic_cast<TVxMessage*>(Read.FindComponent("Message"));
  ASSERT_NE(R, nullptr) << AsText(Source);
  EXPECT_TRUE(R->Shadow()->Enabled());
  EXPECT_EQ(R->Blending()->Value(), 90);
  EXPECT_EQ(R->Animation()->Time(), 700);
  EXPECT_FALSE(R->Dragging()->Moveable());
  EXPECT_FALSE(R->Dragging()->Sizeable());
  EXPECT_EQ(R->BorderIcons(), TVxBorderIcons{TVxBorderIcon::kbiClose});
  EXPECT_EQ(R->ButtonFont()->Name(), "Arial");
  EXPECT_EQ(R->MessageFont()->Size(), 14);
  EXPECT_EQ(R->Position(), TPosition::poMainFormCenter);
  EXPECT_FALSE(R->ShowButtonGlyph());
  EXPECT_FALSE(R->ShowIconImage());
  EXPECT_TRUE(R->ShowHints());
  EXPECT_TRUE(R->StayOnTop());
  EXPECT_FALSE(R->Global());
}
