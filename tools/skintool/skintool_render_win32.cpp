#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"
#include "framework/graphics/canvas.h"
#include "skintool_images.h"
#include "skintool_render.h"
#include "skintool_skin.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/skin/theme_dv3draw.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

struct TRenderOptions {
  std::string File, Out, Object;
  std::optional<TSize> Size;
  TDvObjectState State = TDvObjectState::osNormal;
  bool Active = false;
  std::optional<std::string> Text;
  bool Design = false;
};

const char* const StateNames[] = {"normal", "design",  "maximized", "minimized", "rolledup",
                                  "hot",    "pressed", "focused",   "disabled"};
static_assert(std::size(StateNames) == size_t(TDvObjectState::osDisabled) + 1);

EConvertError Bad(const std::string& Message) { return EConvertError("render: " + Message); }

Integer Side(const std::string& Text, const std::string& Whole) {
  if (Text.empty() || Text.size() > 5 || Text.find_first_not_of("0123456789") != std::string::npos)
    throw Bad("--size needs WIDTHxHEIGHT, not " + Whole);
  const Integer Value = std::stoi(Text);
  if (Value < 1 || Value > vxMaxBitmapSide) throw Bad("--size sides are 1 to " + std::to_string(vxMaxBitmapSide));
  return Value;
}

TSize ParseSize(const std::string& Text) {
  const size_t Cross = Text.find('x');
  if (Cross == std::string::npos) throw Bad("--size needs WIDTHxHEIGHT, not " + Text);
  const TSize Size{Side(Text.substr(0, Cross), Text), Side(Text.substr(Cross + 1), Text)};
  if (int64_t(Size.cx) * Size.cy > vxMaxBitmapPixels) throw Bad("--size " + Text + " is too large");
  return Size;
}

TDvObjectState ParseState(const std::string& Text) {
  for (size_t I = 0; I < std::size(StateNames); ++I)
    if (Text == StateNames[I]) return TDvObjectState(I);
  throw Bad("unknown state " + Text);
}

TRenderOptions ParseOptions(const std::vector<std::string>& Args) {
  TRenderOptions O;
  O.File = Args.at(0);
  O.Out = Args.at(1);
  std::vector<std::string> Seen;
  for (size_t I = 2; I < Args.size(); ++I) {
    const std::string& Name = Args[I];
    if (std::find(Seen.begin(), Seen.end(), Name) != Seen.end()) throw Bad(Name + " given twice");
    Seen.push_back(Name);
    if (Name == "--design") {
      O.Design = true;
      continue;
    }
    if (Name != "--object" && Name != "--size" && Name != "--state" && Name != "--active" && Name != "--text")
      throw Bad("unknown option " + Name);
    if (I + 1 >= Args.size()) throw Bad(Name + " needs a value");
    const std::string& Value = Args[++I];
    if (Name == "--object") {
      if (Value.empty()) throw Bad("--object needs a name");
      O.Object = Value;
    } else if (Name == "--size") {
      O.Size = ParseSize(Value);
    } else if (Name == "--state") {
      O.State = ParseState(Value);
    } else if (Name == "--active") {
      if (Value != "0" && Value != "1") throw Bad("--active is 0 or 1, not " + Value);
      O.Active = Value == "1";
    } else {
      O.Text = Value;
    }
  }
  if (O.Object.empty()) throw Bad("--object NAME is required");
  return O;
}

class TDesignModeScope {
 public:
  explicit TDesignModeScope(bool Value) : FSaved(DesignMode()) { SetDesignMode(Value); }
  ~TDesignModeScope() { SetDesignMode(FSaved); }
  TDesignModeScope(const TDesignModeScope&) = delete;
  TDesignModeScope& operator=(const TDesignModeScope&) = delete;

 private:
  bool FSaved;
};

}  // namespace

void SkinRender(const std::vector<std::string>& Args, std::ostream& Out) {
  const TRenderOptions O = ParseOptions(Args);
  const std::unique_ptr<TDvSkinSource> Source = LoadSkinFile(O.File);
  TDvSkinObject* Object = Source->FindObject(O.Object);
  if (!Object) throw Exception("No top-level object named " + O.Object + " in " + O.File);
  const TSize Size = O.Size ? *O.Size : TSize{Object->Width(), Object->Height()};
  if (Size.cx <= 0 || Size.cy <= 0) throw Exception(O.Object + " has no size; give --size WIDTHxHEIGHT");

  TDesignModeScope Design(O.Design);
  Object->SetState(O.State);
  Object->SetActive(O.Active);
  if (O.Text) Object->SetText(AnsiToWideCP(CP_ACP, *O.Text));
  Object->SetBounds({0, 0, Size.cx, Size.cy});

  TvxBitmap Image;
  Image.SetSize(Size.cx, Size.cy);
  Image.Fill(vxKeyColor);
  {
    TCanvas Canvas(Image.DC());
    DrawObject(*Object, Canvas, {});
  }
  GdiFlush();
  // GDI leaves the alpha byte of what it paints at 0; everything painted is opaque here.
  TvxColor* Pixel = Image.Bits();
  for (int64_t I = 0, N = int64_t(Size.cx) * Size.cy; I < N; ++I, ++Pixel)
    *Pixel = IsKeyPixel(*Pixel) ? vxKeyColor : (*Pixel | 0xFF000000);

  TMemoryStream Png;
  EncodePng(Image, Png);
  SaveFileReplacing(O.Out, Png);
  Out << "written: " << O.Out << " (" << Size.cx << "x" << Size.cy << ")\n";
}
