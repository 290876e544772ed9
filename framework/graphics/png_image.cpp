// The PNG codec. libpng reports errors by longjmp: every libpng call runs inside DecodeRows or
// EncodeRows, whose frames hold no object with a destructor, and the callbacks turn stream
// exceptions into libpng errors before they could cross libpng's C frames. The outer functions
// then raise the C++ exception.
#include "framework/graphics/png_image.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

// libpng's own limit for ancillary chunks (text, colour profiles) held in memory.
constexpr png_alloc_size_t MaxChunkBytes = 8 << 20;

struct TCodecState {
  TStream* Stream = nullptr;
  // The first error libpng reported, the last warning before it (which often says why), and a
  // stream exception to raise again as it was.
  char Error[160] = {};
  char Warning[160] = {};
  std::exception_ptr StreamError;
};

struct TDecode {
  TCodecState State;
  TPngPixels Image;
};

struct TEncode {
  TCodecState State;
  const uint32_t* Pixels;
  Integer Width, Height;
  bool WithAlpha;
};

void OnError(png_structp Png, png_const_charp Message) {
  auto* State = static_cast<TCodecState*>(png_get_error_ptr(Png));
  if (!State->Error[0]) std::snprintf(State->Error, sizeof State->Error, "%s", Message ? Message : "unknown error");
  png_longjmp(Png, 1);
}

void OnWarning(png_structp Png, png_const_charp Message) {
  auto* State = static_cast<TCodecState*>(png_get_error_ptr(Png));
  std::snprintf(State->Warning, sizeof State->Warning, "%s", Message ? Message : "");
}

std::string Reason(const TCodecState& State) {
  return State.Warning[0] ? Format("%s (%s)", State.Error, State.Warning) : std::string(State.Error);
}

void ReadData(png_structp Png, png_bytep Data, size_t Length) {
  auto* State = static_cast<TCodecState*>(png_get_io_ptr(Png));
  int64_t Got = -1;
  try {
    Got = State->Stream->Read(Data, int64_t(Length));
  } catch (...) {
    State->StreamError = std::current_exception();
  }
  if (Got != int64_t(Length)) png_error(Png, "the data is truncated");
}

void WriteData(png_structp Png, png_bytep Data, size_t Length) {
  auto* State = static_cast<TCodecState*>(png_get_io_ptr(Png));
  bool Written = false;
  try {
    State->Stream->WriteBuffer(Data, int64_t(Length));
    Written = true;
  } catch (...) {
    State->StreamError = std::current_exception();
  }
  if (!Written) png_error(Png, "the stream refused the data");
}

void FlushData(png_structp) {}

// Rows of a non-interlaced image are decoded into storage that grows with them, so a header
// that claims a large image costs memory only as far as its data goes.
uint32_t* RowFor(TDecode* D, Integer Y) {
  std::vector<uint32_t>& Pixels = D->Image.Pixels;
  const size_t Need = size_t(Y + 1) * size_t(D->Image.Width);
  if (Pixels.size() < Need) {
    const size_t Full = size_t(D->Image.Height) * size_t(D->Image.Width);
    Pixels.resize(std::min(Full, std::max(Need, Pixels.size() * 2)));
  }
  return Pixels.data() + size_t(Y) * size_t(D->Image.Width);
}

bool DecodeRows(png_structp Png, png_infop Info, TDecode* D) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_set_user_limits(Png, MaxGraphicSide, MaxGraphicSide);
  png_set_chunk_malloc_max(Png, MaxChunkBytes);
  png_read_info(Png, Info);
  const png_uint_32 W = png_get_image_width(Png, Info), H = png_get_image_height(Png, Info);
  if (!GraphicSizeAllowed(W, H)) png_error(Png, "the image size exceeds the limit");
  const int ColorType = png_get_color_type(Png, Info);
  D->Image.HasAlpha = (ColorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(Png, Info, PNG_INFO_tRNS);

  png_set_expand(Png);
  png_set_scale_16(Png);
  if (!(ColorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(Png);
  png_set_bgr(Png);
  if (!D->Image.HasAlpha) png_set_filler(Png, 0xFF, PNG_FILLER_AFTER);
  const int Passes = png_set_interlace_handling(Png);
  png_read_update_info(Png, Info);
  if (png_get_rowbytes(Png, Info) != size_t(W) * 4) png_error(Png, "unexpected row layout");

  D->Image.Width = Integer(W);
  D->Image.Height = Integer(H);
  if (Passes == 1) {
    for (Integer Y = 0; Y < Integer(H); ++Y) png_read_row(Png, reinterpret_cast<png_bytep>(RowFor(D, Y)), nullptr);
  } else {
    // Interlaced passes revisit every row, so the whole image is needed at once.
    D->Image.Pixels.assign(size_t(W) * H, 0);
    for (int Pass = 0; Pass < Passes; ++Pass)
      for (Integer Y = 0; Y < Integer(H); ++Y)
        png_read_row(Png, reinterpret_cast<png_bytep>(D->Image.Pixels.data() + size_t(Y) * W), nullptr);
  }
  return true;
}

bool EncodeRows(png_structp Png, png_infop Info, const TEncode* E) {
  if (setjmp(png_jmpbuf(Png))) return false;
  png_set_IHDR(Png, Info, png_uint_32(E->Width), png_uint_32(E->Height), 8,
               E->WithAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  png_set_bgr(Png);
  if (!E->WithAlpha) png_set_filler(Png, 0, PNG_FILLER_AFTER);
  for (Integer Y = 0; Y < E->Height; ++Y)
    png_write_row(Png, reinterpret_cast<png_const_bytep>(E->Pixels + size_t(Y) * size_t(E->Width)));
  png_write_end(Png, nullptr);
  return true;
}

}  // namespace

TPngPixels ReadPng(TStream& Stream) {
  TDecode D;
  D.State.Stream = &Stream;
  png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &D.State, OnError, OnWarning);
  png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
  struct TGuard {
    png_structp& Png;
    png_infop& Info;
    ~TGuard() { png_destroy_read_struct(&Png, &Info, nullptr); }
  } Guard{Png, Info};
  if (!Info) throw EOutOfResources("Out of memory while reading a PNG image");
  png_set_read_fn(Png, &D.State, ReadData);
  if (!DecodeRows(Png, Info, &D)) {
    if (D.State.StreamError) std::rethrow_exception(D.State.StreamError);
    throw EInvalidGraphic("Invalid PNG image: " + Reason(D.State));
  }
  return std::move(D.Image);
}

void WritePng(TStream& Stream, const uint32_t* Pixels, Integer Width, Integer Height, bool WithAlpha) {
  if (!Pixels || !GraphicSizeAllowed(Width, Height))
    throw EInvalidGraphicOperation(Format("Cannot save a %d x %d image as PNG", Width, Height));
  TEncode E{{}, Pixels, Width, Height, WithAlpha};
  E.State.Stream = &Stream;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &E.State, OnError, OnWarning);
  png_infop Info = Png ? png_create_info_struct(Png) : nullptr;
  struct TGuard {
    png_structp& Png;
    png_infop& Info;
    ~TGuard() { png_destroy_write_struct(&Png, &Info); }
  } Guard{Png, Info};
  if (!Info) throw EOutOfResources("Out of memory while writing a PNG image");
  png_set_write_fn(Png, &E.State, WriteData, FlushData);
  if (!EncodeRows(Png, Info, &E)) {
    if (E.State.StreamError) std::rethrow_exception(E.State.StreamError);
    throw EWriteError("Cannot write the PNG image: " + Reason(E.State));
  }
}
